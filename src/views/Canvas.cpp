#include "views/Canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr double kRadiansToSixteenths = 180.0 / 3.14159265358979323846 * 16.0;

QRgb ToRgb(int32_t colour) {
  return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The pixel that a coordinate falls on; far-away coordinates are pinned well
// outside the image so that the int conversion stays defined.
int PixelOf(float c) {
  const double p = std::floor(static_cast<double>(c) + 0.5);
  if (!(p > -1e6)) return -1'000'000;  // also NaN
  if (p > 1e6) return 1'000'000;
  return static_cast<int>(p);
}

}  // namespace

void Canvas::Resize(QSize size) {
  size = size.expandedTo(QSize(0, 0));
  if (image_.size() != size) image_ = QImage(size, QImage::Format_RGB32);
  Clear();
}

void Canvas::Clear() {
  if (!image_.isNull()) image_.fill(ToRgb(background_));
}

int32_t Canvas::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return -1;
  const QRgb p = image_.pixel(x, y);
  return qRed(p) + 256 * qGreen(p) + 65536 * qBlue(p);
}

void Canvas::FillRect(float x0, float y0, float x1, float y1, int32_t colour) {
  if (image_.isNull()) return;
  const int widen = (penWidth_ - 1) / 2;
  int left = std::min(PixelOf(x0), PixelOf(x1)) - widen;
  int right = std::max(PixelOf(x0), PixelOf(x1)) + widen;
  int top = std::min(PixelOf(y0), PixelOf(y1)) - widen;
  int bottom = std::max(PixelOf(y0), PixelOf(y1)) + widen;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, image_.width() - 1);
  bottom = std::min(bottom, image_.height() - 1);
  if (left > right || top > bottom) return;
  const QRgb rgb = ToRgb(colour);
  // Straight into the scan lines: exact, and much cheaper than a painter for
  // the hundreds of bars a chart draws per year.
  for (int y = top; y <= bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(line + left, line + right + 1, rgb);
  }
}

void Canvas::Line(float x0, float y0, float x1, float y1, int32_t colour) {
  if (image_.isNull()) return;
  if (PixelOf(x0) == PixelOf(x1) || PixelOf(y0) == PixelOf(y1)) {
    // Upright and level lines are bands exactly pen-width pixels across.
    FillRect(x0, y0, x1, y1, colour);
    return;
  }
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(QColor::fromRgb(ToRgb(colour)));
  pen.setWidth(penWidth_);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.drawLine(QPointF(x0, y0), QPointF(x1, y1));
}

void Canvas::FillPie(float cx, float cy, float radius, float start, float end, int32_t colour) {
  if (image_.isNull() || !(radius > 0.0f)) return;
  double span = static_cast<double>(end) - static_cast<double>(start);
  if (span < 0.0) span += 2.0 * 3.14159265358979323846;  // always counter-clockwise
  const int startSixteenths = static_cast<int>(std::lround(static_cast<double>(start) * kRadiansToSixteenths));
  const int spanSixteenths = static_cast<int>(std::lround(span * kRadiansToSixteenths));
  if (spanSixteenths == 0) return;
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QColor qc = QColor::fromRgb(ToRgb(colour));
  QPen pen(qc);
  pen.setWidth(penWidth_);
  painter.setPen(pen);
  painter.setBrush(qc);
  const QRectF box(cx - radius, cy - radius, 2.0 * radius, 2.0 * radius);
  painter.drawPie(box, startSixteenths, spanSixteenths);
}

void Canvas::Paint(QPainter& painter) const {
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
}

}  // namespace velmora
