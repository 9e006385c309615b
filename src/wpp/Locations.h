#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wpp/Table.h"

namespace velmora::wpp {

struct Location {
  int code = 0;
  std::string name;
  int type = 0;  // the UN's location_type: 0 world, 2 region, 3 subregion, 4 country or area
};

// "world", "region", "subregion", "country/area", or "group" for the UN's
// other aggregates (income groups, development groups, ...).
std::string_view LocationTypeName(int type);

// The locations a preset can be made for, in the UN's order, and the lookup
// of one of them by what a user types.
class LocationIndex {
 public:
  // The locations of UNlocations that have rows in every one of `tables`.
  LocationIndex(const Table& unLocations, const std::vector<const Table*>& tables);

  const std::vector<Location>& All() const { return locations_; }
  // Names containing `text` (ignoring case, Latin accents and surrounding
  // spaces, see FoldName), or the location whose code `text` is.
  std::vector<Location> Matching(std::string_view text) const;
  // A code; else the one name equal to the query when folded; else the one
  // name containing it. Several candidates, none, or a location without
  // every table are a WppError that names them.
  Location Find(std::string_view query) const;

 private:
  std::vector<Location> locations_;
  std::vector<Location> incomplete_;  // in UNlocations, but lacking a table
};

}  // namespace velmora::wpp
