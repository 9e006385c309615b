#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Records.h"
#include "views/Canvas.h"

namespace velmora {

// One filled sector of the age circle, from start counter-clockwise to end
// (radians, 0 at 3 o'clock), in an age's colour.
using CircleSector = PieSector;

// The sectors of the age circle of people, in drawing order: one per age with
// people (an age too small to turn the angle is carried into the next one),
// clockwise from 12 o'clock, the one across 3 o'clock in two pieces. Empty
// when census.Total is not positive.
void PlanAgeCircle(const CensusRecord& census, const WorldRecord& people, std::vector<CircleSector>& sectors);

// One age group of both sexes as a percentage of census.Total (positive),
// truncated to one decimal.
float AgeGroupShare(const CensusRecord& census, int group);

// "Elders = 17.4% , Adults = 66.7% , Children = 15.8%": each group's share of
// census.Total, truncated to one decimal. census.Total must be positive.
std::string AgeShareReadout(const CensusRecord& census);

}  // namespace velmora
