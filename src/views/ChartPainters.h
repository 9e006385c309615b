#pragma once

#include <vector>

#include "model/Numbers.h"
#include "model/Records.h"
#include "views/Canvas.h"
#include "views/CircleSectors.h"
#include "views/PyramidGeometry.h"

namespace velmora {

// The chart shapes on any Canvas, with no window behind them: the chart
// windows draw through these, and so does the figure composer, so a saved
// figure holds the very pixels of the windows. Sizes are the ones the windows
// note at a resize (ViewSize) and the client height at the time of drawing;
// a figure at a higher pixel density passes them multiplied, and widens the
// pens by the same factor.

// The graph's drawing area: width W, drawing height H below the information
// line, and the client height the columns stand on.
struct GraphArea {
  int width = 0;
  int drawHeight = 0;
  double clientHeight = 0.0;
};

// The column of elapsed year column (0..100): a slice per age in the stacking
// order (the oldest at the bottom when oldestFirst), each as high as its
// people against fullScale, capped at full scale. With the canvas's current
// pen width. Gives whether anything could be drawn (a drawing height and a
// column that reaches into the picture).
bool PaintGraphColumn(Canvas& canvas, const GraphArea& area, int column, const WorldRecord& people, HeadCount fullScale,
                      bool oldestFirst);

// The width of the black band along the pyramid's axis that parts the sides.
inline constexpr int kPyramidAxisPenWidth = 7;

// What the pyramid's bars measure: the full scale of the head-count and rate
// contents and the rate period shown.
struct PyramidScale {
  HeadCount fullScale;
  int period = 0;
};

// One bar (a five-year class of one sex) and the axis segment beside it; the
// full scale the bar was measured against (10 for the relative content).
// density widens the axis band.
HeadCount PaintPyramidRow(Canvas& canvas, const PyramidGeometry& geometry, int ageClass, int sex, int content,
                          const WorldRecord& record, const CensusRecord& census, const PyramidScale& scale, float baseX,
                          int density = 1);
// The whole pyramid on a cleared canvas: every bar, then the black band that
// parts the two sides along the axis. Content outside -1..2 is Failure{5}.
void PaintPyramid(Canvas& canvas, const PyramidGeometry& geometry, int content, const WorldRecord& record,
                  const CensusRecord& census, const PyramidScale& scale, int density = 1);

// Where the age circle lies: centre and radius, from the drawing area w x h
// noted at the last resize, centred in the band above the bottom edge of a
// client clientHeight high.
struct Disc {
  float centreX = 0.0f;
  float centreY = 0.0f;
  float radius = 0.0f;
};
Disc CircleDisc(int width, int drawHeight, int clientHeight);
// The 100 sectors of people on the disc (sectors is scratch space reused
// between drawings). Nothing without people or without room for a disc;
// gives whether it drew.
bool PaintAgeCircle(Canvas& canvas, const Disc& disc, const CensusRecord& census, const WorldRecord& people,
                    std::vector<CircleSector>& sectors);

}  // namespace velmora
