#pragma once

#include "model/Numbers.h"
#include "model/Records.h"

namespace velmora {

// The layout that the pyramid's display and its editor share: where the
// twenty five-year rows lie, where the axis stands, and which row and side a
// pointer is on. W and H are the sizes noted at the last resize, SH the client
// height at the time of use.
class PyramidGeometry {
 public:
  // Height of the information band above the rows.
  static constexpr int kLabelBand = 20;
  // Half-width of the band around the middle where a pointer keeps its side.
  static constexpr float kDeadZone = 5.0f;
  // What RowAt gives for a pointer below the bottom row.
  static constexpr int kBelowRows = -1;

  PyramidGeometry(int width, int clientHeight, int drawHeight)
      : width_(width), clientHeight_(clientHeight), drawHeight_(drawHeight) {}

  int Width() const { return width_; }
  int ClientHeight() const { return clientHeight_; }
  int DrawHeight() const { return drawHeight_; }

  // Bottom and top edge of the row of a five-year class (class 0 at the bottom).
  double RowBottom(int ageClass) const;
  double RowTop(int ageClass) const;

  // The axis: the middle for population and death rates, the left edge for
  // birth rates, and for the relative view the men's share of the width so
  // that each sex fills its own part.
  float AxisX(int content, const CensusRecord& census) const;

  // The outer end of a bar of value/full on one side of the axis at baseX.
  // Births (content 1) have one bar that runs from the left edge over the
  // whole width. A full scale that is not positive draws no length.
  float BarOuterX(int sex, int content, float baseX, HeadCount value, HeadCount full) const;

  // Whether a pointer at height y is below the information band (and the
  // window has rows at all).
  bool Inside(float y) const;
  // The rows the pointer addresses: 99 single ages while the population is
  // edited by single years, otherwise 19 five-year classes.
  static int LastRow(int content, int singleYearInput);
  // The row (class or single age) under an inside pointer, counted from the
  // bottom; kBelowRows below the bottom row.
  int RowAt(float y, int lastRow) const;
  static int ClassOfRow(int row, int lastRow) { return lastRow == 99 ? row / 5 : row; }

  // The side under the pointer: births are the women's; the relative view
  // splits at the men's share (unknown without a positive total); the other
  // contents split at the middle with a dead zone in which editSex and
  // barFullX keep their values, so a drag across the axis does not flicker.
  void SideAt(float x, int content, const CensusRecord& census, Int16& editSex, float& barFullX) const;

 private:
  int width_;
  int clientHeight_;
  int drawHeight_;
};

// The figures behind a row.
// A sex's three age groups of a census added, in double precision: the group
// sums of an exploded census need not have a sum in range.
double SexTotal(const CensusRecord& census, int sex);
// The five ages of a class added (range-checked).
HeadCount ClassSum(const WorldRecord& record, int sex, int ageClass);
// The same, pinned to the end of the range that an unsummable class lies
// beyond, for bars that are capped anyway.
HeadCount PinnedClassSum(const WorldRecord& record, int sex, int ageClass);
// A rate or share as a head count, pinned to the ends of the range; a value
// that is not a number (a damaged rate table) is 0.
HeadCount PinnedValue(double value);

}  // namespace velmora
