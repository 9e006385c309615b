#include "analysis/YearFigures.h"

#include "model/Census.h"
#include "model/Failure.h"

namespace velmora {

YearFigures FiguresOf(const WorldRecord& world, const CensusRecord& census, int startYear, int elapsed) {
  YearFigures f;
  f.elapsed = elapsed;
  f.year = startYear + elapsed;
  f.census = census;
  f.elderRatio = census.ElderRatio;
  const int period = elapsed / 5;
  f.fertilityRate = FertilityRate(Int16(period), world);
  try {
    f.meanDeathRate = MeanDeathRate(census.Total, Int16(period), world);
  } catch (const Failure& failure) {
    // After a step the model has reported this as the explosion already; in
    // year 0 the controller shows the message and leaves the figure out.
    if (failure.code != kOverflow) throw;
  }
  if (census.Total > HeadCount()) {
    const HeadCount elders = census.GroupSum(0, kElders) + census.GroupSum(1, kElders);
    f.elderShare = elders.ToDouble() / census.Total.ToDouble();
  }
  f.period = ComputePeriodIndicators(world, period);
  f.population = ComputePopulationIndicators(world);
  return f;
}

YearFigures FiguresOf(const ModulePopulation& m) { return FiguresOf(m.World, m.Census, m.StartYear, m.ElapsedYears); }

}  // namespace velmora
