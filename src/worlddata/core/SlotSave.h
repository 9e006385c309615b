#pragma once

#include <string>

#include "wpp/Preset.h"

namespace velmora::worlddata {

// Whether either file of a preset slot exists, so that saving would replace it.
bool SlotHasFiles(const std::string& dataFolder, int slot);

// The preset's population and rates as the two files of a slot (1..4), in
// the settings window's formats: both are written or neither, and a slot
// whose files exist is replaced only when replace is set. A
// presets::InputError (one line) says why the slot was left as it was.
void SaveSlot(const std::string& dataFolder, int slot, const wpp::Preset& preset, bool replace);

}  // namespace velmora::worlddata
