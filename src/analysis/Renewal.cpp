#include "analysis/Renewal.h"

#include <cmath>
#include <limits>

namespace velmora {

namespace {

// psi(x) = sum c_a x^(a+1) at x = 1/lambda, and its derivative, with only
// the ages first..last that bear children: psi = x^(first+1) P(x), P(x) =
// sum c_{first+k} x^k by Horner.
struct RenewalSum {
  const NetMaternity& c;
  int first;
  int last;

  struct Value {
    double psi;
    double slope;  // d psi / dx
  };

  Value At(double x) const {
    double p = 0.0;
    double dp = 0.0;
    for (int a = last; a >= first; --a) {
      dp = dp * x + p;
      p = p * x + c[a];
    }
    // x^first by squaring: no library call per evaluation.
    double power = 1.0;
    double base = x;
    for (int n = first; n > 0; n >>= 1) {
      if (n & 1) power *= base;
      base *= base;
    }
    return {power * x * p, power * ((first + 1) * p + x * dp)};
  }
};

}  // namespace

std::optional<NetMaternity> MakeNetMaternity(const LifeTable& women, std::span<const float, kAgeClasses> birthRates) {
  for (const float rate : birthRates) {
    if (!(rate >= 0.0f && rate <= std::numeric_limits<float>::max())) return std::nullopt;
  }
  NetMaternity c;
  for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
    const double daughters = kGirlsShare * static_cast<double>(birthRates[ageClass]) / 1000.0;  // per woman alive
    for (int age = 5 * ageClass; age < 5 * ageClass + 5 && age < kMothersAges; ++age) {
      c[age] = daughters * women.survivors[age];
    }
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
  const RenewalSum renewal{c, first, last};

  // The root of g(r) = ln psi(e^-r) with r = ln lambda: g is convex and falls
  // with slope -(mean age + 1) of the births it weighs, nearly a straight
  // line far from the root, so Newton's method on it gets there in a few
  // steps from anywhere. Start at r = ln NRR / T, T the mean of a + 1 under
  // c: by Jensen's inequality g >= 0 there, at or left of the root, whence
  // Newton's steps on a convex falling function climb to it monotonically.
  double nrr = 0.0;
  double moment = 0.0;
  for (int a = first; a <= last; ++a) {
    nrr += c[a];
    moment += (a + 1) * c[a];
  }
  double lambda = std::exp(std::log(nrr) / (moment / nrr));
  if (!(lambda > 0.0 && lambda < std::numeric_limits<double>::infinity())) lambda = 1.0;

  // Safeguarded: [lo, hi] always holds the root (psi(1/lo) > 1 > psi(1/hi));
  // a step that leaves it (rounding, or psi out of range) bisects, or doubles
  // while no upper end is known.
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  double lo = 0.0;
  double hi = kInfinity;
  double excessLo = kInfinity;  // psi - 1 at each end
  double excessHi = -1.0;
  for (int iteration = 0; iteration < 200; ++iteration) {
    const double x = 1.0 / lambda;
    const RenewalSum::Value v = renewal.At(x);
    if (v.psi == 1.0) return lambda;
    if (v.psi > 1.0) {
      lo = lambda;
      excessLo = v.psi - 1.0;
    } else {
      hi = lambda;
      excessHi = v.psi - 1.0;
    }
    // r + dr with dr = -g / g'; expm1 keeps the last step's bits.
    double next = lambda + lambda * std::expm1(std::log(v.psi) * v.psi / (x * v.slope));
    if (next == lambda) break;  // the step is below rounding: converged
    if (!(next > lo && next < hi)) next = hi < kInfinity ? 0.5 * (lo + hi) : 2.0 * lo;
    if (!(next > lo && next < hi)) break;  // lo and hi are neighbouring doubles
    lambda = next;
  }
  // The better end of the bracket (lambda itself is one of them).
  if (hi == kInfinity) return lo;
  if (lo == 0.0) return hi;
  return excessLo <= -excessHi ? lo : hi;
}

}  // namespace velmora
