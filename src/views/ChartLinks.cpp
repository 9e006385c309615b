#include "views/ChartLinks.h"

#include <QString>

#include "model/Failure.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"

namespace velmora {

void ShowPastYear(const ModulePopulation& m, FormCircle& circle, FormPyramid& pyramid, Int16 elapsed,
                  const WorldRecord& world, const CensusRecord& census) {
  circle.DrawAgeCircle(census, world);
  pyramid.DrawPyramid(m.PyramidContent, world, census);
  pyramid.SetInfo(QString("A.D.%1").arg(int{m.StartYear + elapsed}));
}

bool RedrawChartsAfterEdit(const ModulePopulation& m, FormGraph& graph, FormCircle& circle) {
  // Each chart on its own: an overflow in one still lets the other draw.
  bool drawn = true;
  try {
    graph.Clear();
    graph.DrawGraphColumn(0, m.World, m.Capacity);
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
    drawn = false;
  }
  try {
    circle.Clear();
    circle.DrawAgeCircle(m.Census, m.World);
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
    drawn = false;
  }
  return drawn;
}

}  // namespace velmora
