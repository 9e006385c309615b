#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/Numbers.h"

namespace velmora {

// A head count as the exact decimal of its fixed-point value: the whole
// persons, then up to four decimals without trailing zeros ("1234",
// "0.5", "-12.0625").
std::string HeadCountText(HeadCount value);

// The exact head count of a decimal text: optional "-", digits, optionally
// "." and one to four decimals. Empty when the text is not of that form;
// an error text (through why) when it is a number outside the head-count
// range or with more than four decimals.
std::optional<HeadCount> ParseHeadCount(std::string_view text, std::string& why);

// Shortest text that reads back as the same value ("0.1", "23.4", "1e-10").
std::string ShortestText(double value);
std::string ShortestText(float value);

// A rate as the preset tables write it, three decimals ("98.752", "0.000"),
// when that text reads back as the same float; the shortest round-trip text
// otherwise.
std::string RateText(float value);

// A rate read like the preset builder reads it: the text's value rounded once
// to a float. Empty when the text is not a number; NaN, infinities and
// values beyond the float range are refused with why.
std::optional<float> ParseRate(std::string_view text, std::string& why);

// A whole number, e.g. an age; empty when the text is not one.
std::optional<int> ParseInt(std::string_view text);

}  // namespace velmora
