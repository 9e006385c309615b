#include "views/PyramidWindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "views/FormPyramid.h"
#include "views/WrappingMenuBar.h"

namespace velmora {

PyramidWindow::PyramidWindow(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : QWidget(parent), pyramid_(new FormPyramid(model, display, frame)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(pyramid_->MenuBar());
  layout->addWidget(pyramid_);
  setWindowTitle(pyramid_->windowTitle());
  connect(pyramid_, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
}

// The drawing area takes the client size; the menu bar, as wide, goes on top.
QSize PyramidWindow::PrepareFresh(QSize client) {
  pyramid_->Form_Load();
  pyramid_->resize(client);
  pyramid_->show();
  client.rheight() += pyramid_->MenuBar()->heightForWidth(client.width());
  return client;
}

QSize PyramidWindow::DrawingSize() { return pyramid_->size(); }

void PyramidWindow::Opened(bool drawingResized) {
  if (!drawingResized) pyramid_->Form_Resize();
}

void PyramidWindow::closeEvent(QCloseEvent* event) { event->setAccepted(pyramid_->close()); }

}  // namespace velmora
