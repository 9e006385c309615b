#include "model/Census.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "../support/RecordingDisplay.h"
#include "FailureCode.h"
#include "model/AgeColour.h"

namespace velmora {
namespace {

using testing::RecordingDisplay;
using Calls = std::vector<std::string>;

using testing::kExplosion;
using testing::Persons;

class CensusTest : public ::testing::Test {
 protected:
  std::unique_ptr<ModulePopulation> owner = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *owner;
  WorldRecord& w = m.World;
  RecordingDisplay display;
};

TEST_F(CensusTest, GroupsSplitAt15And16And64And65) {
  w.People(0, 15) = Persons(1);
  w.People(0, 16) = Persons(10);
  w.People(0, 64) = Persons(100);
  w.People(0, 65) = Persons(1000);
  w.People(1, 0) = Persons(2);
  w.People(1, 15) = Persons(20);
  w.People(1, 16) = Persons(200);
  w.People(1, 65) = Persons(2000);
  w.People(1, 99) = Persons(3);
  TakeCensus(m.Census, w, m, display);
  EXPECT_EQ(m.Census.GroupSum(0, kChildren), Persons(1));
  EXPECT_EQ(m.Census.GroupSum(0, kAdults), Persons(110));
  EXPECT_EQ(m.Census.GroupSum(0, kElders), Persons(1000));
  EXPECT_EQ(m.Census.GroupSum(1, kChildren), Persons(22));
  EXPECT_EQ(m.Census.GroupSum(1, kAdults), Persons(200));
  EXPECT_EQ(m.Census.GroupSum(1, kElders), Persons(2003));
  EXPECT_EQ(m.Census.Total, Persons(3336));
  // 3003 elders of 3336: floor(900.12) / 10.
  EXPECT_EQ(m.Census.ElderRatio, 90.0f);
  EXPECT_TRUE(display.calls.empty());
  EXPECT_EQ(m.Exploded, 0);
}

TEST_F(CensusTest, ElderRatioIsTruncatedToOneDecimal) {
  struct Case {
    int64_t elders;
    int64_t others;
    float ratio;
  };
  // 2345 in 10,000 give 23.4; 1 in 3 gives 33.3; 2 in 3 give 66.6, not 66.7.
  for (const Case& c :
       {Case{2345, 7655, 23.4f}, Case{1, 2, 33.3f}, Case{2, 1, 66.6f}, Case{0, 5, 0.0f}, Case{7, 0, 100.0f}}) {
    w.People(1, 80) = Persons(c.elders / 2);
    w.People(0, 80) = Persons(c.elders - c.elders / 2);
    w.People(0, 30) = Persons(c.others);
    TakeCensus(m.Census, w, m, display);
    EXPECT_EQ(m.Census.ElderRatio, c.ratio) << c.elders << " of " << c.elders + c.others;
  }
}

TEST_F(CensusTest, NoPositiveTotalGivesZeroRatio) {
  m.Census.ElderRatio = 12.5f;
  TakeCensus(m.Census, w, m, display);
  EXPECT_EQ(m.Census.Total, HeadCount());
  EXPECT_EQ(m.Census.ElderRatio, 0.0f);
  w.People(0, 70) = Persons(5);
  w.People(1, 20) = Persons(-9);
  TakeCensus(m.Census, w, m, display);
  EXPECT_EQ(m.Census.Total, Persons(-4));
  EXPECT_EQ(m.Census.ElderRatio, 0.0f);
}

TEST_F(CensusTest, OverflowInAGroupSumExplodesAndKeepsThePartialFigures) {
  m.Census.Total = Persons(77);
  m.Census.ElderRatio = 5.0f;
  m.Census.GroupSum(1, kElders) = Persons(9);
  w.People(0, 0) = HeadCount::Max();
  w.People(0, 1) = HeadCount::FromRaw(1);
  w.People(1, 70) = Persons(4);
  TakeCensus(m.Census, w, m, display);
  EXPECT_EQ(display.calls, Calls{kExplosion});
  EXPECT_EQ(m.Exploded, 1);
  // Summed up to the failing addition; later groups were cleared, not summed.
  EXPECT_EQ(m.Census.GroupSum(0, kChildren), HeadCount::Max());
  EXPECT_EQ(m.Census.GroupSum(1, kElders), HeadCount());
  EXPECT_EQ(m.Census.Total, Persons(77));
  EXPECT_EQ(m.Census.ElderRatio, 5.0f);
}

TEST_F(CensusTest, OverflowInTheTotalKeepsAPartlySummedTotal) {
  // Men's children at the limit, then men's adults overflow it; adding the
  // women's negative groups first would not.
  m.Census.ElderRatio = 5.0f;
  w.People(0, 0) = HeadCount::Max();
  w.People(0, 20) = Persons(1);
  w.People(1, 0) = Persons(-1);
  w.People(1, 20) = Persons(-1000);
  TakeCensus(m.Census, w, m, display);
  EXPECT_EQ(display.calls, Calls{kExplosion});
  EXPECT_EQ(m.Exploded, 1);
  EXPECT_EQ(m.Census.GroupSum(1, kAdults), Persons(-1000));
  EXPECT_EQ(m.Census.Total, HeadCount::Max());
  EXPECT_EQ(m.Census.ElderRatio, 5.0f);
}

TEST_F(CensusTest, TotalIsSummedInMemoryOrder) {
  // Men's children -Max, men's elders +Max, women's elders +Max: in memory
  // order the total passes through 0 and ends at Max without overflowing,
  // but the elders of both sexes do overflow.
  m.Census.ElderRatio = 5.0f;
  w.People(0, 0) = -HeadCount::Max();
  w.People(0, 70) = HeadCount::Max();
  w.People(1, 70) = HeadCount::Max();
  TakeCensus(m.Census, w, m, display);
  EXPECT_EQ(m.Census.Total, HeadCount::Max());
  EXPECT_EQ(display.calls, Calls{kExplosion});
  EXPECT_EQ(m.Census.ElderRatio, 5.0f);
}

TEST_F(CensusTest, FertilityRate) {
  EXPECT_EQ(FertilityRate(0, w), -1.0f);
  for (int j = 3; j <= 9; ++j) w.BirthRate(0, j) = 100.0f;
  EXPECT_EQ(FertilityRate(0, w), 3.5f);
  w.BirthRate(19, 1) = 1.0f;  // sum 0.5, rounded up to 0.01
  EXPECT_EQ(FertilityRate(19, w), 0.01f);
  EXPECT_EQ(FertilityRate(20, w), 0.01f);  // period 20 reads 19
  w.BirthRate(5, 1) = 0.98f;               // sum 0.49 rounds down to nothing
  EXPECT_EQ(FertilityRate(5, w), 0.0f);
  w.BirthRate(6, 0) = 3.0f;
  w.BirthRate(6, 1) = -5.0f;  // a negative sum measures nothing
  EXPECT_EQ(FertilityRate(6, w), -1.0f);
  EXPECT_EQ(FailureCode([&] { FertilityRate(-1, w); }), kSubscriptOutOfRange);
}

TEST_F(CensusTest, MeanDeathRateWeighsEachSexByItsOwnRate) {
  EXPECT_EQ(MeanDeathRate(m, 0, w), -1.0f);  // no population
  // 1,000,000 people all under 1000 per 100,000: 100 per 10,000.
  w.People(0, 30) = Persons(400000);
  w.People(1, 34) = Persons(600000);
  w.DeathRate(0, 0, 6) = 1000.0f;
  w.DeathRate(0, 1, 6) = 1000.0f;
  TakeCensus(m.Census, w, m, display);
  EXPECT_EQ(MeanDeathRate(m, 0, w), 100.0f);
  // Women at 3000: 4000 + 18,000 = 22,000 deaths in 1,000,000.
  w.DeathRate(0, 1, 6) = 3000.0f;
  EXPECT_EQ(MeanDeathRate(m, 0, w), 220.0f);
  w.DeathRate(19, 0, 6) = 500.0f;
  EXPECT_EQ(MeanDeathRate(m, 20, w), 20.0f);  // period 20 reads 19
}

TEST_F(CensusTest, MeanDeathRateDividesByTheCensusOfWorldAndTruncates) {
  WorldRecord other;
  other.People(0, 0) = Persons(7);
  other.DeathRate(0, 0, 0) = 1000.0f;
  m.Census.Total = Persons(3);
  // 100 x 7 / 3 x 100 = 23333.3: two decimals truncated.
  EXPECT_EQ(MeanDeathRate(m, 0, other), 233.33f);
  m.Census.Total = Persons(2087);
  other.People(0, 0) = Persons(2567);
  // 256700 / 2087 = 122.9995...: 122.99, not 123.
  EXPECT_EQ(MeanDeathRate(m, 0, other), 122.99f);
  m.Census.Total = HeadCount();
  EXPECT_EQ(MeanDeathRate(m, 0, other), -1.0f);
}

TEST_F(CensusTest, MeanDeathRateOverflowGoesToTheCaller) {
  // 10^13 people at 1000 per 100,000: acc = 10^13, and 100 x acc leaves the range.
  w.People(0, 30) = Persons(10'000'000'000'000);
  w.DeathRate(0, 0, 6) = 1000.0f;
  TakeCensus(m.Census, w, m, display);
  EXPECT_EQ(FailureCode([&] { MeanDeathRate(m, 0, w); }), kOverflow);
  w.DeathRate(0, 0, 6) = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(FailureCode([&] { MeanDeathRate(m, 0, w); }), kOverflow);
}

TEST_F(CensusTest, ApplyEditOfABirthRateStoresRoundedAndRefreshesOnlyFertility) {
  m.RateSelector = 1;
  HeadCount value = HeadCount::FromDouble(12.5);
  ApplyEdit(m, display, 1, value, 5, 0);
  EXPECT_EQ(value, Persons(13));
  EXPECT_EQ(w.BirthRate(19, 5), 13.0f);
  EXPECT_EQ(w.BirthRate(0, 5), 0.0f);
  // Sum 6.5 rounds up to 7: 0.07.
  EXPECT_EQ(display.calls, Calls{"label 3 0.07 "});
}

TEST_F(CensusTest, ApplyEditOfADeathRateRefreshesOnlyTheMeanDeathRate) {
  w.People(1, 12) = Persons(500);
  TakeCensus(m.Census, w, m, display);
  HeadCount value = HeadCount::FromDouble(1999.5);
  ApplyEdit(m, display, 2, value, 2, 1);
  EXPECT_EQ(w.DeathRate(0, 1, 2), 2000.0f);
  EXPECT_EQ(w.DeathRate(0, 0, 2), 0.0f);
  EXPECT_EQ(display.calls, Calls{"label 4 200 "});
}

TEST_F(CensusTest, ApplyEditOfThePopulationRefreshesTotalElderRatioAndDeathRate) {
  w.DeathRate(0, 1, 14) = 2000.0f;
  for (int kind : {-1, 0}) {
    display.calls.clear();
    HeadCount value = HeadCount::FromDouble(1234.5);
    ApplyEdit(m, display, kind, value, 70, 1);
    EXPECT_EQ(value, Persons(1235));
    EXPECT_EQ(w.People(1, 70), Persons(1235));
    EXPECT_EQ(m.Census.Total, Persons(1235));
    // 1235 x 2 = 2470 deaths: 100 x 2470 / 1235 = 200 per 10,000.
    EXPECT_EQ(display.calls, (Calls{"label 1 1,235 ", "label 2 100% ", "label 4 200 "})) << kind;
  }
}

TEST_F(CensusTest, ApplyEditRoundsHalvesUpOnTheFixedPointValue) {
  struct Case {
    int64_t raw;
    int64_t persons;
  };
  for (const Case& c :
       {Case{12345, 1}, Case{15000, 2}, Case{14999, 1}, Case{-15000, -1}, Case{-15001, -2}, Case{-25000, -2}}) {
    HeadCount value = HeadCount::FromRaw(c.raw);
    ApplyEdit(m, display, 0, value, 0, 0);
    EXPECT_EQ(value, Persons(c.persons)) << c.raw;
    EXPECT_EQ(w.People(0, 0), Persons(c.persons)) << c.raw;
  }
}

TEST_F(CensusTest, ApplyEditOfAnotherKindStoresNothing) {
  const WorldRecord before = w;
  HeadCount value = HeadCount::FromDouble(7.5);
  ApplyEdit(m, display, 3, value, 0, 0);
  EXPECT_EQ(w, before);
  EXPECT_TRUE(display.calls.empty());
  EXPECT_EQ(FailureCode([&] { ApplyEdit(m, display, 0, value, 100, 0); }), kSubscriptOutOfRange);
}

TEST(AgeColourTest, ThreeBands) {
  struct Case {
    int age, red, green, blue;
  };
  for (const Case& c :
       {Case{0, 0, 0, 255}, Case{1, 0, 8, 247}, Case{14, 0, 112, 143}, Case{15, 0, 255, 0}, Case{16, 2, 253, 0},
        Case{40, 65, 190, 0}, Case{64, 128, 127, 0}, Case{65, 255, 0, 0}, Case{66, 251, 0, 4}, Case{99, 119, 0, 136}}) {
    const int32_t colour = AgeColour(c.age);
    EXPECT_EQ(colour, c.red + 256 * c.green + 65536 * c.blue) << c.age;
    EXPECT_EQ(ColourRed(colour), c.red) << c.age;
    EXPECT_EQ(ColourGreen(colour), c.green) << c.age;
    EXPECT_EQ(ColourBlue(colour), c.blue) << c.age;
  }
}

TEST(AgeColourTest, AgesOutsideTheTableStayColours) {
  // 255 - 4 x 135 and 4 x 135 are held to 0 and 255; below age 0 the last band
  // gives red above 255 and blue below 0.
  EXPECT_EQ(AgeColour(200), 255 * 65536);
  EXPECT_EQ(AgeColour(-1), 255);
}

}  // namespace
}  // namespace velmora
