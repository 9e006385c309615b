// The run without windows on hand-computed cases, the variation names, and
// the report formats' edges (infinite and missing figures, JSON escaping).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "cli/core/HeadlessRun.h"
#include "cli/core/PresetIo.h"
#include "cli/core/Report.h"
#include "model/VariationNames.h"

namespace velmora::cli {
namespace {

TEST(HeadlessRun, CohortsMoveUpOneAgeAYearUnderZeroRates) {
  // 2 men of 15 and 1000 of 64, 3000 girls of 10; no births, no deaths.
  HeadlessInputs inputs;
  inputs.years = 3;
  inputs.world.People(0, 15) = HeadCount::FromPersons(2);
  inputs.world.People(0, 64) = HeadCount::FromPersons(1000);
  inputs.world.People(1, 10) = HeadCount::FromPersons(3000);
  const RunOutcome outcome = HeadlessRun(inputs);
  ASSERT_EQ(outcome.years.size(), 4u);  // years 0..3
  EXPECT_EQ(outcome.end, RunEnd::kCompleted);
  EXPECT_TRUE(outcome.messages.empty());

  const YearFigures& start = outcome.years[0];
  EXPECT_EQ(start.year, 2000);
  EXPECT_EQ(start.census.GroupSum(0, kChildren), HeadCount::FromPersons(2));
  EXPECT_EQ(start.census.GroupSum(0, kAdults), HeadCount::FromPersons(1000));
  EXPECT_EQ(start.elderRatio, 0.0f);

  // Year 1: the 15-year-olds are adults, the 64-year-olds elders.
  const YearFigures& next = outcome.years[1];
  EXPECT_EQ(next.year, 2001);
  EXPECT_EQ(next.elapsed, 1);
  EXPECT_EQ(next.census.Total, HeadCount::FromPersons(4002));
  EXPECT_EQ(next.census.GroupSum(0, kChildren), HeadCount());
  EXPECT_EQ(next.census.GroupSum(0, kAdults), HeadCount::FromPersons(2));
  EXPECT_EQ(next.census.GroupSum(0, kElders), HeadCount::FromPersons(1000));
  EXPECT_EQ(next.census.GroupSum(1, kChildren), HeadCount::FromPersons(3000));
  EXPECT_EQ(next.elderRatio, 24.9f);  // floor(1000 / 4002 x 1000) / 10, truncated
  EXPECT_EQ(next.elderShare, 1000.0 / 4002.0);
  EXPECT_EQ(next.fertilityRate, -1.0f);   // no births at all
  EXPECT_EQ(next.meanDeathRate, 0.0f);    // nobody dies
  EXPECT_EQ(next.period.lifeExpectancy[0], std::numeric_limits<double>::infinity());
  EXPECT_FALSE(next.period.growthRate);
  EXPECT_EQ(outcome.years[3].census.GroupSum(1, kChildren), HeadCount::FromPersons(3000));  // ages 13
}

TEST(HeadlessRun, AnEmptyPopulationStopsAtYearZeroAsDiedOut) {
  const RunOutcome outcome = HeadlessRun(HeadlessInputs{});
  ASSERT_EQ(outcome.years.size(), 1u);
  EXPECT_EQ(outcome.end, RunEnd::kDiedOut);
  EXPECT_FALSE(outcome.years[0].elderShare);
  EXPECT_EQ(outcome.years[0].meanDeathRate, -1.0f);
}

TEST(HeadlessRun, HowARunEnds) {
  struct Case {
    const char* name;
    int64_t menAt30;
    int64_t menAt31;
    float deathRate;  // of every class, both sexes
    int years;
    RunEnd end;
    std::size_t rows;
    std::size_t messages;
  };
  const Case cases[] = {
      {"completed", 10, 0, 0.0f, 3, RunEnd::kCompleted, 4, 0},
      {"died out in the last year asked for", 10, 0, 100'000.0f, 1, RunEnd::kDiedOut, 2, 0},
      {"died out before the years are done", 10, 0, 100'000.0f, 5, RunEnd::kDiedOut, 2, 0},
      // The census of the starting population passes the largest head count:
      // no year 0 of partial sums, and the one explosion said once.
      {"exploded at start", 500'000'000'000'000, 500'000'000'000'000, 0.0f, 100, RunEnd::kExploded, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HeadlessInputs inputs;
    inputs.years = c.years;
    inputs.world.People(0, 30) = HeadCount::FromPersons(c.menAt30);
    inputs.world.People(0, 31) = HeadCount::FromPersons(c.menAt31);
    for (int j = 0; j < kAgeClasses; ++j) {
      for (int sex = 0; sex < kSexes; ++sex) {
        inputs.world.DeathRate(0, sex, j) = c.deathRate;
        inputs.world.DeathRate(19, sex, j) = c.deathRate;
      }
    }
    const RunOutcome outcome = HeadlessRun(inputs);
    EXPECT_EQ(outcome.end, c.end);
    EXPECT_EQ(outcome.years.size(), c.rows);
    EXPECT_EQ(outcome.messages.size(), c.messages);
  }
}

TEST(HeadlessRun, VariationsByNameOrCode) {
  EXPECT_EQ(ParseVariation("constant"), kConstant);
  EXPECT_EQ(ParseVariation("linear25"), kLinear25);
  EXPECT_EQ(ParseVariation("double100"), kDouble100);
  EXPECT_EQ(ParseVariation("halve10"), kHalve10);
  EXPECT_EQ(ParseVariation("0"), kConstant);
  EXPECT_EQ(ParseVariation("12"), kHalve10);
  for (const char* unknown : {"", "Constant", "linear20", "13", "-1", "012", " 1"}) {
    EXPECT_THROW(ParseVariation(unknown), InputError) << unknown;
  }
  EXPECT_EQ(VariationName(kDouble25), "double25");
}

TEST(Report, InfiniteAndMissingFiguresInCsvAndJson) {
  RunOutcome outcome;
  YearFigures f;
  f.year = 2000;
  f.census.Total = HeadCount::FromRaw(12345);  // 1.2345 persons
  f.elderRatio = 33.3f;
  f.fertilityRate = 1.36f;
  f.meanDeathRate = -1.0f;
  f.period.lifeExpectancy = {std::numeric_limits<double>::infinity(), 0.1};
  outcome.years.push_back(f);
  const std::string csv = RunCsv(outcome);
  EXPECT_EQ(csv.substr(csv.find('\n') + 1), "2000,0,1.2345,0,0,0,0,0,0,33.3,,1.36,-1,inf,0.1,,,,,,,\n");

  const std::string json = RunJson({"p.csv", "s.brf", "e.brf", 1, 12, 7}, outcome);
  EXPECT_NE(json.find("\"births_variation\": \"linear100\", \"deaths_variation\": \"halve10\", \"years\": 7"),
            std::string::npos);
  EXPECT_NE(json.find("\"total\": 1.2345"), std::string::npos);
  EXPECT_NE(json.find("\"e0_men\": null, \"e0_women\": 0.1, \"nrr\": null"), std::string::npos);
  EXPECT_NE(json.find("\"elder_share\": null"), std::string::npos);
  EXPECT_EQ(json.find("inf"), std::string::npos);
}

TEST(Report, JsonStringsAreEscapedAndValidUtf8) {
  EXPECT_EQ(JsonString("a\"b\\c\n\t\x01"), "\"a\\\"b\\\\c\\n\\t\\u0001\"");
  EXPECT_EQ(JsonString("人口/Data"), "\"人口/Data\"");
  EXPECT_EQ(JsonString("\xff"), "\"\xEF\xBF\xBD\"");             // not UTF-8 at all
  EXPECT_EQ(JsonString("x\xe4\xba"), "\"x\xEF\xBF\xBD\xEF\xBF\xBD\"");  // cut short
  EXPECT_EQ(JsonString("\xc0\xaf"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");    // overlong "/"
  EXPECT_EQ(JsonString("\xed\xa0\x80"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");  // a surrogate
}

}  // namespace
}  // namespace velmora::cli
