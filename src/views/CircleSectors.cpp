#include "views/CircleSectors.h"

#include <cmath>

#include "model/AgeColour.h"
#include "model/NumberText.h"

namespace velmora {
namespace {

// The circle's own approximations of pi and 2 pi, not the exact values.
constexpr double kCirclePi = 3.141592;
constexpr float kFullTurn = 6.283184f;
// Where the piece below 3 o'clock starts.
constexpr float kJustAboveZero = 0.000001f;

}  // namespace

// The two sums are added exactly; only a census that has exploded (a total
// summed part-way over group sums each near the range's end) adds them in
// double precision instead of failing.
float AgeGroupShare(const CensusRecord& census, int group) {
  double both;
  try {
    both = (census.GroupSum(0, group) + census.GroupSum(1, group)).ToDouble();
  } catch (const Failure&) {
    both = census.GroupSum(0, group).ToDouble() + census.GroupSum(1, group).ToDouble();
  }
  return static_cast<float>(std::floor(both / census.Total.ToDouble() * 1000.0) / 10.0);
}

void PlanAgeCircle(const CensusRecord& census, const WorldRecord& people, std::vector<CircleSector>& sectors) {
  sectors.clear();
  if (census.Total <= HeadCount()) return;
  const double total = census.Total.ToDouble();
  float start = static_cast<float>(kCirclePi / 2.0);
  HeadCount pending;
  for (int age = 0; age < kAges; ++age) {
    const int32_t colour = AgeColour(age);
    pending = pending + people.People(0, age) + people.People(1, age);
    float end = static_cast<float>(static_cast<double>(start) - pending.ToDouble() / total * 2.0 * kCirclePi);
    if (end == start) continue;  // too few to show: carried into the next age
    if (end < 0.0f) {
      end = end + kFullTurn;
      // The span crosses 3 o'clock: the part above it, then the part below.
      // A start at (or within a hair of) 3 o'clock has no part above it; a
      // piece from just above zero to there would wrap into a whole disc.
      if (start > kJustAboveZero) sectors.push_back({kJustAboveZero, start, colour});
      if (end < kFullTurn) sectors.push_back({end, kFullTurn, colour});
    } else if (end <= start) {
      sectors.push_back({end, start, colour});
    } else {
      sectors.push_back({start, end, colour});  // only a negative head count turns back
    }
    pending = HeadCount();
    start = end;
  }
}

std::string AgeShareReadout(const CensusRecord& census) {
  const float elders = AgeGroupShare(census, kElders);
  const float adults = AgeGroupShare(census, kAdults);
  const float children = AgeGroupShare(census, kChildren);
  return "Elders = " + FloatText(elders) + "% , Adults = " + FloatText(adults) +
         "% , Children = " + FloatText(children) + "%";
}

}  // namespace velmora
