// Period indicators against closed forms worked out by hand on the model's
// yearly process.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "analysis/Indicators.h"
#include "model/Failure.h"

namespace velmora {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Relative closeness for figures of any size.
void ExpectClose(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, 1e-12 * std::max(1.0, std::fabs(expected))) << what;
}

void SetDeaths(WorldRecord& w, int period, int sex, float rate) {
  for (int j = 0; j < kAgeClasses; ++j) w.DeathRate(period, sex, j) = rate;
}

void SetBirths(WorldRecord& w, int period, int firstClass, int lastClass, float rate) {
  for (int j = firstClass; j <= lastClass; ++j) w.BirthRate(period, j) = rate;
}

// With the same survival s at every age and births of phi per woman and year
// at ages first..last, the renewal sum is a geometric series:
//   sum c_a lambda^-(a+1) = 0.495 phi / lambda x rho^first (1 - rho^n) / (1 - rho),
// rho = s / lambda, n = last - first + 1. Its root by bisection, in the test's
// own arithmetic.
double RenewalSum(double s, double phi, int first, int last, double lambda) {
  const double rho = s / lambda;
  const int n = last - first + 1;
  const double series = rho == 1.0 ? n : (1.0 - std::pow(rho, n)) / (1.0 - rho);
  return 0.495 * phi / lambda * std::pow(rho, first) * series;
}

double RootOfRenewal(double s, double phi, int first, int last) {
  double lo = 1e-3;
  double hi = 1e3;
  for (int i = 0; i < 200; ++i) {
    const double mid = 0.5 * (lo + hi);
    (RenewalSum(s, phi, first, last, mid) > 1.0 ? lo : hi) = mid;
  }
  return 0.5 * (lo + hi);
}

// Constant survival at every age, the open age included: the stable counts
// are proportional to rho^a for a <= 98 and rho^99 / (1 - rho) at 99, so the
// shares are 1 - rho^16, rho^16 - rho^65 and rho^65.
void ExpectGeometricStableShares(const PeriodIndicators& p, double rho) {
  ASSERT_TRUE(p.stableShares);
  ExpectClose((*p.stableShares)[kChildren], 1.0 - std::pow(rho, 16), "children");
  ExpectClose((*p.stableShares)[kAdults], std::pow(rho, 16) - std::pow(rho, 65), "adults");
  ExpectClose((*p.stableShares)[kElders], std::pow(rho, 65), "elders");
}

TEST(PeriodIndicatorsTest, SameRatesAtEveryAge) {
  // s = 0.99, q = 0.01; 40 births per 1000 women at every age 0..98.
  WorldRecord w;
  SetDeaths(w, 0, 0, 1000.0f);
  SetDeaths(w, 0, 1, 1000.0f);
  SetBirths(w, 0, 0, kAgeClasses - 1, 40.0f);
  const PeriodIndicators p = ComputePeriodIndicators(w, 0);

  // Every year is alike: e0 = 1/q - 1/2 (the 99 single years and the open
  // age add up to exactly that).
  for (int sex = 0; sex < kSexes; ++sex) {
    ASSERT_TRUE(p.lifeExpectancy[sex]);
    ExpectClose(*p.lifeExpectancy[sex], 99.5, "e0");
  }
  // NRR = 0.495 phi (1 - s^99) / q.
  ASSERT_TRUE(p.netReproduction);
  ExpectClose(*p.netReproduction, 0.495 * 0.04 * (1.0 - std::pow(0.99, 99)) / 0.01, "NRR");
  const double lambda = RootOfRenewal(0.99, 0.04, 0, 98);
  ASSERT_TRUE(p.growthFactor);
  ASSERT_TRUE(p.growthRate);
  ExpectClose(*p.growthFactor, lambda, "lambda");
  ExpectClose(*p.growthRate, std::log(lambda), "r");
  EXPECT_GT(lambda, 1.0);
  ExpectGeometricStableShares(p, 0.99 / lambda);
}

