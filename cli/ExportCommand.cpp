#include "cli/ExportCommand.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "cli/OptionChecks.h"
#include "cli/Output.h"
#include "cli/core/PresetIo.h"
#include "presets/MessageText.h"

namespace velmora::cli {
namespace {

struct ExportOptions {
  std::string file;
  std::string output = kStandardOutput;
};

bool EndsWith(std::string text, const char* ending) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text.ends_with(ending);
}

void Export(const ExportOptions& o) {
  WorldRecord world;
  const bool population = EndsWith(o.file, ".stp");
  if (!population && !EndsWith(o.file, ".brf"))
    throw InputError(presets::ShownPath(o.file) + ": export reads a .stp or .brf file");
  if (population) {
    ReadPopulation(o.file, world);
  } else {
    ReadRates(o.file, world, 0);
  }
  if (o.output == kStandardOutput) return WriteOutput(o.output, population ? PopulationCsv(world) : RatesCsv(world, 0));
  // By the output's extension: CSV, or a copy as a preset file.
  if (population) {
    WritePopulation(o.output, world, true);
  } else {
    WriteRates(o.output, world, 0, true);
  }
}

}  // namespace

void AddExportCommand(CLI::App& app) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* exporter =
      app.add_subcommand("export", "Write a preset file (.stp or .brf) of the desktop program as a CSV table.");
  exporter->add_option("FILE", options->file, "The preset file: .stp (a population) or .brf (rates), never a CSV")
      ->required()
      ->type_name("FILE");
  exporter
      ->add_option("--output", options->output,
                   "Write the CSV here (whole, or not at all), or a copy as .stp/.brf; - is standard output")
      ->check(OutputPath())
      ->type_name("FILE");
  exporter->callback([options] { Export(*options); });
}

}  // namespace velmora::cli
