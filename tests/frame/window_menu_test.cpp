#include <QApplication>
#include <QMdiArea>

#include "scenario/FormSetting.h"
#include "support/FrameFixture.h"
#include "views/FormCircle.h"

namespace velmora {
namespace {

using testing::FrameFixture;

class WindowMenu : public FrameFixture {
 protected:
  QMdiSubWindow& Window(int index) { return Frame().Windows().Window(index); }
  bool IsOpen(int index) { return Frame().Windows().IsOpen(index); }
  bool Checked(int index) { return Menus().MenuWShow[index]->isChecked(); }
  QMdiSubWindow* Active() { return Frame().Area().activeSubWindow(); }
};

TEST_F(WindowMenu, ControllerAlreadyOpenMovesToTheCornerAndKeepsItsValues) {
  Enter(Controller().TextMax(), "7");
  M().RunCenturies = 1;
  ASSERT_NE(Window(kWindowController).pos(), QPoint(0, 0));
  Menus().MenuWShow[kWindowController]->trigger();
  EXPECT_EQ(Window(kWindowController).pos(), QPoint(0, 0));
  EXPECT_EQ(Active(), &Window(kWindowController));
  EXPECT_TRUE(Checked(kWindowController));
  EXPECT_EQ(Controller().TextMax()->text().toStdString(), "7");
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(70'000));
  EXPECT_EQ(M().RunCenturies, 1);
}

TEST_F(WindowMenu, ControllerReopenedRunsItsLoadHandling) {
  Enter(Controller().TextMax(), "7");
  Controller().SetLabelD(0, "2042 ");
  Window(kWindowController).close();
  ASSERT_FALSE(Checked(kWindowController));

  Menus().MenuWShow[kWindowController]->trigger();
  EXPECT_TRUE(IsOpen(kWindowController));
  EXPECT_TRUE(Controller().isVisible());
  EXPECT_TRUE(Checked(kWindowController));
  EXPECT_EQ(Window(kWindowController).pos(), QPoint(0, 0));
  EXPECT_EQ(Active(), &Window(kWindowController));
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(100'000'000));
  EXPECT_EQ(M().RunCenturies, 0);
  EXPECT_EQ(Controller().TextMax()->text().toStdString(), "10000");
  EXPECT_EQ(LabelD(0), "Year ");
}

TEST_F(WindowMenu, ReopeningTheControllerDuringARunFinishesItAtTheNextTick) {
  M().World.People(0, 10) = HeadCount::FromPersons(100);
  Menus().MenuStart->trigger();
  Frame().TimerWorld_Timer();
  ASSERT_EQ(M().ElapsedYears, 1);
  Window(kWindowController).close();
  Menus().MenuWShow[kWindowController]->trigger();
  Frame().TimerWorld_Timer();
  EXPECT_EQ(M().ElapsedYears, 1);
  EXPECT_EQ(PyramidInfo(), "Finished");
  EXPECT_FALSE(Frame().TimerWorld().isActive());
}

TEST_F(WindowMenu, SettingsItemGainsTheCheckItLackedSinceStartUp) {
  ASSERT_FALSE(Checked(kWindowSettings));
  Menus().MenuWShow[kWindowSettings]->trigger();
  EXPECT_TRUE(Checked(kWindowSettings));
  EXPECT_EQ(Active(), &Window(kWindowSettings));
  // Open already: it stays where start-up put it.
  EXPECT_EQ(Window(kWindowSettings).pos(), QPoint(0, 0));
}

TEST_F(WindowMenu, ClosingTheCircleLeavesItsCheckTheOtherChartsClearTheirs) {
  Window(kWindowCircle).close();
  EXPECT_FALSE(IsOpen(kWindowCircle));
  EXPECT_TRUE(Checked(kWindowCircle));
  Window(kWindowGraph).close();
  EXPECT_FALSE(Checked(kWindowGraph));
  Window(kWindowPyramid).close();
  EXPECT_FALSE(IsOpen(kWindowPyramid));
  EXPECT_FALSE(Checked(kWindowPyramid));
  Window(kWindowSettings).close();
  EXPECT_FALSE(IsOpen(kWindowSettings));
}

TEST_F(WindowMenu, AClosedChartComesBackFreshAtTheDefaultPlace) {
  const QRect arranged = Window(kWindowGraph).geometry();
  Window(kWindowGraph).close();
  Menus().MenuWShow[kWindowGraph]->trigger();
  EXPECT_TRUE(IsOpen(kWindowGraph));
  EXPECT_TRUE(Frame().Windows().Graph().isVisible());
  EXPECT_TRUE(Checked(kWindowGraph));
  EXPECT_EQ(Active(), &Window(kWindowGraph));
  EXPECT_EQ(Frame().Windows().Graph().size(), QSize(699, 537));
  EXPECT_NE(Window(kWindowGraph).geometry(), arranged);
  // Its resize handling recorded the new drawing area.
  EXPECT_EQ(Frame().Windows().Graph().Picture().ClientWidth(), 699);
  // The rest of the arrangement is not repeated.
  EXPECT_EQ(Window(kWindowSettings).pos(), QPoint(0, 0));
}

TEST_F(WindowMenu, APyramidClosedAndReopenedAtTheSameSizeStillRunsItsResizeHandling) {
  Window(kWindowPyramid).close();
  Menus().MenuWShow[kWindowPyramid]->trigger();
  ASSERT_EQ(Frame().Windows().Pyramid().size(), QSize(400, 300));
  Frame().Windows().Pyramid().Picture().Resize(QSize(1, 1));  // forget the drawing area
  Window(kWindowPyramid).close();
  Menus().MenuWShow[kWindowPyramid]->trigger();
  EXPECT_TRUE(Frame().Windows().Pyramid().isVisible());
  EXPECT_EQ(Frame().Windows().Pyramid().Picture().ClientWidth(), 400);
}

TEST_F(WindowMenu, EveryWindowShowsTheProgramsIconInEverySize) {
  const QIcon icon = QApplication::windowIcon();
  const QList<QSize> sizes{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
  EXPECT_EQ(icon.availableSizes(), sizes);
  EXPECT_EQ(Frame().windowIcon().cacheKey(), icon.cacheKey());
  for (int index = 0; index < kWindowCount; ++index) {
    EXPECT_EQ(Window(index).windowIcon().cacheKey(), icon.cacheKey()) << index;
  }
}

// The graph's line and marker and the pyramid's line are what a run left
// there; reopened, each window starts as its load handling leaves it.
TEST_F(WindowMenu, AReopenedChartStartsWithItsLoadTexts) {
  M().World.People(1, 30) = HeadCount::FromPersons(400);
  Menus().MenuStart->trigger();
  Frame().TimerWorld_Timer();
  Menus().MenuBreak->trigger();
  FormGraph& graph = Frame().Windows().Graph();
  graph.Form_MouseMove(0, 0, static_cast<float>(graph.width()) * 1.5f / 101.0f, 100.0f);  // looks back at year 1
  ASSERT_TRUE(graph.ShapeG()->isVisible());
  const struct {
    int index;
    QLabel* info;
  } charts[] = {{kWindowGraph, graph.LabelInfo()}, {kWindowPyramid, Frame().Windows().Pyramid().LabelInfo()}};
  for (const auto& chart : charts) {
    ASSERT_NE(chart.info->text().toStdString(), "Velmora") << chart.index;
    Window(chart.index).close();
    Menus().MenuWShow[chart.index]->trigger();
    EXPECT_EQ(chart.info->text().toStdString(), "Velmora") << chart.index;
  }
  EXPECT_FALSE(graph.ShapeG()->isVisible());
  EXPECT_EQ(Window(kWindowPyramid).windowTitle(), QString::fromUtf8("年齢階級別人口"));
}

TEST_F(WindowMenu, AMinimizedWindowComesBackAtItsLastNormalSizeWithTheFocus) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  for (int index : {kWindowGraph, kWindowPyramid, kWindowCircle, kWindowController}) {
    Window(index).resize(Window(index).size() - QSize(3, 2));
    const QRect normal = Window(index).geometry();
    Window(index).showMinimized();
    ASSERT_TRUE(Window(index).isMinimized()) << index;
    Menus().MenuWShow[index]->trigger();
    EXPECT_FALSE(Window(index).isMinimized()) << index;
    // The controller alone moves to the corner.
    EXPECT_EQ(Window(index).size(), normal.size()) << index;
    if (index != kWindowController) {
      EXPECT_EQ(Window(index).geometry(), normal) << index;
    }
    EXPECT_EQ(Active(), &Window(index)) << index;
    EXPECT_TRUE(Window(index).isAncestorOf(QApplication::focusWidget())) << index;
  }
}

TEST_F(WindowMenu, DrawingCallsReachClosedWindowsAndARunStartsWithoutTheGraph) {
  M().World.People(1, 30) = HeadCount::FromPersons(400);
  for (int index : {kWindowGraph, kWindowPyramid, kWindowCircle, kWindowController}) Window(index).close();
  Menus().MenuStart->trigger();
  EXPECT_TRUE(Frame().TimerWorld().isActive());
  EXPECT_TRUE(platform_.boxes.empty());
  Frame().TimerWorld_Timer();
  EXPECT_EQ(M().ElapsedYears, 1);
  EXPECT_EQ(LabelD(0), "2001 ");
  EXPECT_EQ(PyramidInfo(), "Now Simulating......");
  EXPECT_FALSE(Frame().FocusWindow(kWindowGraph));
  EXPECT_TRUE(Frame().FocusWindow(kWindowSettings));
}

}  // namespace
}  // namespace velmora

namespace velmora::testing {
namespace {

TEST_F(FrameFixture, PyramidWindowCaptionFollowsWhatTheDrawingShows) {
  // The first drawing (the resize at start-up) replaces the design-time caption.
  QMdiSubWindow& window = Frame().Windows().Window(kWindowPyramid);
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("年齢階級別人口"));
  Frame().Windows().Pyramid().DrawPyramid(kContentBirths, M().World, M().Census);
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("年齢階級別出生数／1000"));
}

}  // namespace
}  // namespace velmora::testing
