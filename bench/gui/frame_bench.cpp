// The world clock's cost on the real windows (offscreen, 1920x1080): one
// whole tick (the yearly step with the label and chart refresh), and a
// 100-year run at 1 ms per year against its nominal 100 ms.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QTimer>
#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "SilentPlatform.h"
#include "frame/MDIFormMain.h"
#include "model/ModulePopulation.h"
#include "platform/Platform.h"
#include "views/FormPyramid.h"

namespace velmora {
namespace {

// Answers every box at once, so that nothing can block a measurement.
using bench::SilentPlatform;

// A full population of both sexes over every age, births in the fertile
// classes and death rates rising with age: every chart has work to do.
void Populate(WorldRecord& world) {
  for (int sex = 0; sex < 2; ++sex) {
    for (int age = 0; age < 100; ++age) world.People(sex, age) = HeadCount::FromPersons(900'000 - 8'000 * age);
    double rate = 60;
    for (int c = 0; c < 20; ++c, rate *= 1.32) world.DeathRate(0, sex, c) = static_cast<float>(rate);
  }
  for (int c = 3; c <= 9; ++c) world.BirthRate(0, c) = 60;
}

// Counts the paint events that the run causes and the pixels they cover, per
// kind of widget, and the layout requests (a label that changes size asks
// its window, and an MDI window's frame then measures its title), to show
// where a year's time after the tick goes.
class PaintCounter final : public QObject {
 public:
  PaintCounter() { QCoreApplication::instance()->installEventFilter(this); }
  ~PaintCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::LayoutRequest) ++layouts;
    if (event->type() == QEvent::Paint) {
      ++events;
      qint64 area = 0;
      for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) area += qint64{r.width()} * r.height();
      pixels += area;
      byClass[watched->metaObject()->className()] += area;
    }
    return false;
  }
  qint64 layouts = 0;
  qint64 events = 0;
  qint64 pixels = 0;
  std::map<std::string, qint64> byClass;
};

struct Program {
  Program() {
    platform::SetCurrent(&silent);
    platform::InstallFontSubstitutions();
    frame = std::make_unique<MDIFormMain>(*model);
    frame->OpenFrame();
    Populate(model->World);
    model->WorldAtStart = model->World;
    QCoreApplication::processEvents();
  }
  ~Program() {
    frame.reset();
    platform::SetCurrent(nullptr);
  }
  void Restart() {
    frame->MenuReset_Click();
    if (model->Census.Total <= HeadCount{}) std::abort();
    frame->MenuStart_Click();
  }
  SilentPlatform silent{platform::Answer::No};
  std::unique_ptr<ModulePopulation> model = std::make_unique<ModulePopulation>();
  std::unique_ptr<MDIFormMain> frame;
};

void BM_WorldClockTick(benchmark::State& state) {
  Program p;
  p.Restart();
  p.frame->TimerWorld().stop();
  for (auto _ : state) {
    if (p.model->ElapsedYears >= 100) {
      state.PauseTiming();
      p.Restart();
      p.frame->TimerWorld().stop();
      state.ResumeTiming();
    }
    p.frame->TimerWorld_Timer();
    p.frame->TimerWorld().stop();
  }
  state.counters["boxes"] = p.silent.boxes;
}
BENCHMARK(BM_WorldClockTick)->Unit(benchmark::kMicrosecond);

// The データ menu's extras that a run may carry: 0 none, 1 the indicators
// window open, 2 that and the stable-population outline on the pyramid.
void OpenDataExtras(Program& p, int64_t extras) {
  if (extras >= 1) p.frame->MenuIndicators_Click();
  if (extras >= 2) p.frame->Menus().MenuStableOutline->trigger();
  QCoreApplication::processEvents();
}

