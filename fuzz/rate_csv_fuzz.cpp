// The rate CSV reader on any bytes: it reads the table or refuses it with
// one printable line, and what it reads comes back bit for bit through the
// text we write.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "MemoryFile.h"
#include "model/Records.h"
#include "presets/InputError.h"
#include "presets/PresetCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const MemoryFile file(data, size);
  velmora::WorldRecord world;
  world.BirthRate(0, 7) = 12.5f;
  try {
    velmora::presets::ReadRatesCsv(file.Path(), world, 0);
    const std::string text = velmora::presets::RatesCsv(world, 0);
    const MemoryFile again(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    velmora::WorldRecord back;
    velmora::presets::ReadRatesCsv(again.Path(), back, 0);
    if (std::memcmp(back.PeriodRates(0), world.PeriodRates(0), 60 * sizeof(float)) != 0) std::abort();
  } catch (const velmora::presets::InputError& error) {
    const std::string message = error.what();
    for (const char c : message) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) std::abort();
    }
    if (message.size() > 1000) std::abort();
    if (world.BirthRate(0, 7) != 12.5f) std::abort();
  }
  return 0;
}
