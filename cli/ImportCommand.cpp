#include "cli/ImportCommand.h"

#include <memory>

#include "cli/core/PresetIo.h"

namespace velmora::cli {
namespace {

struct ImportOptions {
  std::string population;
  std::string rates;
  std::string output;
  bool force = false;
};

void Import(const ImportOptions& o) {
  WorldRecord world;
  if (!o.population.empty()) {
    ReadPopulation(o.population, world);
    WritePopulation(o.output, world, o.force);
  } else {
    ReadRates(o.rates, world, 0);
    WriteRates(o.output, world, 0, o.force);
  }
}

}  // namespace

void AddImportCommand(CLI::App& app) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App* import =
      app.add_subcommand("import", "Make a preset file (.stp or .brf) of the desktop program from a CSV table.");
  // Exactly one of the two tables.
  CLI::Option_group* table = import->add_option_group("table", "The table to import (one of the two)");
  table->add_option("--population", options->population, "Population CSV (sex,age,population)")->type_name("CSV");
  table
      ->add_option("--rates", options->rates,
                   "Rates CSV (age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000)")
      ->type_name("CSV");
  table->require_option(1);
  import->add_option("--output", options->output, "The preset file to write (.stp for a population, .brf for rates)")
      ->required()
      ->type_name("FILE");
  import->add_flag("--force", options->force, "Overwrite an existing file");
  import->callback([options] { Import(*options);
});
}  // namespace velmora::cli

}  // namespace velmora::cli
