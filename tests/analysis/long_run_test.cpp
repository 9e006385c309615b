// The model's own run, held at one set of rates for centuries, settles on the
// growth factor and the stable shares that the period indicators predict.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/QuietDisplay.h"
#include "analysis/Indicators.h"
#include "model/ModulePopulation.h"
#include "model/Run.h"

namespace velmora {
namespace {

double Total(const WorldRecord& w) {
  double total = 0.0;
  for (const HeadCount& count : w.people) total += count.ToDouble();
  return total;
}

std::array<double, kAgeGroups> GroupShares(const CensusRecord& census) {
  std::array<double, kAgeGroups> shares{};
  for (int group = 0; group < kAgeGroups; ++group) {
    shares[group] = (census.GroupSum(0, group) + census.GroupSum(1, group)).ToDouble() / census.Total.ToDouble();
  }
  return shares;
}

struct Case {
  const char* name;
  float fertility;  // scales a schedule over 15-49
  float mortality;  // scales the death rates
  int64_t perAge;   // the flat start's persons per age and sex
};

class LongRunTest : public ::testing::TestWithParam<Case> {};

TEST_P(LongRunTest, ApproachesTheGrowthFactorAndTheStableShares) {
  const Case c = GetParam();
  auto m = std::make_unique<ModulePopulation>();
  m->StartYear = 2000;
  m->Capacity = HeadCount::FromPersons(100'000'000);
  WorldRecord& w = m->World;
  // A flat start: far from stable, so the run has to get there on its own.
  // Large enough that rounding to whole persons stays far below the
  // tolerances after 400 years.
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int age = 0; age < kAges; ++age) w.People(sex, age) = HeadCount::FromPersons(c.perAge);
  }
  const float births[kAgeClasses] = {0, 0, 0, 20, 60, 80, 70, 40, 15, 3};
  for (int j = 0; j < kAgeClasses; ++j) {
    w.BirthRate(0, j) = births[j] * c.fertility;
    const float deaths = j == 0 ? 200.0f : std::min(15.0f * std::exp(0.42f * j), 60000.0f);
    w.DeathRate(0, 0, j) = std::min(1.3f * deaths * c.mortality, 100000.0f);
    w.DeathRate(0, 1, j) = std::min(deaths * c.mortality, 100000.0f);
  }
  const PeriodIndicators expected = ComputePeriodIndicators(w, 0);
  ASSERT_TRUE(expected.growthFactor);
  ASSERT_TRUE(expected.stableShares);

  // Four runs of 100 years back to back; constant rates keep every period
  // equal to the start table.
  QuietDisplay display;
  double previous = 0.0;
  for (int run = 0; run < 4; ++run) {
    StartRunModel(*m, display);
    for (int year = 0; year < 100; ++year) {
      previous = Total(w);
      AdvanceYear(*m, display);
      ASSERT_EQ(m->Exploded, 0);
    }
  }
  const double ratio = Total(w) / previous;
  // Whole-person rounding keeps the run some 1e-8 off the exact process.
  EXPECT_NEAR(ratio, *expected.growthFactor, 1e-7) << c.name;
  const std::array<double, kAgeGroups> shares = GroupShares(m->Census);
  for (int group = 0; group < kAgeGroups; ++group) {
    EXPECT_NEAR(shares[group], (*expected.stableShares)[group], 1e-6) << c.name << " group " << group;
  }
}

INSTANTIATE_TEST_SUITE_P(Rates, LongRunTest,
                         ::testing::Values(Case{"growing", 1.6f, 1.0f, 1'000'000},
                                           Case{"shrinking", 1.0f, 1.0f, 1'000'000'000},
                                           Case{"high mortality", 2.0f, 4.0f, 1'000'000}),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) ch = ch == ' ' ? '_' : ch;
                           return name;
                         });

}  // namespace
}  // namespace velmora
