// velmora-cli-charts: the charts of a run's last year as PNG files, drawn by
// the desktop program itself. The frame opens on the offscreen platform with
// a 1920x1080 screen at 96 dpi, so the windows take the start-up
// arrangement's sizes on every machine and nothing appears on a desktop.
// The run goes through the frame's own commands (Reset, Start, the world
// clock's tick), so every picture is the one the desktop program shows.
//
//   velmora-cli-charts FOLDER POPULATION START_RATES END_RATES BIRTHS DEATHS YEARS SUBJECT
//
// FOLDER is used as the bytes it is (it need not be UTF-8); SUBJECT names the
// inputs in the labelled figure's title.
//
// velmora-cli starts it for --charts with inputs it has checked already.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "cli/charts/ChartFiles.h"
#include "cli/core/HeadlessRun.h"
#include "cli/core/PresetIo.h"
#include "frame/ChildWindows.h"
#include "frame/MDIFormMain.h"
#include "model/ModulePopulation.h"
#include "model/RunControl.h"
#include "platform/GuardedApplication.h"
#include "platform/Platform.h"
#include "presets/MessageText.h"
#include "presets/WholeFile.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"

namespace {

using namespace velmora;

constexpr const char* kScreen = R"({
  "synchronousWindowSystemEvents": false,
  "windowFrameMargins": true,
  "screens": [
    { "name": "velmora-charts", "x": 0, "y": 0, "width": 1920, "height": 1080,
      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 }
  ]
})";

// Nobody is there to answer a message box: the explosion's message is
// noted on stderr and answered OK.
class QuietPlatform final : public platform::Platform {
 public:
  platform::Answer ShowMessage(const std::string& text, const std::string& title, platform::Buttons,
                               platform::Icon) override {
    std::fprintf(stderr, "velmora-cli-charts: %s: %s\n", title.c_str(), text.c_str());
    return platform::Answer::Ok;
  }
  void Beep() override {}
  [[noreturn]] void EndProgram() override { std::exit(1); }
};

// Qt's notes about the offscreen session (no runtime folder, no size
// hints) are noise here; real errors still show.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "velmora-cli-charts: %s\n", message.toLocal8Bit().constData());
  }
}

bool DrawCharts(const std::string& folder, const WorldRecord& inputs, int years, const std::string& subject);

}  // namespace

int main(int argc, char** argv) {
  if (argc != 9) {
    std::fprintf(stderr,
                 "usage: velmora-cli-charts FOLDER POPULATION START_RATES END_RATES BIRTHS DEATHS YEARS SUBJECT\n"
                 "(velmora-cli run --charts DIR starts it)\n");
    return 2;
  }
  // An interrupted set of pictures leaves no temporary files behind.
  presets::RemoveTemporariesOnSignals();
  WorldRecord inputs;
  int years = 0;
  try {
    cli::ReadPopulation(argv[2], inputs);
    cli::ReadRates(argv[3], inputs, 0);
    cli::ReadRates(argv[4], inputs, 19);
    inputs.VariationFunc(0) = cli::ParseVariation(argv[5]);
    inputs.VariationFunc(1) = cli::ParseVariation(argv[6]);
    years = std::atoi(argv[7]);
  } catch (const cli::InputError& error) {
    std::fprintf(stderr, "velmora-cli-charts: %s\n", error.what());
    return 1;
  }
  if (years < 1 || years > 100) {
    std::fprintf(stderr, "velmora-cli-charts: years %s is not 1..100\n", argv[7]);
    return 1;
  }

  QTemporaryFile screen(QDir::tempPath() + "/velmora-charts-XXXXXX.json");
  if (!screen.open() || screen.write(kScreen) < 0 || !screen.flush()) {
    std::fprintf(stderr, "velmora-cli-charts: cannot write the screen description in %s\n",
                 QDir::tempPath().toLocal8Bit().constData());
    return 1;
  }
  qInstallMessageHandler(QuietQtMessages);
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
  int qtArgc = 1;
  platform::GuardedApplication app(qtArgc, argv);
  platform::InstallFontSubstitutions();
  QuietPlatform quiet;
  platform::SetCurrent(&quiet);

  try {
    return DrawCharts(argv[1], inputs, years, argv[8]) ? 0 : 1;
  } catch (const Failure& failure) {
    // A population whose figures leave the range before the run starts.
    std::fprintf(stderr, "velmora-cli-charts: failure %d while drawing\n", failure.code);
    platform::SetCurrent(nullptr);
    return 1;
  }
}

namespace {

bool DrawCharts(const std::string& folder, const WorldRecord& inputs, int years, const std::string& subject) {
  auto model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  MDIFormMain frame(m);
  frame.OpenFrame();

  // The start and end tables and the variation functions as the pyramid's
  // menus leave them, then the settings window's population load and the
  // Reset it requests.
  std::copy(inputs.PeriodRates(0), inputs.PeriodRates(0) + 60, m.World.PeriodRates(0));
  std::copy(inputs.PeriodRates(19), inputs.PeriodRates(19) + 60, m.World.PeriodRates(19));
  m.World.VariationFunc(0) = inputs.VariationFunc(0);
  m.World.VariationFunc(1) = inputs.VariationFunc(1);
  m.World.people = inputs.people;
  RunControl(m, frame.Display()).AdoptLoadedPopulation();
  frame.MenuReset_Click();

  // Start, then the world clock's ticks, each run by hand (no event loop
  // runs here): the clock stops by itself when the run is over or has
  // exploded, and a Break stops it after the last year asked for.
  frame.MenuStart_Click();
  for (int year = 0; year < years && frame.WorldClockRunning(); ++year) frame.TimerWorld_Timer();
  frame.MenuBreak_Click();

  bool saved = true;
  try {
    cli::WriteChartFiles(folder, m, frame.Windows(), subject);
  } catch (const cli::InputError& error) {
    std::fprintf(stderr, "velmora-cli-charts: %s\n", presets::Shown(error.what(), 400).c_str());
    saved = false;
  }
  platform::SetCurrent(nullptr);
  return saved;
}

}  // namespace
