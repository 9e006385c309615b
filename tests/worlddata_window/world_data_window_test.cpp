#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "../scenario_core/TempFolder.h"
#include "../support/ReadWholeFile.h"
#include "frame/DataWindows.h"
#include "model/Census.h"
#include "model/NumberText.h"
#include "model/QuietDisplay.h"
#include "scenario/FormSetting.h"
#include "support/FrameFixture.h"
#include "views/FormPyramid.h"
#include "worlddata/FormWorldData.h"
#include "worlddata/core/WorldTables.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

fs::path UnTables() { return fs::path(VELMORA_PRESET_TABLES).parent_path() / "wpp2019"; }

// The frame as the program opens it, with a program folder of its own that
// holds the UN tables (or not) and a Data folder; the world-data window
// opened as the user opens it: Alt+D, then W.
class WorldDataWindowTest : public FrameFixture {
 protected:
  void OpenWindow(bool withTables = true) {
    data_ = folder_.MakeData();
    if (withTables) fs::create_directory_symlink(UnTables(), folder_.Path() / "wpp2019");
    M().AppPath = folder_.String();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QTest::keyClick(&Frame(), Qt::Key_D, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_W);
    form_ = &Frame().Data().WorldData();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
  }

  int VisibleRows() const {
    int visible = 0;
    for (int row = 0; row < form_->ListPlaces()->topLevelItemCount(); ++row)
      visible += form_->ListPlaces()->topLevelItem(row)->isHidden() ? 0 : 1;
    return visible;
  }

  // Typed one character at a time, as an input method delivers them (the
  // test library's key clicks know only ASCII).
  void Search(const QString& text) {
    form_->TextSearch()->clear();
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(form_->TextSearch(), &press);
    }
  }

  void Click(QPushButton* button) {
    ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  }

  // The requested Reset runs from the event loop.
  void WaitForReset() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().TimerMenu().isActive(); }, 10'000));
  }

  TempFolder folder_;
  fs::path data_;
  FormWorldData* form_ = nullptr;
};

struct LoadCase {
  const char* what;
  const char* search;
  int code;
  int year;
  const char* tfr;  // the UN's TFR of the periods meeting at the year, as the controller shows it
};

// Search, choose the year, load both: the controller shows the location's
// rates and population of that year, and the pyramid its population.
TEST_F(WorldDataWindowTest, LoadBothShowsTheLocationsYearEverywhere) {
  OpenWindow();
  const LoadCase cases[] = {
      {"a country, by its Japanese name", "日本", 392, 1950, "2.96 "},       // 1950-1955
      {"an aggregate, by its English name", " WORLD ", 900, 1950, "4.97 "},  // 4.967 of 1950-1955
      // (1.7474 of 2045-2050 + 1.753 of 2050-2055) / 2
      {"a country of the projection, by its code", "156", 156, 2050, "1.75 "},
  };
  for (const LoadCase& c : cases) {
    const QImage before = Frame().Windows().Pyramid().Picture().Image();
    Search(QString::fromUtf8(c.search));
    ASSERT_EQ(VisibleRows(), 1) << c.what;
    ASSERT_NE(form_->SelectedPlace(), nullptr) << c.what;
    EXPECT_EQ(form_->SelectedPlace()->location.code, c.code) << c.what;
    ASSERT_TRUE(form_->SelectYear(c.year));
    Click(form_->CommandLoad(FormWorldData::kLoadBoth));
    WaitForReset();

    const wpp::Preset preset = worlddata::WorldTables::Of(UnTables()).Build(*form_->SelectedPlace(), c.year);
    WorldRecord expected{};
    wpp::FillPopulation(preset, expected);
    int64_t persons = 0;
    for (const auto& sex : preset.population)
      for (const int64_t n : sex) persons += n;
    EXPECT_EQ(LabelD(0), std::to_string(c.year) + " ") << c.what;
    EXPECT_EQ(LabelD(1), FormatThousands(HeadCount::FromPersons(persons)) + " ") << c.what;
    EXPECT_EQ(LabelD(3), c.tfr) << c.what;
    EXPECT_EQ(M().World.people, expected.people) << c.what;
    EXPECT_EQ(form_->LabelLoaded()->text().toStdString(), "人口と関数: " + form_->SelectedPlace()->japanese + " (" +
                                                              std::to_string(c.code) + ") " + std::to_string(c.year) +
                                                              ", UN WPP 2019")
        << c.what;

    // The pyramid is the one of that population, drawn afresh.
    const QImage shown = Frame().Windows().Pyramid().Picture().Image();
    EXPECT_NE(shown, before) << c.what;
    CensusRecord census;
    QuietDisplay quiet;
    TakeCensus(census, expected, M(), quiet);
    Frame().Windows().Pyramid().DrawPyramid(kContentRelative, expected, census);
    EXPECT_EQ(shown, Frame().Windows().Pyramid().Picture().Image()) << c.what;
  }
  EXPECT_EQ(platform_.beeps, 3);
}

