// The world-data window on the real frame (offscreen, 1920x1080): opening it
// with every location listed the first time in a process (the UN tables read)
// and after that, one keystroke of the search, and loading a location and year
// into the model.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "SilentPlatform.h"
#include "frame/MDIFormMain.h"
#include "model/ModulePopulation.h"
#include "platform/Platform.h"
#include "worlddata/FormWorldData.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

using bench::SilentPlatform;

// A program folder of its own per name: the tables are read afresh for a
// folder not seen before in this process.
fs::path ProgramFolder(const std::string& name) {
  const fs::path folder = fs::temp_directory_path() / ("velmora-bench-worlddata-" + std::to_string(getpid())) / name;
  fs::create_directories(folder);
  if (!fs::exists(folder / "wpp2019")) fs::create_directory_symlink(VELMORA_WPP_TABLES, folder / "wpp2019");
  return folder;
}

struct Program {
  Program() {
    platform::SetCurrent(&silent);
    frame = std::make_unique<MDIFormMain>(*m);
    frame->OpenFrame();
  }
  ~Program() {
    frame->TimerWorld().stop();
    frame->TimerMenu().stop();
    platform::SetCurrent(nullptr);
  }
  // Opened as the menu opens it: made, shown, its list filled and painted.
  std::unique_ptr<FormWorldData> Open() {
    auto form = std::make_unique<FormWorldData>(*m, frame->Display(), *frame);
    form->show();
    form->ListPlaces()->viewport()->repaint();
    return form;
  }
  SilentPlatform silent{platform::Answer::No};
  std::unique_ptr<ModulePopulation> m = std::make_unique<ModulePopulation>();
  std::unique_ptr<MDIFormMain> frame;
};

void BM_OpenFirstTimeInProcess(benchmark::State& state) {
  Program program;
  int folder = 0;
  for (auto _ : state) {
    state.PauseTiming();
    program.m->AppPath = ProgramFolder("first-" + std::to_string(folder++)).string();
    state.ResumeTiming();
    auto form = program.Open();
    benchmark::DoNotOptimize(form->ListPlaces()->topLevelItemCount());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenFirstTimeInProcess)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_OpenAgain(benchmark::State& state) {
  Program program;
  program.m->AppPath = ProgramFolder("again").string();
  program.Open();  // the tables are read here, once
  for (auto _ : state) {
    auto form = program.Open();
    benchmark::DoNotOptimize(form->ListPlaces()->topLevelItemCount());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenAgain)->Unit(benchmark::kMillisecond);

// Typing "japan" one letter at a time, then clearing: each text change
// filters the list and paints it.
void BM_SearchKeystroke(benchmark::State& state) {
  Program program;
  program.m->AppPath = ProgramFolder("again").string();
  auto form = program.Open();
  const QString word = "japan";
  int typed = 0;
  for (auto _ : state) {
    typed = (typed + 1) % (word.size() + 1);
    form->TextSearch()->setText(word.left(typed));
    form->ListPlaces()->viewport()->repaint();
  }
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);

// A location and year made from the tables and loaded (rates and
// population) into the model as the button does, with the Reset it requests
// run at once: labels, graph, circle and pyramid refreshed.
void BM_LoadLocationAndYear(benchmark::State& state) {
  Program program;
  program.m->AppPath = ProgramFolder("again").string();
  auto form = program.Open();
  form->TextSearch()->setText("Japan");
  const int years[] = {1950, 2020, 2100};
  int i = 0;
  for (auto _ : state) {
    form->SelectYear(years[i++ % 3]);
    form->CommandLoad_Click(FormWorldData::kLoadBoth);
    program.frame->TimerMenu_Timer();
  }
}
BENCHMARK(BM_LoadLocationAndYear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
