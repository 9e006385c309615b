#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "../support/RecordingDisplay.h"
#include "TempFolder.h"
#include "model/Failure.h"
#include "scenario/core/ScenarioImage.h"
#include "scenario/core/ScenarioOperations.h"
#include "scenario/core/ScenarioPaths.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RecordingDisplay;
using testing::TempFolder;
using testing::WriteBytes;

class FakeHost : public ScenarioHost {
 public:
  int SelectedPreset(PresetList list) override { return list == PresetList::Population ? population : rates; }
  void Beep() override { events.push_back("beep"); }
  void RequestReset() override { events.push_back("reset"); }
  bool FocusPyramid() override {
    events.push_back("focus");
    return pyramidOpen;
  }
  int population = 0;
  int rates = 0;
  bool pyramidOpen = true;
  std::vector<std::string> events;
};

// Answers from a script (Skip once it runs out); a hook may change the world
// before the answer, as a user would while the box is up.
class ScriptedDialogue : public FailureDialogue {
 public:
  DialogueChoice Ask(int code) override {
    asked.push_back(code);
    if (hook) hook(code);
    if (script.empty()) return DialogueChoice::Skip;
    const DialogueChoice choice = script.front();
    script.erase(script.begin());
    return choice;
  }
  std::vector<DialogueChoice> script;
  std::function<void(int)> hook;
  std::vector<int> asked;
};

class ScenarioOperationsTest : public ::testing::Test {
 protected:
  ScenarioOperationsTest() {
    model.AppPath = app.String();
    model.World.BirthRate(0, 5) = 80.0f;  // a rate that loads must not disturb
  }
  ScenarioOperations Operations() { return ScenarioOperations(model, display, host, dialogue); }
  fs::path Data() const { return app.Path() / "Data"; }

  TempFolder app;
  ModulePopulation model;
  RecordingDisplay display;
  FakeHost host;
  ScriptedDialogue dialogue;
};

TEST_F(ScenarioOperationsTest, BlankPresetIsNeverSavedButLoads) {
  app.MakeData();
  model.World.People(0, 3) = HeadCount::FromPersons(5);
  host.population = 0;
  host.rates = 0;
  EXPECT_EQ(Operations().SavePopulation(), SequenceEnd::Stopped);
  EXPECT_EQ(Operations().SaveRates(), SequenceEnd::Stopped);
  EXPECT_TRUE(fs::is_empty(Data()));
  EXPECT_TRUE(host.events.empty());

  WriteBytes(Data() / "STP0.stp", std::vector<unsigned char>(kPopulationFileBytes, 0));
  WriteBytes(Data() / "BRF0.brf", std::vector<unsigned char>(kRateFileBytes, 0));
  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::Completed);
  EXPECT_EQ(Operations().LoadRates(), SequenceEnd::Completed);
  EXPECT_EQ(model.World.People(0, 3), HeadCount());
  EXPECT_EQ(model.World.BirthRate(0, 5), 0.0f);
  EXPECT_EQ(host.events, (std::vector<std::string>{"beep", "reset", "focus", "beep"}));
  EXPECT_TRUE(dialogue.asked.empty());
}

TEST_F(ScenarioOperationsTest, NoSelectionDoesNothing) {
  app.MakeData();
  host.population = -1;
  host.rates = -1;
  for (int operation = 0; operation < 4; ++operation) EXPECT_EQ(Operations().Run(operation), SequenceEnd::Stopped);
  EXPECT_TRUE(host.events.empty());
  EXPECT_TRUE(fs::is_empty(Data()));
}

TEST_F(ScenarioOperationsTest, SavedPopulationStoresPersonsTimesTenThousand) {
  app.MakeData();
  host.population = 1;
  model.World.People(0, 0) = HeadCount::FromPersons(1234);
  EXPECT_EQ(Operations().SavePopulation(), SequenceEnd::Completed);
  const std::vector<unsigned char> bytes = ReadBytes(Data() / "STP1.stp");
  ASSERT_EQ(bytes.size(), kPopulationFileBytes);
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin(), bytes.begin() + 8)),
            (std::vector<unsigned char>{0x20, 0x4B, 0xBC, 0, 0, 0, 0, 0}));  // 12,340,000
  EXPECT_EQ(host.events, (std::vector<std::string>{"beep"}));
}

