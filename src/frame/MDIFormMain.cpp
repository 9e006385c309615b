#include "frame/MDIFormMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <array>
#include <string>

#include "frame/AccessKeys.h"
#include "frame/ResultFiles.h"
#include "frame/StartupArrangement.h"
#include "frame/WindowList.h"
#include "model/Census.h"
#include "model/DataCredit.h"
#include "model/Messages.h"
#include "model/NumberText.h"
#include "model/Run.h"
#include "platform/Platform.h"
#include "platform/ProgramIcon.h"
#include "scenario/FormSetting.h"
#include "scenario/core/ScenarioOperations.h"
#include "views/ChartLinks.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormIndicators.h"
#include "views/FormPyramid.h"
#include "views/FormText.h"
#include "worlddata/FormWorldData.h"

namespace velmora {
namespace {

constexpr int kDesignClientWidth = 8115;  // twips, used when the frame is restored
constexpr int kDesignClientHeight = 6540;
// How long a window manager may take to maximize the frame.
constexpr int kMaximizeGraceMs = 1000;

std::string AboutText() {
  return std::string("Velmora ") + VELMORA_VERSION +
         "\rVelmora Project"
         "\r https://velmora.example.org/"
         "\rVelmora developers"
         "\r mailto:velmora@example.org"
         "\r" +
         kDataCredit;
}

}  // namespace

MDIFormMain::MDIFormMain(ModulePopulation& model)
    : m_(model),
      area_(new QMdiArea(this)),
      menus_(BuildFrameMenus(*menuBar())),
      timerWorld_(new QTimer(this)),
      timerMenu_(new QTimer(this)),
      display_(windows_),
      control_(model, display_),
      windows_(*area_, model, display_, *this),
      dataWindows_(*area_, model, display_, *this) {
  setWindowTitle(QString::fromUtf8("Velmora"));
  platform::InstallProgramIcon();
  // The workspace shows the desktop's application-workspace colour.
  area_->setBackground(palette().brush(QPalette::Dark));
  setCentralWidget(area_);
  // The client area lies below the menu bar.
  resize(platform::TwipsToPixels(kDesignClientWidth),
         platform::TwipsToPixels(kDesignClientHeight) + menuBar()->sizeHint().height());

  timerWorld_->setTimerType(Qt::PreciseTimer);
  timerWorld_->setInterval(kWorldClockStartInterval);
  timerMenu_->setTimerType(Qt::PreciseTimer);
  timerMenu_->setSingleShot(true);
  timerMenu_->setInterval(1);
  // The pyramid's own bar shares letters with the frame's.
  new AccessKeys(
      *menuBar(), windows_.Pyramid().MenuBar()->Lines(),
      [this] { return windows_.IsActive(kWindowPyramid) && windows_.Pyramid().isVisible(); }, this);
  ConnectEvents();
  ShowSource();
}

MDIFormMain::~MDIFormMain() = default;

void MDIFormMain::ConnectEvents() {
  connect(menus_.MenuStart, &QAction::triggered, this, &MDIFormMain::MenuStart_Click);
  connect(menus_.MenuAgain, &QAction::triggered, this, &MDIFormMain::MenuAgain_Click);
  connect(menus_.MenuBreak, &QAction::triggered, this, &MDIFormMain::MenuBreak_Click);
  connect(menus_.MenuReset, &QAction::triggered, this, &MDIFormMain::MenuReset_Click);
  connect(menus_.MenuEnd, &QAction::triggered, this, &MDIFormMain::MenuEnd_Click);
  for (int i = 0; i < static_cast<int>(menus_.MenuWShow.size()); ++i) {
    connect(menus_.MenuWShow[i], &QAction::triggered, this, [this, i] { MenuWShow_Click(i); });
  }
  for (int i = 0; i < 2; ++i) {
    connect(menus_.MenuAgeOrder[i], &QAction::triggered, this, [this, i] { MenuAgeOrder_Click(i); });
    connect(menus_.MenuAgeClass[i], &QAction::triggered, this, [this, i] { MenuAgeClass_Click(i); });
  }
  connect(menus_.MenuCopyright, &QAction::triggered, this, &MDIFormMain::MenuCopyright_Click);
  connect(menus_.MenuWorldData, &QAction::triggered, this, &MDIFormMain::MenuWorldData_Click);
  connect(menus_.MenuIndicators, &QAction::triggered, this, &MDIFormMain::MenuIndicators_Click);
  connect(menus_.MenuStableOutline, &QAction::triggered, this, &MDIFormMain::MenuStableOutline_Click);
  // The indicators follow whatever year the pyramid draws.
  windows_.Pyramid().SetShownYearListener([this](const ShownYear& year) { dataWindows_.Indicators().ShowYear(year); });
  dataWindows_.Indicators().SetClosedHandler([this] { menus_.MenuIndicators->setChecked(false); });
  // The settings window's loads name the preset they read (after its own
  // handler has run).
  FormSetting& setting = windows_.Setting();
  connect(setting.CommandSave(ScenarioOperations::kLoadPopulation), &QPushButton::clicked, this, [this, &setting] {
    populationSource_ = setting.ComboStartPop()->currentText();
    ShowSource();
  });
  connect(setting.CommandSave(ScenarioOperations::kLoadRates), &QPushButton::clicked, this, [this, &setting] {
    ratesSource_ = setting.ComboBRFunc()->currentText();
    ShowSource();
  });
  // And the world-data window's, once a load has gone into the model.
  connect(&dataWindows_.WorldData(), &FormWorldData::Loaded, this, [this](int load, const QString& source) {
    if (load != FormWorldData::kLoadRates) populationSource_ = source;
    if (load != FormWorldData::kLoadPopulation) ratesSource_ = source;
    ShowSource();
  });
  connect(menus_.MenuSaveCsv, &QAction::triggered, this, &MDIFormMain::MenuSaveCsv_Click);
  connect(menus_.MenuSaveFigure, &QAction::triggered, this, &MDIFormMain::MenuSaveFigure_Click);
  connect(timerWorld_, &QTimer::timeout, this, &MDIFormMain::TimerWorld_Timer);
  connect(timerMenu_, &QTimer::timeout, this, &MDIFormMain::TimerMenu_Timer);
}

void MDIFormMain::OpenFrame() {
  showMaximized();
  // A window manager gives a new window the keyboard; without one (a bare X
  // server) nothing would until the first click, and the menus' Alt keys
  // would be dead. Once the frame has it, the settings window is focused.
  activateWindow();
  MDIForm_Load();
  QTimer::singleShot(kMaximizeGraceMs, this, &MDIFormMain::CoverScreenIfNotMaximized);
}

// Maximizing is a request that only a window manager carries out; without
// one the frame would stay at its restored size and cut off the windows laid
// out for the whole screen.
void MDIFormMain::CoverScreenIfNotMaximized() {
  if (screen() == nullptr) return;
  const QRect available = screen()->availableGeometry();
  const QRect outer = frameGeometry();
  if (outer.width() >= available.width() && outer.height() >= available.height()) return;
  const QRect inner = geometry();
  const QMargins decoration(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                            outer.bottom() - inner.bottom());
  setGeometry(available.marginsRemoved(decoration));
}

QSize MDIFormMain::OuterSizeTwips() const {
  const QSize pixels =
      isMaximized() && screen() != nullptr ? screen()->availableGeometry().size() : frameGeometry().size();
  return {platform::PixelsToTwips(pixels.width()), platform::PixelsToTwips(pixels.height())};
}

void MDIFormMain::MDIForm_Load() {
  m_.StartYear = kRunStartYear;
  m_.BaseScale = HeadCount::FromPersons(10);
  m_.FullScale = HeadCount::FromPersons(100'000);
  m_.BarBaseX = static_cast<float>(m_.ViewSize[2] / 2);
  m_.AppPath = platform::ProgramFolder();

  // Every other window is placed relative to the settings window, which
  // keeps the position the workspace gives it.
  windows_.Open(kWindowSettings);
  const TwipRect settings = windows_.Geometry(kWindowSettings);
  windows_.Open(kWindowController);
  const QSize frame = OuterSizeTwips();
  const StartupArrangement a =
      ArrangeAtStartup(settings, windows_.Geometry(kWindowController), frame.width(), frame.height());
  windows_.Move(kWindowController, a.Controller.Left, a.Controller.Top);
  windows_.Open(kWindowPyramid);
  windows_.SetGeometry(kWindowPyramid, a.Pyramid);
  windows_.Open(kWindowGraph);
  windows_.SetGeometry(kWindowGraph, a.Graph);
  windows_.Open(kWindowCircle);
  windows_.SetGeometry(kWindowCircle, a.Circle);
  windows_.Focus(kWindowSettings);
}

// Closing the frame asks nothing: the children's close handling runs in the
// order of their unload ranks and the program ends.
void MDIFormMain::MDIForm_Unload() {
  std::array<WindowEntry, kWindowCount> byRank = WindowList();
  std::sort(byRank.begin(), byRank.end(),
            [](const WindowEntry& a, const WindowEntry& b) { return a.unloadRank < b.unloadRank; });
  for (const WindowEntry& entry : byRank) windows_.Close(entry.id);
  platform::Current().EndProgram();
}

void MDIFormMain::MDIForm_Terminate() { platform::Current().EndProgram(); }

void MDIFormMain::closeEvent(QCloseEvent*) { MDIForm_Unload(); }

// Start. The run's rules do the model's steps in their order (Exploded, the
// saved state, the run variables, census, year 0, schedule); the frame's
// steps only touch windows, menus and the clock. A census that overflows
// here has said so; the clock still starts, and its first tick stops the run.
void MDIFormMain::MenuStart_Click() {
  menus_.MenuStart->setEnabled(false);
  windows_.Graph().ShapeG()->hide();
  control_.Start();
  windows_.Pyramid().Clear();
  windows_.Pyramid().SetInfo(QString::fromUtf8(kInfoSimulating));
  windows_.Graph().Clear();
  windows_.Circle().Clear();
  // A closed graph window cannot take the focus; the run starts all the same.
  windows_.Focus(kWindowGraph);
  timerWorld_->start();
}

void MDIFormMain::MenuBreak_Click() {
  m_.RunState = kPaused;
  menus_.MenuAgain->setEnabled(true);
  timerWorld_->stop();
}

void MDIFormMain::MenuAgain_Click() {
  m_.RunState = kRunning;
  menus_.MenuAgain->setEnabled(false);
  windows_.Graph().ShapeG()->hide();
  timerWorld_->start();
}

void MDIFormMain::MenuReset_Click() {
  timerWorld_->stop();
  menus_.MenuStart->setEnabled(true);
  menus_.MenuAgain->setEnabled(false);
  windows_.Text().TextMax()->setText(QString::fromStdString(CapacityTextFromPeak(m_.PeakPopulation)));
  windows_.Graph().ShapeG()->hide();
  control_.Reset();
}

void MDIFormMain::MenuEnd_Click() {
  const platform::Answer answer = platform::Current().ShowMessage(
      "[Velmora]を終了します。", "終了", platform::Buttons::YesNo, platform::Icon::Information);
  if (answer == platform::Answer::Yes) platform::Current().EndProgram();
}

// The world clock: one year per tick. It is off while the step works, and
// stays off once the run has finished or exploded.
void MDIFormMain::TimerWorld_Timer() {
  timerWorld_->stop();
  switch (control_.Tick()) {
    case TickResult::kStepped:
      timerWorld_->start();
      break;
    case TickResult::kFinished:
    case TickResult::kDiedOut:
      windows_.Pyramid().SetInfo(QString::fromUtf8(kInfoFinished));
      break;
    case TickResult::kExploded:
      break;
  }
}

void MDIFormMain::TimerMenu_Timer() {
  timerMenu_->stop();
  switch (m_.RunState) {
    case kCommandBreak:
      MenuBreak_Click();
      break;
    case kCommandStart:
      MenuStart_Click();
      break;
    case kCommandReset:
      MenuReset_Click();
      break;
    case kCommandResume:
      MenuAgain_Click();
      break;
    default:
      break;
  }
}

void MDIFormMain::RequestCommand(Int16 code) {
  m_.RunState = code;
  timerMenu_->start();
}

bool MDIFormMain::WorldClockRunning() const { return timerWorld_->isActive(); }

void MDIFormMain::SetWorldClockInterval(int milliseconds) {
  timerWorld_->setInterval(milliseconds < 1 ? 1 : milliseconds);
}

int MDIFormMain::WorldClockInterval() const { return timerWorld_->interval(); }

void MDIFormMain::SetWindowMenuCheck(int index, bool checked) {
  menus_.MenuWShow.at(static_cast<std::size_t>(index))->setChecked(checked);
}

bool MDIFormMain::FocusWindow(int index) { return windows_.Focus(index); }

void MDIFormMain::ShowPastYear(Int16 elapsed, const WorldRecord& world, const CensusRecord& census) {
  velmora::ShowPastYear(m_, windows_.Circle(), windows_.Pyramid(), elapsed, world, census);
}

bool MDIFormMain::RedrawChartsAfterEdit() {
  return velmora::RedrawChartsAfterEdit(m_, windows_.Graph(), windows_.Circle());
}

void MDIFormMain::MenuWShow_Click(int index) {
  windows_.Open(index);
  if (index == kWindowController) windows_.Move(kWindowController, 0, 0);
  windows_.Focus(index);
  SetWindowMenuCheck(index, true);
}

// The graph takes the new order from its next drawing; nothing is redrawn.
void MDIFormMain::MenuAgeOrder_Click(int index) {
  m_.GraphAgeOrder = index;
  menus_.MenuAgeOrder.at(static_cast<std::size_t>(index))->setChecked(true);
  menus_.MenuAgeOrder.at(static_cast<std::size_t>(1 - index))->setChecked(false);
}

// The age-class items have no behaviour: undo the check toggle that choosing
// a checkable item makes.
void MDIFormMain::MenuAgeClass_Click(int index) {
  QAction* item = menus_.MenuAgeClass.at(static_cast<std::size_t>(index));
  item->setChecked(!item->isChecked());
}

QRect MDIFormMain::PyramidRect() const {
  return windows_.IsOpen(kWindowPyramid) ? windows_.Window(kWindowPyramid).geometry() : QRect();
}

void MDIFormMain::MenuWorldData_Click() { dataWindows_.OpenWorldData(PyramidRect()); }

// Opens the indicators window or brings it forward; checked while it is open.
void MDIFormMain::MenuIndicators_Click() {
  dataWindows_.OpenIndicators(PyramidRect());
  menus_.MenuIndicators->setChecked(true);
}

// The item's own check mark is the setting; the pyramid shows it at once
// unless the running clock is about to redraw anyway.
void MDIFormMain::MenuStableOutline_Click() {
  windows_.Pyramid().SetStableOutline(menus_.MenuStableOutline->isChecked());
  if (!timerWorld_->isActive()) display_.DrawPyramid(m_.PyramidContent, m_.World, m_.Census);
}

void MDIFormMain::ShowSource() {
  const QString none = QString::fromUtf8("―");
  dataWindows_.Indicators().SetSource(QString::fromUtf8("人口: ") +
                                      (populationSource_.isEmpty() ? none : populationSource_) +
                                      QString::fromUtf8("　率: ") + (ratesSource_.isEmpty() ? none : ratesSource_));
}

void MDIFormMain::MenuSaveCsv_Click() { SaveRunCsvOfModel(m_); }

void MDIFormMain::MenuSaveFigure_Click() { SaveFigureOfWindows(m_, Windows()); }

void MDIFormMain::MenuCopyright_Click() {
  platform::Current().ShowMessage(AboutText(), "製作者", platform::Buttons::Ok, platform::Icon::Information);
}

}  // namespace velmora
