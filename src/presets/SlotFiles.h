#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::presets {

// The preset slots of the Data folder: slot n (0..4) is the pair STPn.stp
// (a population) and BRFn.brf (rates). Slot 0 is the blank preset.
inline constexpr int kFirstSlot = 0;
inline constexpr int kLastSlot = 4;
// The two files' sizes: 200 head counts of 8 bytes; 60 floats of 4 bytes.
inline constexpr std::size_t kPopulationFileBytes = 1600;
inline constexpr std::size_t kRateFileBytes = 240;
// Writers of a slot hold a lock on this file of the Data folder.
inline constexpr const char* kSlotLockFileName = ".velmora-slots.lock";

// "STP2.stp", "BRF2.brf". A slot outside 0..4 is std::out_of_range.
std::string PopulationFileName(int slot);
std::string RateFileName(int slot);
// The file of the slot in dataFolder ("Data/STP2.stp"); dataFolder may end
// with "/" or not.
std::string PopulationFilePath(const std::string& dataFolder, int slot);
std::string RateFilePath(const std::string& dataFolder, int slot);

// Writes a slot's two files as a unit: both go to temporary files in the
// Data folder first, then both are renamed into place, under an exclusive
// lock on kSlotLockFileName so that concurrent writers of any slot take
// turns and every pair ends matched. On any failure neither file is
// replaced (a population already renamed is put back) and an InputError
// (std::runtime_error) says why. Without replace, a slot whose files exist
// is refused; a name that exists and is not a regular file always is.
// population and rates must be 1600 and 240 bytes (std::invalid_argument).
void WriteSlotPair(const std::string& dataFolder, int slot, std::string_view population, std::string_view rates,
                   bool replace);

}  // namespace velmora::presets
