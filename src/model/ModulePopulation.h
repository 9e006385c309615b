#pragma once

#include <string>

#include "model/CheckedArray.h"
#include "model/Numbers.h"
#include "model/Records.h"

namespace velmora {

// Run states and the command codes written through the same variable.
enum RunStateValue : int { kPaused = -1, kIdle = 0, kRunning = 1 };
enum RunCommand : int { kCommandBreak = 0, kCommandStart = 1, kCommandReset = 2, kCommandResume = 3 };

// What the pyramid shows and edits.
enum PyramidContentValue : int {
  kContentPopulation = -1,
  kContentRelative = 0,
  kContentBirths = 1,
  kContentDeaths = 2
};

// Every process-wide variable of the program: the model's tables and run
// variables, and the view settings held beside them. main() creates the one
// instance (on the heap: WorldHistory alone is 101 records) and hands a
// reference to the frame and every window; a test builds its own.
struct ModulePopulation {
  // --- the model ---
  WorldRecord World;
  WorldRecord WorldAtStart;
  CheckedArray<WorldRecord, kHistoryYears> WorldHistory;
  const WorldRecord WorldBlank{};
  CensusRecord Census;
  CensusRecord GraphCensus;
  Int16 ElapsedYears = 0;
  Int16 StartYear = 0;  // 2000 once the main window has loaded
  // The calendar year of the population that Reset restores, and so of the
  // run's year 0: a preset file is of 2000, a UN table's load brings its year.
  Int16 PopulationYear = 2000;
  Int16 RunCenturies = 0;
  HeadCount Capacity;  // 100,000,000 once the controller has loaded
  HeadCount PeakPopulation;
  Int16 RunState = kIdle;
  Int16 Exploded = 0;
  Int16 RateSelector = 0;  // 0 start table (period 0), 1 end table (period 19)
  Int16 InputMode = 0;     // 0 birth rates, 1 death rates, 2 population
  std::string AppPath;     // the program's folder, no trailing separator

  // --- view settings ---
  CheckedArray<Int16, 6> ViewSize;  // [0],[1] graph, [2],[3] pyramid, [4],[5] circle
  Int16 PyramidContent = kContentRelative;
  Int16 SelectedYear = 0;
  Int16 GraphAgeOrder = 0;  // 0 oldest at the bottom, 1 youngest at the bottom
  HeadCount BaseScale;      // 10 once the main window has loaded
  HeadCount FullScale;      // 100,000 once the main window has loaded
  float BarBaseX = 0.0f;
  float BarFullX = 0.0f;
  Int16 SingleYearInput = 0;
  Int16 EditSex = 0;
};

// The period the pyramid edits and the rate files save and load:
// RateSelector 0 is the start table (period 0), 1 the end table (period 19).
inline Int16 EditedPeriod(const ModulePopulation& m) { return m.RateSelector * kLastPeriod; }

}  // namespace velmora
