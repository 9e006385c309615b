#include "views/FormPyramid.h"

#include <QCloseEvent>

// Skeleton: the drawing and the menus arrive with the pyramid work.
namespace velmora {
FormPyramid::FormPyramid(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : ChartWindow(parent), m_(model), display_(display), frame_(frame) {
  setWindowTitle(QString::fromUtf8("年齢階級別人口　MAX=10,000"));
  menuBar_ = new QMenuBar();
}
void FormPyramid::SetLinkedViews(FormGraph* graph, FormCircle* circle) { graph_ = graph; circle_ = circle; }
void FormPyramid::DrawPyramid(Int16, const WorldRecord&, const CensusRecord&) {}
void FormPyramid::DrawPyramidRow(Int16, Int16, Int16, const WorldRecord&, const CensusRecord&, HeadCount&, float) {}
void FormPyramid::SetInfo(const QString& text) { LabelInfo()->setText(text); }
void FormPyramid::Form_Resize() { ResizePicture(); }
void FormPyramid::Form_Unload() { frame_.SetWindowMenuCheck(kWindowPyramid, false); }
void FormPyramid::resizeEvent(QResizeEvent*) { Form_Resize(); }
void FormPyramid::closeEvent(QCloseEvent* event) { Form_Unload(); event->accept(); }
}  // namespace velmora
