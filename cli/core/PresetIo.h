#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include "model/Records.h"

namespace velmora::cli {

// Bad input from the user: the message is one line naming the file, the line
// (where there is one) and what is wrong. Exit status 1.
struct InputError : std::runtime_error { using std::runtime_error::runtime_error; };

// By extension (case-insensitive): .stp / .brf are the desktop program's
// binary preset files, .csv the CSV formats of data/presets. Anything else
// is an InputError.
void ReadPopulation(const std::string& path, WorldRecord& world);           // into People, all or nothing
void ReadRates(const std::string& path, WorldRecord& world, int period);    // into one period, all or nothing

std::string PopulationCsv(const WorldRecord& world);            // "sex,age,population" + 200 rows
std::string RatesCsv(const WorldRecord& world, int period);     // "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000" + 20 rows

// Written whole or not at all (temporary file in the same folder, then
// rename). An existing file is refused with an InputError unless force.
// A path that exists and is not a regular file is always refused.
void WriteFileWhole(const std::string& path, std::string_view bytes, bool force);
// By extension, as above: .stp/.brf binary image, .csv the CSV text.
void WritePopulation(const std::string& path, const WorldRecord& world, bool force);
void WriteRates(const std::string& path, const WorldRecord& world, int period, bool force);

}  // namespace velmora::cli
