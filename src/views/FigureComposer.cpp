#include "views/FigureComposer.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "model/AgeColour.h"
#include "model/Census.h"
#include "model/DataCredit.h"
#include "model/NumberText.h"
#include "views/ChartPainters.h"
#include "views/CircleSectors.h"
#include "views/FigureText.h"
#include "views/PngEncoder.h"
#include "views/PyramidCaptions.h"

namespace velmora {
namespace {

constexpr int kMargin = 24;
constexpr int kTitleHeight = 32;
constexpr int kRatesHeight = 22;
constexpr int kHeadingHeight = 24;
constexpr int kMarkerRow = 22;
constexpr int kScaleLabels = 112;  // room for "100,000,000" left of the graph
constexpr int kAgeLabels = 36;     // room for the ages left of the pyramid
constexpr int kColumnGap = 48;
constexpr int kAxisGap = 4;  // between a chart area and its axis line
constexpr int kTick = 6;
constexpr int kTickLabels = 22;
constexpr int kAxisCaption = 20;
constexpr int kSexRow = 20;
constexpr int kLegendCell = 5;  // pixels per age in the legend's bar
constexpr int kLegendHeight = 84;
constexpr int kCreditHeight = 20;
constexpr int kPyramidLabelBand = 20;
constexpr int kStripRows = 128;  // rows of the figure drawn and encoded at a time
constexpr std::array<const char*, 3> kGroupNames = {"年少", "生産年齢", "高齢"};
constexpr std::array<const char*, 3> kGroupAges = {"0-15歳", "16-64歳", "65-99歳"};
constexpr const char* kFontFamily = "ＭＳ Ｐゴシック";
const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);

QFont FigureFont(int pixels, bool bold = false) {
  QFont font(QString::fromUtf8(kFontFamily));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

QColor ColourOf(int32_t packed) { return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF); }

// A chart canvas drawn at density, as the window it stands for would be.
Canvas SizedCanvas(QSize client, int density) {
  Canvas canvas;
  canvas.SetBackground(0);
  canvas.Resize(client * density);
  return canvas;
}

// The chart area of a canvas: all but the information line.
QRect ChartArea(const QImage& image, int density) {
  const int band = FigureComposer::kInformationLine * density;
  return QRect(0, band, image.width(), std::max(0, image.height() - band));
}

void Line(QPainter& painter, double x0, double y0, double x1, double y1) {
  painter.drawLine(QPointF(x0, y0), QPointF(x1, y1));
}

// The value axis along a chart's left edge and the other along its bottom,
// a gap away from the chart; gives where the two lines run.
struct AxisLines {
  double x, y;
};
AxisLines PaintAxisLines(QPainter& painter, const QRect& area) {
  const double axisX = area.left() - kAxisGap - 0.5;
  const double axisY = area.top() + area.height() + kAxisGap + 0.5;
  painter.setPen(QPen(kInk, 1));
  Line(painter, axisX, area.top(), axisX, axisY);
  Line(painter, axisX, axisY, area.left() + area.width(), axisY);
  return {axisX, axisY};
}

// Text in box, unless box lies far from the part of the figure that the
// painter's picture holds: a figure drawn in strips lays out only the texts
// of each strip (and those of the strips next to it, a text may reach past
// its box). Other devices get every text.
template <typename Box>
void Write(QPainter& painter, const Box& box, int flags, const QString& text) {
  const QPaintDevice* device = painter.device();
  if (device != nullptr && device->devType() == QInternal::Image) {
    constexpr double kReach = 64.0;
    const QRectF held = painter.transform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
    if (!QRectF(box).adjusted(-kReach, -kReach, kReach, kReach).intersects(held)) return;
  }
  painter.drawText(box, flags, text);
}

// A label centred on x, its top at y.
void LabelBelow(QPainter& painter, double x, double y, const QString& text) {
  const int width = painter.fontMetrics().horizontalAdvance(text) + 4;
  Write(painter, QRectF(x - width / 2.0, y, width, kTickLabels), Qt::AlignHCenter | Qt::AlignTop, text);
}

}  // namespace

// Reset leaves ElapsedYears as it was but restores the start and clears the
// graph: an idle model shows year 0.
FigureYear LiveYear(const ModulePopulation& m) {
  return {m.RunState == kIdle ? 0 : int{m.ElapsedYears}, &m.World, m.Census};
}

