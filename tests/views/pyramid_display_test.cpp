// The pyramid display and its menus on the real window: captions, check
// marks, full scales and the pixels of the four contents.
#include <QMenu>
#include <limits>

#include "model/AgeColour.h"
#include "pyramid_window_test.h"

namespace velmora::testing {
namespace {

using PyramidDisplayTest = PyramidWindowTest;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

std::vector<QString> Captions(const QMenu* menu) {
  std::vector<QString> captions;
  for (const QAction* item : menu->actions()) captions.push_back(item->isSeparator() ? "-" : item->text());
  return captions;
}

template <std::size_t N>
std::vector<bool> Checks(const std::array<QAction*, N>& items) {
  std::vector<bool> checks;
  for (const QAction* item : items) checks.push_back(item->isChecked());
  return checks;
}

TEST_F(PyramidDisplayTest, FirstDrawingReplacesTheInitialCaption) {
  FormPyramid unshown(m, display, frame);
  EXPECT_EQ(unshown.windowTitle(), Text("年齢階級別人口　MAX=10,000"));
  EXPECT_EQ(unshown.LabelInfo()->text(), "Velmora");
  // Showing resizes, which draws.
  EXPECT_EQ(form->windowTitle(), Text("年齢階級別人口"));
  EXPECT_EQ(Info(), "Velmora");
  EXPECT_EQ(m.ViewSize[2], kWidth);
  EXPECT_EQ(m.ViewSize[3], kHeight - 20);
}

TEST_F(PyramidDisplayTest, CaptionNamesTheContent) {
  const std::vector<std::pair<int, const char*>> cases = {{kContentPopulation, "年齢階級別人口"},
                                                          {kContentRelative, "年齢階級別人口"},
                                                          {kContentBirths, "年齢階級別出生数／1000"},
                                                          {kContentDeaths, "年齢階級別死亡数／100,000"}};
  for (const auto& [content, caption] : cases) {
    form->DrawPyramid(content, m.World, m.Census);
    EXPECT_EQ(form->windowTitle(), Text(caption)) << content;
  }
}

TEST_F(PyramidDisplayTest, MenuTreeHasTheCaptionsAccessKeysAndInitialChecks) {
  const WrappingMenuBar* bar = form->MenuBar();
  ASSERT_EQ(bar->actions().size(), 4);
  const PyramidMenus& menus = form->Menus();
  EXPECT_EQ(menus.MenuInputMode->title(), Text("入力モード(&M)"));
  EXPECT_EQ(menus.MenuInputScale->title(), Text("入力スケール(&S)"));
  EXPECT_EQ(menus.MenuTime->title(), Text("設定時期(&T)"));
  EXPECT_EQ(menus.MenuFunc->title(), Text("変動関数(&F)"));
  EXPECT_EQ(Captions(menus.MenuInputMode),
            (std::vector<QString>{Text("相対率表示"), "-", Text("人口／一歳刻み(&O)"), Text("人口／五歳刻み(&F)"),
                                  Text("出生率／五歳刻み(&B)"), Text("死亡率／五歳刻み(&D)")}));
  EXPECT_EQ(Captions(menus.MenuInputScale),
            (std::vector<QString>{Text("10(&X)"), Text("25(&Y)"), Text("50(&Z)"), "-", Text("×10(&A)"),
                                  Text("×100(&B)"), Text("×1,000(&C)"), Text("×10,000(&D)"), Text("×100,000(&E)"),
                                  Text("×1,000,000(&F)"), Text("×10,000,000(&G)")}));
  EXPECT_EQ(Captions(menus.MenuTime), (std::vector<QString>{Text("開始(&B)"), Text("終局(&A)")}));
  EXPECT_EQ(Captions(menus.MenuFunc),
            (std::vector<QString>{Text("不変(&O)"), Text("線形／100Year(&A)"), Text("線形／50Year(&B)"),
                                  Text("線形／25Year(&C)"), Text("線形／10Year(&D)"), Text("倍増／100Year(&E)"),
                                  Text("倍増／50Year(&F)"), Text("倍増／25Year(&G)"), Text("倍増／10Year(&H)"),
                                  Text("半減／100Year(&I)"), Text("半減／50Year(&J)"), Text("半減／25Year(&K)"),
                                  Text("半減／10Year(&L)")}));

  EXPECT_TRUE(menus.MenuAbs->isChecked());
  EXPECT_EQ(Checks(menus.MenuPeople), (std::vector<bool>{false, false}));
  EXPECT_EQ(Checks(menus.MenuMode), (std::vector<bool>{false, false}));
  EXPECT_EQ(Checks(menus.MenuBaseScale), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(Checks(menus.MenuScale), (std::vector<bool>{false, false, false, true, false, false, false}));
  EXPECT_EQ(Checks(menus.MenuBefAft), (std::vector<bool>{true, false}));
  EXPECT_EQ(menus.MenuMoveFunc[0]->isChecked(), true);
  for (int i = 1; i < 13; ++i) EXPECT_FALSE(menus.MenuMoveFunc[i]->isChecked()) << i;
  for (const QMenu* menu : {menus.MenuInputMode, menus.MenuInputScale, menus.MenuTime, menus.MenuFunc}) {
    for (const QAction* item : menu->actions()) EXPECT_TRUE(item->isEnabled() && item->isVisible());
  }
}

TEST_F(PyramidDisplayTest, BaseAndScaleCommandsSetTheFullScale) {
  const PyramidMenus& menus = form->Menus();
  menus.MenuBaseScale[1]->trigger();  // 25 with ×10,000 still checked
  EXPECT_EQ(m.BaseScale, Persons(25));
  EXPECT_EQ(m.FullScale, Persons(250'000));
  EXPECT_EQ(Checks(menus.MenuBaseScale), (std::vector<bool>{false, true, false}));
  menus.MenuScale[0]->trigger();
  EXPECT_EQ(m.FullScale, Persons(250));
  EXPECT_EQ(Checks(menus.MenuScale), (std::vector<bool>{true, false, false, false, false, false, false}));
  // Choosing the checked item again keeps it checked.
  menus.MenuScale[0]->trigger();
  EXPECT_TRUE(menus.MenuScale[0]->isChecked());
  // The two ends of the range.
  menus.MenuBaseScale[2]->trigger();
  menus.MenuScale[6]->trigger();
  EXPECT_EQ(m.FullScale, Persons(500'000'000));
  menus.MenuBaseScale[0]->trigger();
  menus.MenuScale[0]->trigger();
  EXPECT_EQ(m.FullScale, Persons(100));
}

TEST_F(PyramidDisplayTest, RateModesSetTheirScalesChecksAndFunction) {
  const PyramidMenus& menus = form->Menus();
  menus.MenuBaseScale[2]->trigger();
  menus.MenuScale[4]->trigger();
  m.World.VariationFunc(0) = 3;
  m.World.VariationFunc(1) = 7;

  menus.MenuMode[0]->trigger();
  EXPECT_EQ(m.PyramidContent, kContentBirths);
  EXPECT_EQ(m.InputMode, 0);
  EXPECT_EQ(m.FullScale, Persons(1'000));
  EXPECT_TRUE(menus.MenuBaseScale[0]->isChecked());  // "10(&X)"
  EXPECT_TRUE(menus.MenuScale[1]->isChecked());      // "×100(&B)"
  EXPECT_EQ(Checks(menus.MenuMode), (std::vector<bool>{true, false}));
  EXPECT_FALSE(menus.MenuAbs->isChecked());
  EXPECT_TRUE(menus.MenuMoveFunc[3]->isChecked());
  EXPECT_EQ(form->windowTitle(), Text("年齢階級別出生数／1000"));

  menus.MenuMode[1]->trigger();
  EXPECT_EQ(m.PyramidContent, kContentDeaths);
  EXPECT_EQ(m.InputMode, 1);
  EXPECT_EQ(m.FullScale, Persons(100'000));
  EXPECT_EQ(Checks(menus.MenuScale), (std::vector<bool>{false, false, false, true, false, false, false}));
  EXPECT_EQ(Checks(menus.MenuMode), (std::vector<bool>{false, true}));
  EXPECT_TRUE(menus.MenuMoveFunc[7]->isChecked());
  EXPECT_FALSE(menus.MenuMoveFunc[3]->isChecked());
  EXPECT_EQ(form->windowTitle(), Text("年齢階級別死亡数／100,000"));
}

TEST_F(PyramidDisplayTest, PopulationItemsChooseTheInputStepAndKeepTheScale) {
  const PyramidMenus& menus = form->Menus();
  menus.MenuMode[0]->trigger();
  menus.MenuPeople[0]->trigger();
  EXPECT_EQ(m.PyramidContent, kContentPopulation);
  EXPECT_EQ(m.InputMode, 2);
  EXPECT_EQ(m.SingleYearInput, 1);
  EXPECT_EQ(m.FullScale, Persons(1'000));
  EXPECT_EQ(Checks(menus.MenuPeople), (std::vector<bool>{true, false}));
  EXPECT_EQ(Checks(menus.MenuMode), (std::vector<bool>{false, false}));
  EXPECT_FALSE(menus.MenuAbs->isChecked());
  menus.MenuPeople[1]->trigger();
  EXPECT_EQ(m.SingleYearInput, 0);
  EXPECT_EQ(Checks(menus.MenuPeople), (std::vector<bool>{false, true}));

  menus.MenuAbs->trigger();
  EXPECT_EQ(m.PyramidContent, kContentRelative);
  EXPECT_TRUE(menus.MenuAbs->isChecked());
  EXPECT_EQ(Checks(menus.MenuPeople), (std::vector<bool>{false, false}));
}

TEST_F(PyramidDisplayTest, RelativeItemLeavesTheOldPictureUntilTheNextRedraw) {
  m.World.People(0, 0) = Persons(50'000);  // men's class 0: half of 100,000
  Census();
  form->Menus().MenuPeople[1]->trigger();
  ASSERT_EQ(Pixel(150, RowY(0)), AgeColour(0));
  form->Menus().MenuAbs->trigger();
  EXPECT_EQ(Pixel(150, RowY(0)), AgeColour(0));
  // The relative view: all men in class 0 fill the men's side, up to the axis
  // at the men's share (all of the width).
  Redraw();
  EXPECT_EQ(Pixel(396, RowY(0)), AgeColour(0));
}

TEST_F(PyramidDisplayTest, CommandsRedrawOnlyWhileTheClockIsStopped) {
  for (int age = 0; age < 5; ++age) m.World.People(1, age) = Persons(10'000);  // women's class 0: 50,000
  Census();
  form->Menus().MenuPeople[1]->trigger();
  ASSERT_EQ(Pixel(299, RowY(0)), AgeColour(0));  // 200 + 200 x 50,000 / 100,000
  ASSERT_EQ(Pixel(301, RowY(0)), 0);

  frame.running = true;
  form->Menus().MenuScale[4]->trigger();  // 1,000,000: the bar would shrink to 210
  EXPECT_EQ(m.FullScale, Persons(1'000'000));
  EXPECT_EQ(Pixel(299, RowY(0)), AgeColour(0));

  frame.running = false;
  form->Menus().MenuScale[4]->trigger();
  EXPECT_EQ(Pixel(209, RowY(0)), AgeColour(0));
  EXPECT_EQ(Pixel(211, RowY(0)), 0);
}

TEST_F(PyramidDisplayTest, SettingTimeAndVariationFunctionMenus) {
  const PyramidMenus& menus = form->Menus();
  menus.MenuBefAft[1]->trigger();
  EXPECT_EQ(m.RateSelector, 1);
  EXPECT_EQ(Checks(menus.MenuBefAft), (std::vector<bool>{false, true}));
  menus.MenuBefAft[0]->trigger();
  EXPECT_EQ(m.RateSelector, 0);
  EXPECT_EQ(Checks(menus.MenuBefAft), (std::vector<bool>{true, false}));

  // Population input sets both functions; a rate input only its own.
  m.InputMode = 2;
  menus.MenuMoveFunc[12]->trigger();
  EXPECT_EQ(m.World.VariationFunc(0), 12);
  EXPECT_EQ(m.World.VariationFunc(1), 12);
  m.InputMode = 1;
  menus.MenuMoveFunc[5]->trigger();
  EXPECT_EQ(m.World.VariationFunc(0), 12);
  EXPECT_EQ(m.World.VariationFunc(1), 5);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(menus.MenuMoveFunc[i]->isChecked(), i == 5) << i;
}

TEST_F(PyramidDisplayTest, PopulationBarsAreCappedAndPartedByTheAxis) {
  for (int age = 15; age < 20; ++age) {
    m.World.People(0, age) = Persons(100'000);  // men's class 3: 500,000, above the full scale
    m.World.People(1, age) = Persons(10'000);   // women's class 3: 50,000
  }
  Census();
  form->Menus().MenuPeople[1]->trigger();
  const int y = RowY(3);
  EXPECT_EQ(Pixel(0, y), AgeColour(15));
  EXPECT_EQ(Pixel(196, y), AgeColour(15));
  for (int x = 197; x <= 203; ++x) EXPECT_EQ(Pixel(x, y), 0) << x;  // the 7-pixel axis
  EXPECT_EQ(Pixel(204, y), AgeColour(15));
  EXPECT_EQ(Pixel(299, y), AgeColour(15));
  EXPECT_EQ(Pixel(301, y), 0);
  // An empty class is only the axis.
  EXPECT_EQ(Pixel(190, RowY(4)), 0);
  EXPECT_EQ(Pixel(210, RowY(4)), 0);
}

TEST_F(PyramidDisplayTest, ClassTooLargeToSumIsDrawnAtFullLength) {
  // Each age fits a head count; the five together do not.
  for (int age = 20; age < 25; ++age) m.World.People(0, age) = HeadCount::FromRaw(HeadCount::kMaxRaw / 4);
  m.PyramidContent = kContentPopulation;
  EXPECT_NO_THROW(Redraw());
  EXPECT_EQ(Pixel(0, RowY(4)), AgeColour(20));
  m.PyramidContent = kContentRelative;
  EXPECT_NO_THROW(Redraw());
}

TEST_F(PyramidDisplayTest, BirthRateViewDrawsTwentyBarsFromTheLeftEdge) {
  for (int c = 0; c < 20; ++c) m.World.BirthRate(0, c) = 25.0f * (c + 1);
  form->Menus().MenuMode[0]->trigger();  // full scale 1,000: a bar is 0.4 pixel per birth
  for (int c = 0; c < 20; ++c) {
    const int y = RowY(c);
    const int end = 10 * (c + 1);
    for (int x = 0; x <= 3; ++x) EXPECT_EQ(Pixel(x, y), 0) << c;  // the axis at x = 0
    EXPECT_EQ(Pixel(4, y), AgeColour(5 * c)) << c;
    EXPECT_EQ(Pixel(end - 1, y), AgeColour(5 * c)) << c;
    EXPECT_EQ(Pixel(end + 1, y), 0) << c;
    EXPECT_EQ(Pixel(kWidth - 1, y), 0) << c;
  }
}

TEST_F(PyramidDisplayTest, RateViewsShowTheTableBeingEdited) {
  m.World.DeathRate(0, 0, 5) = 10'000.0f;
  m.World.DeathRate(19, 0, 5) = 50'000.0f;
  m.World.BirthRate(0, 6) = 500.0f;
  m.World.BirthRate(19, 6) = 250.0f;
  const PyramidMenus& menus = form->Menus();
  menus.MenuMode[1]->trigger();
  EXPECT_EQ(Pixel(180, RowY(5)), AgeColour(25));  // 200 - 200 x 10,000 / 100,000
  EXPECT_EQ(Pixel(179, RowY(5)), 0);
  // Choosing the end table shows it at once.
  menus.MenuBefAft[1]->trigger();
  EXPECT_EQ(Pixel(100, RowY(5)), AgeColour(25));
  EXPECT_EQ(Pixel(99, RowY(5)), 0);
  frame.running = true;
  menus.MenuBefAft[0]->trigger();
  EXPECT_EQ(Pixel(100, RowY(5)), AgeColour(25));
  frame.running = false;
  menus.MenuBefAft[1]->trigger();
  menus.MenuMode[0]->trigger();
  EXPECT_EQ(Pixel(99, RowY(6)), AgeColour(30));  // 400 x 250 / 1,000
  EXPECT_EQ(Pixel(101, RowY(6)), 0);
}

TEST_F(PyramidDisplayTest, DamagedRatesAreDrawnWithoutFailing) {
  m.World.BirthRate(0, 2) = std::numeric_limits<float>::quiet_NaN();
  m.World.BirthRate(0, 3) = 1e30f;
  m.World.BirthRate(0, 4) = -1e30f;
  EXPECT_NO_THROW(form->Menus().MenuMode[0]->trigger());
  EXPECT_EQ(Pixel(5, RowY(2)), 0);                       // not a number: no bar
  EXPECT_EQ(Pixel(kWidth - 1, RowY(3)), AgeColour(15));  // capped at the full scale
}

TEST_F(PyramidDisplayTest, RelativeViewPutsTheAxisAtTheMensShare) {
  for (int age = 0; age < 5; ++age) m.World.People(0, age) = Persons(600);  // men: 3,000, all in class 0
  m.World.People(1, 5) = Persons(50);                                       // women's class 1: 5 percent
  m.World.People(1, 10) = Persons(950);                                     // women's class 2: 95 percent
  Census();
  Redraw();
  // Axis at 400 x 3,000 / 4,000 = 300, pixels 297..303 over the whole height.
  for (int y = 20; y < kHeight; y += 7) {
    for (int x = 297; x <= 303; ++x) ASSERT_EQ(Pixel(x, y), 0) << x << "," << y;
  }
  EXPECT_EQ(Pixel(0, RowY(0)), AgeColour(0));  // 100 percent fills the men's side
  EXPECT_EQ(Pixel(296, RowY(0)), AgeColour(0));
  EXPECT_EQ(Pixel(296, RowY(1)), 0);             // no men there
  EXPECT_EQ(Pixel(304, RowY(1)), AgeColour(5));  // 300 + 100 x 5 / 10
  EXPECT_EQ(Pixel(349, RowY(1)), AgeColour(5));
  EXPECT_EQ(Pixel(351, RowY(1)), 0);
  EXPECT_EQ(Pixel(399, RowY(2)), AgeColour(10));  // above 10 percent: the whole side
}

TEST_F(PyramidDisplayTest, EmptyRelativeViewIsOnlyTheMiddleAxis) {
  Census();
  m.PyramidContent = kContentRelative;
  Redraw();
  const Canvas& picture = form->Picture();
  int coloured = 0;
  for (int y = 0; y < picture.ClientHeight(); ++y) {
    for (int x = 0; x < picture.ClientWidth(); ++x) coloured += picture.PixelAt(x, y) != 0;
  }
  EXPECT_EQ(coloured, 0);
}

TEST_F(PyramidDisplayTest, ResizeNotesTheSizeAndRedrawsEvenDuringARun) {
  for (int age = 0; age < 5; ++age) m.World.People(1, age) = Persons(10'000);
  Census();
  form->Menus().MenuPeople[1]->trigger();
  frame.running = true;
  form->resize(500, 420);
  QApplication::processEvents();
  EXPECT_EQ(m.ViewSize[2], 500);
  EXPECT_EQ(m.ViewSize[3], 400);
  EXPECT_EQ(form->LabelInfo()->width(), 500);
  // W = 500, rows 20 pixels: women's class 0 at half the full scale ends at 375.
  EXPECT_EQ(Pixel(374, 410), AgeColour(0));
  EXPECT_EQ(Pixel(376, 410), 0);
}

TEST_F(PyramidDisplayTest, ClosingUnchecksTheWindowMenuAndKeepsDrawing) {
  form->Menus().MenuScale[4]->trigger();
  form->close();
  EXPECT_EQ(frame.menuChecks, (std::vector<std::pair<int, bool>>{{kWindowPyramid, false}}));
  EXPECT_EQ(m.FullScale, Persons(1'000'000));
  m.World.People(0, 0) = Persons(1'000'000);
  m.PyramidContent = kContentPopulation;
  Redraw();
  EXPECT_EQ(Pixel(0, RowY(0)), AgeColour(0));
}

}  // namespace
}  // namespace velmora::testing