TEST(PeriodIndicatorsTest, NoDeathsBeforeTheOpenAgeAndBirthsAt20To34) {
  // s = 1 everywhere: nobody ever dies, e0 is infinite.
  WorldRecord w;
  SetBirths(w, 0, 4, 6, 200.0f);
  const PeriodIndicators p = ComputePeriodIndicators(w, 0);
  EXPECT_EQ(p.lifeExpectancy[0], kInfinity);
  EXPECT_EQ(p.lifeExpectancy[1], kInfinity);
  // NRR = 0.495 x 15 years x 0.2.
  ASSERT_TRUE(p.netReproduction);
  ExpectClose(*p.netReproduction, 0.495 * 15 * 0.2, "NRR");
  const double lambda = RootOfRenewal(1.0, 0.2, 20, 34);
  ASSERT_TRUE(p.growthFactor);
  ExpectClose(*p.growthFactor, lambda, "lambda");
  ExpectClose(*p.growthRate, std::log(lambda), "r");
  ExpectGeometricStableShares(p, 1.0 / lambda);
}

TEST(PeriodIndicatorsTest, ShrinkingBelowTheOpenAgesSurvivalHasNoStablePopulation) {
  // NRR 0.07425 < 1: lambda < 1 = s_99, so the open age (where nobody dies)
  // would end up holding everybody.
  WorldRecord w;
  SetBirths(w, 0, 4, 6, 10.0f);
  const PeriodIndicators p = ComputePeriodIndicators(w, 0);
  ASSERT_TRUE(p.growthFactor);
  ExpectClose(*p.growthFactor, RootOfRenewal(1.0, 0.01, 20, 34), "lambda");
  EXPECT_LT(*p.growthRate, 0.0);
  EXPECT_FALSE(p.stableShares);
  // When everybody dies in the 95th year, the open age holds nobody and the
  // stable counts are rho^a up to 95: shares in proportion to 1 - rho^16,
  // rho^16 - rho^65 and rho^65 - rho^96.
  for (int sex = 0; sex < kSexes; ++sex) w.DeathRate(0, sex, kAgeClasses - 1) = 100000.0f;
  const PeriodIndicators q = ComputePeriodIndicators(w, 0);
  EXPECT_EQ(q.growthFactor, p.growthFactor);
  const double rho = 1.0 / *q.growthFactor;
  const double all = 1.0 - std::pow(rho, 96);
  ASSERT_TRUE(q.stableShares);
  ExpectClose((*q.stableShares)[kChildren], (1.0 - std::pow(rho, 16)) / all, "children");
  ExpectClose((*q.stableShares)[kAdults], (std::pow(rho, 16) - std::pow(rho, 65)) / all, "adults");
  ExpectClose((*q.stableShares)[kElders], (std::pow(rho, 65) - std::pow(rho, 96)) / all, "elders");
}

TEST(PeriodIndicatorsTest, StationaryPopulationWhoseBirthsExactlyReplaceIt) {
  // Nobody dies before 95 and everybody in the 95th year: l_a = 1 for
  // a <= 95, 0 after. Births at 20-39 summing (per five years of a class) to
  // 1000 / 2.475 per 1000 women make NRR = 1, to the precision of float rates
  // split over four classes.
  WorldRecord w;
  for (int sex = 0; sex < kSexes; ++sex) w.DeathRate(0, sex, kAgeClasses - 1) = 100000.0f;
  const double needed = 1000.0 / (0.495 * 5);
  w.BirthRate(0, 4) = 300.0f;
  w.BirthRate(0, 5) = 104.0f;
  const double rest = needed - 404.0;
  float part = static_cast<float>(rest);
  if (part > rest) part = std::nextafter(part, 0.0f);
  w.BirthRate(0, 6) = part;
  w.BirthRate(0, 7) = static_cast<float>(rest - part);
  const PeriodIndicators p = ComputePeriodIndicators(w, 0);
  // 95 whole years, and half of the 96th.
  ExpectClose(p.lifeExpectancy[0].value(), 95.5, "e0 men");
  ExpectClose(p.lifeExpectancy[1].value(), 95.5, "e0 women");
  ExpectClose(p.netReproduction.value(), 1.0, "NRR");
  ExpectClose(p.growthFactor.value(), 1.0, "lambda");
  EXPECT_NEAR(p.growthRate.value(), 0.0, 1e-12);
  // The stable population is the life table itself: 96 equal ages.
  ASSERT_TRUE(p.stableShares);
  ExpectClose((*p.stableShares)[kChildren], 16.0 / 96, "children");
  ExpectClose((*p.stableShares)[kAdults], 49.0 / 96, "adults");
  ExpectClose((*p.stableShares)[kElders], 31.0 / 96, "elders");
}

