#include <array>

#include "analysis/Indicators.h"
#include "analysis/StablePopulation.h"

namespace velmora {

PopulationIndicators ComputePopulationIndicators(const WorldRecord& world) {
  // Both sexes together, by single year of age.
  std::array<double, kAges> byAge{};
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int age = 0; age < kAges; ++age) {
      const HeadCount count = world.People(sex, age);
      // A negative count (left by a death rate above 100,000) makes no age
      // distribution: a median or a ratio of it would mean nothing.
      if (count < HeadCount()) return {};
      byAge[age] += count.ToDouble();
    }
  }
  std::array<double, kAgeGroups> groups{};
  double total = 0.0;
  double ageSum = 0.0;
  for (int age = 0; age < kAges; ++age) {
    groups[AgeGroupOf(age)] += byAge[age];
    total += byAge[age];
    ageSum += (age + 0.5) * byAge[age];  // age a covers [a, a + 1)
  }

  PopulationIndicators result;
  if (total > 0.0) {
    result.meanAge = ageSum / total;
    // Linear within the single year in which half the population is reached.
    const double half = 0.5 * total;
    double below = 0.0;
    for (int age = 0; age < kAges; ++age) {
      if (below + byAge[age] >= half) {
        result.medianAge = age + (half - below) / byAge[age];
        break;
      }
      below += byAge[age];
    }
  }
  if (groups[kAdults] > 0.0) {
    result.oldAgeDependency = groups[kElders] / groups[kAdults] * 100.0;
    result.totalDependency = (groups[kChildren] + groups[kElders]) / groups[kAdults] * 100.0;
  }
  return result;
}

}  // namespace velmora
