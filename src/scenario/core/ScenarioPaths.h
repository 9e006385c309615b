#pragma once

#include <string>

namespace velmora {

// The preset files live in the folder Data of the program's folder, named by
// the preset number n (0..4): STPn.stp for a population, BRFn.brf for rates.
// appPath has no trailing separator, except when it is a root ("/").
std::string DataFolderPath(const std::string& appPath);
std::string PopulationFilePath(const std::string& appPath, int preset);
std::string RateFilePath(const std::string& appPath, int preset);

}  // namespace velmora
