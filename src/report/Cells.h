#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "analysis/Indicators.h"
#include "model/Numbers.h"

namespace velmora::report {

// One figure of a report: a number's text, an infinity or nothing.
struct Cell {
  enum Kind { kNumber, kInfinite, kMissing } kind = kMissing;
  std::string text;
};

Cell Number(std::string text);
Cell Count(HeadCount value);  // exact
// An infinity is "inf" in CSV, null in JSON; nothing is empty / null.
Cell Real(std::optional<double> value);
Cell Single(std::optional<float> value);
// A share of the stable population by age group, when there is one.
Cell Stable(const PeriodIndicators& p, int group);

std::string CsvCell(const Cell& cell);
std::string JsonValue(const Cell& cell);

}  // namespace velmora::report