TEST_F(ScenarioOperationsTest, LoadedPopulationBecomesTheStartOfTheNextRun) {
  app.MakeData();
  host.population = 3;
  WorldRecord file;
  file.People(0, 20) = HeadCount::FromPersons(1000);
  file.People(1, 70) = HeadCount::FromPersons(600);
  file.People(1, 10) = HeadCount::FromRaw(5'000);  // half a person
  WriteBytes(Data() / "STP3.stp", [&] {
    const PopulationImage image = EncodePopulation(file);
    std::vector<unsigned char> bytes(image.size());
    std::memcpy(bytes.data(), image.data(), image.size());
    return bytes;
  }());
  model.PyramidContent = kContentDeaths;
  model.World.People(0, 50) = HeadCount::FromPersons(9);

  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::Completed);
  EXPECT_EQ(model.World.people, file.people);
  EXPECT_EQ(model.PyramidContent, kContentRelative);
  // 1,600.5 persons; 600 of them elders: 37.4883% truncated to one decimal.
  EXPECT_EQ(model.Census.Total, HeadCount::FromRaw(16'005'000));
  EXPECT_FLOAT_EQ(model.Census.ElderRatio, 37.4f);
  // 1,600.5 x 1.25 = 2,000.625
  EXPECT_EQ(model.PeakPopulation, HeadCount::FromRaw(20'006'250));
  EXPECT_EQ(model.WorldAtStart, model.World);
  EXPECT_EQ(model.WorldAtStart.BirthRate(0, 5), 80.0f);
  EXPECT_EQ(host.events, (std::vector<std::string>{"beep", "reset"}));
}

TEST_F(ScenarioOperationsTest, RatesSavedFromTheStartTableLoadIntoTheEndTable) {
  app.MakeData();
  host.rates = 2;
  model.RateSelector = 0;
  for (int c = 0; c < kAgeClasses; ++c) {
    model.World.BirthRate(0, c) = 1.0f + c;
    model.World.DeathRate(0, 0, c) = 100.5f + c;
    model.World.DeathRate(0, 1, c) = 200.25f + c;
  }
  model.World.BirthRate(7, 4) = 55.0f;
  EXPECT_EQ(Operations().SaveRates(), SequenceEnd::Completed);
  EXPECT_EQ(fs::file_size(Data() / "BRF2.brf"), 240u);

  model.RateSelector = 1;
  EXPECT_EQ(Operations().LoadRates(), SequenceEnd::Completed);
  for (int c = 0; c < kAgeClasses; ++c) {
    EXPECT_EQ(model.World.BirthRate(19, c), 1.0f + c);
    EXPECT_EQ(model.World.DeathRate(19, 0, c), 100.5f + c);
    EXPECT_EQ(model.World.DeathRate(19, 1, c), 200.25f + c);
  }
  EXPECT_EQ(model.World.BirthRate(7, 4), 55.0f);
  EXPECT_EQ(host.events, (std::vector<std::string>{"beep", "focus", "beep"}));
}

TEST_F(ScenarioOperationsTest, ClosedPyramidAfterRatesLoadIsCodeFive) {
  app.MakeData();
  host.rates = 1;
  host.pyramidOpen = false;
  model.RateSelector = 1;
  std::vector<unsigned char> bytes(kRateFileBytes, 0);
  bytes[2] = 0xC0;
  bytes[3] = 0x3F;  // births of class 0: 1.5
  WriteBytes(Data() / "BRF1.brf", bytes);

  dialogue.script = {DialogueChoice::Skip};
  EXPECT_EQ(Operations().LoadRates(), SequenceEnd::Completed);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{5}));
  EXPECT_EQ(model.World.BirthRate(19, 0), 1.5f);
  // The failure is skipped, not mended: no sign of success.
  EXPECT_EQ(host.events, (std::vector<std::string>{"focus"}));

  dialogue.script = {DialogueChoice::EndProgram};
  EXPECT_EQ(Operations().LoadRates(), SequenceEnd::ProgramEnded);
}

TEST_F(ScenarioOperationsTest, MissingDataFolderThenBadFileNumber) {
  host.population = 2;
  model.World.People(0, 1) = HeadCount::FromPersons(40);
  // No: skip the open; the read then fails with 52; Yes there skips it too.
  dialogue.script = {DialogueChoice::Skip, DialogueChoice::Skip};
  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::Completed);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{76, 52}));
  // Nothing was read, so nothing is adopted and no beep claims success.
  EXPECT_EQ(model.World.People(0, 1), HeadCount::FromPersons(40));
  EXPECT_EQ(model.Census.Total, HeadCount());
  EXPECT_TRUE(host.events.empty());
  EXPECT_FALSE(fs::exists(Data()));

  // No in the unexpected-error box ends everything at once.
  host.events.clear();
  dialogue.asked.clear();
  dialogue.script = {DialogueChoice::Skip, DialogueChoice::EndProgram};
  EXPECT_EQ(Operations().SavePopulation(), SequenceEnd::ProgramEnded);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{76, 52}));
  EXPECT_TRUE(host.events.empty());
}

