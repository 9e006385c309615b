#include <QMdiArea>

#include "model/Census.h"
#include "support/FrameFixture.h"
#include "views/Canvas.h"

namespace velmora {
namespace {

using testing::FrameFixture;

HeadCount Persons(int64_t n) { return HeadCount::FromPersons(n); }

// 10,000 boys and 10,000 girls of age 0. Half the men of class 0 die each
// year, 1 % of the women of class 19; the only birth rate is 100 in class 0
// of the end table, reached linearly over 100 years, so the cohort (already
// past class 0 when it rises above 0) never bears a child.
void Cohort(WorldRecord& world) {
  world.People(0, 0) = Persons(10'000);
  world.People(1, 0) = Persons(10'000);
  world.DeathRate(0, 0, 0) = 50'000;
  world.DeathRate(0, 1, 19) = 1'000;
  world.BirthRate(19, 0) = 100;
  world.VariationFunc(0) = kLinear100;
  world.VariationFunc(1) = kConstant;
}

class RunControl : public FrameFixture {
 protected:
  void RunToTheEndAtOneMillisecond() {
    Enter(Controller().TextTime(), "1");
    Menus().MenuStart->trigger();
    ASSERT_TRUE(WaitForClockToStop());
    ASSERT_EQ(M().ElapsedYears, 100);
    // The tick after the hundredth step finishes the run.
    ASSERT_EQ(PyramidInfo(), "Finished");
  }
};

TEST_F(RunControl, ProgramStartIsIdleWithBothRunItemsEnabled) {
  EXPECT_EQ(M().RunState, kIdle);
  EXPECT_TRUE(Menus().MenuStart->isEnabled());
  EXPECT_TRUE(Menus().MenuAgain->isEnabled());
  EXPECT_FALSE(Frame().TimerWorld().isActive());
}

TEST_F(RunControl, StartSavesTheWorldArmsTheRunAndTheClock) {
  Cohort(M().World);
  const WorldRecord before = M().World;
  M().Exploded = 1;
  M().PyramidContent = kContentBirths;
  M().ElapsedYears = 42;
  M().PeakPopulation = Persons(77);
  Frame().Windows().Graph().ShapeG()->show();

  Menus().MenuStart->trigger();
  EXPECT_EQ(M().RunState, kRunning);
  EXPECT_FALSE(Menus().MenuStart->isEnabled());
  EXPECT_TRUE(Menus().MenuAgain->isEnabled());  // unchanged
  EXPECT_TRUE(Frame().TimerWorld().isActive());
  EXPECT_EQ(M().Exploded, 0);
  EXPECT_EQ(M().ElapsedYears, 0);
  EXPECT_EQ(M().RunCenturies, 1);
  EXPECT_EQ(M().PyramidContent, kContentRelative);
  EXPECT_EQ(M().PeakPopulation, HeadCount{});
  EXPECT_EQ(M().WorldAtStart, before);
  EXPECT_EQ(M().WorldHistory[0], before);
  EXPECT_EQ(M().Census.Total, Persons(20'000));
  // The schedule was built: period 10 of the linear birth rate is half way.
  EXPECT_EQ(M().World.BirthRate(10, 0), 50.0f);
  EXPECT_FALSE(Frame().Windows().Graph().ShapeG()->isVisibleTo(&Frame().Windows().Graph()));
  EXPECT_EQ(PyramidInfo(), "Now Simulating......");
  EXPECT_EQ(Frame().Area().activeSubWindow(), &Frame().Windows().Window(kWindowGraph));
  // The labels wait for the first tick.
  EXPECT_EQ(LabelD(0), "Year ");
}

TEST_F(RunControl, StartLeavesADisabledResumeItemDisabled) {
  Menus().MenuReset->trigger();
  ASSERT_FALSE(Menus().MenuAgain->isEnabled());
  Menus().MenuStart->trigger();
  EXPECT_FALSE(Menus().MenuAgain->isEnabled());
}

TEST_F(RunControl, BreakPausesAndResumeContinues) {
  Cohort(M().World);
  Menus().MenuStart->trigger();
  Menus().MenuReset->trigger();
  Menus().MenuStart->trigger();
  ASSERT_FALSE(Menus().MenuAgain->isEnabled());

  Menus().MenuBreak->trigger();
  EXPECT_EQ(M().RunState, kPaused);
  EXPECT_TRUE(Menus().MenuAgain->isEnabled());
  EXPECT_FALSE(Menus().MenuStart->isEnabled());  // unchanged
  EXPECT_FALSE(Frame().TimerWorld().isActive());

  Frame().Windows().Graph().ShapeG()->show();
  Menus().MenuAgain->trigger();
  EXPECT_EQ(M().RunState, kRunning);
  EXPECT_FALSE(Menus().MenuAgain->isEnabled());
  EXPECT_FALSE(Menus().MenuStart->isEnabled());  // unchanged
  EXPECT_TRUE(Frame().TimerWorld().isActive());
  EXPECT_FALSE(Frame().Windows().Graph().ShapeG()->isVisibleTo(&Frame().Windows().Graph()));
}

TEST_F(RunControl, BreakWhileIdlePausesWithoutARun) {
  Menus().MenuBreak->trigger();
  EXPECT_EQ(M().RunState, kPaused);
  EXPECT_TRUE(Menus().MenuAgain->isEnabled());
  EXPECT_TRUE(Menus().MenuStart->isEnabled());
  EXPECT_FALSE(Frame().TimerWorld().isActive());
}

TEST_F(RunControl, FullRunAtOneMillisecondShowsTheHandComputedFigures) {
  Cohort(M().World);
  RunToTheEndAtOneMillisecond();
  EXPECT_EQ(M().RunCenturies, 0);
  EXPECT_EQ(M().RunState, kRunning);
  EXPECT_FALSE(Menus().MenuStart->isEnabled());

  // Men: 10,000 halve through ages 1..4, then 625 x 0.5 + 0.5 floors to 313.
  EXPECT_EQ(M().WorldHistory[4].People(0, 4), Persons(625));
  EXPECT_EQ(M().WorldHistory[5].People(0, 5), Persons(313));
  // Women lose 1 % a year from age 95: 9900, 9801, 9703, 9606, then 9510
  // in the open age 99.
  EXPECT_EQ(M().WorldHistory[96].People(1, 96), Persons(9'900));
  EXPECT_EQ(M().WorldHistory[99].People(1, 99), Persons(9'606));
  EXPECT_EQ(M().World.People(1, 99), Persons(9'510));

  EXPECT_EQ(LabelD(0), "2100 ");
  EXPECT_EQ(LabelD(1), "9,823 ");  // 313 + 9510
  EXPECT_EQ(LabelD(2), "100% ");   // everyone is 99
  // Period 19 of the linear births: 95 in class 0, 5 x 95 / 1000 = 0.475.
  EXPECT_EQ(LabelD(3), "0.48 ");
  // 9510 women at 1 %: floor(100 x 9510 / 9823 x 100) / 100.
  EXPECT_EQ(LabelD(4), "96.81 ");
  // The peak is the total after the first year: 5000 men + 10,000 women.
  EXPECT_EQ(M().PeakPopulation, Persons(15'000));

  // A further Resume runs one tick that finds the finish again.
  M().World.People(0, 50) = Persons(1);  // any change would show a step
  Menus().MenuAgain->trigger();
  ASSERT_TRUE(WaitForClockToStop());
  EXPECT_EQ(M().ElapsedYears, 100);
  EXPECT_EQ(M().World.People(0, 50), Persons(1));
  EXPECT_EQ(PyramidInfo(), "Finished");
}

TEST_F(RunControl, BreakAndResumeNeitherSkipNorRepeatAYear) {
  Cohort(M().World);
  RunToTheEndAtOneMillisecond();
  const auto uninterrupted = M().WorldHistory;

  Menus().MenuReset->trigger();
  Menus().MenuStart->trigger();
  ASSERT_TRUE(QTest::qWaitFor([this] { return M().ElapsedYears >= 30; }, 30'000));
  Menus().MenuBreak->trigger();
  const int paused = M().ElapsedYears;
  QTest::qWait(20);  // the clock is off: nothing may move meanwhile
  EXPECT_EQ(M().ElapsedYears, paused);
  Menus().MenuAgain->trigger();
  ASSERT_TRUE(WaitForClockToStop());
  EXPECT_EQ(M().ElapsedYears, 100);
  for (int year = 0; year <= 100; ++year) EXPECT_EQ(M().WorldHistory[year], uninterrupted[year]) << year;
}

TEST_F(RunControl, ResumeBeforeAnyStartRunsOneTickThatFinishes) {
  Menus().MenuAgain->trigger();
  EXPECT_EQ(M().RunState, kRunning);
  EXPECT_FALSE(Menus().MenuAgain->isEnabled());
  ASSERT_TRUE(WaitForClockToStop());
  EXPECT_EQ(PyramidInfo(), "Finished");
  EXPECT_EQ(M().RunCenturies, 0);
  EXPECT_EQ(M().ElapsedYears, 0);
  EXPECT_EQ(M().RunState, kRunning);
}

TEST_F(RunControl, APopulationThatDiesOutFinishesAtTheNextTick) {
  for (float rate : {100'000.0f, 200'000.0f}) {  // none left, or a negative count
    SCOPED_TRACE(rate);
    Menus().MenuReset->trigger();
    M().World = WorldRecord{};
    M().World.People(0, 0) = Persons(10);
    M().World.DeathRate(0, 0, 0) = rate;
    Menus().MenuStart->trigger();
    Frame().TimerWorld_Timer();
    EXPECT_LE(M().Census.Total, HeadCount{});
    EXPECT_TRUE(Frame().TimerWorld().isActive());
    Frame().TimerWorld_Timer();
    EXPECT_EQ(M().ElapsedYears, 1);
    EXPECT_EQ(M().RunCenturies, 0);
    EXPECT_EQ(PyramidInfo(), "Finished");
    EXPECT_FALSE(Frame().TimerWorld().isActive());
    EXPECT_EQ(M().RunState, kRunning);
    EXPECT_FALSE(Menus().MenuStart->isEnabled());
  }
}

TEST_F(RunControl, TheTickAfterYearOneHundredFinishesWithoutAStep) {
  Cohort(M().World);
  Menus().MenuStart->trigger();
  M().ElapsedYears = 100;
  const WorldRecord world = M().World;
  Frame().TimerWorld_Timer();
  EXPECT_EQ(M().ElapsedYears, 100);
  EXPECT_EQ(M().World, world);
  EXPECT_EQ(PyramidInfo(), "Finished");
  EXPECT_FALSE(Frame().TimerWorld().isActive());
}

TEST_F(RunControl, CensusOverflowStopsTheClockAndChangesNoState) {
  // Two head counts that fit alone but not in one total.
  const HeadCount half = HeadCount::FromRaw(HeadCount::kMaxRaw / 2 + 1);
  M().World.People(0, 0) = half;
  M().World.People(1, 0) = half;
  Menus().MenuStart->trigger();
  ASSERT_FALSE(platform_.boxes.empty());  // the census at Start explodes already
  EXPECT_EQ(M().Exploded, 1);
  EXPECT_TRUE(Frame().TimerWorld().isActive());  // ...and the clock is armed all the same

  Frame().TimerWorld_Timer();
  EXPECT_EQ(M().Exploded, 1);
  EXPECT_FALSE(Frame().TimerWorld().isActive());
  EXPECT_EQ(M().RunState, kRunning);
  EXPECT_FALSE(Menus().MenuStart->isEnabled());
  EXPECT_TRUE(Menus().MenuAgain->isEnabled());
  ASSERT_GE(platform_.boxes.size(), 2u);
  EXPECT_EQ(platform_.boxes.back().icon, platform::Icon::Exclamation);
  EXPECT_EQ(platform_.boxes.back().title, platform_.boxes.front().title);
  // The exploded year leaves the labels as they were.
  EXPECT_EQ(LabelD(0), "Year ");
}

TEST_F(RunControl, ResetRestoresTheStartAndRefreshesTheController) {
  Cohort(M().World);
  Menus().MenuStart->trigger();
  for (int i = 0; i < 7; ++i) Frame().TimerWorld_Timer();
  const WorldRecord yearZero = M().WorldHistory[0];
  M().Exploded = 1;
  Frame().Windows().Pyramid().SetInfo("kept");
  Frame().Windows().Graph().ShapeG()->show();
  M().StartYear = 1999;

  Menus().MenuReset->trigger();
  EXPECT_EQ(M().RunState, kIdle);
  EXPECT_FALSE(Frame().TimerWorld().isActive());
  EXPECT_TRUE(Menus().MenuStart->isEnabled());
  EXPECT_FALSE(Menus().MenuAgain->isEnabled());
  EXPECT_EQ(M().StartYear, 2000);
  EXPECT_EQ(M().World, M().WorldAtStart);
  EXPECT_EQ(M().Census.Total, Persons(20'000));
  EXPECT_EQ(M().WorldHistory[0], yearZero);
  for (int year = 1; year <= 100; ++year) EXPECT_EQ(M().WorldHistory[year], M().WorldBlank) << year;
  EXPECT_FALSE(Frame().Windows().Graph().ShapeG()->isVisibleTo(&Frame().Windows().Graph()));
  // Peak 15,000: the box shows floor(1.5) + 1, the capacity 105 %.
  EXPECT_EQ(Controller().TextMax()->text().toStdString(), "2");
  EXPECT_EQ(M().Capacity, Persons(15'750));

  EXPECT_EQ(LabelD(0), "2000 ");
  EXPECT_EQ(LabelD(1), "20,000 ");
  EXPECT_EQ(LabelD(2), "0% ");
  EXPECT_EQ(LabelD(3), "-1 ");  // the start table has no births
  // 10,000 boys at 50,000 per 100,000 in 20,000 people: 2500 per 10,000.
  EXPECT_EQ(LabelD(4), "2500 ");

  // What Reset leaves alone.
  EXPECT_EQ(M().ElapsedYears, 7);
  EXPECT_EQ(M().RunCenturies, 1);
  EXPECT_EQ(M().Exploded, 1);
  EXPECT_EQ(M().PeakPopulation, Persons(15'000));
  EXPECT_EQ(PyramidInfo(), "kept");
}

// After a run, Reset leaves the graph empty to its first pixel, and year 0
// of the look-back is the start it restored, also when that start came from
// a load that never ran Start.
TEST_F(RunControl, ResetEmptiesTheGraphAndMakesYearZeroTheRestoredStart) {
  Cohort(M().World);
  Enter(Controller().TextMax(), "1");  // 10,000 people: every column full height
  Menus().MenuStart->trigger();
  for (int i = 0; i < 3; ++i) Frame().TimerWorld_Timer();
  const Canvas& graph = Frame().Windows().Graph().Picture();
  ASSERT_NE(graph.PixelAt(0, graph.ClientHeight() - 1), 0);

  Cohort(M().WorldAtStart);
  M().WorldAtStart.People(1, 40) = Persons(4'300'000);  // as a load leaves it
  Menus().MenuReset->trigger();
  for (int y = 0; y < graph.ClientHeight(); ++y) ASSERT_EQ(graph.PixelAt(0, y), 0) << y;
  EXPECT_EQ(M().WorldHistory[0], M().WorldAtStart);
  EXPECT_EQ(M().WorldHistory[0].People(1, 40), Persons(4'300'000));
}

TEST_F(RunControl, ResetAfterAPeakOf1234567) {
  M().PeakPopulation = Persons(1'234'567);
  Menus().MenuReset->trigger();
  EXPECT_EQ(Controller().TextMax()->text().toStdString(), "124");
  EXPECT_EQ(M().Capacity, Persons(1'296'295));
}

TEST_F(RunControl, RequestedCommandsRunFromTheEventLoopAfterOneTimerTick) {
  Cohort(M().World);
  struct Case {
    Int16 code;
    int stateAfter;
    bool clockAfter;
  };
  for (const Case& c : {Case{kCommandStart, kRunning, true}, Case{kCommandBreak, kPaused, false},
                        Case{kCommandResume, kRunning, true}, Case{kCommandReset, kIdle, false}}) {
    SCOPED_TRACE(int{c.code});
    const bool clockBefore = Frame().TimerWorld().isActive();
    Frame().RequestCommand(c.code);
    // Stored and armed, but not run inside the request.
    EXPECT_EQ(M().RunState, c.code);
    EXPECT_TRUE(Frame().TimerMenu().isActive());
    EXPECT_EQ(Frame().TimerWorld().isActive(), clockBefore);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().TimerMenu().isActive(); }, 10'000));
    EXPECT_EQ(M().RunState, c.stateAfter);
    EXPECT_EQ(Frame().TimerWorld().isActive(), c.clockAfter);
  }
  EXPECT_TRUE(Menus().MenuStart->isEnabled());  // the Reset ran

  Frame().RequestCommand(7);  // no command: nothing happens
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().TimerMenu().isActive(); }, 10'000));
  EXPECT_EQ(M().RunState, 7);
  EXPECT_FALSE(Frame().TimerWorld().isActive());
  EXPECT_TRUE(Menus().MenuStart->isEnabled());
}

}  // namespace
}  // namespace velmora
