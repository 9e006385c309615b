// velmora-cli wpp, run as a user runs it: the real program, its exit status,
// its output and the files it leaves.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "../wpp/WppPaths.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::PresetTablesFolder;
using testing::ReadBytes;
using testing::ReadText;
using testing::TempFolder;
using testing::WppTablesFolder;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

class WppCommand : public ::testing::Test {
 protected:
  // The program with these arguments (each quoted), in the test's folder.
  Result Run(const std::vector<std::string>& arguments) {
    std::string command = "cd '" + folder_.String() + "' && '" VELMORA_CLI "'";
    for (const std::string& argument : arguments) command += " '" + argument + "'";
    command += " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadText(folder_.Path() / "out.txt");
    result.err = ReadText(folder_.Path() / "err.txt");
    return result;
  }
  fs::path Data() {
    fs::create_directories(folder_.Path() / "Data");
    return folder_.Path() / "Data";
  }
  fs::path In(const std::string& name) const { return folder_.Path() / name; }

  TempFolder folder_;
};

float FloatAt(const std::vector<unsigned char>& bytes, int index) {
  uint32_t bits = 0;
  for (int b = 3; b >= 0; --b) bits = bits << 8 | bytes.at(index * 4 + b);
  return std::bit_cast<float>(bits);
}

TEST_F(WppCommand, ListsTheLocationsWithEveryTable) {
  const Result all = Run({"wpp", "list"});
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.out.substr(0, all.out.find('\n') + 1), "900\tWorld\tworld\n");
  EXPECT_EQ(all.out.find("Group of Twenty"), std::string::npos);

  const Result niger = Run({"wpp", "list", "--match", "NIGER"});
  EXPECT_EQ(niger.status, 0);
  EXPECT_EQ(niger.out, "562\tNiger\tcountry/area\n566\tNigeria\tcountry/area\n");

  const Result none = Run({"wpp", "list", "--match", "Atlantis"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "velmora-cli: no location matches \"Atlantis\"\n");
}

TEST_F(WppCommand, FindsTheTablesBesideItsRealFileThroughALink) {
  // As installed: the program and wpp2019/ in a folder of their own, bin/
  // holding only a link.
  const fs::path programs = In("lib");
  fs::create_directories(programs);
  fs::create_directories(In("bin"));
  fs::copy_file(VELMORA_CLI, programs / "velmora-cli");
  fs::create_symlink(programs / "velmora-cli", In("bin") / "velmora-cli");
  const std::string list = "'" + (In("bin") / "velmora-cli").string() + "' wpp list --match japan >/dev/null 2>&1";
  EXPECT_NE(std::system(list.c_str()), 0);  // no tables yet
  fs::copy(WppTablesFolder(), programs / "wpp2019");
  EXPECT_EQ(std::system(list.c_str()), 0);
}

TEST_F(WppCommand, CsvOutputsAreTheShippedTablesOf2000) {
  const Result population = Run({"wpp", "preset", "--location", "76", "--year", "2000", "--population-out", "p.csv"});
  ASSERT_EQ(population.status, 0) << population.err;
  EXPECT_EQ(ReadText(In("p.csv")), ReadText(PresetTablesFolder() / "brazil_2000_population_single_year_derived.csv"));
  EXPECT_NE(population.out.find("Source: United Nations, DESA, Population Division. World Population Prospects 2019."),
            std::string::npos);

  const Result rates = Run({"wpp", "preset", "--location", "brazil", "--year", "2000", "--rates-out", "r.CSV",
                            "--tables", WppTablesFolder().string()});
  ASSERT_EQ(rates.status, 0) << rates.err;
  EXPECT_EQ(ReadText(In("r.CSV")), ReadText(PresetTablesFolder() / "brazil_rates.csv"));
}

