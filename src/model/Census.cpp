#include "model/Census.h"

#include <cmath>
#include <string>

#include "model/Messages.h"
#include "model/NumberText.h"
#include "model/RunControl.h"

namespace velmora {

namespace {

// Runs one statement of the census under its trap. An overflow shows the
// population-explosion message and ends the census; any other failure shows
// the unexpected-error message and the census goes on with the next
// statement. Returns false when the census must end.
template <typename Statement>
bool Trapped(ModulePopulation& m, ModelDisplay& display, Statement&& statement) {
  try {
    statement();
    return true;
  } catch (const Failure& failure) {
    if (failure.code == kOverflow) {
      ReportExplosion(m, display);
      return false;
    }
    display.ShowMessage(UnexpectedErrorText(failure.code), kUnexpectedErrorTitle);
    return true;
  }
}

}  // namespace

void ReportExplosion(ModulePopulation& m, ModelDisplay& display) {
  display.ShowMessage(kExplosionText, kExplosionTitle);
  m.Exploded = 1;
}

std::string UnexpectedErrorText(int code) { return kUnexpectedErrorPrefix + std::to_string(code) + ")"; }

void TakeCensus(CensusRecord& census, const WorldRecord& world, ModulePopulation& m, ModelDisplay& display) {
  census.groupSum.fill(HeadCount());
  // Each group is summed in a local and stored when complete or, on an
  // overflow, as it stood before the failing addition: the same figures as
  // adding into the record one person count at a time. The indexes are all
  // in range, so no other failure can arise in these sums.
  const HeadCount* people = world.people.data();
  HeadCount* groupSums = census.groupSum.data();
  constexpr int kGroupEnd[kAgeGroups] = {kLastChildAge + 1, kLastAdultAge + 1, kAges};
  for (int sex = 0; sex < kSexes; ++sex) {
    int age = 0;
    for (int group = 0; group < kAgeGroups; ++group) {
      int64_t sum = 0;
      for (; age < kGroupEnd[group]; ++age) {
        int64_t next = 0;
        if (__builtin_add_overflow(sum, people[sex * kAges + age].Raw(), &next) || next < HeadCount::kMinRaw) {
          groupSums[sex * kAgeGroups + group] = HeadCount::FromRaw(sum);
          ReportExplosion(m, display);
          return;
        }
        sum = next;
      }
      groupSums[sex * kAgeGroups + group] = HeadCount::FromRaw(sum);
    }
  }
  if (!Trapped(m, display, [&] { census.Total = HeadCount(); })) return;
  // Memory order: men's children, adults, elders, then women's.
  for (const HeadCount& groupSum : census.groupSum) {
    if (!Trapped(m, display, [&] { census.Total = census.Total + groupSum; })) return;
  }
  const bool goOn = Trapped(m, display, [&] {
    if (census.Total > HeadCount()) {
      const HeadCount elders = census.GroupSum(1, kElders) + census.GroupSum(0, kElders);
      census.ElderRatio = static_cast<float>(std::floor(elders.ToDouble() / census.Total.ToDouble() * 1000.0));
    } else {
      census.ElderRatio = 0.0f;
    }
  });
  if (!goOn) return;
  Trapped(m, display, [&] { census.ElderRatio = census.ElderRatio / 10.0f; });
}

float FertilityRate(Int16 period, const WorldRecord& world) {
  const Int16 p = ReadablePeriod(period);
  double sum = 0.0;
  for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
    sum = sum + static_cast<double>(world.BirthRate(p, ageClass)) / 2.0;
  }
  if (sum > 0.0) return static_cast<float>(std::floor(sum + 0.5) / 100.0);
  return -1.0f;
}

float MeanDeathRate(const ModulePopulation& m, Int16 period, const WorldRecord& world) {
  return MeanDeathRate(m.Census.Total, period, world);
}

float MeanDeathRate(HeadCount total, Int16 period, const WorldRecord& world) {
  const Int16 p = ReadablePeriod(period);
  const HeadCount* people = world.people.data();
  const float* rates = world.PeriodRates(p);  // checks the period once
  HeadCount acc;
  for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
    const double menRate = rates[kAgeClasses + ageClass];
    const double womenRate = rates[2 * kAgeClasses + ageClass];
    for (int k = 0; k < 5; ++k) {
      const int age = 5 * ageClass + k;
      acc = acc + HeadCount::FromDouble(people[age].ToDouble() / 1000.0 * menRate);
      acc = acc + HeadCount::FromDouble(people[kAges + age].ToDouble() / 1000.0 * womenRate);
    }
  }
  if (total > HeadCount()) {
    const HeadCount hundredfold = acc * int64_t{100};
    return static_cast<float>(std::floor(hundredfold.ToDouble() / total.ToDouble() * 100.0) / 100.0);
  }
  return -1.0f;
}

void ApplyEdit(ModulePopulation& m, ModelDisplay& display, Int16 kind, HeadCount& value, Int16 index, Int16 sex) {
  value = HeadCount::FromPersons(FloorPersons(value + HeadCount::FromRaw(HeadCount::kScale / 2)));
  const Int16 period = EditedPeriod(m);
  if (kind == -1 || kind == 0) {
    m.World.People(sex, index) = value;
    TakeCensus(m.Census, m.World, m, display);
    display.SetControllerLabel(kLabelPopulation, PopulationCaption(m.Census.Total));
    display.SetControllerLabel(kLabelElders, EldersCaption(m.Census.ElderRatio));
    // The mean death rate weighs the population, so a population edit changes it too.
    display.SetControllerLabel(kLabelDeaths, DeathsCaption(MeanDeathRate(m, period, m.World)));
  } else if (kind == 1) {
    m.World.BirthRate(period, index) = static_cast<float>(value.ToDouble());
    display.SetControllerLabel(kLabelFertility, FertilityCaption(FertilityRate(period, m.World)));
  } else if (kind == 2) {
    m.World.DeathRate(period, sex, index) = static_cast<float>(value.ToDouble());
    display.SetControllerLabel(kLabelDeaths, DeathsCaption(MeanDeathRate(m, period, m.World)));
  }
}

}  // namespace velmora
