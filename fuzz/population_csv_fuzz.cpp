// The population CSV reader on any bytes: it reads the table or refuses it
// with one printable line, and a refused table leaves the world as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "MemoryFile.h"
#include "model/Records.h"
#include "presets/InputError.h"
#include "presets/PresetCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const MemoryFile file(data, size);
  velmora::WorldRecord world;
  world.People(1, 50) = velmora::HeadCount::FromRaw(123456789);
  try {
    velmora::presets::ReadPopulationCsv(file.Path(), world);
    // A table that is read round-trips through its own text.
    const std::string text = velmora::presets::PopulationCsv(world);
    const MemoryFile again(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    velmora::WorldRecord back;
    velmora::presets::ReadPopulationCsv(again.Path(), back);
    if (!(back.people == world.people)) std::abort();
  } catch (const velmora::presets::InputError& error) {
    const std::string message = error.what();
    for (const char c : message) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) std::abort();  // one printable line
    }
    if (message.size() > 1000) std::abort();
    if (world.People(1, 50) != velmora::HeadCount::FromRaw(123456789)) std::abort();
  }
  return 0;
}