TEST_F(WppCommand, SlotGetsBothPresetFiles) {
  const fs::path data = Data();
  const Result result = Run({"wpp", "preset", "--location", "Japan", "--year", "1950", "--slot", "2", "--data", "Data"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto population = ReadBytes(data / "STP2.stp");
  const auto rates = ReadBytes(data / "BRF2.brf");
  ASSERT_EQ(population.size(), 1600u);
  ASSERT_EQ(rates.size(), 240u);
  // Head counts x 10,000: Japan on 1 July 1950, 40,602,499 men and
  // 42,199,585 women as published.
  int64_t raw = 0;
  for (int i = 0; i < 200; ++i) {
    int64_t value = 0;
    std::memcpy(&value, population.data() + i * 8, 8);  // little-endian, as the machine
    raw += value;
  }
  EXPECT_EQ(raw, (40'602'499 + 42'199'585) * int64_t{10'000});
  // 1950-1955: TFR 2.96 with 1.5 % at 15-19, so 2.96 x 1.5 / 100 / 5 x 1000
  // births per 1000 women; 5m5 0.001735 (men) and 0.001509 (women).
  EXPECT_EQ(FloatAt(rates, 3), 8.88f);
  EXPECT_EQ(FloatAt(rates, 20 + 1), 173.5f);
  EXPECT_EQ(FloatAt(rates, 40 + 1), 150.9f);
}

TEST_F(WppCommand, SlotWritesNeitherFileUnlessBothMay) {
  const fs::path data = Data();
  testing::WriteBytes(data / "BRF3.brf", {'k', 'e', 'e', 'p'});
  const std::vector<std::string> command = {"wpp", "preset", "--location", "Italy", "--year", "2050",
                                            "--slot",  "3", "--data", "Data"};
  const Result refused = Run(command);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("BRF3.brf: exists already (--force overwrites it)"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(data / "STP3.stp"));
  EXPECT_EQ(ReadBytes(data / "BRF3.brf").size(), 4u);

  std::vector<std::string> forced = command;
  forced.push_back("--force");
  EXPECT_EQ(Run(forced).status, 0);
  EXPECT_EQ(ReadBytes(data / "STP3.stp").size(), 1600u);
  EXPECT_EQ(ReadBytes(data / "BRF3.brf").size(), 240u);

  // A folder where a file belongs is refused even with --force.
  fs::create_directory(data / "STP4.stp");
  const Result folder = Run({"wpp", "preset", "--location", "Italy", "--year", "2050", "--slot", "4", "--data",
                             "Data", "--force"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find("STP4.stp: exists and is not a regular file"), std::string::npos) << folder.err;
  EXPECT_FALSE(fs::exists(data / "BRF4.brf"));
}

TEST_F(WppCommand, BadRequestsWriteNothing) {
  Data();
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string message;  // part of the error output
  };
  const std::vector<Case> cases = {
      {{"--location", "Korea", "--year", "2000", "--slot", "1", "--data", "Data"},
       1,
       "location \"Korea\" is ambiguous, give its code or more of its name: 408 Dem. People's Republic of Korea "
       "(country/area); 410 Republic of Korea (country/area)"},
      {{"--location", "Japan", "--year", "1952", "--population-out", "p.csv"},
       2,
       "\"1952\" is not one of 1950, 1955, ..., 2100"},
      {{"--location", "Japan", "--year", "2200", "--population-out", "p.csv"}, 2, "\"2200\" is not one of"},
      {{"--location", "Japan", "--year", "1900", "--population-out", "p.csv"}, 2, "\"1900\" is not one of"},
      {{"--location", "Japan", "--year", "0x7D0", "--population-out", "p.csv"}, 2, "\"0x7D0\" is not one of"},
      {{"--location", "Japan", "--year", "2000.0", "--population-out", "p.csv"}, 2, "\"2000.0\" is not one of"},
      {{"--location", "Atlantis", "--year", "2000", "--population-out", "p.csv"}, 1, "unknown location \"Atlantis\""},
      {{"--location", "\x1b]0;x\x07", "--year", "2000", "--population-out", "p.csv"},
       1,
       "unknown location \"\\x1b]0;x\\x07\""},
      {{"--location", "Japan", "--year", "2000", "--population-out", "p.brf"}, 1, "p.brf: unknown file type"},
      {{"--location", "Japan", "--year", "2000", "--population-out", "p.csv", "--tables", "nowhere"},
       1,
       "nowhere: no folder of UN tables here"},
      {{"--location", "Japan", "--year", "2000", "--slot", "1", "--data", "Missing"}, 1, "Missing: no such folder"},
      {{"--location", "Japan", "--year", "2000", "--slot", "5", "--data", "Data"}, 2, "--slot"},
      {{"--location", "Japan", "--year", "2000", "--slot", "0", "--data", "Data"}, 2, "--slot"},
      {{"--location", "Japan", "--year", "2000", "--slot", "1"}, 2, "--data"},
      {{"--location", "Japan", "--year", "2000"}, 2, "--population-out"},
      {{"--location", "Japan", "--year", "2000", "--population-out", "p.csv", "--rates-out", "r.csv"}, 2, "excludes"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"wpp", "preset"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const Result result = Run(arguments);
    SCOPED_TRACE(c.message);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_TRUE(fs::is_empty(In("Data")));
    for (const char* name : {"p.csv", "p.brf", "r.csv"}) EXPECT_FALSE(fs::exists(In(name))) << name;
  }
}

TEST_F(WppCommand, LocationsByNameIgnoringCaseAccentsAndSpacesWithTheChoiceNamed) {
  struct Case {
    const char* query;
    std::string chosen;  // the location written, as stdout names it
    bool named;          // said on stderr: the query is not the name itself
  };
  const std::vector<Case> cases = {
      {"Japan", "Japan (392)", false},
      {" Japan ", "Japan (392)", false},
      {"JAPAN", "Japan (392)", false},
      {"jap", "Japan (392)", true},
      {"tanzania", "United Republic of Tanzania (834)", true},
      {"hong kong", "China, Hong Kong SAR (344)", true},
      {"C\xc3\xb4te", "Cote d'Ivoire (384)", true},
      {"guinea", "Guinea (324)", false},  // a whole name before the names that hold it
      {"392", "Japan (392)", false},
  };
  for (const Case& c : cases) {
    const Result result = Run({"wpp", "preset", "--location", c.query, "--year", "2000", "--population-out", "p.csv",
                               "--force"});
    SCOPED_TRACE(c.query);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with(c.chosen)) << result.out;
    EXPECT_EQ(result.err.find("is " + c.chosen) != std::string::npos, c.named) << result.err;
  }
  // Several matches list them.
  const Result several = Run({"wpp", "preset", "--location", "guin", "--year", "2000", "--population-out", "p.csv"});
  EXPECT_EQ(several.status, 1);
  EXPECT_NE(several.err.find("\"guin\" is ambiguous"), std::string::npos) << several.err;
  EXPECT_NE(several.err.find("Equatorial Guinea"), std::string::npos) << several.err;
}

// The tables with one of Japan's figures changed, in a folder of the test.
fs::path ChangedTables(const TempFolder& folder, const std::string& file, const std::string& from,
                       const std::string& to) {
  const fs::path tables = folder.Path() / "tables";
  fs::copy(WppTablesFolder(), tables);
  for (const auto& entry : fs::directory_iterator(tables))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
  std::string text = ReadText(tables / file);
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  testing::WriteText(tables / file, text);
  return tables;
}

TEST_F(WppCommand, AGroupBeyondTheHeadCountRangeIsRefusedBeforeAnythingIsWritten) {
  // Japan's women of 100+ in 2000 (the last column but four of the row).
  const std::string row = ReadText(WppTablesFolder() / "popF.txt");
  const std::size_t start = row.find("392\tJapan\t100+\t");
  ASSERT_NE(start, std::string::npos);
  const std::string line = row.substr(start, row.find('\n', start) - start);
  std::string changed = line;
  std::size_t field = 0;
  for (int tab = 0; tab < 13; ++tab) field = changed.find('\t', field) + 1;  // the column of 2000
  changed.replace(field, changed.find('\t', field) - field, "999999999999");
  const fs::path tables = ChangedTables(folder_, "popF.txt", line, changed);
  for (const char* out : {"p.stp", "p.csv"}) {
    const Result result = Run({"wpp", "preset", "--location", "Japan", "--year", "2000", "--population-out", out,
                               "--tables", tables.string()});
    SCOPED_TRACE(out);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find("popF.txt: population of age 100+ for Japan (392) in 2000 outside 0..922337203685477"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("terminate"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(In(out)));
  }
}

TEST_F(WppCommand, OutputThatCannotBeWrittenIsAFailure) {
  for (const std::string command : {"wpp list", "wpp list --match japan",
                                    "wpp preset --location Japan --year 2000 --rates-out r.csv --force"}) {
    const int raw = std::system(("cd '" + folder_.String() + "' && '" VELMORA_CLI "' " + command +
                                 " >/dev/full 2>err.txt")
                                    .c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << command;
    EXPECT_NE(ReadText(In("err.txt")).find("cannot write to standard output"), std::string::npos) << command;
  }
}

}  // namespace
}  // namespace velmora
