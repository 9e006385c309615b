#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../support/ReadWholeFile.h"
#include "../support/RecordingDisplay.h"
#include "../wpp/WppPaths.h"
#include "analysis/YearFigures.h"
#include "model/Census.h"
#include "model/RunControl.h"
#include "scenario/core/ScenarioImage.h"
#include "worlddata/core/SlotSave.h"
#include "worlddata/core/WorldLoads.h"
#include "worlddata/core/WorldTables.h"
#include "wpp/NameFold.h"

namespace velmora::worlddata {
namespace {

namespace fs = std::filesystem;
using testing::RecordingDisplay;
using testing::TempFolder;

const WorldTables& Tables() {
  const WorldTables& tables = WorldTables::Of(testing::WppTablesFolder());
  EXPECT_TRUE(tables.Ready()) << tables.Problem();
  return tables;
}

const Place& PlaceOf(int code) {
  for (const Place& place : Tables().Places())
    if (place.location.code == code) return place;
  throw std::runtime_error("no place " + std::to_string(code));
}

std::vector<std::string> Codes(const std::vector<Place>& places, const std::vector<std::size_t>& found) {
  std::vector<std::string> codes;
  for (const std::size_t i : found) codes.push_back(places[i].code);
  return codes;
}

Place Named(int code, const char* japanese, const char* english) {
  Place p;
  p.location.code = code;
  p.japanese = japanese;
  p.english = english;
  p.code = std::to_string(code);
  p.foldedJapanese = wpp::FoldName(p.japanese);
  p.foldedEnglish = wpp::FoldName(p.english);
  p.foldedCode = p.code;
  return p;
}

TEST(WorldSearch, MatchesEitherNameOrTheCodeFolded) {
  const std::vector<Place> places = {Named(392, "日本", "Japan"), Named(384, "コートジボワール", "Côte d'Ivoire"),
                                     Named(900, "世界", "World"), Named(398, "カザフスタン", "Kazakhstan")};
  struct Case {
    const char* query;
    std::vector<std::string> codes;
  };
  const Case cases[] = {
      {"日本", {"392"}},
      {"japan", {"392"}},
      {"  JAPAN　", {"392"}},
      {"ＪＡＰ", {"392"}},
      {"cote", {"384"}},
      {"CÔTE D'", {"384"}},
      {"392", {"392"}},
      {"39", {"392", "398"}},
      {"", {"392", "384", "900", "398"}},
      {"   ", {"392", "384", "900", "398"}},
      {"世界", {"900"}},
      {"an", {"392", "398"}},
      {"nowhere", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Codes(places, MatchingPlaces(places, c.query)), c.codes) << c.query;
}

TEST(WorldSearch, RealTablesFindJapanByEachName) {
  const std::vector<Place>& places = Tables().Places();
  for (const char* query : {"日本", "Japan", "japan ", "392"}) {
    const std::vector<std::size_t> found = MatchingPlaces(places, query);
    ASSERT_EQ(found.size(), 1u) << query;
    EXPECT_EQ(places[found.front()].location.code, 392) << query;
  }
}

TEST(WorldTables, ReadOncePerProcess) {
  const WorldTables& first = WorldTables::Of(testing::WppTablesFolder());
  const WorldTables& second = WorldTables::Of(testing::WppTablesFolder());
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(first.Places().size(), second.Places().size());
}

// Whatever is wrong with the folder, the answer is one line naming where the
// tables were looked for, and no place is listed.
TEST(WorldTables, UnusableFolderSaysWhereItLookedInOneLine) {
  TempFolder temp;
  fs::create_directory(temp.Path() / "empty");
  fs::create_directory(temp.Path() / "damaged");
  std::ofstream(temp.Path() / "damaged" / "UNlocations.txt") << "not\ta\ttable\n";
  fs::create_directory(temp.Path() / "line\nbreak");
  struct Case {
    fs::path folder;
    const char* shown;  // how the folder appears in the line
  };
  const Case cases[] = {
      {temp.Path() / "missing", "missing"},
      {temp.Path() / "empty", "empty"},
      {temp.Path() / "damaged", "damaged"},
      {temp.Path() / "line\nbreak", "line\\x0abreak"},
  };
  for (const Case& c : cases) {
    const WorldTables tables(c.folder, PlaceNames::Builtin());
    EXPECT_FALSE(tables.Ready()) << c.folder;
    EXPECT_TRUE(tables.Places().empty()) << c.folder;
    EXPECT_NE(tables.Problem().find(c.shown), std::string::npos) << tables.Problem() << " / " << c.shown;
    EXPECT_EQ(tables.Problem().find('\n'), std::string::npos) << tables.Problem();
    EXPECT_THROW(tables.Build(Named(392, "日本", "Japan"), 1950), wpp::WppError);
  }
}

class RecordingHost : public LoadHost {
 public:
  void Beep() override { ++beeps; }
  void RequestReset() override { ++resets; }
  bool WorldClockRunning() const override { return running; }
  int beeps = 0, resets = 0;
  bool running = false;
};

struct Loaded {
  ModulePopulation m;
  RecordingDisplay display;
  RecordingHost host;
};

// Japan 1950: the UN's TFR of 1950-1955 is 2.96.
TEST(WorldLoads, PopulationBecomesTheStartWithItsYear) {
  auto s = std::make_unique<Loaded>();
  const wpp::Preset japan = Tables().Build(PlaceOf(392), 1950);
  s->m.World.BirthRate(0, 5) = 123.0f;  // rates stay as they were
  LoadPopulation(s->m, s->display, s->host, japan);
  int64_t persons = 0;
  for (int sex = 0; sex < kSexes; ++sex)
    for (int age = 0; age < kAges; ++age) {
      EXPECT_EQ(s->m.World.People(sex, age), HeadCount::FromPersons(japan.population[sex][age])) << sex << " " << age;
      persons += japan.population[sex][age];
    }
  EXPECT_EQ(s->m.Census.Total, HeadCount::FromPersons(persons));
  EXPECT_EQ(s->m.PeakPopulation, HeadCount::FromDouble(static_cast<double>(persons) * 1.25));
  EXPECT_EQ(int{s->m.PopulationYear}, 1950);
  EXPECT_EQ(int{s->m.PyramidContent}, kContentRelative);
  EXPECT_EQ(s->m.WorldAtStart.people, s->m.World.people);
  EXPECT_EQ(s->m.WorldAtStart.BirthRate(0, 5), 123.0f);
  EXPECT_EQ(s->host.beeps, 1);
  EXPECT_EQ(s->host.resets, 1);
}

TEST(WorldLoads, RatesGoToTheEditedTableAndTheLabelsFollow) {
  const wpp::Preset japan = Tables().Build(PlaceOf(392), 1950);
  for (const int selector : {0, 1}) {
    auto s = std::make_unique<Loaded>();
    s->m.RateSelector = selector;
    const int period = selector * 19;
    const int other = 19 - period;
    LoadRates(s->m, s->display, s->host, japan);
    for (int c = 0; c < kAgeClasses; ++c) {
      EXPECT_EQ(s->m.World.BirthRate(period, c), wpp::MilliToFloat(japan.birthMilli[c])) << c;
      EXPECT_EQ(s->m.World.DeathRate(period, 1, c), wpp::MilliToFloat(japan.deathMilli[1][c])) << c;
      EXPECT_EQ(s->m.World.BirthRate(other, c), 0.0f) << c;
    }
    ASSERT_GE(s->display.calls.size(), 2u);
    EXPECT_EQ(s->display.calls[0], "label 3 2.96 ") << selector;
    // No population: the mean death rate has nothing to measure.
    EXPECT_EQ(s->display.calls[1], "label 4 -1 ") << selector;
    EXPECT_EQ(s->host.beeps, 1);
    EXPECT_EQ(s->host.resets, 0);
  }
}

// The pyramid follows loaded rates when it shows rates and nothing else
// redraws it: a running clock redraws every year anyway.
TEST(WorldLoads, PyramidShowingRatesRedrawsWhileStopped) {
  const wpp::Preset world = Tables().Build(PlaceOf(900), 2020);
  struct Case {
    int content;
    bool running;
    bool redrawn;
  };
  const Case cases[] = {{kContentBirths, false, true},
                        {kContentDeaths, false, true},
                        {kContentBirths, true, false},
                        {kContentRelative, false, false},
                        {kContentPopulation, false, false}};
  for (const Case& c : cases) {
    auto s = std::make_unique<Loaded>();
    s->m.PyramidContent = c.content;
    s->host.running = c.running;
    LoadRates(s->m, s->display, s->host, world);
    const bool redrawn = std::find(s->display.calls.begin(), s->display.calls.end(),
                                   "pyramid " + std::to_string(c.content)) != s->display.calls.end();
    EXPECT_EQ(redrawn, c.redrawn) << c.content << " " << c.running;
    if (redrawn) {
      EXPECT_EQ(s->display.lastPyramidWorld.BirthRate(0, 6), s->m.World.BirthRate(0, 6));
    }
  }
}

TEST(WorldLoads, BothPutTheRatesIntoTheSavedStartWithOneBeep) {
  auto s = std::make_unique<Loaded>();
  const wpp::Preset world = Tables().Build(PlaceOf(900), 1950);
  LoadBoth(s->m, s->display, s->host, world);
  for (int c = 0; c < kAgeClasses; ++c)
    EXPECT_EQ(s->m.WorldAtStart.BirthRate(0, c), wpp::MilliToFloat(world.birthMilli[c])) << c;
  EXPECT_EQ(s->m.WorldAtStart.people, s->m.World.people);
  EXPECT_EQ(int{s->m.PopulationYear}, 1950);
  EXPECT_EQ(s->host.beeps, 1);
  EXPECT_EQ(s->host.resets, 1);
  // The UN's TFR of the world in 1950-1955 is 4.967; the controller shows two decimals.
  EXPECT_EQ(s->display.calls.front(), "label 3 4.97 ");
}

// A run from a UN population counts its years from that population's year,
// in the controller, the figures and every Reset; a preset file's population
// is of 2000 again.
TEST(WorldLoads, CalendarFollowsTheLoadedPopulation) {
  const wpp::Preset japan = Tables().Build(PlaceOf(392), 1950);
  auto s = std::make_unique<Loaded>();
  RunControl control(s->m, s->display);
  s->m.StartYear = kRunStartYear;
  const auto yearLabel = [&] {
    for (auto call = s->display.calls.rbegin(); call != s->display.calls.rend(); ++call)
      if (call->rfind("label 0 ", 0) == 0) return call->substr(8);
    return std::string();
  };
  const auto resetAndRun = [&](int years) {
    control.Reset();
    EXPECT_FALSE(control.Start());
    for (int i = 0; i < years; ++i) EXPECT_EQ(control.Tick(), TickResult::kStepped);
  };

  LoadBoth(s->m, s->display, s->host, japan);
  resetAndRun(0);
  EXPECT_EQ(yearLabel(), "1950 ");
  resetAndRun(3);
  EXPECT_EQ(yearLabel(), "1953 ");
  EXPECT_EQ(FiguresOf(s->m).year, 1953);
  control.Reset();
  EXPECT_EQ(yearLabel(), "1950 ");

  control.AdoptLoadedPopulation();  // as the settings window's load adopts
  resetAndRun(2);
  EXPECT_EQ(yearLabel(), "2002 ");
  EXPECT_EQ(FiguresOf(s->m).year, 2002);
}

using testing::ReadWholeFile;

TEST(SlotSave, WritesThePairInTheSettingsWindowsFormats) {
  TempFolder temp;
  const fs::path data = temp.MakeData();
  const wpp::Preset japan = Tables().Build(PlaceOf(392), 1950);
  EXPECT_FALSE(SlotHasFiles(data.string(), 2));
  SaveSlot(data.string(), 2, japan, false);
  EXPECT_TRUE(SlotHasFiles(data.string(), 2));

  PopulationImage population{};
  RateImage rates{};
  const std::string stp = ReadWholeFile(data / "STP2.stp");
  const std::string brf = ReadWholeFile(data / "BRF2.brf");
  ASSERT_EQ(stp.size(), population.size());
  ASSERT_EQ(brf.size(), rates.size());
  std::memcpy(population.data(), stp.data(), stp.size());
  std::memcpy(rates.data(), brf.data(), brf.size());
  WorldRecord read{};
  DecodePopulation(population, read);
  DecodeRates(rates, read, 19);
  EXPECT_EQ(read.People(1, 30), HeadCount::FromPersons(japan.population[1][30]));
  EXPECT_EQ(read.BirthRate(19, 5), wpp::MilliToFloat(japan.birthMilli[5]));
  EXPECT_EQ(read.DeathRate(19, 0, 12), wpp::MilliToFloat(japan.deathMilli[0][12]));
}

// Either both files of the slot are the new pair, or both are as they were.
TEST(SlotSave, PairIsWrittenWholeOrNotAtAll) {
  const wpp::Preset japan = Tables().Build(PlaceOf(392), 1950);
  struct Case {
    const char* what;
    bool existing;  // the slot holds files before
    bool replace;
    bool rateIsFolder;  // the rate file's name is taken by a folder
    bool written;
  };
  const Case cases[] = {
      {"empty slot", false, false, false, true},
      {"replacing when asked", true, true, false, true},
      {"existing slot not replaced unasked", true, false, false, false},
      {"rate name taken by a folder", false, true, true, false},
      {"existing pair kept when the rate name is a folder", true, true, true, false},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    const fs::path data = temp.MakeData();
    if (c.existing) std::ofstream(data / "STP3.stp") << "old population";
    if (c.rateIsFolder)
      fs::create_directory(data / "BRF3.brf");
    else if (c.existing)
      std::ofstream(data / "BRF3.brf") << "old rates";
    const std::string before = ReadWholeFile(data / "STP3.stp");
    bool failed = false;
    try {
      SaveSlot(data.string(), 3, japan, c.replace);
    } catch (const std::exception&) {
      failed = true;
    }
    EXPECT_EQ(!failed, c.written) << c.what;
    const std::string after = ReadWholeFile(data / "STP3.stp");
    if (c.written) {
      EXPECT_EQ(after.size(), kPopulationFileBytes) << c.what;
      EXPECT_EQ(ReadWholeFile(data / "BRF3.brf").size(), kRateFileBytes) << c.what;
    } else {
      EXPECT_EQ(after, before) << c.what;
      if (c.rateIsFolder) {
        EXPECT_TRUE(fs::is_directory(data / "BRF3.brf")) << c.what;
      } else {
        EXPECT_EQ(ReadWholeFile(data / "BRF3.brf"), c.existing ? "old rates" : "") << c.what;
      }
    }
  }
}

TEST(SlotSave, BlankSlotAndSlotsBeyondFourAreRefused) {
  TempFolder temp;
  const fs::path data = temp.MakeData();
  const wpp::Preset japan = Tables().Build(PlaceOf(392), 1950);
  for (const int slot : {0, 5, -1}) {
    EXPECT_THROW(SaveSlot(data.string(), slot, japan, true), std::out_of_range) << slot;
  }
  EXPECT_TRUE(fs::is_empty(data));
}

}  // namespace
}  // namespace velmora::worlddata
