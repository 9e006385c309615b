// Builds the preset files of the Data folder from the sourced tables in
// presets/: STPn.stp (population) and BRFn.brf (rates) for n = 0..4.
// A file that exists already is left alone, so a build never overwrites a
// preset that the user has saved.
//
//   make_presets <folder of the CSV tables> <Data folder>
#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "presets/PresetCsv.h"
#include "presets/SlotFiles.h"
#include "scenario/core/ScenarioImage.h"

namespace fs = std::filesystem;

namespace {

struct Preset {
  int number;
  const char* table;  // file stem in presets/, nullptr for the blank preset
};

// 0 is the blank preset; then the developing, developed, intermediate and
// world types.
constexpr std::array<Preset, 5> kPresets{{{0, nullptr}, {1, "nigeria"}, {2, "japan"}, {3, "brazil"}, {4, "world"}}};

// Men's ages 0..99, then women's: raw head counts, int64 little-endian;
// read by the preset CSV reader that the command line uses too.
std::vector<char> PopulationRecord(const fs::path& csv) {
  velmora::WorldRecord world;
  velmora::presets::ReadPopulationCsv(csv.string(), world);
  const velmora::PopulationImage image = velmora::EncodePopulation(world);
  return {reinterpret_cast<const char*>(image.data()), reinterpret_cast<const char*>(image.data()) + image.size()};
}

// Births per 1000 women, men's deaths, women's deaths per 100,000 by age
// class: floats little-endian, each rounded once from the table's text.
std::vector<char> RateRecord(const fs::path& csv) {
  velmora::WorldRecord world;
  velmora::presets::ReadRatesCsv(csv.string(), world, 0);
  const velmora::RateImage image = velmora::EncodeRates(world, 0);
  return {reinterpret_cast<const char*>(image.data()), reinterpret_cast<const char*>(image.data()) + image.size()};
}

// Written under a temporary name and renamed, so that an interrupted build
// leaves no half file that would then count as present.
bool WriteIfAbsent(const fs::path& path, const std::vector<char>& record) {
  if (fs::exists(path)) return false;
  const fs::path temporary = path.string() + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
    if (!out) throw std::runtime_error("cannot write " + temporary.string());
  }
  fs::rename(temporary, path);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_presets <folder of the CSV tables> <Data folder>\n";
    return 2;
  }
  const fs::path tables = argv[1];
  const fs::path data = argv[2];
  try {
    fs::create_directories(data);
    for (const Preset& preset : kPresets) {
      std::vector<char> population(velmora::kPopulationFileBytes, 0);
      std::vector<char> rates(velmora::kRateFileBytes, 0);
      if (preset.table != nullptr) {
        const std::string stem = preset.table;
        population = PopulationRecord(tables / (stem + "_2000_population_single_year_derived.csv"));
        rates = RateRecord(tables / (stem + "_rates.csv"));
      }
      for (const auto& [name, record] : {std::pair{velmora::presets::PopulationFileName(preset.number), &population},
                                         std::pair{velmora::presets::RateFileName(preset.number), &rates}}) {
        if (WriteIfAbsent(data / name, *record)) std::cout << "make_presets: wrote " << (data / name).string() << "\n";
      }
    }
  } catch (const std::exception& error) {
    std::cerr << "make_presets: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
