#pragma once

#include <optional>
#include <string>

#include "analysis/Indicators.h"
#include "report/RunReport.h"

namespace velmora::cli {

// info: the indicators of one period's rates and, when population is given,
// of a population. CSV: a header line and one line; JSON: one object.
struct InfoReport {
  std::string rates;
  std::string population;  // empty: no population
  float fertilityRate = 0.0f;
  PeriodIndicators period;
  PopulationIndicators people;
  std::optional<float> meanDeathRate;
};
std::string InfoCsv(const InfoReport& report);
std::string InfoJson(const InfoReport& report);

}  // namespace velmora::cli
