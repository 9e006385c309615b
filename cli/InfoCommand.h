#pragma once

#include <CLI/CLI.hpp>

namespace velmora::cli {

void AddInfoCommand(CLI::App& app);

}  // namespace velmora::cli
