#include "views/ShownYear.h"

#include <algorithm>

namespace velmora {

int LiveElapsed(const ModulePopulation& m) { return m.RunState == kIdle ? 0 : int{m.ElapsedYears}; }

int PeriodOfYear(int elapsed) { return std::clamp(elapsed / 5, 0, kPeriods - 1); }

ShownYear ShownYearOf(const ModulePopulation& m, const WorldRecord& record, const CensusRecord& census) {
  const int selected = m.SelectedYear;
  const bool lookBack =
      &record != &m.World && selected >= 0 && selected < kHistoryYears && &record == &m.WorldHistory[selected];
  const int elapsed = lookBack ? selected : LiveElapsed(m);
  return {&record, &census, elapsed, PeriodOfYear(elapsed)};
}

}  // namespace velmora
