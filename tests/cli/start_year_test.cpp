// The real velmora-cli's --start-year: the calendar year of the population,
// so that a run from a UN population of year Y counts its years from Y as the
// desktop program does.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "hardening/Presets.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string out;
};

Result Cli(const testing::TempFolder& folder, const std::string& arguments) {
  const fs::path out = folder.Path() / "stdout";
  const std::string command =
      "cd '" + folder.String() + "' && '" + VELMORA_CLI + "' " + arguments + " > '" + out.string() + "' 2> /dev/null";
  const int status = std::system(command.c_str());
  Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadText(out)};
  fs::remove(out);
  return result;
}

// The first field of every line after the header.
std::vector<std::string> YearColumn(const std::string& csv) {
  std::vector<std::string> years;
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) years.push_back(line.substr(0, line.find(',')));
  return years;
}

std::string JapanArguments() {
  const fs::path tables = VELMORA_PRESET_TABLES;
  return "--population '" + (tables / "japan_2000_population_single_year_derived.csv").string() + "' --start-rates '" +
         (tables / "japan_rates.csv").string() + "' --years 3";
}

TEST(StartYear, YearColumnCountsFromTheStartYear) {
  testing::TempFolder folder;
  struct Case {
    const char* option;
    std::vector<std::string> years;
  };
  const Case cases[] = {
      {"", {"2000", "2001", "2002", "2003"}},
      {"--start-year 1950", {"1950", "1951", "1952", "1953"}},
      {"--start-year 02100", {"2100", "2101", "2102", "2103"}},
      {"--start-year 1", {"1", "2", "3", "4"}},
      {"--start-year 9999", {"9999", "10000", "10001", "10002"}},
  };
  for (const Case& c : cases) {
    const Result result = Cli(folder, "run " + JapanArguments() + " " + c.option);
    EXPECT_EQ(result.status, 0) << c.option;
    EXPECT_EQ(YearColumn(result.out), c.years) << c.option;
  }
}

TEST(StartYear, JsonNamesTheStartYear) {
  testing::TempFolder folder;
  const Result result = Cli(folder, "run " + JapanArguments() + " --start-year 1950 --format json");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("\"start_year\": 1950"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("\"year\": 1953"), std::string::npos);
}

TEST(StartYear, YearsOutsideTheRangeOrNotWholeAreUsageErrors) {
  testing::TempFolder folder;
  for (const char* wrong : {"0", "-1950", "10000", "1950.5", "1e3", "nineteen", "''"}) {
    const Result result = Cli(folder, "run " + JapanArguments() + " --start-year " + wrong);
    EXPECT_EQ(result.status, 2) << wrong;
    EXPECT_TRUE(result.out.empty()) << wrong;
  }
}

}  // namespace
}  // namespace velmora
