#include <QMdiArea>
#include <QScreen>

#include "frame/StartupArrangement.h"
#include "platform/Platform.h"
#include "scenario/FormSetting.h"
#include "support/FrameFixture.h"
#include "views/FormCircle.h"

namespace velmora {
namespace {

using testing::FrameFixture;

TEST(StartupArrangement, TwoRowsAroundTheSettingsWindow) {
  const TwipRect settings{0, 0, 5265, 1470};
  const TwipRect controller{999, 999, 7530, 1470};
  const StartupArrangement a = ArrangeAtStartup(settings, controller, 28800, 16200);
  EXPECT_EQ(a.Controller, (TwipRect{5265, 0, 7530, 1470}));
  EXPECT_EQ(a.Pyramid, (TwipRect{0, 1470, 5265, 6405}));
  // 28800 - 5265 - 250 and 16200 - 1470 - 750.
  EXPECT_EQ(a.Graph, (TwipRect{5265, 1470, 23285, 13980}));
  // As tall as the graph together with the pyramid: 13980 - 6405.
  EXPECT_EQ(a.Circle, (TwipRect{0, 7875, 5265, 7575}));
}

TEST(StartupArrangement, FollowsASettingsWindowAwayFromTheCorner) {
  const StartupArrangement a = ArrangeAtStartup({300, 450, 5000, 1500}, {0, 0, 7000, 1500}, 20000, 12000);
  EXPECT_EQ(a.Controller, (TwipRect{5300, 450, 7000, 1500}));
  EXPECT_EQ(a.Pyramid, (TwipRect{300, 1950, 5000, 6405}));
  EXPECT_EQ(a.Graph, (TwipRect{5300, 1950, 14450, 9300}));
  EXPECT_EQ(a.Circle, (TwipRect{300, 8355, 5000, 2895}));
}

TEST(StartupArrangement, AFrameTooSmallGetsTheMinimumInsteadOfEmptyWindows) {
  // Graph width 5500 - 5265 - 250 < 0, height 6000 - 1470 - 750 = 3780 is
  // positive but the circle's 3780 - 6405 is not.
  const StartupArrangement a = ArrangeAtStartup({0, 0, 5265, 1470}, {0, 0, 7530, 1470}, 5500, 6000);
  EXPECT_EQ(a.Graph.Width, kMinimumArrangedSize);
  EXPECT_EQ(a.Graph.Height, 3780);
  EXPECT_EQ(a.Circle.Height, kMinimumArrangedSize);
  // Exactly zero is not a size either.
  EXPECT_EQ(ArrangeAtStartup({0, 0, 5265, 1470}, {}, 5515, 2220).Graph.Width, kMinimumArrangedSize);
  EXPECT_EQ(ArrangeAtStartup({0, 0, 5265, 1470}, {}, 5515, 2220).Graph.Height, kMinimumArrangedSize);
}

QRect Outer(MDIFormMain& frame, int index) { return frame.Windows().Window(index).geometry(); }

TEST_F(FrameFixture, WindowsStartInTwoRowsOnAFullHdScreen) {
  const QRect s = Outer(Frame(), kWindowSettings);
  const QRect c = Outer(Frame(), kWindowController);
  const QRect p = Outer(Frame(), kWindowPyramid);
  const QRect g = Outer(Frame(), kWindowGraph);
  const QRect o = Outer(Frame(), kWindowCircle);
  // The settings window keeps the workspace's first position.
  EXPECT_EQ(s.topLeft(), QPoint(0, 0));
  EXPECT_EQ(c.topLeft(), QPoint(s.right() + 1, s.top()));
  EXPECT_EQ(p.topLeft(), QPoint(s.left(), s.bottom() + 1));
  EXPECT_EQ(p.width(), s.width());
  EXPECT_EQ(p.height(), 427);  // 6405 twips
  EXPECT_EQ(g.topLeft(), QPoint(s.right() + 1, p.top()));
  // Right edge at frame Width - 250 twips, bottom at frame Height - 750
  // twips, the frame being the maximized 1920 x 1080 screen.
  EXPECT_NEAR((g.right() + 1) * 15, 1920 * 15 - 250, 15);
  EXPECT_NEAR((g.bottom() + 1) * 15, 1080 * 15 - 750, 15);
  EXPECT_EQ(o.topLeft(), QPoint(p.left(), p.bottom() + 1));
  EXPECT_EQ(o.width(), p.width());
  EXPECT_EQ(o.bottom(), g.bottom());
}

TEST_F(FrameFixture, FreshWindowsHaveTheirDesignedClientSizes) {
  ChildWindows& w = Frame().Windows();
  EXPECT_EQ(w.Text().size(), QSize(494, 70));     // 7410 x 1050 twips
  EXPECT_EQ(w.Setting().size(), QSize(343, 70));  // 5145 x 1050
  // The two fixed-border windows cannot be resized.
  for (int index : {kWindowController, kWindowSettings}) {
    EXPECT_EQ(w.Window(index).minimumSize(), w.Window(index).maximumSize()) << index;
    EXPECT_FALSE(w.Window(index).windowFlags() & Qt::WindowMaximizeButtonHint) << index;
  }
  // The charts' initial sizes show when they are opened again (graph 10485 x
  // 8055, pyramid 6000 x 4500 below its menu bar, circle 4680 x 3195).
  for (int index : {kWindowGraph, kWindowPyramid, kWindowCircle}) {
    w.Close(index);
    Menus().MenuWShow[index]->trigger();
  }
  EXPECT_EQ(w.Graph().size(), QSize(699, 537));
  EXPECT_EQ(w.Pyramid().size(), QSize(400, 300));
  EXPECT_EQ(w.Circle().size(), QSize(312, 213));
}

TEST_F(FrameFixture, SettingsWindowHasTheFocusAfterStartUp) {
  EXPECT_EQ(Frame().Area().activeSubWindow(), &Frame().Windows().Window(kWindowSettings));
}

TEST_F(FrameFixture, LoadSetsTheFrameDefaultsAndTheControllerDefaults) {
  EXPECT_EQ(M().StartYear, 2000);
  EXPECT_EQ(M().BaseScale, HeadCount::FromPersons(10));
  EXPECT_EQ(M().FullScale, HeadCount::FromPersons(100'000));
  EXPECT_EQ(M().BarBaseX, 0.0f);
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(100'000'000));
  EXPECT_EQ(M().RunCenturies, 0);
  ASSERT_FALSE(M().AppPath.empty());
  EXPECT_NE(M().AppPath.back(), '/');
  EXPECT_EQ(QString::fromStdString(M().AppPath), QCoreApplication::applicationDirPath());
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Frame().Windows().IsOpen(i)) << i;
}

// Without a window manager nothing carries out the request to maximize: the
// frame stays at its restored size. It then covers the screen's available
// area by itself, and every window of the start-up arrangement is in sight.
TEST_F(FrameFixture, AFrameThatNoWindowManagerMaximizedStillCoversTheScreen) {
  const QRect available = Frame().screen()->availableGeometry();
  Frame().setGeometry(0, 0, 541, 455);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Frame().frameGeometry().width() < 600; }));

  Frame().CoverScreenIfNotMaximized();
  ASSERT_TRUE(QTest::qWaitFor([this] { return Frame().frameGeometry().width() > 600; }));
  EXPECT_EQ(Frame().frameGeometry(), available);
  const QRect workspace(QPoint(0, 0), Frame().Area().viewport()->size());
  for (int index = 0; index < 5; ++index) {
    EXPECT_TRUE(workspace.contains(Outer(Frame(), index))) << index;
  }
  // The graph ends 250 twips inside the frame's right edge, as laid out.
  EXPECT_NEAR((Outer(Frame(), kWindowGraph).right() + 1) * 15, available.width() * 15 - 250, 15);

  // A frame that covers the screen is left as it is.
  const QRect covering = Frame().geometry();
  Frame().CoverScreenIfNotMaximized();
  EXPECT_EQ(Frame().geometry(), covering);
}

}  // namespace
}  // namespace velmora
