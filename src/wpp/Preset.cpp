#include "wpp/Preset.h"

#include <charconv>
#include <cmath>

#include "model/Numbers.h"

namespace velmora::wpp {

namespace {

constexpr std::array<const char*, kSexes> kPopulationEstimates{"popM.txt", "popF.txt"};
constexpr std::array<const char*, kSexes> kPopulationProjections{"popMprojMed.txt", "popFprojMed.txt"};
constexpr std::array<const char*, kSexes> kDeathRates{"mxM.txt", "mxF.txt"};
constexpr std::array<const char*, kSexes> kLifeExpectancyEstimates{"e0M.txt", "e0F.txt"};
constexpr std::array<const char*, kSexes> kLifeExpectancyProjections{"e0Mproj.txt", "e0Fproj.txt"};
constexpr const char* kFertilityShares = "percentASFR.txt";
constexpr const char* kFertilityEstimates = "tfr.txt";
constexpr const char* kFertilityProjections = "tfrprojMed.txt";
constexpr const char* kLocations = "UNlocations.txt";
// The first period of the projection files; the earlier ones are estimates.
constexpr int kFirstProjectedPeriod = 2020;
// The most whole persons a head count holds: the model sums whole
// populations, so the sum of both sexes must stay below it too.
constexpr int64_t kMaxPersons = HeadCount::kMaxRaw / HeadCount::kScale;
// percentASFR's shares are published with five decimals: seven of them sum
// to 100 within a few hundred-thousandths.
constexpr double kShareSumTolerance = 0.01;
// Fertility is spread over the classes 15-19 .. 45-49.
constexpr int kFirstFertileClass = 3;
constexpr int kFertileClasses = 7;

std::vector<std::string> AgeLabels(bool abridged) {
  std::vector<std::string> labels;
  if (abridged) {
    labels = {"0", "1"};
    for (int age = 5; age <= 100; age += 5) labels.push_back(std::to_string(age));
  } else {
    for (int age = 0; age < 100; age += 5) labels.push_back(std::to_string(age) + "-" + std::to_string(age + 4));
    labels.push_back("100+");
  }
  return labels;
}

std::vector<std::string> FertileLabels() {
  std::vector<std::string> labels;
  for (int c = kFirstFertileClass; c < kFirstFertileClass + kFertileClasses; ++c)
    labels.push_back(std::to_string(c * 5) + "-" + std::to_string(c * 5 + 4));
  return labels;
}

int PeriodStart(const std::string& period) { return std::stoi(period.substr(0, 4)); }

std::string LocationText(const Location& location) {
  return location.name + " (" + std::to_string(location.code) + ")";
}

// One location's values of one column, in the order of the age labels. A
// missing age, or one given twice with different values, is a WppError.
std::vector<double> ByAge(const Table& table, const Location& location, const std::string& column,
                          const std::vector<std::string>& ages) {
  const std::size_t value = table.RequireColumn(column);
  const std::size_t age = table.RequireColumn("age");
  std::vector<double> values(ages.size());
  std::vector<bool> seen(ages.size(), false);
  for (const Table::Row& row : table.RowsOf(location.code)) {
    if (age >= row.fields.size())
      throw WppError(table.FileName() + " line " + std::to_string(row.line) + ": too few fields");
    for (std::size_t i = 0; i < ages.size(); ++i) {
      if (row.fields[age] != ages[i]) continue;
      const double number = table.Number(row, value);
      // A few aggregates repeat an age row word for word; only a repeat that
      // disagrees is a fault.
      if (seen[i] && number != values[i])
        throw WppError(table.FileName() + " line " + std::to_string(row.line) + ": age " + ages[i] +
                       " twice, with different values, for " + LocationText(location));
      seen[i] = true;
      values[i] = number;
    }
  }
  for (std::size_t i = 0; i < ages.size(); ++i) {
    if (!seen[i]) throw WppError(table.FileName() + ": no age " + ages[i] + " for " + LocationText(location));
  }
  return values;
}

// A location's one value of a column (TFR, e0).
double OneValue(const Table& table, const Location& location, const std::string& column) {
  const std::size_t value = table.RequireColumn(column);
  const std::vector<Table::Row> rows = table.RowsOf(location.code);
  if (rows.size() != 1)
    throw WppError(table.FileName() + ": " + std::to_string(rows.size()) + " rows for " + LocationText(location));
  return table.Number(rows.front(), value);
}

std::string ShareText(double share) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, share);
  return std::string(text, result.ptr);
}

