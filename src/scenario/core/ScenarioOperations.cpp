#include "scenario/core/ScenarioOperations.h"

#include "model/Census.h"
#include "model/Failure.h"
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

Int16 ScenarioOperations::EditedPeriod() const { return Int16(kPeriods - 1) * m_.RateSelector; }

SequenceEnd ScenarioOperations::SavePopulation() {
  int n = -1;
  ScenarioFile file;
  const StepSequence steps{
      SelectPreset(host_, PresetList::Population, 1, n),
      ObtainFileHandle(),
      Action([&] { file.OpenForUpdate(PopulationFilePath(m_.AppPath, n)); }),
      Action([&] { file.WriteRecord(EncodePopulation(m_.World)); }),
      Action([&] { file.Close(); }),
      Action([&] { host_.Beep(); }),
  };
  return steps.Run(dialogue_);
}

SequenceEnd ScenarioOperations::SaveRates() {
  int n = -1;
  ScenarioFile file;
  const StepSequence steps{
      SelectPreset(host_, PresetList::Rates, 1, n),
      ObtainFileHandle(),
      Action([&] { file.OpenForUpdate(RateFilePath(m_.AppPath, n)); }),
      Action([&] { file.WriteRecord(EncodeRates(m_.World, EditedPeriod())); }),
      Action([&] { file.Close(); }),
      Action([&] { host_.Beep(); }),
  };
  return steps.Run(dialogue_);
}

SequenceEnd ScenarioOperations::LoadPopulation() {
  int n = -1;
  ScenarioFile file;
  const StepSequence steps{
      SelectPreset(host_, PresetList::Population, 0, n),
      ObtainFileHandle(),
      Action([&] { file.OpenForReading(PopulationFilePath(m_.AppPath, n)); }),
      Action([&] {
        PopulationImage image{};
        file.ReadRecord(image);
        DecodePopulation(image, m_.World);
      }),
      Action([&] { file.Close(); }),
      Action([&] { host_.Beep(); }),
      Action([&] { m_.PyramidContent = kContentRelative; }),
      Action([&] { TakeCensus(m_.Census, m_.World, m_, display_); }),
      Action([&] { m_.PeakPopulation = HeadCount::FromDouble(m_.Census.Total.ToDouble() * 1.25); }),
      // The loaded population, with the rate schedule as it stands, becomes
      // the start that the requested Reset restores.
      Action([&] { m_.WorldAtStart = m_.World; }),
      Action([&] { host_.RequestReset(); }),
  };
  return steps.Run(dialogue_);
}

SequenceEnd ScenarioOperations::LoadRates() {
  int n = -1;
  ScenarioFile file;
  const StepSequence steps{
      SelectPreset(host_, PresetList::Rates, 0, n),
      ObtainFileHandle(),
      Action([&] { file.OpenForReading(RateFilePath(m_.AppPath, n)); }),
      Action([&] {
        RateImage image{};
        file.ReadRecord(image);
        DecodeRates(image, m_.World, EditedPeriod());
      }),
      Action([&] { file.Close(); }),
      Action([&] { host_.Beep(); }),
      // The rates are in already when the pyramid window is closed.
      Action([&] {
        if (!host_.FocusPyramid()) throw Failure{kInvalidCall};
      }),
  };
  return steps.Run(dialogue_);
}

}  // namespace velmora
