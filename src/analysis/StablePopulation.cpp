#include "analysis/StablePopulation.h"

#include <cmath>

#include "analysis/Renewal.h"

namespace velmora {

namespace {

// Adds one sex's stable counts, per newborn of both sexes, to the groups.
// False when the open age has no stable size.
bool AddStableCounts(const LifeTable& table, double share, double lambda, std::array<double, kAgeGroups>& groups) {
  const double openSurvival = table.survival[kAges - 1];
  if (!(lambda > openSurvival)) return false;
  const double perYear = 1.0 / lambda;
  double count = share;  // share x l_a x lambda^-a, from age 0
  // Each group's ages in a loop of its own, summed in a local.
  auto addAges = [&](int first, int last) {
    double sum = 0.0;
    for (int age = first; age <= last; ++age) {
      sum += count;
      count *= table.survival[age] * perYear;
    }
    return sum;
  };
  groups[kChildren] += addAges(0, kLastChildAge);
  groups[kAdults] += addAges(kLastChildAge + 1, kLastAdultAge);
  double elders = addAges(kFirstElderAge, kAges - 3);
  // count is now N_98.
  elders += count + count * table.survival[kAges - 2] / (lambda - openSurvival);
  groups[kElders] += elders;
  return true;
}

}  // namespace

std::optional<std::array<double, kAgeGroups>> StableAgeGroupShares(const LifeTable& men, const LifeTable& women,
                                                                   double lambda) {
  if (!(lambda > 0.0 && std::isfinite(lambda))) return std::nullopt;
  std::array<double, kAgeGroups> groups{};
  if (!AddStableCounts(men, kBoysShare, lambda, groups)) return std::nullopt;
  if (!AddStableCounts(women, kGirlsShare, lambda, groups)) return std::nullopt;
  const double total = groups[kChildren] + groups[kAdults] + groups[kElders];
  if (!std::isfinite(total)) return std::nullopt;
  for (double& group : groups) group /= total;
  return groups;
}

}  // namespace velmora
