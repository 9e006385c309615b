#pragma once

#include "model/ModulePopulation.h"

namespace velmora {

class FormCircle;
class FormGraph;
class FormPyramid;

// What one window's action shows on its siblings. The frame carries these
// out for the windows that ask through FrameServices; no window calls a
// sibling itself.

// The look-back: a past year (elapsed years, its record and census) on the
// circle and the pyramid, whose line names the calendar year.
void ShowPastYear(const ModulePopulation& m, FormCircle& circle, FormPyramid& pyramid, Int16 elapsed,
                  const WorldRecord& world, const CensusRecord& census);

// After an edit of year 0: the graph's year-0 column and the circle, each
// cleared and drawn afresh from World and Census. False when a figure left
// its range and a chart is left part drawn.
bool RedrawChartsAfterEdit(const ModulePopulation& m, FormGraph& graph, FormCircle& circle);

}  // namespace velmora
