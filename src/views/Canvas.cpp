#include "views/Canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora {
namespace {

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) void ZeroUpper() { _mm256_zeroupper(); }
#endif

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
// Half the width-1 outline that a sector is drawn with.
constexpr double kOutline = 0.5;

QRgb ToRgb(int32_t colour) { return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

// The pixel edge nearest to a coordinate (the pixel that it falls on when the
// pixel's centre is taken at the coordinate); far-away coordinates are pinned
// well outside the image so that the int conversion stays defined.
int PixelOf(double c) {
  const double p = std::floor(c + 0.5);
  if (p < -1e6) return -1'000'000;
  if (p > 1e6) return 1'000'000;
  return static_cast<int>(p);
}

// A point relative to a sector's centre, y pointing up as the angles do.
struct Vec {
  double x;
  double y;
};
double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
Vec Direction(double angle) { return {std::cos(angle), std::sin(angle)}; }

// Whether angle lies on the counter-clockwise sweep of span from start.
bool AngleWithin(double angle, double start, double span) {
  double t = std::fmod(angle - start, kTwoPi);
  if (t < 0.0) t += kTwoPi;
  return t <= span;
}

// Which points a convex sector (span up to pi) covers: within half a pixel
// of the region between the rays a and b (m halfway between them), inside
// the disc widened by the outline.
class WedgeCover {
 public:
  WedgeCover(Vec a, Vec b, Vec m, double radius)
      : a_(a), b_(b), m_(m), outer2_((radius + kOutline) * (radius + kOutline)) {
    // The two sides and the back across the apex, each moved out by the
    // outline: k x + ky y + outline >= 0.
    const Vec edges[3] = {{-a.y, a.x}, {b.y, -b.x}, {m.x, m.y}};
    for (const Vec& edge : edges) {
      const double k = edge.x;
      const double ky = edge.y;
      if (k > 0.0) {
        lower_[lowers_++] = {-ky / k, -kOutline / k};
      } else if (k < 0.0) {
        upper_[uppers_++] = {-ky / k, -kOutline / k};
      } else if (ky > 0.0) {
        lowestY_ = std::max(lowestY_, -kOutline / ky);
      } else if (ky < 0.0) {
        highestY_ = std::min(highestY_, -kOutline / ky);
      }
    }
  }

  bool Covers(Vec p) const {
    const double d2 = Dot(p, p);
    if (d2 > outer2_) return false;
    if (Cross(a_, p) >= 0.0 && Cross(p, b_) >= 0.0 && Dot(p, m_) >= 0.0) return true;
    return NearRay(p, a_, d2) || NearRay(p, b_, d2);
  }

  // The x range of row py inside the disc (half its chord there) and those
  // three half-planes. More than a pixel away from the apex that is exactly
  // the covered range; nearer, it may hold a little more.
  bool RowBounds(double py, double half, double& lo, double& hi) const {
    if (py < lowestY_ || py > highestY_) return false;
    // Unused bounds lie far outside and never win: no branch per bound.
    lo = std::max({-half, lower_[0].At(py), lower_[1].At(py), lower_[2].At(py)});
    hi = std::min({half, upper_[0].At(py), upper_[1].At(py), upper_[2].At(py)});
    return lo <= hi;
  }

 private:
  // An x bound that moves along the rows: slope y + at0.
  struct Bound {
    double slope;
    double at0;
    double At(double y) const { return slope * y + at0; }
  };
  static constexpr double kFar = 1e300;

  static bool NearRay(Vec p, Vec u, double d2) {
    return Dot(p, u) >= 0.0 ? std::abs(Cross(u, p)) <= kOutline : d2 <= kOutline * kOutline;
  }

  Vec a_, b_, m_;
  double outer2_;
  Bound lower_[3] = {{0.0, -kFar}, {0.0, -kFar}, {0.0, -kFar}};
  Bound upper_[3] = {{0.0, kFar}, {0.0, kFar}, {0.0, kFar}};
  int lowers_ = 0;
  int uppers_ = 0;
  double lowestY_ = -kFar;
  double highestY_ = kFar;
};

// Wide vector code elsewhere in the process (the libraries' own fills and
// copies) can leave the upper halves of the vector registers marked in use;
// until that is cleared, every SSE instruction of the loops below waits on
// them, which made the circle a fifth slower. Clearing costs a cycle.
void ClearUpperVectorState() {
#if defined(__x86_64__) && defined(__GNUC__)
  if (__builtin_cpu_supports("avx")) ZeroUpper();
#endif
}

// n >= 1 pixels from p on. A disc's rows are filled in short spans of a few
// pixels each, whose lengths vary from span to span: stores that may
// overlap within the span, chosen by a few size classes, avoid a loop whose
// exit is hard to predict.
void FillSpan(QRgb* p, int n, QRgb rgb) {
#ifdef __SSE2__
  if (n < 4) {
    p[0] = rgb;
    p[n > 1 ? 1 : 0] = rgb;
    p[n - 1] = rgb;
    return;
  }
  const __m128i four = _mm_set1_epi32(static_cast<int>(rgb));
  QRgb* const end = p + n;
  if (n > 8) {
    for (; end - p > 8; p += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 8), four);
  } else {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 4), four);
