#pragma once

#include <array>
#include <optional>

#include "analysis/LifeTable.h"
#include "model/Records.h"

namespace velmora {

// Shares of children, adults and elders in the stable population that the
// life tables and the growth factor lambda lead to: sex share x l_a x
// lambda^-a for ages 0..98 (boys 0.505, girls 0.495), and the open age
// N_99 = N_98 s_98 / (lambda - s_99). Empty when lambda <= s_99 of either sex
// (the open age would grow without bound relative to the rest) or when the
// counts leave the range of double.
std::optional<std::array<double, kAgeGroups>> StableAgeGroupShares(const LifeTable& men, const LifeTable& women,
                                                                   double lambda);

}  // namespace velmora
