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
  labelInfo_->setText("Velmora");
  labelInfo_->setGeometry(0, 0, width(), 17);
  canvas_.SetBackground(0);
}

void ChartWindow::Clear() {
  canvas_.Clear();
  update();
}

void ChartWindow::ResizePicture() {
  canvas_.Resize(size());
  labelInfo_->setGeometry(0, 0, width(), 17);
  update();
}

void ChartWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  canvas_.Paint(painter, event->rect());
}

}  // namespace velmora
