#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/YearFigures.h"

namespace velmora {

// One figure of the indicators window: its text, or "―" and why it does not
// exist.
struct FigureText {
  std::string text;
  std::string why;  // empty when the figure exists
};

// Everything the indicators window writes about one year, from the same
// figures as the command line's row of that year.
struct IndicatorTexts {
  std::string year;  // "1950"
  FigureText total;
  std::array<FigureText, kAgeGroups> shares;  // children, adults, elders, "12.3 %"
  FigureText medianAge;
  FigureText oldAgeDependency;
  FigureText totalDependency;
  FigureText fertility;  // as the controller shows it
  FigureText netReproduction;
  std::array<FigureText, kSexes> lifeExpectancy;
  FigureText growthRate;  // r in % per year
  std::array<FigureText, kAgeGroups> stableShares;
  // "With these rates the elders' share heads towards X %", or why there is
  // no stable population.
  std::string outlook;
};

inline constexpr const char* kMissingFigure = "―";

// The texts of a year's figures. world and period are the rates the figures
// were computed from, read again only to say why a figure does not exist.
IndicatorTexts IndicatorTextsOf(const YearFigures& f, const WorldRecord& world, int period);

// x with a fixed number of decimals, as printf's %.*f rounds it.
std::string Fixed(double x, int decimals);

}  // namespace velmora
