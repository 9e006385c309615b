#pragma once

#include <string>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"

namespace velmora {

// Group sums, total and elder ratio of world into census. An overflow shows
// the population-explosion message through display and sets m.Exploded = 1;
// any other failure shows the unexpected-error message. Never throws.
void TakeCensus(CensusRecord& census, const WorldRecord& world, ModulePopulation& m, ModelDisplay& display);

// Total fertility rate of one period's birth rates (period 20 reads 19);
// -1 when the rates sum to nothing.
float FertilityRate(Int16 period, const WorldRecord& world);

// Expected deaths per 10,000 inhabitants under one period's death rates
// (period 20 reads 19), divided by m.Census.Total; -1 when that total is not
// positive. Overflow goes to the caller.
float MeanDeathRate(const ModulePopulation& m, Int16 period, const WorldRecord& world);
// The same against any total, e.g. the census of a past year.
float MeanDeathRate(HeadCount total, Int16 period, const WorldRecord& world);

// Store one value edited on the pyramid (rounded in place to a whole number)
// and refresh the controller labels that the edit changes.
void ApplyEdit(ModulePopulation& m, ModelDisplay& display, Int16 kind, HeadCount& value, Int16 index, Int16 sex);

}  // namespace velmora
