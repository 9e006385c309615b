#pragma once

#include <cstdint>

namespace velmora::testing {

// A colour as the canvases store it: red + 256 x green + 65536 x blue.
inline int32_t Rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

}  // namespace velmora::testing
