#pragma once

#include <QWidget>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "windows/ChildForm.h"
#include "windows/FrameServices.h"

namespace velmora {

class FormPyramid;

// The pyramid window as the frame holds it: the pyramid under its own menu
// bar. Closing the holder is closing the pyramid, so the pyramid's close
// handling runs; the holder's caption follows the pyramid's, which every
// drawing rewrites.
class PyramidWindow final : public QWidget, public ChildForm {
  Q_OBJECT
 public:
  PyramidWindow(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent = nullptr);

  FormPyramid& Pyramid() const { return *pyramid_; }

  // ChildForm
  QWidget& Content() override { return *this; }
  QSize PrepareFresh(QSize client) override;
  QSize DrawingSize() override;
  void Opened(bool drawingResized) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  FormPyramid* pyramid_;
};

}  // namespace velmora
