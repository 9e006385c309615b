#include "wpp/SingleYear.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "wpp/Table.h"

namespace velmora::wpp {

namespace {

constexpr int kGroups = 20;  // 0-4 .. 95-99; 100+ is not split
constexpr double kWidth = 5.0;

// The spline's value at age x, from the cumulative counts and the slopes at
// the knots. The powers are taken with pow, as the reference tables were.
double Cumulative(double x, const std::array<double, kGroups + 1>& knots,
                  const std::array<double, kGroups + 1>& slopes) {
  const int i = std::min(static_cast<int>(std::floor(x / kWidth)), kGroups - 1);
  const double t = (x - i * kWidth) / kWidth;
  const double t3 = std::pow(t, 3.0);
  const double t2 = std::pow(t, 2.0);
  const double h00 = 2 * t3 - 3 * t2 + 1;
  const double h10 = t3 - 2 * t2 + t;
  const double h01 = -2 * t3 + 3 * t2;
  const double h11 = t3 - t2;
  return h00 * knots[i] + h10 * kWidth * slopes[i] + h01 * knots[i + 1] + h11 * kWidth * slopes[i + 1];
}

}  // namespace

SingleYearCounts SplitSingleYears(const GroupCounts& groups) {
  for (const int64_t count : groups) {
    if (count < 0) throw WppError("a population group is negative");
  }
  std::array<double, kGroups + 1> knots{};
  std::array<double, kGroups> density{};  // mean persons per single year in each group
  for (int g = 0; g < kGroups; ++g) {
    knots[g + 1] = knots[g] + static_cast<double>(groups[g]);
    density[g] = static_cast<double>(groups[g]) / kWidth;
  }
  // Harmonic-mean slopes inside (zero beside an empty group), three-point
  // end slopes clipped at zero: the spline never decreases.
  std::array<double, kGroups + 1> slopes{};
  for (int k = 1; k < kGroups; ++k) {
    if (density[k - 1] > 0 && density[k] > 0) slopes[k] = 2.0 / (1.0 / density[k - 1] + 1.0 / density[k]);
  }
  slopes[0] = std::max(0.0, (3 * density[0] - density[1]) / 2);
  slopes[kGroups] = std::max(0.0, (3 * density[kGroups - 1] - density[kGroups - 2]) / 2);

  SingleYearCounts single{};
  for (int g = 0; g < kGroups; ++g) {
    std::array<double, 5> part{};
    std::array<int64_t, 5> floors{};
    int64_t floorSum = 0;
    for (int j = 0; j < 5; ++j) {
      const int age = g * 5 + j;
      part[j] = Cumulative(age + 1, knots, slopes) - Cumulative(age, knots, slopes);
      floors[j] = static_cast<int64_t>(std::floor(part[j]));
      floorSum += floors[j];
    }
    // The persons the floors leave out go to the largest remainders; equal
    // remainders go to the younger age first.
    const int64_t shortBy = std::clamp<int64_t>(groups[g] - floorSum, 0, 5);
    std::array<int, 5> order{0, 1, 2, 3, 4};
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return part[a] - floors[a] > part[b] - floors[b]; });
    for (int k = 0; k < shortBy; ++k) ++floors[order[k]];
    const int64_t kept = std::accumulate(floors.begin(), floors.end(), int64_t{0});
    if (kept != groups[g] || *std::min_element(floors.begin(), floors.end()) < 0)
      throw WppError("the single-year split lost persons in group " + std::to_string(g * 5) + "-" +
                     std::to_string(g * 5 + 4));
    std::copy(floors.begin(), floors.end(), single.begin() + g * 5);
  }
  single[99] += groups[kGroups];
  return single;
}

}  // namespace velmora::wpp
