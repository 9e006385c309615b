#pragma once

#include <array>

namespace velmora::wpp {

// The UN's abridged ages: 0, 1-4, 5-9, ..., 95-99, 100+.
inline constexpr int kAbridgedAges = 22;
using AbridgedRates = std::array<double, kAbridgedAges>;  // central death rates, deaths per person-year
using ClassRates = std::array<double, 20>;                // the simulator's classes 0-4 .. 95-99

// Life table on the abridged ages, radix 1: ages 0 and 1-4 with the
// Coale-Demeny separation factors, 5-year groups at constant force
// (q = 1 - exp(-5m), L = d/m), the open group 100+ with L = l/m.
struct AbridgedLifeTable {
  std::array<double, kAbridgedAges + 1> l{};  // survivors at the start of each group (and at its end for the last)
  std::array<double, kAbridgedAges> d{};
  std::array<double, kAbridgedAges> bigL{};  // person-years lived in the group
  std::array<double, kAbridgedAges> t{};     // person-years lived from the group on
  double LifeExpectancyAtBirth() const { return t[0] / l[0]; }
};

// a0 and 4a1 given 1m0 (sex 0 men, 1 women).
std::array<double, 2> CoaleDemenySeparation(double m0, int sex);
AbridgedLifeTable BuildLifeTable(const AbridgedRates& mx, int sex);

// The simulator's 20 classes: class 0 is 5m0 of the life table (1m0 and 4m1
// combined), classes 1..18 the published rates, class 19 the open-interval
// rate l95 / T95 (it also holds everyone aged 100 and over).
ClassRates ToClassRates(const AbridgedRates& mx, int sex);

}  // namespace velmora::wpp
