#pragma once

#include <array>
#include <optional>
#include <span>

#include "analysis/LifeTable.h"
#include "model/Records.h"

namespace velmora {

// Shares of the newborn, as the model splits a year's births.
inline constexpr double kBoysShare = 0.505;
inline constexpr double kGirlsShare = 0.495;
inline constexpr int kMothersAges = kAges - 1;  // women of ages 0..98 give births

// c_a = 0.495 l_a f_a / 1000: the daughters a newborn girl is expected to
// have in the year she is of age a. Their sum is the net reproduction rate.
using NetMaternity = std::array<double, kMothersAges>;

// The women's life table and the 20 class birth rates (per 1000 women).
// Empty when a birth rate is NaN, infinite or negative.
std::optional<NetMaternity> MakeNetMaternity(const LifeTable& women, std::span<const float, kAgeClasses> birthRates);

double NetReproductionRate(const NetMaternity& c);

// The one positive root lambda of the discrete renewal equation
//   1 = sum over a of c_a lambda^-(a+1),
// the factor by which the births grow each year in the long run. Empty when
// every c_a is 0 (no girl is ever born): the equation has no root.
std::optional<double> DominantGrowthFactor(const NetMaternity& c);

}  // namespace velmora
