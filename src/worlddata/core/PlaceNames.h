#pragma once

#include <map>
#include <string>
#include <string_view>

namespace velmora::worlddata {

// Japanese names of the UN locations by location code: the ISO 3166-1
// countries as Debian's iso-codes translates them, and a table of our own for
// the aggregates and the few countries that translation lacks (ours wins).
class PlaceNames {
 public:
  // The names compiled into the program (data/names).
  static const PlaceNames& Builtin();

  // Tables of lines "code<TAB>Japanese<TAB>English"; a line that is not of
  // that form is skipped, and an entry whose Japanese equals its English
  // counts as untranslated.
  PlaceNames(std::string_view isoTable, std::string_view ownTable);

  // The Japanese name of a code, empty when there is none.
  std::string Japanese(int code) const;
  std::size_t Size() const { return names_.size(); }

 private:
  void Add(std::string_view table);

  std::map<int, std::string> names_;
};

// The Japanese word for a UN location type (0 world, 2 region, 3 subregion,
// 4 country or area, anything else a group).
std::string_view JapaneseTypeName(int type);

}  // namespace velmora::worlddata