#else
  std::fill(p, p + n, rgb);
#endif
}

// The scan lines of a picture, looked up once per shape.
class Rows {
 public:
  explicit Rows(QImage& image)
      : bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()), right_(width_ - 1.0) {}

  // Fill the pixels of row from ceil(from) to floor(to), clamped to the
  // picture's width. The rounding goes through int on bounds pinned just
  // outside the picture: the same pixels as rounding the bounds themselves,
  // at a fraction of the cost of the library's rounding without SSE4.1.
  void FillBetween(int row, double from, double to, QRgb rgb) const {
    if (!(from <= to) || from > right_ || to < 0.0) return;  // also a bound that is not a number
    from = std::max(from, -1.0);
    to = std::min(to, right_ + 1.0);
    int x0 = static_cast<int>(from);  // towards zero, then up
    x0 += x0 < from;
    const int x1 = std::min(static_cast<int>(to), width_ - 1);  // to >= 0: towards zero is down
    x0 = std::max(x0, 0);
    if (x0 <= x1) Fill(row, x0, x1, rgb);
  }
  // Fill pixels x0..x1 of row, all inside the picture.
  void Fill(int row, int x0, int x1, QRgb rgb) const {
    FillSpan(reinterpret_cast<QRgb*>(bits_ + row * stride_) + x0, x1 - x0 + 1, rgb);
  }
  double Right() const { return right_; }

 private:
  uchar* bits_;
  qsizetype stride_;
  int width_;
  double right_;
};

// One convex piece of a sector (span up to pi) between the rays a and b,
// or the whole disc; the pixel x is sampled at x - cx from the centre, row
// y at cy - y.
class PiePiece {
 public:
  // The whole disc.
  PiePiece(const QImage& image, double cy, double radius, QRgb rgb) : rgb_(rgb), disc_(true) {
    const double outer = radius + kOutline;
    firstRow_ = std::max(0.0, std::ceil(cy - outer));
    lastRow_ = std::min(image.height() - 1.0, std::floor(cy + outer));
  }
  // The piece from start over span (up to pi) between the rays a and b.
  PiePiece(const QImage& image, double cy, double radius, double start, double span, QRgb rgb, Vec a, Vec b)
      : rgb_(rgb), disc_(false), cover_(a, b, Direction(start + span / 2.0), radius) {
    // Rows: the highest and lowest points of the piece, the centre included.
    const double outer = radius + kOutline;
    double top = std::max({0.0, outer * a.y, outer * b.y});
    double low = std::min({0.0, outer * a.y, outer * b.y});
    if (AngleWithin(kPi / 2.0, start, span)) top = outer;
    if (AngleWithin(3.0 * kPi / 2.0, start, span)) low = -outer;
    firstRow_ = std::max(0.0, std::floor(cy - top - 1.0));
    lastRow_ = std::min(image.height() - 1.0, std::ceil(cy - low + 1.0));
  }

  double FirstRow() const { return firstRow_; }
  double LastRow() const { return lastRow_; }

  // Fill the piece's pixels in row (py = cy - row), given half the disc's
  // chord there.
  void FillRow(const Rows& rows, double row, double cx, double py, double half) const {
    if (disc_) {
      rows.FillBetween(static_cast<int>(row), cx - half, cx + half, rgb_);
      return;
    }
    double lo = 0.0;
    double hi = 0.0;
    if (!cover_.RowBounds(py, half, lo, hi)) return;
    if (std::abs(py) > 1.0) {
      rows.FillBetween(static_cast<int>(row), cx + lo, cx + hi, rgb_);
      return;
    }
    // Beside the apex: trim the range to the pixels really covered.
    const double first = std::max(0.0, std::floor(cx + lo) - 1.0);
    const double last = std::min(rows.Right(), std::ceil(cx + hi) + 1.0);
    if (first > last) return;
    int x0 = static_cast<int>(first);
    int x1 = static_cast<int>(last);
    while (x0 <= x1 && !cover_.Covers({x0 - cx, py})) ++x0;
    while (x1 >= x0 && !cover_.Covers({x1 - cx, py})) --x1;
    if (x0 <= x1) rows.Fill(static_cast<int>(row), x0, x1, rgb_);
  }

