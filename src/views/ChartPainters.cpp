#include "views/ChartPainters.h"

#include <algorithm>

#include "model/AgeColour.h"
#include "model/ModulePopulation.h"

namespace velmora {
namespace {

constexpr int32_t kBlack = 0;
constexpr int kAxisPenWidth = kPyramidAxisPenWidth;

// A population whose running sum leaves the head-count range (a census that
// has exploded, restored by Reset or shown again by a resize) is far beyond
// any full scale: the sum stops at the range's end instead of failing.
HeadCount SaturatingSum(HeadCount a, HeadCount b) {
  try {
    return a + b;
  } catch (const Failure&) {
    return b > HeadCount() ? HeadCount::Max() : -HeadCount::Max();
  }
}

}  // namespace

bool PaintGraphColumn(Canvas& canvas, const GraphArea& area, int column, const WorldRecord& people, HeadCount fullScale,
                      bool oldestFirst) {
  const int w = area.width;
  const int h = area.drawHeight;
  const float x0 = static_cast<float>(w / 100.0 * (column - 1));
  const float x1 = static_cast<float>(w / 100.0 * column);
  // A column that ends at the left edge (column 0, the year a Reset draws)
  // lies wholly outside the picture: a wide pen must not pull it in.
  if (h <= 0 || !(x1 > 0.0f)) return false;
  const double clientHeight = area.clientHeight;
  const float fullTop = static_cast<float>(clientHeight - h);
  float top = static_cast<float>(clientHeight);
  HeadCount sum;
  for (int i = 0; i < kAges; ++i) {
    const int age = oldestFirst ? kAges - 1 - i : i;
    const float bottom = top;
    sum = SaturatingSum(SaturatingSum(sum, people.People(0, age)), people.People(1, age));
    if (!(sum < fullScale)) {
      top = fullTop;
    } else if (fullScale > HeadCount()) {
      top = static_cast<float>(clientHeight - h * sum.ToDouble() / fullScale.ToDouble());
    } else {
      // Below a full scale of zero or less there is nothing to measure
      // against: the slice stays on the bottom edge.
      top = static_cast<float>(clientHeight);
    }
    canvas.FillRect(x0, bottom, x1, top, AgeColour(age));
  }
  return true;
}

HeadCount PaintPyramidRow(Canvas& canvas, const PyramidGeometry& geometry, int ageClass, int sex, int content,
                          const WorldRecord& record, const CensusRecord& census, const PyramidScale& scale, float baseX,
                          int density) {
  HeadCount value;
  HeadCount full = scale.fullScale;
  switch (content) {
    case kContentPopulation:
      value = PinnedClassSum(record, sex, ageClass);
      break;
    case kContentRelative: {
      // The class's share of its sex in percent; 10 percent fills the side.
      const double sexTotal = SexTotal(census, sex);
      value = PinnedClassSum(record, sex, ageClass);
      if (sexTotal > 0.0) value = PinnedValue(value.ToDouble() / sexTotal * 100.0);
      full = HeadCount::FromPersons(10);
      break;
    }
    case kContentBirths:
      value = PinnedValue(record.BirthRate(scale.period, ageClass));
      break;
    case kContentDeaths:
      value = PinnedValue(record.DeathRate(scale.period, sex, ageClass));
      break;
    default:
      throw Failure{kInvalidCall};
  }
  if (value > full) value = full;

  const float outer = geometry.BarOuterX(sex, content, baseX, value, full);
  const auto bottom = static_cast<float>(geometry.RowBottom(ageClass));
  const auto top = static_cast<float>(geometry.RowTop(ageClass));
  canvas.FillRect(baseX, bottom, outer, top, AgeColour(Int16(5 * ageClass)));
  canvas.SetPenWidth(kAxisPenWidth * density);
  canvas.Line(baseX, bottom, baseX, top, kBlack);
  canvas.SetPenWidth(1);
  return full;
}

void PaintPyramid(Canvas& canvas, const PyramidGeometry& geometry, int content, const WorldRecord& record,
                  const CensusRecord& census, const PyramidScale& scale, int density) {
  if (content < kContentPopulation || content > kContentDeaths) throw Failure{kInvalidCall};
  canvas.Clear();
  canvas.SetPenWidth(1);
  const float axis = geometry.AxisX(content, census);
  for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
    PaintPyramidRow(canvas, geometry, ageClass, 0, content, record, census, scale, axis, density);
    // Births are one bar per class.
    if (content != kContentBirths) {
      PaintPyramidRow(canvas, geometry, ageClass, 1, content, record, census, scale, axis, density);
    }
  }
  // A black band along the axis parts the two sides.
  canvas.SetPenWidth(kAxisPenWidth * density);
  canvas.Line(axis, 0.0f, axis, static_cast<float>(geometry.ClientHeight()), kBlack);
  canvas.SetPenWidth(1);
}

Disc CircleDisc(int width, int drawHeight, int clientHeight) {
  return {static_cast<float>(width / 2.0), static_cast<float>(clientHeight - drawHeight / 2.0),
          static_cast<float>(0.95 * std::min(width, drawHeight) / 2.0)};
}

bool PaintAgeCircle(Canvas& canvas, const Disc& disc, const CensusRecord& census, const WorldRecord& people,
                    std::vector<CircleSector>& sectors) {
  if (census.Total <= HeadCount() || !(disc.radius > 0.0f)) return false;
  PlanAgeCircle(census, people, sectors);
  canvas.SetPenWidth(1);
  canvas.FillPies(disc.centreX, disc.centreY, disc.radius, sectors);
  return true;
}

}  // namespace velmora
