#include "cli/Output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/core/PresetIo.h"

namespace velmora::cli {

void WriteOutput(const std::string& path, std::string_view text) {
  if (!path.empty()) return WriteFileWhole(path, text, true);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    throw InputError(std::string("cannot write to standard output: ") + std::strerror(errno));
  }
}

}  // namespace velmora::cli
