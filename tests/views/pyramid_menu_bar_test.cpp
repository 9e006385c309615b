// The pyramid's menu bar in the program's frame: every menu stays in sight
// at any width, the titles wrapping onto further lines, and the drawing area
// below keeps its size rules under the taller bar.
#include <QMenuBar>
#include <QToolButton>

#include "support/FrameFixture.h"

namespace velmora::testing {
namespace {

class PyramidMenuBar : public FrameFixture {
 protected:
  FormPyramid& Pyramid() { return Frame().Windows().Pyramid(); }
  WrappingMenuBar& Bar() { return *Pyramid().MenuBar(); }
  QWidget& Client() { return *Pyramid().parentWidget(); }

  // The pyramid window's client area made width pixels wide.
  void SetClientWidth(int width) {
    QMdiSubWindow& window = Frame().Windows().Window(kWindowPyramid);
    window.resize(window.width() + width - Client().width(), window.height());
    ASSERT_EQ(Client().width(), width);
  }

  // Each title on a shown line, wholly inside it, and no line hiding titles
  // behind its overflow button. Returns how many lines are in use.
  int ExpectEveryTitleInSight() {
    const QList<QAction*> titles = Bar().actions();
    EXPECT_EQ(titles.size(), 4);
    int used = 0;
    int seen = 0;
    for (QMenuBar* line : Bar().Lines()) {
      if (line->actions().isEmpty()) {
        EXPECT_TRUE(line->isHidden());
        continue;
      }
      EXPECT_TRUE(line->isVisible());
      EXPECT_EQ(line->geometry(), QRect(0, used * line->height(), Bar().width(), line->height()));
      ++used;
      for (QAction* title : line->actions()) {
        EXPECT_EQ(title, titles.value(seen++));  // the titles keep their order
        EXPECT_TRUE(line->rect().contains(line->actionGeometry(title))) << title->text().toStdString();
      }
      const auto* overflow = line->findChild<QToolButton*>("qt_menubar_ext_button");
      EXPECT_TRUE(overflow == nullptr || overflow->isHidden()) << "width " << Bar().width();
    }
    EXPECT_EQ(seen, 4);
    return used;
  }

  // The drawing area fills the client area under the bar, and the pyramid's
  // recorded size is that area: its width, and its height less the label band.
  void ExpectDrawingAreaUnderTheBar(int lines) {
    const int lineHeight = Bar().Lines().front()->height();
    EXPECT_EQ(Bar().geometry(), QRect(0, 0, Client().width(), lines * lineHeight));
    EXPECT_EQ(Pyramid().geometry(),
              QRect(0, lines * lineHeight, Client().width(), Client().height() - lines * lineHeight));
    EXPECT_EQ(M().ViewSize[2], Client().width());
    EXPECT_EQ(M().ViewSize[3], Client().height() - lines * lineHeight - 20);
  }
};

TEST_F(PyramidMenuBar, AtTheStartUpWidthTheFourthMenuWrapsOntoASecondLine) {
  ASSERT_EQ(Client().width(), 343);  // as wide as the settings window's client area
  EXPECT_EQ(ExpectEveryTitleInSight(), 2);
  EXPECT_EQ(Bar().Lines()[1]->actions().value(0), Pyramid().Menus().MenuFunc->menuAction());
  ExpectDrawingAreaUnderTheBar(2);
}

TEST_F(PyramidMenuBar, At200PixelsEveryMenuStaysInSight) {
  SetClientWidth(200);
  const int lines = ExpectEveryTitleInSight();
  EXPECT_GE(lines, 2);
  ExpectDrawingAreaUnderTheBar(lines);
}

TEST_F(PyramidMenuBar, WideEnoughItIsOneLineAgainAndTheDrawingAreaGrowsBack) {
  const int startHeight = M().ViewSize[3];
  SetClientWidth(600);
  EXPECT_EQ(ExpectEveryTitleInSight(), 1);
  ExpectDrawingAreaUnderTheBar(1);
  EXPECT_EQ(M().ViewSize[3], startHeight + Bar().Lines().front()->height());
}

TEST_F(PyramidMenuBar, NoWidthHidesAMenu) {
  int lastLines = 4;
  for (int width = 120; width <= 640; width += 3) {
    SetClientWidth(width);
    const int lines = ExpectEveryTitleInSight();
    EXPECT_LE(lines, lastLines) << "width " << width;  // a wider bar never needs more lines
    lastLines = lines;
  }
  EXPECT_EQ(lastLines, 1);
}

}  // namespace
}  // namespace velmora::testing
