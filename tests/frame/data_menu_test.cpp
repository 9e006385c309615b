// The データ menu on the real frame: its windows open only on demand and
// beside the pyramid, the indicators item is checked while its window is
// open, and the stable-population item switches the pyramid's outline.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "frame/DataWindows.h"
#include "support/FrameFixture.h"
#include "views/FormIndicators.h"

namespace velmora {
namespace {

using testing::FrameFixture;

class DataMenu : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    // The whole screen, as the window manager would make it at once.
    Frame().CoverScreenIfNotMaximized();
    QApplication::processEvents();
  }

  QRect PyramidRect() { return Frame().Windows().Window(kWindowPyramid).geometry(); }

  // A population and rates that have a stable population.
  void LoadSomething() {
    for (int c = 4; c < 8; ++c) M().World.BirthRate(0, c) = 60.0f;
    for (int sex = 0; sex < 2; ++sex) {
      for (int c = 0; c < kAgeClasses; ++c) M().World.DeathRate(0, sex, c) = c < 12 ? 500.0f : 6000.0f;
      for (int age = 0; age < kAges; ++age) {
        M().World.People(sex, age) = HeadCount::FromPersons(age < 40 ? 9000 - 100 * age : 1500);
      }
    }
    M().WorldAtStart = M().World;
    Frame().MenuReset_Click();
  }
};

TEST_F(DataMenu, WindowsOpenOnlyOnDemandAndNeverOverThePyramid) {
  std::vector<QRect> arranged;
  for (int i = 0; i < 5; ++i) arranged.push_back(Frame().Windows().Window(i).geometry());
  EXPECT_FALSE(Frame().Data().IndicatorsOpen());
  EXPECT_FALSE(Frame().Data().WorldDataOpen());

  struct Case {
    const char* what;
    QAction* item;
    QMdiSubWindow* window;
  };
  const std::vector<Case> cases = {{"indicators", Menus().MenuIndicators, &Frame().Data().IndicatorsWindow()},
                                   {"world data", Menus().MenuWorldData, &Frame().Data().WorldDataWindow()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.item->trigger();
    ASSERT_TRUE(c.window->isVisible());
    EXPECT_FALSE(c.window->geometry().intersects(PyramidRect()))
        << c.window->geometry().x() << "," << c.window->geometry().y() << " " << c.window->width() << "x"
        << c.window->height() << " pyramid right " << PyramidRect().right() << " viewport "
        << Frame().Area().viewport()->width() << "x" << Frame().Area().viewport()->height();
    EXPECT_TRUE(Frame().Area().viewport()->rect().contains(c.window->geometry()));
  }
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Frame().Windows().Window(i).geometry(), arranged[i]) << i;
}

TEST_F(DataMenu, IndicatorsItemIsCheckedWhileItsWindowIsOpen) {
  QAction* item = Menus().MenuIndicators;
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  // Chosen again, it brings the window forward and stays checked.
  Frame().Windows().Focus(kWindowGraph);
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_EQ(Frame().Area().activeSubWindow(), &Frame().Data().IndicatorsWindow());
  Frame().Data().IndicatorsWindow().close();
  EXPECT_FALSE(Frame().Data().IndicatorsOpen());
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_TRUE(Frame().Data().IndicatorsOpen());
  EXPECT_TRUE(item->isChecked());
}

TEST_F(DataMenu, OpenedIndicatorsShowTheLiveYearAndFollowTheRun) {
  LoadSomething();
  Menus().MenuIndicators->trigger();
  FormIndicators& indicators = Frame().Data().Indicators();
  EXPECT_EQ(indicators.Figure(Indicator::kYear)->text().toStdString(), "2000");
  EXPECT_EQ(indicators.Figure(Indicator::kTotal)->text().toStdString(), "744,000");
  Frame().MenuStart_Click();
  Frame().TimerWorld().stop();
  Frame().TimerWorld_Timer();
  EXPECT_EQ(indicators.Figure(Indicator::kYear)->text().toStdString(), "2001");
  // Start brought the graph forward; the indicators stay above it.
  QApplication::processEvents();
  const QList<QMdiSubWindow*> order = Frame().Area().subWindowList(QMdiArea::StackingOrder);
  EXPECT_EQ(order.back(), &Frame().Data().IndicatorsWindow());
  // The world-data window, which opens at the same place, is not kept under it.
  Menus().MenuWorldData->trigger();
  QApplication::processEvents();
  EXPECT_EQ(Frame().Area().subWindowList(QMdiArea::StackingOrder).back(), &Frame().Data().WorldDataWindow());
}

TEST_F(DataMenu, StableOutlineItemSwitchesThePyramidsOutline) {
  LoadSomething();
  FormPyramid& pyramid = Frame().Windows().Pyramid();
  const QImage plain = pyramid.Picture().Image().copy();
  QAction* item = Menus().MenuStableOutline;
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(pyramid.StableOutline());
  EXPECT_NE(pyramid.Picture().Image(), plain);
  item->trigger();
  EXPECT_FALSE(pyramid.StableOutline());
  EXPECT_EQ(pyramid.Picture().Image(), plain);
}

TEST_F(DataMenu, AltDThenAnItemLetter) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  struct Case {
    Qt::Key letter;
    std::function<bool()> done;
  };
  const std::vector<Case> cases = {
      {Qt::Key_S, [this] { return Frame().Windows().Pyramid().StableOutline(); }},
      {Qt::Key_I, [this] { return Frame().Data().IndicatorsOpen(); }},
      {Qt::Key_W, [this] { return Frame().Data().WorldDataOpen(); }},
  };
  for (const Case& c : cases) {
    QTest::keyClick(&Frame(), Qt::Key_D, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu, Menus().MenuData);
    QTest::keyClick(menu, c.letter);
    EXPECT_TRUE(c.done()) << QKeySequence(c.letter).toString().toStdString();
  }
}

TEST(DataWindowsPlace, AtTheRightEdgeLevelWithThePyramidNeverOverIt) {
  struct Case {
    const char* what;
    QSize outer;
    QSize workspace;
    QRect pyramid;
    QPoint expected;
  };
  const std::vector<Case> cases = {
      {"wide workspace", {400, 300}, {1900, 1000}, {0, 120, 350, 430}, {1500, 120}},
      {"too narrow for both: still inside", {400, 300}, {700, 1000}, {0, 120, 600, 430}, {300, 120}},
      {"narrower than the window", {400, 300}, {300, 1000}, {0, 120, 200, 430}, {0, 120}},
      {"pyramid closed", {400, 300}, {1900, 1000}, {}, {1500, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DataWindows::PlaceBesidePyramid(c.outer, c.workspace, c.pyramid), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace velmora
