#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "support/FrameFixture.h"

namespace velmora {
namespace {

using testing::FrameFixture;

struct Expected {
  const char* caption;  // "-" for a separator
  bool checkable;
  bool checked;
};

void ExpectItems(QMenu* menu, const std::vector<Expected>& expected) {
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size())) << menu->title().toStdString();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    QAction* action = actions[static_cast<qsizetype>(i)];
    SCOPED_TRACE(expected[i].caption);
    if (std::string(expected[i].caption) == "-") {
      EXPECT_TRUE(action->isSeparator());
      continue;
    }
    EXPECT_EQ(action->text().toStdString(), expected[i].caption);
    EXPECT_TRUE(action->isEnabled());
    EXPECT_TRUE(action->isVisible());
    EXPECT_TRUE(action->shortcut().isEmpty());
    EXPECT_EQ(action->isCheckable(), expected[i].checkable);
    EXPECT_EQ(action->isChecked(), expected[i].checked);
  }
}

TEST_F(FrameFixture, MenuTreeHasTheCaptionsChecksAndStatesOfAFreshProgram) {
  const QList<QAction*> top = Frame().menuBar()->actions();
  ASSERT_EQ(top.size(), 5);
  EXPECT_EQ(top[0]->text().toStdString(), "メニュー(&M)");
  EXPECT_EQ(top[1]->text().toStdString(), "ウィンドウ(&W)");
  EXPECT_EQ(top[2]->text().toStdString(), "セッティング(&S)");
  EXPECT_EQ(top[3]->text().toStdString(), "インフォメーション(&I)");
  EXPECT_EQ(top[4]->text().toStdString(), "データ(&D)");

  ExpectItems(top[0]->menu(), {{"開始(&S)", false, false},
                               {"再開(&A)", false, false},
                               {"中断(&B)", false, false},
                               {"初期化(&R)", false, false},
                               {"-", false, false},
                               {"終了(&E)", false, false}});
  // The settings window is open at start, yet its item starts unchecked.
  ExpectItems(top[1]->menu(), {{"コントローラ(&M)", true, true},
                               {"設定(&S)", true, false},
                               {"グラフ(&G)", true, true},
                               {"ピラミッド(&P)", true, true},
                               {"サークル(&C)", true, true}});
  QMenu* settings = top[2]->menu();
  ASSERT_EQ(settings->actions().size(), 2);
  EXPECT_EQ(settings->actions()[0]->text().toStdString(), "グラフ(&W)");
  EXPECT_EQ(settings->actions()[1]->text().toStdString(), "ピラミッド(&P)");
  ExpectItems(settings->actions()[0]->menu(),
              {{"高齢―生産―若年(&O)", true, true}, {"若年―生産―高齢(&Y)", true, false}});
  ExpectItems(settings->actions()[1]->menu(), {{"階級／五年", true, true}, {"階級／一年", true, false}});
  ExpectItems(top[3]->menu(), {{"製作者(&C)", false, false}});
  ExpectItems(top[4]->menu(), {{"世界の人口と率(&W)...", false, false},
                               {"指標(&I)", true, false},
                               {"安定人口を重ねる(&S)", true, false},
                               {"-", false, false},
                               {"結果をCSVで保存(&C)...", false, false},
                               {"図を保存(&P)...", false, false}});

  // The named members are the items the user sees.
  EXPECT_EQ(Menus().MenuStart, top[0]->menu()->actions()[0]);
  EXPECT_EQ(Menus().MenuBar, top[0]->menu()->actions()[4]);
  EXPECT_EQ(Menus().MenuWShow[4], top[1]->menu()->actions()[4]);
  EXPECT_EQ(Menus().MenuCopyright, top[3]->menu()->actions()[0]);
  EXPECT_EQ(Menus().MenuWorldData, top[4]->menu()->actions()[0]);
  EXPECT_EQ(Menus().MenuStableOutline, top[4]->menu()->actions()[2]);
  EXPECT_EQ(Menus().MenuSaveCsv, top[4]->menu()->actions()[4]);
  EXPECT_EQ(Menus().MenuSaveFigure, top[4]->menu()->actions()[5]);
}

