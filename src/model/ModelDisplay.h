#pragma once

#include <string>

#include "model/Numbers.h"
#include "model/Records.h"

namespace velmora {

// What the model asks of the windows. The model never includes a window
// header: the frame implements this and routes each call to the controller,
// the charts or a message box. Calls are made whether or not a window is
// visible, in the order the model's operations give.
class ModelDisplay {
 public:
  virtual ~ModelDisplay() = default;

  // A modal message box with an OK button and the exclamation icon.
  virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
  // The controller's value label LabelD(index), index 0..4.
  virtual void SetControllerLabel(int index, const std::string& caption) = 0;
  // The population graph: pen width, then one column.
  virtual void SetGraphPenWidth(int width) = 0;
  virtual void DrawGraphColumn(Int16 column, const WorldRecord& world, HeadCount fullScale) = 0;
  // Clear the graph window (Reset, before its year-0 column).
  virtual void ClearGraph() = 0;
  // The pyramid: clear the window, then the whole pyramid.
  virtual void ClearPyramid() = 0;
  virtual void DrawPyramid(Int16 content, const WorldRecord& record, const CensusRecord& census) = 0;
  // The circle, drawn over what the window shows.
  virtual void DrawAgeCircle(const CensusRecord& census, const WorldRecord& world) = 0;
  // Clear the circle window; it stays empty until its next drawing.
  virtual void ClearCircle() = 0;
};

}  // namespace velmora