TEST(PeriodIndicatorsTest, NoBirthsHasNoGrowthFactor) {
  WorldRecord w;
  // Men all die in their first year: half a year each, although nobody who
  // reaches 99 would die there (q = 0 does not make it infinite).
  w.DeathRate(0, 0, 0) = 100000.0f;
  const PeriodIndicators p = ComputePeriodIndicators(w, 0);
  EXPECT_EQ(p.lifeExpectancy[0], 0.5);
  EXPECT_EQ(p.lifeExpectancy[1], kInfinity);
  EXPECT_EQ(p.netReproduction, 0.0);
  EXPECT_FALSE(p.growthFactor || p.growthRate || p.stableShares);
  // Births only where no woman lives any more are no births either.
  w.DeathRate(0, 1, 2) = 100000.0f;  // all die at 10-14
  SetBirths(w, 0, 3, 9, 100.0f);
  const PeriodIndicators q = ComputePeriodIndicators(w, 0);
  ExpectClose(q.lifeExpectancy[1].value(), 10.5, "e0 women");
  EXPECT_EQ(q.netReproduction, 0.0);
  EXPECT_FALSE(q.growthFactor);
}

TEST(PeriodIndicatorsTest, OpenAgeLivesOneOverQMinusAHalf) {
  // Nobody dies before 95; from 95 on q = 0.5: l_95..l_99 = 1, 1/2, 1/4,
  // 1/8, 1/16. Years: 95 + (3/4 + 3/8 + 3/16 + 3/32) + 1/16 x (2 - 1/2).
  WorldRecord w;
  SetDeaths(w, 0, 0, 0.0f);
  w.DeathRate(0, 0, kAgeClasses - 1) = 50000.0f;
  const PeriodIndicators p = ComputePeriodIndicators(w, 0);
  ExpectClose(p.lifeExpectancy[0].value(), 95.0 + 0.75 + 0.375 + 0.1875 + 0.09375 + 0.0625 * 1.5, "e0");
}

bool NothingOfReproduction(const PeriodIndicators& p) {
  return !p.netReproduction && !p.growthFactor && !p.growthRate && !p.stableShares;
}

TEST(PeriodIndicatorsTest, RatesWithoutMeaningGiveEmptyFigures) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  WorldRecord good;
  SetDeaths(good, 0, 0, 500.0f);
  SetDeaths(good, 0, 1, 400.0f);
  SetBirths(good, 0, 4, 6, 300.0f);
  const PeriodIndicators base = ComputePeriodIndicators(good, 0);
  ASSERT_TRUE(base.stableShares);

  for (const float bad : {nan, inf, -inf, -0.5f, 100000.5f}) {
    WorldRecord men = good;
    men.DeathRate(0, 0, 7) = bad;
    const PeriodIndicators m = ComputePeriodIndicators(men, 0);
    EXPECT_FALSE(m.lifeExpectancy[0]) << bad;
    EXPECT_EQ(m.lifeExpectancy[1], base.lifeExpectancy[1]) << bad;
    EXPECT_EQ(m.growthFactor, base.growthFactor) << bad;  // the women's alone
    EXPECT_FALSE(m.stableShares) << bad;

    WorldRecord women = good;
    women.DeathRate(0, 1, 19) = bad;
    const PeriodIndicators f = ComputePeriodIndicators(women, 0);
    EXPECT_EQ(f.lifeExpectancy[0], base.lifeExpectancy[0]) << bad;
    EXPECT_FALSE(f.lifeExpectancy[1]) << bad;
    EXPECT_TRUE(NothingOfReproduction(f)) << bad;

    if (bad > 100000.0f) continue;  // a birth rate may be that high
    WorldRecord births = good;
    births.BirthRate(0, 19) = bad;  // even a class of no mothers but 95-98
    const PeriodIndicators b = ComputePeriodIndicators(births, 0);
    EXPECT_EQ(b.lifeExpectancy, base.lifeExpectancy) << bad;
    EXPECT_TRUE(NothingOfReproduction(b)) << bad;
  }
  // The limits themselves are rates.
  WorldRecord edge;
  edge.DeathRate(0, 0, 3) = 100000.0f;
  const PeriodIndicators e = ComputePeriodIndicators(edge, 0);
  ExpectClose(e.lifeExpectancy[0].value(), 15.5, "e0 of men who all die at 15");
  EXPECT_EQ(e.lifeExpectancy[1], kInfinity);
}

