#include "views/PyramidEditor.h"

#include <QString>
#include <cmath>
#include <string>

#include "model/Census.h"
#include "platform/Platform.h"
#include "views/PyramidEditorHost.h"
#include "views/PyramidGeometry.h"
#include "views/PyramidReadout.h"
#include "views/ShownYear.h"

namespace velmora {
namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kShift = 1;

// value / 5 rounded to four decimals; the remainder is never a half.
HeadCount FifthOf(HeadCount value) {
  int64_t quotient = value.Raw() / 5;
  const int64_t remainder = value.Raw() % 5;
  if (remainder >= 3) ++quotient;
  if (remainder <= -3) --quotient;
  return HeadCount::FromRaw(quotient);
}

}  // namespace

PyramidEditor::PyramidEditor(PyramidEditorHost& view, ModulePopulation& model, ModelDisplay& display,
                             FrameServices& frame)
    : view_(view), m_(model), display_(display), frame_(frame) {}

void PyramidEditor::MouseDown(int button, int shift, float x, float y) {
  if (button == kLeft) {
    leftButtonDown_ = 1;
    if (m_.PyramidContent == kContentRelative && Stopped()) AutoScale();
    const float width = static_cast<float>(m_.ViewSize[2]);
    if (m_.PyramidContent == kContentPopulation || m_.PyramidContent == kContentDeaths) {
      m_.BarBaseX = width / 2.0f;
    } else if (m_.PyramidContent == kContentBirths) {
      m_.BarBaseX = 0.0f;
      m_.BarFullX = width;
    }
    // While the clock is stopped the readout follows the year that an edit
    // writes, so that it shows the bar under the pointer; during a run the
    // press looks at year 0.
    m_.SelectedYear = Int16(Stopped() ? LiveElapsed(m_) : 0);
    // The press itself changes no value; the first move with the button held does.
    return;
  }
  if (button != kRight) return;
  if (leftButtonDown_ == 1) {
    StepScale(shift);
  } else {
    CycleContent();
  }
  MouseMove(button, shift, x, y);
}

void PyramidEditor::AutoScale() {
  HeadCount largest;
  for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
    for (int sex = 0; sex < kSexes; ++sex) {
      // A class beyond the range asks for the largest scale anyway.
      const HeadCount sum = PinnedClassSum(m_.World, sex, ageClass);
      if (sum > largest) largest = sum;
    }
  }
  int decade = 0;
  if (largest > HeadCount()) {
    decade = static_cast<int>(std::floor(std::log(largest.ToDouble()) / std::log(10.0) + 0.5)) - 3;
  }
  if (decade < 0) decade = 0;
  if (decade > 6) decade = 6;

  m_.PyramidContent = kContentPopulation;
  // Base 25 for the small decades, 50 above; the two largest use the top item.
  if (decade <= 2) {
    view_.MenuScale_Click(decade);
    view_.MenuBaseScale_Click(1);
  } else if (decade <= 4) {
    view_.MenuScale_Click(decade);
    view_.MenuBaseScale_Click(2);
  } else if (decade == 5) {
    view_.MenuScale_Click(6);
    view_.MenuBaseScale_Click(0);
  } else {
    view_.MenuScale_Click(6);
    view_.MenuBaseScale_Click(2);
  }
  view_.MenuPeople_Click(1);
}

void PyramidEditor::StepScale(int shift) {
  const int k = view_.CheckedScale();
  const HeadCount base = m_.BaseScale;
  const int content = m_.PyramidContent;
  const auto isBase = [&base](int persons) { return base == HeadCount::FromPersons(persons); };
  if (shift == kShift) {
    // One step smaller: 50 -> 25 -> 10 within a decade, then a decade down,
    // and from the smallest scale round to the largest of the content.
    if (isBase(50)) {
      view_.MenuBaseScale_Click(1);
    } else if (isBase(25)) {
      view_.MenuBaseScale_Click(0);
    } else if (isBase(10)) {
      if (k > 0) {
        view_.MenuScale_Click(k - 1);
      } else if (content == kContentPopulation || content == kContentRelative) {
        view_.MenuBaseScale_Click(2);
        view_.MenuScale_Click(6);
      } else if (content == kContentBirths) {
        view_.MenuBaseScale_Click(0);
        view_.MenuScale_Click(1);
      } else if (content == kContentDeaths) {
        view_.MenuBaseScale_Click(0);
        view_.MenuScale_Click(3);
      }
    }
    return;
  }
  // One step larger; past the largest scale of the content round to 100.
  if (isBase(10)) {
    if ((content == kContentBirths && k == 1) || (content == kContentDeaths && k == 3)) {
      view_.MenuScale_Click(0);
    } else {
      view_.MenuBaseScale_Click(1);
    }
  } else if (isBase(25)) {
    view_.MenuBaseScale_Click(2);
  } else if (isBase(50)) {
    view_.MenuBaseScale_Click(0);
    view_.MenuScale_Click(k < 6 ? k + 1 : 0);
  }
}

