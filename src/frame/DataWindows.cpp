#include "frame/DataWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "views/FormIndicators.h"

namespace velmora {

DataWindows::DataWindows(QMdiArea& area, const ModulePopulation& model)
    : area_(area), indicators_(new FormIndicators(model)), indicatorsWindow_(new QMdiSubWindow()) {
  indicatorsWindow_->setWidget(indicators_);
  indicatorsWindow_->setWindowTitle(indicators_->windowTitle());
  // Start brings the graph, which lies under the window, to the front: the
  // figures of the running year stay in sight above whatever is activated.
  QObject::connect(
      &area_, &QMdiArea::subWindowActivated, indicatorsWindow_,
      [this](QMdiSubWindow* active) {
        if (active != indicatorsWindow_ && IndicatorsOpen()) indicatorsWindow_->raise();
      },
      // After the activating code has raised its own window.
      Qt::QueuedConnection);
}

DataWindows::~DataWindows() {
  // A window never opened has no parent; the workspace owns an opened one.
  if (indicatorsWindow_->parent() == nullptr) delete indicatorsWindow_;
}

bool DataWindows::IndicatorsOpen() const { return indicatorsAdded_ && !indicatorsWindow_->isHidden(); }

void DataWindows::OpenIndicators(const QRect& pyramid) {
  if (IndicatorsOpen()) {
    area_.setActiveSubWindow(indicatorsWindow_);
    indicatorsWindow_->raise();
    return;
  }
  Open(*indicatorsWindow_, pyramid, indicatorsAdded_);
}

void DataWindows::CloseIndicators() {
  if (IndicatorsOpen()) indicatorsWindow_->close();
}

void DataWindows::Open(QMdiSubWindow& window, const QRect& pyramid, bool& added) {
  if (!added) {
    area_.addSubWindow(&window);
    added = true;
  }
  window.widget()->show();
  window.adjustSize();
  window.move(PlaceBesidePyramid(window.size(), area_.viewport()->size(), pyramid));
  window.show();
  area_.setActiveSubWindow(&window);
}

QPoint DataWindows::PlaceBesidePyramid(QSize outer, QSize workspace, const QRect& pyramid) {
  int left = workspace.width() - outer.width();
  if (!pyramid.isEmpty()) left = std::max(left, pyramid.right() + 1);
  // A workspace too narrow for both: the window still starts inside it.
  if (left + outer.width() > workspace.width()) left = std::max(0, workspace.width() - outer.width());
  const int top = pyramid.isEmpty() ? 0 : std::max(0, pyramid.top());
  return {std::max(0, left), top};
}

}  // namespace velmora
