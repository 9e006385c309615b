#include "wpp/Locations.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <set>

#include "presets/Decimal.h"
#include "presets/MessageText.h"
#include "wpp/NameFold.h"

namespace velmora::wpp {

namespace {

// A code as typed, surrounding spaces allowed; plain digits only.
std::optional<int> AsCode(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  const auto code = presets::ParseWhole(text, 0, 999999);
  if (!code) return std::nullopt;
  return static_cast<int>(*code);
}

std::string Describe(const Location& location) {
  return std::to_string(location.code) + " " + location.name + " (" + std::string(LocationTypeName(location.type)) +
         ")";
}

// The candidates, on one line; a long list is cut short.
std::string CandidateList(const std::vector<Location>& candidates) {
  constexpr std::size_t kShown = 12;
  std::string list;
  for (std::size_t i = 0; i < candidates.size() && i < kShown; ++i) {
    if (i > 0) list += "; ";
    list += Describe(candidates[i]);
  }
  if (candidates.size() > kShown)
    list += "; and " + std::to_string(candidates.size() - kShown) + " more (see: wpp list --match)";
  return list;
}

}  // namespace

std::string_view LocationTypeName(int type) {
  switch (type) {
    case 0:
      return "world";
    case 2:
      return "region";
    case 3:
      return "subregion";
    case 4:
      return "country/area";
    default:
      return "group";
  }
}

LocationIndex::LocationIndex(const Table& unLocations, const std::vector<const Table*>& tables) {
  std::vector<std::set<int>> present;
  for (const Table* table : tables) {
    const std::vector<int> codes = table->Codes();
    present.emplace_back(codes.begin(), codes.end());
  }
  const std::size_t nameColumn = unLocations.RequireColumn("name");
  const std::size_t codeColumn = unLocations.RequireColumn("country_code");
  const std::size_t typeColumn = unLocations.RequireColumn("location_type");
  for (const Table::Row& row : unLocations.AllRows()) {
    if (row.fields.size() <= std::max({nameColumn, codeColumn, typeColumn})) continue;
    Location location;
    location.name = std::string(row.fields[nameColumn]);
    location.code = static_cast<int>(unLocations.Number(row, codeColumn));
    location.type = static_cast<int>(unLocations.Number(row, typeColumn));
    const bool complete = std::all_of(present.begin(), present.end(),
                                      [&](const std::set<int>& codes) { return codes.count(location.code) > 0; });
    if (complete) {
      locations_.push_back(std::move(location));
    } else {
      incomplete_.push_back(std::move(location));
    }
  }
}

std::vector<Location> LocationIndex::Matching(std::string_view text) const {
  const std::optional<int> code = AsCode(text);
  std::vector<Location> found;
  for (const Location& location : locations_) {
    if ((code && location.code == *code) || FoldedContains(location.name, text)) found.push_back(location);
  }
  return found;
}

Location LocationIndex::Find(std::string_view query) const {
  const std::string shown = presets::Quoted(query);
  const auto lacking = [&](const Location& location) {
    return WppError("location " + Describe(location) + " does not have all the tables a preset needs (see: wpp list)");
  };
  if (const std::optional<int> code = AsCode(query)) {
    for (const Location& location : locations_) {
      if (location.code == *code) return location;
    }
    for (const Location& location : incomplete_) {
      if (location.code == *code) throw lacking(location);
    }
    throw WppError("no location with code " + shown + " (see: wpp list)");
  }
  const std::string folded = FoldName(query);
  if (folded.empty()) throw WppError("unknown location " + shown + " (see: wpp list)");
  // A whole name first (a name may be part of longer ones: "Niger",
  // "Nigeria"), then a part of one name.
  const auto select = [&](const std::vector<Location>& among, bool whole) {
    std::vector<Location> found;
    for (const Location& location : among) {
      if (whole ? FoldName(location.name) == folded : FoldedContains(location.name, query)) found.push_back(location);
    }
    return found;
  };
  for (const bool whole : {true, false}) {
    const std::vector<Location> found = select(locations_, whole);
    if (found.size() == 1) return found.front();
    if (found.size() > 1)
      throw WppError("location " + shown + " is ambiguous, give its code or more of its name: " + CandidateList(found));
    const std::vector<Location> without = select(incomplete_, whole);
    if (without.size() == 1) throw lacking(without.front());
    if (without.size() > 1)
      throw WppError("no location " + shown + " has all the tables a preset needs: " + CandidateList(without));
  }
  throw WppError("unknown location " + shown + " (see: wpp list)");
}

}  // namespace velmora::wpp
