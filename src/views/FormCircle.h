#pragma once

#include <vector>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "views/ChartWindow.h"
#include "views/CircleSectors.h"
#include "windows/ChildForm.h"
#include "windows/FrameServices.h"

namespace velmora {

// The age-composition circle ("年齢構成比"): one sector per single age.
class FormCircle : public ChartWindow, public ChildForm {
  Q_OBJECT
 public:
  FormCircle(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent = nullptr);

  // The 100 sectors of people over what the window shows, and the readout.
  // Nothing at all for a census without people; the readout alone when the
  // window leaves no room for the disc.
  void DrawAgeCircle(const CensusRecord& census, const WorldRecord& people);
  void Form_Resize();

  // ChildForm
  QWidget& Content() override { return *this; }
  QSize PrepareFresh(QSize client) override {
    LoadInformationLine();
    return client;
  }
  QSize DrawingSize() override { return size(); }
  void Opened(bool drawingResized) override {
    if (!drawingResized) Form_Resize();
  }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  ModulePopulation& m_;
  ModelDisplay& display_;
  FrameServices& frame_;
  std::vector<CircleSector> sectors_;  // reused from drawing to drawing
};

}  // namespace velmora
