// The pyramid inside the program's frame: under its own menu bar in a
// sub-window, edited by a drag that leaves the sub-window.
#include <QMenuBar>
#include <QWindow>

#include "model/Census.h"
#include "support/FrameFixture.h"

namespace velmora::testing {
namespace {

class PyramidInFrameTest : public FrameFixture {
 protected:
  FormPyramid& Pyramid() { return Frame().Windows().Pyramid(); }
  // A point of the pyramid's client area in the frame's window.
  QPoint At(int x, int y) { return Pyramid().mapTo(Pyramid().window(), QPoint(x, y)); }
  QWindow* FrameWindow() { return Pyramid().window()->windowHandle(); }
};

TEST_F(PyramidInFrameTest, DragLeavingTheSubWindowStillEditsThePyramid) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Pyramid().window()));
  ASSERT_TRUE(Pyramid().isVisible());
  ASSERT_NE(Pyramid().MenuBar()->parent(), nullptr);  // the frame has placed the bar
  for (int age = 0; age < kAges; ++age) M().World.People(0, age) = HeadCount::FromPersons(10'000);
  Pyramid().Menus().MenuPeople[1]->trigger();
  Pyramid().Menus().MenuScale[4]->trigger();  // 1,000,000
  const int w = M().ViewSize[2];
  const int h = M().ViewSize[3];
  ASSERT_GT(w, 100);
  const int y = 20 + h - h / 40;  // inside the bottom row, class 0

  QTest::mousePress(FrameWindow(), Qt::LeftButton, {}, At(w / 4, y));
  // Right of the pyramid's window, over the graph's: the women's bar at the
  // full scale and a fifth more.
  const int right = w + w / 10;
  ASSERT_NE(Pyramid().window()->childAt(At(right, y)), nullptr);
  QTest::mouseMove(FrameWindow(), At(right, y));
  // Left of it, past the frame's own edge: the men's bar, half as much again.
  const int left = -w / 4;
  QTest::mouseMove(FrameWindow(), At(left, y));
  QTest::mouseRelease(FrameWindow(), Qt::LeftButton, {}, At(left, y));

  const double half = w / 2.0;
  EXPECT_NEAR(M().World.People(1, 0).ToDouble(), 1'000'000.0 * (right - half) / half / 5.0, 0.5);
  EXPECT_NEAR(M().World.People(0, 0).ToDouble(), 1'000'000.0 * (half - left) / half / 5.0, 0.5);
  EXPECT_EQ(M().World.People(0, 4), M().World.People(0, 0));
  EXPECT_EQ(M().World.People(0, 5), HeadCount::FromPersons(10'000));
  EXPECT_EQ(Pyramid().Editor().LeftButtonDown(), 0);
  EXPECT_EQ(PyramidInfo().substr(0, 15), "Men; Age 0-4 = ");
}

}  // namespace
}  // namespace velmora::testing
