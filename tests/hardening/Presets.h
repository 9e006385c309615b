#pragma once

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace velmora::testing {

// Fills a Data folder with the ten preset files as the build makes them:
// from the generator when the build names it to this test, otherwise copied
// from the Data folder the build has generated beside the program.
inline void InstallPresets(const std::filesystem::path& data) {
  namespace fs = std::filesystem;
  fs::create_directories(data);
#ifdef VELMORA_MAKE_PRESETS
  const std::string command =
      std::string("'") + VELMORA_MAKE_PRESETS + "' '" + VELMORA_PRESET_TABLES + "' '" + data.string() + "' > /dev/null";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("the preset generator failed");
#else
  const fs::path built = fs::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "bin" / "Data";
  for (int n = 0; n < 5; ++n) {
    for (const std::string& name : {"STP" + std::to_string(n) + ".stp", "BRF" + std::to_string(n) + ".brf"}) {
      fs::copy_file(built / name, data / name, fs::copy_options::overwrite_existing);
    }
  }
#endif
}

}  // namespace velmora::testing
