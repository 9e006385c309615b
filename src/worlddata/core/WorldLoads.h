#pragma once

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "wpp/Preset.h"

namespace velmora::worlddata {

// What loading from the UN tables asks of the program around it.
class LoadHost {
 public:
  virtual ~LoadHost() = default;
  // The only signal of success.
  virtual void Beep() = 0;
  // Ask the frame for a Reset, which runs from the event loop shortly after.
  virtual void RequestReset() = 0;
  // Whether the world clock is advancing a run.
  virtual bool WorldClockRunning() const = 0;
};

// The preset's population becomes the start of the next run, as a
// population file's load does: People, the beep, the relative view, the
// census, PeakPopulation = 1.25 x Total, WorldAtStart = World, and a Reset
// requested. Its year becomes the calendar year that the Reset starts the
// run from.
void LoadPopulation(ModulePopulation& m, ModelDisplay& display, LoadHost& host, const wpp::Preset& preset);

// The preset's rates go into the table being edited (period 0 or 19), and
// every figure showing them follows at once: the controller's fertility and
// death-rate labels, and the pyramid when it shows rates and the clock is
// stopped.
void LoadRates(ModulePopulation& m, ModelDisplay& display, LoadHost& host, const wpp::Preset& preset);

// Rates first, so that the start the population load saves holds them too.
void LoadBoth(ModulePopulation& m, ModelDisplay& display, LoadHost& host, const wpp::Preset& preset);

}  // namespace velmora::worlddata
