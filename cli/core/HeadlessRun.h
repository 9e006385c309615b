#pragma once

#include <string_view>

#include "analysis/YearFigures.h"
#include "model/Records.h"
#include "model/RunControl.h"

namespace velmora::cli {

// What a run starts from: the population, the start table (period 0), the
// end table (period 19) and the two variation codes (births, deaths) in a
// WorldRecord, as the desktop program holds them before Start.
struct HeadlessInputs {
  WorldRecord world;
  int years = 100;  // 1..100
  // The calendar year of the population: year 0 of the run.
  int startYear = kRunStartYear;
};

// The desktop program's run without windows, through the same run rules:
// the population adopted as the settings window's load adopts it, the Reset
// that load requests, Start, then one world-clock tick per year until
// inputs.years steps, a population of none, or an explosion. The figures of
// year k are those the controller shows in year k. A census that overflows
// at Start ends the run as exploded with no year written, as the desktop
// program stops there too.
RunOutcome HeadlessRun(const HeadlessInputs& inputs);

// A variation function by name ("constant", "linear100", ... "halve10") or by
// code ("0".."12"); InputError otherwise.
int ParseVariation(std::string_view text);

}  // namespace velmora::cli
