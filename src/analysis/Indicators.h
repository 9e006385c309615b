#pragma once
#include <array>
#include <optional>

#include "analysis/StablePopulation.h"
#include "model/Records.h"

namespace velmora {

// Indicators of one period's rates, on the model's own yearly process.
struct PeriodIndicators {
  // Period life expectancy at birth, men then women. +infinity when the open
  // age never dies; empty when the rates give no meaningful life table
  // (a death rate of the sex that is NaN, infinite, negative or above
  // 100,000, so that a survival falls outside 0..1).
  std::array<std::optional<double>, kSexes> lifeExpectancy;
  std::optional<double> netReproduction;  // NRR
  std::optional<double> growthFactor;     // lambda; empty without births
  std::optional<double> growthRate;       // r = ln lambda
  // Children 0-15, adults 16-64, elders 65-99 of the stable population, as
  // shares (0..1) summing to 1; empty when there is none.
  std::optional<std::array<double, kAgeGroups>> stableShares;
};

// Indicators of the population table (People) of a WorldRecord.
struct PopulationIndicators {
  std::optional<double> medianAge;         // empty for an empty population
  std::optional<double> meanAge;           // empty for an empty population
  std::optional<double> oldAgeDependency;  // elders per 100 adults; empty without adults
  std::optional<double> totalDependency;   // children and elders per 100 adults
};

// A period of 20 or more reads period 19, as the controller's figures do; a negative
// period is Failure{kSubscriptOutOfRange}.
//
// netReproduction, growthFactor and growthRate are empty when the women's
// life table is (see lifeExpectancy) or a birth rate is NaN, infinite or
// negative; growthFactor and growthRate also when no girl is ever born
// (NRR = 0). stableShares is empty when either life table or the growth
// factor is, or when lambda <= the open age's survival of either sex: the
// open age would then outgrow every other age. No field is ever NaN.
PeriodIndicators ComputePeriodIndicators(const WorldRecord& world, int period);

// The stable population by sex and single age that a period's rates lead
// to (per newborn); empty exactly when ComputePeriodIndicators' stableShares is.
std::optional<StableAgeCounts> ComputeStableAges(const WorldRecord& world, int period);

// Every field is empty when any head count is negative (no meaningful age
// distribution), the median and mean also when the total is zero.
PopulationIndicators ComputePopulationIndicators(const WorldRecord& world);

}  // namespace velmora
