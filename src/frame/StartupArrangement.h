#pragma once

#include "platform/Twips.h"

namespace velmora {

// Where start-up puts the windows, all relative to the settings window:
// settings and controller side by side on top; pyramid (with the circle
// under it) and graph side by side below, the graph filling the frame up to
// its margins and the circle ending level with the graph.
struct StartupArrangement {
  TwipRect Controller;
  TwipRect Pyramid;
  TwipRect Graph;
  TwipRect Circle;
};

inline constexpr int kPyramidStartHeight = 6405;
inline constexpr int kGraphRightMargin = 250;
inline constexpr int kGraphBottomMargin = 750;
// On a frame too small for the arrangement a computed width or height of zero
// or less becomes this, so that every window stays visible and usable.
inline constexpr int kMinimumArrangedSize = 1500;

// settings and controller as they are when placed (the controller keeps its
// size); frameWidth and frameHeight are the frame's outer size.
StartupArrangement ArrangeAtStartup(const TwipRect& settings, const TwipRect& controller, int frameWidth,
                                    int frameHeight);

}  // namespace velmora
