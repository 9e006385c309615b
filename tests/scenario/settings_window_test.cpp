#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "scenario/FormSetting.h"
#include "scenario/core/ScenarioImage.h"
#include "scenario_core/TempFolder.h"
#include "support/FakeFrameServices.h"
#include "model/QuietDisplay.h"
#include "support/TestPlatform.h"
#include "windows/FrameServices.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using testing::ReadBytes;
using testing::TempFolder;
using testing::UnprivilegedOwner;
using testing::TestPlatform;
using testing::WriteBytes;

using testing::FakeFrameServices;

class SettingsWindowTest : public ::testing::Test {
 protected:
  SettingsWindowTest() : form(model, display, frame) { model.AppPath = app.String(); }
  fs::path Data() const { return app.Path() / "Data"; }
  void Click(int index) { QTest::mouseClick(form.CommandSave(index), Qt::LeftButton); }

  TestPlatform platform;
  TempFolder app;
  ModulePopulation model;
  QuietDisplay display;
  FakeFrameServices frame;
  FormSetting form;
};

TEST_F(SettingsWindowTest, FixedWindowWithTwoListsAndFourButtons) {
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("設定"));
  // 5145 x 1050 twips at 15 twips per pixel.
  EXPECT_EQ(form.minimumSize(), QSize(343, 70));
  EXPECT_EQ(form.maximumSize(), QSize(343, 70));
  EXPECT_EQ(form.ComboStartPop()->geometry(), QRect(8, 8, 161, 24));
  EXPECT_EQ(form.ComboBRFunc()->geometry(), QRect(8, 40, 161, 24));
  const std::vector<std::pair<QRect, const char*>> buttons = {
      {QRect(256, 8, 81, 25), "人口保存"},
      {QRect(256, 40, 81, 25), "関数保存"},
      {QRect(176, 8, 81, 25), "人口読込"},
      {QRect(176, 40, 81, 25), "関数読込"},
  };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(form.CommandSave(i)->geometry(), buttons[i].first);
    EXPECT_EQ(form.CommandSave(i)->text(), QString::fromUtf8(buttons[i].second));
    EXPECT_EQ(form.CommandSave(i)->font().family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
    EXPECT_EQ(form.CommandSave(i)->font().pointSize(), 12);
  }
  const QStringList items{QString::fromUtf8("新規"), QString::fromUtf8("発展途上国型"), QString::fromUtf8("先進国型"),
                          QString::fromUtf8("中間型"), QString::fromUtf8("世界型")};
  for (QComboBox* list : {form.ComboStartPop(), form.ComboBRFunc()}) {
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
    EXPECT_EQ(shown, items);
    EXPECT_FALSE(list->isEditable());
    EXPECT_EQ(list->font().family(), QString::fromUtf8("ＭＳ 明朝"));
    EXPECT_EQ(list->font().pointSize(), 12);
  }
}

TEST_F(SettingsWindowTest, EveryLoadSelectsTheBlankPresetAndSelectingDoesNothing) {
  EXPECT_EQ(form.ComboStartPop()->currentIndex(), 0);
  EXPECT_EQ(form.ComboBRFunc()->currentIndex(), 0);
  app.MakeData();
  const WorldRecord before = model.World;
  form.ComboStartPop()->setCurrentIndex(3);
  form.ComboBRFunc()->setCurrentIndex(4);
  EXPECT_EQ(model.World, before);
  EXPECT_TRUE(fs::is_empty(Data()));
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(platform.beeps, 0);
  form.Form_Load();
  EXPECT_EQ(form.ComboStartPop()->currentIndex(), 0);
  EXPECT_EQ(form.ComboBRFunc()->currentIndex(), 0);
}

TEST_F(SettingsWindowTest, ClosingUnchecksTheWindowMenuItem) {
  form.show();
  EXPECT_TRUE(form.close());
  EXPECT_EQ(frame.menuChecks, (std::vector<std::pair<int, bool>>{{kWindowSettings, false}}));
}

