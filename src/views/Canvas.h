#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <span>

class QPainter;

namespace velmora {

// One sector for Canvas::FillPies: from angle start counter-clockwise to
// angle end, in one colour.
struct PieSector {
  float start;
  float end;
  int32_t colour;
};

// A chart's retained picture: the drawing primitives of the charts on a
// QImage that the window blits on paint, so a covered or hidden window keeps
// its picture. Coordinates are client pixels as floats, origin top left, y
// down.
//
// Pixel contract (exact, tested):
// - FillRect covers exactly the pixels between its corners: a corner
//   coordinate c is taken to the pixel edge floor(c + 0.5), and the
//   rectangle from edge x0 to x1 covers the x1 - x0 pixels x0 .. x1 - 1 (the
//   same across y), whatever the order of the corners. Bars that share an
//   edge therefore tile without overlap or gap, and an empty bar draws
//   nothing. A pen wider than 1 widens the rectangle by (width - 1) / 2
//   pixels above and left and by width / 2 below and right.
// - Line: an upright or level line covers the pixels floor(c + 0.5) of both
//   its ends and all between, in a band exactly pen-width pixels across
//   (the same split as above around the line's pixel). Slanted lines are
//   stroked by the painter with flat ends (not exact).
// - FillPie covers a pixel when the pixel's centre (x + 0.5, y + 0.5) lies
//   within half a pixel of the sector, as a width-1 outline in the fill
//   colour would: the region bounded by the arc and by the radii at the two
//   angles. Adjacent sectors that share an angle never leave a gap between
//   them.
// Colours are packed red + 256 x green + 65536 x blue. Nothing is
// antialiased; everything outside the picture is clipped.
class Canvas {
 public:
  // A new size clears the picture to the background; the picture is the
  // canvas's own again, from client pixel (0, 0) on.
  void Resize(QSize size);
  // Draws into picture instead: a part of a larger client area, whose pixel
  // (0, 0) is the client pixel origin. picture may be a view of another
  // picture's scan lines (a QImage made over them), so that a large chart can
  // be drawn piece by piece straight into where it is shown; the caller keeps
  // those lines alive while the canvas draws. Drawing beyond picture is
  // clipped, as beyond any canvas; the picture is not cleared.
  void Attach(QImage picture, QPoint origin);
  void SetBackground(int32_t colour) { background_ = colour; }
  void Clear();
  void SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }
  int PenWidth() const { return penWidth_; }
  // The picture's size (the client size unless a part is attached).
  int ClientWidth() const { return image_.width(); }
  int ClientHeight() const { return image_.height(); }

  void Line(float x0, float y0, float x1, float y1, int32_t colour);
  void FillRect(float x0, float y0, float x1, float y1, int32_t colour);
  // The sector of the disc (cx, cy, radius) from angle start counter-clockwise
  // to angle end: radians, 0 at 3 o'clock, growing counter-clockwise on
  // screen. end below start wraps through 3 o'clock; a span of 2 pi or more
  // is the whole disc; equal angles leave the radius alone.
  void FillPie(float cx, float cy, float radius, float start, float end, int32_t colour);
  // The sectors of one disc, drawn in their order: exactly the pixels of
  // FillPie on each in turn (a later sector wins where two overlap), in one
  // pass over the disc's rows instead of one per sector.
  void FillPies(float cx, float cy, float radius, std::span<const PieSector> sectors);

  const QImage& Image() const { return image_; }
  int32_t PixelAt(int x, int y) const;  // client pixel's packed colour; -1 outside the picture
  // Blit the part of the picture inside area (client pixels).
  void Paint(QPainter& painter, const QRect& area) const;

 private:
  // Fill the pixels left..right, top..bottom (inclusive), clipped.
  void FillPixels(int left, int top, int right, int bottom, int32_t colour);

  QImage image_;
  QPoint origin_;          // the client pixel at the picture's (0, 0)
  bool attached_ = false;  // the picture is someone else's (Attach)
  int32_t background_ = 0;
  int penWidth_ = 1;
};

}  // namespace velmora