TEST_F(FrameFixture, AccessKeysAreTheLettersMarkedInTheCaptions) {
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuMenu->title()), QKeySequence(Qt::ALT | Qt::Key_M));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuWindows->title()), QKeySequence(Qt::ALT | Qt::Key_W));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuSetting->title()), QKeySequence(Qt::ALT | Qt::Key_S));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuInfo->title()), QKeySequence(Qt::ALT | Qt::Key_I));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuData->title()), QKeySequence(Qt::ALT | Qt::Key_D));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuStart->text()), QKeySequence(Qt::ALT | Qt::Key_S));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuAgain->text()), QKeySequence(Qt::ALT | Qt::Key_A));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuBreak->text()), QKeySequence(Qt::ALT | Qt::Key_B));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuReset->text()), QKeySequence(Qt::ALT | Qt::Key_R));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuEnd->text()), QKeySequence(Qt::ALT | Qt::Key_E));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuWShow[0]->text()), QKeySequence(Qt::ALT | Qt::Key_M));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuWShow[4]->text()), QKeySequence(Qt::ALT | Qt::Key_C));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuAgeOrder[1]->text()), QKeySequence(Qt::ALT | Qt::Key_Y));
  // The age-class items have no access key.
  EXPECT_TRUE(QKeySequence::mnemonic(Menus().MenuAgeClass[0]->text()).isEmpty());
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuCopyright->text()), QKeySequence(Qt::ALT | Qt::Key_C));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuWorldData->text()), QKeySequence(Qt::ALT | Qt::Key_W));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuIndicators->text()), QKeySequence(Qt::ALT | Qt::Key_I));
  EXPECT_EQ(QKeySequence::mnemonic(Menus().MenuStableOutline->text()), QKeySequence(Qt::ALT | Qt::Key_S));
}

TEST_F(FrameFixture, FrameOpensMaximizedWithItsCaptionAndBothTimersOff) {
  EXPECT_EQ(Frame().windowTitle().toStdString(), "Velmora");
  EXPECT_TRUE(Frame().isMaximized());
  EXPECT_FALSE(Frame().TimerWorld().isActive());
  EXPECT_EQ(Frame().TimerWorld().interval(), 100);
  EXPECT_EQ(Frame().TimerWorld().timerType(), Qt::PreciseTimer);
  EXPECT_FALSE(Frame().TimerMenu().isActive());
  EXPECT_EQ(Frame().TimerMenu().interval(), 1);
  EXPECT_TRUE(Frame().TimerMenu().isSingleShot());
}

TEST_F(FrameFixture, GraphOrderIsARadioPairThatRedrawsNothing) {
  Menus().MenuAgeOrder[1]->trigger();
  Menus().MenuAgeOrder[1]->trigger();
  EXPECT_EQ(M().GraphAgeOrder, 1);
  EXPECT_TRUE(Menus().MenuAgeOrder[1]->isChecked());
  EXPECT_FALSE(Menus().MenuAgeOrder[0]->isChecked());

  Menus().MenuAgeOrder[0]->trigger();
  EXPECT_EQ(M().GraphAgeOrder, 0);
  EXPECT_TRUE(Menus().MenuAgeOrder[0]->isChecked());
  EXPECT_FALSE(Menus().MenuAgeOrder[1]->isChecked());
}

TEST_F(FrameFixture, AgeClassItemsChangeNothingNotEvenTheirChecks) {
  for (QAction* item : {Menus().MenuAgeClass[1], Menus().MenuAgeClass[0], Menus().MenuAgeClass[1]}) {
    item->trigger();
    EXPECT_TRUE(Menus().MenuAgeClass[0]->isChecked());
    EXPECT_FALSE(Menus().MenuAgeClass[1]->isChecked());
  }
}

TEST_F(FrameFixture, AboutBoxShowsTheFiveLinesAndTheDataCredit) {
  Menus().MenuCopyright->trigger();
  ASSERT_EQ(platform_.boxes.size(), 1u);
  const auto& box = platform_.boxes[0];
  EXPECT_EQ(box.title, "製作者");
  EXPECT_EQ(box.buttons, platform::Buttons::Ok);
  EXPECT_EQ(box.icon, platform::Icon::Information);
  EXPECT_EQ(box.text, std::string("Velmora ") + VELMORA_VERSION +
                          "\rVelmora Project\r https://velmora.example.org/\rVelmora developers"
                          "\r mailto:velmora@example.org"
                          "\rSource: United Nations, DESA, Population Division. World Population Prospects 2019.");
}

