#pragma once

#include <string>

#include "model/Records.h"

namespace velmora::presets {

// The CSV form of the preset files, as in data/presets:
//   "sex,age,population" and 200 rows (male and female, ages 0..99), head
//   counts with up to four decimals;
//   "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000" and
//   20 rows (classes 0..19).
// Numbers follow the grammar of Decimal.h. The readers stream the file and
// stop at the first line that cannot belong to the table; they change
// world only when the whole table is good (InputError otherwise).
void ReadPopulationCsv(const std::string& path, WorldRecord& world);
void ReadRatesCsv(const std::string& path, WorldRecord& world, int period);

std::string PopulationCsv(const WorldRecord& world);
std::string RatesCsv(const WorldRecord& world, int period);

}  // namespace velmora::presets
