// The mouse editor on the real window, driven by mouse events through the
// window system: what a drag stores, what the information line says, the
// right button's scale steps and content cycle, and what a running clock
// forbids.
#include <algorithm>

#include "model/AgeColour.h"
#include "pyramid_window_test.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"

namespace velmora::testing {
namespace {

class PyramidEditorTest : public PyramidWindowTest {
 protected:
  // Population content, five-year input, full scale 1,000,000.
  void PopulationAtOneMillion() {
    form->Menus().MenuPeople[1]->trigger();
    form->Menus().MenuScale[4]->trigger();
    ASSERT_EQ(m.FullScale, Persons(1'000'000));
  }
  HeadCount Age(int sex, int age) const { return m.World.People(sex, age); }
  HeadCount ClassOf(int sex, int ageClass) const {
    HeadCount sum;
    for (int a = 5 * ageClass; a < 5 * ageClass + 5; ++a) sum += m.World.People(sex, a);
    return sum;
  }
};

TEST_F(PyramidEditorTest, LeftClickOnRelativeViewScalesToTheLargestClass) {
  m.World.People(0, 40) = Persons(1'000'000);
  for (int age = 50; age < 55; ++age) m.World.People(1, age) = Persons(800'000);  // 4,000,000
  Census();
  m.SelectedYear = 7;
  const WorldRecord before = m.World;
  Press(Qt::LeftButton, {100, RowY(10)});
  EXPECT_EQ(m.PyramidContent, kContentPopulation);
  EXPECT_EQ(m.BaseScale, Persons(50));
  EXPECT_TRUE(form->Menus().MenuBaseScale[2]->isChecked());
  EXPECT_TRUE(form->Menus().MenuScale[4]->isChecked());  // "×100,000(&E)"
  EXPECT_EQ(m.FullScale, Persons(5'000'000));
  EXPECT_TRUE(form->Menus().MenuPeople[1]->isChecked());
  EXPECT_FALSE(form->Menus().MenuAbs->isChecked());
  EXPECT_EQ(m.InputMode, 2);
  EXPECT_EQ(m.SingleYearInput, 0);
  EXPECT_EQ(m.BarBaseX, 200.0f);
  EXPECT_EQ(m.SelectedYear, 0);
  EXPECT_EQ(form->Editor().LeftButtonDown(), 1);
  EXPECT_TRUE(m.World == before);  // the press alone changes nothing
  Release(Qt::LeftButton, {100, RowY(10)});
  EXPECT_EQ(form->Editor().LeftButtonDown(), 0);
}

TEST_F(PyramidEditorTest, AutoScaleDecadesAndBases) {
  // largest class -> full scale: f = floor(log10(m) + 0.5) - 3, clamped to 0..6
  const std::vector<std::pair<int64_t, int64_t>> cases = {
      {0, 250},                       // f = 0: base 25 x 10
      {1'003, 250},                   // log10 = 3.0: f = 0
      {120'000, 25'000},              // 5.08: f = 2, base 25 x 1,000
      {3'000'000, 500'000},           // 6.48: f = 3, base 50 x 10,000
      {300'000'000, 100'000'000},     // 8.48: f = 5, base 10 x 10,000,000
      {3'000'000'000, 500'000'000}};  // 9.48: f = 6, base 50 x 10,000,000
  for (const auto& [largest, full] : cases) {
    m.World = WorldRecord{};
    m.World.People(0, 99) = Persons(largest);
    Census();
    form->Menus().MenuAbs->trigger();
    Press(Qt::LeftButton, {100, RowY(2)});
    Release(Qt::LeftButton, {100, RowY(2)});
    EXPECT_EQ(m.FullScale, Persons(full)) << largest;
    EXPECT_EQ(m.PyramidContent, kContentPopulation) << largest;
  }
}

TEST_F(PyramidEditorTest, DragSetsTheFiveAgesOfAClass) {
  PopulationAtOneMillion();
  m.World.People(1, 22) = Persons(777);
  Census();
  // The middle of the left half is half the full scale for the men's side.
  Press(Qt::LeftButton, {150, RowY(4)});
  Move({100, RowY(4)});
  for (int age = 20; age < 25; ++age) EXPECT_EQ(Age(0, age), Persons(100'000)) << age;
  EXPECT_EQ(Age(0, 19), HeadCount());
  EXPECT_EQ(Age(0, 25), HeadCount());
  EXPECT_EQ(Age(1, 22), Persons(777));
  EXPECT_EQ(Info(), "Men; Age 20-24 = 500,000 / 1,000,000");
  EXPECT_TRUE(m.WorldHistory[0] == m.World);
  EXPECT_EQ(m.Census.Total, Persons(500'777));
  EXPECT_NE(std::find(display.calls.begin(), display.calls.end(), "label 1 500,777 "), display.calls.end());
  // The row is redrawn at once: men's bar of class 4 from 100 to the axis.
  EXPECT_EQ(Pixel(100, RowY(4)), AgeColour(20));
  EXPECT_EQ(Pixel(99, RowY(4)), 0);
  // A move back towards the axis shortens the bar: the band is cleared first.
  Move({180, RowY(4)});
  EXPECT_EQ(ClassOf(0, 4), Persons(100'000));
  EXPECT_EQ(Age(0, 20), Persons(20'000));
  EXPECT_EQ(Pixel(150, RowY(4)), 0);
  EXPECT_EQ(Pixel(180, RowY(4)), AgeColour(20));
  Release(Qt::LeftButton, {180, RowY(4)});
}

// In a run paused at year 25 the edit becomes that year's snapshot; year 0
// keeps the start of the run for the look-back.
TEST_F(PyramidEditorTest, AnEditDuringAPauseWritesThePausedYear) {
  PopulationAtOneMillion();
  m.World.People(0, 30) = Persons(40);
  m.WorldHistory[0].People(0, 30) = Persons(10);
  m.ElapsedYears = 25;
  m.RunState = kPaused;
  Census();
  Press(Qt::LeftButton, {150, RowY(4)});
  Move({100, RowY(4)});
  ASSERT_EQ(Age(0, 20), Persons(100'000));
  EXPECT_TRUE(m.WorldHistory[25] == m.World);
  EXPECT_EQ(m.WorldHistory[0].People(0, 30), Persons(10));
  EXPECT_EQ(m.WorldHistory[0].People(0, 20), HeadCount());
  EXPECT_TRUE(m.WorldHistory[24] == m.WorldBlank);
  Release(Qt::LeftButton, {100, RowY(4)});
}

// A press selects the year that the edit writes, so that hovering the edited
// bar reads it out; year 0 keeps the start, which the graph's look-back at
// year 0 shows. During a run the press looks at year 0 and edits nothing.
TEST_F(PyramidEditorTest, APressSelectsTheYearTheEditWrites) {
  const struct {
    const char* name;
    Int16 runState;
    bool clockRunning;
    int elapsed;
    int selected;
    const char* hovered;  // the edited bar, men 20-24
    const char* atYearZero;
  } cases[] = {
      {"paused", kPaused, false, 25, 25, "500,000", "50"},
      {"finished", kRunning, false, 100, 100, "500,000", "50"},
      {"after Reset", kIdle, false, 25, 0, "500,000", "500,000"},
      {"running", kRunning, true, 25, 0, "50", "50"},
  };
  PopulationAtOneMillion();
  for (const auto& c : cases) {
    m.World = WorldRecord{};
    for (int year = 0; year < kHistoryYears; ++year) m.WorldHistory[year] = m.WorldBlank;
    for (int age = 20; age < 25; ++age) m.WorldHistory[0].People(0, age) = Persons(10);
    m.RunState = c.runState;
    m.ElapsedYears = c.elapsed;
    frame.running = c.clockRunning;
    Census();
    Press(Qt::LeftButton, {150, RowY(4)});
    EXPECT_EQ(m.SelectedYear, c.selected) << c.name;
    Move({100, RowY(4)});
    Release(Qt::LeftButton, {100, RowY(4)});
    Move({90, RowY(4)});
    EXPECT_EQ(Info(), std::string("Men; Age 20-24 = ") + c.hovered + " / 1,000,000") << c.name;
    m.SelectedYear = 0;
    Move({95, RowY(4)});
    EXPECT_EQ(Info(), std::string("Men; Age 20-24 = ") + c.atYearZero + " / 1,000,000") << c.name;
  }
  frame.running = false;
}

// Reset leaves ElapsedYears at the run's last year but puts World back at the
// start: an edit then belongs to year 0, not to a year the graph no longer shows.
TEST_F(PyramidEditorTest, AnEditAfterAResetWritesYearZero) {
  PopulationAtOneMillion();
  m.ElapsedYears = 25;
  m.RunState = kIdle;
  Census();
  Press(Qt::LeftButton, {150, RowY(4)});
  Move({100, RowY(4)});
  ASSERT_EQ(Age(0, 20), Persons(100'000));
  EXPECT_TRUE(m.WorldHistory[0] == m.World);
  EXPECT_TRUE(m.WorldHistory[25] == m.WorldBlank);
  Release(Qt::LeftButton, {100, RowY(4)});
}

TEST_F(PyramidEditorTest, ClassValueIsRoundedOnceAndSpreadOverFiveAges) {
  form->Menus().MenuPeople[1]->trigger();
  form->Menus().MenuScale[1]->trigger();  // 1,000
  Press(Qt::LeftButton, {150, RowY(4)});
  // 1,000 x 200.6 / 200 = 1,003: a fifth of 200.6 becomes 201 at every age.
  MoveExactly({-0.6, static_cast<double>(RowY(4))}, Qt::LeftButton);
  EXPECT_EQ(Info(), "Men; Age 20-24 = 1,003 / 1,000");
  for (int age = 20; age < 25; ++age) EXPECT_EQ(Age(0, age), Persons(201)) << age;
  EXPECT_EQ(ClassOf(0, 4), Persons(1'005));
  Release(Qt::LeftButton, {150, RowY(4)});
}

TEST_F(PyramidEditorTest, SingleYearInputEditsOneAge) {
  form->Menus().MenuPeople[0]->trigger();
  form->Menus().MenuScale[4]->trigger();
  // 100 rows of 3 pixels: age 4 is the fifth from the bottom, y = 305..307.
  Press(Qt::LeftButton, {150, 306});
  Move({100, 306});
  EXPECT_EQ(Age(0, 4), Persons(500'000));
  for (int age : {0, 1, 2, 3, 5}) EXPECT_EQ(Age(0, age), HeadCount()) << age;
  // The readout and the redrawn bar are those of class 0.
  EXPECT_EQ(Info(), "Men; Age 0-4 = 500,000 / 1,000,000");
  EXPECT_EQ(Pixel(100, RowY(0)), AgeColour(0));
  Move({100, 309});  // the next row down: age 3
  EXPECT_EQ(Age(0, 3), Persons(500'000));
  Release(Qt::LeftButton, {100, 309});
}

TEST_F(PyramidEditorTest, DeadZoneKeepsTheSideUntilFivePixelsPastTheMiddle) {
  PopulationAtOneMillion();
  Press(Qt::LeftButton, {150, RowY(4)});
  Move({204, RowY(4)});  // inside the dead zone: still the men's bar
  EXPECT_EQ(m.EditSex, 0);
  EXPECT_EQ(Age(0, 20), Persons(4'000));  // 1,000,000 x 4 / 200, a fifth each
  EXPECT_EQ(ClassOf(1, 4), HeadCount());
  Move({206, RowY(4)});
  EXPECT_EQ(m.EditSex, 1);
  EXPECT_EQ(m.BarFullX, 400.0f);
  EXPECT_EQ(Age(1, 20), Persons(6'000));
  EXPECT_EQ(Info(), "Women; Age 20-24 = 30,000 / 1,000,000");
  Move({196, RowY(4)});  // back into the zone: the women's bar, 4 pixels the other way
  EXPECT_EQ(m.EditSex, 1);
  EXPECT_EQ(Age(1, 20), Persons(4'000));
  EXPECT_EQ(Age(0, 20), Persons(4'000));
  Move({194, RowY(4)});
  EXPECT_EQ(m.EditSex, 0);
  EXPECT_EQ(Age(0, 20), Persons(6'000));
  EXPECT_EQ(Age(1, 20), Persons(4'000));
  Release(Qt::LeftButton, {194, RowY(4)});
}

TEST_F(PyramidEditorTest, PointerIsCapturedOutsideTheWindow) {
  PopulationAtOneMillion();
  Press(Qt::LeftButton, {150, RowY(4)});
  // Beyond the left edge: 1,000,000 x 250 / 200, above the full scale.
  Move({-50, RowY(4)});
  EXPECT_EQ(Age(0, 20), Persons(250'000));
  // Below the window: the bottom row.
  Move({100, kHeight + 30});
  EXPECT_EQ(Age(0, 0), Persons(100'000));
  Release(Qt::LeftButton, {-50, kHeight + 30});
  EXPECT_EQ(form->Editor().LeftButtonDown(), 0);
}

TEST_F(PyramidEditorTest, BirthDragsEditTheClassBarAndSayWomen) {
  form->Menus().MenuMode[0]->trigger();  // full scale 1,000 from the left edge
  Press(Qt::LeftButton, {300, RowY(5)});
  EXPECT_EQ(m.BarBaseX, 0.0f);
  EXPECT_EQ(m.BarFullX, 400.0f);
  Move({100, RowY(5)});
  EXPECT_EQ(m.World.BirthRate(0, 5), 250.0f);
  EXPECT_EQ(Info(), "Women; Age 25-29 = 250 / 1,000");
  EXPECT_EQ(display.calls.back(), "label 3 1.25 ");
  EXPECT_EQ(Pixel(99, RowY(5)), AgeColour(25));
  EXPECT_EQ(Pixel(101, RowY(5)), 0);
  // Past the right edge the rate stops at 1,000.
  Move({600, RowY(5)});
  EXPECT_EQ(m.World.BirthRate(0, 5), 1'000.0f);
  EXPECT_EQ(Info(), "Women; Age 25-29 = 1,000 / 1,000");
  Release(Qt::LeftButton, {600, RowY(5)});
}

TEST_F(PyramidEditorTest, DeathDragsEditTheSideUnderThePointerAndStopAtTheCeiling) {
  form->Menus().MenuMode[1]->trigger();  // 100,000
  Press(Qt::LeftButton, {300, RowY(12)});
  Move({250, RowY(12)});
  EXPECT_EQ(m.World.DeathRate(0, 1, 12), 25'000.0f);
  EXPECT_EQ(m.World.DeathRate(0, 0, 12), 0.0f);
  EXPECT_EQ(Info(), "Women; Age 60-64 = 25,000 / 100,000");
  Move({-400, RowY(12)});
  EXPECT_EQ(m.World.DeathRate(0, 0, 12), 100'000.0f);
  Release(Qt::LeftButton, {-400, RowY(12)});
}

TEST_F(PyramidEditorTest, EndTableTakesTheEditsAfterFinalTime) {
  m.World.BirthRate(0, 4) = 80.0f;
  form->Menus().MenuBefAft[1]->trigger();
  form->Menus().MenuMode[0]->trigger();
  Drag({300, RowY(4)}, {40, RowY(4)});
  EXPECT_EQ(m.World.BirthRate(19, 4), 100.0f);
  EXPECT_EQ(m.World.BirthRate(0, 4), 80.0f);
  for (int period = 1; period < 19; ++period) EXPECT_EQ(m.World.BirthRate(period, 4), 0.0f) << period;
}

TEST_F(PyramidEditorTest, ShiftRightWrapsToTheLargestScaleOfTheContent) {
  struct Case {
    int mode;  // -1 population, else MenuMode index
    int64_t wrapped;
  };
  for (const Case& c : {Case{-1, 500'000'000}, Case{0, 1'000}, Case{1, 100'000}}) {
    if (c.mode < 0) {
      form->Menus().MenuPeople[1]->trigger();
    } else {
      form->Menus().MenuMode[c.mode]->trigger();
    }
    form->Menus().MenuBaseScale[0]->trigger();
    form->Menus().MenuScale[0]->trigger();  // 100, the smallest
    Press(Qt::LeftButton, {300, RowY(3)});
    Press(Qt::RightButton, {300, RowY(3)}, Qt::ShiftModifier);
    Release(Qt::RightButton, {300, RowY(3)}, Qt::ShiftModifier);
    EXPECT_EQ(m.FullScale, Persons(c.wrapped)) << c.mode;
    Release(Qt::LeftButton, {300, RowY(3)});
  }
}

TEST_F(PyramidEditorTest, RightButtonStepsTheScaleDuringADrag) {
  form->Menus().MenuPeople[1]->trigger();
  form->Menus().MenuScale[0]->trigger();  // 100
  Press(Qt::LeftButton, {300, RowY(3)});
  const std::vector<int64_t> up = {250, 500, 1'000, 2'500, 5'000, 10'000};
  for (int64_t full : up) {
    Press(Qt::RightButton, {300, RowY(3)});
    Release(Qt::RightButton, {300, RowY(3)});
    EXPECT_EQ(m.FullScale, Persons(full));
  }
  // Down: a decade at base 10, wrapping round to the top, then 50 -> 25 -> 10.
  const std::vector<int64_t> down = {1'000, 100, 500'000'000, 250'000'000, 100'000'000, 10'000'000};
  for (int64_t full : down) {
    Press(Qt::RightButton, {300, RowY(3)}, Qt::ShiftModifier);
    Release(Qt::RightButton, {300, RowY(3)}, Qt::ShiftModifier);
    EXPECT_EQ(m.FullScale, Persons(full));
  }
  // The drag goes on with the new scale: 10,000,000 x 150 / 200 for the class.
  Move({350, RowY(3)});
  EXPECT_EQ(Age(1, 15), Persons(1'500'000));
  Release(Qt::LeftButton, {350, RowY(3)});
  EXPECT_EQ(m.PyramidContent, kContentPopulation);

  // Past the largest population scale a step up comes round to 100.
  form->Menus().MenuBaseScale[2]->trigger();
  form->Menus().MenuScale[6]->trigger();
  Press(Qt::LeftButton, {300, RowY(3)});
  Press(Qt::RightButton, {300, RowY(3)});
  Release(Qt::RightButton, {300, RowY(3)});
  EXPECT_EQ(m.FullScale, Persons(100));
  Release(Qt::LeftButton, {300, RowY(3)});

  // At the largest scale of a rate content a step up comes round to 100.
  form->Menus().MenuMode[0]->trigger();  // 1,000
  Press(Qt::LeftButton, {300, RowY(3)});
  Press(Qt::RightButton, {300, RowY(3)});
  Release(Qt::RightButton, {300, RowY(3)});
  EXPECT_EQ(m.FullScale, Persons(100));
  Release(Qt::LeftButton, {300, RowY(3)});
  form->Menus().MenuMode[1]->trigger();  // 100,000
  Press(Qt::LeftButton, {300, RowY(3)});
  Press(Qt::RightButton, {300, RowY(3)});
  Release(Qt::RightButton, {300, RowY(3)});
  EXPECT_EQ(m.FullScale, Persons(100));
  Release(Qt::LeftButton, {300, RowY(3)});
}

TEST_F(PyramidEditorTest, RightClickCyclesTheContent) {
  form->Menus().MenuPeople[1]->trigger();
  const QPoint at{300, RowY(3)};
  Press(Qt::RightButton, at);
  Release(Qt::RightButton, at);
  EXPECT_EQ(m.PyramidContent, kContentBirths);
  EXPECT_EQ(m.FullScale, Persons(1'000));
  EXPECT_TRUE(form->Menus().MenuMode[0]->isChecked());
  EXPECT_EQ(Info(), "Women; Age 15-19 = 0 / 1,000");  // the readout follows at once
  Press(Qt::RightButton, at);
  Release(Qt::RightButton, at);
  EXPECT_EQ(m.PyramidContent, kContentDeaths);
  EXPECT_EQ(m.FullScale, Persons(100'000));
  Press(Qt::RightButton, at);
  Release(Qt::RightButton, at);
  EXPECT_EQ(m.PyramidContent, kContentPopulation);
  EXPECT_EQ(m.FullScale, Persons(100'000));
  EXPECT_TRUE(form->Menus().MenuPeople[1]->isChecked());
  // From the relative view the next is the birth rates.
  form->Menus().MenuAbs->trigger();
  Press(Qt::RightButton, at);
  Release(Qt::RightButton, at);
  EXPECT_EQ(m.PyramidContent, kContentBirths);
}

TEST_F(PyramidEditorTest, ReadoutShowsTheYearLookedAt) {
  m.World.People(1, 66) = Persons(9'999);
  m.WorldHistory[7].People(1, 66) = Persons(2'345'678);
  m.WorldHistory[7].BirthRate(1, 3) = 40.5f;  // period of year 7
  m.WorldHistory[7].BirthRate(0, 3) = 99.0f;
  m.WorldHistory[7].DeathRate(19, 0, 13) = 1'234.0f;
  m.WorldHistory[100].BirthRate(19, 3) = 12.0f;
  m.SelectedYear = 7;
  Census();
  Move({300, RowY(13)});  // relative view: no men, so everything is the women's side
  EXPECT_EQ(Info(), "Women; Age 65-69 = 2,345,678 (A.D.2007)");
  form->Menus().MenuPeople[1]->trigger();
  Move({301, RowY(13)});
  EXPECT_EQ(Info(), "Women; Age 65-69 = 2,345,678 / 100,000");
  m.PyramidContent = kContentBirths;
  m.FullScale = Persons(1'000);
  Move({100, RowY(3)});
  EXPECT_EQ(Info(), "Women; Age 15-19 = 40 / 1,000");
  m.SelectedYear = 100;
  Move({101, RowY(3)});
  EXPECT_EQ(Info(), "Women; Age 15-19 = 12 / 1,000");
  m.SelectedYear = 7;
  m.PyramidContent = kContentDeaths;
  m.RateSelector = 1;
  Move({100, RowY(13)});
  EXPECT_EQ(Info(), "Men; Age 65-69 = 1,234 / 1,000");
  // The label band and the last pixel row leave the text as it is.
  Move({100, 10});
  Move({100, kHeight});
  EXPECT_EQ(Info(), "Men; Age 65-69 = 1,234 / 1,000");
}

TEST_F(PyramidEditorTest, ClassTooLargeToSumHasNoReadoutAndTakesTheLargestScale) {
  for (int age = 20; age < 25; ++age) m.World.People(0, age) = HeadCount::FromRaw(HeadCount::kMaxRaw / 4);
  m.WorldHistory[0] = m.World;
  form->Menus().MenuPeople[1]->trigger();
  Move({100, RowY(3)});
  ASSERT_EQ(Info(), "Men; Age 15-19 = 0 / 100,000");
  Move({100, RowY(4)});
  EXPECT_EQ(Info(), "Men; Age 15-19 = 0 / 100,000");
  form->Menus().MenuAbs->trigger();
  Press(Qt::LeftButton, {100, RowY(4)});
  Release(Qt::LeftButton, {100, RowY(4)});
  EXPECT_EQ(m.FullScale, Persons(500'000'000));
}

TEST_F(PyramidEditorTest, NothingIsEditedWhileTheClockRuns) {
  m.World.People(0, 20) = Persons(3'000'000);
  Census();
  frame.running = true;
  const WorldRecord before = m.World;
  // No switch out of the relative view either.
  Drag({100, RowY(4)}, {50, RowY(4)});
  EXPECT_EQ(m.PyramidContent, kContentRelative);
  EXPECT_EQ(m.FullScale, Persons(100'000));
  form->Menus().MenuPeople[1]->trigger();
  Drag({100, RowY(4)}, {50, RowY(4)});
  EXPECT_TRUE(m.World == before);
  // The moves only read out.
  EXPECT_EQ(Info(), "Men; Age 20-24 = 0 / 100,000");
}

TEST_F(PyramidEditorTest, ReleaseRefreshesGraphAndCircleOnlyWhileStopped) {
  FormGraph graph(m, display, frame);
  FormCircle circle(m, display, frame);
  graph.resize(300, 200);
  circle.resize(300, 200);
  graph.show();
  circle.show();
  QApplication::processEvents();
  frame.model = &m;
  frame.graph = &graph;
  frame.circle = &circle;
  PopulationAtOneMillion();
  const auto paintCorner = [](ChartWindow& chart) {
    Canvas& picture = chart.Picture();
    picture.FillRect(picture.ClientWidth() - 2, picture.ClientHeight() - 2, picture.ClientWidth(),
                     picture.ClientHeight(), 0xFFFFFF);
  };
  paintCorner(graph);
  paintCorner(circle);
  frame.running = true;
  Drag({150, RowY(4)}, {100, RowY(4)});
  EXPECT_EQ(graph.Picture().PixelAt(299, 199), 0xFFFFFF);
  EXPECT_EQ(circle.Picture().PixelAt(299, 199), 0xFFFFFF);
  frame.running = false;
  Drag({150, RowY(4)}, {100, RowY(4)});
  // Both were cleared before their redraw, which leaves the far corner alone.
  EXPECT_EQ(graph.Picture().PixelAt(299, 199), 0);
  EXPECT_EQ(circle.Picture().PixelAt(299, 199), 0);
}

TEST_F(PyramidEditorTest, ReleaseOverAPopulationTooLargeToSumRefreshesWithoutFailing) {
  FormGraph graph(m, display, frame);
  FormCircle circle(m, display, frame);
  graph.resize(300, 200);
  circle.resize(300, 200);
  graph.show();
  circle.show();
  QApplication::processEvents();
  frame.model = &m;
  frame.graph = &graph;
  frame.circle = &circle;
  // Each count fits; their sum does not (the census has called it an explosion).
  m.World.People(0, 30) = HeadCount::FromRaw(HeadCount::kMaxRaw / 2 + 1);
  m.World.People(1, 30) = HeadCount::FromRaw(HeadCount::kMaxRaw / 2 + 1);
  EXPECT_NO_THROW(form->Form_MouseUp(1, 0, 100.0f, 100.0f));
  // The graph's running sum stops at the range's end instead of failing, so
  // there is nothing to refuse.
  EXPECT_EQ(platform.beeps, 0);
}

TEST_F(PyramidEditorTest, DragBeyondTheHeadCountRangeStoresNothingAndBeeps) {
  form->resize(40, kHeight);  // W = 40: a pixel is 1/20 of the full scale
  QApplication::processEvents();
  ASSERT_EQ(m.ViewSize[2], 40);
  form->Menus().MenuPeople[1]->trigger();
  form->Menus().MenuBaseScale[2]->trigger();
  form->Menus().MenuScale[6]->trigger();  // 500,000,000
  Press(Qt::LeftButton, {30, RowY(4)});
  // 500,000,000 x 4e7 / 20 = 1e15, past the largest head count (about 9.2e14).
  MoveExactly({4e7, static_cast<double>(RowY(4))}, Qt::LeftButton);
  EXPECT_EQ(platform.beeps, 1);
  EXPECT_EQ(ClassOf(1, 4), HeadCount());
  // 3e7 still fits: 7.4999995e14 for the class, a fifth at every age.
  MoveExactly({3e7, static_cast<double>(RowY(4))}, Qt::LeftButton);
  EXPECT_EQ(platform.beeps, 1);
  EXPECT_EQ(Age(1, 20), Persons(149'999'900'000'000));
  // Such a population overflows the controller's death-rate figure: refused
  // with a beep, and year 0 still shows what is in the tables.
  m.World.DeathRate(0, 1, 4) = 100'000.0f;
  MoveExactly({2e7, static_cast<double>(RowY(4))}, Qt::LeftButton);
  EXPECT_EQ(platform.beeps, 2);
  EXPECT_TRUE(m.WorldHistory[0] == m.World);
  Release(Qt::LeftButton, {30, RowY(4)});
}

}  // namespace
}  // namespace velmora::testing
