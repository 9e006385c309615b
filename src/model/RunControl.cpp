#include "model/RunControl.h"

#include "model/Census.h"
#include "model/Failure.h"
#include "model/Messages.h"
#include "model/NumberText.h"
#include "model/Run.h"

namespace velmora {

std::string YearCaption(int year) { return std::to_string(year) + " "; }
std::string PopulationCaption(HeadCount total) { return FormatThousands(total) + " "; }
std::string EldersCaption(float elderRatio) { return FloatText(elderRatio) + "% "; }
std::string FertilityCaption(float rate) { return FloatText(rate) + " "; }
std::string DeathsCaption(float meanDeathRate) { return FloatText(meanDeathRate) + " "; }

bool RunControl::Start() {
  StartRunModel(m_, display_);
  return m_.Exploded == 1;
}

TickResult RunControl::Tick() {
  const bool noOneLeft = m_.Census.Total <= HeadCount{};
  if (noOneLeft || m_.ElapsedYears >= Int16(100) * m_.RunCenturies) {
    m_.RunCenturies = 0;
    return noOneLeft ? TickResult::kDiedOut : TickResult::kFinished;
  }
  AdvanceYear(m_, display_);
  if (m_.Census.Total > m_.PeakPopulation) m_.PeakPopulation = m_.Census.Total;
  return m_.Exploded == 0 ? TickResult::kStepped : TickResult::kExploded;
}

void RunControl::Reset() {
  m_.RunState = kIdle;
  // The capacity is 105 % of the peak; the text box the runner fills shows
  // the peak in units of 10,000 people: two different rules.
  m_.Capacity = CapacityFromPeak(m_.PeakPopulation);
  m_.StartYear = kRunStartYear;
  m_.World = m_.WorldAtStart;
  TakeCensus(m_.Census, m_.World, m_, display_);
  // Year 0 of the look-back is always the start that Reset restores, also
  // after a load, which never ran Start.
  m_.WorldHistory[0] = m_.World;
  for (int year = 1; year < kHistoryYears; ++year) m_.WorldHistory[year] = m_.WorldBlank;

  display_.SetControllerLabel(kLabelYear, YearCaption(kRunStartYear));
  display_.SetControllerLabel(kLabelPopulation, PopulationCaption(m_.Census.Total));
  display_.SetControllerLabel(kLabelElders, EldersCaption(m_.Census.ElderRatio));
  display_.SetControllerLabel(kLabelFertility, FertilityCaption(FertilityRate(0, m_.World)));
  try {
    display_.SetControllerLabel(kLabelDeaths, DeathsCaption(MeanDeathRate(m_, 0, m_.World)));
  } catch (const Failure& failure) {
    // A restored population or death-rate table too large for the figure:
    // said like the explosion it is, and the charts are still refreshed.
    if (failure.code != kOverflow) throw;
    display_.ShowMessage(kExplosionText, kExplosionTitle);
  }

  display_.ClearGraph();
  display_.DrawGraphColumn(0, m_.World, m_.Capacity);
  // The circle stays empty until its next drawing.
  display_.ClearCircle();
  display_.DrawPyramid(m_.PyramidContent, m_.World, m_.Census);
}

void RunControl::AdoptView() { m_.PyramidContent = kContentRelative; }

void RunControl::AdoptCensus() { TakeCensus(m_.Census, m_.World, m_, display_); }

void RunControl::AdoptPeak() { m_.PeakPopulation = HeadCount::FromDouble(m_.Census.Total.ToDouble() * 1.25); }

void RunControl::AdoptAsStart() { m_.WorldAtStart = m_.World; }

void RunControl::AdoptLoadedPopulation() {
  AdoptView();
  AdoptCensus();
  try {
    AdoptPeak();
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
  }
  AdoptAsStart();
}

}  // namespace velmora
