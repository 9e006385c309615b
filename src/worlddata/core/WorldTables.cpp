#include "worlddata/core/WorldTables.h"

#include <map>
#include <system_error>

#include "presets/MessageText.h"
#include "wpp/NameFold.h"

namespace velmora::worlddata {

namespace fs = std::filesystem;

namespace {

Place MakePlace(const wpp::Location& location, const PlaceNames& names) {
  Place place;
  place.location = location;
  place.english = location.name;
  place.japanese = names.Japanese(location.code);
  if (place.japanese.empty()) place.japanese = location.name;
  place.code = std::to_string(location.code);
  place.type = JapaneseTypeName(location.type);
  place.foldedJapanese = wpp::FoldName(place.japanese);
  place.foldedEnglish = wpp::FoldName(place.english);
  place.foldedCode = place.code;
  return place;
}

}  // namespace

const WorldTables& WorldTables::Of(const fs::path& folder) {
  // One process, one user-interface thread: a plain map suffices.
  static std::map<fs::path, std::unique_ptr<WorldTables>> read;
  auto& tables = read[folder];
  if (!tables || !tables->Ready()) tables = std::make_unique<WorldTables>(folder, PlaceNames::Builtin());
  return *tables;
}

WorldTables::WorldTables(fs::path folder, const PlaceNames& names) : folder_(std::move(folder)) {
  std::error_code error;
  if (!fs::is_directory(folder_, error)) {
    problem_ = "国連の表（World Population Prospects 2019）が見つかりません。探した場所: " +
               presets::ShownPath(folder_.string());
    return;
  }
  try {
    source_ = std::make_unique<wpp::Source>(folder_);
    const wpp::LocationIndex index = source_->Locations();
    places_.reserve(index.All().size());
    for (const wpp::Location& location : index.All()) places_.push_back(MakePlace(location, names));
  } catch (const std::exception& failure) {
    // A missing or damaged table: the whole source is unusable.
    places_.clear();
    source_.reset();
    problem_ = "国連の表を読めません（探した場所: " + presets::ShownPath(folder_.string()) +
               "）: " + presets::Shown(failure.what(), 300);
  }
}

wpp::Preset WorldTables::Build(const Place& place, int year) const {
  if (!source_) throw wpp::WppError(problem_);
  return source_->Build(place.location, year);
}

std::vector<std::size_t> MatchingPlaces(const std::vector<Place>& places, std::string_view query) {
  const std::string part = wpp::FoldName(query);
  std::vector<std::size_t> found;
  found.reserve(places.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    const Place& p = places[i];
    if (p.foldedJapanese.find(part) != std::string::npos || p.foldedEnglish.find(part) != std::string::npos ||
        p.foldedCode.find(part) != std::string::npos)
      found.push_back(i);
  }
  return found;
}

std::vector<int> PresetYears() {
  std::vector<int> years;
  for (int year = wpp::kFirstYear; year <= wpp::kLastYear; year += 5) years.push_back(year);
  return years;
}

}  // namespace velmora::worlddata
