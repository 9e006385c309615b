#pragma once

#include <string>

#include "model/ModulePopulation.h"

namespace velmora {

// The texts the pyramid's information line shows under the pointer.

// "Men; Age 20-24 = 1,234,000 / 2,500,000": the value being dragged to.
std::string EditText(Int16 sex, int ageClass, HeadCount value, HeadCount fullScale);

// What the class under the pointer holds in the year being looked at
// (WorldHistory(SelectedYear)): its population, birth rate (of that year's
// period) or death rate (of the table being edited), then the year in the
// relative view or the full scale otherwise. A class too large to sum is an
// overflow failure.
std::string ReadoutText(const ModulePopulation& m, Int16 sex, int ageClass);

}  // namespace velmora
