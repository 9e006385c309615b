#pragma once

#include <QFrame>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "views/ChartWindow.h"
#include "windows/ChildForm.h"
#include "windows/FrameServices.h"

namespace velmora {

// The population graph ("総人口と構成表示"): one stacked column per year,
// the hover look-back and the run commands by mouse.
class FormGraph : public ChartWindow, public ChildForm {
  Q_OBJECT
 public:
  FormGraph(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent = nullptr);

  void SetPenWidth(int width);
  // The column of elapsed year column (0..100): 100 slices of people, one per
  // age, stacked in the order GraphAgeOrder gives and capped at fullScale.
  void DrawGraphColumn(Int16 column, const WorldRecord& people, HeadCount fullScale);
  // The hover marker: an unfilled white rectangle one column wide.
  QFrame* ShapeG() const { return shapeG_; }

  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseDown(int button, int shift, float x, float y);
  // A fresh window's texts and marker: "Velmora", nothing marked.
  void Form_Load();
  void Form_Resize();
  void Form_Unload();

  // ChildForm
  QWidget& Content() override { return *this; }
  QSize PrepareFresh(QSize client) override;
  QSize DrawingSize() override { return size(); }
  void Opened(bool drawingResized) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowInformationLine();

  ModulePopulation& m_;
  ModelDisplay& display_;
  FrameServices& frame_;
  QFrame* shapeG_;
};

}  // namespace velmora
