#include "cli/WppCommand.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/OptionChecks.h"
#include "cli/Output.h"
#include "cli/core/PresetIo.h"
#include "presets/MessageText.h"
#include "presets/SlotFiles.h"
#include "scenario/core/ScenarioImage.h"
#include "wpp/NameFold.h"
#include "wpp/Preset.h"

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kFirstSlot = 1;  // slot 0 stays the blank preset
constexpr int kLastSlot = 4;

struct WppOptions {
  std::string tables;
  std::string match;
  std::string location;
  int year = 0;
  std::string populationOut;
  std::string ratesOut;
  int slot = 0;
  std::string data;
  bool force = false;
};

// The tables sit beside the program in wpp2019/, where the build and the
// installation put them (the executable's folder with links resolved).
std::string DefaultTables() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return "wpp2019";
  return (program.parent_path() / "wpp2019").string();
}

bool IsCsv(const std::string& path) {
  const fs::path extension = fs::path(path).extension();
  std::string lower = extension.string();
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower == ".csv";
}

// The folder's tables, or an InputError that says where they were looked for.
wpp::Source OpenTables(const std::string& folder) {
  if (!fs::is_directory(folder))
    throw InputError(presets::ShownPath(folder) +
                     ": no folder of UN tables here (--tables names the folder of data/wpp2019)");
  return wpp::Source(folder);
}

void List(const WppOptions& o) {
  try {
    const wpp::LocationIndex index = OpenTables(o.tables).Locations();
    const std::vector<wpp::Location> shown = o.match.empty() ? index.All() : index.Matching(o.match);
    if (shown.empty()) throw InputError("no location matches " + presets::Quoted(o.match));
    std::string text;
    for (const wpp::Location& location : shown)
      text += std::to_string(location.code) + "\t" + location.name + "\t" +
              std::string(wpp::LocationTypeName(location.type)) + "\n";
    WriteOutput(kStandardOutput, text);
  } catch (const wpp::WppError& error) {
    throw InputError(error.what());
  }
}

// Population files: the CSV text of the preset tables, or the desktop
// program's binary file; anything else is refused by its extension.
void WritePresetPopulation(const std::string& path, const wpp::Preset& preset, bool force) {
  if (IsCsv(path)) return WriteFileWhole(path, wpp::PopulationCsv(preset), force);
  WorldRecord world{};
  wpp::FillPopulation(preset, world);
  WritePopulation(path, world, force);
}

void WritePresetRates(const std::string& path, const wpp::Preset& preset, bool force) {
  if (IsCsv(path)) return WriteFileWhole(path, wpp::RatesCsv(preset), force);
  WorldRecord world{};
  wpp::FillRates(preset, world, 0);
  WriteRates(path, world, 0, force);
}

// A slot's two files are written as a unit: a failure leaves the slot as it
// was, and concurrent writers end with a matching pair.
void WriteSlot(const std::string& data, int slot, const wpp::Preset& preset, bool force) {
  WorldRecord world{};
  wpp::FillPopulation(preset, world);
  wpp::FillRates(preset, world, 0);
  const PopulationImage population = EncodePopulation(world);
  const RateImage rates = EncodeRates(world, 0);
  presets::WriteSlotPair(data, slot,
                         std::string_view(reinterpret_cast<const char*>(population.data()), population.size()),
                         std::string_view(reinterpret_cast<const char*>(rates.data()), rates.size()), force);
}

