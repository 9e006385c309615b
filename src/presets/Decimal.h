#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Numbers.h"

namespace velmora::presets {

// The one grammar of every number given on the command line and in our CSV
// tables: an optional sign ("+" or "-"), one or more digits, and optionally
// a point followed by one or more digits. Nothing else: no blanks, no
// exponent, no hexadecimal, no point without a digit on both sides. Leading
// zeros change nothing ("02000" is 2000).
struct DecimalParts {
  bool negative = false;
  std::string_view whole;     // at least one digit
  std::string_view fraction;  // empty when there is no point
};
std::optional<DecimalParts> SplitDecimal(std::string_view text);

// A whole number of the grammar (no point) within [min, max]; empty
// otherwise.
std::optional<int64_t> ParseWhole(std::string_view text, int64_t min, int64_t max);
// The same within the range of int.
std::optional<int> ParseInt(std::string_view text);

// The exact head count of a number of the grammar with at most four
// decimals. Empty when the text is not of the grammar; an error text
// (through why) when it has more than four decimals or lies outside the
// head-count range.
std::optional<HeadCount> ParseHeadCount(std::string_view text, std::string& why);

// A rate: the exact decimal value of the text rounded once to the nearest
// float (a value too small for a float becomes 0). Empty when the text is
// not of the grammar; beyond the float range it is refused with why.
std::optional<float> ParseRate(std::string_view text, std::string& why);

// A head count as the exact decimal of its fixed-point value: the whole
// persons, then up to four decimals without trailing zeros ("1234",
// "0.5", "-12.0625").
std::string HeadCountText(HeadCount value);

// A rate as the preset tables write it, three decimals ("98.752", "0.000"),
// when that text reads back as the same float; otherwise the shortest text
// of the grammar that does ("0.0005"). Never an exponent, so that what we
// write, we read.
std::string RateText(float value);

// Shortest text that reads back as the same value ("0.1", "23.4", "1e-10"),
// for reports (not for our CSV tables: it may hold an exponent).
std::string ShortestText(double value);
std::string ShortestText(float value);

}  // namespace velmora::presets
