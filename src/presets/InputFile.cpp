#include "presets/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "presets/InputError.h"
#include "presets/MessageText.h"

namespace velmora::presets {
namespace {

std::string SizeText(std::size_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

InputFile::InputFile(const std::string& path, std::size_t maxBytes) : path_(path), maxBytes_(maxBytes) {
  const std::string shown = ShownPath(path);
  if (path.empty()) throw InputError("an empty file name");
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) throw InputError(shown + ": cannot open: " + std::strerror(errno));
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw InputError(shown + ": not a regular file");
  }
  if (static_cast<std::size_t>(info.st_size) > maxBytes_) {
    ::close(fd_);
    fd_ = -1;
    throw InputError(shown + ": larger than " + SizeText(maxBytes_) + ", far more than any valid file");
  }
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  while (true) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw InputError(ShownPath(path_) + ": cannot read: " + std::strerror(errno));
    done_ += static_cast<std::size_t>(got);
    // The size was checked at opening; a file that grows meanwhile is cut
    // off here.
    if (done_ > maxBytes_) {
      throw InputError(ShownPath(path_) + ": larger than " + SizeText(maxBytes_) + ", far more than any valid file");
    }
    return static_cast<std::size_t>(got);
  }
}

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  InputFile file(path, maxBytes);
  std::string bytes;
  char buffer[1 << 16];
  while (const std::size_t got = file.Read(buffer, sizeof buffer)) bytes.append(buffer, got);
  return bytes;
}

LineReader::LineReader(const std::string& path, std::size_t maxBytes, std::size_t maxLineBytes)
    : file_(path, maxBytes), maxLineBytes_(maxLineBytes), buffer_(maxLineBytes + 2, '\0') {}

bool LineReader::Next(std::string_view& line) {
  while (true) {
    const std::string_view pending(buffer_.data() + start_, end_ - start_);
    const std::size_t newline = pending.find('\n');
    if (newline != std::string_view::npos || (atEnd_ && !pending.empty())) {
      line = pending.substr(0, newline);
      start_ += newline == std::string_view::npos ? pending.size() : newline + 1;
      ++lineNumber_;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.size() > maxLineBytes_) break;
      return true;
    }
    if (atEnd_) return false;
    // No line end in what is held: keep the partial line, read more. A
    // partial line that fills the buffer is longer than any valid one.
    if (pending.size() > maxLineBytes_) {
      ++lineNumber_;
      break;
    }
    std::memmove(buffer_.data(), pending.data(), pending.size());
    start_ = 0;
    end_ = pending.size();
    const std::size_t got = file_.Read(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0) atEnd_ = true;
    end_ += got;
  }
  throw InputError(ShownPath(file_.Path()) + ":" + std::to_string(lineNumber_) + ": a line longer than " +
                   std::to_string(maxLineBytes_) + " bytes, far more than any valid line");
}

}  // namespace velmora::presets
