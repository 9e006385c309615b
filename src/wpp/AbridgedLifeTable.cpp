#include "wpp/AbridgedLifeTable.h"

#include <cmath>

#include "wpp/Table.h"

namespace velmora::wpp {

std::array<double, 2> CoaleDemenySeparation(double m0, int sex) {
  if (sex == 0) return m0 >= 0.107 ? std::array{0.330, 1.352} : std::array{0.045 + 2.684 * m0, 1.651 - 2.816 * m0};
  return m0 >= 0.107 ? std::array{0.350, 1.361} : std::array{0.053 + 2.800 * m0, 1.522 - 1.518 * m0};
}

AbridgedLifeTable BuildLifeTable(const AbridgedRates& mx, int sex) {
  for (const double m : mx) {
    if (!(m >= 0.0) || !std::isfinite(m)) throw WppError("a death rate is negative or not a number");
  }
  if (mx.back() <= 0.0) throw WppError("the death rate of ages 100+ is zero: nobody would ever die");
  const auto [a0, a1] = CoaleDemenySeparation(mx[0], sex);
  AbridgedLifeTable table;
  table.l[0] = 1.0;
  for (int i = 0; i < kAbridgedAges; ++i) {
    const double l = table.l[i];
    const double m = mx[i];
    double d = 0.0;
    double bigL = 0.0;
    if (i == kAbridgedAges - 1) {
      d = l;
      bigL = l / m;
    } else if (i < 2) {
      const double n = i == 0 ? 1.0 : 4.0;
      const double a = i == 0 ? a0 : a1;
      d = l * n * m / (1.0 + (n - a) * m);
      bigL = n * (l - d) + a * d;
    } else if (m == 0.0) {
      bigL = 5.0 * l;  // the limit of d/m: nobody dies in the group
    } else {
      d = l * (1.0 - std::exp(-5.0 * m));
      bigL = d / m;
    }
    table.d[i] = d;
    table.bigL[i] = bigL;
    table.l[i + 1] = l - d;
  }
  // Summed from each group to the end, in the same order for every group.
  for (int i = 0; i < kAbridgedAges; ++i) {
    double sum = 0.0;
    for (int j = i; j < kAbridgedAges; ++j) sum += table.bigL[j];
    table.t[i] = sum;
  }
  return table;
}

ClassRates ToClassRates(const AbridgedRates& mx, int sex) {
  const AbridgedLifeTable table = BuildLifeTable(mx, sex);
  ClassRates rates{};
  rates[0] = (table.d[0] + table.d[1]) / (table.bigL[0] + table.bigL[1]);
  for (int c = 1; c < 19; ++c) rates[c] = mx[c + 1];
  rates[19] = table.l[20] / table.t[20];
  return rates;
}

}  // namespace velmora::wpp
