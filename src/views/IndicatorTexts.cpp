#include "views/IndicatorTexts.h"

#include <cmath>
#include <cstdio>

#include "model/NumberText.h"

namespace velmora {
namespace {

constexpr const char* kNoPeople = "人口がいません。";
constexpr const char* kNegativePeople = "負の人数の年齢があり、年齢分布になりません。";
constexpr const char* kNoAdults = "生産年齢（16～64歳）の人口がいません。";
constexpr const char* kNoBirths = "出生がありません。";
constexpr const char* kOpenAgeImmortal = "99歳以上の死亡率が0で、誰も死なないため寿命は限りなく長くなります。";
constexpr const char* kBadDeaths = "死亡率に0～100,000の範囲外の値があります。";
constexpr const char* kBadBirths = "出生率に負の値か数でない値があります。";

FigureText Missing(const std::string& why) { return {kMissingFigure, why}; }

FigureText Number(const std::optional<double>& value, int decimals, const char* unit, const std::string& why) {
  if (!value || !std::isfinite(*value)) return Missing(why);
  return {Fixed(*value, decimals) + unit, ""};
}

// The open age's survival of each sex; empty for a meaningless rate.
std::array<std::optional<double>, kSexes> OpenAgeSurvival(const WorldRecord& world, int period) {
  std::array<std::optional<double>, kSexes> survival;
  for (int sex = 0; sex < kSexes; ++sex) {
    const double d = world.DeathRate(period, sex, kAgeClasses - 1);
    if (d >= 0.0 && d <= 100'000.0) survival[sex] = (100'000.0 - d) / 100'000.0;
  }
  return survival;
}

// Why the rates have no stable population.
std::string NoStableWhy(const YearFigures& f, const WorldRecord& world, int period) {
  const PeriodIndicators& p = f.period;
  if (!p.lifeExpectancy[0] || !p.lifeExpectancy[1]) return kBadDeaths;
  if (!p.netReproduction) return kBadBirths;
  if (!p.growthFactor) return kNoBirths;
  const auto survival = OpenAgeSurvival(world, period);
  const double open = std::max(survival[0].value_or(0.0), survival[1].value_or(0.0));
  return "年あたりの増加倍率 λ = " + Fixed(*p.growthFactor, 4) + " が99歳以上の生存率 " + Fixed(open, 4) +
         " 以下で、99歳以上だけが限りなく膨らみます。";
}

}  // namespace

std::string Fixed(double x, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  return buffer;
}

IndicatorTexts IndicatorTextsOf(const YearFigures& f, const WorldRecord& world, int period) {
  IndicatorTexts t;
  t.year = std::to_string(f.year);
  t.total = {FormatThousands(f.census.Total), ""};
  const double total = f.census.Total.ToDouble();
  for (int group = 0; group < kAgeGroups; ++group) {
    if (!(total > 0.0)) {
      t.shares[group] = Missing(kNoPeople);
      continue;
    }
    // The elders' share is the row's exact one; the others are read the same way.
    const double share = group == kElders && f.elderShare
                             ? *f.elderShare
                             : (f.census.GroupSum(0, group) + f.census.GroupSum(1, group)).ToDouble() / total;
    t.shares[group] = {Fixed(share * 100.0, 1) + " %", ""};
  }
  const PopulationIndicators& people = f.population;
  const bool negative = !people.oldAgeDependency && !people.totalDependency && !people.medianAge && total != 0.0;
  const std::string noDistribution = negative ? kNegativePeople : kNoPeople;
  t.medianAge = Number(people.medianAge, 1, " 歳", noDistribution);
  t.oldAgeDependency = Number(people.oldAgeDependency, 1, "", negative ? kNegativePeople : kNoAdults);
  t.totalDependency = Number(people.totalDependency, 1, "", negative ? kNegativePeople : kNoAdults);

  const PeriodIndicators& p = f.period;
  t.fertility = {FloatText(f.fertilityRate), ""};
  t.netReproduction = Number(p.netReproduction, 2, "", p.lifeExpectancy[1] ? kBadBirths : kBadDeaths);
  for (int sex = 0; sex < kSexes; ++sex) {
    const std::optional<double>& e0 = p.lifeExpectancy[sex];
    t.lifeExpectancy[sex] = e0 && std::isinf(*e0) ? Missing(kOpenAgeImmortal) : Number(e0, 1, " 年", kBadDeaths);
  }
  std::optional<double> r;
  if (p.growthRate) r = *p.growthRate * 100.0;
  t.growthRate = Number(r, 2, " %/年", p.netReproduction ? kNoBirths : NoStableWhy(f, world, period));

  if (p.stableShares) {
    for (int group = 0; group < kAgeGroups; ++group) {
      t.stableShares[group] = {Fixed((*p.stableShares)[group] * 100.0, 1) + " %", ""};
    }
    const std::string target = t.stableShares[kElders].text;
    t.outlook = "この率が続くと、老年（65歳以上）の割合は " + target + " に向かいます";
    t.outlook += f.elderShare ? "（今は " + t.shares[kElders].text + "）。" : "。";
  } else {
    const std::string why = NoStableWhy(f, world, period);
    for (FigureText& share : t.stableShares) share = Missing(why);
    t.outlook = "この率では安定人口がありません: " + why;
  }
  return t;
}

}  // namespace velmora
