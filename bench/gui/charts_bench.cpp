// The circle and the graph in the frame's start-up arrangement on the
// 1920 x 1080 offscreen screen: one age circle, one graph column as the
// yearly step draws it, and the hover look-back at a past year (census,
// information line, marker, circle and pyramid of that year).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "SharedScene.h"
#include "SilentPlatform.h"
#include "frame/MDIFormMain.h"
#include "model/Census.h"
#include "platform/Platform.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"

namespace velmora {
namespace {

using bench::SilentPlatform;

// The program as it stands after start-up, with a population at every age
// and a history of 100 years behind it.
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
    for (int year = 0; year <= 100; ++year) {
      m.WorldHistory[year] = m.World;
      m.WorldHistory[year].People(1, year % kAges) = HeadCount::FromPersons(100'000 + 1'000 * year);
    }
    TakeCensus(m.Census, m.World, m, frame->Display());
    m.ElapsedYears = 100;
  }
  ~Scene() {
    frame.reset();
    platform::SetCurrent(nullptr);
  }
  FormGraph& Graph() { return frame->Windows().Graph(); }
  FormCircle& Circle() { return frame->Windows().Circle(); }
  std::string Size(const QWidget& w) { return std::to_string(w.width()) + "x" + std::to_string(w.height()); }

  SilentPlatform silent;
  std::unique_ptr<ModulePopulation> model;
  ModulePopulation& m;
  std::unique_ptr<MDIFormMain> frame;
};

Scene& TheScene() { return bench::SharedScene<Scene>(); }

void BM_DrawAgeCircle(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) s.Circle().DrawAgeCircle(s.m.Census, s.m.World);
  state.SetLabel("circle " + s.Size(s.Circle()));
}
BENCHMARK(BM_DrawAgeCircle)->Unit(benchmark::kMicrosecond);

void BM_DrawGraphColumn(benchmark::State& state) {
  Scene& s = TheScene();
  s.Graph().SetPenWidth(3);
  int column = 1;
  for (auto _ : state) {
    s.Graph().DrawGraphColumn(column, s.m.World, s.m.Capacity);
    column = column % 100 + 1;
  }
  state.SetLabel("graph " + s.Size(s.Graph()));
}
BENCHMARK(BM_DrawGraphColumn)->Unit(benchmark::kMicrosecond);

// Every move crosses into another band, so each one runs the whole readout.
void BM_HoverLookBack(benchmark::State& state) {
  Scene& s = TheScene();
  const float width = static_cast<float>(s.m.ViewSize[0]);
  const float near = width * 30.5f / 101.0f;
  const float far = width * 70.5f / 101.0f;
  bool toFar = true;
  for (auto _ : state) {
    s.Graph().Form_MouseMove(0, 0, toFar ? far : near, 100.0f);
    toFar = !toFar;
  }
  state.SetLabel("graph " + s.Size(s.Graph()) + ", circle " + s.Size(s.Circle()) + ", pyramid " +
                 s.Size(s.frame->Windows().Pyramid()));
}
BENCHMARK(BM_HoverLookBack)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora
