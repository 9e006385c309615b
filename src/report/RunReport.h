#pragma once

#include <string>
#include <string_view>

#include "analysis/YearFigures.h"
#include "model/DataCredit.h"
#include "model/RunControl.h"

namespace velmora {

// What a run was asked to do, as the report names it.
struct RunDescription {
  std::string population;
  std::string startRates;
  std::string endRates;
  int birthsVariation = 0;
  int deathsVariation = 0;
  int years = 100;
  int startYear = kRunStartYear;  // the calendar year of year 0
};

// One line per recorded year under a header line. Numbers are the shortest
// text that reads back as the same value; head counts exact. An infinite
// life expectancy is "inf", a figure that does not exist an empty cell.
std::string RunCsv(const RunOutcome& outcome);
// One JSON object: program, version, credit, inputs, how the run ended and
// the rows under the CSV's column names; infinite and missing figures null.
std::string RunJson(const RunDescription& description, const RunOutcome& outcome);

// The opening of every JSON report: program, version and the data credit.
std::string JsonHead();

// A JSON string literal: quotes, backslashes and control characters escaped,
// bytes that are not UTF-8 replaced by U+FFFD.
std::string JsonString(std::string_view text);

}  // namespace velmora
