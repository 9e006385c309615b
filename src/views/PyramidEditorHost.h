#pragma once

class QString;

namespace velmora {

class PyramidGeometry;

// What the pyramid editor asks of the window it edits on: the menu commands
// its gestures stand for, the layout, the information line and the redraw
// of an edited row. FormPyramid implements it.
class PyramidEditorHost {
 public:
  virtual ~PyramidEditorHost() = default;

  virtual void MenuPeople_Click(int index) = 0;
  virtual void MenuMode_Click(int index) = 0;
  virtual void MenuBaseScale_Click(int index) = 0;
  virtual void MenuScale_Click(int index) = 0;
  // The index of the checked scale item.
  virtual int CheckedScale() const = 0;
  // Rows and sides as laid out at the last resize, with the current height.
  virtual PyramidGeometry Geometry() const = 0;
  virtual void SetInfo(const QString& text) = 0;
  // One row again after an edit: its band blacked out between the bar's base
  // and full-scale x, then the edited sex's bar.
  virtual void RedrawEditedRow(int ageClass) = 0;
};

}  // namespace velmora
