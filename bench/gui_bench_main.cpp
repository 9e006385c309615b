// Benchmarks of the real windows: an application on the offscreen platform
// with a 1920x1080 screen, then Google Benchmark's own driver.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "support/OwnPlatform.h"

int main(int argc, char** argv) {
  velmora::testing::UseOwnOffscreenPlatform(VELMORA_OFFSCREEN_CONFIG);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
