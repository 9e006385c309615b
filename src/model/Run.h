#pragma once

#include <string>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"

namespace velmora {

// Periods 1..19 of every rate table from the start table (period 0), the end
// table (period 19) and the two variation codes.
void BuildSchedule(WorldRecord& world);

// The model's side of Start: Exploded = 0; WorldAtStart = World;
// ElapsedYears = 0, RunCenturies = 1, RunState = 1, PyramidContent = 0,
// PeakPopulation = 0; census; WorldHistory(0) = World; BuildSchedule. The
// frame does the menu, window and timer steps around it.
void StartRunModel(ModulePopulation& m, ModelDisplay& display);

// One year of the run: survival, births, census, count, snapshot, and the
// display refresh unless the population exploded. All-or-nothing: an
// overflow in the step's own arithmetic reports the explosion, sets
// Exploded = 1 and leaves People, ElapsedYears and WorldHistory as they were.
void AdvanceYear(ModulePopulation& m, ModelDisplay& display);

// Reset's figures: floor(peak x 1.05), capped at the largest HeadCount; and
// the capacity text box's floor(peak / 10,000) + 1.
HeadCount CapacityFromPeak(HeadCount peak);
std::string CapacityTextFromPeak(HeadCount peak);

}  // namespace velmora
