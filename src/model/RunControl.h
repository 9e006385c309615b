#pragma once

#include <string>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"

namespace velmora {

// The calendar year of elapsed year 0: the frame's load and Reset set it.
inline constexpr int kRunStartYear = 2000;

// The pyramid's information line is also the run's status line.
inline constexpr const char* kInfoSimulating = "Now Simulating......";
inline constexpr const char* kInfoFinished = "Finished";

// The controller's value labels LabelD(0..4).
enum ControllerLabel : int {
  kLabelYear = 0,
  kLabelPopulation = 1,
  kLabelElders = 2,
  kLabelFertility = 3,
  kLabelDeaths = 4,
};
inline constexpr int kControllerLabels = 5;

// The captions of those labels as Reset, the yearly step and the pyramid
// editor write them: the number's text, then its suffix.
std::string YearCaption(int year);               // "2000 "
std::string PopulationCaption(HeadCount total);  // "1,234 "
std::string EldersCaption(float elderRatio);     // "23.4% "
std::string FertilityCaption(float rate);        // "1.33 "
std::string DeathsCaption(float meanDeathRate);  // "76.47 "

// What one tick of the world clock did.
enum class TickResult {
  kStepped,   // one year advanced; the clock goes on
  kFinished,  // the years of the run are done; nothing advanced
  kDiedOut,   // no one is left (a total of zero or less); nothing advanced
  kExploded,  // the population exploded; the clock stays off
};

// The run's rules, once for every runner: the frame's commands and clock,
// the command line, the chart program, the fuzz targets and the soak test.
// The runner drives its own timers, menus and windows around these calls.
class RunControl {
 public:
  RunControl(ModulePopulation& model, ModelDisplay& display) : m_(model), display_(display) {}

  // Start: the saved state, the run variables, the census, year 0 and the
  // schedule (StartRunModel). True when the census of the starting
  // population overflowed: the explosion has been reported, and the run
  // stops at its first tick.
  bool Start();

  // One tick of the world clock: the end test (no one left, or the run's
  // years done, which sets RunCenturies = 0), otherwise one AdvanceYear and
  // the peak population.
  TickResult Tick();

  // Reset's model side, in its order: RunState idle, Capacity from the peak,
  // StartYear, World = WorldAtStart, census, the history after year 0
  // cleared, the five labels, the graph's year-0 column, the circle cleared
  // and the pyramid redrawn. The runner does the timer, the menus, the
  // capacity text box (CapacityTextFromPeak) and the graph's marker.
  void Reset();

  // Adopting a population just loaded into World, step by step: the pyramid
  // back to its relative view, the census, PeakPopulation = 1.25 x Total,
  // and the loaded state as WorldAtStart. The settings window runs each
  // step under its failure dialogue, then requests a Reset.
  void AdoptView();
  void AdoptCensus();
  void AdoptPeak();  // Failure{kOverflow} when 1.25 x Total leaves the range
  void AdoptAsStart();
  // All four for a runner without a dialogue. A peak out of range is left
  // as it was, as skipping that failed step in the settings window leaves
  // it; it only scales the graph.
  void AdoptLoadedPopulation();

 private:
  ModulePopulation& m_;
  ModelDisplay& display_;
};

}  // namespace velmora
