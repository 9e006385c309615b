// The indicators window against velmora-cli run: the figures of a year of
// a run, and of a year the graph looks back at, are the figures the command
// line writes in that year's row, to the digits the window shows.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "cli/FrameWithPresets.h"
#include "model/NumberText.h"
#include "presets/Decimal.h"
#include "scenario/FormSetting.h"
#include "views/FormIndicators.h"

namespace velmora {
namespace {

using presets::ParseHeadCount;

namespace fs = std::filesystem;

using Row = std::map<std::string, std::string>;

std::vector<Row> ReadCsv(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::vector<std::string> names;
  std::getline(in, line);
  for (std::stringstream header(line); std::getline(header, line, ',');) names.push_back(line);
  std::vector<Row> rows;
  while (std::getline(in, line)) {
    Row row;
    std::stringstream cells(line);
    for (const std::string& name : names) {
      std::string cell;
      std::getline(cells, cell, ',');
      row[name] = cell;
    }
    rows.push_back(row);
  }
  return rows;
}

double Number(const Row& row, const char* column) { return std::stod(row.at(column)); }

std::string Decimals(double x, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, x);
  return text;
}

class IndicatorsMatchTest : public testing::FrameWithPresets {
 protected:
  std::string Shown(Indicator which) { return Frame().Data().Indicators().Figure(which)->text().toStdString(); }

  // Every figure of the window against the row, as the window writes it.
  void ExpectRow(const Row& row, const std::string& yearText) {
    SCOPED_TRACE("year " + row.at("year"));
    std::string why;
    const double total = ParseHeadCount(row.at("total"), why)->ToDouble();
    const auto share = [&](const char* men, const char* women) {
      return Decimals((Number(row, men) + Number(row, women)) / total * 100.0, 1) + " %";
    };
    const std::vector<std::pair<Indicator, std::string>> expected = {
        {Indicator::kYear, yearText},
        {Indicator::kTotal, FormatThousands(*ParseHeadCount(row.at("total"), why))},
        {Indicator::kChildren, share("men_0_15", "women_0_15")},
        {Indicator::kAdults, share("men_16_64", "women_16_64")},
        {Indicator::kElders, Decimals(Number(row, "elder_share") * 100.0, 1) + " %"},
        {Indicator::kMedianAge, Decimals(Number(row, "median_age"), 1) + " 歳"},
        {Indicator::kOldAgeDependency, Decimals(Number(row, "old_age_dependency"), 1)},
        {Indicator::kTotalDependency, Decimals(Number(row, "total_dependency"), 1)},
        {Indicator::kFertility, FloatText(std::stof(row.at("tfr")))},
        {Indicator::kNetReproduction, Decimals(Number(row, "nrr"), 2)},
        {Indicator::kLifeExpectancyMen, Decimals(Number(row, "e0_men"), 1) + " 年"},
        {Indicator::kLifeExpectancyWomen, Decimals(Number(row, "e0_women"), 1) + " 年"},
        {Indicator::kGrowthRate, Decimals(Number(row, "growth_rate") * 100.0, 2) + " %/年"},
        {Indicator::kStableElders, Decimals(Number(row, "stable_elder_share") * 100.0, 1) + " %"},
    };
    for (const auto& [which, text] : expected) {
      EXPECT_EQ(Shown(which), text) << "line " << static_cast<int>(which);
      EXPECT_TRUE(Frame().Data().Indicators().Figure(which)->toolTip().isEmpty());
    }
  }

  testing::TempFolder out;
};

TEST_F(IndicatorsMatchTest, ThreeYearsOfARunAndALookedBackYearShowTheCommandLinesRows) {
  // The developed-country population with the developing country's rates at
  // the start and the developed country's at the end, births halving over
  // 25 years: every figure moves.
  Frame().Windows().Pyramid().MenuBefAft_Click(0);
  Settings().ComboBRFunc()->setCurrentIndex(1);
  QTest::mouseClick(Settings().CommandSave(3), Qt::LeftButton);
  Frame().Windows().Pyramid().MenuBefAft_Click(1);
  Settings().ComboBRFunc()->setCurrentIndex(2);
  QTest::mouseClick(Settings().CommandSave(3), Qt::LeftButton);
  Frame().Windows().Pyramid().MenuBefAft_Click(0);
  Frame().Windows().Pyramid().MenuMode_Click(0);
  Frame().Windows().Pyramid().MenuMoveFunc_Click(kHalve25);
  Settings().ComboStartPop()->setCurrentIndex(2);
  QTest::mouseClick(Settings().CommandSave(2), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().TimerMenu().isActive(); }, 10'000));
  Frame().MenuIndicators_Click();
  ASSERT_TRUE(Frame().Data().IndicatorsOpen());

  const fs::path csv = out.Path() / "run.csv";
  const std::string command = std::string("'") + VELMORA_CLI + "' run --population '" + Data("STP2.stp") +
                              "' --start-rates '" + Data("BRF1.brf") + "' --end-rates '" + Data("BRF2.brf") +
                              "' --births-variation halve25 --output '" + csv.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::vector<Row> rows = ReadCsv(csv);
  ASSERT_EQ(rows.size(), 101u);

  ExpectRow(rows[0], "2000");
  Frame().MenuStart_Click();
  for (int year = 1; year <= 37; ++year) {
    Frame().TimerWorld().stop();
    Frame().TimerWorld_Timer();
    if (year == 1 || year == 37) ExpectRow(rows[year], std::to_string(2000 + year));
  }
  Frame().MenuBreak_Click();

  // The graph's hover looks back at year 12.
  FormGraph& graph = Frame().Windows().Graph();
  const int width = M().ViewSize[0];
  graph.Form_MouseMove(0, 0, static_cast<float>((12 + 0.5) * width / 101.0), 50.0f);
  ASSERT_EQ(M().SelectedYear, 12);
  ExpectRow(rows[12], "2012（振り返り）");
  EXPECT_EQ(Shown(Indicator::kSource), "人口: 先進国型　率: 先進国型");
}

}  // namespace
}  // namespace velmora
