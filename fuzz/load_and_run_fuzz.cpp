// A preset file of any content loaded through the file buttons' own
// operations (open, read, decode under the retry/skip dialogue), then a run
// of up to 100 years as the world clock drives it.
//
// Input: byte 0 chooses the file (bit 0: population or rates), the table the
// rates go to (bit 1: start or end) and how many times the dialogue answers
// Retry before Skip (bits 2-3); bytes 1 and 2 are the birth and death
// variation codes (mod 13); the rest is the file, of any length.
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/Census.h"
#include "model/Messages.h"
#include "model/Run.h"
#include "model/RunControl.h"
#include "scenario/core/ScenarioImage.h"
#include "scenario/core/ScenarioOperations.h"
#include "scenario/core/ScenarioPaths.h"

namespace {

using namespace velmora;
namespace fs = std::filesystem;

[[noreturn]] void Broken(const std::string& rule) {
  std::fprintf(stderr, "broken: %s\n", rule.c_str());
  std::abort();
}

void Check(bool ok, const std::string& rule) {
  if (!ok) Broken(rule);
}

class QuietDisplay : public ModelDisplay {
 public:
  void ShowMessage(const std::string& text, const std::string& title) override {
    if (text == kExplosionText && title == kExplosionTitle) {
      ++explosions;
    } else {
      Broken("message other than the explosion: " + title + " " + text);
    }
  }
  void SetControllerLabel(int, const std::string&) override {}
  void SetGraphPenWidth(int) override {}
  void DrawGraphColumn(Int16, const WorldRecord&, HeadCount) override {}
  void ClearGraph() override {}
  void ClearPyramid() override {}
  void ClearCircle() override {}
  void DrawPyramid(Int16, const WorldRecord&, const CensusRecord&) override {}
  void DrawAgeCircle(const CensusRecord&, const WorldRecord&) override {}
  int explosions = 0;
};

class Host : public ScenarioHost {
 public:
  int SelectedPreset(PresetList) override { return 0; }
  void Beep() override { ++beeps; }
  void RequestReset() override { ++resets; }
  bool FocusPyramid() override { return true; }
  int beeps = 0;
  int resets = 0;
};

// Answers as a user can in the box of each code: Retry a few times where
// the box offers it, otherwise the button that goes on; never the end.
class Dialogue : public FailureDialogue {
 public:
  explicit Dialogue(int retries) : retries_(retries) {}
  DialogueChoice Ask(int code) override {
    codes.push_back(code);
    Check(codes.size() < 64, "the dialogue is asked without end");
    const FailureMessage box = MessageForFailure(code);
    if (box.yes == DialogueChoice::Retry && retries_ > 0) {
      --retries_;
      return DialogueChoice::Retry;
    }
    return box.yes == DialogueChoice::Retry ? box.no : box.yes;
  }
  std::vector<int> codes;