// Rates alone follow on the controller at once, without a Reset.
TEST_F(WorldDataWindowTest, LoadRatesShowsTheirFertilityAtOnce) {
  OpenWindow();
  Search(QString::fromUtf8("日本"));
  ASSERT_TRUE(form_->SelectYear(1950));
  QSignalSpy loaded(form_, &FormWorldData::Loaded);
  Click(form_->CommandLoad(FormWorldData::kLoadRates));
  ASSERT_EQ(loaded.size(), 1);
  EXPECT_EQ(loaded[0][0].toInt(), FormWorldData::kLoadRates);
  EXPECT_EQ(loaded[0][1].toString().toStdString(), "日本 (392) 1950, UN WPP 2019");
  EXPECT_FALSE(Frame().TimerMenu().isActive());
  EXPECT_EQ(LabelD(3), "2.96 ");
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_EQ(form_->LabelLoaded()->text().toStdString(), "関数: 日本 (392) 1950, UN WPP 2019");
}

// Without the tables the window says where it looked, in one line, offers
// nothing to press, and the program is as it was.
TEST_F(WorldDataWindowTest, MissingTablesGiveOneLineAndNoChange) {
  const WorldRecord world = M().World;
  const std::string labels = LabelD(0) + LabelD(1) + LabelD(3);
  OpenWindow(false);
  const std::string line = form_->LabelLoaded()->text().toStdString();
  EXPECT_NE(line.find((folder_.Path() / "wpp2019").string()), std::string::npos) << line;
  EXPECT_EQ(line.find('\n'), std::string::npos) << line;
  EXPECT_EQ(form_->ListPlaces()->topLevelItemCount(), 0);
  for (int load : {FormWorldData::kLoadPopulation, FormWorldData::kLoadRates, FormWorldData::kLoadBoth})
    EXPECT_FALSE(form_->CommandLoad(load)->isEnabled()) << load;
  EXPECT_FALSE(form_->CommandSaveSlot()->isEnabled());
  EXPECT_FALSE(form_->TextSearch()->isEnabled());
  EXPECT_EQ(M().World.people, world.people);
  EXPECT_EQ(LabelD(0) + LabelD(1) + LabelD(3), labels);
  EXPECT_FALSE(Frame().TimerMenu().isActive());
  EXPECT_EQ(platform_.beeps, 0);
  EXPECT_TRUE(platform_.boxes.empty());
}

