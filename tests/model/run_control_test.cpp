#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../support/RecordingDisplay.h"
#include "FailureCode.h"
#include "model/Failure.h"
#include "model/RunControl.h"

namespace velmora {
namespace {

using testing::RecordingDisplay;
using Calls = std::vector<std::string>;

using testing::kExplosion;
using testing::Persons;

class RunControlTest : public ::testing::Test {
 protected:
  // WorldHistory alone is 101 records: the model lives on the heap.
  std::unique_ptr<ModulePopulation> model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  RecordingDisplay display;
  RunControl control{m, display};
};

// ------------------------------------------------------------------ captions

TEST(ControllerCaptions, NumberThenSuffix) {
  struct Case {
    std::string caption;
    std::string expected;
  };
  const Case cases[] = {
      {YearCaption(2000), "2000 "},
      {YearCaption(2100), "2100 "},
      {PopulationCaption(Persons(1'234'567)), "1,234,567 "},
      {PopulationCaption(HeadCount()), "0 "},
      {EldersCaption(23.4f), "23.4% "},
      {EldersCaption(0.0f), "0% "},
      {FertilityCaption(1.33f), "1.33 "},
      {FertilityCaption(-1.0f), "-1 "},  // nothing to measure
      {DeathsCaption(76.47f), "76.47 "},
      {DeathsCaption(2.0f), "2 "},
  };
  for (const Case& c : cases) EXPECT_EQ(c.caption, c.expected);
}

// --------------------------------------------------------------- clock tick

TEST_F(RunControlTest, TickEndsTheRunOrStepsOneYear) {
  struct Case {
    const char* name;
    int64_t people;  // men of age 30
    int elapsed;
    int runCenturies;
    TickResult result;
    int elapsedAfter;
    int runCenturiesAfter;
  };
  const Case cases[] = {
      {"no one left", 0, 10, 1, TickResult::kDiedOut, 10, 0},
      {"a negative total", -5, 10, 1, TickResult::kDiedOut, 10, 0},
      {"no one left in the last year", 0, 100, 1, TickResult::kDiedOut, 100, 0},
      {"a hundred years done", 7, 100, 1, TickResult::kFinished, 100, 0},
      {"no run started (resume before start)", 7, 0, 0, TickResult::kFinished, 0, 0},
      {"first year", 7, 0, 1, TickResult::kStepped, 1, 1},
      {"last year", 7, 99, 1, TickResult::kStepped, 100, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m.World = WorldRecord{};
    m.World.People(0, 30) = Persons(c.people);
    m.Census.Total = Persons(c.people);
    m.ElapsedYears = c.elapsed;
    m.RunCenturies = c.runCenturies;
    m.Exploded = 0;
    const WorldRecord before = m.World;
    EXPECT_EQ(control.Tick(), c.result);
    EXPECT_EQ(m.ElapsedYears, c.elapsedAfter);
    EXPECT_EQ(m.RunCenturies, c.runCenturiesAfter);
    if (c.result != TickResult::kStepped) EXPECT_EQ(m.World, before) << "the end test moves nothing";
  }
}

TEST_F(RunControlTest, TickKeepsThePeakPopulation) {
  struct Case {
    int64_t peakBefore;
    int64_t population;
    int64_t peakAfter;
  };
  // Zero rates: the population of the year after is the population now.
  const Case cases[] = {{0, 10, 10}, {9, 10, 10}, {10, 10, 10}, {11, 10, 11}, {1'000'000, 3, 1'000'000}};
  for (const Case& c : cases) {
    m.World = WorldRecord{};
    m.World.People(1, 40) = Persons(c.population);
    m.Census.Total = Persons(c.population);
    m.ElapsedYears = 0;
    m.RunCenturies = 1;
    m.PeakPopulation = Persons(c.peakBefore);
    ASSERT_EQ(control.Tick(), TickResult::kStepped);
    EXPECT_EQ(m.PeakPopulation, Persons(c.peakAfter)) << c.peakBefore << " then " << c.population;
  }
}

TEST_F(RunControlTest, TickReportsAnExplosionAndTheClockStaysOff) {
  // 400 trillion of each sex aged 20, every woman bearing a child: the
  // census of the next year passes the largest head count.
  m.World.People(0, 20) = Persons(400'000'000'000'000);
  m.World.People(1, 20) = Persons(400'000'000'000'000);
  m.World.BirthRate(0, 4) = 1000.0f;
  ASSERT_FALSE(control.Start());
  EXPECT_EQ(control.Tick(), TickResult::kExploded);
  EXPECT_EQ(m.Exploded, 1);
  EXPECT_EQ(display.calls, Calls{kExplosion});
}

// -------------------------------------------------------------------- start

TEST_F(RunControlTest, StartSaysWhetherTheStartingCensusExploded) {
  struct Case {
    const char* name;
    int64_t eachOfTwoAges;
    bool exploded;
  };
  const Case cases[] = {
      {"ordinary", 1'000, false},
      {"sum just inside the range", 461'168'601'842'738, false},
      {"sum just outside the range", 461'168'601'842'739, true},
      {"two halves of a quadrillion", 500'000'000'000'000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m.World = WorldRecord{};
    m.World.People(0, 30) = Persons(c.eachOfTwoAges);
    m.World.People(0, 31) = Persons(c.eachOfTwoAges);
    m.Exploded = 1;  // a previous run's explosion is cleared by Start
    display.calls.clear();
    EXPECT_EQ(control.Start(), c.exploded);
    EXPECT_EQ(m.Exploded, c.exploded ? 1 : 0);
    EXPECT_EQ(display.calls, c.exploded ? Calls{kExplosion} : Calls{});
    EXPECT_EQ(m.RunState, kRunning);
    EXPECT_EQ(m.ElapsedYears, 0);
  }
}

TEST_F(RunControlTest, AfterAnExplosionAtStartTheFirstTickStopsTheRun) {
  // The census left its total as it was: whatever that total, the first
  // tick never re-arms the clock.
  for (const int64_t staleTotal : {int64_t{0}, int64_t{5}}) {
    m.World = WorldRecord{};
    m.World.People(0, 30) = Persons(500'000'000'000'000);
    m.World.People(0, 31) = Persons(500'000'000'000'000);
    m.Census.Total = Persons(staleTotal);
    ASSERT_TRUE(control.Start());
    EXPECT_NE(control.Tick(), TickResult::kStepped) << "stale total " << staleTotal;
  }
}

// -------------------------------------------------------------------- reset

TEST_F(RunControlTest, ResetRestoresTheStartAndRefreshesInOrder) {
  // 2000 boys of 10, 1000 women of 40 and 1000 of 70; a birth rate of 100
  // in class 4 and a women's death rate of 1000 in class 14.
  WorldRecord start;
  start.People(0, 10) = Persons(2000);
  start.People(1, 40) = Persons(1000);
  start.People(1, 70) = Persons(1000);
  start.BirthRate(0, 4) = 100.0f;
  start.DeathRate(0, 1, 14) = 1000.0f;
  m.WorldAtStart = start;
  m.World.People(0, 50) = Persons(3);  // a run's last year, replaced
  for (int year = 0; year < kHistoryYears; ++year) m.WorldHistory[year].People(0, 0) = Persons(year + 1);
  m.PeakPopulation = Persons(1'234'567);
  m.RunState = kPaused;
  m.StartYear = 1999;
  m.ElapsedYears = 42;

  control.Reset();
  EXPECT_EQ(m.RunState, kIdle);
  EXPECT_EQ(m.Capacity, Persons(1'296'295));  // floor(1,234,567 x 1.05)
  EXPECT_EQ(m.StartYear, 2000);
  EXPECT_EQ(m.ElapsedYears, 42) << "only Start sets the elapsed years";
  EXPECT_EQ(m.World, start);
  EXPECT_EQ(m.Census.Total, Persons(4000));
  EXPECT_EQ(m.WorldHistory[0], start);
  for (int year = 1; year < kHistoryYears; ++year) ASSERT_EQ(m.WorldHistory[year], m.WorldBlank) << year;
  // Elders 1000 / 4000 = 25 %; fertility 100 / 2 / 100 = 0.5; deaths
  // 1000 x 1000 / 1000 x 100 / 4000 x 100 / 100 = 25 per 10,000.
  EXPECT_EQ(display.calls, (Calls{"label 0 2000 ", "label 1 4,000 ", "label 2 25% ", "label 3 0.5 ", "label 4 25 ",
                                  "clear graph", "column 0 1296295", "clear circle", "pyramid 0"}));
}

TEST_F(RunControlTest, ResetSaysAnOverflowingDeathRateLikeAnExplosionAndStillDraws) {
  m.WorldAtStart.People(1, 30) = Persons(1'000'000'000'000);
  m.WorldAtStart.DeathRate(0, 1, 6) = 1.0e9f;
  control.Reset();
  EXPECT_EQ(m.Exploded, 0) << "the figure, not the population, left the range";
  const Calls tail(display.calls.end() - 5, display.calls.end());
  EXPECT_EQ(tail, (Calls{kExplosion, "clear graph", "column 0 0", "clear circle", "pyramid 0"}));
}

// ------------------------------------------------------------------- adopt

TEST_F(RunControlTest, AdoptingALoadedPopulation) {
  struct Case {
    const char* name;
    int64_t menAt30;
    HeadCount peakAfter;
  };
  const Case cases[] = {
      {"peak is 1.25 x the total", 1001, HeadCount::FromRaw(12'512'500)},  // 1251.25
      {"an empty population", 0, HeadCount()},
      // 800 trillion: 1.25 x that leaves the range; the peak stays as it was.
      {"a peak out of range", 800'000'000'000'000, Persons(77)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m.World = WorldRecord{};
    m.World.People(0, 30) = Persons(c.menAt30);
    m.World.BirthRate(0, 3) = 12.0f;
    m.PyramidContent = kContentBirths;
    m.PeakPopulation = Persons(77);
    control.AdoptLoadedPopulation();
    EXPECT_EQ(m.PyramidContent, kContentRelative);
    EXPECT_EQ(m.Census.Total, Persons(c.menAt30));
    EXPECT_EQ(m.PeakPopulation, c.peakAfter);
    EXPECT_EQ(m.WorldAtStart, m.World);
  }
}

TEST_F(RunControlTest, AdoptPeakAloneFailsOutOfRangeForTheDialogue) {
  m.Census.Total = Persons(800'000'000'000'000);
  m.PeakPopulation = Persons(77);
  EXPECT_EQ(FailureCode([&] { control.AdoptPeak(); }), kOverflow);
  EXPECT_EQ(m.PeakPopulation, Persons(77));
}

}  // namespace
}  // namespace velmora
