#include <array>

#include "analysis/Indicators.h"

namespace velmora {

PopulationIndicators ComputePopulationIndicators(const WorldRecord& world) {
  // Both sexes together, by single year of age (the table holds the men's
  // ages, then the women's).
  const HeadCount* men = world.people.data();
  const HeadCount* women = men + kAges;
  std::array<double, kAges> byAge;
  for (int age = 0; age < kAges; ++age) {
    // A negative count (left by a death rate above 100,000) makes no age
    // distribution: a median or a ratio of it would mean nothing.
    if (men[age] < HeadCount() || women[age] < HeadCount()) return {};
    byAge[age] = men[age].ToDouble() + women[age].ToDouble();
  }
  auto sumOfAges = [&](int first, int last) {
    double sum = 0.0;
    for (int age = first; age <= last; ++age) sum += byAge[age];
    return sum;
  };
  const double children = sumOfAges(0, kLastChildAge);
  const double adults = sumOfAges(kLastChildAge + 1, kLastAdultAge);
  const double elders = sumOfAges(kFirstElderAge, kAges - 1);
  const double total = children + adults + elders;
  double ageSum = 0.0;
  for (int age = 0; age < kAges; ++age) ageSum += (age + 0.5) * byAge[age];  // age a covers [a, a + 1)

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
  if (adults > 0.0) {
    result.oldAgeDependency = elders / adults * 100.0;
    result.totalDependency = (children + elders) / adults * 100.0;
  }
  return result;
}

}  // namespace velmora
