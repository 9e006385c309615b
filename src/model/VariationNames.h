#pragma once

#include <array>
#include <string_view>

#include "model/Records.h"

namespace velmora {

// The variation functions' names in reports and on the command line, by code.
inline constexpr std::array<std::string_view, kVariationCodes> kVariationNames = {
    "constant", "linear100", "linear50", "linear25", "linear10", "double100", "double50",
    "double25", "double10",  "halve100", "halve50",  "halve25",  "halve10"};

inline std::string_view VariationName(int code) {
  return code >= 0 && code < kVariationCodes ? kVariationNames[code] : std::string_view("unknown");
}

}  // namespace velmora
