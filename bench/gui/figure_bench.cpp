// Saving the labelled figure from the desktop program: the frame in its
// start-up arrangement on the 1920 x 1080 offscreen screen after a run of 100
// years, the figure composed at the windows' sizes, then encoded as PNG at
// twice the screen's density and as SVG (what "図を保存" writes), apart and
// together.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <memory>
#include <string>

#include "SharedScene.h"
#include "SilentPlatform.h"
#include "frame/MDIFormMain.h"
#include "model/Census.h"
#include "platform/Platform.h"
#include "views/FigureComposer.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"

namespace velmora {
namespace {

using bench::SilentPlatform;

// A run of 100 years through the frame's own commands.
struct Scene {
  Scene() : model(std::make_unique<ModulePopulation>()), m(*model) {
    platform::SetCurrent(&silent);
    frame = std::make_unique<MDIFormMain>(m);
    frame->OpenFrame();
    QApplication::processEvents();
    for (int age = 0; age < kAges; ++age) {
      m.World.People(0, age) = HeadCount::FromPersons(600'000 - 5'000 * age);
      m.World.People(1, age) = HeadCount::FromPersons(620'000 - 5'100 * age);
    }
    for (int j = 0; j < kAgeClasses; ++j) {
      for (int period : {0, 19}) {
        m.World.BirthRate(period, j) = j >= 3 && j <= 9 ? 55.0f : 0.0f;
        m.World.DeathRate(period, 0, j) = 100.0f + 30.0f * j * j;
        m.World.DeathRate(period, 1, j) = 80.0f + 28.0f * j * j;
      }
    }
    TakeCensus(m.Census, m.World, m, frame->Display());
    m.PeakPopulation = m.Census.Total;
    m.WorldAtStart = m.World;
    frame->MenuReset_Click();
    frame->MenuStart_Click();
    for (int year = 0; year < 100; ++year) {
      frame->TimerWorld().stop();
      frame->TimerWorld_Timer();
    }
    frame->TimerWorld().stop();
  }
  ~Scene() {
    frame.reset();
    platform::SetCurrent(nullptr);
  }
  FigureRequest Request() {
    const ChildWindows& w = frame->Windows();
    return {LiveYear(m), w.Graph().size(), w.Pyramid().size(), w.Circle().size(), "", true};
  }

  SilentPlatform silent;
  std::unique_ptr<ModulePopulation> model;
  ModulePopulation& m;
  std::unique_ptr<MDIFormMain> frame;
};

Scene& TheScene() { return bench::SharedScene<Scene>(); }

void BM_FigurePng(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) benchmark::DoNotOptimize(FigureComposer(s.m, s.Request()).Png(2));
}
// The PNG is encoded on other threads: the CPU time counted is the process's.
BENCHMARK(BM_FigurePng)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_FigureSvg(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) benchmark::DoNotOptimize(FigureComposer(s.m, s.Request()).Svg());
}
BENCHMARK(BM_FigureSvg)->Unit(benchmark::kMillisecond);

// What one save costs: both files of one figure.
void BM_FigurePngAndSvg(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    const FigureComposer composer(s.m, s.Request());
    benchmark::DoNotOptimize(composer.Png(2));
    benchmark::DoNotOptimize(composer.Svg());
  }
  const FigureComposer composer(s.m, s.Request());
  state.SetLabel(std::to_string(composer.Layout().size.width() * 2) + "x" +
                 std::to_string(composer.Layout().size.height() * 2) + " PNG");
}
BENCHMARK(BM_FigurePngAndSvg)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace velmora
