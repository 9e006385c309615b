// The CSV reader as hostile input meets it: one number grammar for every
// cell, files that are not files or far too large, lines far too long, and
// messages that stay one short, printable line whatever the input holds.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cfloat>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "presets/Decimal.h"
#include "presets/InputError.h"
#include "presets/PresetCsv.h"

namespace velmora::presets {
namespace {

namespace fs = std::filesystem;
using velmora::testing::TempFolder;
using velmora::testing::WriteText;

template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const InputError& error) {
    return error.what();
  }
  return "";
}

std::string PopulationText(const std::string& lastCell = "7") {
  std::string text = "sex,age,population\n";
  for (const char* sex : {"male", "female"}) {
    for (int age = 0; age < 100; ++age) text += std::string(sex) + "," + std::to_string(age) + ",1000\n";
  }
  text.replace(text.rfind(",1000\n"), 6, "," + lastCell + "\n");
  return text;
}

struct NumberCase {
  const char* text;
  std::optional<int64_t> headCountRaw;  // empty: refused
  std::optional<float> rate;
  std::optional<int64_t> whole;
};

TEST(NumberGrammar, OneGrammarForHeadCountsRatesAndWholeNumbers) {
  const std::vector<NumberCase> cases = {
      {"7", 70000, 7.0f, 7},     {"+7", 70000, 7.0f, 7},
      {"-7", -70000, -7.0f, -7}, {"02000", 20000000, 2000.0f, 2000},  // decimal, never octal
      {"0.5", 5000, 0.5f, {}},   {"12.0625", 120625, 12.0625f, {}},
      {".5", {}, {}, {}},        {"1.", {}, {}, {}},
      {"1e3", {}, {}, {}},       {"1e-50", {}, {}, {}},
      {"0x7D0", {}, {}, {}},     {"+-5", {}, {}, {}},
      {"--5", {}, {}, {}},       {"5-", {}, {}, {}},
      {"", {}, {}, {}},          {" 5", {}, {}, {}},
      {"inf", {}, {}, {}},       {"nan", {}, {}, {}},
      {"1,5", {}, {}, {}},       {"１", {}, {}, {}},  // a full-width digit is not a digit
  };
  for (const NumberCase& c : cases) {
    std::string why;
    const auto count = ParseHeadCount(c.text, why);
    EXPECT_EQ(count ? std::optional<int64_t>(count->Raw()) : std::nullopt, c.headCountRaw) << c.text;
    EXPECT_EQ(ParseRate(c.text, why), c.rate) << c.text;
    EXPECT_EQ(ParseWhole(c.text, -1000000, 1000000), c.whole) << c.text;
  }
}

TEST(NumberGrammar, TinyRatesRoundToZeroAndHugeOnesAreRefused) {
  std::string why;
  // Far below the smallest float: the decimal value rounds to zero, as any
  // other decimal rounds to its nearest float.
  EXPECT_EQ(ParseRate("0." + std::string(60, '0') + "1", why), 0.0f);
  EXPECT_EQ(ParseRate("0." + std::string(40, '0') + "1", why), 1e-41f);  // a subnormal float
  EXPECT_FALSE(ParseRate("1" + std::string(40, '0'), why));
  EXPECT_NE(why.find("outside the float range"), std::string::npos) << why;
  why.clear();
  EXPECT_FALSE(ParseWhole(std::string(400, '9'), INT64_MIN, INT64_MAX));
  EXPECT_FALSE(ParseHeadCount("922337203685477.5808", why));
  EXPECT_NE(why.find("outside the range"), std::string::npos) << why;
}

TEST(NumberGrammar, EveryRateWeWriteReadsBackTheSameWithoutAnExponent) {
  for (const float value : {0.0f, 98.752f, 1e-10f, 0.0005f, FLT_TRUE_MIN, FLT_MIN, FLT_MAX, -FLT_MAX, -3.25e-7f}) {
    const std::string text = RateText(value);
    std::string why;
    const auto back = ParseRate(text, why);
    ASSERT_TRUE(back) << text << " " << why;
    EXPECT_EQ(std::bit_cast<uint32_t>(*back), std::bit_cast<uint32_t>(value)) << text;
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
  }
  EXPECT_EQ(RateText(98.752f), "98.752");
  EXPECT_EQ(RateText(0.0005f), "0.0005");
}

struct HostileCase {
  const char* name;
  std::function<fs::path(const TempFolder&)> make;  // the file to read
  std::string expected;                             // part of the message
};