TEST_F(ScenarioOperationsTest, RetryAfterTheFolderAppearsSaves) {
  host.population = 4;
  model.World.People(1, 30) = HeadCount::FromPersons(7);
  dialogue.hook = [&](int) { app.MakeData(); };
  dialogue.script = {DialogueChoice::Retry};
  EXPECT_EQ(Operations().SavePopulation(), SequenceEnd::Completed);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{76}));
  EXPECT_EQ(fs::file_size(Data() / "STP4.stp"), kPopulationFileBytes);
  EXPECT_EQ(host.events, (std::vector<std::string>{"beep"}));
}

TEST_F(ScenarioOperationsTest, MissingPresetFileIsReportedAndNotCreated) {
  app.MakeData();
  host.population = 1;
  host.rates = 1;
  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::Completed);
  EXPECT_EQ(Operations().LoadRates(), SequenceEnd::Completed);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{53, 52, 53, 52}));
  EXPECT_TRUE(fs::is_empty(Data()));
}

TEST_F(ScenarioOperationsTest, ShortFileLeavesTheTableAsItWas) {
  app.MakeData();
  host.population = 1;
  host.rates = 1;
  model.World.People(0, 0) = HeadCount::FromPersons(12);
  WriteBytes(Data() / "STP1.stp", std::vector<unsigned char>(800, 0x01));
  WriteBytes(Data() / "BRF1.brf", std::vector<unsigned char>(239, 0x01));
  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::Completed);
  EXPECT_EQ(Operations().LoadRates(), SequenceEnd::Completed);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{62, 62}));
  EXPECT_EQ(model.World.People(0, 0), HeadCount::FromPersons(12));
  EXPECT_EQ(model.World.People(1, 99), HeadCount());
  EXPECT_EQ(model.World.BirthRate(0, 5), 80.0f);
}

TEST_F(ScenarioOperationsTest, SaveKeepsTheTailOfALongerFile) {
  app.MakeData();
  host.rates = 3;
  WriteBytes(Data() / "BRF3.brf", std::vector<unsigned char>(1000, 0x5A));
  EXPECT_EQ(Operations().SaveRates(), SequenceEnd::Completed);
  const std::vector<unsigned char> bytes = ReadBytes(Data() / "BRF3.brf");
  ASSERT_EQ(bytes.size(), 1000u);
  // Births of class 5, 80 = 0x42A00000, at bytes 20..23.
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin() + 20, bytes.begin() + 24)),
            (std::vector<unsigned char>{0x00, 0x00, 0xA0, 0x42}));
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + kRateFileBytes, bytes.end()),
            std::vector<unsigned char>(760, 0x5A));
}

TEST_F(ScenarioOperationsTest, NonFiniteRatesLoadWithoutComplaint) {
  app.MakeData();
  host.rates = 4;
  WorldRecord file;
  file.BirthRate(0, 4) = std::numeric_limits<float>::quiet_NaN();
  file.DeathRate(0, 0, 0) = std::numeric_limits<float>::infinity();
  file.DeathRate(0, 1, 19) = 3.0e38f;
  const RateImage image = EncodeRates(file, 0);
  std::vector<unsigned char> bytes(image.size());
  std::memcpy(bytes.data(), image.data(), image.size());
  WriteBytes(Data() / "BRF4.brf", bytes);
  EXPECT_EQ(Operations().LoadRates(), SequenceEnd::Completed);
  EXPECT_TRUE(dialogue.asked.empty());
  EXPECT_TRUE(std::isnan(model.World.BirthRate(0, 4)));
  EXPECT_EQ(model.World.DeathRate(0, 0, 0), std::numeric_limits<float>::infinity());
  EXPECT_EQ(model.World.DeathRate(0, 1, 19), 3.0e38f);
}

