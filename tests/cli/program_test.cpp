// The real velmora-cli: exit statuses, one clear line for every bad input
// with nothing written, preset files in and out, and the ends of a run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "hardening/Presets.h"
#include "presets/SlotFiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

using velmora::testing::ReadText;
using velmora::testing::WriteText;

std::string Population(const std::string& maleRows, const std::string& femaleRows) {
  std::string text = "sex,age,population\n";
  for (const auto& [sex, rows] : {std::pair{"male", &maleRows}, std::pair{"female", &femaleRows}}) {
    for (int age = 0; age < 100; ++age) {
      const std::string prefix = std::string(sex) + "," + std::to_string(age) + ",";
      const std::size_t at = rows->find(prefix);
      text += at != std::string::npos ? rows->substr(at, rows->find('\n', at) - at + 1) : prefix + "0\n";
    }
  }
  return text;
}

// Every class: births per 1000 women, men's and women's deaths per 100,000.
std::string Rates(const std::string& births, const std::string& deaths) {
  std::string text = "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000\n";
  for (int j = 0; j < 20; ++j) text += std::to_string(j) + "," + births + "," + deaths + "," + deaths + "\n";
  return text;
}

class ProgramTest : public ::testing::Test {
 protected:
  struct Result {
    int status;
    std::string out;
    std::string err;
  };

  Result Cli(const std::string& arguments) {
    const fs::path out = folder.Path() / "stdout";
    const fs::path err = folder.Path() / "stderr";
    const std::string command = "cd '" + folder.String() + "' && '" + VELMORA_CLI + "' " + arguments + " > '" +
                                out.string() + "' 2> '" + err.string() + "'";
    const int status = std::system(command.c_str());
    Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
    fs::remove(out);
    fs::remove(err);
    return result;
  }
  fs::path File(const std::string& name, const std::string& text) {
    WriteText(folder.Path() / name, text);
    return folder.Path() / name;
  }
  static std::string Table(const char* name) { return (fs::path(VELMORA_PRESET_TABLES) / name).string(); }

  testing::TempFolder folder;
};