FigureYear LookedBackYear(const ModulePopulation& m) {
  return {m.SelectedYear, &m.WorldHistory[m.SelectedYear], m.GraphCensus};
}

FigureComposer::FigureComposer(const ModulePopulation& m, FigureRequest request) : m_(m), request_(std::move(request)) {
  if (request_.year.record == nullptr) throw Failure{kInvalidCall};
  // The subject may come from file names: control bytes would break the
  // title's line and the SVG's XML.
  for (char& c : request_.subject) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  PlaceParts();
}

void FigureComposer::PlaceParts() {
  const QSize graph = request_.graphClient.expandedTo(QSize(1, kInformationLine + 1));
  const QSize pyramid = request_.pyramidClient.expandedTo(QSize(1, kInformationLine + 1));
  const QSize circle = request_.circleClient.expandedTo(QSize(1, kInformationLine + 1));
  request_.graphClient = graph;
  request_.pyramidClient = pyramid;
  request_.circleClient = circle;

  titleBox_ = QRect(kMargin, kMargin, 0, kTitleHeight);
  ratesBox_ = QRect(kMargin, titleBox_.bottom() + 1, 0, kRatesHeight);
  const int chartsTop = ratesBox_.bottom() + 1 + 14;

  // The graph on the left, its scale to its left.
  const int graphLeft = kMargin + kScaleLabels;
  graphHeading_ = QRect(graphLeft, chartsTop, graph.width(), kHeadingHeight);
  layout_.graph =
      QRect(graphLeft, graphHeading_.bottom() + 1 + kMarkerRow, graph.width(), graph.height() - kInformationLine);
  const int graphBottom = layout_.graph.bottom() + 1 + kAxisGap + kTick + kTickLabels + kAxisCaption;

  // The pyramid above the circle on the right.
  const int rightLeft = layout_.graph.right() + 1 + kColumnGap + kAgeLabels;
  pyramidHeading_ = QRect(rightLeft, chartsTop, pyramid.width(), kHeadingHeight);
  layout_.pyramid =
      QRect(rightLeft, pyramidHeading_.bottom() + 1 + kSexRow, pyramid.width(), pyramid.height() - kInformationLine);
  const int pyramidBottom = layout_.pyramid.bottom() + 1 + kAxisGap + kTick + kTickLabels + kAxisCaption;
  circleHeading_ = QRect(rightLeft, pyramidBottom + 12, circle.width(), kHeadingHeight);
  layout_.circle = QRect(rightLeft, circleHeading_.bottom() + 1, circle.width(), circle.height() - kInformationLine);
  const int rightWidth = std::max(pyramid.width(), circle.width());

  const int chartsBottom = std::max(graphBottom, layout_.circle.bottom() + 1);
  layout_.legend = QRect(graphLeft, chartsBottom + 16, 100 * kLegendCell + 160, kLegendHeight);
  int bottom = layout_.legend.bottom() + 1;
  if (request_.unData) {
    creditBox_ = QRect(kMargin, bottom + 8, 0, kCreditHeight);
    bottom = creditBox_.bottom() + 1;
  }
  const int width = rightLeft + rightWidth + kMargin;
  layout_.size = QSize(width, bottom + kMargin);
  titleBox_.setWidth(width - 2 * kMargin);
  ratesBox_.setWidth(width - 2 * kMargin);
  creditBox_.setWidth(width - 2 * kMargin);

  // The shares written on the disc, each at the middle of its group's arc.
  const CensusRecord& census = request_.year.census;
  if (census.Total > HeadCount()) {
    const QSize c = request_.circleClient;
    const Disc disc = CircleDisc(c.width(), c.height() - kInformationLine, c.height());
    const QFontMetrics metrics(FigureFont(13, true));
    const double total = census.Total.ToDouble();
    double before = 0.0;
    for (int group = 0; group < kAgeGroups; ++group) {
      const double share = (census.GroupSum(0, group).ToDouble() + census.GroupSum(1, group).ToDouble()) / total;
      // Sectors run clockwise from 12 o'clock, children first.
      const double angle = 3.14159265358979 / 2.0 - 2.0 * 3.14159265358979 * (before + share / 2.0);
      before += share;
      if (!(share > 0.0) || !(disc.radius > 0.0f)) continue;
      const QString text =
          QString::fromUtf8(kGroupNames[group]) + " " + Text(FloatText(AgeGroupShare(census, group))) + "%";
      const QSize box(metrics.horizontalAdvance(text) + 10, metrics.height() + 4);
      const double x = layout_.circle.left() + disc.centreX + 0.62 * disc.radius * std::cos(angle);
      const double y = layout_.circle.top() + disc.centreY - kInformationLine - 0.62 * disc.radius * std::sin(angle);
      QRect rect(static_cast<int>(std::lround(x - box.width() / 2.0)),
                 static_cast<int>(std::lround(y - box.height() / 2.0)), box.width(), box.height());
      layout_.shareBoxes[group] = rect & layout_.circle;
    }
  }
}

