// The pyramid window at its start-up size (6000 x 4500 twips = 400 x 300
// pixels): a whole redraw of each content, one drag move of the editor (store,
// census, labels, row redraw) and the release that refreshes graph and circle.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <memory>

#include "model/Census.h"
#include "model/QuietDisplay.h"
#include "views/ChartLinks.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"

namespace velmora {
namespace {

class StoppedFrame : public FrameServices {
 public:
  void RequestCommand(Int16) override {}
  bool WorldClockRunning() const override { return false; }
  void SetWorldClockInterval(int) override {}
  int WorldClockInterval() const override { return 100; }
  void SetWindowMenuCheck(int, bool) override {}
  bool FocusWindow(int) override { return false; }
  void ShowPastYear(Int16, const WorldRecord&, const CensusRecord&) override {}
  bool RedrawChartsAfterEdit() override { return velmora::RedrawChartsAfterEdit(*model, *graph, *circle); }
  const ModulePopulation* model = nullptr;
  FormGraph* graph = nullptr;
  FormCircle* circle = nullptr;
};

// A populated model and the three charts the editor touches.
struct Scene {
  Scene() : model(std::make_unique<ModulePopulation>()), m(*model) {
    m.StartYear = 2000;
    m.BaseScale = HeadCount::FromPersons(10);
    m.FullScale = HeadCount::FromPersons(1'000'000);
    m.Capacity = HeadCount::FromPersons(100'000'000);
    for (int age = 0; age < kAges; ++age) {
      m.World.People(0, age) = HeadCount::FromPersons(200'000 - 1'500 * age);
      m.World.People(1, age) = HeadCount::FromPersons(210'000 - 1'400 * age);
    }
    for (int c = 0; c < kAgeClasses; ++c) {
      m.World.BirthRate(0, c) = c >= 3 && c <= 9 ? 60.0f : 0.0f;
      m.World.DeathRate(0, 0, c) = 100.0f * (c + 1);
      m.World.DeathRate(0, 1, c) = 90.0f * (c + 1);
    }
    TakeCensus(m.Census, m.World, m, display);
    m.WorldHistory[0] = m.World;
    pyramid = std::make_unique<FormPyramid>(m, display, frame);
    graph = std::make_unique<FormGraph>(m, display, frame);
    circle = std::make_unique<FormCircle>(m, display, frame);
    pyramid->resize(400, 300);
    graph->resize(699, 537);
    circle->resize(312, 213);
    pyramid->show();
    graph->show();
    circle->show();
    QApplication::processEvents();
    frame.model = &m;
    frame.graph = graph.get();
    frame.circle = circle.get();
    pyramid->Menus().MenuScale[4]->trigger();
    pyramid->Menus().MenuPeople[1]->trigger();
  }

  QuietDisplay display;
  StoppedFrame frame;
  std::unique_ptr<ModulePopulation> model;
  ModulePopulation& m;
  std::unique_ptr<FormPyramid> pyramid;
  std::unique_ptr<FormGraph> graph;
  std::unique_ptr<FormCircle> circle;
};

void BM_DrawPyramid(benchmark::State& state) {
  Scene scene;
  const Int16 content = static_cast<int>(state.range(0));
  for (auto _ : state) scene.pyramid->DrawPyramid(content, scene.m.World, scene.m.Census);
}
BENCHMARK(BM_DrawPyramid)->Arg(-1)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// One move of a five-year population drag: the value, five stores with their
// census and labels, the year-0 snapshot and the row redrawn.
void BM_DragMove(benchmark::State& state) {
  Scene scene;
  const float y = 300 - 15 * 4 - 8;  // class 4
  scene.pyramid->Form_MouseDown(1, 0, 150.0f, y);
  float x = 100.0f;
  for (auto _ : state) {
    scene.pyramid->Form_MouseMove(1, 0, x, y);
    x = x == 100.0f ? 101.0f : 100.0f;
  }
  scene.pyramid->Form_MouseUp(1, 0, x, y);
}
BENCHMARK(BM_DragMove)->Unit(benchmark::kMicrosecond);

// The same move as the window receives it: a mouse event through Qt's dispatch.
void BM_DragMoveEvent(benchmark::State& state) {
  Scene scene;
  const double y = 300 - 15 * 4 - 8;
  scene.pyramid->Form_MouseDown(1, 0, 150.0f, static_cast<float>(y));
  double x = 100.0;
  for (auto _ : state) {
    const QPointF at(x, y);
    QMouseEvent event(QEvent::MouseMove, at, scene.pyramid->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(scene.pyramid.get(), &event);
    x = x == 100.0 ? 101.0 : 100.0;
  }
  scene.pyramid->Form_MouseUp(1, 0, static_cast<float>(x), static_cast<float>(y));
}
BENCHMARK(BM_DragMoveEvent)->Unit(benchmark::kMicrosecond);

// The release of a drag: graph column 0 and the circle, each after a clear.
void BM_ReleaseRefresh(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) scene.pyramid->Form_MouseUp(1, 0, 100.0f, 200.0f);
}
BENCHMARK(BM_ReleaseRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora
