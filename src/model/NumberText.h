#pragma once

#include <string>
#include <string_view>

#include "model/Numbers.h"

namespace velmora {

// The text of a 32-bit float: at most seven significant digits, no trailing
// zeros or point, "-" before negatives, -0 as "0"; an exponent
// ("1.234568E+12", "1E-05") for magnitudes of 1e7 and above or below 1e-4.
std::string FloatText(float x);

// A whole number with a comma before every complete group of three digits
// (only for values of 1000 and above); fractions are floored away.
std::string FormatThousands(HeadCount value);
std::string FormatThousands(float value);

// The number at the start of a text: blanks, tabs and line feeds skipped
// anywhere; "&H"/"&O" hexadecimal or octal; otherwise sign, digits, one
// point and an exponent with E or D. No number gives 0.
double NumericPrefix(std::string_view text);

}  // namespace velmora
