#pragma once

#include <CLI/CLI.hpp>

namespace velmora::cli {

void AddImportCommand(CLI::App& app);

}  // namespace velmora::cli