// Saving asks before it replaces a slot's files; No leaves both as they were.
TEST_F(WorldDataWindowTest, SavingAsksBeforeReplacingASlot) {
  OpenWindow();
  Search(QString::fromUtf8("日本"));
  ASSERT_TRUE(form_->SelectYear(1950));
  form_->ComboSlot()->setCurrentIndex(1);  // slot 2
  struct Case {
    const char* what;
    bool existing;
    platform::Answer answer;
    bool asked;
    bool written;
  };
  const Case cases[] = {
      {"empty slot: no question", false, platform::Answer::No, false, true},
      {"existing slot, No", true, platform::Answer::No, true, false},
      {"existing slot, dismissed", true, platform::Answer::Dismissed, true, false},
      {"existing slot, Yes", true, platform::Answer::Yes, true, true},
  };
  for (const Case& c : cases) {
    fs::remove(data_ / "STP2.stp");
    fs::remove(data_ / "BRF2.brf");
    if (c.existing) {
      std::ofstream(data_ / "STP2.stp") << "old";
      std::ofstream(data_ / "BRF2.brf") << "old";
    }
    platform_.boxes.clear();
    platform_.beeps = 0;
    platform_.answers = {c.answer};
    Click(form_->CommandSaveSlot());
    EXPECT_EQ(platform_.boxes.size(), c.asked ? 1u : 0u) << c.what;
    EXPECT_EQ(ReadWholeFile(data_ / "STP2.stp").size(), c.written ? 1600u : c.existing ? 3u : 0u) << c.what;
    EXPECT_EQ(ReadWholeFile(data_ / "BRF2.brf").size(), c.written ? 240u : c.existing ? 3u : 0u) << c.what;
    EXPECT_EQ(platform_.beeps, c.written ? 1 : 0) << c.what;
  }
}

// The README's comparison, as the desktop program shows it: Japan's people
// of 1950 under the rates of 1950, then under those of 2020, in runs that
// read 1950 ... 2050.
TEST_F(WorldDataWindowTest, ReadmeComparisonHoldsInTheDesktopProgram) {
  OpenWindow();
  Frame().SetWorldClockInterval(1);
  Search(QString::fromUtf8("日本"));
  ASSERT_TRUE(form_->SelectYear(1950));
  Click(form_->CommandLoad(FormWorldData::kLoadBoth));
  WaitForReset();
  EXPECT_EQ(LabelD(0) + LabelD(1) + LabelD(2) + LabelD(3), "1950 82,802,084 4.9% 2.96 ");

  struct Run {
    int ratesYear;  // the rates loaded before the run (the first run keeps 1950's)
    const char* fertility;
    const char* end;  // year, population and elders' share after 100 years
  };
  const Run runs[] = {{1950, "2.96 ", "2050 240,558,095 8.6% "}, {2020, "1.37 ", "2050 63,302,670 36.8% "}};
  for (const Run& run : runs) {
    if (run.ratesYear != 1950) {
      Frame().MenuReset_Click();
      EXPECT_EQ(LabelD(0), "1950 ");
      ASSERT_TRUE(form_->SelectYear(run.ratesYear));
      Click(form_->CommandLoad(FormWorldData::kLoadRates));
    }
    EXPECT_EQ(LabelD(3), run.fertility) << run.ratesYear;
    Frame().MenuStart_Click();
    ASSERT_TRUE(WaitForClockToStop());
    EXPECT_EQ(LabelD(0) + LabelD(1) + LabelD(2), run.end) << run.ratesYear;
  }
}

// A slot saved here loads in the settings window, whose load starts the
// calendar in 2000 again: a preset file carries no year.
TEST_F(WorldDataWindowTest, SettingsWindowLoadStartsTheCalendarIn2000Again) {
  OpenWindow();
  Search(QString::fromUtf8("日本"));
  ASSERT_TRUE(form_->SelectYear(1950));
  Click(form_->CommandLoad(FormWorldData::kLoadBoth));
  WaitForReset();
  EXPECT_EQ(LabelD(0), "1950 ");
  form_->ComboSlot()->setCurrentIndex(1);  // slot 2, 先進国型
  Click(form_->CommandSaveSlot());
  ASSERT_TRUE(fs::exists(data_ / "STP2.stp"));

  const WorldRecord japan = M().World;
  M().World = WorldRecord{};
  FormSetting& settings = Frame().Windows().Setting();
  settings.ComboStartPop()->setCurrentIndex(2);
  settings.CommandSave_Click(2);  // 人口読込
  WaitForReset();
  EXPECT_EQ(LabelD(0), "2000 ");
  EXPECT_EQ(LabelD(1), "82,802,084 ");
  EXPECT_EQ(M().World.people, japan.people);
}

}  // namespace
}  // namespace velmora::testing
