// The UN tables damaged as a disk, a download or an editor damages them:
// every fault is refused with the table, and where it matters the location
// and the year, named; none gives a preset.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "WppPaths.h"
#include "wpp/Preset.h"

namespace velmora::wpp {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::TempFolder;
using testing::WppTablesFolder;
using testing::WriteText;

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, '\t')) fields.push_back(field);
  return fields;
}

// The field of `column` in the row of location `code` (and `age`, where the
// table has ages) set to `text`.
void SetField(const fs::path& file, int code, const std::string& age, const std::string& column,
              const std::string& text) {
  std::stringstream in(ReadText(file));
  std::string out;
  std::string line;
  std::vector<std::string> header;
  bool changed = false;
  while (std::getline(in, line)) {
    std::vector<std::string> fields = Split(line);
    if (header.empty()) {
      header = fields;
    } else if (fields[0] == std::to_string(code) && (age.empty() || fields[2] == age) && !changed) {
      const auto at = std::find(header.begin(), header.end(), column);
      ASSERT_NE(at, header.end()) << column;
      fields[at - header.begin()] = text;
      line.clear();
      for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
      changed = true;
    }
    out += line + "\n";
  }
  ASSERT_TRUE(changed) << file << " " << code << " " << age;
  WriteText(file, out);
}

void CutBy(const fs::path& file, std::uintmax_t bytes) { fs::resize_file(file, fs::file_size(file) - bytes); }

struct DamageCase {
  const char* name;
  std::function<void(const fs::path& tables)> damage;
  int year;
  std::string expected;  // part of the message
};

TEST(DamagedTables, EveryDamageIsRefusedAndNamed) {
  constexpr int kJapan = 392;
  const std::vector<DamageCase> cases = {
      {"a table cut inside its last number", [](const fs::path& t) { CutBy(t / "tfrprojMed.txt", 3); }, 2000,
       "tfrprojMed.txt: ends inside a line"},
      {"popM.txt cut by 4 bytes", [](const fs::path& t) { CutBy(t / "popM.txt", 4); }, 2000,
       "popM.txt: ends inside a line"},
      {"popF.txt cut at 40 %",
       [](const fs::path& t) { fs::resize_file(t / "popF.txt", fs::file_size(t / "popF.txt") * 2 / 5); }, 2000,
       "popF.txt: ends inside a line"},
      {"a number cut short inside the table",
       [](const fs::path& t) { SetField(t / "popM.txt", kJapan, "60-64", "2000", "4113."); }, 2000, "popM.txt line"},
      {"a duplicated year column",
       [](const fs::path& t) {
         std::string text = ReadText(t / "popM.txt");
         text.replace(text.find("\t1995\t"), 6, "\t2000\t");
         WriteText(t / "popM.txt", text);
       },
       2000, "popM.txt: column \"2000\" twice in the header"},
      {"a death rate of 2.5 per person",
       [](const fs::path& t) { SetField(t / "mxM.txt", kJapan, "60", "2000-2005", "2.5"); }, 2000,
       "mxM.txt: the death rate of ages 60-64 for Japan (392) in 2000 comes to"},
      {"a negative death rate", [](const fs::path& t) { SetField(t / "mxF.txt", kJapan, "30", "1995-2000", "-0.001"); },
       2000, "mxF.txt: negative death rate at age 30 for Japan (392) in 1995-2000"},
      {"fertility shares summing to 110",
       [](const fs::path& t) { SetField(t / "percentASFR.txt", kJapan, "25-29", "2000-2005", "38.5"); }, 2000,
       "percentASFR.txt: the shares for Japan (392) in 2000-2005 sum to"},
      {"a negative fertility share",
       [](const fs::path& t) { SetField(t / "percentASFR.txt", kJapan, "45-49", "1995-2000", "-1"); }, 2000,
       "percentASFR.txt: share -1 of ages 45-49 for Japan (392) in 1995-2000 is not 0..100"},
      {"a fertility share of 1e12",
       [](const fs::path& t) { SetField(t / "percentASFR.txt", kJapan, "30-34", "2000-2005", "1e12"); }, 2000,
       "percentASFR.txt: share 1e+12 of ages 30-34 for Japan (392) in 2000-2005 is not 0..100"},
      {"a group of 999999999999 thousand",
       [](const fs::path& t) { SetField(t / "popF.txt", kJapan, "100+", "2000", "999999999999"); }, 2000,
       "popF.txt: population of age 100+ for Japan (392) in 2000 outside 0..922337203685477 persons"},
      {"groups that each fit but together do not",
       [](const fs::path& t) {
         for (const char* age : {"0-4", "5-9", "10-14"}) SetField(t / "popM.txt", kJapan, age, "2000", "400000000000");
       },
       2000, "the population for Japan (392) in 2000 sums to more than the head-count range"},
      {"a FIFO in place of popF.txt",
       [](const fs::path& t) {
         fs::remove(t / "popF.txt");
         ::mkfifo((t / "popF.txt").c_str(), 0600);
       },
       2000, "popF.txt: not a regular file"},
      {"popF.txt a link to an endless device",
       [](const fs::path& t) {
         fs::remove(t / "popF.txt");
         fs::create_symlink("/dev/zero", t / "popF.txt");
       },
       2000, "popF.txt: not a regular file"},
  };
  for (const DamageCase& c : cases) {
    TempFolder folder;
    const fs::path tables = folder.Path() / "t";
    fs::copy(WppTablesFolder(), tables);
    for (const auto& entry : fs::directory_iterator(tables))
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    c.damage(tables);
    std::string message = "no error";
    try {
      const Source source(tables);
      source.Build(source.Locations().Find("Japan"), c.year);
    } catch (const WppError& error) {
      message = error.what();
    }
    EXPECT_NE(message.find(c.expected), std::string::npos) << c.name << ": " << message;
  }
}

TEST(DamagedTables, TheRealTablesPassEveryCheck) {
  // Every location of every year: the checks refuse no real table.
  const Source source(WppTablesFolder());
  const LocationIndex index = source.Locations();
  int built = 0;
  for (const Location& location : index.All()) {
    for (int year = kFirstYear; year <= kLastYear; year += 5) {
      EXPECT_NO_THROW(source.Build(location, year)) << location.name << " " << year;
      ++built;
    }
  }
  EXPECT_GT(built, 7000);
}

}  // namespace
}  // namespace velmora::wpp
