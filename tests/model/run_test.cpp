#include "model/Run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "../support/RecordingDisplay.h"
#include "model/Census.h"

namespace velmora {
namespace {

using testing::RecordingDisplay;
using Calls = std::vector<std::string>;

using testing::kExplosion;
using testing::Persons;

HeadCount TotalOf(const WorldRecord& w) {
  HeadCount total;
  for (const HeadCount& count : w.people) total += count;
  return total;
}

// ---------------------------------------------------------------- schedule

TEST(BuildScheduleTest, ConstantCopiesTheStartTableIntoEveryPeriod) {
  WorldRecord w;
  for (int j = 0; j < kAgeClasses; ++j) {
    w.BirthRate(0, j) = 10.0f + j;
    w.DeathRate(0, 0, j) = 100.0f * j;
    w.DeathRate(0, 1, j) = 50.0f * j + 0.25f;
    w.BirthRate(19, j) = 999.0f;  // the end table is overwritten too
    w.DeathRate(19, 1, j) = 999.0f;
  }
  BuildSchedule(w);
  for (int i = 1; i < kPeriods; ++i) {
    for (int j = 0; j < kAgeClasses; ++j) {
      EXPECT_EQ(w.BirthRate(i, j), 10.0f + j);
      EXPECT_EQ(w.DeathRate(i, 0, j), 100.0f * j);
      EXPECT_EQ(w.DeathRate(i, 1, j), 50.0f * j + 0.25f);
    }
  }
}

TEST(BuildScheduleTest, LinearCodesMoveTowardsTheEndTableOverTheirSpan) {
  WorldRecord w;
  w.VariationFunc(0) = kLinear100;
  w.VariationFunc(1) = kLinear10;
  w.BirthRate(19, 3) = 100.0f;
  w.DeathRate(19, 0, 3) = 100.0f;
  w.DeathRate(0, 1, 3) = 100.0f;  // women's deaths fall from 100 to 0
  w.BirthRate(0, 4) = 10.0f;
  w.BirthRate(19, 4) = 20.0f;
  BuildSchedule(w);
  for (int i = 1; i < kPeriods; ++i) {
    EXPECT_EQ(w.BirthRate(i, 3), 5.0f * i) << i;  // 5, 10, ..., 95: never 100
    EXPECT_EQ(w.BirthRate(i, 4), 10.0f + 0.5f * i) << i;
    EXPECT_EQ(w.DeathRate(i, 0, 3), i == 1 ? 50.0f : 100.0f) << i;
    EXPECT_EQ(w.DeathRate(i, 1, 3), i == 1 ? 50.0f : 0.0f) << i;
  }
  WorldRecord mid;
  mid.VariationFunc(0) = kLinear50;
  mid.VariationFunc(1) = kLinear25;
  mid.BirthRate(19, 0) = 30.0f;
  mid.DeathRate(19, 1, 0) = 1000.0f;
  BuildSchedule(mid);
  for (int i = 1; i < kPeriods; ++i) {
    EXPECT_EQ(mid.BirthRate(i, 0), i < 10 ? 3.0f * i : 30.0f) << i;
    EXPECT_EQ(mid.DeathRate(i, 1, 0), i < 5 ? 200.0f * i : 1000.0f) << i;
  }
}

TEST(BuildScheduleTest, LinearIsComputedInDoubleAndRoundedOnce) {
  // From 0.1f to 0.7f over 20 periods. In double, period 10 is halfway,
  // 0.399999998..., which rounds to 0.4f; rounding every step to a float
  // would end one float lower (0.39999998f).
  WorldRecord w;
  w.VariationFunc(0) = kLinear100;
  w.BirthRate(0, 0) = 0.1f;
  w.BirthRate(19, 0) = 0.7f;
  BuildSchedule(w);
  EXPECT_EQ(w.BirthRate(10, 0), 0.4f);
  EXPECT_EQ(w.BirthRate(8, 0), 0.34f);
  EXPECT_EQ(w.BirthRate(1, 0), 0.13f);
}

TEST(BuildScheduleTest, DoublingAndHalvingIgnoreTheEndTable) {
  WorldRecord w;
  w.VariationFunc(0) = kDouble100;
  w.VariationFunc(1) = kHalve25;
  w.BirthRate(0, 7) = 10.0f;
  w.BirthRate(19, 7) = 1.0f;
  w.DeathRate(0, 0, 7) = 1000.0f;
  w.DeathRate(0, 1, 7) = 1000.0f;
  BuildSchedule(w);
  EXPECT_EQ(w.BirthRate(10, 7), 14.142135620117188f);  // 10 x 2^0.5 as a float
  EXPECT_EQ(w.BirthRate(19, 7), 19.318727493286133f);  // 10 x 2^0.95 as a float
  for (int i = 1; i < kPeriods; ++i) EXPECT_LT(w.BirthRate(i, 7), 20.0f) << i;
  EXPECT_EQ(w.DeathRate(1, 0, 7), 870.550537109375f);   // 1000 / 2^0.2
  EXPECT_EQ(w.DeathRate(2, 1, 7), 757.8582763671875f);  // 1000 / 2^0.4
  for (int i = 5; i < kPeriods; ++i) {
    EXPECT_EQ(w.DeathRate(i, 0, 7), 500.0f) << i;
    EXPECT_EQ(w.DeathRate(i, 1, 7), 500.0f) << i;
  }

  WorldRecord fast;
  fast.VariationFunc(0) = kDouble10;
  fast.VariationFunc(1) = kDouble50;
  fast.BirthRate(0, 0) = 10.0f;
  fast.DeathRate(0, 1, 0) = 10.0f;
  BuildSchedule(fast);
  EXPECT_EQ(fast.BirthRate(1, 0), 14.142135620117188f);
  EXPECT_EQ(fast.DeathRate(5, 1, 0), 14.142135620117188f);
  for (int i = 2; i < kPeriods; ++i) EXPECT_EQ(fast.BirthRate(i, 0), 20.0f) << i;
  for (int i = 10; i < kPeriods; ++i) EXPECT_EQ(fast.DeathRate(i, 1, 0), 20.0f) << i;
}

TEST(BuildScheduleTest, EveryCodeReachesItsValueAtTheEndOfItsSpan) {
  struct Case {
    int code;
    int span;
    float reached;  // from S = 8, E = 2
  };
  for (const Case& c :
       {Case{kLinear100, 20, 2.3f}, Case{kLinear50, 10, 2.0f}, Case{kLinear25, 5, 2.0f}, Case{kLinear10, 2, 2.0f},
        Case{kDouble100, 20, 0.0f}, Case{kDouble50, 10, 16.0f}, Case{kDouble25, 5, 16.0f}, Case{kDouble10, 2, 16.0f},
        Case{kHalve100, 20, 0.0f}, Case{kHalve50, 10, 4.0f}, Case{kHalve25, 5, 4.0f}, Case{kHalve10, 2, 4.0f}}) {
    WorldRecord w;
    w.VariationFunc(1) = c.code;
    w.DeathRate(0, 0, 0) = 8.0f;
    w.DeathRate(19, 0, 0) = 2.0f;
    BuildSchedule(w);
    const bool linear = c.code <= kLinear10;
    const bool doubling = c.code >= kDouble100 && c.code <= kDouble10;
    for (int i = 1; i < c.span; ++i) {
      const float value = w.DeathRate(i, 0, 0);
      if (linear) {
        EXPECT_TRUE(value < 8.0f && value > 2.0f) << c.code << " " << i;
      } else if (doubling) {
        EXPECT_TRUE(value > 8.0f && value < 16.0f) << c.code << " " << i;
      } else {
        EXPECT_TRUE(value < 8.0f && value > 4.0f) << c.code << " " << i;
      }
    }
    if (c.span == 20) {
      if (linear) {
        EXPECT_EQ(w.DeathRate(19, 0, 0), c.reached);  // 8 - 6 x 19/20, in double
      }
    } else {
      for (int i = c.span; i < kPeriods; ++i) EXPECT_EQ(w.DeathRate(i, 0, 0), c.reached) << c.code << " " << i;
    }
  }
}

TEST(BuildScheduleTest, UnknownCodesWriteNothingAndCodesActIndependently) {
  for (int code : {-1, 13, 100}) {
    WorldRecord w;
    w.VariationFunc(0) = code;
    w.VariationFunc(1) = kHalve50;
    w.BirthRate(0, 2) = 5.0f;
    w.BirthRate(7, 2) = 42.0f;
    w.BirthRate(19, 2) = 9.0f;
    w.DeathRate(0, 0, 2) = 100.0f;
    BuildSchedule(w);
    EXPECT_EQ(w.BirthRate(1, 2), 0.0f) << code;
    EXPECT_EQ(w.BirthRate(7, 2), 42.0f) << code;
    EXPECT_EQ(w.BirthRate(19, 2), 9.0f) << code;
    EXPECT_EQ(w.DeathRate(10, 0, 2), 50.0f) << code;
  }
  WorldRecord w;
  w.VariationFunc(0) = kConstant;
  w.VariationFunc(1) = 13;
  w.BirthRate(0, 2) = 5.0f;
  w.DeathRate(0, 1, 2) = 100.0f;
  w.DeathRate(19, 1, 2) = 7.0f;
  BuildSchedule(w);
  EXPECT_EQ(w.BirthRate(12, 2), 5.0f);
  EXPECT_EQ(w.DeathRate(12, 1, 2), 0.0f);
  EXPECT_EQ(w.DeathRate(19, 1, 2), 7.0f);
}

// ---------------------------------------------------------------- start

class RunTest : public ::testing::Test {
 protected:
  RunTest() {
    m.StartYear = 2000;
    m.Capacity = Persons(100'000'000);
  }
  std::unique_ptr<ModulePopulation> owner = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *owner;
  WorldRecord& w = m.World;
  RecordingDisplay display;
};

TEST_F(RunTest, StartKeepsTheUsersTablesAndBuildsTheSchedule) {
  w.People(0, 70) = Persons(1);
  w.People(1, 10) = Persons(2);
  w.VariationFunc(0) = kConstant;
  w.VariationFunc(1) = kLinear100;
  w.BirthRate(0, 4) = 80.0f;
  w.BirthRate(19, 4) = 1.0f;
  w.DeathRate(19, 0, 0) = 100.0f;
  m.Exploded = 1;
  m.ElapsedYears = 37;
  m.PeakPopulation = Persons(55);
  m.PyramidContent = kContentDeaths;
  m.RunCenturies = 0;
  const WorldRecord before = w;
  StartRunModel(m, display);
  EXPECT_EQ(m.Exploded, 0);
  EXPECT_EQ(m.WorldAtStart, before);
  EXPECT_EQ(m.WorldHistory[0], before);
  EXPECT_EQ(m.ElapsedYears, 0);
  EXPECT_EQ(m.RunCenturies, 1);
  EXPECT_EQ(m.RunState, kRunning);
  EXPECT_EQ(m.PyramidContent, kContentRelative);
  EXPECT_EQ(m.PeakPopulation, HeadCount());
  EXPECT_EQ(m.Census.Total, Persons(3));
  EXPECT_EQ(m.Census.ElderRatio, 33.3f);
  // The end tables survive in WorldAtStart only.
  EXPECT_EQ(w.BirthRate(19, 4), 80.0f);
  EXPECT_EQ(w.DeathRate(19, 0, 0), 95.0f);
  EXPECT_EQ(m.WorldAtStart.BirthRate(19, 4), 1.0f);
  EXPECT_TRUE(display.calls.empty());
}

TEST_F(RunTest, TwoStartsFromTheSameStateBuildTheSameSchedule) {
  for (int j = 0; j < kAgeClasses; ++j) {
    w.BirthRate(0, j) = 3.7f * j;
    w.BirthRate(19, j) = 100.0f - j;
    w.DeathRate(0, 0, j) = 17.3f * j;
    w.DeathRate(19, 1, j) = 11.1f * j;
  }
  w.VariationFunc(0) = kLinear25;
  w.VariationFunc(1) = kDouble100;
  w.People(1, 30) = Persons(1000);
  StartRunModel(m, display);
  const WorldRecord first = w;
  AdvanceYear(m, display);
  // Reset brings back the tables as the user left them.
  w = m.WorldAtStart;
  StartRunModel(m, display);
  EXPECT_EQ(w, first);
}

TEST_F(RunTest, StartWithoutResetForgetsThePreviousRunsYears) {
  w.People(1, 30) = Persons(1000);
  StartRunModel(m, display);
  AdvanceYear(m, display);
  AdvanceYear(m, display);
  ASSERT_NE(m.WorldHistory[2], m.WorldBlank);
  const auto afterTwoYears = w.people;
  StartRunModel(m, display);
  EXPECT_EQ(m.WorldHistory[0].people, afterTwoYears);
  for (int year = 1; year < kHistoryYears; ++year) EXPECT_EQ(m.WorldHistory[year], m.WorldBlank) << year;
}

TEST_F(RunTest, ConstantCodesLeaveAllTwentyPeriodsEqualToTheStartTables) {
  for (int j = 0; j < kAgeClasses; ++j) {
    w.BirthRate(0, j) = 1.5f * j;
    w.DeathRate(0, 0, j) = 2.5f * j;
    w.DeathRate(0, 1, j) = 3.5f * j;
    w.BirthRate(19, j) = 77.0f;
  }
  StartRunModel(m, display);
  for (int i = 0; i < kPeriods; ++i) {
    for (int j = 0; j < kAgeClasses; ++j) {
      EXPECT_EQ(w.BirthRate(i, j), 1.5f * j);
      EXPECT_EQ(w.DeathRate(i, 0, j), 2.5f * j);
      EXPECT_EQ(w.DeathRate(i, 1, j), 3.5f * j);
    }
  }
}

TEST_F(RunTest, StartWithAnExplodingCensusStillPreparesTheRun) {
  w.People(0, 0) = HeadCount::Max();
  w.People(0, 1) = Persons(1);
  w.VariationFunc(0) = kDouble10;
  w.BirthRate(0, 3) = 10.0f;
  StartRunModel(m, display);
  EXPECT_EQ(display.calls, Calls{kExplosion});
  EXPECT_EQ(m.Exploded, 1);
  EXPECT_EQ(m.WorldHistory[0].People(0, 0), HeadCount::Max());
  EXPECT_EQ(w.BirthRate(2, 3), 20.0f);
}

// ---------------------------------------------------------------- yearly step

TEST_F(RunTest, StepOnAnEmptyWorld) {
  AdvanceYear(m, display);
  EXPECT_EQ(w, WorldRecord());
  EXPECT_EQ(m.ElapsedYears, 1);
  EXPECT_EQ(display.calls, (Calls{"label 0 2001 ", "label 1 0 ", "label 2 0% ", "label 3 -1 ", "label 4 -1 ", "pen 3",
                                  "column 1 100000000", "clear pyramid", "pyramid 0", "circle"}));
}

TEST_F(RunTest, TwoYearsAcrossAPeriodBoundaryComputedByHand) {
  w.People(0, 0) = Persons(1000);
  w.People(0, 98) = Persons(10);
  w.People(0, 99) = Persons(5);
  w.People(1, 20) = Persons(500);
  w.People(1, 24) = Persons(300);
  w.People(1, 25) = Persons(200);
  // Period 0.
  w.DeathRate(0, 0, 0) = 1000.0f;
  w.DeathRate(0, 0, 19) = 50000.0f;
  w.DeathRate(0, 1, 4) = 2000.0f;
  w.BirthRate(0, 4) = 100.0f;
  w.BirthRate(0, 5) = 50.0f;
  // Period 1.
  w.DeathRate(1, 0, 0) = 2000.0f;
  w.DeathRate(1, 0, 19) = 100000.0f;
  w.DeathRate(1, 1, 5) = 1000.0f;
  w.BirthRate(1, 4) = 80.0f;
  w.BirthRate(1, 5) = 20.0f;
  m.ElapsedYears = 4;
  m.PyramidContent = kContentPopulation;
  TakeCensus(m.Census, w, m, display);

  // Year 4 -> 5 under period 0. Men: 1000 x 0.99 = 990 at age 1; 10 x 0.5 =
  // 5 (floor 5.5) reach 99, where 5 x 0.5 = 2.5 -> 3 survive: 8. Women: 490,
  // 294 and 200 survive; births 50 + 30 + 10 = 90: 45 boys (floor 45.95), 45 girls.
  AdvanceYear(m, display);
  EXPECT_EQ(m.ElapsedYears, 5);
  EXPECT_EQ(w.People(0, 0), Persons(45));
  EXPECT_EQ(w.People(0, 1), Persons(990));
  EXPECT_EQ(w.People(0, 99), Persons(8));
  EXPECT_EQ(w.People(1, 0), Persons(45));
  EXPECT_EQ(w.People(1, 21), Persons(490));
  EXPECT_EQ(w.People(1, 25), Persons(294));
  EXPECT_EQ(w.People(1, 26), Persons(200));
  EXPECT_EQ(TotalOf(w), Persons(2072));
  EXPECT_EQ(m.WorldHistory[5], w);
  // Labels of period 1: fertility (40 + 10 rounded) / 100 = 0.5; deaths
  // 90 + 1980 + 800 + 294 + 200 = 3364, x 100 / 2072 = 162.355...
  EXPECT_EQ(display.calls, (Calls{"label 0 2005 ", "label 1 2,072 ", "label 2 0.3% ", "label 3 0.5 ", "label 4 162.35 ",
                                  "pen 3", "column 5 100000000", "clear pyramid", "pyramid -1", "circle"}));
  EXPECT_EQ(display.lastPyramidWorld, w);
  EXPECT_EQ(display.lastCircleCensus, m.Census);

  // Year 5 -> 6 under period 1. Men: 44 (44.1), 970 (970.2); nobody of 99
  // survives. Women: 45, 490, 291 (291.06), 198; births 39 (39.2) + 6 (5.88)
  // + 4 = 49: 25 boys (floor 25.245), 24 girls.
  display.calls.clear();
  AdvanceYear(m, display);
  EXPECT_EQ(w.People(0, 0), Persons(25));
  EXPECT_EQ(w.People(0, 1), Persons(44));
  EXPECT_EQ(w.People(0, 2), Persons(970));
  EXPECT_EQ(w.People(0, 99), HeadCount());
  EXPECT_EQ(w.People(1, 0), Persons(24));
  EXPECT_EQ(w.People(1, 1), Persons(45));
  EXPECT_EQ(w.People(1, 22), Persons(490));
  EXPECT_EQ(w.People(1, 26), Persons(291));
  EXPECT_EQ(w.People(1, 27), Persons(198));
  EXPECT_EQ(TotalOf(w), Persons(2087));
  // Deaths 50 + 88 + 1940 + 291 + 198 = 2567: 256700 / 2087 = 122.9995, truncated.
  EXPECT_EQ(display.calls, (Calls{"label 0 2006 ", "label 1 2,087 ", "label 2 0% ", "label 3 0.5 ", "label 4 122.99 ",
                                  "pen 3", "column 6 100000000", "clear pyramid", "pyramid -1", "circle"}));
  EXPECT_EQ(m.WorldHistory[6], w);
  EXPECT_EQ(m.WorldHistory[5].People(0, 99), Persons(8));
}

TEST_F(RunTest, BirthsSplitIntoBoysAndGirlsThatAddUp) {
  struct Case {
    int64_t births, boys;
  };
  for (const Case& c :
       {Case{1, 1}, Case{2, 1}, Case{3, 2}, Case{99, 50}, Case{100, 51}, Case{101, 51}, Case{12345, 6234}}) {
    w = WorldRecord();
    w.People(1, 20) = Persons(10 * c.births);  // 100 per 1000 women of class 4
    w.BirthRate(0, 4) = 100.0f;
    m.ElapsedYears = 0;
    AdvanceYear(m, display);
    EXPECT_EQ(w.People(0, 0), Persons(c.boys)) << c.births;
    EXPECT_EQ(w.People(1, 0), Persons(c.births - c.boys)) << c.births;
  }
}

TEST_F(RunTest, SurvivalRoundsHalvesUp) {
  w.People(0, 0) = Persons(1);
  w.People(1, 0) = Persons(1);
  w.DeathRate(0, 0, 0) = 50000.0f;  // 0.5 + 0.5: survives
  w.DeathRate(0, 1, 0) = 50001.0f;  // 0.49999 + 0.5: dies
  AdvanceYear(m, display);
  EXPECT_EQ(w.People(0, 1), Persons(1));
  EXPECT_EQ(w.People(1, 1), HeadCount());
}

TEST_F(RunTest, WithoutRatesCohortsShiftAndTheLastAgeAccumulates) {
  for (int a = 0; a < kAges; ++a) {
    w.People(0, a) = Persons(a + 1);
    w.People(1, a) = Persons(1000 + a);
  }
  const WorldRecord start = w;
  const HeadCount total = TotalOf(w);
  for (int year = 1; year <= 3; ++year) {
    AdvanceYear(m, display);
    EXPECT_EQ(TotalOf(w), total) << year;
    EXPECT_EQ(m.Census.Total, total) << year;
  }
  for (int s = 0; s < kSexes; ++s) {
    for (int a = 0; a < 3; ++a) EXPECT_EQ(w.People(s, a), HeadCount()) << s << " " << a;
    for (int a = 3; a < 99; ++a) EXPECT_EQ(w.People(s, a), start.People(s, a - 3)) << s << " " << a;
    EXPECT_EQ(w.People(s, 99), start.People(s, 96) + start.People(s, 97) + start.People(s, 98) + start.People(s, 99));
  }
}

TEST_F(RunTest, WomenOfTheLastAgeBearNoChildren) {
  w.People(1, 99) = Persons(1000);
  w.BirthRate(0, 19) = 1000.0f;
  AdvanceYear(m, display);
  EXPECT_EQ(w.People(0, 0), HeadCount());
  EXPECT_EQ(w.People(1, 0), HeadCount());
  EXPECT_EQ(w.People(1, 99), Persons(1000));
}

TEST_F(RunTest, DeathRatesAbove100000GiveNegativeCounts) {
  w.People(0, 10) = Persons(100);
  w.DeathRate(0, 0, 2) = 150000.0f;
  AdvanceYear(m, display);
  EXPECT_EQ(w.People(0, 11), Persons(-50));
  EXPECT_EQ(m.Census.Total, Persons(-50));
  EXPECT_EQ(display.calls[1], "label 1 -50 ");
}

TEST_F(RunTest, TheLastStepReadsPeriod19) {
  m.ElapsedYears = 99;
  w.People(1, 20) = Persons(10);
  w.BirthRate(19, 4) = 100.0f;
  AdvanceYear(m, display);
  EXPECT_EQ(m.ElapsedYears, 100);
  EXPECT_EQ(m.WorldHistory[100], w);
  EXPECT_EQ(display.calls[0], "label 0 2100 ");
  EXPECT_EQ(display.calls[3], "label 3 0.5 ");
  m.ElapsedYears = 100;  // a snapshot of year 101 has no place
  const WorldRecord before = w;
  EXPECT_THROW(AdvanceYear(m, display), Failure);
  EXPECT_EQ(w, before);
}

// ---------------------------------------------------------------- explosion

class StepOverflowTest : public RunTest {
 protected:
  // The step must leave everything as it was and only report the explosion.
  void ExpectUntouched(const WorldRecord& before, const CensusRecord& censusBefore) {
    EXPECT_EQ(display.calls, Calls{kExplosion});
    EXPECT_EQ(m.Exploded, 1);
    EXPECT_EQ(w.people, before.people);
    // Compared as bytes: a NaN rate is not equal to itself.
    EXPECT_EQ(std::memcmp(w.rates.data(), before.rates.data(), sizeof(float) * w.rates.size()), 0);
    EXPECT_EQ(m.Census, censusBefore);
    EXPECT_EQ(m.ElapsedYears, 3);
    EXPECT_EQ(m.WorldHistory[4], WorldRecord());
  }
  void Step() {
    m.ElapsedYears = 3;
    TakeCensus(m.Census, w, m, display);
    const WorldRecord before = w;
    const CensusRecord censusBefore = m.Census;
    AdvanceYear(m, display);
    ExpectUntouched(before, censusBefore);
  }
};

TEST_F(StepOverflowTest, BirthsSumOutOfRange) {
  // Two children per woman: each age's births fit, their sum does not.
  w.People(1, 20) = Persons(300'000'000'000'000);
  w.People(1, 21) = Persons(300'000'000'000'000);
  w.BirthRate(0, 4) = 2000.0f;
  w.People(0, 5) = Persons(7);
  Step();
}

TEST_F(StepOverflowTest, BirthTermOutOfRange) {
  w.People(1, 20) = Persons(500'000'000'000'000);
  w.BirthRate(0, 4) = 2000.0f;
  Step();
}

TEST_F(StepOverflowTest, SurvivorOutOfRange) {
  // The women's cohort doubles out of range after the men have aged: none
  // of the men's new counts may be kept.
  w.People(0, 50) = Persons(1000);
  w.DeathRate(0, 0, 10) = 1000.0f;
  w.People(1, 30) = Persons(600'000'000'000'000);
  w.DeathRate(0, 1, 6) = -100000.0f;
  Step();
}

TEST_F(StepOverflowTest, OpenLastAgeOutOfRange) {
  // Each age's survivors fit (x 1.5), their sum at 99 does not.
  w.People(1, 98) = Persons(400'000'000'000'000);
  w.People(1, 99) = Persons(400'000'000'000'000);
  w.DeathRate(0, 1, 19) = -50000.0f;
  Step();
}

TEST_F(StepOverflowTest, NaNAndInfiniteRates) {
  w.People(0, 40) = Persons(10);
  w.DeathRate(0, 0, 8) = std::numeric_limits<float>::quiet_NaN();
  Step();
  display.calls.clear();
  m.Exploded = 0;
  w.DeathRate(0, 0, 8) = 0.0f;
  w.People(1, 40) = Persons(10);
  w.BirthRate(0, 8) = std::numeric_limits<float>::infinity();
  Step();
}

TEST_F(RunTest, CensusOverflowKeepsTheExplodedYearAndSkipsTheRefresh) {
  w.People(0, 0) = Persons(500'000'000'000'000);
  w.People(0, 1) = Persons(500'000'000'000'000);
  AdvanceYear(m, display);
  EXPECT_EQ(display.calls, Calls{kExplosion});
  EXPECT_EQ(m.Exploded, 1);
  EXPECT_EQ(m.ElapsedYears, 1);
  EXPECT_EQ(w.People(0, 2), Persons(500'000'000'000'000));
  EXPECT_EQ(m.WorldHistory[1], w);
}

TEST_F(RunTest, OverflowInTheRefreshStopsTheRunButKeepsTheYear) {
  // 10^13 men: the census fits, but 100 x acc of the mean death rate does not.
  w.People(0, 30) = Persons(10'000'000'000'000);
  AdvanceYear(m, display);
  // The second year's death rate is computed with a positive rate.
  w.DeathRate(0, 0, 6) = 1000.0f;
  display.calls.clear();
  AdvanceYear(m, display);
  EXPECT_EQ(display.calls,
            (Calls{"label 0 2002 ", "label 1 9,900,000,000,000 ", "label 2 0% ", "label 3 -1 ", kExplosion}));
  EXPECT_EQ(m.Exploded, 1);
  EXPECT_EQ(m.ElapsedYears, 2);
  EXPECT_EQ(m.WorldHistory[2], w);
  EXPECT_EQ(w.People(0, 32), Persons(9'900'000'000'000));
}

TEST_F(RunTest, YearBeyondTheCounterRangeStopsTheRun) {
  m.StartYear = 32767;
  AdvanceYear(m, display);
  EXPECT_EQ(display.calls, Calls{kExplosion});
  EXPECT_EQ(m.Exploded, 1);
  EXPECT_EQ(m.ElapsedYears, 1);
}

TEST_F(RunTest, AnExplodedRunSkipsTheRefresh) {
  m.Exploded = 1;
  w.People(0, 0) = Persons(3);
  AdvanceYear(m, display);
  EXPECT_TRUE(display.calls.empty());
  EXPECT_EQ(m.ElapsedYears, 1);
  EXPECT_EQ(w.People(0, 1), Persons(3));
}

// ---------------------------------------------------------------- reset figures

TEST(CapacityTest, CapacityIs105PercentOfThePeakFloored) {
  EXPECT_EQ(CapacityFromPeak(Persons(1'234'567)), Persons(1'296'295));
  EXPECT_EQ(CapacityFromPeak(Persons(20)), Persons(21));
  EXPECT_EQ(CapacityFromPeak(HeadCount()), HeadCount());
  EXPECT_EQ(CapacityFromPeak(HeadCount::FromRaw(12345678000)), Persons(1'296'296));  // 1234567.8 x 1.05
  EXPECT_EQ(CapacityFromPeak(HeadCount::FromRaw(190476)), Persons(19));              // 19.99998
  // A peak near the end of the range (after an explosion) is capped.
  EXPECT_EQ(CapacityFromPeak(Persons(900'000'000'000'000)), HeadCount::Max());
  EXPECT_EQ(CapacityFromPeak(HeadCount::Max()), HeadCount::Max());
  EXPECT_EQ(CapacityFromPeak(Persons(878'416'384'462'359)), Persons(922'337'203'685'476));
}

TEST(CapacityTest, TextShowsTheTenThousandsOfThePeakPlusOne) {
  EXPECT_EQ(CapacityTextFromPeak(Persons(1'234'567)), "124");
  EXPECT_EQ(CapacityTextFromPeak(HeadCount()), "1");
  EXPECT_EQ(CapacityTextFromPeak(HeadCount::FromRaw(99'999'999)), "1");  // 9999.9999
  EXPECT_EQ(CapacityTextFromPeak(Persons(10'000)), "2");
  EXPECT_EQ(CapacityTextFromPeak(Persons(125'000'000)), "12501");
  EXPECT_EQ(CapacityTextFromPeak(HeadCount::Max()), "92233720369");
}

}  // namespace
}  // namespace velmora
