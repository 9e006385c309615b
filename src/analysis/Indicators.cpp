#include "analysis/Indicators.h"

#include <cmath>
#include <span>

#include "analysis/LifeTable.h"
#include "analysis/Renewal.h"
#include "analysis/StablePopulation.h"

namespace velmora {
namespace {

// The life tables of a period's death rates, men then women.
std::array<std::optional<LifeTable>, kSexes> LifeTablesOf(const WorldRecord& world, int period,
                                                          std::span<const float, kAgeClasses>& births) {
  const float* rates = world.PeriodRates(ReadablePeriod(period));
  // Row 0 of the period holds the birth rates, rows 1 and 2 the men's and
  // the women's death rates.
  auto row = [rates](int index) {
    return std::span<const float, kAgeClasses>(rates + index * kAgeClasses, kAgeClasses);
  };
  births = row(0);
  return {MakeLifeTable(row(1)), MakeLifeTable(row(2))};
}

}  // namespace

std::optional<StableAgeCounts> ComputeStableAges(const WorldRecord& world, int period) {
  std::span<const float, kAgeClasses> births(world.PeriodRates(0), kAgeClasses);
  const auto tables = LifeTablesOf(world, period, births);
  if (!tables[0] || !tables[1]) return std::nullopt;
  const std::optional<NetMaternity> maternity = MakeNetMaternity(*tables[1], births);
  if (!maternity) return std::nullopt;
  const std::optional<double> lambda = DominantGrowthFactor(*maternity);
  if (!lambda) return std::nullopt;
  return StableAges(*tables[0], *tables[1], *lambda);
}

PeriodIndicators ComputePeriodIndicators(const WorldRecord& world, int period) {
  std::span<const float, kAgeClasses> births(world.PeriodRates(0), kAgeClasses);
  const std::array<std::optional<LifeTable>, kSexes> tables = LifeTablesOf(world, period, births);

  PeriodIndicators result;
  for (int sex = 0; sex < kSexes; ++sex) {
    if (tables[sex]) result.lifeExpectancy[sex] = LifeExpectancyAtBirth(*tables[sex]);
  }
  if (!tables[1]) return result;
  const std::optional<NetMaternity> maternity = MakeNetMaternity(*tables[1], births);
  if (!maternity) return result;
  result.netReproduction = NetReproductionRate(*maternity);
  result.growthFactor = DominantGrowthFactor(*maternity);
  if (!result.growthFactor) return result;
  result.growthRate = std::log(*result.growthFactor);
  if (tables[0]) result.stableShares = StableAgeGroupShares(*tables[0], *tables[1], *result.growthFactor);
  return result;
}

}  // namespace velmora
