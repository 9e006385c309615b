// The stable population by sex and five-year class, against the closed form
// of constant survival worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Indicators.h"
#include "analysis/StablePopulation.h"

namespace velmora {
namespace {

// Constant survival s at every age of both sexes (the open age included) and
// births at 20-39: the counts are sex share x rho^a for a <= 98 and
// sex share x rho^99 / (1 - rho) at 99, rho = s / lambda. A class c < 19 thus
// holds rho^5c (1 - rho^5) of its sex, class 19 rho^95, and of both sexes the
// sex's share of the newborn times that.
TEST(StableAgesTest, ClassSharesOfConstantSurvivalAreGeometric) {
  struct Case {
    float deaths;  // per 100,000, every age
    float births;  // per 1000 women at 20-39
  };
  // Each grows faster than the open age survives, so a stable population exists.
  const std::vector<Case> cases = {{1000.0f, 150.0f}, {3000.0f, 150.0f}, {200.0f, 120.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deaths);
    WorldRecord w;
    for (int sex = 0; sex < kSexes; ++sex) {
      for (int j = 0; j < kAgeClasses; ++j) w.DeathRate(0, sex, j) = c.deaths;
    }
    for (int j = 4; j < 8; ++j) w.BirthRate(0, j) = c.births;
    const PeriodIndicators p = ComputePeriodIndicators(w, 0);
    const std::optional<StableAgeCounts> ages = ComputeStableAges(w, 0);
    ASSERT_TRUE(p.growthFactor && ages);
    const double s = (100'000.0 - c.deaths) / 100'000.0;
    const double rho = s / *p.growthFactor;
    const StableClassShares shares = ClassSharesOf(*ages);
    for (int sex = 0; sex < kSexes; ++sex) {
      const double newborn = sex == 0 ? 0.505 : 0.495;
      for (int j = 0; j < kAgeClasses; ++j) {
        const double ofSex = j < 19 ? std::pow(rho, 5 * j) * (1.0 - std::pow(rho, 5)) : std::pow(rho, 95);
        EXPECT_NEAR(shares.ofSex[sex][j], ofSex, 1e-12) << sex << " " << j;
        EXPECT_NEAR(shares.share[sex][j], newborn * ofSex, 1e-12) << sex << " " << j;
      }
    }
    // The age-group shares are the same population's.
    ASSERT_TRUE(p.stableShares);
    EXPECT_NEAR((*p.stableShares)[kElders], std::pow(rho, 65), 1e-12);
  }
}

TEST(StableAgesTest, NoneWhereTheIndicatorsHaveNoStablePopulation) {
  struct Case {
    const char* what;
    float births;
    float openAgeDeaths;
    float menDeaths;
  };
  const std::vector<Case> cases = {{"no births", 0.0f, 1000.0f, 1000.0f},
                                   {"open age never dies, shrinking", 10.0f, 0.0f, 1000.0f},
                                   {"men's death rates meaningless", 60.0f, 1000.0f, -5.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WorldRecord w;
    for (int sex = 0; sex < kSexes; ++sex) {
      for (int j = 0; j < kAgeClasses; ++j) w.DeathRate(0, sex, j) = sex == 0 ? c.menDeaths : 1000.0f;
      w.DeathRate(0, sex, 19) = c.openAgeDeaths;
    }
    for (int j = 4; j < 8; ++j) w.BirthRate(0, j) = c.births;
    EXPECT_FALSE(ComputeStableAges(w, 0).has_value());
    EXPECT_FALSE(ComputePeriodIndicators(w, 0).stableShares.has_value());
  }
}

}  // namespace
}  // namespace velmora
