#pragma once

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "windows/FrameServices.h"

namespace velmora {

class PyramidEditorHost;
class PyramidGeometry;

// The mouse editor of the pyramid window. A left drag sets the bar under the
// pointer (a population class or age, a birth or death rate) from the
// pointer's distance to the axis; the right button steps the scale during a
// drag or cycles the content otherwise; a plain move reads the class under the
// pointer out into the information line. Nothing is edited while the world
// clock runs. It works on the window through PyramidEditorHost and on the
// other charts through the frame.
class PyramidEditor {
 public:
  PyramidEditor(PyramidEditorHost& view, ModulePopulation& model, ModelDisplay& display, FrameServices& frame);

  // button: 1 left, 2 right; in a move the set of held buttons (1 = the left
  // alone). shift: 1 = Shift alone. Positions in window pixels.
  void MouseDown(int button, int shift, float x, float y);
  void MouseMove(int button, int shift, float x, float y);
  void MouseUp(int button, int shift, float x, float y);

  // 1 from a left press on the window to its release.
  Int16 LeftButtonDown() const { return leftButtonDown_; }

 private:
  bool Stopped() const { return !frame_.WorldClockRunning(); }
  // Leaves the relative view for the population with a scale that fits the
  // largest five-year class.
  void AutoScale();
  // One scale step down (shift 1) or up, wrapping at the ends of the content.
  void StepScale(int shift);
  // Population -> birth rates -> death rates -> population.
  void CycleContent();
  void Edit(const PyramidGeometry& geometry, float x, int row, int ageClass);
  void StoreEdit(HeadCount value, int row, int ageClass);

  PyramidEditorHost& view_;
  ModulePopulation& m_;
  ModelDisplay& display_;
  FrameServices& frame_;
  Int16 leftButtonDown_ = 0;
};

}  // namespace velmora
