#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>

class QPainter;

namespace velmora {

// A chart's retained picture: the drawing primitives of the charts on a
// QImage that the window blits on paint, so a covered or hidden window keeps
// its picture. Coordinates are client pixels as floats, origin top left, y
// down; a coordinate covers the pixel floor(c + 0.5).
//
// Pixel contract (exact, tested): a filled rectangle covers every pixel
// between and including its two corners, widened on each side by
// (pen width - 1) / 2 pixels, so a rectangle of zero width is still a line
// one pixel (at pen width 1) wide. A line of pen width w covers w pixels
// across. Colours are packed red + 256 x green + 65536 x blue. Nothing is
// antialiased.
class Canvas {
 public:
  // A new size clears the picture to the background.
  void Resize(QSize size);
  void SetBackground(int32_t colour) { background_ = colour; }
  void Clear();
  void SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }
  int PenWidth() const { return penWidth_; }
  int ClientWidth() const { return image_.width(); }
  int ClientHeight() const { return image_.height(); }

  void Line(float x0, float y0, float x1, float y1, int32_t colour);
  void FillRect(float x0, float y0, float x1, float y1, int32_t colour);
  // A filled sector of the disc (cx, cy, radius) from angle start
  // counter-clockwise to angle end, in radians with 0 at 3 o'clock.
  void FillPie(float cx, float cy, float radius, float start, float end, int32_t colour);

  const QImage& Image() const { return image_; }
  int32_t PixelAt(int x, int y) const;  // packed colour; -1 outside
  void Paint(QPainter& painter) const;

 private:
  QImage image_;
  int32_t background_ = 0;
  int penWidth_ = 1;
};

}  // namespace velmora