void BM_HundredYearRunAtOneMillisecond(benchmark::State& state) {
  Program p;
  OpenDataExtras(p, state.range(0));
  p.frame->SetWorldClockInterval(1);
  double worst = 0;
  double total = 0;
  PaintCounter paints;
  for (auto _ : state) {
    p.Restart();
    const auto begin = std::chrono::steady_clock::now();
    while (p.frame->TimerWorld().isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - begin;
    state.SetIterationTime(wall.count());
    if (p.model->ElapsedYears != 100) state.SkipWithError("the run did not reach year 100");
    total += wall.count();
    worst = std::max(worst, wall.count());
  }
  // The run's wall time against 100 years x 1 ms.
  state.counters["ratio"] = total / static_cast<double>(state.iterations()) / 0.100;
  state.counters["worst_ratio"] = worst / 0.100;
  // What the event loop painted per simulated year.
  const double years = 100.0 * static_cast<double>(state.iterations());
  state.counters["layouts_per_year"] = static_cast<double>(paints.layouts) / years;
  state.counters["paints_per_year"] = static_cast<double>(paints.events) / years;
  state.counters["kpixels_per_year"] = static_cast<double>(paints.pixels) / years / 1000.0;
  std::string label;
  for (const auto& [name, area] : paints.byClass) {
    label += (label.empty() ? "" : " ") + name + "=" + std::to_string(area / static_cast<qint64>(years) / 1000) + "k";
  }
  state.SetLabel(label);
}
BENCHMARK(BM_HundredYearRunAtOneMillisecond)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// One move of a five-year population drag on the frame's pyramid, with the
// same extras: the edit, its labels, the row (or with the outline the whole
// pyramid) and the indicators of the edited state.
void BM_DragMoveWithDataExtras(benchmark::State& state) {
  Program p;
  p.frame->MenuReset_Click();
  OpenDataExtras(p, state.range(0));
  FormPyramid& pyramid = p.frame->Windows().Pyramid();
  pyramid.MenuPeople_Click(1);
  const float y = static_cast<float>(pyramid.height() - (pyramid.height() - 20) / 20.0 * 4.5);  // class 4
  const float a = static_cast<float>(pyramid.width() / 4);
  pyramid.Form_MouseDown(1, 0, a + 20.0f, y);
  float x = a;
  for (auto _ : state) {
    pyramid.Form_MouseMove(1, 0, x, y);
    x = x == a ? a + 1.0f : a;
  }
  pyramid.Form_MouseUp(1, 0, x, y);
}
BENCHMARK(BM_DragMoveWithDataExtras)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// What the event loop does after a tick before it waits for the next: the
// layout requests and the repaints of everything the tick changed (labels,
// the graph's new strip, the pyramid, the disc), timed without the tick.
void BM_RepaintAfterTick(benchmark::State& state) {
  Program p;
  p.Restart();
  p.frame->TimerWorld().stop();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    state.PauseTiming();
    if (p.model->ElapsedYears >= 100) {
      p.Restart();
      QCoreApplication::processEvents();
    }
    p.frame->TimerWorld_Timer();
    p.frame->TimerWorld().stop();
    state.ResumeTiming();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_RepaintAfterTick)->Unit(benchmark::kMicrosecond);

// The floor under the run's ratio: a precise 1 ms timer that stops itself in
// its tick and re-arms itself, doing nothing else, 100 ticks on the same
// event loop and measured the same way as the run.
void BM_BareTimerHundredTicksAtOneMillisecond(benchmark::State& state) {
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(1);
  int ticks = 0;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    timer.stop();
    if (++ticks < 100) timer.start();
  });
  double total = 0;
  for (auto _ : state) {
    ticks = 0;
    timer.start();
    const auto begin = std::chrono::steady_clock::now();
    while (timer.isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - begin;
    state.SetIterationTime(wall.count());
    total += wall.count();
  }
  state.counters["ratio"] = total / static_cast<double>(state.iterations()) / 0.100;
}
BENCHMARK(BM_BareTimerHundredTicksAtOneMillisecond)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
