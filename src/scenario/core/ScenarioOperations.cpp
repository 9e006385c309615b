#include "scenario/core/ScenarioOperations.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "model/Census.h"
#include "model/Failure.h"
#include "model/RunControl.h"
#include "scenario/core/ScenarioFile.h"
#include "scenario/core/ScenarioImage.h"
#include "scenario/core/ScenarioPaths.h"

namespace velmora {
namespace {

// Reads the list's selection into preset; below lowest the operation stops
// quietly. Saves start at 1: preset 0 is the blank one, loaded but never
// overwritten.
Step SelectPreset(ScenarioHost& host, PresetList list, int lowest, int& preset) {
  return [&host, list, lowest, &preset] {
    preset = host.SelectedPreset(list);
    return preset < lowest ? StepResult::Stop : StepResult::Next;
  };
}

// The file handle is the operation's ScenarioFile; obtaining it cannot fail.
Step ObtainFileHandle() {
  return [] { return StepResult::Next; };
}

// A step that notes in done that its work went through. A failure that the
// user skips leaves done false; a retry that succeeds sets it.
Step Tracked(bool& done, std::function<void()> work) {
  return [&done, work = std::move(work)] {
    work();
    done = true;
    return StepResult::Next;
  };
}

// The beep is the only sign of success: it sounds only when every step of
// the operation went through, at once or after retries.
Step BeepIfDone(ScenarioHost& host, std::vector<const bool*> steps) {
  return Action([&host, steps = std::move(steps)] {
    if (std::all_of(steps.begin(), steps.end(), [](const bool* done) { return *done; })) host.Beep();
  });
}

}  // namespace

SequenceEnd ScenarioOperations::Run(int operation) {
  switch (operation) {
    case kSavePopulation:
      return SavePopulation();
    case kSaveRates:
      return SaveRates();
    case kLoadPopulation:
      return LoadPopulation();
    case kLoadRates:
      return LoadRates();
    default:
      return SequenceEnd::Stopped;
  }
}

Int16 ScenarioOperations::EditedPeriod() const { return velmora::EditedPeriod(m_); }

SequenceEnd ScenarioOperations::SavePopulation() {
  int n = -1;
  ScenarioFile file;
  bool opened = false, written = false, closed = false;
  const StepSequence steps{
      SelectPreset(host_, PresetList::Population, 1, n),
      ObtainFileHandle(),
      Tracked(opened, [&] { file.OpenForUpdate(PopulationFilePath(m_.AppPath, n)); }),
      Tracked(written, [&] { file.WriteRecord(EncodePopulation(m_.World)); }),
      Tracked(closed, [&] { file.Close(); }),
      BeepIfDone(host_, {&opened, &written, &closed}),
  };
  return steps.Run(dialogue_);
}

SequenceEnd ScenarioOperations::SaveRates() {
  int n = -1;
  ScenarioFile file;
  bool opened = false, written = false, closed = false;
  const StepSequence steps{
      SelectPreset(host_, PresetList::Rates, 1, n),
      ObtainFileHandle(),
      Tracked(opened, [&] { file.OpenForUpdate(RateFilePath(m_.AppPath, n)); }),
      Tracked(written, [&] { file.WriteRecord(EncodeRates(m_.World, EditedPeriod())); }),
      Tracked(closed, [&] { file.Close(); }),
      BeepIfDone(host_, {&opened, &written, &closed}),
  };
  return steps.Run(dialogue_);
}

SequenceEnd ScenarioOperations::LoadPopulation() {
  RunControl control(m_, display_);
  int n = -1;
  ScenarioFile file;
  bool opened = false, read = false, closed = false;
  // Without a population read from the file there is nothing to adopt: the
  // run keeps its state and its start exactly as they were.
  const auto adopt = [&read](std::function<void()> work) {
    return Action([&read, work = std::move(work)] {
      if (read) work();
    });
  };
  const StepSequence steps{
      SelectPreset(host_, PresetList::Population, 0, n),
      ObtainFileHandle(),
      Tracked(opened, [&] { file.OpenForReading(PopulationFilePath(m_.AppPath, n)); }),
      Tracked(read,
              [&] {
                PopulationImage image{};
                file.ReadRecord(image);
                DecodePopulation(image, m_.World);
              }),
      Tracked(closed, [&] { file.Close(); }),
      BeepIfDone(host_, {&opened, &read, &closed}),
      adopt([&] { control.AdoptView(); }),
      adopt([&] { control.AdoptCensus(); }),
      adopt([&] { control.AdoptPeak(); }),
      // The loaded population, with the rate schedule as it stands, becomes
      // the start that the requested Reset restores.
      adopt([&] { control.AdoptAsStart(); }),
      adopt([&] { host_.RequestReset(); }),
  };
  return steps.Run(dialogue_);
}

SequenceEnd ScenarioOperations::LoadRates() {
  int n = -1;
  ScenarioFile file;
  bool opened = false, read = false, closed = false, focused = false;
  const StepSequence steps{
      SelectPreset(host_, PresetList::Rates, 0, n),
      ObtainFileHandle(),
      Tracked(opened, [&] { file.OpenForReading(RateFilePath(m_.AppPath, n)); }),
      // All or nothing: a failed read leaves every rate table as it was.
      Tracked(read,
              [&] {
                RateImage image{};
                file.ReadRecord(image);
                DecodeRates(image, m_.World, EditedPeriod());
              }),
      Tracked(closed, [&] { file.Close(); }),
      // The rates are in already when the pyramid window is closed; that
      // failure still means no beep.
      Tracked(focused,
              [&] {
                if (!host_.FocusPyramid()) throw Failure{kInvalidCall};
              }),
      BeepIfDone(host_, {&opened, &read, &closed, &focused}),
  };
  return steps.Run(dialogue_);
}

}  // namespace velmora
