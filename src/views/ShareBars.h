#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "model/Records.h"
#include "views/Canvas.h"

namespace velmora {

// Shares of each age (0..99) in a population, summing to 1.
using AgeShares = std::array<double, kAges>;

// Two columns side by side, today's population and the stable one, each a
// stack of its ages in the age colours (age 0 at the bottom) with a black
// line where the adults and the elders begin.
class ShareBars : public QWidget {
  Q_OBJECT
 public:
  explicit ShareBars(QWidget* parent = nullptr);

  // A column left out is drawn empty.
  void SetShares(const std::optional<AgeShares>& today, const std::optional<AgeShares>& stable);
  const Canvas& Picture() const { return canvas_; }

  // Column i (0 today, 1 stable): its left and right pixel edges.
  int ColumnLeft(int column) const;
  int ColumnRight(int column) const;
  // The pixel rows of the stacks: from Top() down to Bottom() - 1.
  static constexpr int Top() { return kMargin; }
  int Bottom() const { return height() - kMargin; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  static constexpr int kMargin = 4;
  void Draw();
  void DrawColumn(int column, const AgeShares& shares);

  Canvas canvas_;
  std::optional<AgeShares> today_;
  std::optional<AgeShares> stable_;
};

// Today's shares of a record (both sexes); empty without a positive total
// or with a negative head count.
std::optional<AgeShares> AgeSharesOf(const WorldRecord& record);

}  // namespace velmora
