#include "analysis/Renewal.h"

#include <cmath>
#include <limits>

namespace velmora {

namespace {

// F(lambda) = sum c_a lambda^-(a+1) - 1 and its derivative, with only the ages
// first..last that bear children: F = x^(first+1) P(x) - 1 with x = 1/lambda
// and P(x) = sum c_{first+k} x^k by Horner.
struct Renewal {
  const NetMaternity& c;
  int first;
  int last;

  struct Value {
    double f;
    double slope;  // dF/dlambda, negative
  };

  Value At(double lambda) const {
    const double x = 1.0 / lambda;
    double p = 0.0;
    double dp = 0.0;
    for (int a = last; a >= first; --a) {
      dp = dp * x + p;
      p = p * x + c[a];
    }
    // x^first by squaring: exact enough, and no library call per evaluation.
    double power = 1.0;
    double base = x;
    for (int n = first; n > 0; n >>= 1) {
      if (n & 1) power *= base;
      base *= base;
    }
    const double psi = power * x * p;                                   // sum c_a x^(a+1)
    const double dpsi = power * ((first + 1) * p + x * dp);             // d psi / dx
    return {psi - 1.0, -dpsi * x * x};
  }
};

}  // namespace

std::optional<NetMaternity> MakeNetMaternity(const LifeTable& women, std::span<const float, kAgeClasses> birthRates) {
  for (const float rate : birthRates) {
    if (!(rate >= 0.0f && rate <= std::numeric_limits<float>::max())) return std::nullopt;
  }
  NetMaternity c;
  for (int age = 0; age < kMothersAges; ++age) {
    c[age] = kGirlsShare * women.survivors[age] * static_cast<double>(birthRates[age / 5]) / 1000.0;
  }
  return c;
}

double NetReproductionRate(const NetMaternity& c) {
  double sum = 0.0;
  for (const double term : c) sum += term;
  return sum;
}

std::optional<double> DominantGrowthFactor(const NetMaternity& c) {
  int first = 0;
  while (first < kMothersAges && c[first] == 0.0) ++first;
  if (first == kMothersAges) return std::nullopt;
  int last = kMothersAges - 1;
  while (c[last] == 0.0) --last;
  const Renewal renewal{c, first, last};

  // Start at NRR^(1/T), T the mean age (a + 1) of the net maternity. By
  // Jensen's inequality F >= 0 there: the start lies at or left of the root,
  // where Newton's method on the convex, falling F climbs monotonically.
  double nrr = 0.0;
  double moment = 0.0;
  for (int a = first; a <= last; ++a) {
    nrr += c[a];
    moment += (a + 1) * c[a];
  }
  double lambda = std::exp(std::log(nrr) / (moment / nrr));
  if (!(lambda > 0.0 && lambda < std::numeric_limits<double>::infinity())) lambda = 1.0;

  // Safeguarded Newton: [lo, hi] always holds the root (F(lo) > 0 > F(hi));
  // a step that leaves it bisects, or doubles while no upper end is known.
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  double lo = 0.0;
  double hi = kInfinity;
  double fLo = kInfinity;
  double fHi = -kInfinity;
  for (int iteration = 0; iteration < 400; ++iteration) {
    const Renewal::Value v = renewal.At(lambda);
    if (v.f == 0.0) return lambda;
    if (v.f > 0.0) {
      lo = lambda;
      fLo = v.f;
    } else {
      hi = lambda;
      fHi = v.f;
    }
    double next = lambda - v.f / v.slope;
    if (next == lambda) break;  // the step is below rounding: converged
    if (!(next > lo && next < hi)) next = hi < kInfinity ? 0.5 * (lo + hi) : 2.0 * lo;
    if (!(next > lo && next < hi)) break;  // lo and hi are neighbouring doubles
    lambda = next;
  }
  // The better end of the bracket (lambda itself is one of them).
  if (hi == kInfinity) return lo;
  if (lo == 0.0) return hi;
  return fLo <= -fHi ? lo : hi;
}

}  // namespace velmora
