// The population graph on the real window: the stacked columns, the
// information line, the hover look-back with real mouse events, the run
// commands by mouse press and the resize and close handling.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <memory>
#include <utility>
#include <vector>

#include "model/AgeColour.h"
#include "model/Census.h"
#include "support/FakeFrameServices.h"
#include "support/RecordingDisplay.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"
#include "views/PackedRgb.h"

namespace velmora {
namespace {

using testing::Rgb;
const int32_t kAge0 = Rgb(0, 0, 255);
const int32_t kAge40 = Rgb(65, 190, 0);
const int32_t kAge99 = Rgb(119, 0, 136);

using FakeFrame = testing::FakeFrameServices;

// Graph client 700 x 217: W = 700, H = 200, columns 7 pixels wide (column c
// covers x = 7 (c - 1) .. 7 c - 1) standing on y = 216, full scale at y = 17.
class GraphTest : public ::testing::Test {
 protected:
  GraphTest()
      : model_(std::make_unique<ModulePopulation>()),
        m(*model_),
        graph(m, display, frame),
        circle(m, display, frame),
        pyramid(m, display, frame) {
    m.StartYear = 2000;
    m.BaseScale = HeadCount::FromPersons(10);
    m.FullScale = HeadCount::FromPersons(100'000);
    m.Capacity = HeadCount::FromPersons(100'000'000);
    frame.model = &m;
    frame.circle = &circle;
    frame.pyramid = &pyramid;
    circle.resize(300, 217);
    pyramid.resize(400, 320);
    graph.resize(700, 217);
    circle.show();
    pyramid.show();
    graph.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&graph));
  }

  static WorldRecord Population(std::initializer_list<std::pair<int, int64_t>> agesAndPersons) {
    WorldRecord record;
    for (const auto& [age, persons] : agesAndPersons) record.People(0, age) = HeadCount::FromPersons(persons);
    return record;
  }
  int32_t Pixel(int x, int y) const { return graph.Picture().PixelAt(x, y); }
  // How many pixels of picture column x are not background.
  int Height(int x) const {
    int rows = 0;
    for (int y = 0; y < graph.Picture().ClientHeight(); ++y) rows += Pixel(x, y) != 0;
    return rows;
  }
  QString Info() const { return graph.LabelInfo()->text(); }

  // Years 0..60 of a run: year k holds 1,000 + k persons aged 30.
  void Simulate60Years() {
    for (int year = 0; year <= 60; ++year) m.WorldHistory[year] = Population({{30, 1000 + year}});
    m.ElapsedYears = 60;
    m.World = m.WorldHistory[60];
    TakeCensus(m.Census, m.World, m, display);
  }
  void Move(int x, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseEvent(QTest::MouseMove, graph.windowHandle(), Qt::NoButton, keys, QPoint(x, 100));
  }
  void Press(Qt::MouseButton button, int x = 300) {
    QTest::mousePress(graph.windowHandle(), button, {}, QPoint(x, 100));
  }
  void Release(Qt::MouseButton button, int x = 300) {
    QTest::mouseRelease(graph.windowHandle(), button, {}, QPoint(x, 100));
  }

