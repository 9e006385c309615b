#pragma once

#include <CLI/CLI.hpp>

namespace velmora::cli {

void AddExportCommand(CLI::App& app);

}  // namespace velmora::cli
