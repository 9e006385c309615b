#pragma once

#include <array>
#include <optional>
#include <span>

#include "model/Records.h"

namespace velmora {

// One sex's life table on the model's yearly step: a person of age a is alive
// a year later with survival s_a = (100,000 - d) / 100,000 of class a div 5;
// the open age 99 keeps its own survivors at s_99 (class 19).
struct LifeTable {
  std::array<double, kAges> survival{};   // s_0..s_99
  std::array<double, kAges> survivors{};  // l_0 = 1, l_{a+1} = l_a s_a
  double openDeath = 0.0;                 // q = d_19 / 100,000, the open age's yearly death share
};

// The life table of one sex's 20 class death rates (per 100,000). Empty when
// a rate is NaN, infinite, negative or above 100,000: survival would leave
// 0..1 and the table would mean nothing.
std::optional<LifeTable> MakeLifeTable(std::span<const float, kAgeClasses> deathRates);

// Years lived from birth: deaths fall at mid-year within each single year,
// and a survivor to 99 lives 1/q - 1/2 more years. +infinity when q = 0 and
// someone reaches 99; finite (the open age adds nothing) when nobody does.
double LifeExpectancyAtBirth(const LifeTable& table);

}  // namespace velmora
