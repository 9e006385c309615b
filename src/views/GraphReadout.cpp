#include "views/GraphReadout.h"

#include <cmath>

#include "model/NumberText.h"

namespace velmora {

std::optional<Int16> HoverBand(double x, int width) {
  if (width <= 0 || std::isnan(x)) return std::nullopt;
  double band = std::floor(x / width * 101.0);
  if (band < 0.0) band = 0.0;
  if (band > 100.0) band = 100.0;
  return Int16(static_cast<int>(band));
}

std::string GraphInfoLine(const ModulePopulation& m) {
  const Int16 year = m.StartYear + m.ElapsedYears;
  const Int16 selectedYear = m.StartYear + m.SelectedYear;
  return "A.D." + std::to_string(int{year}) + " , Total = " + FormatThousands(m.Census.Total) + " / A.D." +
         std::to_string(int{selectedYear}) + " = " + FormatThousands(m.GraphCensus.Total);
}

}  // namespace velmora
