#include "model/AgeColour.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Ages outside 0..99 are never passed; should one arrive, its components are
// held to 0..255 so that the packed value is still a colour.
int Component(int value) { return std::clamp(value, 0, 255); }

}  // namespace

int32_t AgeColour(Int16 age) {
  // Within 0..99 none of these products leaves the 16-bit range, so plain int
  // arithmetic gives the same values.
  const int a = age;
  int red = 0;
  int green = 0;
  int blue = 0;
  if (a >= 0 && a <= 14) {
    green = 8 * a;
    blue = 255 - 8 * a;
  } else if (a >= 15 && a <= 64) {
    red = static_cast<int>(std::floor(static_cast<double>((a - 15) * 128) / 49.0));
    green = 255 - red;
  } else {
    red = 255 - 4 * (a - 65);
    blue = 4 * (a - 65);
  }
  return Component(red) + 256 * Component(green) + 65536 * Component(blue);
}

}  // namespace velmora
