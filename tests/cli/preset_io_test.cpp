// Preset files and CSV tables in and out: exact numbers, the preset tables
// given back byte for byte, and every bad input refused with one line that
// names the file and the line, leaving the tables untouched.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/core/NumberFormat.h"
#include "cli/core/PresetIo.h"
#include "presets/SlotFiles.h"
#include "../scenario_core/TempFolder.h"

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;
using velmora::testing::TempFolder;

using velmora::testing::ReadText;
using velmora::testing::WriteText;

// The message of the InputError that f raises; "" when it raises none.
template <typename F>
std::string InputErrorOf(F&& f) {
  try {
    f();
  } catch (const InputError& error) {
    return error.what();
  }
  return "";
}

std::string PopulationText(int rowsToDrop = 0) {
  std::string text = "sex,age,population\n";
  int rows = 0;
  for (const char* sex : {"male", "female"}) {
    for (int age = 0; age < 100; ++age) {
      if (rows++ >= 200 - rowsToDrop) break;
      text += std::string(sex) + "," + std::to_string(age) + "," + std::to_string(1000 + age) + "\n";
    }
  }
  return text;
}

std::string RatesText() {
  std::string text = "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000\n";
  for (int j = 0; j < 20; ++j) text += std::to_string(j) + ",1.5,200,100.25\n";
  return text;
}

TEST(NumberFormat, HeadCountsAreExactDecimals) {
  EXPECT_EQ(HeadCountText(HeadCount::FromPersons(604397)), "604397");
  EXPECT_EQ(HeadCountText(HeadCount::FromRaw(5000)), "0.5");
  EXPECT_EQ(HeadCountText(HeadCount::FromRaw(1)), "0.0001");
  EXPECT_EQ(HeadCountText(HeadCount::FromRaw(-120625)), "-12.0625");
  EXPECT_EQ(HeadCountText(HeadCount::Max()), "922337203685477.5807");

  std::string why;
  EXPECT_EQ(ParseHeadCount("12.0625", why), HeadCount::FromRaw(120625));
  EXPECT_EQ(ParseHeadCount("-0.0001", why), HeadCount::FromRaw(-1));
  EXPECT_EQ(ParseHeadCount("922337203685477.5807", why), HeadCount::Max());
  EXPECT_EQ(ParseHeadCount("-922337203685477.5807", why), -HeadCount::Max());
  EXPECT_TRUE(why.empty());
  EXPECT_EQ(ParseHeadCount("+3", why), HeadCount::FromPersons(3));
  for (const char* notNumber : {"", "-", "1.", ".5", "1e3", "12a", "+-3", "0x10"}) {
    why.clear();
    EXPECT_FALSE(ParseHeadCount(notNumber, why)) << notNumber;
    EXPECT_TRUE(why.empty()) << notNumber;
  }
  for (const char* outside : {"922337203685477.5808", "99999999999999999999999", "1.23456"}) {
    why.clear();
    EXPECT_FALSE(ParseHeadCount(outside, why)) << outside;
    EXPECT_FALSE(why.empty()) << outside;
  }
}

TEST(NumberFormat, RatesTakeThreeDecimalsOnlyWhenTheyReadBackTheSame) {
  EXPECT_EQ(RateText(98.752f), "98.752");
  EXPECT_EQ(RateText(0.0f), "0.000");
  EXPECT_EQ(RateText(100000.0f), "100000.000");
  EXPECT_EQ(RateText(0.1f), "0.100");
  // Never an exponent: what we write, the CSV reader reads.
  EXPECT_EQ(RateText(1e-10f), "0.0000000001");
  EXPECT_EQ(RateText(0.0005f), "0.0005");
  // The float next to 98.752 needs more digits than three decimals give.
  const float next = std::nextafter(98.752f, 1000.0f);
  float back = 0.0f;
  std::string why;
  back = *ParseRate(RateText(next), why);
  EXPECT_EQ(std::bit_cast<uint32_t>(back), std::bit_cast<uint32_t>(next));

  EXPECT_EQ(ParseRate("+2.5", why), 2.5f);
  why.clear();
  EXPECT_FALSE(ParseRate("1000000000000000000000000000000000000000", why));
  EXPECT_FALSE(why.empty());
  for (const char* refused : {"nan", "inf", "-inf", "1e39"}) {
    why.clear();
    EXPECT_FALSE(ParseRate(refused, why)) << refused;
    EXPECT_TRUE(why.empty()) << refused;
  }
  EXPECT_FALSE(ParseRate("1,5", why));
  EXPECT_FALSE(ParseRate("", why));
  EXPECT_TRUE(why.empty());
}

