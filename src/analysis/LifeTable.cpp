#include "analysis/LifeTable.h"

#include <cmath>
#include <limits>

namespace velmora {

std::optional<LifeTable> MakeLifeTable(std::span<const float, kAgeClasses> deathRates) {
  for (const float rate : deathRates) {
    // Written so that NaN fails too.
    if (!(rate >= 0.0f && rate <= 100000.0f)) return std::nullopt;
  }
  std::optional<LifeTable> result(std::in_place);  // built in place: no copy on return
  LifeTable& table = *result;
  // One division per class, not per age.
  for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
    const double survival = (100000.0 - static_cast<double>(deathRates[ageClass])) / 100000.0;
    for (int age = 5 * ageClass; age < 5 * ageClass + 5; ++age) table.survival[age] = survival;
  }
  table.survivors[0] = 1.0;
  for (int age = 0; age + 1 < kAges; ++age) table.survivors[age + 1] = table.survivors[age] * table.survival[age];
  table.openDeath = static_cast<double>(deathRates[kAgeClasses - 1]) / 100000.0;
  return result;
}

double LifeExpectancyAtBirth(const LifeTable& table) {
  const auto& l = table.survivors;
  double years = 0.0;
  for (int age = 0; age + 1 < kAges; ++age) years += 0.5 * (l[age] + l[age + 1]);
  const double reaching99 = l[kAges - 1];
  // Checked before q: infinity times nobody would be NaN.
  if (reaching99 == 0.0) return years;
  if (table.openDeath == 0.0) return std::numeric_limits<double>::infinity();
  return years + reaching99 * (1.0 / table.openDeath - 0.5);
}

}  // namespace velmora
