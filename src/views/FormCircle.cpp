#include "views/FormCircle.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {}  // namespace

FormCircle::FormCircle(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : ChartWindow(parent), m_(model), display_(display), frame_(frame) {
  setWindowTitle(QString::fromUtf8("年齢構成比"));
  sectors_.reserve(2 * kAges);
}

void FormCircle::DrawAgeCircle(const CensusRecord& census, const WorldRecord& people) {
  if (census.Total <= HeadCount()) return;
  // The disc fills the band below the readout line as last measured; its
  // centre is placed from the bottom of the window as it is now.
  const int w = m_.ViewSize[4];
  const int h = m_.ViewSize[5];
  if (w > 0 && h > 0) {
    const float centreX = static_cast<float>(w / 2.0);
    const float centreY = static_cast<float>(height() - h / 2.0);
    const float radius = static_cast<float>(0.95 * std::min(w, h) / 2.0);
    PlanAgeCircle(census, people, sectors_);
    Canvas& canvas = Picture();
    canvas.SetPenWidth(1);
    canvas.FillPies(centreX, centreY, radius, sectors_);
    // Repaint only the disc's square.
    const int reach = static_cast<int>(std::ceil(radius)) + 2;
    update(static_cast<int>(centreX) - reach, static_cast<int>(centreY) - reach, 2 * reach + 1, 2 * reach + 1);
  }
  LabelInfo()->setText(QString::fromStdString(AgeShareReadout(census)));
}

void FormCircle::Form_Resize() {
  ResizePicture();
  m_.ViewSize[4] = Int16(width());
  m_.ViewSize[5] = Int16(height() - kLabelInfoHeight);
  DrawAgeCircle(m_.Census, m_.World);
}

void FormCircle::resizeEvent(QResizeEvent*) { Form_Resize(); }

}  // namespace velmora
