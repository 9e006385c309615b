// The model's hot paths on a realistic population: about 120 million people
// by single year of age in a pyramid shape, with age-specific rates.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "model/Census.h"
#include "model/ModulePopulation.h"
#include "model/QuietDisplay.h"
#include "model/Run.h"
#include "model/RunControl.h"

namespace velmora {
namespace {

// About 120 million people, thinning out with age; birth rates over the
// classes 15-49 (about 1.4 children per woman) falling to the end table, and
// death rates rising with age, halving over 50 years.
std::unique_ptr<ModulePopulation> RealisticModel() {
  auto m = std::make_unique<ModulePopulation>();
  m->StartYear = 2000;
  m->Capacity = HeadCount::FromPersons(100'000'000);
  WorldRecord& w = m->World;
  for (int age = 0; age < kAges; ++age) {
    const double share = std::max(0.0, 1.0 - age / 105.0) * (1.0 + 0.3 * std::sin(age / 9.0));
    w.People(0, age) = HeadCount::FromPersons(static_cast<int64_t>(1'150'000 * share));
    w.People(1, age) = HeadCount::FromPersons(static_cast<int64_t>(1'180'000 * share));
  }
  const float births[kAgeClasses] = {0, 0, 0, 5, 35, 95, 90, 45, 10, 1};
  for (int j = 0; j < kAgeClasses; ++j) {
    w.BirthRate(0, j) = births[j];
    w.BirthRate(19, j) = births[j] * 0.8f;
    const float death = j == 0 ? 300.0f : 20.0f * std::exp(0.45f * j);
    w.DeathRate(0, 0, j) = std::min(death * 1.2f, 100000.0f);
    w.DeathRate(0, 1, j) = std::min(death, 100000.0f);
  }
  w.VariationFunc(0) = kLinear100;
  w.VariationFunc(1) = kHalve50;
  QuietDisplay display;
  StartRunModel(*m, display);
  return m;
}

void BM_AdvanceYear(benchmark::State& state) {
  auto m = RealisticModel();
  const WorldRecord start = m->World;
  QuietDisplay display;
  for (auto _ : state) {
    AdvanceYear(*m, display);
    // A run has 100 years: start over from year 0 after the last one (one
    // record copy per hundred steps).
    if (m->ElapsedYears == 100) {
      m->World = start;
      m->ElapsedYears = 0;
    }
  }
  benchmark::DoNotOptimize(m->Census.Total);
}
BENCHMARK(BM_AdvanceYear);

void BM_TakeCensus(benchmark::State& state) {
  auto m = RealisticModel();
  QuietDisplay display;
  for (auto _ : state) {
    TakeCensus(m->Census, m->World, *m, display);
    benchmark::DoNotOptimize(m->Census);
  }
}
BENCHMARK(BM_TakeCensus);

void BM_BuildSchedule(benchmark::State& state) {
  auto m = RealisticModel();
  WorldRecord& w = m->World;
  for (auto _ : state) {
    BuildSchedule(w);
    benchmark::DoNotOptimize(w.rates.data());
  }
}
BENCHMARK(BM_BuildSchedule);

void BM_FertilityAndMeanDeathRate(benchmark::State& state) {
  auto m = RealisticModel();
  for (auto _ : state) {
    benchmark::DoNotOptimize(FertilityRate(3, m->World));
    benchmark::DoNotOptimize(MeanDeathRate(*m, 3, m->World));
  }
}
BENCHMARK(BM_FertilityAndMeanDeathRate);

// A whole run without windows: Start, then the world clock's ticks until it
// stops (100 years, then the tick that finishes the run).
void BM_HundredYearRun(benchmark::State& state) {
  auto m = RealisticModel();
  const WorldRecord start = m->WorldAtStart;
  QuietDisplay display;
  RunControl control(*m, display);
  for (auto _ : state) {
    m->World = start;
    control.Start();
    while (control.Tick() == TickResult::kStepped) {
    }
    if (m->ElapsedYears != 100) state.SkipWithError("the run did not last 100 years");
    benchmark::DoNotOptimize(m->Census.Total);
  }
}
BENCHMARK(BM_HundredYearRun)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora
