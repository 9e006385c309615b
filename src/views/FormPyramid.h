#pragma once

#include <QPointer>
#include <array>
#include <functional>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "views/ChartPainters.h"
#include "views/ChartWindow.h"
#include "views/PyramidEditor.h"
#include "views/PyramidEditorHost.h"
#include "views/PyramidGeometry.h"
#include "views/PyramidMenus.h"
#include "views/ShownYear.h"
#include "windows/FrameServices.h"

namespace velmora {

// The pyramid window: the display of the four contents with its menus. The
// mouse editor (PyramidEditor) is a unit of its own beside it; the window
// only hands it the mouse.
class FormPyramid : public ChartWindow, public PyramidEditorHost {
  Q_OBJECT
 public:
  FormPyramid(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent = nullptr);
  ~FormPyramid() override;
  void DrawPyramid(Int16 content, const WorldRecord& record, const CensusRecord& census);
  void DrawPyramidRow(Int16 ageClass, Int16 sex, Int16 content, const WorldRecord& record, const CensusRecord& census,
                      HeadCount& scale, float baseX);
  void SetInfo(const QString& text) override;

  // A 1-pixel outline per sex and five-year class over the population views:
  // where the class would stand in the stable population of the shown year's
  // rates, at the same total. Off, the pictures are the plain design's.
  // The caller redraws.
  void SetStableOutline(bool shown) { stableOutline_ = shown; }
  bool StableOutline() const { return stableOutline_; }
  // Told the year and rates of every picture: a whole pyramid's year, or
  // during a drag the live state with the period the drag edits.
  void SetShownYearListener(std::function<void(const ShownYear&)> listener) { listener_ = std::move(listener); }
  // The window's own menu bar (入力モード, 入力スケール, 設定時期, 変動関数). It has no
  // parent: the frame puts it above the pyramid in the window that holds it.
  WrappingMenuBar* MenuBar() const { return menus_.Bar; }
  const PyramidMenus& Menus() const { return menus_; }
  // Rows and sides as laid out at the last resize, with the current height.
  PyramidGeometry Geometry() const override;
  int CheckedScale() const override { return menus_.CheckedScale(); }
  void RedrawEditedRow(int ageClass) override;
  const PyramidEditor& Editor() const { return editor_; }

  // Menu commands; the editor calls the content and scale commands directly.
  void MenuAbs_Click();
  void MenuPeople_Click(int index) override;
  void MenuMode_Click(int index) override;
  void MenuBaseScale_Click(int index) override;
  void MenuScale_Click(int index) override;
  void MenuBefAft_Click(int index);
  void MenuMoveFunc_Click(int index);

  // button: 1 left, 2 right (in a move, the set of held buttons); shift: 1 Shift.
  void Form_MouseDown(int button, int shift, float x, float y);
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseUp(int button, int shift, float x, float y);
  // A fresh window's texts: the design-time caption, which the first drawing
  // replaces, and "Velmora".
  void Form_Load();
  void Form_Resize();
  void Form_Unload();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ConnectEvents();
  PyramidScale Scale() const;
  void PaintStableOutline(int content, const ShownYear& year, float axis);
  // The whole pyramid again, unless the running clock is about to draw it.
  void RedrawIfStopped();

  ModulePopulation& m_;
  FrameServices& frame_;
  PyramidMenus menus_;
  QPointer<WrappingMenuBar> menuBarGuard_;
  PyramidEditor editor_;
  bool stableOutline_ = false;
  std::function<void(const ShownYear&)> listener_;
};

}  // namespace velmora
