#include "presets/PresetCsv.h"

#include <algorithm>
#include <array>

#include "presets/CsvTable.h"
#include "presets/Decimal.h"
#include "presets/InputError.h"
#include "presets/MessageText.h"

namespace velmora::presets {
namespace {

constexpr std::string_view kPopulationHeader = "sex,age,population";
constexpr std::string_view kRatesHeader = "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000";
constexpr std::array<std::string_view, kSexes> kSexNames = {"male", "female"};
constexpr std::array<const char*, 3> kRateColumns = {"asfr_per_1000", "mx_male_per_100000", "mx_female_per_100000"};

}  // namespace

void ReadPopulationCsv(const std::string& path, WorldRecord& world) {
  decltype(world.people) people;
  std::array<int, kSexes * kAges> lineOf{};
  CsvReader reader(path, kPopulationHeader);
  CsvRow row;
  while (reader.Next(row)) {
    const std::string where = reader.Where(row);
    const auto sexAt = std::find(kSexNames.begin(), kSexNames.end(), row.cells[0]);
    if (sexAt == kSexNames.end()) throw InputError(where + "sex " + Quoted(row.cells[0]) + " is not male or female");
    const auto age = ParseWhole(row.cells[1], 0, kAges - 1);
    if (!age) throw InputError(where + "age " + Quoted(row.cells[1]) + " is not 0..99");
    std::string why;
    const auto count = ParseHeadCount(row.cells[2], why);
    if (!count)
      throw InputError(where + (why.empty() ? "population " + Quoted(row.cells[2]) + " is not a number" : why));
    const int sex = static_cast<int>(sexAt - kSexNames.begin());
    int& seen = lineOf[sex * kAges + *age];
    if (seen != 0) {
      throw InputError(where + std::string(*sexAt) + " age " + std::to_string(*age) + " again (first on line " +
                       std::to_string(seen) + ")");
    }
    seen = row.line;
    people[sex * kAges + *age] = *count;
  }
  for (int i = 0; i < kSexes * kAges; ++i) {
    if (lineOf[i] == 0) {
      throw InputError(ShownPath(path) + ": no row for " + std::string(kSexNames[i / kAges]) + " age " +
                       std::to_string(i % kAges) + " (every age 0..99 of both sexes is needed)");
    }
  }
  world.people = people;
}

void ReadRatesCsv(const std::string& path, WorldRecord& world, int period) {
  std::array<float, 3 * kAgeClasses> rates{};
  std::array<int, kAgeClasses> lineOf{};
  CsvReader reader(path, kRatesHeader);
  CsvRow row;
  while (reader.Next(row)) {
    const std::string where = reader.Where(row);
    const auto ageClass = ParseWhole(row.cells[0], 0, kAgeClasses - 1);
    if (!ageClass) throw InputError(where + "age_class " + Quoted(row.cells[0]) + " is not 0..19");
    if (lineOf[*ageClass] != 0) {
      throw InputError(where + "age_class " + std::to_string(*ageClass) + " again (first on line " +
                       std::to_string(lineOf[*ageClass]) + ")");
    }
    lineOf[*ageClass] = row.line;
    for (int column = 0; column < 3; ++column) {
      std::string why;
      const auto rate = ParseRate(row.cells[column + 1], why);
      if (!rate) {
        throw InputError(where + kRateColumns[column] + ": " +
                         (why.empty() ? Quoted(row.cells[column + 1]) + " is not a number" : why));
      }
      rates[column * kAgeClasses + *ageClass] = *rate;
    }
  }
  for (int j = 0; j < kAgeClasses; ++j) {
    if (lineOf[j] == 0) {
      throw InputError(ShownPath(path) + ": no row for age_class " + std::to_string(j) +
                       " (every class 0..19 is needed)");
    }
  }
  std::copy(rates.begin(), rates.end(), world.PeriodRates(period));
}

std::string PopulationCsv(const WorldRecord& world) {
  std::string text(kPopulationHeader);
  text += '\n';
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int age = 0; age < kAges; ++age) {
      text +=
          std::string(kSexNames[sex]) + "," + std::to_string(age) + "," + HeadCountText(world.People(sex, age)) + "\n";
    }
  }
  return text;
}

std::string RatesCsv(const WorldRecord& world, int period) {
  std::string text(kRatesHeader);
  text += '\n';
  for (int j = 0; j < kAgeClasses; ++j) {
    text += std::to_string(j) + "," + RateText(world.BirthRate(period, j)) + "," +
            RateText(world.DeathRate(period, 0, j)) + "," + RateText(world.DeathRate(period, 1, j)) + "\n";
  }
  return text;
}

}  // namespace velmora::presets
