#include "cli/core/HeadlessRun.h"

#include <algorithm>
#include <memory>
#include <string>

#include "cli/core/PresetIo.h"
#include "model/ModulePopulation.h"
#include "model/QuietDisplay.h"
#include "model/RunControl.h"
#include "model/VariationNames.h"

namespace velmora::cli {

RunOutcome HeadlessRun(const HeadlessInputs& inputs) {
  // WorldHistory alone is 101 records: the model lives on the heap.
  const auto model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  QuietDisplay display;
  RunControl control(m, display);
  m.StartYear = kRunStartYear;

  m.World = inputs.world;
  control.AdoptLoadedPopulation(inputs.startYear);
  control.Reset();

  RunOutcome outcome;
  if (control.Start()) {
    // The sums of year 0 are partial: no row of them.
    outcome.end = RunEnd::kExploded;
  } else {
    outcome.years.push_back(FiguresOf(m));
    while (m.ElapsedYears < inputs.years) {
      const TickResult tick = control.Tick();
      if (tick != TickResult::kStepped) {
        if (tick == TickResult::kExploded) outcome.end = RunEnd::kExploded;
        break;
      }
      outcome.years.push_back(FiguresOf(m));
    }
    if (outcome.end != RunEnd::kExploded && !(m.Census.Total > HeadCount())) outcome.end = RunEnd::kDiedOut;
  }
  // The load, Reset and Start each take the census: one overflow is one message.
  for (const std::string& message : display.Messages()) {
    if (std::find(outcome.messages.begin(), outcome.messages.end(), message) == outcome.messages.end()) {
      outcome.messages.push_back(message);
    }
  }
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

}  // namespace velmora::cli
