#pragma once

#include <string>

#include "frame/ChildWindows.h"
#include "model/ModulePopulation.h"

namespace velmora::cli {

// The pictures of --charts from the windows as the run left them: the three
// canvases as PNG, and the labelled figure of the live year as PNG (at twice
// the screen's density) and SVG, written into folder as one set (see
// WriteFileSet). subject names the inputs in the figure's title. Failures
// are InputErrors.
void WriteChartFiles(const std::string& folder, const ModulePopulation& m, const ChildWindows& windows,
                     const std::string& subject);

}  // namespace velmora::cli
