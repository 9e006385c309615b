// The chart canvas's pixel contract: bars, lines and pie sectors, and the
// window that shows the retained picture.
#include "views/Canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "views/ChartWindow.h"

namespace velmora {
namespace {

constexpr int32_t kRed = 0x0000FF;  // packed red + 256 x green + 65536 x blue
constexpr int32_t kGreen = 0x00FF00;
constexpr int32_t kBlue = 0xFF0000;
constexpr double kPi = 3.14159265358979323846;

// The smallest box holding every pixel of one colour, and how many there are.
struct Cover {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};

Cover CoverOf(const Canvas& canvas, int32_t colour) {
  Cover c;
  for (int y = 0; y < canvas.ClientHeight(); ++y) {
    for (int x = 0; x < canvas.ClientWidth(); ++x) {
      if (canvas.PixelAt(x, y) != colour) continue;
      c.left = std::min(c.left, x);
      c.right = std::max(c.right, x);
      c.top = std::min(c.top, y);
      c.bottom = std::max(c.bottom, y);
      ++c.count;
    }
  }
  return c;
}

// A solid block of exactly the pixels left..right, top..bottom.
void ExpectBlock(const Canvas& canvas, int32_t colour, int left, int top, int right, int bottom) {
  const Cover c = CoverOf(canvas, colour);
  EXPECT_EQ(c.left, left);
  EXPECT_EQ(c.top, top);
  EXPECT_EQ(c.right, right);
  EXPECT_EQ(c.bottom, bottom);
  EXPECT_EQ(c.count, (right - left + 1) * (bottom - top + 1));
}

Canvas Blank(int width, int height) {
  Canvas canvas;
  canvas.Resize(QSize(width, height));
  return canvas;
}

TEST(CanvasRect, CoversExactlyThePixelsBetweenItsCornersInEitherOrder) {
  Canvas canvas = Blank(20, 20);
  canvas.FillRect(2, 3, 6, 8, kRed);
  ExpectBlock(canvas, kRed, 2, 3, 5, 7);  // 4 x 5 pixels, not 5 x 6

  canvas.Clear();
  canvas.FillRect(6, 8, 2, 3, kRed);
  ExpectBlock(canvas, kRed, 2, 3, 5, 7);
  EXPECT_EQ(canvas.PixelAt(6, 8), 0);
}

TEST(CanvasRect, CornersSnapToTheNearestPixelEdge) {
  Canvas canvas = Blank(20, 20);
  // x edges 1.4 -> 1 and 4.49 -> 4; y edges 1.5 -> 2 and 4.5 -> 5.
  canvas.FillRect(1.4f, 1.5f, 4.49f, 4.5f, kGreen);
  ExpectBlock(canvas, kGreen, 1, 2, 3, 4);
}

TEST(CanvasRect, BarsSharingAnEdgeTileAndAnEmptyBarDrawsNothing) {
  Canvas canvas = Blank(30, 10);
  canvas.FillRect(0, 10, 7, 0, kRed);
  canvas.FillRect(7, 10, 14, 0, kGreen);
  canvas.FillRect(20, 5, 20, 0, kBlue);  // no width
  canvas.FillRect(22, 4, 25, 4, kBlue);  // no height
  ExpectBlock(canvas, kRed, 0, 0, 6, 9);
  ExpectBlock(canvas, kGreen, 7, 0, 13, 9);
  EXPECT_EQ(CoverOf(canvas, kBlue).count, 0);
}

TEST(CanvasRect, WidePenWidensTheRectangleOnEverySide) {
  Canvas canvas = Blank(20, 20);
  canvas.SetPenWidth(3);
  canvas.FillRect(5, 5, 8, 10, kRed);
  ExpectBlock(canvas, kRed, 4, 4, 8, 10);
  canvas.SetPenWidth(0);  // never below one pixel
  EXPECT_EQ(canvas.PenWidth(), 1);
}

TEST(CanvasRect, ClipsAtTheBordersAndIgnoresCoordinatesThatAreNotNumbers) {
  Canvas canvas = Blank(10, 10);
  canvas.FillRect(-5, -5, 3, 3, kRed);
  ExpectBlock(canvas, kRed, 0, 0, 2, 2);
  canvas.FillRect(std::numeric_limits<float>::quiet_NaN(), 0, 5, 5, kGreen);
  EXPECT_EQ(CoverOf(canvas, kGreen).count, 0);
  canvas.FillRect(-1e30f, -1e30f, 1e30f, 1e30f, kBlue);
  ExpectBlock(canvas, kBlue, 0, 0, 9, 9);
}

TEST(CanvasLine, UprightAndLevelLinesAreBandsOfThePenWidth) {
  Canvas canvas = Blank(30, 20);
  canvas.SetPenWidth(7);
  canvas.Line(10, 0, 10, 20, kRed);  // the pyramid's axis: 7 pixels across
  ExpectBlock(canvas, kRed, 7, 0, 13, 19);

  canvas.Clear();
  canvas.SetPenWidth(1);
  canvas.Line(9, 5, 2, 5, kGreen);  // both end pixels included
  ExpectBlock(canvas, kGreen, 2, 5, 9, 5);
}

// Pie sectors: centre (50, 50), radius 40, on a 100 x 100 picture. Pixel x
// has its centre at x + 0.5.
class CanvasPie : public ::testing::Test {
 protected:
  Canvas canvas = Blank(100, 100);
  bool Covered(int x, int y) const { return canvas.PixelAt(x, y) == kRed; }
  static double Distance(int x, int y) { return std::hypot(x + 0.5 - 50.0, y + 0.5 - 50.0); }
};

TEST_F(CanvasPie, AnglesStartAtThreeOclockAndRunCounterClockwise) {
  canvas.FillPie(50, 50, 40, 0.0f, static_cast<float>(kPi / 2), kRed);
  EXPECT_TRUE(Covered(70, 29));   // upper right
  EXPECT_FALSE(Covered(29, 29));  // upper left
  EXPECT_FALSE(Covered(70, 70));  // lower right
  EXPECT_FALSE(Covered(29, 70));  // lower left
  // Along the 3 o'clock radius: the row above it and the row whose centre is
  // half a pixel below it (the outline), not the next.
  EXPECT_TRUE(Covered(70, 49));
  EXPECT_TRUE(Covered(70, 50));
  EXPECT_FALSE(Covered(70, 51));
}

TEST_F(CanvasPie, AnEndBelowTheStartWrapsThroughThreeOclock) {
  canvas.FillPie(50, 50, 40, static_cast<float>(7 * kPi / 4), static_cast<float>(kPi / 4), kRed);
  EXPECT_TRUE(Covered(85, 50));   // 3 o'clock
  EXPECT_FALSE(Covered(15, 50));  // 9 o'clock
  EXPECT_FALSE(Covered(50, 15));  // 12 o'clock

  canvas.Clear();
  canvas.FillPie(50, 50, 40, static_cast<float>(kPi / 2), 0.0f, kRed);  // three quarters
  EXPECT_FALSE(Covered(70, 29));
  EXPECT_TRUE(Covered(29, 29));
  EXPECT_TRUE(Covered(29, 70));
  EXPECT_TRUE(Covered(70, 70));
}

TEST_F(CanvasPie, AFullTurnIsTheWholeDiscOutToHalfAPixelBeyondTheRadius) {
  canvas.FillPie(50, 50, 40, 0.0f, static_cast<float>(2 * kPi), kRed);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const double d = Distance(x, y);
      if (d <= 40.0) {
        EXPECT_TRUE(Covered(x, y)) << x << "," << y;
      }
      if (d > 40.5) {
        EXPECT_FALSE(Covered(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(CanvasPieEdge, APixelCentreExactlyHalfAPixelOutsideIsCovered) {
  // Centre on a pixel's centre and radius 9.5: the pixels 10 away along the
  // row and the column through the centre lie exactly on the covered edge.
  Canvas canvas = Blank(41, 41);
  canvas.FillPie(20.5f, 20.5f, 9.5f, 0.0f, static_cast<float>(2 * kPi), kRed);
  for (int i = 10; i <= 30; ++i) {
    EXPECT_EQ(canvas.PixelAt(i, 20), kRed) << i;
    EXPECT_EQ(canvas.PixelAt(20, i), kRed) << i;
  }
  EXPECT_EQ(canvas.PixelAt(9, 20), 0);
  EXPECT_EQ(canvas.PixelAt(31, 20), 0);
  EXPECT_EQ(canvas.PixelAt(20, 9), 0);
  EXPECT_EQ(canvas.PixelAt(20, 31), 0);
}

TEST_F(CanvasPie, SectorsSharingTheirAnglesLeaveNoGap) {
  // A hundred sectors round the disc from an odd angle, the last one
  // wrapping through 3 o'clock, in two alternating colours.
  float angles[101];
  for (int k = 0; k <= 100; ++k) angles[k] = static_cast<float>(0.3 + 2 * kPi * k / 100.0);
  for (int k = 0; k < 100; ++k) {
    const float end = k == 99 ? angles[0] : angles[k + 1];
    canvas.FillPie(50, 50, 40, angles[k], end, k % 2 == 0 ? kRed : kGreen);
  }
  int gaps = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (Distance(x, y) <= 40.0 && canvas.PixelAt(x, y) == 0) ++gaps;
    }
  }
  EXPECT_EQ(gaps, 0);
  // And each sector keeps to its own span: sector 10 (0.3 + 36 to 39.6
  // degrees worth of radians) shows in its middle at radius 30.
  const double middle = 0.3 + 2 * kPi * 10.5 / 100.0;
  const int x = static_cast<int>(std::floor(50 + 30 * std::cos(middle)));
  const int y = static_cast<int>(std::floor(50 - 30 * std::sin(middle)));
  EXPECT_EQ(canvas.PixelAt(x, y), kRed);
}

TEST_F(CanvasPie, NothingForAnEmptyRadiusOrAnglesThatAreNotNumbers) {
  canvas.FillPie(50, 50, 0, 0.0f, 1.0f, kRed);
  canvas.FillPie(50, 50, 40, std::numeric_limits<float>::quiet_NaN(), 1.0f, kRed);
  canvas.FillPie(50, 50, 40, 0.0f, std::numeric_limits<float>::infinity(), kRed);
  EXPECT_EQ(CoverOf(canvas, kRed).count, 0);
}

// FillPies against FillPie on each sector in turn, pixel for pixel.
int DifferingPixels(const Canvas& a, const Canvas& b) {
  int differ = 0;
  for (int y = 0; y < a.ClientHeight(); ++y)
    for (int x = 0; x < a.ClientWidth(); ++x) differ += a.PixelAt(x, y) != b.PixelAt(x, y);
  return differ;
}

int DifferingFromOneByOne(float cx, float cy, float radius, const std::vector<PieSector>& sectors) {
  Canvas oneByOne = Blank(120, 90);
  Canvas together = Blank(120, 90);
  // Something under the disc that must show where no sector reaches.
  oneByOne.FillRect(0, 0, 50, 40, kBlue);
  together.FillRect(0, 0, 50, 40, kBlue);
  for (const PieSector& s : sectors) oneByOne.FillPie(cx, cy, radius, s.start, s.end, s.colour);
  together.FillPies(cx, cy, radius, sectors);
  return DifferingPixels(oneByOne, together);
}

TEST(CanvasPies, AFanOfSectorsIsExactlyTheSectorsDrawnOneByOne) {
  // A fan clockwise from 12 o'clock as the age circle draws it: spans of
  // every size, the one across 3 o'clock in two pieces, the last wider than
  // half the disc, so that later sectors paint over the shared edges.
  std::vector<PieSector> fan;
  float start = static_cast<float>(kPi / 2);
  const double steps[] = {0.01, 0.3, 0.0004, 1.2, 0.05, 0.2};
  int32_t colour = 0x101010;
  for (const double step : steps) {
    const float end = static_cast<float>(start - step);
    fan.push_back({end, start, colour});
    colour += 0x202020;
    start = end;
  }
  fan.push_back({0.000001f, start, kRed});
  fan.push_back({4.0f, 6.283184f, kGreen});
  fan.push_back({static_cast<float>(kPi / 2) + 0.001f, 4.0f, kBlue});
  for (const float radius : {0.4f, 3.0f, 30.0f, 80.0f}) {
    EXPECT_EQ(DifferingFromOneByOne(60, 45, radius, fan), 0) << radius;
    EXPECT_EQ(DifferingFromOneByOne(60.5f, 44.5f, radius, fan), 0) << radius;
    // Centred near and beyond the picture's edges.
    EXPECT_EQ(DifferingFromOneByOne(2, 88, radius, fan), 0) << radius;
    EXPECT_EQ(DifferingFromOneByOne(-20, 100, radius, fan), 0) << radius;
  }
}

TEST(CanvasPies, WholeDiscsOverlapsAndSectorsThatAreNotNumbersAreAsDrawnOneByOne) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // clang-format off
  const std::vector<PieSector> sectors = {
      {1.0f, 2.0f, kRed},
      {0.0f, 7.0f, kGreen},  // the whole disc over the first
      {nan, 1.0f, kRed},     // skipped, the rest still drawn
      {2.5f, 0.5f, kBlue},   // wraps through 3 o'clock
      {0.7f, 0.7f, kRed},    // equal angles: the radius alone
      {-1.0f, 0.2f, 0x00FFFF},
  };
  // clang-format on
  EXPECT_EQ(DifferingFromOneByOne(60, 45, 40, sectors), 0);
  EXPECT_EQ(DifferingFromOneByOne(10.25f, 5.75f, 40, sectors), 0);
}

TEST(CanvasPies, NothingWithoutSectorsOrWithoutARadius) {
  Canvas canvas = Blank(40, 40);
  canvas.FillPies(20, 20, 15, {});
  const PieSector disc{0.0f, 7.0f, kRed};
  canvas.FillPies(20, 20, 0, std::span(&disc, 1));
  canvas.FillPies(std::numeric_limits<float>::infinity(), 20, 15, std::span(&disc, 1));
  EXPECT_EQ(CoverOf(canvas, kRed).count, 0);
}

// A chart window that only keeps its picture as large as itself.
class PlainChart : public ChartWindow {
 protected:
  void resizeEvent(QResizeEvent*) override { ResizePicture(); }
};

// A part of a larger client area, attached to a view of other scan lines,
// gets exactly the pixels that drawing the whole and cutting the part out
// would give, for every kind of shape, and nothing outside the part.
struct AttachCase {
  const char* name;
  void (*draw)(Canvas&);
};

void PrintTo(const AttachCase& c, std::ostream* os) { *os << c.name; }

class CanvasAttach : public testing::TestWithParam<AttachCase> {};

TEST_P(CanvasAttach, APartGetsThePixelsOfTheWhole) {
  constexpr int kWidth = 70;
  constexpr int kHeight = 60;
  Canvas whole = Blank(kWidth, kHeight);
  GetParam().draw(whole);
  // Parts of every position: a band across, one inside, one reaching past
  // the client area's corner.
  for (const QRect part : {QRect(0, 17, kWidth, 9), QRect(13, 31, 20, 11), QRect(55, 50, 30, 30)}) {
    // The part's view lies inside a larger picture, one pixel in from each
    // side; the border around it must stay untouched.
    QImage host(part.width() + 2, part.height() + 2, QImage::Format_RGB32);
    host.fill(qRgb(1, 2, 3));
    Canvas canvas;
    canvas.SetBackground(0);
    canvas.Attach(QImage(host.bits() + host.bytesPerLine() + 4, part.width(), part.height(), host.bytesPerLine(),
                         QImage::Format_RGB32),
                  part.topLeft());
    canvas.Clear();
    GetParam().draw(canvas);
    int differing = 0;
    for (int y = 0; y < host.height(); ++y) {
      for (int x = 0; x < host.width(); ++x) {
        const QPoint client = part.topLeft() + QPoint(x - 1, y - 1);
        const bool inside = x >= 1 && y >= 1 && x <= part.width() && y <= part.height();
        const QRgb p = host.pixel(x, y) & 0xFFFFFF;
        const int32_t packed = qRed(p) + 256 * qGreen(p) + 65536 * qBlue(p);
        // Beyond the whole's client area the part may hold more of a shape.
        if (inside && whole.PixelAt(client.x(), client.y()) < 0) continue;
        differing += packed != (inside ? whole.PixelAt(client.x(), client.y()) : 0x030201);
        if (inside) differing += canvas.PixelAt(client.x(), client.y()) != packed;
      }
    }
    EXPECT_EQ(differing, 0) << part.x() << "," << part.y();
  }
}

// Resize after Attach makes a picture of the canvas's own, even of the
// attached picture's size: clearing it must not reach the other scan lines.
TEST(CanvasAttachThenResize, LeavesTheAttachedLinesAlone) {
  QImage host(8, 4, QImage::Format_RGB32);
  host.fill(qRgb(9, 9, 9));
  Canvas canvas;
  canvas.SetBackground(kRed);
  canvas.Attach(QImage(host.bits(), 8, 4, host.bytesPerLine(), QImage::Format_RGB32), QPoint(0, 0));
  canvas.Resize(QSize(8, 4));
  canvas.FillRect(0.0f, 0.0f, 8.0f, 4.0f, kGreen);
  EXPECT_EQ(CoverOf(canvas, kGreen).count, 32);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(host.pixel(x, y), qRgb(9, 9, 9)) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CanvasAttach,
    testing::Values(AttachCase{"Bars",
                               [](Canvas& c) {
                                 c.SetPenWidth(3);
                                 for (int i = 0; i < 14; ++i)
                                   c.FillRect(5.0f * i, 59.5f, 5.0f * i + 5.0f, 40.3f - 2.6f * i, 0x102030 * (i + 1));
                               }},
                    AttachCase{"UprightLevelAndSlantedLines",
                               [](Canvas& c) {
                                 c.SetPenWidth(4);
                                 c.Line(10.4f, 2.0f, 10.4f, 58.0f, kRed);
                                 c.Line(0.0f, 21.5f, 69.0f, 21.5f, kGreen);
                                 c.SetPenWidth(2);
                                 c.Line(3.0f, 5.0f, 66.0f, 57.0f, kBlue);
                               }},
                    AttachCase{
                        "PieSectors",
                        [](Canvas& c) {
                          const PieSector fan[] = {{0.3f, 2.0f, kRed}, {2.0f, 4.4f, kGreen}, {4.4f, 6.58f, kBlue}};
                          c.FillPies(36.5f, 30.0f, 26.0f, fan);
                          c.FillPie(64.0f, 55.0f, 9.0f, 1.0f, 1.0f + kPi, 0x445566);
                        }}),
    [](const testing::TestParamInfo<AttachCase>& info) { return std::string(info.param.name); });

TEST(ChartWindowPicture, TheWindowShowsItsPictureAndKeepsItWhileHidden) {
  PlainChart chart;
  chart.resize(60, 50);
  chart.show();
  EXPECT_EQ(chart.Picture().ClientWidth(), 60);
  EXPECT_EQ(chart.Picture().ClientHeight(), 50);
  EXPECT_EQ(chart.LabelInfo()->geometry(), QRect(0, 0, 60, 17));
  EXPECT_EQ(chart.LabelInfo()->text(), "Velmora");

  chart.hide();
  chart.Picture().FillRect(10, 20, 30, 40, kGreen);
  chart.show();
  const QImage shown = chart.grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 20), QColor(0, 255, 0));
  EXPECT_EQ(shown.pixelColor(29, 39), QColor(0, 255, 0));
  EXPECT_EQ(shown.pixelColor(30, 40), QColor(0, 0, 0));

  chart.Clear();
  EXPECT_EQ(CoverOf(chart.Picture(), kGreen).count, 0);
}

}  // namespace
}  // namespace velmora
