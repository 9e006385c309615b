#pragma once

#include <QMenuBar>

#include <array>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "views/ChartWindow.h"
#include "views/FrameServices.h"

class QAction;

namespace velmora {

class FormCircle;
class FormGraph;

// The pyramid window: the display of the four contents with its menus. The
// mouse editor (PyramidEditor) is a unit of its own beside it.
class FormPyramid : public ChartWindow {
  Q_OBJECT
 public:
  FormPyramid(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent = nullptr);
  // The windows that the editor's release refreshes.
  void SetLinkedViews(FormGraph* graph, FormCircle* circle);

  void DrawPyramid(Int16 content, const WorldRecord& record, const CensusRecord& census);
  void DrawPyramidRow(Int16 ageClass, Int16 sex, Int16 content, const WorldRecord& record,
                      const CensusRecord& census, HeadCount& scale, float baseX);
  void SetInfo(const QString& text);
  // The window's own menu bar (入力モード, 入力スケール, 設定時期, 変動関数). It has no
  // parent: the frame puts it above the pyramid in the window that holds it.
  QMenuBar* MenuBar() const { return menuBar_; }

  void Form_Resize();
  void Form_Unload();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  ModulePopulation& m_;
  ModelDisplay& display_;
  FrameServices& frame_;
  FormGraph* graph_ = nullptr;
  FormCircle* circle_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
};

}  // namespace velmora
