// The four shipped presets of the year 2000 come out of the raw UN tables
// exactly: same single-year split, same rounding of every rate.
#include <gtest/gtest.h>

#include <string>

#include "WppPaths.h"
#include "wpp/Preset.h"

namespace velmora::wpp {
namespace {

using testing::PresetTablesFolder;
using testing::ReadText;
using testing::WppTablesFolder;

struct Shipped {
  const char* stem;
  const char* location;  // as a user would type it
  int code;
};

class ShippedPresets : public ::testing::TestWithParam<Shipped> {};

TEST_P(ShippedPresets, EqualTheDerivedTablesValueForValue) {
  const Shipped shipped = GetParam();
  const Source source(WppTablesFolder());
  const Location location = source.Locations().Find(shipped.location);
  ASSERT_EQ(location.code, shipped.code);
  const Preset preset = source.Build(location, 2000);

  const std::string stem = shipped.stem;
  EXPECT_EQ(PopulationCsv(preset), ReadText(PresetTablesFolder() / (stem + "_2000_population_single_year_derived.csv")));
  EXPECT_EQ(RatesCsv(preset), ReadText(PresetTablesFolder() / (stem + "_rates.csv")));
}

INSTANTIATE_TEST_SUITE_P(Year2000, ShippedPresets,
                         ::testing::Values(Shipped{"nigeria", "Nigeria", 566}, Shipped{"japan", "japan", 392},
                                           Shipped{"brazil", "76", 76}, Shipped{"world", "WORLD", 900}),
                         [](const auto& info) { return std::string(info.param.stem); });

TEST(ShippedPresets, RatesGoIntoTheWorldRoundedOnceFromTheirDecimals) {
  const Source source(WppTablesFolder());
  const Preset preset = source.Build(source.Locations().Find("Nigeria"), 2000);
  WorldRecord world{};
  FillPopulation(preset, world);
  FillRates(preset, world, 19);
  // Values of the shipped Nigeria tables.
  EXPECT_EQ(world.People(0, 0).Raw(), 2'312'045 * int64_t{10'000});
  EXPECT_EQ(world.People(1, 99).Raw(), 19 * int64_t{10'000});
  EXPECT_EQ(world.BirthRate(19, 3), 133.459f);
  EXPECT_EQ(world.BirthRate(19, 2), 0.0f);
  EXPECT_EQ(world.DeathRate(19, 0, 19), 59181.230f);
  EXPECT_EQ(world.DeathRate(19, 1, 19), 56955.402f);
  EXPECT_EQ(world.BirthRate(0, 3), 0.0f);  // other periods untouched
}

}  // namespace
}  // namespace velmora::wpp
