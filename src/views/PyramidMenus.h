#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <array>
#include <cstddef>

#include "views/WrappingMenuBar.h"

namespace velmora {

// The pyramid window's menu bar and its items, named and indexed as the
// controls they are. Built unparented: whoever shows the pyramid puts the bar
// above it, and it wraps onto more lines rather than hide a menu. The items
// only hold their check marks; the window's commands set them.
struct PyramidMenus {
  PyramidMenus();

  WrappingMenuBar* Bar;

  QMenu* MenuInputMode;
  QAction* MenuAbs;
  QAction* MenuBar;  // separator
  std::array<QAction*, 2> MenuPeople;
  std::array<QAction*, 2> MenuMode;

  QMenu* MenuInputScale;
  std::array<QAction*, 3> MenuBaseScale;
  QAction* MenuModeBar;  // separator
  std::array<QAction*, 7> MenuScale;

  QMenu* MenuTime;
  std::array<QAction*, 2> MenuBefAft;

  QMenu* MenuFunc;
  std::array<QAction*, 13> MenuMoveFunc;

  // The index of the checked MenuScale item, 0 when none is.
  int CheckedScale() const;

  // Check item index of an array and clear every other item; an index outside
  // the array clears them all.
  template <std::size_t N>
  static void CheckOnly(const std::array<QAction*, N>& items, int index) {
    for (std::size_t i = 0; i < N; ++i) items[i]->setChecked(static_cast<int>(i) == index);
  }
};

}  // namespace velmora
