#include "scenario/core/ScenarioOperations.h"

#include "model/Census.h"
#include "model/Failure.h"
#include "scenario/core/ScenarioFile.h"
#include "scenario/core/ScenarioImage.h"
#include "scenario/core/ScenarioPaths.h"

namespace velmora {

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
  return StepSequence{
      // Preset 0 is the blank one: it can be loaded, never overwritten.
      [&] { return (n = host_.SelectedPreset(PresetList::Population)) <= 0 ? StepResult::Stop : StepResult::Next; },
      [&] { return StepResult::Next; },  // the file handle is the ScenarioFile above
      [&] {
        file.OpenForUpdate(PopulationFilePath(m_.AppPath, n));
        return StepResult::Next;
      },
      [&] {
        file.WriteRecord(EncodePopulation(m_.World));
        return StepResult::Next;
      },
      [&] {
        file.Close();
        return StepResult::Next;
      },
      [&] {
        host_.Beep();
        return StepResult::Next;
      },
  }
      .Run(dialogue_);
}

SequenceEnd ScenarioOperations::SaveRates() {
  int n = -1;
  ScenarioFile file;
  return StepSequence{
      [&] { return (n = host_.SelectedPreset(PresetList::Rates)) <= 0 ? StepResult::Stop : StepResult::Next; },
      [&] { return StepResult::Next; },
      [&] {
        file.OpenForUpdate(RateFilePath(m_.AppPath, n));
        return StepResult::Next;
      },
      [&] {
        file.WriteRecord(EncodeRates(m_.World, EditedPeriod()));
        return StepResult::Next;
      },
      [&] {
        file.Close();
        return StepResult::Next;
      },
      [&] {
        host_.Beep();
        return StepResult::Next;
      },
  }
      .Run(dialogue_);
}

SequenceEnd ScenarioOperations::LoadPopulation() {
  int n = -1;
  ScenarioFile file;
  return StepSequence{
      [&] { return (n = host_.SelectedPreset(PresetList::Population)) < 0 ? StepResult::Stop : StepResult::Next; },
      [&] { return StepResult::Next; },
      [&] {
        file.OpenForReading(PopulationFilePath(m_.AppPath, n));
        return StepResult::Next;
      },
      [&] {
        PopulationImage image{};
        file.ReadRecord(image);
        DecodePopulation(image, m_.World);
        return StepResult::Next;
      },
      [&] {
        file.Close();
        return StepResult::Next;
      },
      [&] {
        host_.Beep();
        return StepResult::Next;
      },
      [&] {
        m_.PyramidContent = kContentRelative;
        return StepResult::Next;
      },
      [&] {
        TakeCensus(m_.Census, m_.World, m_, display_);
        return StepResult::Next;
      },
      [&] {
        m_.PeakPopulation = HeadCount::FromDouble(m_.Census.Total.ToDouble() * 1.25);
        return StepResult::Next;
      },
      [&] {
        m_.WorldAtStart = m_.World;
        return StepResult::Next;
      },
      [&] {
        host_.RequestReset();
        return StepResult::Next;
      },
  }
      .Run(dialogue_);
}

SequenceEnd ScenarioOperations::LoadRates() {
  int n = -1;
  ScenarioFile file;
  return StepSequence{
      [&] { return (n = host_.SelectedPreset(PresetList::Rates)) < 0 ? StepResult::Stop : StepResult::Next; },
      [&] { return StepResult::Next; },
      [&] {
        file.OpenForReading(RateFilePath(m_.AppPath, n));
        return StepResult::Next;
      },
      [&] {
        RateImage image{};
        file.ReadRecord(image);
        DecodeRates(image, m_.World, EditedPeriod());
        return StepResult::Next;
      },
      [&] {
        file.Close();
        return StepResult::Next;
      },
      [&] {
        host_.Beep();
        return StepResult::Next;
      },
      [&] {
        if (!host_.FocusPyramid()) throw Failure{kInvalidCall};
        return StepResult::Next;
      },
  }
      .Run(dialogue_);
}

}  // namespace velmora
