#pragma once

#include <QMainWindow>

#include "frame/ChildWindows.h"
#include "frame/DataWindows.h"
#include "frame/FrameDisplay.h"
#include "frame/FrameMenus.h"
#include "model/ModulePopulation.h"
#include "model/RunControl.h"
#include "windows/FrameServices.h"

class QCloseEvent;
class QMdiArea;
class QTimer;

namespace velmora {

// The frame window: the only menu bar, the workspace of the child windows
// (frame/WindowList), the run commands and the two timers (the world clock and the
// one-shot deferred-command timer).
class MDIFormMain : public QMainWindow, public FrameServices {
  Q_OBJECT
 public:
  explicit MDIFormMain(ModulePopulation& model);
  ~MDIFormMain() override;

  // Shows the frame maximized and runs its load handling.
  void OpenFrame();
  // A frame smaller than the screen's available area is made to cover it, so
  // that the windows laid out for the maximized frame are all in sight.
  // OpenFrame runs it once, when the window system has had its chance to
  // maximize the frame (without a window manager nothing does).
  void CoverScreenIfNotMaximized();

  void MDIForm_Load();
  void MDIForm_Unload();
  void MDIForm_Terminate();

  void MenuStart_Click();
  void MenuAgain_Click();
  void MenuBreak_Click();
  void MenuReset_Click();
  void MenuEnd_Click();
  void MenuWShow_Click(int index);
  void MenuAgeOrder_Click(int index);
  void MenuAgeClass_Click(int index);
  void MenuCopyright_Click();
  void MenuWorldData_Click();
  void MenuIndicators_Click();
  void MenuStableOutline_Click();
  void TimerWorld_Timer();
  void TimerMenu_Timer();

  // FrameServices
  void RequestCommand(Int16 code) override;
  bool WorldClockRunning() const override;
  void SetWorldClockInterval(int milliseconds) override;
  int WorldClockInterval() const override;
  void SetWindowMenuCheck(int index, bool checked) override;
  bool FocusWindow(int index) override;
  void ShowPastYear(Int16 elapsed, const WorldRecord& world, const CensusRecord& census) override;
  bool RedrawChartsAfterEdit() override;

  const FrameMenus& Menus() const { return menus_; }
  QTimer& TimerWorld() const { return *timerWorld_; }
  QTimer& TimerMenu() const { return *timerMenu_; }
  ChildWindows& Windows() { return windows_; }
  DataWindows& Data() { return dataWindows_; }
  QMdiArea& Area() const { return *area_; }
  ModelDisplay& Display() { return display_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectEvents();
  // The frame's outer size in twips; a maximized frame fills the screen's
  // available area even before the window system has applied it.
  QSize OuterSizeTwips() const;

  ModulePopulation& m_;
  QMdiArea* area_;
  // Menus and timers exist before the child windows, which may ask the
  // frame's services as they are built.
  FrameMenus menus_;
  QTimer* timerWorld_;
  QTimer* timerMenu_;
  FrameDisplay display_;
  // The run's rules; the handlers drive the timers, menus and windows around it.
  RunControl control_;
  ChildWindows windows_;
  DataWindows dataWindows_;
  // Where the population and the rates in the model came from.
  QString populationSource_;
  QString ratesSource_;
  void ShowSource();
  // The pyramid window's rectangle in the workspace; empty while it is closed.
  QRect PyramidRect() const;
};

}  // namespace velmora
