#include "views/FormGraph.h"

#include <QCloseEvent>

// Skeleton: the chart drawing arrives with the charts work.
namespace velmora {
FormGraph::FormGraph(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : ChartWindow(parent), m_(model), display_(display), frame_(frame), shapeG_(new QFrame(this)) {
  setWindowTitle(QString::fromUtf8("総人口と構成表示"));
  shapeG_->hide();
}
void FormGraph::SetLinkedViews(FormCircle* circle, FormPyramid* pyramid) { circle_ = circle; pyramid_ = pyramid; }
void FormGraph::SetPenWidth(int width) { Picture().SetPenWidth(width); }
void FormGraph::DrawGraphColumn(Int16, const WorldRecord&, HeadCount) {}
void FormGraph::Form_MouseMove(int, int, float, float) {}
void FormGraph::Form_MouseDown(int, int, float, float) {}
void FormGraph::Form_Resize() { ResizePicture(); }
void FormGraph::Form_Unload() { frame_.SetWindowMenuCheck(kWindowGraph, false); }
void FormGraph::resizeEvent(QResizeEvent*) { Form_Resize(); }
void FormGraph::mouseMoveEvent(QMouseEvent*) {}
void FormGraph::mousePressEvent(QMouseEvent*) {}
void FormGraph::closeEvent(QCloseEvent* event) { Form_Unload(); event->accept(); }
}  // namespace velmora
