#pragma once
#include <string>
#include <string_view>

#include "model/Records.h"
#include "presets/InputError.h"
#include "presets/WholeFile.h"

namespace velmora::cli {

// Bad input from the user: the message is one line naming the file, the line
// (where there is one) and what is wrong. Exit status 1.
using presets::InputError;
using presets::WriteFileWhole;

// By extension (case-insensitive): .stp / .brf are the desktop program's
// binary preset files, .csv the CSV formats of data/presets. Anything else
// is an InputError. Regular files only, never waited on, and never more
// read than any valid file holds.
void ReadPopulation(const std::string& path, WorldRecord& world);         // into People, all or nothing
void ReadRates(const std::string& path, WorldRecord& world, int period);  // into one period, all or nothing

std::string PopulationCsv(const WorldRecord& world);  // "sex,age,population" + 200 rows
std::string RatesCsv(const WorldRecord& world,
                     int period);  // "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000" + 20 rows

// By extension, as above: .stp/.brf binary image, .csv the CSV text;
// written whole (see WriteFileWhole).
void WritePopulation(const std::string& path, const WorldRecord& world, bool force);
void WriteRates(const std::string& path, const WorldRecord& world, int period, bool force);

}  // namespace velmora::cli
