#pragma once

#include <QRect>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "windows/FrameServices.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace velmora {

class FormIndicators;
class FormWorldData;

// The windows of the データ menu, beside the five of the start-up
// arrangement: none opens at start; each opens on demand at the workspace's
// right edge, level with the pyramid's top and never over the pyramid.
class DataWindows {
 public:
  DataWindows(QMdiArea& area, ModulePopulation& model, ModelDisplay& display, FrameServices& frame);
  ~DataWindows();
  DataWindows(const DataWindows&) = delete;
  DataWindows& operator=(const DataWindows&) = delete;

  FormIndicators& Indicators() const { return *indicators_; }
  QMdiSubWindow& IndicatorsWindow() const { return *indicatorsWindow_; }
  bool IndicatorsOpen() const;
  // Opens the indicators window, or brings it to the front; pyramid is the
  // pyramid window's rectangle in the workspace (empty when it is closed).
  void OpenIndicators(const QRect& pyramid);
  void CloseIndicators();

  FormWorldData& WorldData() const { return *worldData_; }
  QMdiSubWindow& WorldDataWindow() const { return *worldDataWindow_; }
  bool WorldDataOpen() const;
  void OpenWorldData(const QRect& pyramid);

  // Where a window of outer size lands: at the workspace's right edge (the
  // pyramid stands at its left), top level with the pyramid, and never above
  // or left of the workspace's origin.
  static QPoint PlaceBesidePyramid(QSize outer, QSize workspace, const QRect& pyramid);

 private:
  void Open(QMdiSubWindow& window, const QRect& pyramid, bool& added);
  static bool IsOpen(const QMdiSubWindow& window, bool added);

  QMdiArea& area_;
  FormIndicators* indicators_;
  QMdiSubWindow* indicatorsWindow_;
  bool indicatorsAdded_ = false;
  FormWorldData* worldData_;
  QMdiSubWindow* worldDataWindow_;
  bool worldDataAdded_ = false;
};

}  // namespace velmora