TEST(PresetIo, ThePresetTablesComeBackByteForByte) {
  for (const char* country : {"japan", "nigeria", "brazil", "world"}) {
    const fs::path tables = VELMORA_PRESET_TABLES;
    const fs::path population = tables / (std::string(country) + "_2000_population_single_year_derived.csv");
    const fs::path rates = tables / (std::string(country) + "_rates.csv");
    WorldRecord world;
    ReadPopulation(population.string(), world);
    ReadRates(rates.string(), world, 19);
    EXPECT_EQ(PopulationCsv(world), ReadText(population)) << country;
    // Three decimals of a rate of 8192 or more can be finer than a float
    // holds (34183.479 and 34183.480 are one float): those cells come back
    // as the same float, every other cell as the same text.
    const std::string source = ReadText(rates);
    const std::string exported = RatesCsv(world, 19);
    const auto cells = [](const std::string& text) {
      std::vector<std::string> out;
      std::string cell;
      for (char c : text) {
        if (c == ',' || c == '\n') {
          out.push_back(cell);
          cell.clear();
        } else {
          cell += c;
        }
      }
      return out;
    };
    const auto sourceCells = cells(source);
    const auto exportedCells = cells(exported);
    ASSERT_EQ(sourceCells.size(), exportedCells.size()) << country;
    for (std::size_t i = 4; i < sourceCells.size(); ++i) {
      std::string why;
      const float value = *ParseRate(sourceCells[i], why);
      if (std::fabs(value) < 8192.0f) {
        EXPECT_EQ(exportedCells[i], sourceCells[i]) << country;
      } else {
        EXPECT_EQ(*ParseRate(exportedCells[i], why), value) << country;
      }
    }
    // And the exported table is a fixed point: read again, written again.
    WorldRecord again;
    const fs::path copy = fs::temp_directory_path() / ("velmora-cli-test-" + std::to_string(::getpid()) + ".csv");
    WriteText(copy, exported);
    ReadRates(copy.string(), again, 0);
    fs::remove(copy);
    EXPECT_EQ(RatesCsv(again, 0), exported) << country;
  }
}

TEST(PresetIo, CsvValuesLandWhereTheBinaryFilesPutThem) {
  TempFolder folder;
  const fs::path csv = folder.Path() / "people.CSV";  // the extension in any case
  WriteText(csv, "\xEF\xBB\xBFsex,age,population\r\n" + PopulationText().substr(19) + "\n\n");
  WorldRecord world;
  ReadPopulation(csv.string(), world);
  EXPECT_EQ(world.People(0, 0), HeadCount::FromPersons(1000));
  EXPECT_EQ(world.People(1, 99), HeadCount::FromPersons(1099));

  const fs::path rates = folder.Path() / "r.csv";
  WriteText(rates, RatesText());
  ReadRates(rates.string(), world, 7);
  EXPECT_EQ(world.BirthRate(7, 19), 1.5f);
  EXPECT_EQ(world.DeathRate(7, 0, 3), 200.0f);
  EXPECT_EQ(world.DeathRate(7, 1, 0), 100.25f);

  // Binary files written from the CSV read back to the same tables.
  WritePopulation((folder.Path() / "p.stp").string(), world, false);
  WriteRates((folder.Path() / "r.BRF").string(), world, 7, false);
  EXPECT_EQ(fs::file_size(folder.Path() / "p.stp"), 1600u);
  EXPECT_EQ(fs::file_size(folder.Path() / "r.BRF"), 240u);
  WorldRecord back;
  ReadPopulation((folder.Path() / "p.stp").string(), back);
  ReadRates((folder.Path() / "r.BRF").string(), back, 0);
  EXPECT_EQ(back.people, world.people);
  EXPECT_EQ(RatesCsv(back, 0), RatesCsv(world, 7));
}

