#include "model/Run.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "model/Census.h"
#include "model/Messages.h"
#include "model/NumberText.h"
#include "model/RunControl.h"

namespace velmora {

namespace {

constexpr int kRows = 3;                    // births, men's deaths, women's deaths
constexpr double kSexRatioAtBirth = 0.505;  // share of boys among the newborn

enum class VariationKind { kConstant, kLinear, kDoubling, kHalving, kNone };

struct Variation {
  VariationKind kind = VariationKind::kNone;
  int span = 0;  // periods
};

Variation VariationOf(int code) {
  static constexpr std::array<int, 4> kSpans = {20, 10, 5, 2};
  if (code == kConstant) return {VariationKind::kConstant, 0};
  if (code >= kLinear100 && code <= kLinear10) return {VariationKind::kLinear, kSpans[code - kLinear100]};
  if (code >= kDouble100 && code <= kDouble10) return {VariationKind::kDoubling, kSpans[code - kDouble100]};
  if (code >= kHalve100 && code <= kHalve10) return {VariationKind::kHalving, kSpans[code - kHalve100]};
  return {};
}

// One scheduled rate of period i in double precision; power is 2^(i / n).
// False when the code writes nothing.
bool Scheduled(const Variation& v, int i, double power, float start, float end, float& out) {
  const double s = start;
  const double e = end;
  double value = 0.0;
  switch (v.kind) {
    case VariationKind::kConstant:
      value = s;
      break;
    case VariationKind::kLinear:
      value = i < v.span ? (e - s) * i / v.span + s : e;
      break;
    case VariationKind::kDoubling:
      value = i < v.span ? power * s : 2.0 * s;
      break;
    case VariationKind::kHalving:
      value = i < v.span ? s / power : s / 2.0;
      break;
    case VariationKind::kNone:
      return false;
  }
  out = static_cast<float>(value);
  return true;
}

// floor(x + 0.5) as a head count; NaN, infinities and out-of-range values are
// overflows.
inline HeadCount RoundedCount(double x) {
  const double y = x + 0.5;
  // floor through the integer conversion where it is exact (most counts).
  if (std::fabs(y) < 9.0e14) {
    auto whole = static_cast<int64_t>(y);
    if (static_cast<double>(whole) > y) --whole;
    return HeadCount::FromRaw(whole * HeadCount::kScale);
  }
  return HeadCount::FromDouble(std::floor(y));
}

// Survivors of one sex into next (ages 1..99), and for the women the births
// of the year, taken from each age before it ages.
template <bool kWomen>
void AgeOneSex(const HeadCount* old, HeadCount* next, const double* survival, const double* birthRates,
               HeadCount& births) {
  // Descending, class by class: age 98 first, age 0 last.
  for (int ageClass = kAgeClasses - 1; ageClass >= 0; --ageClass) {
    const double survive = survival[ageClass];
    const double birthRate = kWomen ? birthRates[ageClass] : 0.0;
    const int first = 5 * ageClass;
    for (int age = ageClass == kAgeClasses - 1 ? kAges - 2 : first + 4; age >= first; --age) {
      const double count = old[age].ToDouble();
      next[age + 1] = RoundedCount(count * survive / 100000.0);
      if constexpr (kWomen) births = births + RoundedCount(count * birthRate / 1000.0);
    }
  }
  // Age 99 is open: its own survivors join those of age 98.
  const double old99 = old[kAges - 1].ToDouble();
  next[kAges - 1] = next[kAges - 1] + RoundedCount(old99 * survival[kAgeClasses - 1] / 100000.0);
}

// The new People table of one step, computed aside from the live one.
std::array<HeadCount, kSexes * kAges> NextPeople(const WorldRecord& world, int period) {
  const float* rates = world.PeriodRates(period);  // checks the period once
  // The widened rates and 100000 - death rate per class: the same doubles the
  // formulas compute, taken once instead of once per age.
  std::array<double, kAgeClasses> birthRates;
  std::array<std::array<double, kAgeClasses>, kSexes> survival;
  for (int j = 0; j < kAgeClasses; ++j) {
    birthRates[j] = static_cast<double>(rates[j]);
    for (int sex = 0; sex < kSexes; ++sex) {
      survival[sex][j] = 100000.0 - static_cast<double>(rates[(1 + sex) * kAgeClasses + j]);
    }
  }
  std::array<HeadCount, kSexes * kAges> next;
  HeadCount births;
  const HeadCount* people = world.people.data();
  AgeOneSex<false>(people, next.data(), survival[0].data(), nullptr, births);
  AgeOneSex<true>(people + kAges, next.data() + kAges, survival[1].data(), birthRates.data(), births);
  const HeadCount boys = RoundedCount(births.ToDouble() * kSexRatioAtBirth);
  next[0] = boys;
  next[kAges] = births - boys;
  return next;
}

void RefreshDisplay(ModulePopulation& m, ModelDisplay& display) {
  const Int16 elapsed = m.ElapsedYears;
  const Int16 period = Int16(elapsed / 5);  // elapsed is 1..100 here
  display.SetControllerLabel(kLabelYear, YearCaption(int{m.StartYear + elapsed}));
  display.SetControllerLabel(kLabelPopulation, PopulationCaption(m.Census.Total));
  display.SetControllerLabel(kLabelElders, EldersCaption(m.Census.ElderRatio));
  display.SetControllerLabel(kLabelFertility, FertilityCaption(FertilityRate(period, m.World)));
  display.SetControllerLabel(kLabelDeaths, DeathsCaption(MeanDeathRate(m, period, m.World)));
  display.SetGraphPenWidth(3);
  display.DrawGraphColumn(elapsed, m.World, m.Capacity);
  display.ClearPyramid();
  display.DrawPyramid(m.PyramidContent, m.World, m.Census);
  display.DrawAgeCircle(m.Census, m.World);
}

}  // namespace

void BuildSchedule(WorldRecord& world) {
  const std::array<Variation, 2> variations = {VariationOf(world.VariationFunc(0)),
                                               VariationOf(world.VariationFunc(1))};
  for (int i = 1; i < kPeriods; ++i) {
    std::array<double, 2> powers = {1.0, 1.0};
    for (int slot = 0; slot < 2; ++slot) {
      if (variations[slot].span > 0) powers[slot] = std::pow(2.0, static_cast<double>(i) / variations[slot].span);
    }
    const float* start = world.PeriodRates(0);
    const float* end = world.PeriodRates(kLastPeriod);
    float* target = world.PeriodRates(i);
    for (int j = 0; j < kAgeClasses; ++j) {
      for (int row = 0; row < kRows; ++row) {
        const int slot = row == 0 ? 0 : 1;  // births follow code 0, both sexes' deaths code 1
        const int k = row * kAgeClasses + j;
        float value = 0.0f;
        // The end table is read before period 19 itself is rewritten.
        if (Scheduled(variations[slot], i, powers[slot], start[k], end[k], value)) target[k] = value;
      }
    }
  }
}

void StartRunModel(ModulePopulation& m, ModelDisplay& display) {
  m.Exploded = 0;
  m.WorldAtStart = m.World;
  m.ElapsedYears = 0;
  m.RunCenturies = 1;
  m.RunState = kRunning;
  m.PyramidContent = kContentRelative;
  m.PeakPopulation = HeadCount();
  TakeCensus(m.Census, m.World, m, display);
  m.WorldHistory[0] = m.World;
  // A Start without a Reset in between (a second press on the graph while
  // the requested Break is still pending) must not leave the years of the
  // previous run behind: the look-back would show them as this run's.
  for (int year = 1; year < kHistoryYears; ++year) m.WorldHistory[year] = m.WorldBlank;
  BuildSchedule(m.World);
}

void AdvanceYear(ModulePopulation& m, ModelDisplay& display) {
  const int elapsed = m.ElapsedYears;
  // A run never enters the step with a year outside 0..99: its snapshot would
  // have no place in WorldHistory.
  if (elapsed < 0 || elapsed >= kHistoryYears - 1) throw Failure{kSubscriptOutOfRange};
  const int period = elapsed / 5;
  std::array<HeadCount, kSexes * kAges> next;
  try {
    next = NextPeople(m.World, period);
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
    // Nothing of the step is kept: the run stops at the previous year.
    ReportExplosion(m, display);
    return;
  }
  std::copy(next.begin(), next.end(), m.World.people.begin());
  TakeCensus(m.Census, m.World, m, display);
  m.ElapsedYears = m.ElapsedYears + 1;
  m.WorldHistory[m.ElapsedYears] = m.World;
  if (m.Exploded == 1) return;
  try {
    RefreshDisplay(m, display);
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
    // Figures too large to show (a population of trillions): the year stays
    // stored, but the run stops as after an explosion.
    ReportExplosion(m, display);
  }
}

HeadCount CapacityFromPeak(HeadCount peak) {
  // floor(peak x 1.05) in whole persons, exactly on the fixed-point value.
  constexpr __int128 kDivisor = static_cast<__int128>(100) * HeadCount::kScale;
  const __int128 scaled = static_cast<__int128>(peak.Raw()) * 105;
  __int128 persons = scaled / kDivisor;
  if (scaled % kDivisor < 0) --persons;
  const __int128 raw = persons * HeadCount::kScale;
  if (raw > HeadCount::kMaxRaw) return HeadCount::Max();
  if (raw < HeadCount::kMinRaw) return -HeadCount::Max();
  return HeadCount::FromRaw(static_cast<int64_t>(raw));
}

std::string CapacityTextFromPeak(HeadCount peak) {
  // floor(peak / 10,000) + 1, in units of 10,000 persons.
  constexpr int64_t kDivisor = 10'000 * HeadCount::kScale;
  const int64_t raw = peak.Raw();
  int64_t units = raw / kDivisor;
  if (raw % kDivisor < 0) --units;
  return std::to_string(units + 1);
}

}  // namespace velmora
