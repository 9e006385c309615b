// Builds the preset files of the Data folder from the sourced tables in
// presets/: STPn.stp (population) and BRFn.brf (rates) for n = 0..4.
// A file that exists already is left alone, so a build never overwrites a
// preset that the user has saved.
//
//   make_presets <folder of the CSV tables> <Data folder>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kAges = 100;
constexpr int kAgeClasses = 20;
constexpr int64_t kScale = 10'000;  // a head count is stored as persons x 10,000

struct Preset {
  int number;
  const char* table;  // file stem in presets/, nullptr for the blank preset
};

// 0 is the blank preset; then the developing, developed, intermediate and
// world types.
constexpr std::array<Preset, 5> kPresets{{{0, nullptr}, {1, "nigeria"}, {2, "japan"}, {3, "brazil"}, {4, "world"}}};

[[noreturn]] void Fail(const std::string& message) { throw std::runtime_error(message); }

std::vector<std::vector<std::string>> ReadCsv(const fs::path& path, const std::string& header) {
  std::ifstream in(path);
  if (!in) Fail("cannot read " + path.string());
  std::string line;
  std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line != header) Fail(path.string() + ": unexpected header \"" + line + "\"");
  std::vector<std::vector<std::string>> rows;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> cells;
    std::stringstream cellStream(line);
    std::string cell;
    while (std::getline(cellStream, cell, ',')) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

template <typename T>
T Parse(const std::string& text, const std::string& where) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) Fail(where + ": not a number: \"" + text + "\"");
  return value;
}

template <std::size_t N>
void PutLittleEndian(std::vector<char>& out, uint64_t value) {
  for (std::size_t i = 0; i < N; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Men's ages 0..99, then women's: raw head counts, int64 little-endian.
std::vector<char> PopulationRecord(const fs::path& csv) {
  std::array<int64_t, 2 * kAges> raw{};
  std::array<bool, 2 * kAges> seen{};
  for (const auto& row : ReadCsv(csv, "sex,age,population")) {
    const std::string where = csv.filename().string();
    if (row.size() != 3) Fail(where + ": a row without three cells");
    const int sex = row[0] == "male" ? 0 : row[0] == "female" ? 1 : -1;
    const int age = Parse<int>(row[1], where);
    const int64_t persons = Parse<int64_t>(row[2], where);
    if (sex < 0 || age < 0 || age >= kAges) Fail(where + ": bad sex or age " + row[0] + "," + row[1]);
    if (persons < 0 || persons > std::numeric_limits<int64_t>::max() / kScale) Fail(where + ": bad count " + row[2]);
    if (seen[sex * kAges + age]) Fail(where + ": age " + row[1] + " twice");
    seen[sex * kAges + age] = true;
    raw[sex * kAges + age] = persons * kScale;
  }
  for (bool s : seen) {
    if (!s) Fail(csv.filename().string() + ": an age is missing");
  }
  std::vector<char> record;
  for (int64_t value : raw) PutLittleEndian<8>(record, static_cast<uint64_t>(value));
  return record;
}

// Births per 1000 women, men's deaths, women's deaths per 100,000 by age
// class: floats little-endian, each rounded once from the table's text.
std::vector<char> RateRecord(const fs::path& csv) {
  std::array<std::array<float, kAgeClasses>, 3> rates{};
  std::array<bool, kAgeClasses> seen{};
  for (const auto& row : ReadCsv(csv, "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000")) {
    const std::string where = csv.filename().string();
    if (row.size() != 4) Fail(where + ": a row without four cells");
    const int ageClass = Parse<int>(row[0], where);
    if (ageClass < 0 || ageClass >= kAgeClasses || seen[ageClass]) Fail(where + ": bad age class " + row[0]);
    seen[ageClass] = true;
    for (int column = 0; column < 3; ++column) rates[column][ageClass] = Parse<float>(row[column + 1], where);
  }
  for (bool s : seen) {
    if (!s) Fail(csv.filename().string() + ": an age class is missing");
  }
  std::vector<char> record;
  for (const auto& column : rates) {
    for (float rate : column) PutLittleEndian<4>(record, std::bit_cast<uint32_t>(rate));
  }
  return record;
}

// Written under a temporary name and renamed, so that an interrupted build
// leaves no half file that would then count as present.
bool WriteIfAbsent(const fs::path& path, const std::vector<char>& record) {
  if (fs::exists(path)) return false;
  const fs::path temporary = path.string() + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
    if (!out) Fail("cannot write " + temporary.string());
  }
  fs::rename(temporary, path);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_presets <folder of the CSV tables> <Data folder>\n";
    return 2;
  }
  const fs::path tables = argv[1];
  const fs::path data = argv[2];
  try {
    fs::create_directories(data);
    for (const Preset& preset : kPresets) {
      const std::string n = std::to_string(preset.number);
      std::vector<char> population(2 * kAges * 8, 0);
      std::vector<char> rates(3 * kAgeClasses * 4, 0);
      if (preset.table != nullptr) {
        const std::string stem = preset.table;
        population = PopulationRecord(tables / (stem + "_2000_population_single_year_derived.csv"));
        rates = RateRecord(tables / (stem + "_rates.csv"));
      }
      for (const auto& [name, record] :
           {std::pair{"STP" + n + ".stp", &population}, std::pair{"BRF" + n + ".brf", &rates}}) {
        if (WriteIfAbsent(data / name, *record)) std::cout << "make_presets: wrote " << (data / name).string() << "\n";
      }
    }
  } catch (const std::exception& error) {
    std::cerr << "make_presets: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
