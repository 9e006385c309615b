#include "views/FormCircle.h"

#include <algorithm>
#include <cmath>

#include "views/ChartPainters.h"

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
  const Disc disc = CircleDisc(m_.ViewSize[4], m_.ViewSize[5], height());
  if (PaintAgeCircle(Picture(), disc, census, people, sectors_)) {
    // Repaint only the disc's square.
    const int reach = static_cast<int>(std::ceil(disc.radius)) + 2;
    update(static_cast<int>(disc.centreX) - reach, static_cast<int>(disc.centreY) - reach, 2 * reach + 1,
           2 * reach + 1);
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
