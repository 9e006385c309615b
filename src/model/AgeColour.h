#pragma once

#include <cstdint>

#include "model/Numbers.h"

namespace velmora {

// The chart colour of an age, packed as red + 256 x green + 65536 x blue.
int32_t AgeColour(Int16 age);

inline constexpr int ColourRed(int32_t colour) { return colour & 0xFF; }
inline constexpr int ColourGreen(int32_t colour) { return (colour >> 8) & 0xFF; }
inline constexpr int ColourBlue(int32_t colour) { return (colour >> 16) & 0xFF; }

}  // namespace velmora
