#include "views/FormCircle.h"

// Skeleton: the chart drawing arrives with the charts work.
namespace velmora {
FormCircle::FormCircle(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : ChartWindow(parent), m_(model), display_(display), frame_(frame) {
  setWindowTitle(QString::fromUtf8("年齢構成比"));
}
void FormCircle::DrawAgeCircle(const CensusRecord&, const WorldRecord&) {}
void FormCircle::Form_Resize() { ResizePicture(); }
void FormCircle::resizeEvent(QResizeEvent*) { Form_Resize(); }
}  // namespace velmora
