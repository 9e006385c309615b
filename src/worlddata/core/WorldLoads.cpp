#include "worlddata/core/WorldLoads.h"

#include "model/Census.h"
#include "model/Messages.h"
#include "model/RunControl.h"

namespace velmora::worlddata {

namespace {

// As the settings window's load adopts a population, with the year that the
// Reset starts the run from.
void AdoptPopulation(ModulePopulation& m, ModelDisplay& display, LoadHost& host, const wpp::Preset& preset) {
  RunControl(m, display).AdoptLoadedPopulation(preset.year);
  host.RequestReset();
}

void ShowRates(ModulePopulation& m, ModelDisplay& display, LoadHost& host, Int16 period) {
  // The labels of the edited table, as an edit on the pyramid writes them.
  display.SetControllerLabel(kLabelFertility, FertilityCaption(FertilityRate(period, m.World)));
  try {
    display.SetControllerLabel(kLabelDeaths, DeathsCaption(MeanDeathRate(m, period, m.World)));
  } catch (const Failure& failure) {
    // A population too large for the figure: said like the explosion it is.
    if (failure.code != kOverflow) throw;
    display.ShowMessage(kExplosionText, kExplosionTitle);
  }
  const bool showsRates = m.PyramidContent == kContentBirths || m.PyramidContent == kContentDeaths;
  if (showsRates && !host.WorldClockRunning()) {
    display.ClearPyramid();
    display.DrawPyramid(m.PyramidContent, m.World, m.Census);
  }
}

}  // namespace

void LoadPopulation(ModulePopulation& m, ModelDisplay& display, LoadHost& host, const wpp::Preset& preset) {
  wpp::FillPopulation(preset, m.World);
  host.Beep();
  AdoptPopulation(m, display, host, preset);
}

void LoadRates(ModulePopulation& m, ModelDisplay& display, LoadHost& host, const wpp::Preset& preset) {
  const Int16 period = EditedPeriod(m);
  wpp::FillRates(preset, m.World, period);
  host.Beep();
  ShowRates(m, display, host, period);
}

// One beep for the pair.
void LoadBoth(ModulePopulation& m, ModelDisplay& display, LoadHost& host, const wpp::Preset& preset) {
  const Int16 period = EditedPeriod(m);
  wpp::FillRates(preset, m.World, period);
  ShowRates(m, display, host, period);
  wpp::FillPopulation(preset, m.World);
  host.Beep();
  AdoptPopulation(m, display, host, preset);
}

}  // namespace velmora::worlddata
