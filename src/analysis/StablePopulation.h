#pragma once

#include <array>
#include <optional>

#include "analysis/LifeTable.h"
#include "model/Records.h"

namespace velmora {

// The stable population by sex and single age, per newborn of both sexes:
// count[s][a] = sex share x l_a x lambda^-a for ages 0..98 and the open age
// N_99 = N_98 s_98 / (lambda - s_99). Empty under the same conditions as
// StableAgeGroupShares below.
using StableAgeCounts = std::array<std::array<double, kAges>, kSexes>;
std::optional<StableAgeCounts> StableAges(const LifeTable& men, const LifeTable& women, double lambda);

// Shares of each sex's five-year classes in the stable population, as the
// pyramid draws them: of both sexes' total (share[s][c], summing to 1 over
// both sexes) and of the class's own sex (ofSex[s][c], summing to 1 per sex).
struct StableClassShares {
  std::array<std::array<double, kAgeClasses>, kSexes> share{};
  std::array<std::array<double, kAgeClasses>, kSexes> ofSex{};
};
StableClassShares ClassSharesOf(const StableAgeCounts& counts);

// Shares of children, adults and elders in the stable population that the
// life tables and the growth factor lambda lead to: sex share x l_a x
// lambda^-a for ages 0..98 (boys 0.505, girls 0.495), and the open age
// N_99 = N_98 s_98 / (lambda - s_99). Empty when lambda <= s_99 of either sex
// (the open age would grow without bound relative to the rest) or when the
// counts leave the range of double.
std::optional<std::array<double, kAgeGroups>> StableAgeGroupShares(const LifeTable& men, const LifeTable& women,
                                                                   double lambda);

}  // namespace velmora