void PyramidEditor::CycleContent() {
  int content = m_.PyramidContent + 1;
  if (content == 3) content = kContentPopulation;
  if (content == kContentRelative) content = kContentBirths;
  m_.PyramidContent = content;
  if (content == kContentPopulation) {
    view_.MenuPeople_Click(1);
  } else {
    view_.MenuMode_Click(content - 1);
  }
}

void PyramidEditor::MouseMove(int button, int /*shift*/, float x, float y) {
  const PyramidGeometry geometry = view_.Geometry();
  geometry.SideAt(x, m_.PyramidContent, m_.Census, m_.EditSex, m_.BarFullX);
  if (!geometry.Inside(y)) return;  // the label band neither edits nor reads out
  const int lastRow = PyramidGeometry::LastRow(m_.PyramidContent, m_.SingleYearInput);
  const int row = geometry.RowAt(y, lastRow);
  if (button == kLeft && Stopped() && m_.PyramidContent != kContentRelative) {
    // The window's last pixel row (and a pointer held below it) edits the bottom row.
    const int editRow = row < 0 ? 0 : row;
    Edit(geometry, x, editRow, PyramidGeometry::ClassOfRow(editRow, lastRow));
    return;
  }
  if (row < 0) return;
  std::string text;
  try {
    text = ReadoutText(m_, m_.EditSex, PyramidGeometry::ClassOfRow(row, lastRow));
  } catch (const Failure& failure) {
    // A class too large to sum has no figure; hovering over it must not
    // raise a message at every move.
    if (failure.code != kOverflow) throw;
    return;
  }
  view_.SetInfo(QString::fromStdString(text));
}

void PyramidEditor::Edit(const PyramidGeometry& geometry, float x, int row, int ageClass) {
  HeadCount value;
  try {
    const double span = static_cast<double>(m_.BarFullX) - static_cast<double>(m_.BarBaseX);
    const double ratio = std::fabs((static_cast<double>(x) - static_cast<double>(m_.BarBaseX)) / span);
    value = HeadCount::FromDouble(m_.FullScale.ToDouble() * ratio);
  } catch (const Failure& failure) {
    // A drag so far out that the value leaves the range of a head count
    // stores nothing; the beep tells the user that the move was refused.
    if (failure.code != kOverflow) throw;
    platform::Current().Beep();
    return;
  }
  // Rates have a natural ceiling; the population has none.
  if (m_.PyramidContent == kContentBirths && value > HeadCount::FromPersons(1'000)) {
    value = HeadCount::FromPersons(1'000);
  }
  if (m_.PyramidContent == kContentDeaths && value > HeadCount::FromPersons(100'000)) {
    value = HeadCount::FromPersons(100'000);
  }
  view_.SetInfo(QString::fromStdString(EditText(m_.EditSex, ageClass, value, m_.FullScale)));
  // An overflow further on (the rounding at the very top of the range, or the
  // controller's death-rate figure of an absurd population) is refused the
  // same way; year 0 and the row still follow whatever was stored.
  bool refused = false;
  try {
    StoreEdit(value, row, ageClass);
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
    refused = true;
  }
  // The edited state is what the current year reads out: the paused (or
  // finished) year while a run is on record, so that its start stays intact;
  // year 0 otherwise. Reset keeps ElapsedYears but puts World back at the
  // start, so it is the run state, not the year count, that decides.
  m_.WorldHistory[LiveElapsed(m_)] = m_.World;
  try {
    view_.RedrawEditedRow(ageClass);
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
    refused = true;
  }
  if (refused) platform::Current().Beep();
}

void PyramidEditor::StoreEdit(HeadCount value, int row, int ageClass) {
  const Int16 content = m_.PyramidContent;
  if (content == kContentPopulation && m_.SingleYearInput == 0) {
    // One rounding for the whole class: the first store makes the fifth a
    // whole number, and all five ages get that same number.
    HeadCount fifth = FifthOf(value);
    for (int age = 5 * ageClass; age < 5 * ageClass + 5; ++age) {
      ApplyEdit(m_, display_, content, fifth, Int16(age), m_.EditSex);
    }
  } else if (content == kContentPopulation) {
    ApplyEdit(m_, display_, content, value, Int16(row), m_.EditSex);
  } else {
    ApplyEdit(m_, display_, content, value, Int16(ageClass), m_.EditSex);
  }
}

void PyramidEditor::MouseUp(int button, int /*shift*/, float /*x*/, float /*y*/) {
  if (button != kLeft) return;
  leftButtonDown_ = 0;
  if (!Stopped()) return;
  // The drag has redrawn its rows; the other charts show the edited year 0.
  // A population dragged past what the charts can sum (the census has
  // already called it an explosion) leaves them part drawn, with a beep.
  if (!frame_.RedrawChartsAfterEdit()) platform::Current().Beep();
}

}  // namespace velmora
