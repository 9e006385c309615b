#pragma once

namespace velmora {

// The frame's child windows, in the order of the window menu. The frame's
// list of windows (frame/WindowList) has one entry for each.
enum WindowIndex : int {
  kWindowController = 0,
  kWindowSettings = 1,
  kWindowGraph = 2,
  kWindowPyramid = 3,
  kWindowCircle = 4,
  kWindowCount  // not a window: how many there are
};

}  // namespace velmora
