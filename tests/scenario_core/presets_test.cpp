#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "model/Census.h"
#include "model/NumberText.h"
#include "scenario/core/ScenarioImage.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Runs the build's preset generator into data, as the build does beside the
// program.
int MakePresets(const fs::path& data) {
  const std::string command =
      std::string("'") + VELMORA_MAKE_PRESETS + "' '" + VELMORA_PRESET_TABLES + "' '" + data.string() + "' > /dev/null";
  return std::system(command.c_str());
}

WorldRecord LoadPreset(const fs::path& data, int n) {
  const std::vector<unsigned char> population = ReadBytes(data / ("STP" + std::to_string(n) + ".stp"));
  const std::vector<unsigned char> rates = ReadBytes(data / ("BRF" + std::to_string(n) + ".brf"));
  EXPECT_EQ(population.size(), kPopulationFileBytes);
  EXPECT_EQ(rates.size(), kRateFileBytes);
  WorldRecord world;
  PopulationImage populationImage{};
  RateImage rateImage{};
  std::memcpy(populationImage.data(), population.data(), std::min(population.size(), populationImage.size()));
  std::memcpy(rateImage.data(), rates.data(), std::min(rates.size(), rateImage.size()));
  DecodePopulation(populationImage, world);
  DecodeRates(rateImage, world, 0);
  return world;
}

int64_t Persons(const WorldRecord& world, int sex) {
  int64_t raw = 0;
  for (int age = 0; age < kAges; ++age) raw += world.People(sex, age).Raw();
  EXPECT_EQ(raw % 10'000, 0);
  return raw / 10'000;
}

class PresetsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(MakePresets(Data()), 0); }
  fs::path Data() const { return app.Path() / "Data"; }
  TempFolder app;
};

TEST_F(PresetsTest, BlankPresetIsAllZero) {
  EXPECT_EQ(ReadBytes(Data() / "STP0.stp"), std::vector<unsigned char>(kPopulationFileBytes, 0));
  EXPECT_EQ(ReadBytes(Data() / "BRF0.brf"), std::vector<unsigned char>(kRateFileBytes, 0));
}

TEST_F(PresetsTest, JapanMatchesItsSourceTables) {
  const WorldRecord japan = LoadPreset(Data(), 2);
  EXPECT_EQ(Persons(japan, 0), 62'624'572);
  EXPECT_EQ(Persons(japan, 1), 64'899'596);
  EXPECT_EQ(Persons(japan, 0) + Persons(japan, 1), 127'524'168);
  EXPECT_EQ(japan.People(0, 0), HeadCount::FromPersons(604'397));
  EXPECT_EQ(japan.People(1, 99), HeadCount::FromPersons(11'696));  // 99 and over
  // Rates rounded once from the tables' text.
  EXPECT_EQ(japan.BirthRate(0, 5), 100.814f);
  EXPECT_EQ(japan.BirthRate(0, 0), 0.0f);
  EXPECT_EQ(japan.DeathRate(0, 0, 0), 98.752f);
  EXPECT_EQ(japan.DeathRate(0, 1, 19), 29200.751f);
  // TFR 1.333 (5 x 266.7 / 1000), shown to two decimals.
  EXPECT_EQ(FloatText(FertilityRate(0, japan)), "1.33");
}

TEST_F(PresetsTest, EveryTypeHasItsSourceTotalAndFertility) {
  struct Expected {
    int preset;
    int64_t men;
    int64_t women;
    const char* tfr;
  };
  // Nigeria (developing), Japan (developed), Brazil (intermediate), World.
  for (const Expected& e :
       {Expected{1, 61'648'374, 60'635'479, "6.11"}, Expected{2, 62'624'572, 64'899'596, "1.33"},
        Expected{3, 86'581'634, 88'208'705, "2.3"}, Expected{4, 3'093'433'858, 3'050'059'948, "2.71"}}) {
    SCOPED_TRACE(e.preset);
    const WorldRecord world = LoadPreset(Data(), e.preset);
    EXPECT_EQ(Persons(world, 0), e.men);
    EXPECT_EQ(Persons(world, 1), e.women);
    EXPECT_EQ(FloatText(FertilityRate(0, world)), e.tfr);
    for (int c = 0; c < kAgeClasses; ++c) {
      EXPECT_GT(world.DeathRate(0, 0, c), 0.0f);
      EXPECT_GT(world.DeathRate(0, 1, c), 0.0f);
    }
  }
}

TEST_F(PresetsTest, ABuildNeverOverwritesASavedPreset) {
  const std::vector<unsigned char> saved(kPopulationFileBytes, 0x07);
  WriteBytes(Data() / "STP2.stp", saved);
  fs::remove(Data() / "BRF3.brf");
  ASSERT_EQ(MakePresets(Data()), 0);
  EXPECT_EQ(ReadBytes(Data() / "STP2.stp"), saved);
  EXPECT_EQ(fs::file_size(Data() / "BRF3.brf"), 240u);  // a missing one is made again
  EXPECT_FALSE(fs::exists(Data() / "BRF3.brf.part"));
}

}  // namespace
}  // namespace velmora
