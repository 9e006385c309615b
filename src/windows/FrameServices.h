#pragma once

#include "model/Numbers.h"
#include "model/Records.h"
#include "windows/WindowIds.h"

namespace velmora {

// The world clock's interval when the program starts and whenever the
// controller loads: the controller's "100", in milliseconds per year.
inline constexpr int kWorldClockStartInterval = 100;

// What the child windows ask of the frame, kept narrow so that no window
// holds the frame or a sibling: every request that concerns another window
// goes through here.
class FrameServices {
 public:
  virtual ~FrameServices() = default;
  // RunState = code (0 Break, 1 Start, 2 Reset, 3 Resume) and arm the one-shot
  // command timer; the command runs from the event loop afterwards.
  virtual void RequestCommand(Int16 code) = 0;
  // Whether the world clock is enabled (a run is advancing).
  virtual bool WorldClockRunning() const = 0;
  // The world clock's interval in milliseconds (at least 1).
  virtual void SetWorldClockInterval(int milliseconds) = 0;
  virtual int WorldClockInterval() const = 0;
  // The check mark of the window menu item MenuWShow(index).
  virtual void SetWindowMenuCheck(int index, bool checked) = 0;
  // Bring an open child window to the front and give it the keyboard focus;
  // false when that window is closed.
  virtual bool FocusWindow(int index) = 0;
  // The look-back: show a past year of the run (elapsed years, its record
  // and census) on the circle and the pyramid, with the pyramid's line
  // naming the year.
  virtual void ShowPastYear(Int16 elapsed, const WorldRecord& world, const CensusRecord& census) = 0;
  // After an edit of year 0 on the pyramid: the graph's year-0 column and the
  // circle drawn afresh from World and Census. False when a figure left its
  // range and a chart is left part drawn.
  virtual bool RedrawChartsAfterEdit() = 0;
};

}  // namespace velmora
