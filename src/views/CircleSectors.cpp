#include "views/CircleSectors.h"

#include <cmath>

#include "model/AgeColour.h"
#include "model/NumberText.h"

namespace velmora {
namespace {

// The circle's own approximations of pi and 2 pi, not the exact values.
constexpr double kPi = 3.141592;
constexpr float kFullTurn = 6.283184f;
// Where the piece below 3 o'clock starts.
constexpr float kJustAboveZero = 0.000001f;

float Share(HeadCount part, HeadCount total) {
  return static_cast<float>(std::floor(part.ToDouble() / total.ToDouble() * 1000.0) / 10.0);
}

}  // namespace

void PlanAgeCircle(const CensusRecord& census, const WorldRecord& people, std::vector<CircleSector>& sectors) {
  sectors.clear();
  if (census.Total <= HeadCount()) return;
  const double total = census.Total.ToDouble();
  float start = static_cast<float>(kPi / 2.0);
  HeadCount pending;
  for (int age = 0; age < kAges; ++age) {
    const int32_t colour = AgeColour(age);
    pending = pending + people.People(0, age) + people.People(1, age);
    float end = static_cast<float>(static_cast<double>(start) - pending.ToDouble() / total * 2.0 * kPi);
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
  const float elders = Share(census.GroupSum(0, kElders) + census.GroupSum(1, kElders), census.Total);
  const float adults = Share(census.GroupSum(0, kAdults) + census.GroupSum(1, kAdults), census.Total);
  const float children = Share(census.GroupSum(0, kChildren) + census.GroupSum(1, kChildren), census.Total);
  return "Elders = " + FloatText(elders) + "% , Adults = " + FloatText(adults) +
         "% , Children = " + FloatText(children) + "%";
}

}  // namespace velmora
