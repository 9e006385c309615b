#include "frame/DataWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "views/FormIndicators.h"
#include "worlddata/FormWorldData.h"

namespace velmora {

DataWindows::DataWindows(QMdiArea& area, ModulePopulation& model, ModelDisplay& display, FrameServices& frame)
    : area_(area),
      indicators_(new FormIndicators(model)),
      indicatorsWindow_(new QMdiSubWindow()),
      worldData_(new FormWorldData(model, display, frame)),
      worldDataWindow_(new QMdiSubWindow()) {
  indicatorsWindow_->setWidget(indicators_);
  indicatorsWindow_->setWindowTitle(indicators_->windowTitle());
  worldDataWindow_->setWidget(worldData_);
  worldDataWindow_->setWindowTitle(worldData_->windowTitle());
  // Start brings the graph, which lies under the window, to the front: the
  // figures of the running year stay in sight above whatever is activated,
  // except the world-data window, which opens at the same place and must be
  // usable.
  QObject::connect(
      &area_, &QMdiArea::subWindowActivated, indicatorsWindow_,
      [this](QMdiSubWindow* active) {
        if (active != indicatorsWindow_ && active != worldDataWindow_ && IndicatorsOpen()) indicatorsWindow_->raise();
      },
      // After the activating code has raised its own window.
      Qt::QueuedConnection);
}

DataWindows::~DataWindows() {
  // A window never opened has no parent; the workspace owns an opened one.
  if (indicatorsWindow_->parent() == nullptr) delete indicatorsWindow_;
  if (worldDataWindow_->parent() == nullptr) delete worldDataWindow_;
}

bool DataWindows::IsOpen(const QMdiSubWindow& window, bool added) { return added && !window.isHidden(); }

bool DataWindows::IndicatorsOpen() const { return IsOpen(*indicatorsWindow_, indicatorsAdded_); }
bool DataWindows::WorldDataOpen() const { return IsOpen(*worldDataWindow_, worldDataAdded_); }

void DataWindows::OpenWorldData(const QRect& pyramid) {
  if (WorldDataOpen()) {
    area_.setActiveSubWindow(worldDataWindow_);
    worldDataWindow_->raise();
    return;
  }
  Open(*worldDataWindow_, pyramid, worldDataAdded_);
}

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
  // The pyramid stands at the workspace's left; a workspace too narrow for
  // both keeps the window inside it all the same.
  const int left = std::max(0, workspace.width() - outer.width());
  const int top = pyramid.isEmpty() ? 0 : std::max(0, pyramid.top());
  return {left, top};
}

}  // namespace velmora
