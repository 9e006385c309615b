#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "scenario/FormSetting.h"
#include "scenario_core/TempFolder.h"
#include "support/FrameFixture.h"

namespace velmora {
namespace {

// The Japan preset loaded through the settings window's buttons, 30 years
// run and the run broken: the picture of the frame at that moment is saved
// as screenshot-japan.png in the working folder (the README's picture).
class JapanRunTest : public testing::FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    M().AppPath = app.String();
    const std::string command = std::string("'") + VELMORA_MAKE_PRESETS + "' '" + VELMORA_PRESET_TABLES + "' '" +
                                (app.Path() / "Data").string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  FormSetting& Settings() { return Frame().Windows().Setting(); }

  testing::TempFolder app;
};

TEST_F(JapanRunTest, PausedRunOfTheDevelopedTypePreset) {
  Settings().ComboBRFunc()->setCurrentIndex(2);
  QTest::mouseClick(Settings().CommandSave(3), Qt::LeftButton);
  Settings().ComboStartPop()->setCurrentIndex(2);
  QTest::mouseClick(Settings().CommandSave(2), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().TimerMenu().isActive(); }, 10'000));
  ASSERT_EQ(LabelD(1), "127,524,168 ");

  Frame().MenuStart_Click();
  for (int year = 0; year < 30; ++year) Frame().TimerWorld_Timer();
  Frame().MenuBreak_Click();
  EXPECT_EQ(M().RunState, kPaused);
  EXPECT_EQ(M().ElapsedYears, 30);
  EXPECT_EQ(LabelD(0), "2030 ");
  EXPECT_TRUE(platform_.boxes.empty());
  // Ageing under the 2000 rates: fewer people, a larger share of elders.
  EXPECT_LT(M().Census.Total, HeadCount::FromPersons(127'524'168));
  EXPECT_GT(M().Census.ElderRatio, 17.0f);

  QTest::qWait(100);  // let the windows paint what the run drew
  const QImage picture = Frame().grab().toImage();
  ASSERT_FALSE(picture.isNull());
  EXPECT_TRUE(picture.save("screenshot-japan.png"));
}

}  // namespace
}  // namespace velmora
