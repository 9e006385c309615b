#pragma once

#include <CLI/CLI.hpp>

namespace velmora::cli {

// A whole number typed on the command line, in the grammar of every number
// we read (optional sign, decimal digits: "02000" is 2000, "0x7D0" is not a
// number), within [min, max] and on the steps of `step` from min. Anything
// else is a usage error (exit 2). As a transform, it hands the option the
// number in plain digits.
CLI::Validator WholeNumber(int min, int max, int step = 1);

// A file name for --output: "-" is standard output; an empty name is a
// usage error.
CLI::Validator OutputPath();

}  // namespace velmora::cli
