// One preset from the UN tables: with every table read afresh (what one
// velmora-cli wpp preset call does), and from tables already read.
#include <benchmark/benchmark.h>

#include "wpp/Preset.h"

namespace {

using velmora::wpp::Source;

void BM_PresetFromRawTables(benchmark::State& state) {
  for (auto _ : state) {
    const Source source(VELMORA_WPP_TABLES);
    const auto location = source.Locations().Find("Japan");
    benchmark::DoNotOptimize(source.Build(location, 1950));
  }
}
BENCHMARK(BM_PresetFromRawTables)->Unit(benchmark::kMillisecond);

void BM_PresetFromReadTables(benchmark::State& state) {
  const Source source(VELMORA_WPP_TABLES);
  const auto index = source.Locations();
  const auto location = index.Find("World");
  for (auto _ : state) benchmark::DoNotOptimize(source.Build(location, 2050));
}
BENCHMARK(BM_PresetFromReadTables)->Unit(benchmark::kMillisecond);

}  // namespace