 private:
  QRgb rgb_;
  bool disc_;
  WedgeCover cover_{{1.0, 0.0}, {1.0, 0.0}, {1.0, 0.0}, 0.0};
  double firstRow_ = 0.0;
  double lastRow_ = -1.0;
};

// Directions of the rays, remembering the last two: sectors in a row share
// their angles, so most rays are worked out once instead of twice.
class RayDirections {
 public:
  Vec Of(double angle) {
    for (const Known& known : known_) {
      if (known.valid && known.angle == angle) return known.direction;
    }
    Known& slot = known_[next_];
    next_ = 1 - next_;
    slot = {true, angle, Direction(angle)};
    return slot.direction;
  }

 private:
  struct Known {
    bool valid;
    double angle;
    Vec direction;
  };
  Known known_[2] = {};
  int next_ = 0;
};

// The pieces of the sector of the disc (radius) from start counter-clockwise
// to end, appended in drawing order: the whole disc, one convex piece, or
// two for a span beyond pi.
void AddPieces(const QImage& image, double cy, double radius, float start, float end, QRgb rgb, RayDirections& rays,
               std::vector<PiePiece>& pieces) {
  const double from = start;
  const double to = end;
  double span = to - from;
  if (span >= kTwoPi) {
    pieces.emplace_back(image, cy, radius, rgb);
    return;
  }
  span = std::fmod(span, kTwoPi);
  if (span < 0.0) span += kTwoPi;
  if (span >= kTwoPi) {
    pieces.emplace_back(image, cy, radius, rgb);
    return;
  }
  // The rays come from the angles as given, so that two sectors sharing an
  // angle share its ray exactly and meet without a gap.
  const Vec a = rays.Of(from);
  const Vec b = rays.Of(to);
  if (span <= kPi) {
    pieces.emplace_back(image, cy, radius, from, span, rgb, a, b);
  } else {
    const double mid = from + span / 2.0;
    const Vec m = Direction(mid);
    pieces.emplace_back(image, cy, radius, from, span / 2.0, rgb, a, m);
    pieces.emplace_back(image, cy, radius, mid, span - span / 2.0, rgb, m, b);
  }
}

// The pieces row by row, in their order within each row: every pixel gets
// the same writes in the same order as drawing the pieces one after another,
// but the disc's chord is worked out once per row, and a row visits only the
// pieces that reach it.
void FillPieces(QImage& image, double cx, double cy, double radius, const std::vector<PiePiece>& pieces) {
  if (pieces.empty()) return;
  // Pieces by first row; the active ones kept in drawing order.
  std::vector<int> byFirstRow(pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) byFirstRow[i] = static_cast<int>(i);
  std::stable_sort(byFirstRow.begin(), byFirstRow.end(),
                   [&](int x, int y) { return pieces[x].FirstRow() < pieces[y].FirstRow(); });
  std::vector<int> active;
  active.reserve(pieces.size());
  double lastRow = -1.0;
  for (const PiePiece& piece : pieces) lastRow = std::max(lastRow, piece.LastRow());
  const double outer = radius + kOutline;
  const double outer2 = outer * outer;
  const Rows rows(image);
  std::size_t next = 0;
  for (double row = pieces[byFirstRow[0]].FirstRow(); row <= lastRow; row += 1.0) {
    for (; next < byFirstRow.size() && pieces[byFirstRow[next]].FirstRow() <= row; ++next) {
      const int index = byFirstRow[next];
      if (pieces[index].LastRow() < row) continue;  // no row inside the picture
      active.insert(std::upper_bound(active.begin(), active.end(), index), index);
    }
    std::erase_if(active, [&](int index) { return pieces[index].LastRow() < row; });
    const double py = cy - row;
    const double rest = outer2 - py * py;
    if (rest < 0.0) continue;
    const double half = std::sqrt(rest);
    for (const int index : active) pieces[index].FillRow(rows, row, cx, py, half);
    if (active.empty() && next == byFirstRow.size()) break;
  }
}

}  // namespace

void Canvas::Resize(QSize size) {
  size = size.expandedTo(QSize(0, 0));
  if (image_.size() != size || attached_) image_ = QImage(size, QImage::Format_RGB32);
  origin_ = QPoint();
  attached_ = false;
  Clear();
}

