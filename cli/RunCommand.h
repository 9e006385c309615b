#pragma once

#include <CLI/CLI.hpp>

namespace velmora::cli {

void AddRunCommand(CLI::App& app);

}  // namespace velmora::cli