TEST_F(ScenarioOperationsTest, UnreadableHeadCountIsAnUnexpectedErrorAndKeepsTheTable) {
  app.MakeData();
  host.population = 2;
  model.World.People(0, 0) = HeadCount::FromPersons(3);
  std::vector<unsigned char> bytes(kPopulationFileBytes, 0);
  bytes[0] = 0x10;     // men's age 0 would change
  bytes[1599] = 0x80;  // women's age 99 = -2^63, no head count
  WriteBytes(Data() / "STP2.stp", bytes);
  dialogue.script = {DialogueChoice::Skip};
  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::Completed);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{kOverflow}));
  EXPECT_EQ(model.World.People(0, 0), HeadCount::FromPersons(3));
}

// A paused run: a live year, a different start, a census and a peak that a
// load must not disturb unless it really read a population.
class FailedLoadTest : public ScenarioOperationsTest {
 protected:
  FailedLoadTest() {
    app.MakeData();
    host.population = 2;
    host.rates = 2;
    model.RunState = kPaused;
    model.ElapsedYears = 25;
    model.WorldAtStart.People(0, 10) = HeadCount::FromPersons(700);
    model.World.People(0, 35) = HeadCount::FromPersons(900);
    model.World.DeathRate(0, 1, 3) = 12.5f;
    model.Census.Total = HeadCount::FromPersons(900);
    model.PeakPopulation = HeadCount::FromPersons(950);
    model.PyramidContent = kContentBirths;
  }
  void ExpectUntouched(const ModulePopulation& before) {
    EXPECT_EQ(model.World, before.World);
    EXPECT_EQ(model.WorldAtStart, before.WorldAtStart);
    EXPECT_EQ(model.Census, before.Census);
    EXPECT_EQ(model.PeakPopulation, before.PeakPopulation);
    EXPECT_EQ(model.PyramidContent, before.PyramidContent);
    EXPECT_EQ(model.RunState, before.RunState);
  }
  // A copy of the run's state (the model is too large for the stack).
  std::unique_ptr<ModulePopulation> Snapshot() const { return std::make_unique<ModulePopulation>(model); }
};

TEST_F(FailedLoadTest, ASkippedReadKeepsTheRunAndItsStartAndDoesNotBeep) {
  const std::vector<unsigned char> shortPopulation(1000, 0x01), shortRates(200, 0x01);
  WriteBytes(Data() / "STP2.stp", shortPopulation);
  WriteBytes(Data() / "BRF2.brf", shortRates);
  const auto before = Snapshot();
  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::Completed);
  EXPECT_EQ(Operations().LoadRates(), SequenceEnd::Completed);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{kInputPastEnd, kInputPastEnd}));
  ExpectUntouched(*before);
  // Only the pyramid's focus follows a failed rate load; no beep, no Reset.
  EXPECT_EQ(host.events, (std::vector<std::string>{"focus"}));
  EXPECT_EQ(ReadBytes(Data() / "STP2.stp"), shortPopulation);
  EXPECT_EQ(ReadBytes(Data() / "BRF2.brf"), shortRates);

  // Ended by the user: nothing more happens, and no beep either.
  host.events.clear();
  dialogue.script = {DialogueChoice::EndProgram};
  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::ProgramEnded);
  ExpectUntouched(*before);
  EXPECT_TRUE(host.events.empty());
}

TEST_F(FailedLoadTest, ARetryThatSucceedsBeepsAndAdopts) {
  WriteBytes(Data() / "STP2.stp", std::vector<unsigned char>(1000, 0));
  // While the box is up the file is put right: 1,000 men aged 0.
  dialogue.hook = [&](int) {
    std::vector<unsigned char> bytes(kPopulationFileBytes, 0);
    bytes[1] = 0x96;
    bytes[2] = 0x98;  // 10,000,000 = 0x989680
    bytes[0] = 0x80;
    WriteBytes(Data() / "STP2.stp", bytes);
  };
  dialogue.script = {DialogueChoice::Retry};
  EXPECT_EQ(Operations().LoadPopulation(), SequenceEnd::Completed);
  EXPECT_EQ(dialogue.asked, (std::vector<int>{kInputPastEnd}));
  EXPECT_EQ(model.World.People(0, 0), HeadCount::FromPersons(1000));
  EXPECT_EQ(model.Census.Total, HeadCount::FromPersons(1000));
  EXPECT_EQ(model.PeakPopulation, HeadCount::FromPersons(1250));
  EXPECT_EQ(model.WorldAtStart, model.World);
  EXPECT_EQ(host.events, (std::vector<std::string>{"beep", "reset"}));
}

}  // namespace
}  // namespace velmora
