#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace velmora::testing {

// A file's bytes as they are on disk; empty when it cannot be read.
inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace velmora::testing
