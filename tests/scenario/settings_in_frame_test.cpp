#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/NumberText.h"
#include "scenario/FormSetting.h"
#include "scenario/core/ScenarioImage.h"
#include "scenario_core/TempFolder.h"
#include "support/FrameFixture.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using testing::TempFolder;
using testing::WriteBytes;

// The settings window inside the real frame, with the Data folder of a
// program folder of its own.
class SettingsInFrameTest : public testing::FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    M().AppPath = app.String();
    app.MakeData();
  }
  FormSetting& Settings() { return Frame().Windows().Setting(); }
  fs::path Data() const { return app.Path() / "Data"; }
  void Click(int index) { QTest::mouseClick(Settings().CommandSave(index), Qt::LeftButton); }
  // The Reset that a population load requests runs from the event loop.
  bool WaitForRequestedCommand() {
    return QTest::qWaitFor([this] { return !Frame().TimerMenu().isActive(); }, 10'000);
  }
  void WritePopulation(int preset, const WorldRecord& world) {
    const PopulationImage image = EncodePopulation(world);
    std::vector<unsigned char> bytes(image.size());
    std::memcpy(bytes.data(), image.data(), image.size());
    WriteBytes(Data() / ("STP" + std::to_string(preset) + ".stp"), bytes);
  }

  TempFolder app;
};

TEST_F(SettingsInFrameTest, PopulationLoadDuringARunEndsItAndBecomesTheNextStart) {
  M().World.People(0, 20) = HeadCount::FromPersons(5'000);
  Frame().MenuStart_Click();
  Frame().TimerWorld_Timer();
  Frame().TimerWorld_Timer();
  ASSERT_TRUE(Frame().TimerWorld().isActive());
  ASSERT_EQ(M().ElapsedYears, 2);
  ASSERT_NE(M().WorldHistory[2], M().WorldBlank);

  WorldRecord file;
  file.People(0, 30) = HeadCount::FromPersons(1'001);
  WritePopulation(1, file);
  Settings().ComboStartPop()->setCurrentIndex(1);
  Click(2);
  EXPECT_EQ(M().RunState, kCommandReset);
  EXPECT_EQ(Frame().TimerMenu().interval(), 1);
  ASSERT_TRUE(WaitForRequestedCommand());

  EXPECT_EQ(M().RunState, kIdle);
  EXPECT_FALSE(Frame().TimerWorld().isActive());
  EXPECT_EQ(M().World.people, file.people);
  EXPECT_EQ(M().StartYear, 2000);
  EXPECT_EQ(M().WorldHistory[1], M().WorldBlank);
  EXPECT_EQ(M().WorldHistory[2], M().WorldBlank);
  // Peak 1,001 x 1.25 = 1,251.25; capacity floor(1.3125 x 1,001 = 1,313.8125).
  EXPECT_EQ(M().PeakPopulation, HeadCount::FromRaw(12'512'500));
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(1'313));
  EXPECT_EQ(LabelD(1), "1,001 ");
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(SettingsInFrameTest, JapanPresetThroughTheButtons) {
  const std::string command = std::string("'") + VELMORA_MAKE_PRESETS + "' '" + VELMORA_PRESET_TABLES + "' '" +
                              Data().string() + "' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  Settings().ComboBRFunc()->setCurrentIndex(2);
  Click(3);
  // The rates load gives the pyramid window the focus.
  EXPECT_EQ(Frame().Area().activeSubWindow(), &Frame().Windows().Window(kWindowPyramid));
  Settings().ComboStartPop()->setCurrentIndex(2);
  Click(2);
  ASSERT_TRUE(WaitForRequestedCommand());
  EXPECT_TRUE(platform_.boxes.empty());
  EXPECT_EQ(LabelD(1), "127,524,168 ");
  EXPECT_EQ(LabelD(3), "1.33 ");
  // floor(1.3125 x 127,524,168 = 167,375,470.5)
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(167'375'470));
}

TEST_F(SettingsInFrameTest, RatesLoadWithThePyramidClosedShowsCodeFive) {
  std::vector<unsigned char> rates(kRateFileBytes, 0);
  rates[2] = 0x20;
  rates[3] = 0x41;  // births of class 0: 10.0
  WriteBytes(Data() / "BRF0.brf", rates);
  Frame().Windows().Close(kWindowPyramid);
  ASSERT_FALSE(Frame().Windows().IsOpen(kWindowPyramid));
  platform_.answers = {Answer::Yes};
  Click(3);
  ASSERT_EQ(platform_.boxes.size(), 1u);
  EXPECT_EQ(platform_.boxes[0].text, "予期せぬエラー(5)が発生しました。\r続行を試みますか？");
  EXPECT_EQ(M().World.BirthRate(0, 0), 10.0f);
  EXPECT_FALSE(Frame().Windows().IsOpen(kWindowPyramid));
  EXPECT_EQ(platform_.programEnds, 0);
}

TEST_F(SettingsInFrameTest, ClosingAndReopeningFromTheWindowMenu) {
  QAction* item = Menus().MenuWShow[kWindowSettings];
  Frame().MenuWShow_Click(kWindowSettings);
  EXPECT_TRUE(item->isChecked());
  Settings().ComboStartPop()->setCurrentIndex(3);
  Settings().ComboBRFunc()->setCurrentIndex(4);

  Frame().Windows().Window(kWindowSettings).close();
  EXPECT_FALSE(Frame().Windows().IsOpen(kWindowSettings));
  EXPECT_FALSE(item->isChecked());

  Frame().MenuWShow_Click(kWindowSettings);
  EXPECT_TRUE(Frame().Windows().IsOpen(kWindowSettings));
  EXPECT_TRUE(item->isChecked());
  EXPECT_EQ(Settings().ComboStartPop()->currentIndex(), 0);
  EXPECT_EQ(Settings().ComboBRFunc()->currentIndex(), 0);
  EXPECT_EQ(Settings().size(), QSize(343, 70));
}

}  // namespace
}  // namespace velmora
