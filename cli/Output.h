#pragma once

#include <string>
#include <string_view>

namespace velmora::cli {

// "-" for standard output, as --output takes it.
inline constexpr const char* kStandardOutput = "-";

// Text to standard output when path is "-", otherwise to the file at path,
// written whole (an existing regular file is replaced; a symbolic link is
// replaced by the file). Failures, a full disk or a closed standard output
// included, are InputErrors.
void WriteOutput(const std::string& path, std::string_view text);

// Flushes and closes standard output: false when anything written to it
// was lost (a full disk, a closed pipe). main() checks it before exit 0.
bool CloseStandardOutput();

}  // namespace velmora::cli
