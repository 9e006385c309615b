// The indicators window's texts: a figure that does not exist reads "―" and
// says why, one row per reason.
#include <gtest/gtest.h>

#include <functional>

#include "analysis/YearFigures.h"
#include "model/Census.h"
#include "model/QuietDisplay.h"
#include "views/IndicatorTexts.h"

namespace velmora {
namespace {

// A growing population with a stable population: births at 20-39, deaths
// at every age; people at every age.
struct Scene {
  Scene() {
    for (int c = 4; c < 8; ++c) world.BirthRate(0, c) = 100.0f;
    for (int sex = 0; sex < kSexes; ++sex) {
      for (int c = 0; c < kAgeClasses; ++c) world.DeathRate(0, sex, c) = c < 19 ? 300.0f : 5000.0f;
      for (int age = 0; age < kAges; ++age) world.People(sex, age) = HeadCount::FromPersons(1000);
    }
  }
  IndicatorTexts Texts() {
    auto model = std::make_unique<ModulePopulation>();
    QuietDisplay display;
    CensusRecord census;
    TakeCensus(census, world, *model, display);
    return IndicatorTextsOf(FiguresOf(world, census, 2000, 0), world, 0);
  }
  WorldRecord world;
};

TEST(IndicatorTextsTest, EveryFigureExistsInAnOrdinaryYear) {
  Scene scene;
  const IndicatorTexts t = scene.Texts();
  EXPECT_EQ(t.total.text, "200,000");
  // 16 of 100 ages are children, 49 adults, 35 elders.
  EXPECT_EQ(t.shares[kChildren].text, "16.0 %");
  EXPECT_EQ(t.shares[kAdults].text, "49.0 %");
  EXPECT_EQ(t.shares[kElders].text, "35.0 %");
  // Elders and children per 100 adults: 35 / 49 and 51 / 49.
  EXPECT_EQ(t.oldAgeDependency.text, "71.4");
  EXPECT_EQ(t.totalDependency.text, "104.1");
  for (const FigureText* f :
       {&t.medianAge, &t.netReproduction, &t.lifeExpectancy[0], &t.growthRate, &t.stableShares[kElders]}) {
    EXPECT_NE(f->text, kMissingFigure);
    EXPECT_TRUE(f->why.empty());
  }
  EXPECT_NE(t.outlook.find(t.stableShares[kElders].text), std::string::npos);
  EXPECT_NE(t.outlook.find("35.0 %"), std::string::npos);
}

TEST(IndicatorTextsTest, MissingFiguresSayWhy) {
  struct Case {
    const char* what;
    std::function<void(WorldRecord&)> change;
    std::vector<std::function<const FigureText&(const IndicatorTexts&)>> missing;
    const char* why;  // a part of every tooltip
  };
  const auto growth = [](const IndicatorTexts& t) -> const FigureText& { return t.growthRate; };
  const auto stableElders = [](const IndicatorTexts& t) -> const FigureText& { return t.stableShares[kElders]; };
  const auto e0Men = [](const IndicatorTexts& t) -> const FigureText& { return t.lifeExpectancy[0]; };
  const auto oldAge = [](const IndicatorTexts& t) -> const FigureText& { return t.oldAgeDependency; };
  const auto median = [](const IndicatorTexts& t) -> const FigureText& { return t.medianAge; };
  const auto elders = [](const IndicatorTexts& t) -> const FigureText& { return t.shares[kElders]; };
  const std::vector<Case> cases = {
      {"no births",
       [](WorldRecord& w) {
         for (int c = 0; c < kAgeClasses; ++c) w.BirthRate(0, c) = 0.0f;
       },
       {growth, stableElders},
       "出生がありません"},
      {"the open age never dies",
       [](WorldRecord& w) {
         w.DeathRate(0, 0, 19) = 0.0f;
         w.DeathRate(0, 1, 19) = 0.0f;
         for (int c = 0; c < kAgeClasses; ++c) w.BirthRate(0, c) = 10.0f;
       },
       {e0Men},
       "誰も死なない"},
      {"lambda at or below the open age's survival",
       [](WorldRecord& w) {
         for (int c = 0; c < kAgeClasses; ++c) w.BirthRate(0, c) = 5.0f;
         w.DeathRate(0, 1, 19) = 10.0f;
       },
       {stableElders},
       "99歳以上の生存率"},
      {"no adults",
       [](WorldRecord& w) {
         for (int sex = 0; sex < kSexes; ++sex) {
           for (int age = 16; age <= 64; ++age) w.People(sex, age) = HeadCount();
         }
       },
       {oldAge},
       "生産年齢"},
      {"no people",
       [](WorldRecord& w) {
         for (int sex = 0; sex < kSexes; ++sex) {
           for (int age = 0; age < kAges; ++age) w.People(sex, age) = HeadCount();
         }
       },
       {median, elders, oldAge},
       "人口がいません"},
      {"death rates out of range",
       [](WorldRecord& w) { w.DeathRate(0, 0, 3) = 200'000.0f; },
       {e0Men, stableElders},
       "死亡率"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scene scene;
    c.change(scene.world);
    const IndicatorTexts t = scene.Texts();
    for (const auto& field : c.missing) {
      EXPECT_EQ(field(t).text, kMissingFigure);
      EXPECT_NE(field(t).why.find(c.why), std::string::npos) << field(t).why;
    }
  }
}

}  // namespace
}  // namespace velmora
