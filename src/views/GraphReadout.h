#pragma once

#include <optional>
#include <string>

#include "model/ModulePopulation.h"

namespace velmora {

// The WorldHistory entry under the pointer at x on a graph width pixels wide:
// the width is cut into 101 equal bands, the right edge and beyond reading
// 100 and a pointer left of the window (possible while a button is held)
// reading 0. No band without a width to cut.
std::optional<Int16> HoverBand(double x, int width);

// The graph's information line: the live year and total, then the year last
// hovered and its total, as in "A.D.2000 , Total = 1,234 / A.D.2000 = 1,234".
std::string GraphInfoLine(const ModulePopulation& m);

}  // namespace velmora
