#include "cli/core/Scenario.h"

#include <array>
#include <memory>

#include "cli/core/PresetIo.h"
#include "model/QuietDisplay.h"
#include "model/Census.h"
#include "model/Failure.h"
#include "model/ModulePopulation.h"
#include "model/Run.h"

namespace velmora::cli {
namespace {

constexpr std::array<std::string_view, kVariationCodes> kVariationNames = {
    "constant", "linear100", "linear50", "linear25", "linear10", "double100", "double50",
    "double25", "double10",  "halve100", "halve50",  "halve25",  "halve10"};

// The figures of the current year as the controller computes them: period 0
// in year 0 (Reset's labels), elapsed div 5 after a step.
YearFigures FiguresOf(const ModulePopulation& m) {
  YearFigures f;
  f.elapsed = m.ElapsedYears;
  f.year = m.StartYear + f.elapsed;
  f.census = m.Census;
  f.elderRatio = m.Census.ElderRatio;
  const int period = f.elapsed / 5;  // 20 in year 100, which the figures read as 19
  f.fertilityRate = FertilityRate(Int16(period), m.World);
  try {
    f.meanDeathRate = MeanDeathRate(m, Int16(period), m.World);
  } catch (const Failure& failure) {
    // After a step the model has reported this as the explosion already; in
    // year 0 the controller shows the message and leaves the figure out.
    if (failure.code != kOverflow) throw;
  }
  if (m.Census.Total > HeadCount()) {
    const HeadCount elders = m.Census.GroupSum(0, kElders) + m.Census.GroupSum(1, kElders);
    f.elderShare = elders.ToDouble() / m.Census.Total.ToDouble();
  }
  f.period = ComputePeriodIndicators(m.World, period);
  f.population = ComputePopulationIndicators(m.World);
  return f;
}

}  // namespace

RunOutcome RunScenario(const ScenarioInputs& inputs) {
  // WorldHistory alone is 101 records: the model lives on the heap.
  const auto model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  QuietDisplay display;
  m.StartYear = 2000;

  // The settings window's population load and the Reset it requests come
  // down, for the figures, to the census of the loaded state. (The peak and
  // the graph's capacity they also set matter to the graph alone.)
  m.World = inputs.world;
  TakeCensus(m.Census, m.World, m, display);

  RunOutcome outcome;
  StartRunModel(m, display);
  outcome.years.push_back(FiguresOf(m));
  // The world clock's tick: it stops on a population of none or when the
  // years are done, and is not re-armed after an explosion.
  while (m.Census.Total > HeadCount() && m.ElapsedYears < inputs.years) {
    AdvanceYear(m, display);
    if (m.Exploded == 1) {
      outcome.end = RunEnd::kExploded;
      break;
    }
    outcome.years.push_back(FiguresOf(m));
  }
  if (outcome.end != RunEnd::kExploded && !(m.Census.Total > HeadCount())) outcome.end = RunEnd::kDiedOut;
  outcome.messages = display.Messages();
  return outcome;
}

int ParseVariation(std::string_view text) {
  for (int code = 0; code < kVariationCodes; ++code) {
    if (text == kVariationNames[code] || text == std::to_string(code)) return code;
  }
  std::string known;
  for (std::string_view name : kVariationNames) known += (known.empty() ? "" : ", ") + std::string(name);
  throw InputError("unknown variation \"" + std::string(text) + "\" (expected " + known + " or 0..12)");
}

std::string_view VariationName(int code) {
  return code >= 0 && code < kVariationCodes ? kVariationNames[code] : std::string_view("unknown");
}

}  // namespace velmora::cli
