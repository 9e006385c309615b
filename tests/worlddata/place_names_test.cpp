#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../support/ReadWholeFile.h"
#include "../wpp/WppPaths.h"
#include "worlddata/core/PlaceNames.h"
#include "worlddata/core/WorldTables.h"

namespace velmora::worlddata {
namespace {

namespace fs = std::filesystem;

struct ParseCase {
  const char* what;
  const char* iso;
  const char* own;
  int code;
  const char* japanese;  // "" for none
};

TEST(PlaceNames, TablesAreReadLineByLine) {
  const ParseCase cases[] = {
      {"plain line", "392\t日本\tJapan\n", "", 392, "日本"},
      {"last line without a line feed", "392\t日本\tJapan", "", 392, "日本"},
      {"carriage return before the line feed", "392\t日本\tJapan\r\n", "", 392, "日本"},
      {"untranslated entry counts as none", "203\tCzechia\tCzechia\n", "", 203, ""},
      {"our table wins", "792\tTürkiye\tTürkiye\n", "792\tトルコ\tTurkey\n", 792, "トルコ"},
      {"ours wins over a translation too", "826\t英国\tUnited Kingdom\n", "826\tイギリス\tUK\n", 826, "イギリス"},
      {"code with trailing text is skipped", "392x\t日本\tJapan\n", "", 392, ""},
      {"empty code is skipped", "\t日本\tJapan\n", "", 0, ""},
      {"missing Japanese field is skipped", "392\n", "", 392, ""},
      {"a bad line leaves the next one", "junk\n156\t中国\tChina\n", "", 156, "中国"},
      {"unknown code", "392\t日本\tJapan\n", "", 999, ""},
  };
  for (const ParseCase& c : cases) {
    const PlaceNames names(c.iso, c.own);
    EXPECT_EQ(names.Japanese(c.code), c.japanese) << c.what;
  }
}

TEST(PlaceNames, BuiltinNamesOfCountriesAndAggregates) {
  const std::pair<int, const char*> cases[] = {
      {392, "日本"},      {156, "中国"},           {840, "米国"},   {900, "世界"},         {903, "アフリカ"},
      {1503, "高所得国"}, {941, "後発開発途上国"}, {203, "チェコ"}, {830, "チャネル諸島"}, {792, "トルコ"},
  };
  for (const auto& [code, japanese] : cases) EXPECT_EQ(PlaceNames::Builtin().Japanese(code), japanese) << code;
}

// Every aggregate of the UN tables has a Japanese name of ours, and every
// country one from iso-codes or ours: none falls back to English.
TEST(PlaceNames, EveryListedLocationHasAJapaneseName) {
  const WorldTables tables(testing::WppTablesFolder(), PlaceNames::Builtin());
  ASSERT_TRUE(tables.Ready()) << tables.Problem();
  ASSERT_GT(tables.Places().size(), 240u);
  for (const Place& place : tables.Places()) {
    EXPECT_FALSE(PlaceNames::Builtin().Japanese(place.location.code).empty())
        << place.location.code << " " << place.english;
  }
}

using testing::ReadWholeFile;

// The committed table is the script's output from the installed iso-codes;
// without iso-codes or python3 there is nothing to compare.
TEST(PlaceNames, CommittedTableEqualsTheScriptsOutput) {
  const fs::path json = "/usr/share/iso-codes/json/iso_3166-1.json";
  const fs::path mo = "/usr/share/locale/ja/LC_MESSAGES/iso_3166-1.mo";
  if (!fs::exists(json) || !fs::exists(mo) || std::system("python3 -c '' 2>/dev/null") != 0)
    GTEST_SKIP() << "iso-codes or python3 not installed";
  const fs::path source = VELMORA_SOURCE_DIR;
  const std::string command = "python3 '" + (source / "scripts/make-country-names.py").string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  std::array<char, 4096> buffer{};
  for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) output.append(buffer.data(), n);
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(output, ReadWholeFile(source / "data/names/iso3166-ja.tsv"));
}

}  // namespace
}  // namespace velmora::worlddata