TEST(PresetIo, BadInputNamesFileAndLineAndChangesNothing) {
  TempFolder folder;
  const auto path = [&](const char* name) { return (folder.Path() / name).string(); };
  WorldRecord world;
  world.People(0, 5) = HeadCount::FromPersons(77);
  world.BirthRate(0, 5) = 3.0f;
  const WorldRecord before = world;

  struct Case {
    const char* file;
    std::string text;
    const char* expected;  // a part of the message
  };
  std::string malformed = PopulationText();
  malformed.replace(malformed.find("male,3,1003"), 11, "male,3");
  std::string notNumber = PopulationText();
  notNumber.replace(notNumber.find("female,10,1010"), 14, "female,10,ten");
  std::string outside = PopulationText();
  outside.replace(outside.find("male,0,1000"), 11, "male,0,922337203685478");
  std::string duplicate = PopulationText();
  duplicate.replace(duplicate.find("male,1,1001"), 11, "male,0,1001");
  std::string badSex = PopulationText();
  badSex.replace(badSex.find("male,2,1002"), 11, "man,2,1002");
  const Case populations[] = {
      {"missing.csv", "", "missing.csv: cannot open"},
      {"short.stp", std::string(presets::kPopulationFileBytes - 1, '\0'), "short.stp: wrong size: 1599 bytes, expected 1600"},
      {"short.csv", PopulationText(1), "short.csv: no row for female age 99"},
      {"header.csv", "sex;age;population\n", "header.csv:1: expected the header"},
      {"malformed.csv", malformed, "malformed.csv:5: 2 cells, expected 3"},
      {"notnumber.csv", notNumber, "notnumber.csv:112: population \"ten\" is not a number"},
      {"outside.csv", outside, "outside.csv:2: head count \"922337203685478\" outside the range"},
      {"duplicate.csv", duplicate, "duplicate.csv:3: male age 0 again (first on line 2)"},
      {"sex.csv", badSex, "sex.csv:4: sex \"man\" is not male or female"},
      {"people.txt", PopulationText(), "people.txt: unknown file type \".txt\""},
  };
  for (const Case& c : populations) {
    if (!c.text.empty()) WriteText(folder.Path() / c.file, c.text);
    const std::string message = InputErrorOf([&] { ReadPopulation(path(c.file), world); });
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    EXPECT_EQ(world, before) << c.file;
  }
  // The one raw value outside the symmetric head-count range.
  std::string image(presets::kPopulationFileBytes, '\0');
  image[7] = static_cast<char>(0x80);
  WriteText(folder.Path() / "min.stp", image);
  EXPECT_NE(InputErrorOf([&] { ReadPopulation(path("min.stp"), world); }).find("outside the range"),
            std::string::npos);

  std::string nanRate = RatesText();
  nanRate.replace(nanRate.find("4,1.5,200"), 9, "4,nan,200");
  std::string infRate = RatesText();
  infRate.replace(infRate.find("6,1.5,200,100.25"), 16, "6,1.5,200,inf");
  std::string shortRates = RatesText();
  shortRates.erase(shortRates.find("12,"), shortRates.find("13,") - shortRates.find("12,"));
  const Case rates[] = {
      {"nan.csv", nanRate, "nan.csv:6: asfr_per_1000: \"nan\" is not a number"},
      {"inf.csv", infRate, "inf.csv:8: mx_female_per_100000: \"inf\" is not a number"},
      {"short.csv", shortRates, "short.csv: no row for age_class 12"},
      {"short.brf", std::string(presets::kRateFileBytes + 1, '\0'), "short.brf: wrong size: 241 bytes, expected 240"},
  };
  for (const Case& c : rates) {
    WriteText(folder.Path() / c.file, c.text);
    const std::string message = InputErrorOf([&] { ReadRates(path(c.file), world, 0); });
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    EXPECT_EQ(world, before) << c.file;
  }
  // A NaN in a binary rate file, men's deaths of class 2.
  std::string brf(presets::kRateFileBytes, '\0');
  const uint32_t nan = std::bit_cast<uint32_t>(std::numeric_limits<float>::quiet_NaN());
  for (int i = 0; i < 4; ++i) brf[80 + 2 * 4 + i] = static_cast<char>((nan >> (8 * i)) & 0xFF);
  WriteText(folder.Path() / "nan.brf", brf);
  EXPECT_NE(InputErrorOf([&] { ReadRates(path("nan.brf"), world, 0); }).find("men's death rate of age class 2"),
            std::string::npos);
  EXPECT_EQ(world, before);
}

TEST(PresetIo, FilesAreWrittenWholeAndNeverOverwrittenWithoutForce) {
  TempFolder folder;
  const std::string target = (folder.Path() / "out.csv").string();
  WriteFileWhole(target, "first\n", false);
  EXPECT_EQ(ReadText(target), "first\n");
  EXPECT_NE(InputErrorOf([&] { WriteFileWhole(target, "second\n", false); }).find("exists already"),
            std::string::npos);
  EXPECT_EQ(ReadText(target), "first\n");
  WriteFileWhole(target, "second\n", true);
  EXPECT_EQ(ReadText(target), "second\n");
  // Permissions as for any new file, not the temporary file's private ones.
  EXPECT_NE(fs::status(target).permissions() & fs::perms::owner_read, fs::perms::none);

  fs::create_directory(folder.Path() / "folder.csv");
  EXPECT_NE(InputErrorOf([&] { WriteFileWhole((folder.Path() / "folder.csv").string(), "x", true); })
                .find("not a regular file"),
            std::string::npos);
  EXPECT_NE(InputErrorOf([&] { WriteFileWhole((folder.Path() / "no/such/out.csv").string(), "x", false); })
                .find("cannot write"),
            std::string::npos);
  // No temporary file is left behind by any of these.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path())) ++entries;
  EXPECT_EQ(entries, 2);
}

}  // namespace
}  // namespace velmora::cli
