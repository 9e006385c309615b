#include "scenario/core/ScenarioFile.h"

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

void ScenarioFile::Open(const std::string& path, const char* mode) {
  if (file_ != nullptr) Close();
  errno = 0;
  file_ = std::fopen(path.c_str(), mode);
  if (file_ == nullptr) throw Failure{FailureCodeForOpen(errno, path)};
}

void ScenarioFile::OpenForUpdate(const std::string& path) {
  // "r+" keeps the bytes of an existing file; only a missing one is created,
  // exclusively, so that a file appearing in between is not truncated.
  try {
    Open(path, "r+b");
  } catch (const Failure& failure) {
    if (failure.code != kFileNotFound) throw;
    errno = 0;
    file_ = std::fopen(path.c_str(), "w+bx");
    if (file_ == nullptr && errno == EEXIST) file_ = std::fopen(path.c_str(), "r+b");
    if (file_ == nullptr) throw Failure{FailureCodeForOpen(errno, path)};
  }
}

void ScenarioFile::OpenForReading(const std::string& path) { Open(path, "rb"); }

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
