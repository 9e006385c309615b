// Access keys pressed on the frame as a keyboard sends them, in each focus
// state: which menu drops down, and the item letters inside it.
#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "support/FrameFixture.h"

namespace velmora {
namespace {

using testing::FrameFixture;

struct Press {
  Qt::Key key;
  const char* menu;  // the title of the menu that drops down, "" for none
};

class AccessKeys : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    // Keys reach the menu bars of the active window only.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  }

  // Alt+key on the frame; the title of the menu that dropped down, after
  // which Escape closes it and leaves the menu bar, as a user does.
  std::string AltKey(Qt::Key key) {
    QTest::keyClick(&Frame(), key, Qt::AltModifier);
    const std::string open = OpenMenu();
    while (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
    if (auto* bar = qobject_cast<QMenuBar*>(QApplication::focusWidget())) QTest::keyClick(bar, Qt::Key_Escape);
    return open;
  }

  static std::string OpenMenu() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu != nullptr ? menu->title().toStdString() : "";
  }

  // A letter typed into the menu that is down.
  static void Type(Qt::Key key) {
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, key);
  }

  // A key the toolkit finds ambiguous opens its menus in turn, so the lists
  // press the shared letters twice running: the second press shows what the
  // first one hides.
  void ExpectMenus(const std::vector<Press>& presses) {
    for (const Press& press : presses) {
      EXPECT_EQ(AltKey(press.key), press.menu) << "Alt+" << QKeySequence(press.key).toString().toStdString();
    }
  }

  void FocusPyramid() {
    ASSERT_TRUE(Frame().Windows().Focus(kWindowPyramid));
    ASSERT_TRUE(Frame().Windows().IsActive(kWindowPyramid));
  }

  static const std::vector<Press>& FrameMenus() {
    static const std::vector<Press> presses = {{Qt::Key_M, "メニュー(&M)"},
                                               {Qt::Key_S, "セッティング(&S)"},
                                               {Qt::Key_W, "ウィンドウ(&W)"},
                                               {Qt::Key_I, "インフォメーション(&I)"},
                                               {Qt::Key_D, "データ(&D)"},
                                               {Qt::Key_T, ""},
                                               {Qt::Key_F, ""},
                                               {Qt::Key_M, "メニュー(&M)"},
                                               {Qt::Key_M, "メニュー(&M)"},
                                               {Qt::Key_S, "セッティング(&S)"},
                                               {Qt::Key_S, "セッティング(&S)"}};
    return presses;
  }
};

TEST_F(AccessKeys, SettingsFocusedAtStartTheFrameLettersOpenTheFrameMenus) {
  ASSERT_TRUE(Frame().Windows().IsActive(kWindowSettings));
  ExpectMenus(FrameMenus());
}

TEST_F(AccessKeys, ControllerFocusedTheFrameLettersOpenTheFrameMenus) {
  ASSERT_TRUE(Frame().Windows().Focus(kWindowController));
  ExpectMenus(FrameMenus());
}

TEST_F(AccessKeys, GraphOrCircleFocusedTheFrameLettersOpenTheFrameMenus) {
  for (int window : {kWindowGraph, kWindowCircle}) {
    SCOPED_TRACE(window);
    ASSERT_TRUE(Frame().Windows().Focus(window));
    ExpectMenus(FrameMenus());
  }
}

TEST_F(AccessKeys, PyramidActiveItsOwnLettersWinAndWIAndDStayTheFrames) {
  FocusPyramid();
  ExpectMenus({{Qt::Key_M, "入力モード(&M)"},
               {Qt::Key_S, "入力スケール(&S)"},
               {Qt::Key_T, "設定時期(&T)"},
               {Qt::Key_F, "変動関数(&F)"},
               {Qt::Key_W, "ウィンドウ(&W)"},
               {Qt::Key_I, "インフォメーション(&I)"},
               {Qt::Key_D, "データ(&D)"},
               {Qt::Key_M, "入力モード(&M)"},
               {Qt::Key_M, "入力モード(&M)"},
               {Qt::Key_S, "入力スケール(&S)"},
               {Qt::Key_S, "入力スケール(&S)"}});
}

TEST_F(AccessKeys, PyramidClosedOrMinimizedTheFrameLettersOpenTheFrameMenus) {
  FocusPyramid();
  Frame().Windows().Window(kWindowPyramid).showMinimized();
  ExpectMenus(FrameMenus());

  FocusPyramid();
  Frame().Windows().Close(kWindowPyramid);
  ExpectMenus(FrameMenus());
  // Reopened from the window menu, it takes its letters back.
  Frame().MenuWShow_Click(kWindowPyramid);
  ExpectMenus({{Qt::Key_M, "入力モード(&M)"},
               {Qt::Key_S, "入力スケール(&S)"},
               {Qt::Key_W, "ウィンドウ(&W)"},
               {Qt::Key_D, "データ(&D)"}});
}

TEST_F(AccessKeys, ItemLettersWorkInsideTheFrameMenus) {
  QTest::keyClick(&Frame(), Qt::Key_S, Qt::AltModifier);
  Type(Qt::Key_W);  // グラフ(&W)
  EXPECT_EQ(OpenMenu(), "グラフ(&W)");
  Type(Qt::Key_Y);  // 若年―生産―高齢(&Y)
  EXPECT_EQ(M().GraphAgeOrder, 1);
  EXPECT_TRUE(Menus().MenuAgeOrder[1]->isChecked());
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  QTest::keyClick(&Frame(), Qt::Key_W, Qt::AltModifier);
  Type(Qt::Key_G);  // グラフ(&G)
  EXPECT_TRUE(Frame().Windows().IsActive(kWindowGraph));
}

TEST_F(AccessKeys, ItemLettersWorkInsideThePyramidMenus) {
  FocusPyramid();
  const PyramidMenus& menus = Frame().Windows().Pyramid().Menus();
  for (int press = 0; press < 2; ++press) {  // both turns of the shared letter
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::AltModifier);
    Type(press == 0 ? Qt::Key_Z : Qt::Key_Y);  // 50(&Z), then 25(&Y)
  }
  EXPECT_EQ(M().BaseScale, HeadCount::FromPersons(25));
  EXPECT_TRUE(menus.MenuBaseScale[1]->isChecked());

  QTest::keyClick(&Frame(), Qt::Key_M, Qt::AltModifier);
  Type(Qt::Key_B);  // 出生率／五歳刻み(&B)
  EXPECT_EQ(M().PyramidContent, kContentBirths);

  QTest::keyClick(&Frame(), Qt::Key_F, Qt::AltModifier);
  Type(Qt::Key_H);  // 倍増／10Year(&H)
  EXPECT_EQ(M().World.VariationFunc(0), 8);
}

}  // namespace
}  // namespace velmora
