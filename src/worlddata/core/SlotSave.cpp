#include "worlddata/core/SlotSave.h"

#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "presets/SlotFiles.h"
#include "scenario/core/ScenarioImage.h"

namespace velmora::worlddata {

namespace {

template <std::size_t N>
std::string_view Bytes(const std::array<std::byte, N>& image) {
  return {reinterpret_cast<const char*>(image.data()), image.size()};
}

}  // namespace

bool SlotHasFiles(const std::string& dataFolder, int slot) {
  std::error_code error;
  // A name that cannot even be looked at counts as there: the write decides.
  const auto present = [&error](const std::string& path) {
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(path, error));
    return exists || (error && error != std::errc::no_such_file_or_directory);
  };
  return present(presets::PopulationFilePath(dataFolder, slot)) || present(presets::RateFilePath(dataFolder, slot));
}

void SaveSlot(const std::string& dataFolder, int slot, const wpp::Preset& preset, bool replace) {
  // Slot 0 stays the blank preset.
  if (slot < 1 || slot > presets::kLastSlot) throw std::out_of_range("preset slot " + std::to_string(slot));
  WorldRecord world{};
  wpp::FillPopulation(preset, world);
  wpp::FillRates(preset, world, 0);
  const PopulationImage population = EncodePopulation(world);
  const RateImage rates = EncodeRates(world, 0);
  presets::WriteSlotPair(dataFolder, slot, Bytes(population), Bytes(rates), replace);
}

}  // namespace velmora::worlddata