void Canvas::Attach(QImage picture, QPoint origin) {
  image_ = std::move(picture);
  origin_ = origin;
  attached_ = true;
}

void Canvas::Clear() {
  if (!image_.isNull()) image_.fill(ToRgb(background_));
}

int32_t Canvas::PixelAt(int x, int y) const {
  x -= origin_.x();
  y -= origin_.y();
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return -1;
  const QRgb p = image_.pixel(x, y);
  return qRed(p) + 256 * qGreen(p) + 65536 * qBlue(p);
}

void Canvas::FillPixels(int left, int top, int right, int bottom, int32_t colour) {
  // Client pixels to the picture's; the bounds are pinned within +-1e6.
  left = std::max(left - origin_.x(), 0);
  top = std::max(top - origin_.y(), 0);
  right = std::min(right - origin_.x(), image_.width() - 1);
  bottom = std::min(bottom - origin_.y(), image_.height() - 1);
  if (left > right || top > bottom) return;
  const QRgb rgb = ToRgb(colour);
  ClearUpperVectorState();
  // Straight into the scan lines: exact, and much cheaper than a painter for
  // the hundreds of bars a chart draws per year. The lines are looked up once
  // (each scanLine call checks whether the picture is shared).
  uchar* const bits = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  for (int y = top; y <= bottom; ++y) {
    FillSpan(reinterpret_cast<QRgb*>(bits + y * stride) + left, right - left + 1, rgb);
  }
}

void Canvas::FillRect(float x0, float y0, float x1, float y1, int32_t colour) {
  if (image_.isNull() || std::isnan(x0) || std::isnan(y0) || std::isnan(x1) || std::isnan(y1)) return;
  const int before = (penWidth_ - 1) / 2;
  const int after = penWidth_ / 2;
  const int left = std::min(PixelOf(x0), PixelOf(x1)) - before;
  const int right = std::max(PixelOf(x0), PixelOf(x1)) - 1 + after;
  const int top = std::min(PixelOf(y0), PixelOf(y1)) - before;
  const int bottom = std::max(PixelOf(y0), PixelOf(y1)) - 1 + after;
  FillPixels(left, top, right, bottom, colour);
}

void Canvas::Line(float x0, float y0, float x1, float y1, int32_t colour) {
  if (image_.isNull() || std::isnan(x0) || std::isnan(y0) || std::isnan(x1) || std::isnan(y1)) return;
  const int before = (penWidth_ - 1) / 2;
  const int after = penWidth_ / 2;
  const int px0 = PixelOf(x0);
  const int px1 = PixelOf(x1);
  const int py0 = PixelOf(y0);
  const int py1 = PixelOf(y1);
  if (px0 == px1) {
    FillPixels(px0 - before, std::min(py0, py1), px0 + after, std::max(py0, py1), colour);
    return;
  }
  if (py0 == py1) {
    FillPixels(std::min(px0, px1), py0 - before, std::max(px0, px1), py0 + after, colour);
    return;
  }
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.translate(-origin_);
  QPen pen(QColor::fromRgb(ToRgb(colour)));
  pen.setWidth(penWidth_);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.drawLine(QPointF(x0, y0), QPointF(x1, y1));
}

void Canvas::FillPie(float cx, float cy, float radius, float start, float end, int32_t colour) {
  const PieSector sector{start, end, colour};
  FillPies(cx, cy, radius, std::span(&sector, 1));
}

void Canvas::FillPies(float cx, float cy, float radius, std::span<const PieSector> sectors) {
  if (image_.isNull() || !(radius > 0.0f)) return;
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius)) return;
  // Pixels are sampled at their centres: pixel x is at x + 0.5, so measure
  // from a centre moved back by half a pixel and sample at the indexes.
  const double centreX = static_cast<double>(cx) - 0.5 - origin_.x();
  const double centreY = static_cast<double>(cy) - 0.5 - origin_.y();
  ClearUpperVectorState();
  std::vector<PiePiece> pieces;
  pieces.reserve(2 * sectors.size());
  RayDirections rays;
  for (const PieSector& sector : sectors) {
    if (!std::isfinite(sector.start) || !std::isfinite(sector.end)) continue;
    AddPieces(image_, centreY, radius, sector.start, sector.end, ToRgb(sector.colour), rays, pieces);
  }
  FillPieces(image_, centreX, centreY, radius, pieces);
}

void Canvas::Paint(QPainter& painter, const QRect& area) const {
  if (!image_.isNull()) painter.drawImage(area.topLeft(), image_, area.translated(-origin_));
}

}  // namespace velmora
