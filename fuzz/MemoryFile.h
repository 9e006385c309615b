#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// The fuzzer's input as a file the readers open by name: an anonymous
// in-memory file, reached through /proc/self/fd, so that no disk is used.
class MemoryFile {
 public:
  MemoryFile(const uint8_t* data, std::size_t size) {
    fd_ = ::memfd_create("velmora-fuzz", MFD_CLOEXEC);
    if (fd_ < 0) std::abort();
    std::size_t done = 0;
    while (done < size) {
      const ssize_t written = ::write(fd_, data + done, size - done);
      if (written <= 0) std::abort();
      done += static_cast<std::size_t>(written);
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  ~MemoryFile() { ::close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // With the extension a reader may ask for: the name is a link, and the
  // readers look at its text only.
  const std::string& Path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};
