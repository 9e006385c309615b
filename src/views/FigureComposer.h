#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <array>
#include <string>

#include "model/ModulePopulation.h"
#include "views/Canvas.h"

class QPainter;

namespace velmora {

// The year a figure shows: its place in the run, its population and rates,
// and their census.
struct FigureYear {
  int elapsed = 0;
  const WorldRecord* record = nullptr;
  CensusRecord census;
};
// The live year: World with Census at ElapsedYears (year 0 while no run is
// under way: before the first, and after Reset).
FigureYear LiveYear(const ModulePopulation& m);
// The year looked back at over the graph: WorldHistory(SelectedYear) with the
// census the look-back took (GraphCensus).
FigureYear LookedBackYear(const ModulePopulation& m);

// What a figure is made of besides the model.
struct FigureRequest {
  FigureYear year;
  // The chart windows' client sizes, information line included: the figure's
  // charts are drawn at exactly these sizes.
  QSize graphClient;
  QSize pyramidClient;
  QSize circleClient;
  std::string subject;  // where the data comes from (location and year), when known
  bool unData = true;   // shows the UN's credit line
};

// Where the parts of a figure lie, in logical pixels (density 1).
struct FigureLayout {
  QSize size;
  // The chart areas: each window's client area below its information line.
  QRect graph;
  QRect pyramid;
  QRect circle;
  // The boxes of the three shares written on the disc (children, adults,
  // elders); empty for a group without people.
  std::array<QRect, 3> shareBoxes;
  QRect legend;
};

// The labelled figure of one year: the three charts drawn by the windows'
// own painters at the windows' sizes, with the axes, labels, the legend of
// the age colours, a title and the credit line around them. The charts are
// pictures (the windows' pixels, at the density asked for); everything the
// composer adds is drawn as vectors and text, so an SVG keeps them editable.
class FigureComposer {
 public:
  // Height of the information line that the chart areas leave out.
  static constexpr int kInformationLine = 17;

  FigureComposer(const ModulePopulation& m, FigureRequest request);

  const FigureLayout& Layout() const { return layout_; }
  std::string Title() const;
  std::string RatesLine() const;

  // The whole figure as a picture with density device pixels per logical
  // pixel (1 or more).
  QImage Render(int density) const;
  // The figure as PNG bytes at density; empty on failure.
  QByteArray Png(int density) const;
  // The figure as an SVG document: the texts and axes as text and lines, the
  // charts embedded as the windows' pixels (scaled without smoothing, so
  // they stay sharp); empty on failure.
  QByteArray Svg() const;

 private:
  // The canvases of the three charts, information line included.
  struct Charts {
    int density = 1;
    QImage graph;
    QImage pyramid;
    QImage circle;
  };
  // withGraph false leaves the graph's picture null (see PaintGraphRows).
  Charts DrawCharts(int density, bool withGraph = true) const;
  void PaintGraph(Canvas& canvas, int density) const;
  // The rows of the graph's chart area that fall in strip, the figure's
  // pixel rows from top on, drawn straight into it at density.
  void PaintGraphRows(QImage& strip, int top, int density) const;
  // The paper and the charts (those whose pictures are drawn), then all the
  // composer adds. cropped: hand the painter each chart area as a picture of
  // its own.
  void Paint(QPainter& painter, const Charts& charts, bool cropped) const;
  void PaintCharts(QPainter& painter, const Charts& charts, bool cropped) const;
  void PaintLabels(QPainter& painter) const;
  void PaintGraphAxes(QPainter& painter) const;
  void PaintPyramidAxes(QPainter& painter) const;
  void PaintShares(QPainter& painter) const;
  void PaintLegend(QPainter& painter) const;
  void PlaceParts();

  const ModulePopulation& m_;
  FigureRequest request_;
  FigureLayout layout_;
  QRect titleBox_;
  QRect ratesBox_;
  QRect graphHeading_;
  QRect pyramidHeading_;
  QRect circleHeading_;
  QRect creditBox_;
};

}  // namespace velmora
