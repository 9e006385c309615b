#pragma once

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "scenario/core/FailureDialogue.h"
#include "scenario/core/ScenarioHost.h"
#include "scenario/core/StepSequence.h"

namespace velmora {

// The four file buttons: save and load of the population file and the rate
// file of the selected presets, each a fixed sequence of steps under the
// failure dialogue.
class ScenarioOperations {
 public:
  enum Operation : int { kSavePopulation = 0, kSaveRates = 1, kLoadPopulation = 2, kLoadRates = 3 };

  ScenarioOperations(ModulePopulation& model, ModelDisplay& display, ScenarioHost& host, FailureDialogue& dialogue)
      : m_(model), display_(display), host_(host), dialogue_(dialogue) {}

  // The operation of a button index 0..3; any other index does nothing.
  SequenceEnd Run(int operation);

  SequenceEnd SavePopulation();
  SequenceEnd SaveRates();
  SequenceEnd LoadPopulation();
  SequenceEnd LoadRates();

 private:
  // The period the editors work on: 0 for the start table, 19 for the end.
  Int16 EditedPeriod() const;

  ModulePopulation& m_;
  ModelDisplay& display_;
  ScenarioHost& host_;
  FailureDialogue& dialogue_;
};

}  // namespace velmora
