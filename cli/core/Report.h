#pragma once

#include <string>
#include <vector>

#include "cli/core/Scenario.h"

namespace velmora::cli {

// The data credit of the UN-derived presets.
inline constexpr const char* kDataCredit =
    "Source: United Nations, DESA, Population Division. World Population Prospects 2019.";

// What a run was asked to do, as the report names it.
struct RunDescription {
  std::string population;
  std::string startRates;
  std::string endRates;
  int birthsVariation = 0;
  int deathsVariation = 0;
  int years = 100;
};

// One line per recorded year under a header line. Numbers are the shortest
// text that reads back as the same value; head counts exact. An infinite
// life expectancy is "inf", a figure that does not exist an empty cell.
std::string RunCsv(const RunOutcome& outcome);
// One JSON object: program, version, credit, inputs, how the run ended and
// the rows under the CSV's column names; infinite and missing figures null.
std::string RunJson(const RunDescription& description, const RunOutcome& outcome);

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

// A JSON string literal: quotes, backslashes and control characters escaped,
// bytes that are not UTF-8 replaced by U+FFFD.
std::string JsonString(std::string_view text);

}  // namespace velmora::cli
