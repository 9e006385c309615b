#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "worlddata/core/PlaceNames.h"
#include "wpp/Preset.h"

namespace velmora::worlddata {

// One location as the window lists it.
struct Place {
  wpp::Location location;
  std::string japanese;   // the Japanese name, the English one when there is none
  std::string english;    // the UN's name
  std::string code;       // the location code as text
  std::string_view type;  // the type in Japanese
  // The same three texts folded for the search, once.
  std::string foldedJapanese, foldedEnglish, foldedCode;
};

// The UN tables of one folder with every location that a preset can be made
// for, read once; or the one line that says why they cannot be used.
class WorldTables {
 public:
  // The tables of a folder, read on the first call for that folder in this
  // process and kept for the process's life. A folder whose tables could not
  // be read is tried again on the next call.
  static const WorldTables& Of(const std::filesystem::path& folder);

  // Reads the tables now.
  WorldTables(std::filesystem::path folder, const PlaceNames& names);

  bool Ready() const { return problem_.empty(); }
  // Empty when ready; otherwise one line, control bytes escaped, that says
  // where the tables were looked for.
  const std::string& Problem() const { return problem_; }
  const std::filesystem::path& Folder() const { return folder_; }
  const std::vector<Place>& Places() const { return places_; }

  // The population of 1 July of year and the rates centred on it; a
  // WppError (one line) when the tables cannot give it.
  wpp::Preset Build(const Place& place, int year) const;

 private:
  std::filesystem::path folder_;
  std::unique_ptr<wpp::Source> source_;
  std::vector<Place> places_;
  std::string problem_;
};

// The indexes of the places whose Japanese name, English name or code
// contains the query, compared folded (case, Latin accents, full-width
// letters and surrounding spaces ignored). An empty query matches all.
std::vector<std::size_t> MatchingPlaces(const std::vector<Place>& places, std::string_view query);

// The years a preset can be made for: 1950, 1955, ..., 2100.
std::vector<int> PresetYears();

}  // namespace velmora::worlddata
