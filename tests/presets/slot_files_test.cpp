// Writing preset files: a slot's two files as a unit, concurrent writers
// that end with matching pairs, and no temporary file left by a signal.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "presets/InputError.h"
#include "presets/SlotFiles.h"
#include "presets/WholeFile.h"

namespace velmora::presets {
namespace {

namespace fs = std::filesystem;
using velmora::testing::ReadText;
using velmora::testing::TempFolder;
using velmora::testing::WriteText;

std::string Population(char fill) { return std::string(kPopulationFileBytes, fill); }
std::string Rates(char fill) { return std::string(kRateFileBytes, fill); }

// What is left in the folder besides the slots' files and the lock.
std::vector<std::string> Leftovers(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(".velmora-cli-")) names.push_back(name);
  }
  return names;
}

TEST(SlotFiles, NamesAndPathsOfEverySlot) {
  const std::vector<std::pair<int, std::string>> cases = {{0, "0"}, {2, "2"}, {4, "4"}};
  for (const auto& [slot, digit] : cases) {
    EXPECT_EQ(PopulationFileName(slot), "STP" + digit + ".stp");
    EXPECT_EQ(RateFileName(slot), "BRF" + digit + ".brf");
    EXPECT_EQ(PopulationFilePath("Data", slot), "Data/STP" + digit + ".stp");
    EXPECT_EQ(RateFilePath("Data/", slot), "Data/BRF" + digit + ".brf");
  }
  for (const int slot : {-1, 5}) {
    EXPECT_THROW(PopulationFileName(slot), std::out_of_range);
    EXPECT_THROW(RateFileName(slot), std::out_of_range);
  }
}

struct PairCase {
  const char* name;
  std::function<void(const fs::path& data)> before;
  bool replace;
  std::string expected;  // part of the message; "" when the pair is written
};

TEST(SlotFiles, APairIsWrittenWholeOrNotAtAll) {
  const std::vector<PairCase> cases = {
      {"an empty slot", [](const fs::path&) {}, false, ""},
      {"a slot replaced", [](const fs::path& data) { WriteText(data / "STP2.stp", Population('o')); }, true, ""},
      {"a slot kept without replace", [](const fs::path& data) { WriteText(data / "BRF2.brf", Rates('o')); }, false,
       "BRF2.brf: exists already"},
      {"the rates' name is a folder",
       [](const fs::path& data) {
         WriteText(data / "STP2.stp", Population('o'));
         fs::create_directories(data / "BRF2.brf" / "inside");
       },
       true, "BRF2.brf: exists and is not a regular file"},
      {"the population's name is a link",
       [](const fs::path& data) { fs::create_symlink("/dev/null", data / "STP2.stp"); }, true,
       "STP2.stp: exists and is not a regular file"},
  };
  for (const PairCase& c : cases) {
    TempFolder folder;
    const fs::path data = folder.MakeData();
    c.before(data);
    const std::string oldPopulation = fs::is_regular_file(data / "STP2.stp") ? ReadText(data / "STP2.stp") : "";
    std::string message;
    try {
      WriteSlotPair(data.string(), 2, Population('n'), Rates('n'), c.replace);
    } catch (const InputError& error) {
      message = error.what();
    }
    if (c.expected.empty()) {
      EXPECT_EQ(message, "") << c.name;
      EXPECT_EQ(ReadText(data / "STP2.stp"), Population('n')) << c.name;
      EXPECT_EQ(ReadText(data / "BRF2.brf"), Rates('n')) << c.name;
    } else {
      EXPECT_NE(message.find(c.expected), std::string::npos) << c.name << ": " << message;
      if (fs::is_regular_file(data / "STP2.stp")) EXPECT_EQ(ReadText(data / "STP2.stp"), oldPopulation) << c.name;
    }
    EXPECT_EQ(Leftovers(data), std::vector<std::string>{}) << c.name;
  }
}

TEST(SlotFiles, ConcurrentWritersEndWithAMatchingPair) {
  TempFolder folder;
  const fs::path data = folder.MakeData();
  std::vector<pid_t> writers;
  for (const char fill : {'a', 'b', 'c'}) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int status = 0;
      for (int i = 0; i < 40; ++i) {
        try {
          WriteSlotPair(data.string(), 3, Population(fill), Rates(fill), true);
        } catch (...) {
          status = 1;
        }
      }
      ::_exit(status);
    }
    writers.push_back(pid);
  }
  for (const pid_t pid : writers) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string population = ReadText(data / "STP3.stp");
  const std::string rates = ReadText(data / "BRF3.brf");
  ASSERT_EQ(population.size(), kPopulationFileBytes);
  EXPECT_EQ(rates, Rates(population[0]));
  EXPECT_EQ(Leftovers(data), std::vector<std::string>{});
}

TEST(WholeFile, ASignalDuringAWriteLeavesNoTemporaryFile) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    TempFolder folder;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      RemoveTemporariesOnSignals();
      TemporaryFile temporary((folder.Path() / "out.csv").string(), "half of a table");
      // A second name of a file about to be replaced, as a slot write keeps one.
      WriteText(folder.Path() / ".velmora-cli-kept", "old population");
      const SignalRemovedName kept((folder.Path() / ".velmora-cli-kept").string());
      std::raise(signal);
      ::_exit(0);  // not reached: the signal ends the program
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
    EXPECT_EQ(Leftovers(folder.Path()), std::vector<std::string>{}) << signal;
    EXPECT_FALSE(fs::exists(folder.Path() / "out.csv"));
  }
}

TEST(WholeFile, RefusalsLeaveTheTargetAsItWas) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> before;
    bool force;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"exists", [](const fs::path& p) { WriteText(p, "old"); }, false, "exists already"},
      {"a folder", [](const fs::path& p) { fs::create_directory(p); }, true, "exists and is not a regular file"},
      {"a FIFO", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }, true, "exists and is not a regular file"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const fs::path target = folder.Path() / "out.csv";
    c.before(target);
    std::string message;
    try {
      WriteFileWhole(target.string(), "new", c.force);
    } catch (const InputError& error) {
      message = error.what();
    }
    EXPECT_NE(message.find(c.expected), std::string::npos) << c.name << ": " << message;
    EXPECT_EQ(Leftovers(folder.Path()), std::vector<std::string>{}) << c.name;
  }
}

}  // namespace
}  // namespace velmora::presets
