#include "views/PyramidGeometry.h"

#include <cmath>

#include "model/ModulePopulation.h"

namespace velmora {

double SexTotal(const CensusRecord& census, int sex) {
  double total = 0.0;
  for (int group = 0; group < kAgeGroups; ++group) total += census.GroupSum(sex, group).ToDouble();
  return total;
}

HeadCount ClassSum(const WorldRecord& record, int sex, int ageClass) {
  HeadCount sum;
  for (int age = 5 * ageClass; age < 5 * ageClass + 5; ++age) sum += record.People(sex, age);
  return sum;
}

HeadCount PinnedClassSum(const WorldRecord& record, int sex, int ageClass) {
  try {
    return ClassSum(record, sex, ageClass);
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
  }
  double sum = 0.0;
  for (int age = 5 * ageClass; age < 5 * ageClass + 5; ++age) sum += record.People(sex, age).ToDouble();
  return sum > 0.0 ? HeadCount::Max() : -HeadCount::Max();
}

double PyramidGeometry::RowBottom(int ageClass) const { return clientHeight_ - drawHeight_ / 20.0 * ageClass; }

double PyramidGeometry::RowTop(int ageClass) const { return clientHeight_ - drawHeight_ / 20.0 * (ageClass + 1); }

float PyramidGeometry::AxisX(int content, const CensusRecord& census) const {
  const float middle = static_cast<float>(width_) / 2.0f;
  switch (content) {
    case kContentBirths:
      return 0.0f;
    case kContentRelative:
      if (census.Total > HeadCount()) {
        return static_cast<float>(width_ * SexTotal(census, 0) / census.Total.ToDouble());
      }
      return middle;
    default:
      return middle;
  }
}

float PyramidGeometry::BarOuterX(int sex, int content, float baseX, HeadCount value, HeadCount full) const {
  double length;
  if (sex == 1) {
    length = width_ - static_cast<double>(baseX);
  } else {
    length = content == kContentBirths ? width_ : static_cast<double>(baseX);
  }
  const double fraction = full > HeadCount() ? value.ToDouble() / full.ToDouble() : 0.0;
  // The absolute value keeps a negative bar's end right of the left edge.
  const double outer = sex == 1 ? baseX + length * fraction : baseX - length * fraction;
  return static_cast<float>(std::fabs(outer));
}

bool PyramidGeometry::Inside(float y) const { return drawHeight_ > 0 && y - static_cast<float>(kLabelBand) > 0.0f; }

int PyramidGeometry::LastRow(int content, int singleYearInput) {
  return content <= kContentRelative && singleYearInput == 1 ? 99 : 19;
}

int PyramidGeometry::RowAt(float y, int lastRow) const {
  // Single precision, as the rows are laid out.
  const float scaled =
      (y - static_cast<float>(kLabelBand)) / static_cast<float>(drawHeight_) * static_cast<float>(lastRow + 1);
  const float fromTop = std::floor(scaled);
  // A pointer captured far below the window must not overflow the row index.
  if (!(fromTop <= static_cast<float>(lastRow))) return kBelowRows;
  if (fromTop < 0.0f) return lastRow;  // above the rows: only for pointers that are not inside
  return lastRow - static_cast<int>(fromTop);
}

void PyramidGeometry::SideAt(float x, int content, const CensusRecord& census, Int16& editSex, float& barFullX) const {
  switch (content) {
    case kContentBirths:
      editSex = 1;
      return;
    case kContentRelative:
      if (census.Total > HeadCount()) editSex = x < AxisX(kContentRelative, census) ? 0 : 1;
      return;
    default: {
      const float middle = static_cast<float>(width_) / 2.0f;
      if (x < middle - kDeadZone) {
        editSex = 0;
        barFullX = 0.0f;
      } else if (x > middle + kDeadZone) {
        editSex = 1;
        barFullX = static_cast<float>(width_);
      }
      return;
    }
  }
}

HeadCount PinnedValue(double value) {
  if (std::isnan(value)) return HeadCount();
  if (value >= HeadCount::Max().ToDouble()) return HeadCount::Max();
  if (value <= -HeadCount::Max().ToDouble()) return -HeadCount::Max();
  return HeadCount::FromDouble(value);
}

}  // namespace velmora
