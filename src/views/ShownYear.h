#pragma once

#include "model/ModulePopulation.h"

namespace velmora {

// The year that the charts show and the rates that belong to it: the live
// state, or the past year that the graph's hover looks back at.
struct ShownYear {
  const WorldRecord* record = nullptr;
  const CensusRecord* census = nullptr;
  int elapsed = 0;  // 0..100, counted from StartYear
  int period = 0;   // the rates' period, 0..19
  bool edited = false;  // a drag on the pyramid is changing the live state
};

// The live state's elapsed year: 0 while idle (at start, and after Reset,
// which restores year 0 without touching ElapsedYears), ElapsedYears during
// and after a run.
int LiveElapsed(const ModulePopulation& m);

// The period whose rates govern an elapsed year: elapsed div 5, year 100
// reading period 19 as the controller's figures do.
int PeriodOfYear(int elapsed);

// The year a record on the pyramid belongs to: the look-back entry
// WorldHistory(SelectedYear) is that year; anything else is the live state.
ShownYear ShownYearOf(const ModulePopulation& m, const WorldRecord& record, const CensusRecord& census);

}  // namespace velmora
