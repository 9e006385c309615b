#pragma once

#include <string>

#include "cli/core/HeadlessRun.h"

namespace velmora::cli {

// The charts of a run's last year as pyramid.png, graph.png and circle.png
// in folder (made when missing). They are drawn by velmora-cli-charts beside
// this program, which runs the desktop program's own windows on the
// offscreen platform; velmora-cli itself never loads the GUI library.
// Failures are InputErrors.
void DrawCharts(const std::string& folder, const HeadlessInputs& inputs);

// The checks DrawCharts makes before it draws, for a caller that must refuse
// before it writes anything else: folder is a folder or can become one, and
// the chart program is there.
void CheckCharts(const std::string& folder);

// The chart program's arguments, shared by both sides:
//   velmora-cli-charts FOLDER POPULATION.stp START.brf END.brf BIRTHS DEATHS YEARS
inline constexpr const char* kChartsProgram = "velmora-cli-charts";

}  // namespace velmora::cli
