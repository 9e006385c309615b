// "結果をCSVで保存": the table the desktop program saves is velmora-cli run's,
// byte for byte, for the same run, whatever point the run has reached.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "cli/core/HeadlessRun.h"
#include "frame/ResultFiles.h"
#include "model/Census.h"
#include "report/RunReport.h"
#include "support/FrameFixture.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// A population and rates that grow, births rising linearly over 50 years
// and deaths halving over 25, as a user sets them up before Start.
WorldRecord GrowingInputs() {
  WorldRecord world;
  for (int age = 0; age < kAges; ++age) {
    world.People(0, age) = HeadCount::FromDouble((100 - age) * 1234.5678);
    world.People(1, age) = HeadCount::FromDouble((100 - age) * 1301.25 + 7.0);
  }
  for (int j = 0; j < kAgeClasses; ++j) {
    world.BirthRate(0, j) = j >= 3 && j <= 9 ? 41.5f : 0.0f;
    world.BirthRate(19, j) = j >= 3 && j <= 9 ? 66.25f : 0.0f;
    for (int sex = 0; sex < kSexes; ++sex) {
      world.DeathRate(0, sex, j) = 120.0f + 33.0f * j * j + 10.0f * sex;
      world.DeathRate(19, sex, j) = 90.0f + 21.0f * j * j;
    }
  }
  world.VariationFunc(0) = kLinear50;
  world.VariationFunc(1) = kHalve25;
  return world;
}

class DesktopCsvTest : public testing::FrameFixture {
 protected:
  // The inputs loaded as the settings window loads a population (census,
  // peak, start state, Reset), then Start and the given years of the clock.
  void RunYears(int years) {
    ModulePopulation& m = M();
    m.World = GrowingInputs();
    TakeCensus(m.Census, m.World, m, Frame().Display());
    m.PeakPopulation = HeadCount::FromDouble(m.Census.Total.ToDouble() * 1.25);
    m.WorldAtStart = m.World;
    Frame().MenuReset_Click();
    if (years == 0) return;
    Frame().MenuStart_Click();
    for (int year = 0; year < years; ++year) {
      Frame().TimerWorld().stop();
      Frame().TimerWorld_Timer();
    }
    Frame().TimerWorld().stop();
  }

  // velmora-cli run's CSV of the same inputs, cut after year `years`.
  static std::string CliCsv(int years) {
    cli::HeadlessInputs inputs;
    inputs.world = GrowingInputs();
    inputs.years = std::max(years, 1);
    RunOutcome outcome = cli::HeadlessRun(inputs);
    outcome.years.resize(static_cast<std::size_t>(years) + 1);
    return RunCsv(outcome);
  }

  testing::TempFolder folder;
};

// How far the run has come when the table is saved.
struct Point {
  const char* name;
  int years;
  bool resetAfter;  // Reset after the run: year 0 alone again
};

// Cases print by name (the structure's padding holds no value).
void PrintTo(const Point& c, std::ostream* os) { *os << c.name; }

class DesktopCsvAtTest : public DesktopCsvTest, public ::testing::WithParamInterface<Point> {};

TEST_P(DesktopCsvAtTest, EqualsTheCommandLinesCsv) {
  const Point& p = GetParam();
  RunYears(p.years);
  if (p.resetAfter) Frame().MenuReset_Click();
  const int shown = p.resetAfter ? 0 : p.years;
  const std::string expected = CliCsv(shown);
  EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), shown + 2);  // header and years 0..shown
  EXPECT_EQ(RunCsvOfModel(M()), expected);

  // Saved through the menu item, with the standard dialog's answer.
  platform_.savePaths.push_back((folder.Path() / "run.csv").string());
  Menus().MenuSaveCsv->trigger();
  ASSERT_EQ(platform_.saveDialogs.size(), 1u);
  EXPECT_EQ(fs::path(platform_.saveDialogs[0].suggested).filename(),
            "velmora-2000-" + std::to_string(2000 + shown) + ".csv");
  EXPECT_EQ(testing::ReadText(folder.Path() / "run.csv"), expected);
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_TRUE(platform_.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Runs, DesktopCsvAtTest,
                         ::testing::Values(Point{"BeforeAnyRun", 0, false}, Point{"OneYear", 1, false},
                                           Point{"Paused", 17, false}, Point{"Finished", 100, false},
                                           Point{"AfterReset", 40, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopCsvTest, CancelAndRefusedPathsWriteNothing) {
  RunYears(10);
  Menus().MenuSaveCsv->trigger();  // cancelled
  EXPECT_TRUE(fs::is_empty(folder.Path()));
  for (const char* name : {"folder.csv", "fifo.csv"}) {
    if (std::string(name) == "folder.csv") {
      fs::create_directory(folder.Path() / name);
    } else {
      ASSERT_EQ(mkfifo((folder.Path() / name).c_str(), 0644), 0);
    }
    platform_.savePaths.push_back((folder.Path() / name).string());
    Menus().MenuSaveCsv->trigger();
  }
  ASSERT_EQ(platform_.boxes.size(), 2u);
  for (const auto& box : platform_.boxes) {
    EXPECT_EQ(box.title, "結果をCSVで保存");
    EXPECT_NE(box.text.find("フォルダか特殊なファイル"), std::string::npos);
  }
  EXPECT_EQ(platform_.beeps, 0);
  EXPECT_TRUE(fs::is_directory(folder.Path() / "folder.csv"));
  EXPECT_TRUE(fs::is_fifo(folder.Path() / "fifo.csv"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace velmora
