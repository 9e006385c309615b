#include "scenario/core/ScenarioPaths.h"

#include <filesystem>

namespace velmora {
namespace {

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// A folder that is a root already ends in the separator; no second one.
std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == kSeparator) return folder + name;
  return folder + kSeparator + name;
}

}  // namespace

std::string DataFolderPath(const std::string& appPath) { return Join(appPath, "Data"); }

std::string PopulationFilePath(const std::string& appPath, int preset) {
  return Join(DataFolderPath(appPath), "STP" + std::to_string(preset) + ".stp");
}

std::string RateFilePath(const std::string& appPath, int preset) {
  return Join(DataFolderPath(appPath), "BRF" + std::to_string(preset) + ".brf");
}

}  // namespace velmora
