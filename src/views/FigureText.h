#pragma once

#include <string>
#include <vector>

#include "model/Numbers.h"
#include "model/Records.h"

namespace velmora {

// The texts and scale marks of a labelled figure, apart from any painting.

// Marks of a scale from 0 to full: multiples of the round step (1, 2, 2.5 or
// 5 times a power of ten) that leaves four to ten intervals, from 0 up to
// full; full itself last when it is not a multiple. Nothing for a full scale
// that is not positive.
std::vector<HeadCount> ScaleMarks(HeadCount full);

// The name of a variation function as its menu item reads, without the
// access key: "不変", "線形／50Year", "半減／25Year". Unknown codes: their
// number.
std::string VariationMenuName(int code);

// What the title says about the year shown.
struct FigureTitle {
  std::string subject;      // the data's origin (location and year) when known
  int startYear = 2000;     // the calendar year of year 0 of the run
  int elapsed = 0;          // the year shown, counted from the start
  HeadCount total;          // its population
  float elderRatio = 0.0f;  // in percent, as the controller shows it
  float fertilityRate = 0.0f;
  float meanDeathRate = 0.0f;
  int birthsVariation = 0;
  int deathsVariation = 0;
};
// "日本 1950年　西暦1980年の人口（開始から30年目）": the subject first when known.
std::string TitleLine(const FigureTitle& title);
// "総人口 1,234　老齢率 17.3%　特殊出生率 1.36（不変）　平均死亡率 8.23（半減／25Year）".
std::string RatesLine(const FigureTitle& title);

}  // namespace velmora
