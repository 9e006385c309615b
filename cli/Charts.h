#pragma once

#include <array>
#include <string>

#include "cli/core/HeadlessRun.h"

namespace velmora::cli {

// The pictures of a run's last year in folder (made when missing): the three
// windows' canvases as they are (pyramid.png, graph.png, circle.png) and the
// labelled figure (figure.png at twice the screen's density, figure.svg).
// They are drawn by velmora-cli-charts beside this program, which runs the
// desktop program's own windows on the offscreen platform; velmora-cli
// itself never loads the GUI library. The pictures are written as one set:
// all of them or none (a folder made for them is removed again). subject
// says in the figure's title what the inputs were. Failures are InputErrors.
void DrawCharts(const std::string& folder, const HeadlessInputs& inputs, const std::string& subject);

// The checks DrawCharts makes before it draws, for a caller that must refuse
// before it writes anything: folder is a folder this process can write in
// or can make, every picture's name there is free or a regular file, and
// the chart program is there.
void CheckCharts(const std::string& folder);

// The names DrawCharts writes, in this order.
inline constexpr std::array<const char*, 5> kChartFiles = {"pyramid.png", "graph.png", "circle.png", "figure.png",
                                                           "figure.svg"};

// The chart program's arguments, shared by both sides:
//   velmora-cli-charts FOLDER POPULATION.stp START.brf END.brf BIRTHS DEATHS YEARS SUBJECT
inline constexpr const char* kChartsProgram = "velmora-cli-charts";

}  // namespace velmora::cli
