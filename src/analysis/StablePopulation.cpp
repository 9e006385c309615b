#include "analysis/StablePopulation.h"

#include <cmath>

#include "analysis/Renewal.h"

namespace velmora {

namespace {

// One sex's stable counts, per newborn of both sexes. False when the open age
// has no stable size.
bool SexCounts(const LifeTable& table, double share, double lambda, std::array<double, kAges>& counts) {
  const double openSurvival = table.survival[kAges - 1];
  if (!(lambda > openSurvival)) return false;
  const double perYear = 1.0 / lambda;
  double count = share;  // share x l_a x lambda^-a, from age 0
  for (int age = 0; age < kAges - 1; ++age) {
    counts[age] = count;
    count *= table.survival[age] * perYear;
  }
  // counts[98] is N_98.
  counts[kAges - 1] = counts[kAges - 2] * table.survival[kAges - 2] / (lambda - openSurvival);
  return true;
}

// Adds one sex's counts to the groups: each group's ages summed in a local
// first, the open age together with age 98.
void AddGroups(const std::array<double, kAges>& counts, std::array<double, kAgeGroups>& groups) {
  auto sum = [&counts](int first, int last) {
    double total = 0.0;
    for (int age = first; age <= last; ++age) total += counts[age];
    return total;
  };
  groups[kChildren] += sum(0, kLastChildAge);
  groups[kAdults] += sum(kLastChildAge + 1, kLastAdultAge);
  double elders = sum(kFirstElderAge, kAges - 3);
  elders += counts[kAges - 2] + counts[kAges - 1];
  groups[kElders] += elders;
}

}  // namespace

std::optional<StableAgeCounts> StableAges(const LifeTable& men, const LifeTable& women, double lambda) {
  if (!(lambda > 0.0 && std::isfinite(lambda))) return std::nullopt;
  StableAgeCounts counts{};
  if (!SexCounts(men, kBoysShare, lambda, counts[0])) return std::nullopt;
  if (!SexCounts(women, kGirlsShare, lambda, counts[1])) return std::nullopt;
  double total = 0.0;
  for (const auto& sex : counts) {
    for (double count : sex) total += count;
  }
  if (!std::isfinite(total)) return std::nullopt;
  return counts;
}

StableClassShares ClassSharesOf(const StableAgeCounts& counts) {
  StableClassShares result;
  std::array<double, kSexes> sexTotals{};
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
      double sum = 0.0;
      for (int age = 5 * ageClass; age < 5 * ageClass + 5; ++age) sum += counts[sex][age];
      result.share[sex][ageClass] = sum;
      sexTotals[sex] += sum;
    }
  }
  const double total = sexTotals[0] + sexTotals[1];
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
      const double sum = result.share[sex][ageClass];
      result.ofSex[sex][ageClass] = sum / sexTotals[sex];
      result.share[sex][ageClass] = sum / total;
    }
  }
  return result;
}

std::optional<std::array<double, kAgeGroups>> StableAgeGroupShares(const LifeTable& men, const LifeTable& women,
                                                                   double lambda) {
  const std::optional<StableAgeCounts> counts = StableAges(men, women, lambda);
  if (!counts) return std::nullopt;
  std::array<double, kAgeGroups> groups{};
  AddGroups((*counts)[0], groups);
  AddGroups((*counts)[1], groups);
  const double total = groups[kChildren] + groups[kAdults] + groups[kElders];
  if (!std::isfinite(total)) return std::nullopt;
  for (double& group : groups) group /= total;
  return groups;
}

}  // namespace velmora