TEST_F(FrameFixture, QuitAnsweredYesEndsTheProgramAtOnce) {
  platform_.answers.push_back(platform::Answer::Yes);
  // Called directly: the test's program end unwinds, and Qt's action frames do not expect that.
  EXPECT_THROW(Frame().MenuEnd_Click(), testing::ProgramEnded);
  ASSERT_EQ(platform_.boxes.size(), 1u);
  EXPECT_EQ(platform_.boxes[0].text, "[Velmora]を終了します。");
  EXPECT_EQ(platform_.boxes[0].title, "終了");
  EXPECT_EQ(platform_.boxes[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(platform_.boxes[0].icon, platform::Icon::Information);
  EXPECT_EQ(platform_.programEnds, 1);
  // No close handling ran: the window marks are as they were.
  EXPECT_TRUE(Menus().MenuWShow[0]->isChecked());
  EXPECT_TRUE(Menus().MenuWShow[2]->isChecked());
}

TEST_F(FrameFixture, QuitAnsweredNoLeavesARunningSimulationRunning) {
  M().World.People(0, 30) = HeadCount::FromPersons(1000);
  Frame().SetWorldClockInterval(1);
  Menus().MenuStart->trigger();
  ASSERT_TRUE(QTest::qWaitFor([this] { return M().ElapsedYears >= 3; }, 10'000));

  platform_.answers.push_back(platform::Answer::No);
  Menus().MenuEnd->trigger();
  EXPECT_EQ(platform_.programEnds, 0);
  EXPECT_EQ(platform_.boxes.size(), 1u);
  EXPECT_TRUE(Frame().TimerWorld().isActive());
  EXPECT_EQ(M().RunState, kRunning);
  const int year = M().ElapsedYears;
  EXPECT_TRUE(QTest::qWaitFor([this, year] { return M().ElapsedYears > year; }, 10'000));
}

// Records the order in which the children's close handling clears the marks.
class RecordingFrame : public MDIFormMain {
 public:
  using MDIFormMain::MDIFormMain;
  void SetWindowMenuCheck(int index, bool checked) override {
    if (!checked) cleared.push_back(index);
    MDIFormMain::SetWindowMenuCheck(index, checked);
  }
  std::vector<int> cleared;
};

TEST(FrameClose, ClosesTheChildrenInOrderWithoutAQuestionAndEnds) {
  testing::TestPlatform platform;
  auto model = std::make_unique<ModulePopulation>();
  RecordingFrame frame(*model);
  frame.OpenFrame();
  model->World.People(1, 40) = HeadCount::FromPersons(500);
  frame.Menus().MenuStart->trigger();
  ASSERT_TRUE(frame.TimerWorld().isActive());

  EXPECT_THROW(frame.MDIForm_Unload(), testing::ProgramEnded);
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(platform.programEnds, 1);
  // Circle (no close handling), graph, pyramid, settings, controller.
  EXPECT_EQ(frame.cleared, (std::vector<int>{kWindowGraph, kWindowPyramid, kWindowSettings, kWindowController}));
  EXPECT_TRUE(frame.Menus().MenuWShow[kWindowCircle]->isChecked());
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(frame.Windows().IsOpen(i)) << i;
  frame.TimerWorld().stop();
}

TEST(FrameClose, SkipsWindowsThatAreAlreadyClosed) {
  testing::TestPlatform platform;
  auto model = std::make_unique<ModulePopulation>();
  RecordingFrame frame(*model);
  frame.OpenFrame();
  frame.Windows().Close(kWindowPyramid);
  frame.cleared.clear();
  EXPECT_THROW(frame.MDIForm_Unload(), testing::ProgramEnded);
  EXPECT_EQ(frame.cleared, (std::vector<int>{kWindowGraph, kWindowSettings, kWindowController}));
}

}  // namespace
}  // namespace velmora