void MakePreset(const WppOptions& o) {
  try {
    const bool toSlot = o.slot != 0;  // 1..4 when given
    const std::string population = toSlot ? presets::PopulationFilePath(o.data, o.slot) : o.populationOut;
    const std::string rates = toSlot ? presets::RateFilePath(o.data, o.slot) : o.ratesOut;
    if (toSlot && !fs::is_directory(o.data))
      throw InputError(presets::ShownPath(o.data) +
                       ": no such folder (--data names the desktop program's Data folder)");

    const wpp::Source source = OpenTables(o.tables);
    const wpp::Location location = source.Locations().Find(o.location);
    // A query that is not the name or the code itself: say which was taken.
    if (wpp::FoldName(o.location) != wpp::FoldName(location.name) && o.location != std::to_string(location.code))
      std::cerr << "velmora-cli: " << presets::Quoted(o.location) << " is " << presets::Shown(location.name) << " ("
                << location.code << ")\n";
    const wpp::Preset preset = source.Build(location, o.year);
    if (toSlot) {
      WriteSlot(o.data, o.slot, preset, o.force);
    } else if (!population.empty()) {
      WritePresetPopulation(population, preset, o.force);
    } else {
      WritePresetRates(rates, preset, o.force);
    }

    int64_t persons = 0;
    for (const auto& sex : preset.population)
      for (const int64_t count : sex) persons += count;
    std::string periods;
    for (const std::string& period : preset.periods) periods += (periods.empty() ? "" : " and ") + period;
    std::cout << presets::Shown(location.name) << " (" << location.code << "), 1 July " << o.year << ": " << persons
              << " persons; rates of " << periods << ", TFR " << wpp::MilliText(wpp::RoundToMilli(preset.tfr)) << "\n";
    for (const std::string& path : {population, rates})
      if (!path.empty()) std::cout << "wrote " << path << "\n";
    std::cout << wpp::kCredit << "\n";
  } catch (const wpp::WppError& error) {
    throw InputError(error.what());
  }
}

}  // namespace

void AddWppCommand(CLI::App& app) {
  auto options = std::make_shared<WppOptions>();
  options->tables = DefaultTables();
  CLI::App* wpp =
      app.add_subcommand("wpp",
                         "Presets of any country, area or region and any year 1950-2100 from the UN's World Population "
                         "Prospects 2019 tables.");
  wpp->require_subcommand(1, 1);
  wpp->footer(wpp::kCredit);

  CLI::App* list = wpp->add_subcommand("list", "List the locations (code, name, type) that have every table needed.");
  list->add_option("--match", options->match, "Only names containing TEXT (any case), or the location with code TEXT")
      ->type_name("TEXT");
  list->add_option("--tables", options->tables, "The folder of the UN tables")->type_name("DIR")->capture_default_str();
  list->callback([options] { List(*options); });

  CLI::App* preset = wpp->add_subcommand(
      "preset",
      "Write the population of 1 July of year Y and the rates centred on it (the mean of the two 5-year "
      "periods meeting there; the one adjoining period at 1950 and 2100).");
  preset->add_option("--location", options->location, "A location's name (any case) or code (see: wpp list)")
      ->required()
      ->type_name("NAME|CODE");
  preset
      ->add_option("--year", options->year,
                   "1950, 1955, ..., 2100 (populations after 2020 are the medium-variant "
                   "projection)")
      ->required()
      ->transform(WholeNumber(wpp::kFirstYear, wpp::kLastYear, 5))
      ->type_name("Y");
  CLI::Option* populationOut =
      preset->add_option("--population-out", options->populationOut, "Write the population: .stp or .csv")
          ->type_name("FILE");
  CLI::Option* ratesOut =
      preset->add_option("--rates-out", options->ratesOut, "Write the rates: .brf or .csv")->type_name("FILE");
  CLI::Option* slot = preset
                          ->add_option("--slot", options->slot,
                                       "Write STPN.stp and BRFN.brf into the Data folder DIR (slot 0 stays the blank "
                                       "preset)")
                          ->transform(WholeNumber(kFirstSlot, kLastSlot))
                          ->type_name("N");
  CLI::Option* data =
      preset->add_option("--data", options->data, "The desktop program's Data folder")->type_name("DIR");
  slot->needs(data);
  data->needs(slot);
  populationOut->excludes(ratesOut)->excludes(slot)->excludes(data);
  ratesOut->excludes(slot)->excludes(data);
  preset->add_flag("--force", options->force, "Overwrite files that exist");
  preset->add_option("--tables", options->tables, "The folder of the UN tables")
      ->type_name("DIR")
      ->capture_default_str();
  preset->callback([options, populationOut, ratesOut, slot] {
    if (populationOut->count() + ratesOut->count() + slot->count() == 0)
      throw CLI::RequiredError("one of --population-out, --rates-out or --slot with --data");
    MakePreset(*options);
  });
}

}  // namespace velmora::cli
