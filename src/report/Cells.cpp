#include "report/Cells.h"

#include <cmath>
#include <utility>

#include "presets/Decimal.h"

namespace velmora::report {

using presets::HeadCountText;
using presets::ShortestText;

Cell Number(std::string text) { return {Cell::kNumber, std::move(text)}; }
Cell Count(HeadCount value) { return Number(HeadCountText(value)); }
Cell Real(std::optional<double> value) {
  if (!value) return {};
  if (std::isinf(*value)) return {Cell::kInfinite, *value > 0 ? "inf" : "-inf"};
  return Number(ShortestText(*value));
}
Cell Single(std::optional<float> value) {
  if (!value) return {};
  return Number(ShortestText(*value));
}
Cell Stable(const PeriodIndicators& p, int group) {
  if (!p.stableShares) return {};
  return Real((*p.stableShares)[group]);
}

std::string CsvCell(const Cell& cell) { return cell.kind == Cell::kMissing ? "" : cell.text; }
std::string JsonValue(const Cell& cell) { return cell.kind == Cell::kNumber ? cell.text : "null"; }

}  // namespace velmora::report