TEST_F(SettingsWindowTest, BlankPresetRefusesSavesAndLoadsFileZero) {
  app.MakeData();
  Click(0);
  Click(1);
  EXPECT_TRUE(fs::is_empty(Data()));
  EXPECT_EQ(platform.beeps, 0);
  EXPECT_TRUE(platform.boxes.empty());

  std::vector<unsigned char> population(kPopulationFileBytes, 0);
  population[8] = 0x10;
  population[9] = 0x27;  // men aged 1: 10,000 = one person
  WriteBytes(Data() / "STP0.stp", population);
  WriteBytes(Data() / "BRF0.brf", std::vector<unsigned char>(kRateFileBytes, 0));
  model.World.BirthRate(0, 4) = 40.0f;
  Click(2);
  Click(3);
  EXPECT_EQ(model.World.People(0, 1), HeadCount::FromPersons(1));
  EXPECT_EQ(model.World.BirthRate(0, 4), 0.0f);
  EXPECT_EQ(platform.beeps, 2);
  EXPECT_EQ(frame.requests, (std::vector<int>{kCommandReset}));
  EXPECT_EQ(frame.focused, (std::vector<int>{kWindowPyramid}));
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(SettingsWindowTest, SavedPresetLoadsBackAndRearmsTheRun) {
  app.MakeData();
  form.ComboStartPop()->setCurrentIndex(2);
  for (int age = 0; age < kAges; ++age) {
    model.World.People(0, age) = HeadCount::FromPersons(100 + age);
    model.World.People(1, age) = HeadCount::FromRaw(age * 12'345);
  }
  const WorldRecord saved = model.World;
  Click(0);
  EXPECT_EQ(fs::file_size(Data() / "STP2.stp"), kPopulationFileBytes);
  EXPECT_EQ(platform.beeps, 1);

  model.World.people.fill(HeadCount());
  model.PyramidContent = kContentBirths;
  Click(2);
  EXPECT_EQ(model.World.people, saved.people);
  EXPECT_EQ(model.PyramidContent, kContentRelative);
  EXPECT_EQ(model.WorldAtStart, model.World);
  // Men 100..199 persons: 14,950; women 12,345 x 4,950 raw = 6,110.775 persons.
  EXPECT_EQ(model.Census.Total, HeadCount::FromRaw(149'500'000 + 61'107'750));
  EXPECT_EQ(model.PeakPopulation, HeadCount::FromRaw(263'259'688));  // x 1.25 = 26,325.96875, halves to even
  EXPECT_EQ(frame.requests, (std::vector<int>{kCommandReset}));
  EXPECT_EQ(platform.beeps, 2);
}

TEST_F(SettingsWindowTest, MissingDataFolderAsksRetryThenUnexpectedError) {
  form.ComboStartPop()->setCurrentIndex(1);
  platform.answers = {Answer::No, Answer::Yes};
  Click(2);
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[0].text, "ファイルが見つかりません。\r再試行しますか？");
  EXPECT_EQ(platform.boxes[0].title, "ファイルエラー");
  EXPECT_EQ(platform.boxes[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(platform.boxes[0].icon, platform::Icon::Exclamation);
  EXPECT_EQ(platform.boxes[1].text, "予期せぬエラー(52)が発生しました。\r続行を試みますか？");
  EXPECT_EQ(platform.boxes[1].title, "想定外のエラー");
  // Yes in the second box finishes the operation, without a beep of
  // success and without adopting a population that was never read.
  EXPECT_EQ(platform.beeps, 0);
  EXPECT_TRUE(frame.requests.empty());
  EXPECT_FALSE(fs::exists(Data()));

  platform.boxes.clear();
  platform.answers = {Answer::No, Answer::No};
  EXPECT_THROW(form.CommandSave_Click(0), testing::ProgramEnded);
  EXPECT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.programEnds, 1);
  EXPECT_EQ(platform.beeps, 0);
}

// Esc or the close button on a failure box skips the step, on the
// unexpected-error box too, where only an explicit No ends the program.
TEST_F(SettingsWindowTest, LeavingAFailureBoxSkipsAndNeverEndsTheProgram) {
  form.ComboStartPop()->setCurrentIndex(1);  // no Data folder: 76, then 52
  model.World.People(0, 5) = HeadCount::FromPersons(5);
  const WorldRecord before = model.World;
  platform.answers = {Answer::Dismissed, Answer::Dismissed};
  Click(2);
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[0].title, "ファイルエラー");
  EXPECT_EQ(platform.boxes[1].title, "想定外のエラー");
  EXPECT_EQ(platform.programEnds, 0);
  EXPECT_EQ(model.World, before);
  EXPECT_EQ(platform.beeps, 0);
  EXPECT_TRUE(frame.requests.empty());
}

// A FIFO in place of a preset would block the open until something writes
// into it; it is refused as an invalid path instead, on load and on save.
TEST_F(SettingsWindowTest, AFifoPresetIsAnInvalidPath) {
  alarm(20);  // a blocking open fails the test instead of hanging it
  ASSERT_EQ(mkfifo((app.MakeData() / "STP1.stp").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((Data() / "BRF1.brf").c_str(), 0600), 0);
  form.ComboStartPop()->setCurrentIndex(1);
  form.ComboBRFunc()->setCurrentIndex(1);
  const auto before = std::make_unique<ModulePopulation>(model);  // too large for the stack
  for (int button = 0; button < 4; ++button) {
    SCOPED_TRACE(button);
    platform.boxes.clear();
    platform.answers = {Answer::No, Answer::Yes};  // skip, then go on after 52
    Click(button);
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[0].text, "ファイルのパスが無効です。\r再試行しますか？");
    EXPECT_EQ(platform.boxes[0].title, "パスエラー");
    EXPECT_NE(platform.boxes[1].text.find("(52)"), std::string::npos);
  }
  EXPECT_EQ(model.World, before->World);
  EXPECT_EQ(model.WorldAtStart, before->WorldAtStart);
  EXPECT_EQ(model.Census, before->Census);
  EXPECT_EQ(model.PeakPopulation, before->PeakPopulation);
  EXPECT_EQ(platform.beeps, 0);
  EXPECT_TRUE(frame.requests.empty());
  EXPECT_TRUE(fs::is_fifo(Data() / "STP1.stp"));
  EXPECT_TRUE(fs::is_fifo(Data() / "BRF1.brf"));
  alarm(0);
}

TEST_F(SettingsWindowTest, MissingPresetFileIsFileNotFoundAndStaysMissing) {
  app.MakeData();
  form.ComboBRFunc()->setCurrentIndex(3);
  model.World.BirthRate(0, 6) = 66.0f;
  platform.answers = {Answer::Yes, Answer::No, Answer::Yes};  // retry, skip, go on after 52
  Click(3);
  ASSERT_EQ(platform.boxes.size(), 3u);
  EXPECT_EQ(platform.boxes[1].text, "ファイルが見つかりません。\r再試行しますか？");
  EXPECT_NE(platform.boxes[2].text.find("(52)"), std::string::npos);
  EXPECT_FALSE(fs::exists(Data() / "BRF3.brf"));
  EXPECT_EQ(model.World.BirthRate(0, 6), 66.0f);
}

TEST_F(SettingsWindowTest, ReadOnlyPresetRefusesASave) {
  app.MakeData();
  WriteBytes(Data() / "STP4.stp", std::vector<unsigned char>(kPopulationFileBytes, 0x01));
  fs::permissions(Data() / "STP4.stp", fs::perms::owner_read);
  const UnprivilegedOwner owner(app, Data() / "STP4.stp");
  form.ComboStartPop()->setCurrentIndex(4);
  platform.answers = {Answer::No, Answer::Yes};
  Click(0);
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[0].text, "ファイルの書き込み権限がありません。\r再試行しますか？");
  EXPECT_EQ(platform.boxes[0].title, "ファイルエラー");
  EXPECT_EQ(ReadBytes(Data() / "STP4.stp"), std::vector<unsigned char>(kPopulationFileBytes, 0x01));
}

