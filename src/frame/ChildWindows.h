#pragma once

#include <array>

#include "frame/WindowList.h"
#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "platform/Twips.h"
#include "windows/ChildForm.h"
#include "windows/FrameServices.h"

class QMdiArea;
class QMdiSubWindow;

namespace velmora {

class FormCircle;
class FormGraph;
class FormPyramid;
class FormSetting;
class FormText;

// The child windows of the window list and the sub-windows that hold them,
// addressed by the window menu's index. The forms are made once and live as
// long as the frame: closing a window runs its close handling and hides it,
// so the drawing calls that reach a closed window keep working; opening it
// again shows the same form as a fresh window.
class ChildWindows {
 public:
  ChildWindows(QMdiArea& area, ModulePopulation& model, ModelDisplay& display, FrameServices& frame);
  ~ChildWindows();
  ChildWindows(const ChildWindows&) = delete;
  ChildWindows& operator=(const ChildWindows&) = delete;

  ChildForm& Form(int index) const;
  FormText& Text() const;
  FormSetting& Setting() const;
  FormGraph& Graph() const;
  FormPyramid& Pyramid() const;
  FormCircle& Circle() const;
  QMdiSubWindow& Window(int index) const;

  bool IsOpen(int index) const;
  // Open and the workspace's active window.
  bool IsActive(int index) const;
  // An open window comes to the front, a minimized one at its last normal
  // size. A closed one opens at the workspace's default position with the
  // initial size of a fresh window and runs its load handling (a chart its
  // resize handling too).
  void Open(int index);
  // Runs the window's close handling and hides it.
  void Close(int index);
  // Brings an open window to the front with the keyboard focus; false when
  // the window is closed.
  bool Focus(int index);

  TwipRect Geometry(int index) const;
  void Move(int index, int left, int top);
  void SetGeometry(int index, const TwipRect& rect);

 private:
  void OpenAtDefaultPosition(int index);

  QMdiArea& area_;
  std::array<ChildForm*, kWindowCount> forms_{};
  std::array<QMdiSubWindow*, kWindowCount> windows_{};
  std::array<bool, kWindowCount> added_{};
};

}  // namespace velmora