void CheckYear(int year) {
  if (year < kFirstYear || year > kLastYear || year % 5 != 0)
    throw WppError("year " + std::to_string(year) + " is not one of 1950, 1955, ..., 2100");
}

}  // namespace

std::vector<std::string> PresetTableNames() {
  return {kPopulationEstimates[0],   kPopulationEstimates[1], kPopulationProjections[0],
          kPopulationProjections[1], kDeathRates[0],          kDeathRates[1],
          kFertilityShares,          kFertilityEstimates,     kFertilityProjections};
}

std::vector<std::string> CentredPeriods(int year) {
  CheckYear(year);
  const auto period = [](int start) { return std::to_string(start) + "-" + std::to_string(start + 5); };
  std::vector<std::string> periods;
  if (year > kFirstYear) periods.push_back(period(year - 5));
  if (year < kLastYear) periods.push_back(period(year));
  return periods;
}

const Table& Source::Load(const std::string& name) const {
  auto& table = tables_[name];
  if (!table) table = std::make_unique<const Table>(Table::Load(folder_ / name));
  return *table;
}

LocationIndex Source::Locations() const {
  std::vector<const Table*> tables;
  for (const std::string& name : PresetTableNames()) tables.push_back(&Load(name));
  return LocationIndex(Load(kLocations), tables);
}

Preset Source::Build(const Location& location, int year) const {
  Preset preset;
  preset.location = location;
  preset.year = year;
  preset.periods = CentredPeriods(year);
  const double count = static_cast<double>(preset.periods.size());

  const auto& populationFiles = year <= kLastEstimateYear ? kPopulationEstimates : kPopulationProjections;
  const std::vector<std::string> groupLabels = AgeLabels(false);
  const std::string at = " for " + LocationText(location) + " in " + std::to_string(year);
  int64_t total = 0;
  for (int sex = 0; sex < kSexes; ++sex) {
    const std::vector<double> thousands =
        ByAge(Load(populationFiles[sex]), location, std::to_string(year), groupLabels);
    for (std::size_t g = 0; g < thousands.size(); ++g) {
      const double persons = std::round(thousands[g] * 1000.0);
      if (!(persons >= 0.0) || persons > static_cast<double>(kMaxPersons))
        throw WppError(std::string(populationFiles[sex]) + ": population of age " + groupLabels[g] + at +
                       " outside 0.." + std::to_string(kMaxPersons) + " persons");
      preset.groups[sex][g] = static_cast<int64_t>(persons);
      total += preset.groups[sex][g];  // at most 42 groups of kMaxPersons: no overflow
    }
  }
  if (total > kMaxPersons)
    throw WppError(std::string(populationFiles[0]) + ", " + populationFiles[1] + ": the population" + at +
                   " sums to more than the head-count range (" + std::to_string(kMaxPersons) + " persons)");
  for (int sex = 0; sex < kSexes; ++sex) preset.population[sex] = SplitSingleYears(preset.groups[sex]);

  // Each period's value is divided by the number of periods before it is
  // added, as the shipped tables were made.
  const std::vector<std::string> abridgedLabels = AgeLabels(true);
  for (int sex = 0; sex < kSexes; ++sex) {
    AbridgedRates& mean = preset.abridged[sex];
    mean.fill(0.0);
    for (const std::string& period : preset.periods) {
      const std::vector<double> rates = ByAge(Load(kDeathRates[sex]), location, period, abridgedLabels);
      for (int i = 0; i < kAbridgedAges; ++i) {
        if (rates[i] < 0.0)
          throw WppError(std::string(kDeathRates[sex]) + ": negative death rate at age " + abridgedLabels[i] + " for " +
                         LocationText(location) + " in " + period);
        mean[i] += rates[i] / count;
      }
    }
    const ClassRates classes = ToClassRates(mean, sex);
    for (int c = 0; c < kAgeClasses; ++c) {
      // The model takes at most everyone of a class dying in a year.
      if (!(classes[c] >= 0.0 && classes[c] * 1e5 <= 100000.0))
        throw WppError(std::string(kDeathRates[sex]) + ": the death rate of ages " + std::to_string(c * 5) + "-" +
                       std::to_string(c * 5 + 4) + at + " comes to " + ShareText(classes[c] * 1e5) +
                       " per 100,000, beyond 0..100,000");
      preset.deathMilli[sex][c] = RoundToMilli(classes[c] * 1e5);
    }
  }

  std::array<double, kAgeClasses> births{};
  const std::vector<std::string> fertileLabels = FertileLabels();
  for (const std::string& period : preset.periods) {
    const char* tfrFile = PeriodStart(period) < kFirstProjectedPeriod ? kFertilityEstimates : kFertilityProjections;
    const double tfr = OneValue(Load(tfrFile), location, period);
    if (tfr < 0.0)
      throw WppError(std::string(tfrFile) + ": negative TFR for " + LocationText(location) + " in " + period);
    const std::vector<double> shares = ByAge(Load(kFertilityShares), location, period, fertileLabels);
    double shareSum = 0.0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
      if (shares[i] < 0.0 || shares[i] > 100.0)
        throw WppError(std::string(kFertilityShares) + ": share " + ShareText(shares[i]) + " of ages " +
                       fertileLabels[i] + " for " + LocationText(location) + " in " + period + " is not 0..100");
      shareSum += shares[i];
    }
    if (std::fabs(shareSum - 100.0) > kShareSumTolerance)
      throw WppError(std::string(kFertilityShares) + ": the shares for " + LocationText(location) + " in " + period +
                     " sum to " + ShareText(shareSum) + ", not 100");
    preset.tfr += tfr / count;
    // Births per year per 1000 women = TFR x share / 5 years x 1000.
    for (int i = 0; i < kFertileClasses; ++i)
      births[kFirstFertileClass + i] += tfr * shares[i] / 100.0 / 5.0 * 1000.0 / count;
  }
  for (int c = 0; c < kAgeClasses; ++c) preset.birthMilli[c] = RoundToMilli(births[c]);
  return preset;
}

