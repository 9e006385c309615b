// The conversions, on figures worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "wpp/AbridgedLifeTable.h"
#include "wpp/Preset.h"
#include "wpp/SingleYear.h"

namespace velmora::wpp {
namespace {

AbridgedRates Flat(double m) {
  AbridgedRates rates;
  rates.fill(m);
  return rates;
}

TEST(ClassRates, ClassZeroCombinesInfantAndChildRatesThroughTheLifeTable) {
  AbridgedRates rates = Flat(0.001);
  rates[0] = 0.05;  // 1m0
  rates[1] = 0.01;  // 4m1
  // Men: a0 = 0.1792, 4a1 = 1.5102; 1q0 = 0.0480289, 4d1 = 0.0371538,
  // 1L0 = 0.9605779, 4L1 = 3.7153789: 5m0 = 0.0851827 / 4.6759568.
  EXPECT_NEAR(ToClassRates(rates, 0)[0], 0.0182172, 1e-7);
  // The separation factors stop growing at 1m0 = 0.107.
  EXPECT_EQ(CoaleDemenySeparation(0.2, 0), (std::array{0.330, 1.352}));
  EXPECT_EQ(CoaleDemenySeparation(0.2, 1), (std::array{0.350, 1.361}));
  EXPECT_NEAR(CoaleDemenySeparation(0.05, 1)[0], 0.053 + 0.14, 1e-12);
  EXPECT_NEAR(CoaleDemenySeparation(0.05, 1)[1], 1.522 - 0.0759, 1e-12);
}

TEST(ClassRates, LastClassIsTheOpenIntervalRateFrom95) {
  // The worked figures of the source notes: World men and Japan women.
  AbridgedRates world = Flat(0.01);
  world[20] = 0.3509;
  world[21] = 0.4670;
  EXPECT_NEAR(ToClassRates(world, 0)[19], 0.3667, 5e-5);
  AbridgedRates japan = Flat(0.01);
  japan[20] = 0.2626;
  japan[21] = 0.4196;
  EXPECT_NEAR(ToClassRates(japan, 1)[19], 0.2920, 5e-5);
  // Classes 5-9 .. 90-94 are the published rates themselves.
  japan[2] = 0.0004;
  japan[19] = 0.2;
  const ClassRates classes = ToClassRates(japan, 1);
  EXPECT_EQ(classes[1], 0.0004);
  EXPECT_EQ(classes[18], 0.2);
}

TEST(LifeTable, ConstantForceGroupsAndOpenEnd) {
  // With every rate m from age 5 and 1m0 = 4m1 = 0, e0 = 5 + 1/m.
  AbridgedRates rates = Flat(0.05);
  rates[0] = 0.0;
  rates[1] = 0.0;
  EXPECT_NEAR(BuildLifeTable(rates, 0).LifeExpectancyAtBirth(), 25.0, 1e-9);
  // A group where nobody dies (20-24) is lived through whole by the
  // exp(-0.75) who reach it, and postpones the deaths after it.
  rates[5] = 0.0;
  EXPECT_NEAR(BuildLifeTable(rates, 1).LifeExpectancyAtBirth(), 25.0 + 5.0 * std::exp(-0.75), 1e-9);
  rates[21] = 0.0;
  EXPECT_THROW(BuildLifeTable(rates, 0), WppError);
}

TEST(SingleYears, EvenGroupsSplitEvenlyAndTheOpenGroupGoesTo99) {
  GroupCounts groups;
  groups.fill(5000);
  groups[20] = 7;
  const SingleYearCounts single = SplitSingleYears(groups);
  for (int age = 0; age < 99; ++age) EXPECT_EQ(single[age], 1000) << age;
  EXPECT_EQ(single[99], 1007);
}

TEST(SingleYears, UnevenGroupsKeepTheirTotalsWithoutNegativeCounts) {
  // Empty groups beside full ones, and totals that do not divide by five.
  GroupCounts groups{};
  groups[0] = 3;
  groups[1] = 1'000'000;
  groups[3] = 12'345'679;
  groups[4] = 1;
  groups[10] = 999;
  groups[19] = 2;
  groups[20] = 4;
  const SingleYearCounts single = SplitSingleYears(groups);
  for (int g = 0; g < 20; ++g) {
    SCOPED_TRACE(g);
    const int64_t extra = g == 19 ? groups[20] : 0;
    EXPECT_EQ(std::accumulate(single.begin() + g * 5, single.begin() + g * 5 + 5, int64_t{0}), groups[g] + extra);
    for (int j = 0; j < 5; ++j) EXPECT_GE(single[g * 5 + j], 0);
  }
  // An empty group stays empty at every age.
  for (int age = 10; age < 15; ++age) EXPECT_EQ(single[age], 0);
  groups[7] = -1;
  EXPECT_THROW(SplitSingleYears(groups), WppError);
}

TEST(Rounding, ThreeDecimalsOfTheExactValue) {
  EXPECT_EQ(RoundToMilli(12.3456), 12346);
  EXPECT_EQ(RoundToMilli(0.0), 0);
  EXPECT_EQ(RoundToMilli(0.0625), 62);  // an exact tie goes to even
  EXPECT_EQ(RoundToMilli(0.0635), 64);  // 0.0635 is a little above the tie in binary
  EXPECT_EQ(MilliText(5), "0.005");
  EXPECT_EQ(MilliText(59'181'230), "59181.230");
  EXPECT_EQ(MilliText(0), "0.000");
  // A float holds 59181.23 only to about 0.004: rounded once, from the decimal.
  EXPECT_EQ(MilliToFloat(59'181'230), 59181.23f);
}

}  // namespace
}  // namespace velmora::wpp
