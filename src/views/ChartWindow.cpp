#include "views/ChartWindow.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/Platform.h"

namespace velmora {

ChartWindow::ChartWindow(QWidget* parent) : QWidget(parent), labelInfo_(new QLabel(this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::white);
  setPalette(palette);
  setAutoFillBackground(false);
  labelInfo_->setAutoFillBackground(true);
  labelInfo_->setPalette(palette);
  labelInfo_->setFont(platform::DesignFont("Times New Roman", 9, true));
  LoadInformationLine();
  PlaceLabelInfo();
  canvas_.SetBackground(0);
}

void ChartWindow::Clear() {
  canvas_.Clear();
  update();
}

void ChartWindow::LoadInformationLine() { labelInfo_->setText("Velmora"); }

void ChartWindow::ResizePicture() {
  canvas_.Resize(size());
  PlaceLabelInfo();
  update();
}

// Fixed at its size, the line does not ask the window (and the window's
// frame) for a new layout at every new text; the charts rewrite it yearly.
void ChartWindow::PlaceLabelInfo() {
  labelInfo_->setFixedSize(width(), kLabelInfoHeight);
  labelInfo_->move(0, 0);
}

void ChartWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  canvas_.Paint(painter, event->rect());
}

}  // namespace velmora
