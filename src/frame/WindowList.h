#pragma once

#include <array>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "windows/ChildForm.h"
#include "windows/FrameServices.h"
#include "windows/WindowIds.h"

namespace velmora {

// What a child window is made from.
struct FormParts {
  ModulePopulation& model;
  ModelDisplay& display;
  FrameServices& frame;
};

// One child window of the frame. A new window is a form class and one entry
// here; the window menu, the workspace and the frame's unload follow it.
struct WindowEntry {
  WindowIndex id;
  const char* menuCaption;  // its item in the window menu
  bool checkedAtStart;      // that item's mark when the program starts
  int clientWidth;          // twips: a fresh window's client area (the
  int clientHeight;         // pyramid's: its drawing area, below its menu bar)
  bool fixedBorder;         // false: the user can resize it
  int unloadRank;           // the frame's unload closes the windows by rank
  // The form; the sub-window that holds its content owns it.
  ChildForm* (*create)(const FormParts& parts);
};

// Every child window, in window-menu order (entry i has id i).
const std::array<WindowEntry, kWindowCount>& WindowList();

}  // namespace velmora
