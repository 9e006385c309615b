#include "cli/RunCommand.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/Charts.h"
#include "cli/ExitStatus.h"
#include "cli/OptionChecks.h"
#include "cli/Output.h"
#include "cli/core/HeadlessRun.h"
#include "cli/core/NumberFormat.h"
#include "cli/core/PresetIo.h"
#include "cli/core/Report.h"
#include "model/RunControl.h"
#include "presets/Decimal.h"
#include "presets/MessageText.h"

namespace velmora::cli {
namespace {

// The years of a run of 100 stay within the model's 16-bit years.
constexpr int kLastStartYear = 9999;

struct RunOptions {
  std::string population;
  std::string startRates;
  std::string endRates;
  std::string birthsVariation = "constant";
  std::string deathsVariation = "constant";
  int years = 100;
  int startYear = kRunStartYear;
  std::string format = "csv";
  std::string output = kStandardOutput;
  std::string charts;
};

void Run(const RunOptions& o) {
  // Everything is read and checked before anything is written.
  HeadlessInputs inputs;
  inputs.years = o.years;
  inputs.startYear = o.startYear;
  const int births = ParseVariation(o.birthsVariation);
  const int deaths = ParseVariation(o.deathsVariation);
  const std::string& endRates = o.endRates.empty() ? o.startRates : o.endRates;
  ReadPopulation(o.population, inputs.world);
  ReadRates(o.startRates, inputs.world, 0);
  ReadRates(endRates, inputs.world, 19);
  inputs.world.VariationFunc(0) = births;
  inputs.world.VariationFunc(1) = deaths;
  if (o.output != kStandardOutput) {
    // The report may replace an old report, never one of its own inputs.
    for (const std::string& input : {o.population, o.startRates, endRates}) {
      std::error_code error;
      if (std::filesystem::equivalent(o.output, input, error)) {
        throw InputError(presets::ShownPath(o.output) + ": is an input of this run (" + presets::ShownPath(input) +
                         "); choose another --output");
      }
    }
  }
  if (!o.charts.empty()) CheckCharts(o.charts);

  const RunOutcome outcome = HeadlessRun(inputs);
  const RunDescription description{o.population, o.startRates, endRates, births, deaths, o.years, o.startYear};
  WriteOutput(o.output, o.format == "json" ? RunJson(description, outcome) : RunCsv(outcome));
  if (!o.charts.empty()) DrawCharts(o.charts, inputs);

  // No year at all: the census at Start overflowed.
  const int lastYear = outcome.years.empty() ? o.startYear - 1 : outcome.years.back().year;
  switch (outcome.end) {
    case RunEnd::kCompleted:
      return;
    case RunEnd::kDiedOut:
      std::cerr << "velmora-cli: the population died out in " << lastYear << "; the run stops there\n";
      throw CommandExit{kExitDiedOut};
    case RunEnd::kExploded:
      std::cerr << "velmora-cli: the population exploded in " << lastYear + 1
                << " (a head count, a sum or the year's expected deaths left the range";
      for (const std::string& message : outcome.messages) std::cerr << "; " << message;
      if (outcome.years.empty()) {
        std::cerr << "); no year is written\n";
      } else {
        std::cerr << "); the years up to " << lastYear << " are written\n";
      }
      throw CommandExit{kExitExploded};
  }
}

// A variation's name, or its code in the grammar of every whole number
// ("07" is 7); anything else is a usage error.
CLI::Validator Variation() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (const auto code = presets::ParseWhole(text, 0, 12)) {
          text = std::to_string(*code);
          return {};
        }
        try {
          ParseVariation(text);
          return {};
        } catch (const InputError&) {
          return "unknown variation \"" + text + "\" (see --help)";  // escaped by main()
        }
      },
      "", "Variation");
}

}  // namespace

void AddRunCommand(CLI::App& app) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* run = app.add_subcommand(
      "run",
      "Run a scenario as the desktop program does (period 0 = start rates, period 19 = end rates, the "
      "variation functions, then one step per year) and write one row per year from year 0.");
  run->add_option("--population", options->population, "Population: .stp preset file or sex,age,population CSV")
      ->required()
      ->type_name("FILE");
  run->add_option("--start-rates", options->startRates, "Rates at the start: .brf preset file or rates CSV")
      ->required()
      ->type_name("FILE");
  run->add_option("--end-rates", options->endRates, "Rates at the end (default: the start rates)")->type_name("FILE");
  run->add_option("--births-variation", options->birthsVariation,
                  "How birth rates move from start to end: constant, linear100, linear50, linear25, linear10, "
                  "double100, double50, double25, double10, halve100, halve50, halve25, halve10, or 0..12")
      ->type_name("V")
      ->transform(Variation())
      ->capture_default_str();
  run->add_option("--deaths-variation", options->deathsVariation, "The same for the death rates")
      ->type_name("V")
      ->transform(Variation())
      ->capture_default_str();
  run->add_option("--years", options->years, "Years to run, 1..100")
      ->type_name("N")
      ->transform(WholeNumber(1, 100))
      ->capture_default_str();
  run->add_option("--start-year", options->startYear,
                  "The calendar year of the population, year 0 of the run (the presets are of 2000; a UN preset "
                  "of year Y is of Y), 1..9999")
      ->type_name("Y")
      ->transform(WholeNumber(1, kLastStartYear))
      ->capture_default_str();
  run->add_option("--format", options->format, "Output format")
      ->type_name("csv|json")
      ->check(CLI::IsMember({"csv", "json"}))
      ->capture_default_str();
  run->add_option("--output", options->output, "Write here (whole, or not at all); - is standard output")
      ->check(OutputPath())
      ->type_name("FILE");
  run->add_option("--charts", options->charts, "Also write pyramid.png, graph.png and circle.png of the last year")
      ->type_name("DIR");
  run->footer(
      "Columns: year, elapsed, total, men_0_15, men_16_64, men_65_99, women_0_15, women_16_64, women_65_99, "
      "elder_ratio_percent (as the controller shows it), elder_share (exact), tfr, mean_death_rate (of the year's "
      "period, as the controller computes them; -1 when there is nothing to measure), e0_men, e0_women, nrr, "
      "growth_rate, stable_elder_share (of the year's rates), median_age, mean_age, old_age_dependency, "
      "total_dependency (of the year's population). Groups are the program's own 0-15 / 16-64 / 65-99; UN "
      "figures use 0-14 / 15-64. CSV: an infinite life expectancy is inf, a figure that does not exist an empty "
      "cell; JSON: both null.\n" +
      std::string(kExitStatusHelp));
  run->callback([options] { Run(*options); });
}

}  // namespace velmora::cli
