#pragma once

#include <string>
#include <string_view>

namespace velmora::cli {

// Text to standard output when path is empty, otherwise to the file at path,
// written whole (an existing regular file is replaced). Failures are
// InputErrors.
void WriteOutput(const std::string& path, std::string_view text);

}  // namespace velmora::cli