 private:
  int retries_;
};

std::string& AppFolder() {
  static std::string folder = [] {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "velmora-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) Broken("no temporary folder");
    fs::create_directory(fs::path(pattern) / "Data");
    return pattern;
  }();
  return folder;
}

// A plausible world to load into: a few thousand people of every age and
// ordinary rates in both tables.
void FillBase(WorldRecord& w) {
  for (int s = 0; s < kSexes; ++s) {
    for (int a = 0; a < kAges; ++a) w.People(s, a) = HeadCount::FromPersons(5000 - 40 * a + 7 * s);
  }
  for (int period : {0, kPeriods - 1}) {
    for (int j = 0; j < kAgeClasses; ++j) {
      w.BirthRate(period, j) = (j >= 3 && j <= 9) ? 60.0f + period : 0.0f;
      w.DeathRate(period, 0, j) = 50.0f * static_cast<float>(j * j) + 100.0f;
      w.DeathRate(period, 1, j) = 45.0f * static_cast<float>(j * j) + 90.0f;
    }
  }
}

bool SameRates(const WorldRecord& a, const WorldRecord& b) {
  return std::memcmp(a.rates.data(), b.rates.data(), sizeof(float) * a.rates.size()) == 0;
}

bool SameRecord(const WorldRecord& a, const WorldRecord& b) {
  return a.people == b.people && SameRates(a, b) && a.variationFunc == b.variationFunc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const bool rateFile = (data[0] & 1) != 0;
  const int selector = (data[0] >> 1) & 1;
  const int retries = (data[0] >> 2) & 3;
  const std::string app = AppFolder();
  const fs::path data_folder = DataFolderPath(app);
  const std::string path = rateFile ? RateFilePath(app, 0) : PopulationFilePath(app, 0);
  {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(data_folder)) fs::remove(entry.path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 3), static_cast<std::streamsize>(size - 3));
  }

  auto model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  m.AppPath = app;
  m.StartYear = 2000;
  m.Capacity = HeadCount::FromPersons(100'000'000);
  m.RateSelector = selector;
  FillBase(m.World);
  m.World.VariationFunc(0) = data[1] % kVariationCodes;
  m.World.VariationFunc(1) = data[2] % kVariationCodes;
  const WorldRecord before = m.World;

  QuietDisplay display;
  Host host;
  Dialogue dialogue(retries);
  ScenarioOperations operations(m, display, host, dialogue);
  const SequenceEnd end = rateFile ? operations.LoadRates() : operations.LoadPopulation();
  Check(end == SequenceEnd::Completed, "a load that is only ever skipped completes");

  // The table takes the whole record or nothing.
  const std::size_t record = rateFile ? kRateFileBytes : kPopulationFileBytes;
  const std::size_t fileBytes = size - 3;
  WorldRecord expected = before;
  bool decodes = fileBytes >= record;
  if (decodes) {
    try {
      if (rateFile) {
        RateImage image;
        std::memcpy(image.data(), data + 3, record);
        DecodeRates(image, expected, Int16(19 * selector));
      } else {
        PopulationImage image;
        std::memcpy(image.data(), data + 3, record);
        DecodePopulation(image, expected);
      }
    } catch (const Failure& failure) {
      Check(failure.code == kOverflow, "a population image fails only by overflow");
      decodes = false;
    }
  }
  Check(SameRecord(m.World, expected), "the table is the file's record, or unchanged when it fails");
  if (fileBytes < record) {
    Check(!dialogue.codes.empty() && dialogue.codes.front() == kInputPastEnd, "a short file is reported");
  } else if (!decodes) {
    Check(!dialogue.codes.empty() && dialogue.codes.front() == kOverflow, "a count outside the range is reported");
  } else if (!dialogue.codes.empty()) {
    // Only the peak of 1.25 x the loaded total can still overflow.
    Check(!rateFile && dialogue.codes == std::vector<int>{kOverflow} &&
              std::fabs(m.Census.Total.ToDouble() * 1.25) > 9.2e14,
          "a complete record loads without a dialogue");
  }
  // Success is a record read in whole: only then the beep, and for a
  // population the Reset that makes it the start of the next run.
  Check(host.beeps == (decodes ? 1 : 0), "a beep exactly when the record came in whole");
  Check(host.resets == (!rateFile && decodes ? 1 : 0), "a population read in whole asks for a Reset");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(data_folder)) ++files;
  Check(files == 1, "a load creates no file");

  // The Reset the load asked for, then a run as Start and the clock make it.
  RunControl control(m, display);
  if (host.resets > 0) control.Reset();
  display.explosions = 0;  // the load's and Reset's census may have exploded; Start clears the flag
  control.Start();
  for (int tick = 0;; ++tick) {
    Check(tick <= 101, "the clock stops after 100 years");
    const int year = m.ElapsedYears;
    const TickResult result = control.Tick();
    if (result == TickResult::kFinished || result == TickResult::kDiedOut) break;
    Check(m.ElapsedYears == year + 1 || (m.ElapsedYears == year && m.Exploded == 1), "one year per tick");
    if (result == TickResult::kExploded) break;
  }
  Check(m.ElapsedYears >= 0 && m.ElapsedYears <= 100, "ElapsedYears stays in 0..100");
  Check((m.Exploded == 1) == (display.explosions > 0), "explosion flag and message agree");
  for (int n = m.ElapsedYears + 1; n < kHistoryYears; ++n) {
    Check(SameRecord(m.WorldHistory[n], m.WorldBlank), "history after the last year stays blank");
  }
  return 0;
}
