// Median, mean age and dependency ratios of a population, worked by hand.
#include <gtest/gtest.h>

#include "analysis/Indicators.h"

namespace velmora {
namespace {

HeadCount Persons(int64_t n) { return HeadCount::FromPersons(n); }

TEST(PopulationIndicatorsTest, GroupsSplitAt15And16And64And65) {
  WorldRecord w;
  w.People(0, 15) = Persons(20);
  w.People(0, 16) = Persons(50);
  w.People(1, 64) = Persons(50);
  w.People(1, 65) = Persons(10);
  w.People(0, 99) = Persons(10);
  const PopulationIndicators p = ComputePopulationIndicators(w);
  // 20 children, 100 adults, 20 elders.
  EXPECT_DOUBLE_EQ(p.oldAgeDependency.value(), 20.0);
  EXPECT_DOUBLE_EQ(p.totalDependency.value(), 40.0);
  // Half of 140 is reached 50 / 50 of the way through age 16.
  EXPECT_DOUBLE_EQ(p.medianAge.value(), 17.0);
  // (20 x 15.5 + 50 x 16.5 + 50 x 64.5 + 10 x 65.5 + 10 x 99.5) / 140.
  EXPECT_DOUBLE_EQ(p.meanAge.value(), 6010.0 / 140.0);
}

TEST(PopulationIndicatorsTest, MedianIsLinearWithinTheYearAndSkipsEmptyAges) {
  WorldRecord w;
  w.People(0, 0) = Persons(10);
  w.People(1, 2) = Persons(30);
  PopulationIndicators p = ComputePopulationIndicators(w);
  // Half of 40: 10 below age 2, then 10 of its 30.
  EXPECT_DOUBLE_EQ(p.medianAge.value(), 2.0 + 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(p.meanAge.value(), (10 * 0.5 + 30 * 2.5) / 40.0);
  // Children only: no adults to depend on.
  EXPECT_FALSE(p.oldAgeDependency);
  EXPECT_FALSE(p.totalDependency);
  // Both sexes count together, fractions of a person too: half of 60.5 is
  // reached 20.25 / 50.5 of the way through age 2.
  w.People(0, 2) = HeadCount::FromDouble(20.5);
  p = ComputePopulationIndicators(w);
  EXPECT_DOUBLE_EQ(p.medianAge.value(), 2.0 + 20.25 / 50.5);
  // Exactly half at the end of an age: the median is where it ends.
  WorldRecord even;
  even.People(1, 30) = Persons(5);
  even.People(0, 70) = Persons(5);
  EXPECT_DOUBLE_EQ(ComputePopulationIndicators(even).medianAge.value(), 31.0);
  EXPECT_DOUBLE_EQ(ComputePopulationIndicators(even).oldAgeDependency.value(), 100.0);
}

TEST(PopulationIndicatorsTest, EmptyOrNegativePopulationHasNoFigures) {
  WorldRecord w;
  PopulationIndicators p = ComputePopulationIndicators(w);
  EXPECT_FALSE(p.medianAge);
  EXPECT_FALSE(p.meanAge);
  EXPECT_FALSE(p.oldAgeDependency);
  EXPECT_FALSE(p.totalDependency);
  // A death rate above 100,000 leaves negative counts: no distribution.
  w.People(0, 30) = Persons(100);
  w.People(1, 40) = Persons(-1);
  p = ComputePopulationIndicators(w);
  EXPECT_FALSE(p.medianAge);
  EXPECT_FALSE(p.meanAge);
  EXPECT_FALSE(p.oldAgeDependency);
  EXPECT_FALSE(p.totalDependency);
  // Elders only: a median and a mean, but no ratio.
  WorldRecord old;
  old.People(1, 99) = Persons(3);
  p = ComputePopulationIndicators(old);
  EXPECT_DOUBLE_EQ(p.medianAge.value(), 99.5);
  EXPECT_DOUBLE_EQ(p.meanAge.value(), 99.5);
  EXPECT_FALSE(p.totalDependency);
}

}  // namespace
}  // namespace velmora
