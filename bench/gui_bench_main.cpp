// Benchmarks of the real windows: an application on the offscreen platform
// with a 1920x1080 screen, then Google Benchmark's own driver.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <vector>

#include "SharedScene.h"
#include "support/OwnPlatform.h"

namespace velmora::bench {
namespace {

std::vector<std::function<void()>>& Teardowns() {
  static std::vector<std::function<void()>> teardowns;
  return teardowns;
}

}  // namespace

void AtBenchmarksEnd(std::function<void()> teardown) { Teardowns().push_back(std::move(teardown)); }

}  // namespace velmora::bench

int main(int argc, char** argv) {
  velmora::testing::UseOwnOffscreenPlatform(VELMORA_OFFSCREEN_CONFIG);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The shared scenes' windows go while their application is still there.
  auto& teardowns = velmora::bench::Teardowns();
  while (!teardowns.empty()) {
    auto teardown = std::move(teardowns.back());
    teardowns.pop_back();
    teardown();
  }
  return 0;
}
