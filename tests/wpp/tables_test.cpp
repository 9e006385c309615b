// Reading the UN tables and finding a location by what a user types.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "../scenario_core/TempFolder.h"
#include "WppPaths.h"
#include "wpp/Preset.h"

namespace velmora::wpp {
namespace {

using testing::TempFolder;
using testing::WppTablesFolder;

std::string ErrorOf(const auto& call) {
  try {
    call();
  } catch (const WppError& error) {
    return error.what();
  }
  return "no error";
}

void Write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(Table, RowsAreKeyedByTheCodeColumnWhereverItIs) {
  TempFolder folder;
  Write(folder.Path() / "t.txt",
        "name\tcountry_code\tvalue\r\n# a comment\nAlpha\t7\t1.5\n\nBeta\t8\t2\nAlpha again\t7\tx\n");
  const Table table = Table::Load(folder.Path() / "t.txt");
  EXPECT_EQ(table.Codes(), (std::vector<int>{7, 8}));
  const auto rows = table.RowsOf(7);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].fields[0], "Alpha");
  EXPECT_EQ(table.Number(rows[0], *table.Column("value")), 1.5);
  EXPECT_EQ(ErrorOf([&] { table.Number(rows[1], 2); }), "t.txt line 6: not a number: \"x\"");
  EXPECT_EQ(ErrorOf([&] { table.RequireColumn("2000"); }), "t.txt: no column \"2000\"");
  EXPECT_TRUE(table.RowsOf(9).empty());
}

TEST(Table, MissingOrMalformedFilesAreErrors) {
  TempFolder folder;
  EXPECT_EQ(ErrorOf([&] { Table::Load(folder.Path() / "none.txt"); }),
            (folder.Path() / "none.txt").string() + ": cannot open: No such file or directory");
  Write(folder.Path() / "bad.txt", "country_code\tname\n12\tA\nB\tC\n");
  EXPECT_EQ(ErrorOf([&] { Table::Load(folder.Path() / "bad.txt"); }), "bad.txt line 3: no location code");
  Write(folder.Path() / "nan.txt", "country_code\tv\n1\tnan\n");
  const Table table = Table::Load(folder.Path() / "nan.txt");
  EXPECT_THROW(table.Number(table.RowsOf(1).at(0), 1), WppError);
}

TEST(Locations, ByNameInAnyCaseOrByCode) {
  const LocationIndex index = Source(WppTablesFolder()).Locations();
  EXPECT_EQ(index.Find("Japan").code, 392);
  EXPECT_EQ(index.Find("jApAn").code, 392);
  EXPECT_EQ(index.Find("392").name, "Japan");
  EXPECT_EQ(index.Find("world").type, 0);
  EXPECT_EQ(LocationTypeName(index.Find("Eastern Africa").type), "subregion");
  EXPECT_EQ(LocationTypeName(index.Find("Japan").type), "country/area");
}

TEST(Locations, UnknownOrAmbiguousNamesListTheCandidates) {
  const LocationIndex index = Source(WppTablesFolder()).Locations();
  EXPECT_EQ(ErrorOf([&] { index.Find("Korea"); }),
            "location \"Korea\" is ambiguous, give its code or more of its name: 408 Dem. People's Republic of "
            "Korea (country/area); 410 Republic of Korea (country/area)");
  EXPECT_EQ(ErrorOf([&] { index.Find("Atlantis"); }), "unknown location \"Atlantis\" (see: wpp list)");
  // A long list is cut short.
  const std::string many = ErrorOf([&] { index.Find("a"); });
  EXPECT_NE(many.find("more (see: wpp list --match)"), std::string::npos) << many;
}

TEST(Locations, ANameSharedByTwoLocationsNeedsTheCode) {
  TempFolder folder;
  Write(folder.Path() / "UNlocations.txt",
        "name\tcountry_code\tlocation_type\nSpringfield\t1\t4\nSPRINGFIELD\t2\t3\nShelbyville\t3\t4\n");
  Write(folder.Path() / "pop.txt", "country_code\tname\n1\tA\n2\tB\n");
  const Table locations = Table::Load(folder.Path() / "UNlocations.txt");
  const Table pop = Table::Load(folder.Path() / "pop.txt");
  const LocationIndex index(locations, {&pop});
  EXPECT_EQ(ErrorOf([&] { index.Find("springfield"); }),
            "location \"springfield\" is ambiguous, give its code or more of its name: 1 Springfield (country/area); "
            "2 SPRINGFIELD (subregion)");
  EXPECT_EQ(index.Find("2").name, "SPRINGFIELD");
  // Shelbyville has no rows in the population table: said by name as by code.
  EXPECT_EQ(ErrorOf([&] { index.Find("Shelbyville"); }),
            "location 3 Shelbyville (country/area) does not have all the tables a preset needs (see: wpp list)");
  EXPECT_EQ(ErrorOf([&] { index.Find("shelby"); }),
            "location 3 Shelbyville (country/area) does not have all the tables a preset needs (see: wpp list)");
  EXPECT_EQ(ErrorOf([&] { index.Find("3"); }),
            "location 3 Shelbyville (country/area) does not have all the tables a preset needs (see: wpp list)");
}

TEST(Locations, OnlyThoseWithEveryTable) {
  const LocationIndex index = Source(WppTablesFolder()).Locations();
  // The G20 group is named in UNlocations but has no population tables.
  const std::string g20 = ErrorOf([&] { index.Find("1524"); });
  EXPECT_TRUE(g20.starts_with("location 1524 Group of Twenty (G20) (")) << g20;
  EXPECT_TRUE(g20.ends_with(") does not have all the tables a preset needs (see: wpp list)")) << g20;
  EXPECT_EQ(ErrorOf([&] { index.Find("group of twenty"); }), g20);
  EXPECT_TRUE(index.Matching("Group of Twenty").empty());
  const auto all = index.All();
  EXPECT_EQ(all.front().name, "World");
  EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const Location& l) { return l.name == "Niger"; }));
  EXPECT_EQ(index.Matching("niger").size(), 2u);  // Niger and Nigeria
  EXPECT_EQ(index.Matching("566").at(0).name, "Nigeria");
}

TEST(Source, RepeatedAgeRowsCountOnceUnlessTheyDisagree) {
  // mxM.txt repeats some rows of Europe (ages 5, 10, 100) word for word.
  const Source source(WppTablesFolder());
  const Location europe = source.Locations().Find("Europe");
  EXPECT_EQ(europe.code, 908);
  EXPECT_EQ(source.Build(europe, 2000).periods.size(), 2u);

  TempFolder folder;
  std::filesystem::copy(WppTablesFolder(), folder.Path() / "t");
  std::filesystem::permissions(folder.Path() / "t" / "mxM.txt", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  std::ofstream(folder.Path() / "t" / "mxM.txt", std::ios::app)
      << "392\tJapan\t5\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1"
         "\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\n";
  const Source changed(folder.Path() / "t");
  const std::string error = ErrorOf([&] { changed.Build(changed.Locations().Find("Japan"), 2000); });
  EXPECT_EQ(error, "mxM.txt line 5490: age 5 twice, with different values, for Japan (392)");
}

}  // namespace
}  // namespace velmora::wpp