TEST_F(ProgramTest, HelpVersionAndUsageErrors) {
  const Result help = Cli("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"run", "info", "import", "export"}) EXPECT_NE(help.out.find(command), std::string::npos);
  EXPECT_NE(help.out.find("1 bad input"), std::string::npos);
  EXPECT_NE(help.out.find("3 run: the population died out"), std::string::npos);
  const Result runHelp = Cli("run --help");
  EXPECT_EQ(runHelp.status, 0);
  for (const char* option : {"--population", "--start-rates", "--end-rates", "--births-variation",
                             "--deaths-variation", "--years", "--format", "--output", "--charts", "0-14 / 15-64"}) {
    EXPECT_NE(runHelp.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(Cli("--version").out, std::string("velmora-cli ") + VELMORA_VERSION + "\n");
  EXPECT_EQ(Cli("export --version").status, 0);

  File("p.csv", Population("male,0,1\n", ""));
  File("r.csv", Rates("0", "0"));
  for (const char* wrong : {"", "walk", "run --start-rates r.csv", "run --population p.csv --start-rates r.csv --years 0",
                            "run --population p.csv --start-rates r.csv --years 101",
                            "run --population p.csv --start-rates r.csv --format xml",
                            "run --population p.csv --start-rates r.csv --colour",
                            "import --population p.csv --rates r.csv --output x.stp", "import --output x.stp",
                            "export",
                            // One grammar for numbers: decimal digits only, within the range.
                            "run --population p.csv --start-rates r.csv --years 0x10",
                            "run --population p.csv --start-rates r.csv --years 1e2",
                            "run --population p.csv --start-rates r.csv --years +-5",
                            "run --population p.csv --start-rates r.csv --years 5.0",
                            "run --population p.csv --start-rates r.csv --births-variation linear30",
                            "run --population p.csv --start-rates r.csv --deaths-variation 13",
                            // "-" is standard output; an empty name is no name.
                            "run --population p.csv --start-rates r.csv --output ''",
                            "export x.stp --output ''"}) {
    const Result result = Cli(wrong);
    EXPECT_EQ(result.status, 2) << wrong;
    EXPECT_FALSE(result.err.empty()) << wrong;
  }
  EXPECT_FALSE(fs::exists(folder.Path() / "x.stp"));
  // What was typed reaches the terminal escaped, on one line.
  for (const char* typed : {"--years '\x1b]0;owned\x07'", "--births-variation '\x1b[2J'", "'--\x1b[2J'"}) {
    const Result result = Cli(std::string("run --population p.csv --start-rates r.csv ") + typed);
    EXPECT_EQ(result.status, 2) << typed;
    EXPECT_EQ(result.err.find('\x1b'), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("\\x1b"), std::string::npos) << result.err;
  }
}

TEST_F(ProgramTest, BadInputIsOneLineWithStatusOneAndNothingWritten) {
  const std::string people = Population("male,20,1000\n", "female,20,1000\n");
  const std::string rates = Rates("50", "100");
  File("p.csv", people);
  File("r.csv", rates);
  std::string malformed = people;
  malformed.replace(malformed.find("male,7,0"), 8, "male;7;0");
  std::string notNumber = people;
  notNumber.replace(notNumber.find("female,20,1000"), 14, "female,20,many");
  std::string outside = people;
  outside.replace(outside.find("male,20,1000"), 12, "male,20,1000000000000000");
  std::string nanRate = rates;
  nanRate.replace(nanRate.find("3,50,100,100"), 12, "3,nan,100,100");
  std::string infRate = rates;
  infRate.replace(infRate.find("9,50,100,100"), 12, "9,50,inf,100");
  File("malformed.csv", malformed);
  File("notnumber.csv", notNumber);
  File("outside.csv", outside);
  File("short.csv", people.substr(0, people.find("female,99")));
  File("short.stp", std::string(1000, '\0'));
  File("nan.csv", nanRate);
  File("inf.csv", infRate);
  // Every count within the range, their sum far beyond it.
  File("huge.csv", Population("male,0,922337203685477.5807\nmale,1,922337203685477.5807\n", ""));

  struct Case {
    std::string arguments;
    std::string expected;  // the line must hold this
  };
  const std::string withRates = " --start-rates r.csv --output out.csv";
  const Case cases[] = {
      {"run --population missing.csv" + withRates, "missing.csv: cannot open"},
      {"run --population short.stp" + withRates, "short.stp: wrong size: 1000 bytes, expected 1600"},
      {"run --population short.csv" + withRates, "short.csv: no row for female age 99"},
      {"run --population malformed.csv" + withRates, "malformed.csv:9: 1 cells, expected 3"},
      {"run --population notnumber.csv" + withRates, "notnumber.csv:122: population \"many\" is not a number"},
      {"run --population outside.csv" + withRates, "outside.csv:22: head count \"1000000000000000\" outside the range"},
      {"run --population p.csv --start-rates nan.csv --output out.csv",
       "nan.csv:5: asfr_per_1000: \"nan\" is not a number"},
      {"run --population p.csv --start-rates r.csv --end-rates inf.csv --output out.csv",
       "inf.csv:11: mx_male_per_100000: \"inf\" is not a number"},
      {"info --rates r.csv --population huge.csv", "huge.csv: the population's sum leaves the head-count range"},
      {"run --population p.csv --start-rates r.txt --output out.csv", "r.txt: unknown file type \".txt\""},
      {"info --rates nan.csv", "nan.csv:5:"},
      {"import --population short.csv --output out.stp", "short.csv: no row for female age 99"},
      {"export short.stp --output out.csv", "short.stp: wrong size"},
      {"export p.csv", "p.csv: export reads a .stp or .brf file"},
      {"run --population p.csv --start-rates r.csv --output out.csv --charts p.csv",
       "p.csv: exists and is not a folder"},
      {"run --population p.csv --start-rates r.csv --output ./p.csv", "./p.csv: is an input of this run (p.csv)"},
  };
  for (const Case& c : cases) {
    const Result result = Cli(c.arguments);
    EXPECT_EQ(result.status, 1) << c.arguments;
    EXPECT_EQ(result.err, "velmora-cli: " + result.err.substr(13, result.err.find('\n') - 13) + "\n") << result.err;
    EXPECT_NE(result.err.find(c.expected), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty()) << c.arguments;
    EXPECT_FALSE(fs::exists(folder.Path() / "out.csv")) << c.arguments;
    EXPECT_FALSE(fs::exists(folder.Path() / "out.stp")) << c.arguments;
  }
  EXPECT_EQ(ReadText(folder.Path() / "p.csv"), people);
}

TEST_F(ProgramTest, NumbersAreDecimalAndADashIsStandardOutput) {
  File("p.csv", Population("male,20,1000\n", "female,20,1000\n"));
  File("r.csv", Rates("50", "100"));
  const Result plain = Cli("run --population p.csv --start-rates r.csv --years 10");
  ASSERT_EQ(plain.status, 0) << plain.err;
  for (const char* arguments : {"--years 010", "--years +10", "--years 10 --output -",
                                "--years 0010 --births-variation 00 --deaths-variation +0"}) {
    const Result same = Cli(std::string("run --population p.csv --start-rates r.csv ") + arguments);
    EXPECT_EQ(same.status, 0) << arguments << same.err;
    EXPECT_EQ(same.out, plain.out) << arguments;
    EXPECT_FALSE(fs::exists(folder.Path() / "-")) << arguments;
  }
  File("s.stp", std::string(presets::kPopulationFileBytes, '\0'));
  const Result exported = Cli("export s.stp --output -");
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_TRUE(exported.out.starts_with("sex,age,population\n")) << exported.out;
  EXPECT_FALSE(fs::exists(folder.Path() / "-"));
  // export reads preset files only, and its help says so.
  const Result help = Cli("export --help");
  EXPECT_NE(help.out.find("never a CSV"), std::string::npos) << help.out;
}

TEST_F(ProgramTest, ImportMakesThePresetFilesAndExportGivesTheTablesBack) {
  // The Japan tables become exactly the preset files the build makes of them.
  const std::string population = Table("japan_2000_population_single_year_derived.csv");
  const std::string rates = Table("japan_rates.csv");
  ASSERT_EQ(Cli("import --population '" + population + "' --output p.stp").status, 0);
  ASSERT_EQ(Cli("import --rates '" + rates + "' --output r.BRF").status, 0);
  const std::string built = (folder.Path() / "Data").string();
  velmora::testing::InstallPresets(built);
  EXPECT_EQ(ReadText(folder.Path() / "p.stp"), ReadText(folder.Path() / "Data" / "STP2.stp"));
  EXPECT_EQ(ReadText(folder.Path() / "r.BRF"), ReadText(folder.Path() / "Data" / "BRF2.brf"));

  const Result exported = Cli("export p.stp");
  EXPECT_EQ(exported.status, 0);
  EXPECT_EQ(exported.out, ReadText(population));
  ASSERT_EQ(Cli("export r.BRF --output r.csv").status, 0);
  ASSERT_EQ(Cli("import --rates r.csv --output again.brf").status, 0);
  EXPECT_EQ(ReadText(folder.Path() / "again.brf"), ReadText(folder.Path() / "r.BRF"));

  // Never over an existing file without --force.
  const std::string before = ReadText(folder.Path() / "p.stp");
  File("p.csv", Population("male,1,5\n", ""));
  const Result refusedAgain = Cli("import --population p.csv --output p.stp");
  EXPECT_EQ(refusedAgain.status, 1);
  EXPECT_NE(refusedAgain.err.find("p.stp: exists already"), std::string::npos) << refusedAgain.err;
  EXPECT_EQ(ReadText(folder.Path() / "p.stp"), before);
  EXPECT_EQ(Cli("import --population p.csv --output p.stp --force").status, 0);
  EXPECT_EQ(Cli("export p.stp").out, ReadText(folder.Path() / "p.csv"));
}

TEST_F(ProgramTest, ARunThatDiesOutOrExplodesKeepsItsYears) {
  // Ten boys who all die in their first year.
  File("few.csv", Population("male,0,10\n", ""));
  File("deadly.csv", Rates("0", "100000"));
  const Result diedOut = Cli("run --population few.csv --start-rates deadly.csv --output out.csv");
  EXPECT_EQ(diedOut.status, 3);
  EXPECT_NE(diedOut.err.find("died out in 2001"), std::string::npos) << diedOut.err;
  const std::string rows = ReadText(folder.Path() / "out.csv");
  EXPECT_NE(rows.find("\n2000,0,10,10,0,0,0,0,0,0,0,-1,"), std::string::npos) << rows;
  EXPECT_NE(rows.find("\n2001,1,0,0,0,0,0,0,0,0,,-1,-1,"), std::string::npos) << rows;
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 3);

  // 400 trillion women of 20 each bearing a child a year: the sum of the
  // next year passes the largest head count (922 trillion).
  File("many.csv", Population("male,20,400000000000000\n", "female,20,400000000000000\n"));
  File("fertile.csv", Rates("1000", "0"));
  const Result exploded = Cli("run --population many.csv --start-rates fertile.csv --format json");
  EXPECT_EQ(exploded.status, 4);
  EXPECT_NE(exploded.err.find("exploded in 2001"), std::string::npos) << exploded.err;
  EXPECT_NE(exploded.out.find("\"end\": \"exploded\""), std::string::npos);
  EXPECT_NE(exploded.out.find("\"year\": 2000"), std::string::npos);
  EXPECT_EQ(exploded.out.find("\"year\": 2001"), std::string::npos);
}

TEST_F(ProgramTest, AnExplosionInTheStartingCensusEndsTheRunAsExploded) {
  // Two ages of 500 trillion men: each count is in range, their sum is not.
  File("huge.csv", Population("male,30,500000000000000\nmale,31,500000000000000\n", ""));
  File("calm.csv", Rates("0", "0"));
  struct Case {
    const char* format;
    const char* noRows;  // what the output holds instead of year 0's partial sums
    long lines;
  };
  for (const Case& c : {Case{"csv", "total_dependency\n", 1}, Case{"json", "\"rows\": []", 8}}) {
    SCOPED_TRACE(c.format);
    const Result r = Cli(std::string("run --population huge.csv --start-rates calm.csv --format ") + c.format);
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("exploded in 2000"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("no year is written"), std::string::npos) << r.err;
    // No row of year 2000 (the JSON's inputs name the start year itself).
    EXPECT_EQ(r.out.find("\n2000,"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\"year\": 2000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(c.noRows), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), c.lines) << r.out;
  }
}

TEST_F(ProgramTest, JsonNamesInputsVersionAndCreditAndInfoReportsIndicators) {
  File("p.csv", Population("male,10,100\n", "female,70,100\n"));
  File("still.csv", Rates("0", "0"));
  const Result json =
      Cli("run --population p.csv --start-rates still.csv --years 2 --births-variation double10 --format json");
  EXPECT_EQ(json.status, 0);
  for (const std::string& part :
       {std::string("\"version\": \"") + VELMORA_VERSION + "\"",
        std::string("\"credit\": \"Source: United Nations, DESA, Population Division. World Population Prospects "
                    "2019.\""),
        std::string("\"population\": \"p.csv\", \"start_rates\": \"still.csv\", \"end_rates\": \"still.csv\", "
                    "\"births_variation\": \"double10\", \"deaths_variation\": \"constant\", \"years\": 2"),
        std::string("\"end\": \"completed\""), std::string("\"year\": 2002"), std::string("\"e0_men\": null")}) {
    EXPECT_NE(json.out.find(part), std::string::npos) << part << "\n" << json.out;
  }
  // No deaths: life expectancy is infinite; no births: no growth factor,
  // so no growth rate and no stable population. 100 men of 10 and 100
  // women of 70: mean age 40.5, no adults to divide by.
  const Result info = Cli("info --rates still.csv --population p.csv");
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.out,
            "tfr,e0_men,e0_women,nrr,growth_factor,growth_rate,stable_child_share,stable_adult_share,"
            "stable_elder_share,mean_death_rate,median_age,mean_age,old_age_dependency,total_dependency\n"
            "-1,inf,inf,0,,,,,,0,11,40.5,,\n");
}

}  // namespace
}  // namespace velmora