std::string FigureComposer::Title() const {
  FigureTitle title;
  title.subject = request_.subject;
  title.startYear = m_.StartYear;
  title.elapsed = request_.year.elapsed;
  return TitleLine(title);
}

std::string FigureComposer::RatesLine() const {
  const FigureYear& year = request_.year;
  const WorldRecord& record = *year.record;
  FigureTitle title;
  title.startYear = m_.StartYear;
  title.elapsed = year.elapsed;
  title.total = year.census.Total;
  title.elderRatio = year.census.ElderRatio;
  // The rates of the year's five-year period, as the controller shows them.
  const Int16 period = Int16(std::clamp(year.elapsed / 5, 0, 20));
  title.fertilityRate = FertilityRate(period, record);
  try {
    title.meanDeathRate = MeanDeathRate(year.census.Total, period, record);
  } catch (const Failure&) {
    title.meanDeathRate = -1.0f;  // expected deaths beyond the range: nothing to measure
  }
  title.birthsVariation = record.VariationFunc(0);
  title.deathsVariation = record.VariationFunc(1);
  return velmora::RatesLine(title);
}

// The graph: every column of the run so far, as the yearly step drew them.
void FigureComposer::PaintGraph(Canvas& canvas, int density) const {
  const QSize client = request_.graphClient;
  canvas.SetPenWidth(3 * density);
  const GraphArea area{client.width() * density, (client.height() - kInformationLine) * density,
                       static_cast<double>(client.height() * density)};
  // An idle model has no run on the graph (none yet, or Reset cleared it).
  const int lastColumn = m_.RunState == kIdle ? 0 : int{m_.ElapsedYears};
  for (int column = 1; column <= lastColumn; ++column) {
    PaintGraphColumn(canvas, area, column, m_.WorldHistory[column], m_.Capacity, m_.GraphAgeOrder == 0);
  }
}

void FigureComposer::PaintGraphRows(QImage& strip, int top, int density) const {
  // The graph's chart area in the figure's pixels, and its rows in the strip.
  const QRect area(layout_.graph.topLeft() * density, layout_.graph.size() * density);
  const int first = std::max(top, area.top());
  const int last = std::min(top + strip.height(), area.top() + area.height());
  if (first >= last || area.width() < 1) return;
  // The scan lines of those rows, seen as a picture of their own: a part of
  // the graph canvas's client area, from its row below the information line
  // that the strip's first graph row shows.
  uchar* const lines = strip.bits() + (first - top) * strip.bytesPerLine() + area.left() * 4;
  Canvas canvas;
  canvas.SetBackground(0);
  canvas.Attach(QImage(lines, area.width(), last - first, strip.bytesPerLine(), QImage::Format_RGB32),
                QPoint(0, kInformationLine * density + first - area.top()));
  canvas.Clear();
  PaintGraph(canvas, density);
}

FigureComposer::Charts FigureComposer::DrawCharts(int density, bool withGraph) const {
  const FigureYear& year = request_.year;
  Charts charts;
  charts.density = density;

  if (withGraph) {
    Canvas canvas = SizedCanvas(request_.graphClient, density);
    PaintGraph(canvas, density);
    charts.graph = canvas.Image();
  }
  {
    const QSize client = request_.pyramidClient;
    Canvas canvas = SizedCanvas(client, density);
    const PyramidGeometry geometry(client.width() * density, client.height() * density,
                                   (client.height() - kPyramidLabelBand) * density);
    PaintPyramid(canvas, geometry, m_.PyramidContent, *year.record, year.census, {m_.FullScale, EditedPeriod(m_)},
                 density);
    charts.pyramid = canvas.Image();
  }
  {
    const QSize client = request_.circleClient;
    Canvas canvas = SizedCanvas(client, density);
    std::vector<CircleSector> sectors;
    const Disc disc =
        CircleDisc(client.width() * density, (client.height() - kInformationLine) * density, client.height() * density);
    PaintAgeCircle(canvas, disc, year.census, *year.record, sectors);
    charts.circle = canvas.Image();
  }
  return charts;
}

