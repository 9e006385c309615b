#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace velmora::testing {

// The shipped preset tables (data/presets) and the UN tables beside them.
inline std::filesystem::path PresetTablesFolder() { return VELMORA_PRESET_TABLES; }
inline std::filesystem::path WppTablesFolder() { return PresetTablesFolder().parent_path() / "wpp2019"; }

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace velmora::testing
