#pragma once

#include <array>

#include "windows/WindowIds.h"

class QAction;
class QMenu;
class QMenuBar;

namespace velmora {

// The frame's menu tree: every item by the name the handlers use. The items
// carry their captions, access keys, initial check marks and enabled states;
// the frame wires and drives them.
struct FrameMenus {
  QMenu* MenuMenu = nullptr;
  QAction* MenuStart = nullptr;
  QAction* MenuAgain = nullptr;
  QAction* MenuBreak = nullptr;
  QAction* MenuReset = nullptr;
  QAction* MenuBar = nullptr;  // the separator line
  QAction* MenuEnd = nullptr;
  QMenu* MenuWindows = nullptr;
  std::array<QAction*, kWindowCount> MenuWShow{};  // by window index
  QMenu* MenuSetting = nullptr;
  std::array<QMenu*, 2> MenuWSet{};
  std::array<QAction*, 2> MenuAgeOrder{};
  std::array<QAction*, 2> MenuAgeClass{};
  QMenu* MenuInfo = nullptr;
  QAction* MenuCopyright = nullptr;
  // Added after the designed four: the world's data, the indicators of the
  // year on screen and the stable population on the pyramid. More items may
  // follow in this menu; the designed menus never change.
  QMenu* MenuData = nullptr;
  QAction* MenuWorldData = nullptr;
  QAction* MenuIndicators = nullptr;     // checked while the indicators window is open
  QAction* MenuStableOutline = nullptr;  // off at start
};

// Builds the whole tree into bar, in the order the user sees it.
FrameMenus BuildFrameMenus(QMenuBar& bar);

}  // namespace velmora