TEST(PeriodIndicatorsTest, ExtremeRatesGiveNoNaN) {
  const float tiny = std::numeric_limits<float>::denorm_min();
  const float huge = std::numeric_limits<float>::max();
  for (const float births : {tiny, 1e-20f, 1.0f, 1e20f, huge}) {
    for (const float deaths : {0.0f, 1.0f, 99999.0f, 99999.99f}) {
      WorldRecord w;
      SetDeaths(w, 0, 0, deaths);
      SetDeaths(w, 0, 1, deaths);
      SetBirths(w, 0, 0, kAgeClasses - 1, births);
      const PeriodIndicators p = ComputePeriodIndicators(w, 0);
      for (const auto& e0 : p.lifeExpectancy) EXPECT_FALSE(e0 && std::isnan(*e0));
      for (const auto& figure : {p.netReproduction, p.growthFactor, p.growthRate}) {
        ASSERT_TRUE(figure) << births << " " << deaths;
        EXPECT_TRUE(std::isfinite(*figure)) << births << " " << deaths;
      }
      if (p.stableShares) {
        const auto& [children, adults, elders] = *p.stableShares;
        EXPECT_NEAR(children + adults + elders, 1.0, 1e-12) << births << " " << deaths;
      }
    }
  }
  // Births at age 0 only, per year: lambda is simply c_0 = 0.495 f / 1000.
  WorldRecord w;
  w.BirthRate(0, 0) = huge;
  w.DeathRate(0, 1, 0) = 100000.0f;  // no mother lives past 0
  const PeriodIndicators p = ComputePeriodIndicators(w, 0);
  ExpectClose(p.growthFactor.value(), 0.495 * static_cast<double>(huge) / 1000.0, "lambda");
}

TEST(PeriodIndicatorsTest, PeriodTwentyReadsNineteen) {
  WorldRecord w;
  SetDeaths(w, 19, 0, 1000.0f);
  const PeriodIndicators p = ComputePeriodIndicators(w, 20);
  ExpectClose(p.lifeExpectancy[0].value(), 99.5, "e0");
  EXPECT_EQ(p.lifeExpectancy[1], kInfinity);
  try {
    ComputePeriodIndicators(w, -1);
    ADD_FAILURE() << "period -1 accepted";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code, kSubscriptOutOfRange);
  }
}

// The renewal sum in extended precision: the growth factor must sit on the
// root to the last bits, not just within a tolerance.
TEST(PeriodIndicatorsTest, GrowthFactorIsTheRootToTheLastBits) {
  WorldRecord w;
  const float births[kAgeClasses] = {0, 0, 0, 5, 35, 95, 90, 45, 10, 1};
  for (int j = 0; j < kAgeClasses; ++j) {
    w.BirthRate(0, j) = births[j];
    w.DeathRate(0, 1, j) = j == 0 ? 300.0f : std::min(20.0f * std::exp(0.45f * j), 100000.0f);
  }
  const double lambda = ComputePeriodIndicators(w, 0).growthFactor.value();
  auto excess = [&](double at) {
    long double l = 1.0L;
    long double sum = 0.0L;
    for (int a = 0; a < kAges - 1; ++a) {
      sum += 0.495L * l * births[a / 5] / 1000.0L / std::pow(static_cast<long double>(at), a + 1);
      l *= (100000.0L - w.DeathRate(0, 1, a / 5)) / 100000.0L;
    }
    return sum - 1.0L;
  };
  const double below = std::nextafter(std::nextafter(lambda, 0.0), 0.0);
  const double above = std::nextafter(std::nextafter(lambda, 2.0), 2.0);
  EXPECT_GT(excess(below), 0.0L);
  EXPECT_LT(excess(above), 0.0L);
}

}  // namespace
}  // namespace velmora
