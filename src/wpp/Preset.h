#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/DataCredit.h"
#include "model/Records.h"
#include "wpp/AbridgedLifeTable.h"
#include "wpp/Locations.h"
#include "wpp/SingleYear.h"

namespace velmora::wpp {

inline constexpr int kFirstYear = 1950;
inline constexpr int kLastYear = 2100;
inline constexpr int kLastEstimateYear = 2020;  // later populations are the medium-variant projection

// The attribution the licence asks for wherever the data shows.
inline constexpr const char* kCredit = kDataCredit;

// One preset: the population of 1 July of the year and the rates centred on
// it, in the units and with the rounding of the preset tables.
struct Preset {
  Location location;
  int year = 0;
  std::vector<std::string> periods;                   // the 5-year periods whose mean the rates are
  std::array<GroupCounts, kSexes> groups{};           // persons, as published
  std::array<SingleYearCounts, kSexes> population{};  // persons by single year
  // Rates as thousandths of their unit (12345 = 12.345): births per 1000
  // women of the class, deaths per 100,000 of each sex.
  std::array<int64_t, kAgeClasses> birthMilli{};
  std::array<std::array<int64_t, kAgeClasses>, kSexes> deathMilli{};
  double tfr = 0.0;                              // mean period TFR, unrounded
  std::array<AbridgedRates, kSexes> abridged{};  // mean published death rates
};

// The tables a preset for any location and year is made from.
std::vector<std::string> PresetTableNames();

// The UN tables of one folder (data/wpp2019). Each call reads the files it
// needs once.
class Source {
 public:
  explicit Source(std::filesystem::path folder) : folder_(std::move(folder)) {}

  const std::filesystem::path& Folder() const { return folder_; }
  // A table of the folder, read on first use and kept for later calls.
  const Table& Load(const std::string& name) const;
  // The locations that have every table a preset needs.
  LocationIndex Locations() const;
  // Year 1950..2100 in steps of 5; anything else is a WppError.
  Preset Build(const Location& location, int year) const;
  // The published life expectancy at birth of each sex, the mean over the
  // preset's periods; only for comparison.
  std::array<double, kSexes> PublishedLifeExpectancy(const Location& location, int year) const;

 private:
  std::filesystem::path folder_;
  mutable std::map<std::string, std::unique_ptr<const Table>> tables_;
};

// The 5-year periods meeting at the year ("1995-2000", "2000-2005"); one at
// either end of the tables.
std::vector<std::string> CentredPeriods(int year);

// 12345 -> "12.345"
std::string MilliText(int64_t milli);
// The rate as a float, rounded once from its decimal value.
float MilliToFloat(int64_t milli);
// The value rounded to three decimals, as thousandths.
int64_t RoundToMilli(double value);

// The preset's population into People and its rates into one period.
void FillPopulation(const Preset& preset, WorldRecord& world);
void FillRates(const Preset& preset, WorldRecord& world, int period);
// The texts of the preset tables: "sex,age,population" and
// "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000".
std::string PopulationCsv(const Preset& preset);
std::string RatesCsv(const Preset& preset);

}  // namespace velmora::wpp