  std::unique_ptr<ModulePopulation> model_;
  ModulePopulation& m;
  testing::RecordingDisplay display;
  FakeFrame frame;
  FormGraph graph;
  FormCircle circle;
  FormPyramid pyramid;
};

TEST_F(GraphTest, ResizeMeasuresTheDrawingAreaAndTheMarker) {
  EXPECT_EQ(m.ViewSize[0], 700);
  EXPECT_EQ(m.ViewSize[1], 200);
  EXPECT_EQ(graph.ShapeG()->size(), QSize(7, 200));
  EXPECT_EQ(graph.ShapeG()->y(), 16);
  EXPECT_FALSE(graph.ShapeG()->isVisible());
  EXPECT_EQ(graph.LabelInfo()->geometry(), QRect(0, 0, 700, 17));
  EXPECT_EQ(Info(), "Velmora");

  graph.DrawGraphColumn(5, Population({{40, 50}}), HeadCount::FromPersons(100));
  graph.resize(1010, 317);
  EXPECT_EQ(m.ViewSize[0], 1010);
  EXPECT_EQ(m.ViewSize[1], 300);
  EXPECT_EQ(graph.ShapeG()->size(), QSize(10, 300));  // 10.1 rounds to 10
  EXPECT_EQ(graph.LabelInfo()->width(), 1010);
  EXPECT_EQ(Height(31), 0);  // the columns are gone
}

TEST_F(GraphTest, SlicesStackTheOldestAtTheBottomByDefault) {
  graph.DrawGraphColumn(5, Population({{99, 10}, {0, 30}}), HeadCount::FromPersons(100));
  // Age 99: 10 of 100 -> top at 217 - 20 = 197; then age 0 up to 217 - 80 = 137.
  EXPECT_EQ(Pixel(31, 216), kAge99);
  EXPECT_EQ(Pixel(31, 197), kAge99);
  EXPECT_EQ(Pixel(31, 196), kAge0);
  EXPECT_EQ(Pixel(31, 137), kAge0);
  EXPECT_EQ(Pixel(31, 136), 0);
  EXPECT_EQ(Pixel(28, 200), kAge99);
  EXPECT_EQ(Pixel(34, 200), kAge99);
  EXPECT_EQ(Pixel(27, 200), 0);
  EXPECT_EQ(Pixel(35, 200), 0);
}

TEST_F(GraphTest, OrderOnePutsTheYoungestAtTheBottom) {
  m.GraphAgeOrder = 1;
  graph.DrawGraphColumn(5, Population({{99, 10}, {0, 30}}), HeadCount::FromPersons(100));
  // Age 0: 30 of 100 -> top at 157; then age 99 up to 137.
  EXPECT_EQ(Pixel(31, 216), kAge0);
  EXPECT_EQ(Pixel(31, 157), kAge0);
  EXPECT_EQ(Pixel(31, 156), kAge99);
  EXPECT_EQ(Pixel(31, 137), kAge99);
  EXPECT_EQ(Pixel(31, 136), 0);
}

TEST_F(GraphTest, APopulationAboveFullScaleGivesAColumnExactlyHHigh) {
  graph.DrawGraphColumn(5, Population({{40, 150}}), HeadCount::FromPersons(100));
  EXPECT_EQ(Height(31), 200);
  EXPECT_EQ(Pixel(31, 17), kAge40);
  EXPECT_EQ(Pixel(31, 16), 0);

  // The yearly step's pen width 3 widens the column by a pixel each side;
  // below the information line it is still exactly H high.
  graph.Clear();
  graph.SetPenWidth(3);
  graph.DrawGraphColumn(5, Population({{40, 150}}), HeadCount::FromPersons(100));
  for (int y = 17; y <= 216; ++y) ASSERT_NE(Pixel(31, y), 0) << y;
  EXPECT_EQ(Pixel(31, 15), 0);
  EXPECT_NE(Pixel(27, 100), 0);
  EXPECT_NE(Pixel(35, 100), 0);
  EXPECT_EQ(Pixel(26, 100), 0);
  EXPECT_EQ(Pixel(36, 100), 0);
}

TEST_F(GraphTest, AFullScaleOfZeroOrLessNeverDivides) {
  graph.DrawGraphColumn(5, Population({{40, 150}}), HeadCount());
  EXPECT_EQ(Height(31), 200);
  graph.DrawGraphColumn(6, Population({{40, 150}}), HeadCount::FromPersons(-5));
  EXPECT_EQ(Height(38), 200);
  // Slices whose running sum stays below a zero scale have no height.
  graph.DrawGraphColumn(7, Population({{99, -5}}), HeadCount());
  EXPECT_EQ(Height(45), 0);
}

TEST_F(GraphTest, ColumnZeroLiesLeftOfTheWindowAndColumnHundredAtItsRightEdge) {
  graph.DrawGraphColumn(0, Population({{40, 50}}), HeadCount::FromPersons(100));
  EXPECT_EQ(Height(0), 0);
  graph.DrawGraphColumn(100, Population({{40, 50}}), HeadCount::FromPersons(100));
  EXPECT_EQ(Height(692), 0);
  EXPECT_EQ(Height(693), 100);
  EXPECT_EQ(Height(699), 100);
}

// The yearly step leaves the pen 3 wide, and Reset then draws column 0: it
// must stay off the picture at any pen width, so the graph is empty.
TEST_F(GraphTest, ColumnZeroPaintsNoPixelWhateverThePenWidth) {
  graph.SetPenWidth(3);
  for (int year = 1; year <= 60; ++year)
    graph.DrawGraphColumn(year, Population({{40, 150}}), HeadCount::FromPersons(100));
  ASSERT_EQ(Pixel(0, 100), kAge40);  // year 1 reaches the first pixel
  for (int pen = 1; pen <= 9; ++pen) {
    SCOPED_TRACE(pen);
    graph.Clear();
    graph.SetPenWidth(pen);
    graph.DrawGraphColumn(0, Population({{40, 150}}), HeadCount::FromPersons(100));
    for (int x = 0; x < 700; ++x) ASSERT_EQ(Height(x), 0) << x;
    // Column 1 still starts at the first pixel.
    graph.DrawGraphColumn(1, Population({{40, 150}}), HeadCount::FromPersons(100));
    EXPECT_EQ(Pixel(0, 100), kAge40);
  }
}

TEST_F(GraphTest, TheInformationLineDescribesTheLiveCensusAndTheLastHover) {
  m.ElapsedYears = 50;
  m.Census.Total = HeadCount::FromPersons(1'234'567);
  m.SelectedYear = 3;
  m.GraphCensus.Total = HeadCount::FromPersons(1234);
  graph.DrawGraphColumn(50, Population({{40, 1}}), HeadCount::FromPersons(100));
  EXPECT_EQ(Info(), "A.D.2050 , Total = 1,234,567 / A.D.2003 = 1,234");
}

TEST_F(GraphTest, AWindowLowerThanTheInformationLineDrawsNoColumn) {
  graph.resize(700, 10);
  EXPECT_EQ(m.ViewSize[1], -7);
  EXPECT_EQ(graph.ShapeG()->height(), 0);
  m.Census.Total = HeadCount::FromPersons(5);
  graph.DrawGraphColumn(5, Population({{40, 150}}), HeadCount::FromPersons(100));
  for (int x = 0; x < 700; ++x) ASSERT_EQ(Height(x), 0) << x;
  EXPECT_EQ(Info(), "A.D.2000 , Total = 5 / A.D.2000 = 0");
}

TEST_F(GraphTest, HoverShowsThePastYearOnTheMarkerCircleAndPyramid) {
  Simulate60Years();
  Move(347);  // 347 / 700 x 101 = 50.07
  EXPECT_EQ(m.SelectedYear, 50);
  EXPECT_EQ(m.GraphCensus.Total, HeadCount::FromPersons(1050));
  EXPECT_EQ(Info(), "A.D.2060 , Total = 1,060 / A.D.2050 = 1,050");
  EXPECT_TRUE(graph.ShapeG()->isVisible());
  EXPECT_EQ(graph.ShapeG()->x(), 347);  // 700 x 50 / 101 = 346.5 rounds up
  EXPECT_EQ(pyramid.LabelInfo()->text(), "A.D.2050");
  EXPECT_EQ(circle.Picture().PixelAt(150, 117), AgeColour(30));
  EXPECT_EQ(circle.LabelInfo()->text(), "Elders = 0% , Adults = 100% , Children = 0%");
  // The pyramid's relative view: all men in class 6 fill its row (y 215..229).
  EXPECT_EQ(pyramid.Picture().PixelAt(100, 222), AgeColour(30));

  Move(346);  // 49.92: the band before
  EXPECT_EQ(m.SelectedYear, 49);
  EXPECT_EQ(graph.ShapeG()->x(), 340);  // 700 x 49 / 101 = 339.6
}

TEST_F(GraphTest, TheLookBackReachesTheOtherWindowsOnlyThroughTheFrame) {
  Simulate60Years();
  struct Case {
    bool running;
    int x;
    std::vector<int> asked;  // the past years the frame was asked to show
  };
  const Case cases[] = {
      {false, 347, {50}},
      {false, 346, {50, 49}},
      {false, 490, {50, 49}},  // year 70 was never simulated
      {true, 200, {50, 49}},   // a running clock shows only the information line
  };
  frame.circle = nullptr;  // no sibling at hand: nothing else can draw them
  frame.pyramid = nullptr;
  for (const Case& c : cases) {
    frame.running = c.running;
    Move(c.x);
    EXPECT_EQ(frame.pastYears, c.asked) << c.x;
  }
}

TEST_F(GraphTest, TheMarkerIsAnUnfilledWhiteOutline) {
  Simulate60Years();
  graph.DrawGraphColumn(51, m.WorldHistory[50], HeadCount::FromPersons(2000));
  Move(347);
  const QImage shown = graph.grab().toImage();
  EXPECT_EQ(shown.pixelColor(347, 100), QColor(Qt::white));   // left edge
  EXPECT_EQ(shown.pixelColor(353, 100), QColor(Qt::white));   // right edge, 7 wide
  EXPECT_EQ(shown.pixelColor(350, 215), QColor(Qt::white));   // bottom edge
  EXPECT_EQ(shown.pixelColor(350, 200), QColor(39, 216, 0));  // inside: the column of age 30
}

TEST_F(GraphTest, BandsRunFromZeroAtTheLeftToAHundredAtTheRightEdge) {
  Simulate60Years();
  for (int year = 61; year <= 100; ++year) m.WorldHistory[year] = Population({{30, 1000 + year}});
  Move(699);  // 100.86
  EXPECT_EQ(m.SelectedYear, 100);
  EXPECT_EQ(graph.ShapeG()->x(), 693);
  EXPECT_EQ(pyramid.LabelInfo()->text(), "A.D.2100");
  Move(7);  // 1.01
  EXPECT_EQ(m.SelectedYear, 1);
  Move(6);  // 0.87
  EXPECT_EQ(m.SelectedYear, 0);
  EXPECT_EQ(pyramid.LabelInfo()->text(), "A.D.2000");
  // Exactly on the right edge and beyond it (possible while a button is held).
  graph.Form_MouseMove(0, 0, 700.0f, 100.0f);
  EXPECT_EQ(m.SelectedYear, 100);
  graph.Form_MouseMove(0, 0, 0.0f, 100.0f);
  graph.Form_MouseMove(1, 0, 5000.0f, 100.0f);
  EXPECT_EQ(m.SelectedYear, 100);
  // A graph measured without width has no bands to read.
  m.ViewSize[0] = 0;
  graph.Form_MouseMove(0, 0, 10.0f, 100.0f);
  EXPECT_EQ(m.SelectedYear, 100);
}

TEST_F(GraphTest, APointerLeftOfTheWindowReadsAsBandZero) {
  Simulate60Years();
  Move(347);
  Press(Qt::LeftButton, 347);
  QTest::mouseEvent(QTest::MouseMove, graph.windowHandle(), Qt::NoButton, {}, QPoint(-20, 100));
  EXPECT_EQ(m.SelectedYear, 0);
  EXPECT_EQ(pyramid.LabelInfo()->text(), "A.D.2000");
  Release(Qt::LeftButton, -20);
}

TEST_F(GraphTest, ShiftFreezesTheReadoutUntilReleased) {
  Simulate60Years();
  Move(347);
  Move(100, Qt::ShiftModifier);
  EXPECT_EQ(m.SelectedYear, 50);
  EXPECT_EQ(pyramid.LabelInfo()->text(), "A.D.2050");
  Move(101, Qt::ShiftModifier | Qt::ControlModifier);  // not Shift alone
  EXPECT_EQ(m.SelectedYear, 14);                       // 101 / 700 x 101 = 14.57
  Move(347, Qt::ShiftModifier);
  EXPECT_EQ(m.SelectedYear, 14);
  Move(100);
  EXPECT_EQ(m.SelectedYear, 14);  // 100 / 700 x 101 = 14.43: the same band
  Move(200);
  EXPECT_EQ(m.SelectedYear, 28);  // 28.86
  EXPECT_EQ(pyramid.LabelInfo()->text(), "A.D.2028");
}

TEST_F(GraphTest, MovingWithinOneBandDoesNothingMore) {
  Simulate60Years();
  Move(347);
  m.Exploded = 1;
  pyramid.SetInfo("untouched");
  Move(350);  // still 50
  EXPECT_EQ(m.Exploded, 1);
  EXPECT_EQ(pyramid.LabelInfo()->text(), "untouched");
  Move(355);  // 51.2: a new band clears the explosion mark first
  EXPECT_EQ(m.Exploded, 0);
  EXPECT_EQ(pyramid.LabelInfo()->text(), "A.D.2051");
}

TEST_F(GraphTest, TheLeftmostBandDoesNothingUntilAnotherBandWasHovered) {
  Simulate60Years();
  Move(3);
  EXPECT_EQ(Info(), "Velmora");
  EXPECT_FALSE(graph.ShapeG()->isVisible());
}

TEST_F(GraphTest, AYearNotSimulatedChangesNothingOnTheScreen) {
  Simulate60Years();
  Move(347);
  m.Exploded = 1;
  Move(490);  // 70.7: never simulated
  EXPECT_EQ(m.SelectedYear, 70);
  EXPECT_EQ(m.Exploded, 0);
  EXPECT_EQ(Info(), "A.D.2060 , Total = 1,060 / A.D.2050 = 1,050");
  EXPECT_EQ(graph.ShapeG()->x(), 347);
  EXPECT_EQ(pyramid.LabelInfo()->text(), "A.D.2050");
}

TEST_F(GraphTest, WhileTheClockRunsOnlyTheInformationLineFollows) {
  Simulate60Years();
  frame.running = true;
  pyramid.SetInfo("Now Simulating......");
  circle.Clear();
  Move(347);
  EXPECT_EQ(m.SelectedYear, 50);
  EXPECT_EQ(Info(), "A.D.2060 , Total = 1,060 / A.D.2050 = 1,050");
  EXPECT_FALSE(graph.ShapeG()->isVisible());
  EXPECT_EQ(pyramid.LabelInfo()->text(), "Now Simulating......");
  EXPECT_EQ(circle.Picture().PixelAt(150, 117), 0);
}

TEST_F(GraphTest, APressDrivesTheRunThroughACommandRequest) {
  const std::vector<std::pair<int, int>> leftPresses = {
      {kPaused, kCommandResume}, {kIdle, kCommandStart}, {kRunning, kCommandBreak}, {3, 3}};
  for (const auto& [state, command] : leftPresses) {
    m.RunState = state;
    frame.requests.clear();
    Press(Qt::LeftButton);
    Release(Qt::LeftButton);
    EXPECT_EQ(frame.requests, std::vector<int>{command}) << state;
  }
  for (const int state : {kPaused, kIdle, kRunning}) {
    m.RunState = state;
    frame.requests.clear();
    Press(Qt::RightButton);
    Release(Qt::RightButton);
    EXPECT_EQ(frame.requests, std::vector<int>{kCommandReset}) << state;
  }
  frame.requests.clear();
  Press(Qt::MiddleButton);
  Release(Qt::MiddleButton);
  EXPECT_EQ(frame.requests, std::vector<int>{kCommandReset});
}

TEST_F(GraphTest, ClosingRemovesTheWindowMenuCheck) {
  graph.close();
  EXPECT_FALSE(graph.isVisible());
  EXPECT_EQ(frame.menuChecks, (std::vector<std::pair<int, bool>>{{kWindowGraph, false}}));
}

}  // namespace
}  // namespace velmora
