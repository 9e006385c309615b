#pragma once

#include "model/Numbers.h"

namespace velmora {

// Child window indexes, in the order of the window menu.
enum WindowIndex : int {
  kWindowController = 0,
  kWindowSettings = 1,
  kWindowGraph = 2,
  kWindowPyramid = 3,
  kWindowCircle = 4,
};

// What the child windows ask of the frame, kept narrow so that no window
// holds the frame itself.
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
};

}  // namespace velmora