TEST(CsvReader, HostileFilesAreRefusedAtOnceWithOneShortLine) {
  const std::vector<HostileCase> cases = {
      {"a FIFO with no writer is not waited on",
       [](const TempFolder& f) {
         const fs::path path = f.Path() / "fifo.csv";
         ::mkfifo(path.c_str(), 0600);
         return path;
       },
       "not a regular file"},
      {"a link to an endless device",
       [](const TempFolder& f) {
         fs::create_symlink("/dev/zero", f.Path() / "zero.csv");
         return f.Path() / "zero.csv";
       },
       "not a regular file"},
      {"a folder",
       [](const TempFolder& f) {
         fs::create_directory(f.Path() / "folder.csv");
         return f.Path() / "folder.csv";
       },
       "not a regular file"},
      {"a 1 GB file (sparse: no disk used)",
       [](const TempFolder& f) {
         const fs::path path = f.Path() / "huge.csv";
         WriteText(path, PopulationText());
         fs::resize_file(path, std::uintmax_t{1} << 30);
         return path;
       },
       "larger than 1 MiB"},
      {"one line of 100 KB",
       [](const TempFolder& f) {
         WriteText(f.Path() / "line.csv", "sex,age,population\nmale,0," + std::string(100000, '1') + "\n");
         return f.Path() / "line.csv";
       },
       "line.csv:2: a line longer than 1024 bytes"},
      {"a bad third line in front of 900 KB more",
       [](const TempFolder& f) {
         std::string text = "sex,age,population\nmale,0,1\nmale,1,x\n";
         for (int i = 0; i < 30000; ++i) text += "male,2,30000000\n";
         WriteText(f.Path() / "late.csv", text);
         return f.Path() / "late.csv";
       },
       "late.csv:3: population \"x\" is not a number"},
      {"a 1000-byte cell is cut in the message",
       [](const TempFolder& f) {
         WriteText(f.Path() / "cell.csv", "sex,age,population\n" + std::string(1000, 'm') + ",0,1\n");
         return f.Path() / "cell.csv";
       },
       "\"" + std::string(40, 'm') + "... (960 more bytes)\" is not male or female"},
      {"terminal controls in a cell are escaped",
       [](const TempFolder& f) {
         WriteText(f.Path() / "esc.csv", "sex,age,population\nmale,0,\x1b]0;owned\x07\x1b[2J\n");
         return f.Path() / "esc.csv";
       },
       "population \"\\x1b]0;owned\\x07\\x1b[2J\" is not a number"},
      {"bytes that are not UTF-8 are escaped",
       [](const TempFolder& f) {
         WriteText(f.Path() / "bytes.csv", "sex,age,population\n\xff\xc3(,0,1\n");
         return f.Path() / "bytes.csv";
       },
       "sex \"\\xff\\xc3(\" is not male or female"},
      {"a newline in the path stays escaped",
       [](const TempFolder& f) {
         WriteText(f.Path() / "two\nlines.csv", "sex,age,population\nmale,0,x\n");
         return f.Path() / "two\nlines.csv";
       },
       "two\\x0alines.csv:2:"},
      {"a head count beyond the range",
       [](const TempFolder& f) {
         WriteText(f.Path() / "big.csv", PopulationText("922337203685477.5808"));
         return f.Path() / "big.csv";
       },
       "big.csv:201: head count \"922337203685477.5808\" outside the range"},
  };
  for (const HostileCase& c : cases) {
    TempFolder folder;
    const fs::path path = c.make(folder);
    WorldRecord world;
    world.People(0, 0) = HeadCount::FromPersons(42);
    const std::string message = ErrorOf([&] { ReadPopulationCsv(path.string(), world); });
    EXPECT_NE(message.find(c.expected), std::string::npos) << c.name << ": " << message;
    EXPECT_EQ(message.find_first_of("\n\r\x1b\x07"), std::string::npos) << c.name;
    EXPECT_LT(message.size(), 400u) << c.name;
    EXPECT_EQ(world.People(0, 0), HeadCount::FromPersons(42)) << c.name << ": the table changed";
  }
}

TEST(CsvReader, RateCellsFollowTheSameGrammar) {
  struct Case {
    const char* cell;
    std::string expected;  // "" when the table is read
  };
  const std::vector<Case> cases = {
      {"2.5", ""},
      {"+2.5", ""},
      {"-5", ""},
      {"+-5", "\"+-5\" is not a number"},
      {"1e3", "\"1e3\" is not a number"},
      {".5", "\".5\" is not a number"},
      {"1.", "\"1.\" is not a number"},
      {"0x10", "\"0x10\" is not a number"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    std::string text = "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000\n";
    for (int j = 0; j < 20; ++j) text += std::to_string(j) + ",1," + (j == 4 ? c.cell : "1") + ",1\n";
    WriteText(folder.Path() / "rates.csv", text);
    WorldRecord world;
    const std::string message = ErrorOf([&] { ReadRatesCsv((folder.Path() / "rates.csv").string(), world, 0); });
    if (c.expected.empty()) {
      EXPECT_EQ(message, "") << c.cell;
    } else {
      EXPECT_NE(message.find("rates.csv:6: mx_male_per_100000: " + c.expected), std::string::npos)
          << c.cell << ": " << message;
    }
  }
}

}  // namespace
}  // namespace velmora::presets
