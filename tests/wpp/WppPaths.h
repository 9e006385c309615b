#pragma once

#include <filesystem>
#include <string>

#include "../scenario_core/TempFolder.h"

namespace velmora::testing {

// The shipped preset tables (data/presets) and the UN tables beside them.
inline std::filesystem::path PresetTablesFolder() { return VELMORA_PRESET_TABLES; }
inline std::filesystem::path WppTablesFolder() { return PresetTablesFolder().parent_path() / "wpp2019"; }

}  // namespace velmora::testing
