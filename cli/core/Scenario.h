#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Indicators.h"
#include "model/Records.h"

namespace velmora::cli {

// What a run starts from: the population, the start table (period 0), the
// end table (period 19) and the two variation codes (births, deaths) in a
// WorldRecord, as the desktop program holds them before Start.
struct ScenarioInputs {
  WorldRecord world;
  int years = 100;  // 1..100
};

// The figures of one recorded year of a run.
struct YearFigures {
  int year = 0;     // calendar year, 2000 + elapsed
  int elapsed = 0;  // 0..100
  CensusRecord census;
  // The controller's figures: elder ratio in percent truncated to one
  // decimal, total fertility rate and mean death rate of the year's period
  // (-1 when there is nothing to measure). The mean death rate is empty only
  // for a year-0 population too large for its sum.
  float elderRatio = 0.0f;
  float fertilityRate = 0.0f;
  std::optional<float> meanDeathRate;
  std::optional<double> elderShare;  // elders / total, exact; empty for no people
  PeriodIndicators period;
  PopulationIndicators population;
};

enum class RunEnd { kCompleted, kDiedOut, kExploded };

struct RunOutcome {
  std::vector<YearFigures> years;  // year 0 first, one per recorded year
  RunEnd end = RunEnd::kCompleted;
  std::vector<std::string> messages;  // what the model said (the explosion)
};

// The desktop program's run without windows: the population loaded as the
// settings window loads it (census, the state saved for Reset, Reset), then
// Start, then one step per year while the world clock would go on: until
// inputs.years steps, a population of none, or an explosion. The figures of
// year k are those the controller shows in year k.
RunOutcome RunScenario(const ScenarioInputs& inputs);

// A variation function by name ("constant", "linear100", ... "halve10") or by
// code ("0".."12"); InputError otherwise.
int ParseVariation(std::string_view text);
std::string_view VariationName(int code);

}  // namespace velmora::cli