std::array<double, kSexes> Source::PublishedLifeExpectancy(const Location& location, int year) const {
  const std::vector<std::string> periods = CentredPeriods(year);
  std::array<double, kSexes> e0{};
  for (int sex = 0; sex < kSexes; ++sex) {
    for (const std::string& period : periods) {
      const char* file =
          PeriodStart(period) < kFirstProjectedPeriod ? kLifeExpectancyEstimates[sex] : kLifeExpectancyProjections[sex];
      e0[sex] += OneValue(Load(file), location, period) / static_cast<double>(periods.size());
    }
  }
  return e0;
}

std::string MilliText(int64_t milli) {
  const bool negative = milli < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(milli) : static_cast<uint64_t>(milli);
  std::string fraction = std::to_string(magnitude % 1000);
  fraction.insert(0, 3 - fraction.size(), '0');
  return (negative ? "-" : "") + std::to_string(magnitude / 1000) + "." + fraction;
}

float MilliToFloat(int64_t milli) {
  const std::string text = MilliText(milli);
  float value = 0.0f;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

int64_t RoundToMilli(double value) {
  // Decimal rounding of the exact binary value, as a "%.3f" text would show it.
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
  if (error != std::errc{} || !std::isfinite(value) || std::fabs(value) > 1e15)
    throw WppError("a rate is out of range");
  int64_t milli = 0;
  bool negative = false;
  for (const char* c = text; c != end; ++c) {
    if (*c == '-')
      negative = true;
    else if (*c != '.')
      milli = milli * 10 + (*c - '0');
  }
  return negative ? -milli : milli;
}

void FillPopulation(const Preset& preset, WorldRecord& world) {
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int age = 0; age < kAges; ++age) world.People(sex, age) = HeadCount::FromPersons(preset.population[sex][age]);
  }
}

void FillRates(const Preset& preset, WorldRecord& world, int period) {
  for (int c = 0; c < kAgeClasses; ++c) {
    world.BirthRate(period, c) = MilliToFloat(preset.birthMilli[c]);
    for (int sex = 0; sex < kSexes; ++sex) world.DeathRate(period, sex, c) = MilliToFloat(preset.deathMilli[sex][c]);
  }
}

std::string PopulationCsv(const Preset& preset) {
  std::string text = "sex,age,population\n";
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int age = 0; age < kAges; ++age) {
      text += sex == 0 ? "male," : "female,";
      text += std::to_string(age) + "," + std::to_string(preset.population[sex][age]) + "\n";
    }
  }
  return text;
}

std::string RatesCsv(const Preset& preset) {
  std::string text = "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000\n";
  for (int c = 0; c < kAgeClasses; ++c) {
    text += std::to_string(c) + "," + MilliText(preset.birthMilli[c]) + "," + MilliText(preset.deathMilli[0][c]) + "," +
            MilliText(preset.deathMilli[1][c]) + "\n";
  }
  return text;
}

}  // namespace velmora::wpp
