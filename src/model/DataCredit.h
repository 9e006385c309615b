#pragma once

namespace velmora {

// The attribution the UN data's licence asks for wherever the data shows:
// the About box, the command line's reports and the presets made from the
// tables.
inline constexpr const char* kDataCredit =
    "Source: United Nations, DESA, Population Division. World Population Prospects 2019.";

}  // namespace velmora