void FigureComposer::Paint(QPainter& painter, const Charts& charts, bool cropped) const {
  PaintCharts(painter, charts, cropped);
  PaintLabels(painter);
}

void FigureComposer::PaintCharts(QPainter& painter, const Charts& charts, bool cropped) const {
  painter.fillRect(QRect(QPoint(0, 0), layout_.size), kPaper);
  for (const auto& [area, image] :
       {std::pair{layout_.graph, &charts.graph}, std::pair{layout_.pyramid, &charts.pyramid},
        std::pair{layout_.circle, &charts.circle}}) {
    if (image->isNull()) continue;  // drawn straight into the figure
    const QRect source = ChartArea(*image, charts.density);
    // A picture to an SVG is written whole, as PNG: it gets only the chart
    // area, in a colour table (the same pixels, a quarter of the time to
    // encode and a smaller file). The raster painter copies the area straight
    // from the canvas.
    if (cropped) {
      painter.drawImage(area, WithPalette(*image, source));
    } else {
      painter.drawImage(QRectF(area), *image, QRectF(source));
    }
  }
}

void FigureComposer::PaintLabels(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(kInk);
  painter.setFont(FigureFont(22, true));
  Write(painter, titleBox_, Qt::AlignLeft | Qt::AlignVCenter, Text(Title()));
  painter.setFont(FigureFont(14));
  Write(painter, ratesBox_, Qt::AlignLeft | Qt::AlignVCenter, Text(RatesLine()));

  painter.setFont(FigureFont(15, true));
  Write(painter, graphHeading_, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("総人口と構成表示"));
  const int content = m_.PyramidContent;
  const char* what = content == kContentBirths   ? pyramid_text::kTitleContent[1]
                     : content == kContentDeaths ? pyramid_text::kTitleContent[2]
                                                 : pyramid_text::kTitleContent[0];
  QString pyramidTitle = QString::fromUtf8(pyramid_text::kTitleStem) + QString::fromUtf8(what);
  if (content == kContentRelative)
    pyramidTitle += QString::fromUtf8("（") + QString::fromUtf8(pyramid_text::kCaptionAbs) + QString::fromUtf8("）");
  Write(painter, pyramidHeading_, Qt::AlignLeft | Qt::AlignVCenter, pyramidTitle);
  Write(painter, circleHeading_, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("年齢構成比"));

  PaintGraphAxes(painter);
  PaintPyramidAxes(painter);
  PaintShares(painter);
  PaintLegend(painter);
  if (request_.unData) {
    painter.setPen(kInk);
    painter.setFont(FigureFont(12));
    Write(painter, creditBox_, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(kDataCredit));
  }
}

void FigureComposer::PaintGraphAxes(QPainter& painter) const {
  const QRect area = layout_.graph;
  const double left = area.left();
  const double bottom = area.top() + area.height();
  const auto [axisX, axisY] = PaintAxisLines(painter, area);

  // Population, up to the full scale in use.
  painter.setFont(FigureFont(12));
  const HeadCount full = m_.Capacity;
  const std::vector<HeadCount> marks = ScaleMarks(full);
  const double fullY = area.top();
  for (const HeadCount mark : marks) {
    const double y = bottom - area.height() * (mark.ToDouble() / full.ToDouble());
    Line(painter, axisX - kTick, y, axisX, y);
    // A round mark just under the full scale would print over its label.
    if (mark != full && y - fullY < 16.0) continue;
    Write(painter, QRectF(kMargin, y - 9, axisX - kTick - 4 - kMargin, 18), Qt::AlignRight | Qt::AlignVCenter,
          Text(FormatThousands(mark)));
  }
  Write(painter, QRectF(kMargin, graphHeading_.top(), kScaleLabels - 8, kHeadingHeight),
        Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("人口（人）"));

  // The run's years, a mark every ten: year c's column ends at W c / 100.
  for (int c = 0; c <= 100; c += 10) {
    const double x = left + area.width() * c / 100.0;
    Line(painter, x, axisY, x, axisY + kTick);
    LabelBelow(painter, x, axisY + kTick, QString::number(m_.StartYear + c));
  }
  Write(painter, QRectF(left, axisY + kTick + kTickLabels, area.width(), kAxisCaption), Qt::AlignHCenter | Qt::AlignTop,
        QString::fromUtf8("西暦（年）"));

  // The year shown: a mark above its column.
  const int c = request_.year.elapsed;
  const double x = c >= 1 ? left + area.width() * (c - 0.5) / 100.0 : left;
  const double tip = area.top() - 2.0;
  QPainterPath triangle;
  triangle.moveTo(x, tip);
  triangle.lineTo(x - 6, tip - 9);
  triangle.lineTo(x + 6, tip - 9);
  triangle.closeSubpath();
  painter.fillPath(triangle, QColor(200, 30, 30));
  painter.setFont(FigureFont(13, true));
  const QString year = QString::number(m_.StartYear + c) + QString::fromUtf8("年");
  const int width = painter.fontMetrics().horizontalAdvance(year) + 4;
  const double labelLeft = std::clamp(x + 9, left, left + area.width() - width);
  Write(painter, QRectF(labelLeft, tip - kMarkerRow + 2, width, kMarkerRow - 4), Qt::AlignLeft | Qt::AlignVCenter,
        year);
}

