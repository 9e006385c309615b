#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/Indicators.h"
#include "model/ModulePopulation.h"
#include "model/Records.h"

namespace velmora {

// The figures of one recorded year of a run: what the command line writes
// per row and what the desktop program shows of a year.
struct YearFigures {
  int year = 0;     // calendar year, StartYear + elapsed
  int elapsed = 0;  // 0..100
  CensusRecord census;
  // The controller's figures: elder ratio in percent truncated to one
  // decimal, total fertility rate and mean death rate of the year's period
  // (-1 when there is nothing to measure). The mean death rate is empty only
  // for a population too large for its sum.
  float elderRatio = 0.0f;
  float fertilityRate = 0.0f;
  std::optional<float> meanDeathRate;
  std::optional<double> elderShare;  // elders / total, exact; empty for no people
  PeriodIndicators period;
  PopulationIndicators population;
};

// The figures of a year from its record and its census, as the controller
// computes them: the period of elapsed div 5 (period 0 in year 0, Reset's
// labels; 20 in year 100, read as 19).
YearFigures FiguresOf(const WorldRecord& world, const CensusRecord& census, int startYear, int elapsed);
// The figures of the run's current year (World, Census, ElapsedYears).
YearFigures FiguresOf(const ModulePopulation& m);

enum class RunEnd { kCompleted, kDiedOut, kExploded };

// A run's years as a report writes them.
struct RunOutcome {
  std::vector<YearFigures> years;  // year 0 first, one per recorded year
  RunEnd end = RunEnd::kCompleted;
  std::vector<std::string> messages;  // what the model said (the explosion), each once
};

}  // namespace velmora
