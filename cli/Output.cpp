#include "cli/Output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/core/PresetIo.h"

namespace velmora::cli {

void WriteOutput(const std::string& path, std::string_view text) {
  if (path != kStandardOutput) return WriteFileWhole(path, text, true);
  std::cout.flush();
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    throw InputError(std::string("cannot write to standard output: ") + std::strerror(errno));
  }
}

bool CloseStandardOutput() {
  std::cout.flush();
  const bool written = !std::cout.fail() && std::fflush(stdout) == 0 && !std::ferror(stdout);
  // Closing reports what a flush may not (e.g. a file system that commits
  // on close).
  return std::fclose(stdout) == 0 && written;
}

}  // namespace velmora::cli
