#pragma once

// The command line's numbers are those of the preset tables: one decimal
// grammar for everything typed and read (see presets/Decimal.h).
#include "presets/Decimal.h"

namespace velmora::cli {

using presets::HeadCountText;
using presets::ParseHeadCount;
using presets::ParseInt;
using presets::ParseRate;
using presets::ParseWhole;
using presets::RateText;
using presets::ShortestText;

}  // namespace velmora::cli
