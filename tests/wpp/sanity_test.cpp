// Presets of other places and years against the published figures: the
// totals of the population groups, the period TFR and life expectancy.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>

#include "WppPaths.h"
#include "wpp/Preset.h"

namespace velmora::wpp {
namespace {

using testing::WppTablesFolder;

struct Published {
  const char* location;
  int year;
  int64_t men;    // sum of the published groups x 1000
  int64_t women;
  double tfr;     // mean of the periods meeting at the year
  double e0Men;   // likewise
  double e0Women;
};

// Figures read off the UN tables by hand (popM/popF or their projections,
// tfr or tfrprojMed, e0M/e0F or their projections).
const Published kPublished[] = {
    {"Italy", 1970, 26'072'829, 27'446'137, (2.4989 + 2.3227) / 2, (68.05 + 69.17) / 2, (73.8 + 75.26) / 2},
    {"India", 2050, 843'493'623, 795'682'413, (1.8205 + 1.7881) / 2, (72.92 + 73.61) / 2, (76.5 + 77.25) / 2},
    {"Niger", 2100, 82'794'099, 82'153'238, 2.3588, 73.93, 78.34},
    {"Kenya", 1950, 3'064'523, 3'012'234, 7.481, 40.9, 44.37},
    // 2015-2020 is an estimate, 2020-2025 a projection
    {"China", 2020, 738'247'340, 701'076'434, (1.69 + 1.7048) / 2, (74.47 + 75.36) / 2, (78.97 + 79.73) / 2},
    {"Japan", 1950, 40'602'499, 42'199'585, 2.96, 61.0, 64.61},
};

// e0 when every class rate is a constant hazard over its five years and the
// last class is open: what the simulator's yearly survival comes to.
double ConstantHazardE0(const std::array<int64_t, kAgeClasses>& deathMilli) {
  double alive = 1.0;
  double years = 0.0;
  for (int c = 0; c < kAgeClasses; ++c) {
    const double m = deathMilli[c] / 1000.0 / 1e5;
    if (c == kAgeClasses - 1) return years + alive / m;
    const double next = alive * std::exp(-5.0 * m);
    years += (alive - next) / m;
    alive = next;
  }
  return years;
}

class PublishedFigures : public ::testing::TestWithParam<Published> {};

TEST_P(PublishedFigures, PresetKeepsThem) {
  const Published published = GetParam();
  const Source source(WppTablesFolder());
  const Location location = source.Locations().Find(published.location);
  const Preset preset = source.Build(location, published.year);

  EXPECT_EQ(std::accumulate(preset.population[0].begin(), preset.population[0].end(), int64_t{0}), published.men);
  EXPECT_EQ(std::accumulate(preset.population[1].begin(), preset.population[1].end(), int64_t{0}), published.women);

  const int64_t birthSum = std::accumulate(preset.birthMilli.begin(), preset.birthMilli.end(), int64_t{0});
  EXPECT_NEAR(5.0 * (birthSum / 1000.0) / 1000.0, published.tfr, 1e-3);

  const auto published_e0 = source.PublishedLifeExpectancy(location, published.year);
  EXPECT_NEAR(published_e0[0], published.e0Men, 1e-9);
  EXPECT_NEAR(published_e0[1], published.e0Women, 1e-9);
  const std::array<double, 2> expected{published.e0Men, published.e0Women};
  for (int sex = 0; sex < kSexes; ++sex) {
    SCOPED_TRACE(sex);
    EXPECT_NEAR(BuildLifeTable(preset.abridged[sex], sex).LifeExpectancyAtBirth(), expected[sex], 1.0);
    EXPECT_NEAR(ConstantHazardE0(preset.deathMilli[sex]), expected[sex], 1.0);
  }
}

INSTANTIATE_TEST_SUITE_P(PlacesAndYears, PublishedFigures, ::testing::ValuesIn(kPublished),
                         [](const auto& info) {
                           return std::string(info.param.location) + std::to_string(info.param.year);
                         });

TEST(PresetYears, RatesAreTheMeanOfThePeriodsMeetingAtTheYear) {
  EXPECT_EQ(CentredPeriods(1950), (std::vector<std::string>{"1950-1955"}));
  EXPECT_EQ(CentredPeriods(2000), (std::vector<std::string>{"1995-2000", "2000-2005"}));
  EXPECT_EQ(CentredPeriods(2100), (std::vector<std::string>{"2095-2100"}));
  for (int year : {1945, 1952, 2099, 2105}) {
    SCOPED_TRACE(year);
    EXPECT_THROW(CentredPeriods(year), WppError);
  }
}

}  // namespace
}  // namespace velmora::wpp
