#include "views/ShareBars.h"

#include <QPaintEvent>
#include <QPainter>

#include "model/AgeColour.h"

namespace velmora {
namespace {

constexpr int32_t kBackground = 0xFFFFFF;
constexpr int32_t kDivider = 0;
constexpr int kGroupStarts[] = {16, 65};

}  // namespace

ShareBars::ShareBars(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvas_.SetBackground(kBackground);
  setMinimumSize(160, 150);
}

void ShareBars::SetShares(const std::optional<AgeShares>& today, const std::optional<AgeShares>& stable) {
  today_ = today;
  stable_ = stable;
  Draw();
}

int ShareBars::ColumnLeft(int column) const { return width() * (1 + 4 * column) / 8; }
int ShareBars::ColumnRight(int column) const { return width() * (3 + 4 * column) / 8; }

void ShareBars::Draw() {
  canvas_.Clear();
  canvas_.SetPenWidth(1);
  if (today_) DrawColumn(0, *today_);
  if (stable_) DrawColumn(1, *stable_);
  update();
}

// The ages from the bottom up, each as tall as its share; a running sum
// keeps the stack's top at the column's top whatever the rounding.
void ShareBars::DrawColumn(int column, const AgeShares& shares) {
  const double height = Bottom() - Top();
  const auto left = static_cast<float>(ColumnLeft(column));
  const auto right = static_cast<float>(ColumnRight(column));
  double below = 0.0;
  for (int age = 0; age < kAges; ++age) {
    const auto lower = static_cast<float>(Bottom() - height * below);
    below += shares[age];
    const auto upper = static_cast<float>(Bottom() - height * below);
    canvas_.FillRect(left, lower, right, upper, AgeColour(Int16(age)));
    for (int start : kGroupStarts) {
      if (age + 1 == start) canvas_.FillRect(left, upper, right, upper + 1.0f, kDivider);
    }
  }
}

void ShareBars::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  canvas_.Paint(painter, event->rect());
}

void ShareBars::resizeEvent(QResizeEvent*) {
  canvas_.Resize(size());
  Draw();
}

std::optional<AgeShares> AgeSharesOf(const WorldRecord& record) {
  double total = 0.0;
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int age = 0; age < kAges; ++age) {
      const double people = record.People(sex, age).ToDouble();
      if (people < 0.0) return std::nullopt;
      total += people;
    }
  }
  if (!(total > 0.0)) return std::nullopt;
  AgeShares shares{};
  for (int age = 0; age < kAges; ++age) {
    shares[age] = (record.People(0, age).ToDouble() + record.People(1, age).ToDouble()) / total;
  }
  return shares;
}

}  // namespace velmora