TEST_F(SettingsWindowTest, ShortFileKeepsTheTable) {
  app.MakeData();
  WriteBytes(Data() / "STP1.stp", std::vector<unsigned char>(100, 0x01));
  form.ComboStartPop()->setCurrentIndex(1);
  model.World.People(1, 50) = HeadCount::FromPersons(50);
  platform.answers = {Answer::Yes};
  Click(2);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "予期せぬエラー(62)が発生しました。\r続行を試みますか？");
  EXPECT_EQ(model.World.People(1, 50), HeadCount::FromPersons(50));
  EXPECT_EQ(model.World.People(0, 0), HeadCount());
}

TEST_F(SettingsWindowTest, RatesLoadWithThePyramidClosedIsCodeFive) {
  app.MakeData();
  std::vector<unsigned char> rates(kRateFileBytes, 0);
  rates[82] = 0x80;
  rates[83] = 0x3F;  // men's deaths of class 0: 1.0
  WriteBytes(Data() / "BRF2.brf", rates);
  form.ComboBRFunc()->setCurrentIndex(2);
  frame.focusSucceeds = false;
  platform.answers = {Answer::Yes};
  Click(3);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "予期せぬエラー(5)が発生しました。\r続行を試みますか？");
  EXPECT_EQ(model.World.DeathRate(0, 0, 0), 1.0f);
  // The rates are in, but the operation did not succeed whole: no beep.
  EXPECT_EQ(platform.beeps, 0);

  platform.answers = {Answer::No};
  EXPECT_THROW(form.CommandSave_Click(3), testing::ProgramEnded);
}

}  // namespace
}  // namespace velmora
