// Every indicator of one year, as a scripted run computes them each year:
// the period indicators of the year's rates and the population's own, on the
// Japan preset's tables (population of 2000 and its rates).
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "analysis/Indicators.h"
#include "model/ModulePopulation.h"
#include "model/QuietDisplay.h"
#include "model/Run.h"
#include "model/RunControl.h"

namespace velmora {
namespace {

// The data rows of one of the preset CSV tables, each split at its commas.
std::vector<std::vector<std::string>> CsvRows(const std::string& name) {
  const std::string path = std::string(VELMORA_PRESET_TABLES) + "/" + name;
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, ',');) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// The Japan preset as a run starts it: period 0 the preset's rates, the end
// table with births down by a fifth and deaths halved, reached linearly over
// 100 years.
std::unique_ptr<ModulePopulation> JapanModel() {
  auto m = std::make_unique<ModulePopulation>();
  m->StartYear = 2000;
  m->Capacity = HeadCount::FromPersons(100'000'000);
  WorldRecord& w = m->World;
  for (const auto& row : CsvRows("japan_2000_population_single_year_derived.csv")) {
    w.People(row.at(0) == "male" ? 0 : 1, std::stoi(row.at(1))) = HeadCount::FromDouble(std::stod(row.at(2)));
  }
  for (const auto& row : CsvRows("japan_rates.csv")) {
    const int j = std::stoi(row.at(0));
    w.BirthRate(0, j) = std::stof(row.at(1));
    w.DeathRate(0, 0, j) = std::stof(row.at(2));
    w.DeathRate(0, 1, j) = std::stof(row.at(3));
    w.BirthRate(19, j) = 0.8f * w.BirthRate(0, j);
    w.DeathRate(19, 0, j) = 0.5f * w.DeathRate(0, 0, j);
    w.DeathRate(19, 1, j) = 0.5f * w.DeathRate(0, 1, j);
  }
  w.VariationFunc(0) = kLinear100;
  w.VariationFunc(1) = kLinear100;
  QuietDisplay display;
  RunControl(*m, display).Start();
  return m;
}

void BM_AllIndicatorsOfOneYear(benchmark::State& state) {
  const auto m = JapanModel();
  for (auto _ : state) {
    PeriodIndicators period = ComputePeriodIndicators(m->World, 0);
    PopulationIndicators population = ComputePopulationIndicators(m->World);
    benchmark::DoNotOptimize(period);
    benchmark::DoNotOptimize(population);
  }
}
BENCHMARK(BM_AllIndicatorsOfOneYear);

// The same over the 100 years of a run: each year's own population and
// period, as a scripted run writes them.
void BM_AllIndicatorsOverARun(benchmark::State& state) {
  const auto m = JapanModel();
  QuietDisplay display;
  RunControl control(*m, display);
  while (control.Tick() == TickResult::kStepped) {
  }
  int year = 0;
  for (auto _ : state) {
    const WorldRecord& w = m->WorldHistory[year];
    PeriodIndicators period = ComputePeriodIndicators(m->World, year / 5);
    PopulationIndicators population = ComputePopulationIndicators(w);
    benchmark::DoNotOptimize(period);
    benchmark::DoNotOptimize(population);
    year = year == 100 ? 0 : year + 1;
  }
}
BENCHMARK(BM_AllIndicatorsOverARun);

void BM_PeriodIndicators(benchmark::State& state) {
  const auto m = JapanModel();
  for (auto _ : state) {
    PeriodIndicators period = ComputePeriodIndicators(m->World, 0);
    benchmark::DoNotOptimize(period);
  }
}
BENCHMARK(BM_PeriodIndicators);

void BM_PopulationIndicators(benchmark::State& state) {
  const auto m = JapanModel();
  for (auto _ : state) {
    PopulationIndicators population = ComputePopulationIndicators(m->World);
    benchmark::DoNotOptimize(population);
  }
}
BENCHMARK(BM_PopulationIndicators);

}  // namespace
}  // namespace velmora
