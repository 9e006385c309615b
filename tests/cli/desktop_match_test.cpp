// velmora-cli against the desktop program itself: a run set up through the
// settings window and the pyramid's menus, stepped by the world clock's
// tick, shows in every year the figures that `run` writes for that year;
// and --charts writes the very pixels of the windows at the end.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../scenario_core/TempFolder.h"
#include "cli/FrameWithPresets.h"
#include "cli/core/HeadlessRun.h"
#include "cli/core/PresetIo.h"
#include "cli/core/Report.h"
#include "model/NumberText.h"
#include "scenario/FormSetting.h"
#include "views/FormCircle.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class DesktopMatchTest : public testing::FrameWithPresets {
 protected:
  FormPyramid& Pyramid() { return Frame().Windows().Pyramid(); }

  void LoadRates(int preset) {
    Settings().ComboBRFunc()->setCurrentIndex(preset);
    QTest::mouseClick(Settings().CommandSave(3), Qt::LeftButton);
  }

  // The controller's labels and the census of the frame's current year
  // against one written year.
  void ExpectYear(const YearFigures& f) {
    SCOPED_TRACE("year " + std::to_string(f.year));
    EXPECT_EQ(LabelD(0), std::to_string(f.year) + " ");
    EXPECT_EQ(f.elapsed, M().ElapsedYears);
    EXPECT_EQ(f.census, M().Census);
    EXPECT_EQ(LabelD(1), FormatThousands(f.census.Total) + " ");
    EXPECT_EQ(LabelD(2), FloatText(f.elderRatio) + "% ");
    EXPECT_EQ(LabelD(3), FloatText(f.fertilityRate) + " ");
    ASSERT_TRUE(f.meanDeathRate);
    EXPECT_EQ(LabelD(4), FloatText(*f.meanDeathRate) + " ");
  }

  static void ExpectSamePixels(const QImage& desktop, const fs::path& png) {
    SCOPED_TRACE(png.string());
    const QImage written(QString::fromStdString(png.string()));
    ASSERT_FALSE(written.isNull());
    ASSERT_EQ(written.size(), desktop.size());
    const QImage a = written.convertToFormat(QImage::Format_RGB32);
    const QImage b = desktop.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
    }
    EXPECT_EQ(differing, 0);
  }

  testing::TempFolder out;
};

TEST_F(DesktopMatchTest, RunWritesEachYearAsTheDesktopShowsItAndChartsItsPixels) {
  // Japan's rates at the start, Nigeria's at the end; births move linearly
  // over 50 years, deaths halve over 25; the Japan population.
  Pyramid().MenuBefAft_Click(0);
  LoadRates(2);
  Pyramid().MenuBefAft_Click(1);
  LoadRates(1);
  Pyramid().MenuBefAft_Click(0);
  Pyramid().MenuMode_Click(0);
  Pyramid().MenuMoveFunc_Click(kLinear50);
  Pyramid().MenuMode_Click(1);
  Pyramid().MenuMoveFunc_Click(kHalve25);
  Settings().ComboStartPop()->setCurrentIndex(2);
  QTest::mouseClick(Settings().CommandSave(2), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().TimerMenu().isActive(); }, 10'000));

  cli::HeadlessInputs inputs;
  cli::ReadPopulation(Data("STP2.stp"), inputs.world);
  cli::ReadRates(Data("BRF2.brf"), inputs.world, 0);
  cli::ReadRates(Data("BRF1.brf"), inputs.world, 19);
  inputs.world.VariationFunc(0) = kLinear50;
  inputs.world.VariationFunc(1) = kHalve25;
  const RunOutcome outcome = cli::HeadlessRun(inputs);
  ASSERT_EQ(outcome.years.size(), 101u);
  EXPECT_EQ(outcome.end, RunEnd::kCompleted);

  ExpectYear(outcome.years[0]);  // what Reset shows
  Frame().MenuStart_Click();
  for (int year = 1; year <= 100; ++year) {
    Frame().TimerWorld().stop();
    Frame().TimerWorld_Timer();
    ExpectYear(outcome.years[year]);
  }
  EXPECT_TRUE(Frame().TimerWorld().isActive());  // it would say "Finished" next
  Frame().TimerWorld().stop();
  EXPECT_TRUE(platform_.boxes.empty());

  // The real program, given the same files, writes the same rows and draws
  // the windows' pictures pixel for pixel.
  const fs::path csv = out.Path() / "japan.csv";
  const fs::path charts = out.Path() / "charts";
  const std::string command = std::string("'") + VELMORA_CLI + "' run --population '" + Data("STP2.stp") +
                              "' --start-rates '" + Data("BRF2.brf") + "' --end-rates '" + Data("BRF1.brf") +
                              "' --births-variation linear50 --deaths-variation 11 --output '" + csv.string() +
                              "' --charts '" + charts.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(csv, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), RunCsv(outcome));
  ExpectSamePixels(Pyramid().Picture().Image(), charts / "pyramid.png");
  ExpectSamePixels(Frame().Windows().Graph().Picture().Image(), charts / "graph.png");
  ExpectSamePixels(Frame().Windows().Circle().Picture().Image(), charts / "circle.png");
}

}  // namespace
}  // namespace velmora