void FigureComposer::PaintPyramidAxes(QPainter& painter) const {
  const QRect area = layout_.pyramid;
  const QSize client = request_.pyramidClient;
  const PyramidGeometry geometry(client.width(), client.height(), client.height() - kPyramidLabelBand);
  const int content = m_.PyramidContent;
  const double left = area.left();
  const auto [axisX, axisY] = PaintAxisLines(painter, area);

  // Ages: the five-year classes' edges, numbered every ten years.
  painter.setFont(FigureFont(11));
  for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
    const double y = area.top() + geometry.RowBottom(ageClass) - kInformationLine;
    Line(painter, axisX - (ageClass % 2 == 0 ? kTick : 3), y, axisX, y);
    if (ageClass % 2 == 0) {
      Write(painter, QRectF(axisX - kAgeLabels, y - 8, kAgeLabels - kTick - 2, 16), Qt::AlignRight | Qt::AlignVCenter,
            QString::number(5 * ageClass));
    }
  }
  painter.setFont(FigureFont(12));
  Write(painter, QRectF(axisX - kAgeLabels, pyramidHeading_.bottom() + 1, kAgeLabels, kSexRow),
        Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8("年齢"));

  // Values: 0 at the axis, half and full scale on each side.
  const float axis = geometry.AxisX(content, request_.year.census);
  const HeadCount full = content == kContentRelative ? HeadCount::FromPersons(10) : m_.FullScale;
  auto valueText = [&](double fraction) {
    if (content == kContentRelative) return Text(FloatText(static_cast<float>(10.0 * fraction))) + "%";
    return Text(FormatThousands(HeadCount::FromDouble(full.ToDouble() * fraction)));
  };
  struct Side {
    double from;
    double length;
    const char* label;
  };
  std::vector<Side> sides;
  if (content == kContentBirths) {
    sides.push_back({0.0, static_cast<double>(client.width()), "女"});
  } else {
    sides.push_back({axis, -static_cast<double>(axis), "男"});
    sides.push_back({axis, client.width() - static_cast<double>(axis), "女"});
  }
  painter.setFont(FigureFont(11));
  for (const Side& side : sides) {
    for (const double fraction : {0.0, 0.5, 1.0}) {
      const double x = left + side.from + side.length * fraction;
      Line(painter, x, axisY, x, axisY + kTick);
      if (fraction > 0.0 || &side == &sides.front()) LabelBelow(painter, x, axisY + kTick, valueText(fraction));
    }
  }
  painter.setFont(FigureFont(14, true));
  for (const Side& side : sides) {
    const double middle = left + side.from + side.length / 2.0;
    Write(painter, QRectF(middle - 40, pyramidHeading_.bottom() + 1, 80, kSexRow), Qt::AlignCenter,
          QString::fromUtf8(side.label));
  }
  static constexpr std::array<const char*, 4> kUnits = {"人口（人）", "各性の総数に占める割合（%）",
                                                        "出生数／1000（女性）", "死亡数／100,000"};
  painter.setFont(FigureFont(12));
  Write(painter, QRectF(left, axisY + kTick + kTickLabels, area.width(), kAxisCaption), Qt::AlignHCenter | Qt::AlignTop,
        QString::fromUtf8(kUnits[std::clamp(content + 1, 0, 3)]));
}

