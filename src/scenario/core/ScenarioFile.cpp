#include "scenario/core/ScenarioFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "model/Failure.h"
#include "scenario/core/FileErrors.h"

namespace velmora {
namespace {

[[noreturn]] void Fail(int error) { throw Failure{FailureCodeForError(error, false)}; }

}  // namespace

ScenarioFile::~ScenarioFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void ScenarioFile::Open(const std::string& path, bool forUpdate) {
  if (file_ != nullptr) Close();
  // A preset must be a regular file: a FIFO would block the open (and the
  // whole program) until something writes into it, and a device or a socket
  // is no preset either. The path is looked at first, so that a device is
  // never even opened.
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) throw Failure{kPathFileAccessError};
  // Opened without blocking, then looked at again through the descriptor:
  // something else may have been put at the path in between.
  const int access = (forUpdate ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  errno = 0;
  int fd = ::open(path.c_str(), access);
  if (fd < 0 && forUpdate && errno == ENOENT) {
    // Only a missing file is created, exclusively, so that a file appearing
    // in between is neither truncated nor replaced.
    fd = ::open(path.c_str(), access | O_CREAT | O_EXCL, 0666);
    if (fd < 0 && errno == EEXIST) fd = ::open(path.c_str(), access);
  }
  if (fd < 0) throw Failure{FailureCodeForOpen(errno, path)};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    throw Failure{kPathFileAccessError};
  }
  // A regular file: reads and writes may block as usual again.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
    const int error = errno;
    ::close(fd);
    Fail(error);
  }
  file_ = ::fdopen(fd, forUpdate ? "r+b" : "rb");
  if (file_ == nullptr) {
    const int error = errno;
    ::close(fd);
    Fail(error);
  }
}

void ScenarioFile::OpenForUpdate(const std::string& path) { Open(path, true); }

void ScenarioFile::OpenForReading(const std::string& path) { Open(path, false); }

void ScenarioFile::WriteRecord(std::span<const std::byte> record) {
  if (file_ == nullptr) throw Failure{kBadFileNumber};
  errno = 0;
  if (std::fseek(file_, 0, SEEK_SET) != 0) Fail(errno);
  if (std::fwrite(record.data(), 1, record.size(), file_) != record.size()) Fail(errno);
  // Flushed here so that a full disk fails this step, not the close.
  if (std::fflush(file_) != 0) Fail(errno);
}

void ScenarioFile::ReadRecord(std::span<std::byte> record) {
  if (file_ == nullptr) throw Failure{kBadFileNumber};
  errno = 0;
  if (std::fseek(file_, 0, SEEK_SET) != 0) Fail(errno);
  std::vector<std::byte> buffer(record.size());
  const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file_);
  if (got != buffer.size()) {
    if (std::ferror(file_) != 0) Fail(errno);
    throw Failure{kInputPastEnd};
  }
  std::copy(buffer.begin(), buffer.end(), record.begin());
}

void ScenarioFile::Close() {
  if (file_ == nullptr) return;
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) Fail(errno);
}

}  // namespace velmora
