#pragma once

#include <CLI/CLI.hpp>

namespace velmora::cli {

// velmora-cli wpp list | preset: presets of any UN location and year
// 1950-2100 from the World Population Prospects 2019 tables.
void AddWppCommand(CLI::App& app);

}  // namespace velmora::cli
