#pragma once

#include <QLabel>
#include <QWidget>

#include "views/Canvas.h"

namespace velmora {

// The common body of the three chart windows: a black client area painted
// from a retained Canvas, and the information line LabelInfo across the top
// (17 pixels high, white bold Times New Roman 9 point on black).
class ChartWindow : public QWidget {
  Q_OBJECT
 public:
  // The information line's height: the drawing area lies below it.
  static constexpr int kLabelInfoHeight = 17;

  explicit ChartWindow(QWidget* parent = nullptr);

  Canvas& Picture() { return canvas_; }
  const Canvas& Picture() const { return canvas_; }
  QLabel* LabelInfo() const { return labelInfo_; }
  // Clear the window to its background (the picture, not the label).
  void Clear();
  // The information line as a window fresh from its load handling shows it.
  void LoadInformationLine();

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Keeps the picture and the label as wide as the client area; subclasses
  // call it first from their resize handling.
  void ResizePicture();

 private:
  void PlaceLabelInfo();

  Canvas canvas_;
  QLabel* labelInfo_;
};

}  // namespace velmora