void FigureComposer::PaintShares(QPainter& painter) const {
  const CensusRecord& census = request_.year.census;
  painter.setFont(FigureFont(13, true));
  for (int group = 0; group < kAgeGroups; ++group) {
    const QRect box = layout_.shareBoxes[group];
    if (box.isEmpty()) continue;
    painter.save();
    painter.setClipRect(box);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(box, QColor(0, 0, 0, 170));
    painter.setPen(Qt::white);
    Write(painter, box, Qt::AlignCenter,
          QString::fromUtf8(kGroupNames[group]) + " " + Text(FloatText(AgeGroupShare(census, group))) + "%");
    painter.restore();
  }
}

void FigureComposer::PaintLegend(QPainter& painter) const {
  const QRect legend = layout_.legend;
  painter.setPen(kInk);
  painter.setFont(FigureFont(13, true));
  Write(painter, QRect(legend.left(), legend.top(), legend.width(), 20), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8("年齢の色（三つの図に共通）"));
  const int barTop = legend.top() + 22;
  const int barHeight = 16;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int age = 0; age < kAges; ++age) {
    painter.fillRect(QRect(legend.left() + age * kLegendCell, barTop, kLegendCell, barHeight),
                     ColourOf(AgeColour(age)));
  }
  painter.restore();
  // The ends, and where the census's age groups meet.
  painter.setPen(QPen(kInk, 1));
  painter.setFont(FigureFont(11));
  const double barBottom = barTop + barHeight;
  struct Mark {
    double x;
    const char* text;
  };
  const double l = legend.left();
  for (const Mark& mark : {Mark{l + kLegendCell / 2.0, "0"}, Mark{l + 16.0 * kLegendCell, "15/16"},
                           Mark{l + 65.0 * kLegendCell, "64/65"}, Mark{l + 99.5 * kLegendCell, "99"}}) {
    Line(painter, mark.x, barBottom, mark.x, barBottom + 5);
    LabelBelow(painter, mark.x, barBottom + 5, QString::fromUtf8(mark.text));
  }
  painter.setFont(FigureFont(12));
  const std::array<std::pair<int, int>, 3> spans = {{{0, 16}, {16, 65}, {65, 100}}};
  for (int group = 0; group < kAgeGroups; ++group) {
    const double from = l + spans[group].first * kLegendCell;
    const double to = l + spans[group].second * kLegendCell;
    Write(painter, QRectF(from, barBottom + 5 + kTickLabels, to - from, 18), Qt::AlignHCenter | Qt::AlignTop,
          QString::fromUtf8(kGroupNames[group]) + QString::fromUtf8(kGroupAges[group]));
  }
}

QImage FigureComposer::Render(int density) const {
  density = std::max(density, 1);
  const Charts charts = DrawCharts(density);
  QImage image(layout_.size * density, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.scale(density, density);
  Paint(painter, charts, false);
  painter.end();
  return image;
}

QByteArray FigureComposer::Png(int density) const {
  density = std::max(density, 1);
  // The figure at twice the density is tens of megabytes, its graph alone a
  // third of that: it is drawn a strip at a time into two small pictures in
  // turn (one is drawn while the other is encoded), the graph's columns
  // straight into the strip. The same pixels as Render's, without first
  // touching all that memory.
  const Charts charts = DrawCharts(density, false);
  const QSize size = layout_.size * density;
  std::array<QImage, 2> strips;
  const auto painterOn = [&](QPainter& painter, int top) {
    painter.translate(0, -top);
    painter.scale(density, density);
  };
  return EncodePngInStrips(size, kStripRows, [&](int top, int) -> const QImage& {
    QImage& strip = strips[(top / kStripRows) % 2];
    if (strip.isNull()) strip = QImage(size.width(), std::min(kStripRows, size.height()), QImage::Format_RGB32);
    if (strip.isNull()) return strip;
    {
      QPainter painter(&strip);
      painterOn(painter, top);
      PaintCharts(painter, charts, false);
    }
    PaintGraphRows(strip, top, density);
    QPainter painter(&strip);
    painterOn(painter, top);
    PaintLabels(painter);
    return strip;
  });
}

QByteArray FigureComposer::Svg() const {
  const Charts charts = DrawCharts(1);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(layout_.size);
  generator.setViewBox(QRect(QPoint(0, 0), layout_.size));
  generator.setTitle(Text(Title()));
  generator.setDescription(Text(RatesLine()));
  QPainter painter;
  if (!painter.begin(&generator)) return {};
  Paint(painter, charts, true);
  if (!painter.end()) return {};
  return bytes;
}

}  // namespace velmora
