#include "cli/core/PresetIo.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>

#include "model/Failure.h"
#include "presets/InputFile.h"
#include "presets/MessageText.h"
#include "presets/PresetCsv.h"
#include "presets/SlotFiles.h"
#include "scenario/core/ScenarioImage.h"

namespace velmora::cli {
namespace {

static_assert(presets::kPopulationFileBytes == kPopulationFileBytes && presets::kRateFileBytes == kRateFileBytes);

constexpr std::size_t kMaxImageFileBytes = 1 << 20;

enum class FileKind { kPopulationImage, kRateImage, kCsv };

FileKind KindOf(const std::string& path, const char* imageExtension, FileKind imageKind) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of('/');
  std::string extension;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == imageExtension) return imageKind;
  if (extension == ".csv") return FileKind::kCsv;
  throw InputError(presets::ShownPath(path) + ": unknown file type " + presets::Quoted(extension) + " (expected " +
                   imageExtension + " or .csv)");
}

template <typename Image>
Image ReadImage(const std::string& path) {
  Image image{};
  // Any size up to far more than an image is read, so that the message can
  // tell it; beyond that the file is refused unread.
  const std::string bytes = presets::ReadWholeFile(path, kMaxImageFileBytes);
  if (bytes.size() != image.size()) {
    throw InputError(presets::ShownPath(path) + ": wrong size: " + std::to_string(bytes.size()) + " bytes, expected " +
                     std::to_string(image.size()));
  }
  std::memcpy(image.data(), bytes.data(), image.size());
  return image;
}

}  // namespace

void ReadPopulation(const std::string& path, WorldRecord& world) {
  if (KindOf(path, ".stp", FileKind::kPopulationImage) == FileKind::kCsv) {
    return presets::ReadPopulationCsv(path, world);
  }
  const PopulationImage image = ReadImage<PopulationImage>(path);
  try {
    DecodePopulation(image, world);
  } catch (const Failure&) {
    throw InputError(presets::ShownPath(path) +
                     ": a head count outside the range -922337203685477.5807..922337203685477.5807");
  }
}

void ReadRates(const std::string& path, WorldRecord& world, int period) {
  if (KindOf(path, ".brf", FileKind::kRateImage) == FileKind::kCsv) return presets::ReadRatesCsv(path, world, period);
  WorldRecord scratch;
  DecodeRates(ReadImage<RateImage>(path), scratch, Int16(period));
  // The desktop program takes any bit pattern; a run or a table made from
  // NaN or an infinity has no meaning, so the command line refuses it.
  const float* rates = scratch.PeriodRates(period);
  static constexpr std::array<const char*, 3> kRows = {"birth rate", "men's death rate", "women's death rate"};
  for (int i = 0; i < 3 * kAgeClasses; ++i) {
    if (!std::isfinite(rates[i])) {
      throw InputError(presets::ShownPath(path) + ": " + kRows[i / kAgeClasses] + " of age class " +
                       std::to_string(i % kAgeClasses) + " is not finite");
    }
  }
  std::copy(rates, rates + 3 * kAgeClasses, world.PeriodRates(period));
}

std::string PopulationCsv(const WorldRecord& world) { return presets::PopulationCsv(world); }

std::string RatesCsv(const WorldRecord& world, int period) { return presets::RatesCsv(world, period); }

void WritePopulation(const std::string& path, const WorldRecord& world, bool force) {
  if (KindOf(path, ".stp", FileKind::kPopulationImage) == FileKind::kCsv) {
    return WriteFileWhole(path, PopulationCsv(world), force);
  }
  const PopulationImage image = EncodePopulation(world);
  WriteFileWhole(path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()), force);
}

void WriteRates(const std::string& path, const WorldRecord& world, int period, bool force) {
  if (KindOf(path, ".brf", FileKind::kRateImage) == FileKind::kCsv) {
    return WriteFileWhole(path, RatesCsv(world, period), force);
  }
  const RateImage image = EncodeRates(world, Int16(period));
  WriteFileWhole(path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()), force);
}

}  // namespace velmora::cli
