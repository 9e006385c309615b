#include "cli/InfoCommand.h"

#include <memory>

#include "cli/Output.h"
#include "cli/core/PresetIo.h"
#include "cli/core/Report.h"
#include "model/Census.h"
#include "model/Failure.h"
#include "model/ModulePopulation.h"
#include "model/QuietDisplay.h"
#include "presets/MessageText.h"

namespace velmora::cli {
namespace {

struct InfoOptions {
  std::string rates;
  std::string population;
  std::string format = "csv";
};

// Every sum the census and the indicators take must fit a head count: the
// positive counts together, and the negative ones. Then every partial sum
// (a sex, an age group) fits as well.
void CheckPopulationSums(const std::string& path, const WorldRecord& world) {
  __int128 positive = 0;
  __int128 negative = 0;
  for (int i = 0; i < kSexes * kAges; ++i) {
    const int64_t raw = world.people[i].Raw();
    (raw < 0 ? negative : positive) += raw;
  }
  if (positive > HeadCount::kMaxRaw || -negative > HeadCount::kMaxRaw) {
    throw InputError(presets::ShownPath(path) +
                     ": the population's sum leaves the head-count range -922337203685477.5807..922337203685477.5807");
  }
}

void Info(const InfoOptions& o) {
  const auto model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  ReadRates(o.rates, m.World, 0);
  InfoReport report;
  report.rates = o.rates;
  report.fertilityRate = FertilityRate(0, m.World);
  report.period = ComputePeriodIndicators(m.World, 0);
  if (!o.population.empty()) {
    ReadPopulation(o.population, m.World);
    CheckPopulationSums(o.population, m.World);
    report.population = o.population;
    QuietDisplay display;
    TakeCensus(m.Census, m.World, m, display);
    try {
      if (m.Exploded == 0) report.meanDeathRate = MeanDeathRate(m, 0, m.World);
    } catch (const Failure& failure) {
      if (failure.code != kOverflow) throw;
    }
    report.people = ComputePopulationIndicators(m.World);
  }
  WriteOutput(kStandardOutput, o.format == "json" ? InfoJson(report) : InfoCsv(report));
}

}  // namespace

void AddInfoCommand(CLI::App& app) {
  auto options = std::make_shared<InfoOptions>();
  CLI::App* info =
      app.add_subcommand("info", "The indicators of a rate table and, with --population, of a population.");
  info->add_option("--rates", options->rates, "Rates: .brf preset file or rates CSV")->required()->type_name("FILE");
  info->add_option("--population", options->population, "Population: .stp preset file or population CSV")
      ->type_name("FILE");
  info->add_option("--format", options->format, "Output format")
      ->type_name("csv|json")
      ->check(CLI::IsMember({"csv", "json"}))
      ->capture_default_str();
  info->footer(
      "Rates: tfr, e0_men, e0_women, nrr, growth_factor, growth_rate, stable_child_share, stable_adult_share, "
      "stable_elder_share. Population: mean_death_rate (under these rates), median_age, mean_age, "
      "old_age_dependency, total_dependency. Groups 0-15 / 16-64 / 65-99; UN figures use 0-14 / 15-64.");
  info->callback([options] { Info(*options); });
}

}  // namespace velmora::cli
