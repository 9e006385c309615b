#include "wpp/Locations.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <set>

namespace velmora::wpp {

namespace {

// The names are ASCII; other bytes are compared as they are.
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Lower(x) == Lower(y);
         });
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](char x, char y) { return Lower(x) == Lower(y); }) != text.end();
}

std::optional<int> AsCode(std::string_view text) {
  int code = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return code;
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
    case 0: return "world";
    case 2: return "region";
    case 3: return "subregion";
    case 4: return "country/area";
    default: return "group";
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
    if (complete) locations_.push_back(std::move(location));
  }
}

std::vector<Location> LocationIndex::Matching(std::string_view text) const {
  const std::optional<int> code = AsCode(text);
  std::vector<Location> found;
  for (const Location& location : locations_) {
    if ((code && location.code == *code) || ContainsNoCase(location.name, text)) found.push_back(location);
  }
  return found;
}

Location LocationIndex::Find(std::string_view query) const {
  const std::string shown = "\"" + std::string(query) + "\"";
  if (const std::optional<int> code = AsCode(query)) {
    for (const Location& location : locations_) {
      if (location.code == *code) return location;
    }
    throw WppError("no location with code " + shown + " has all the tables (see: wpp list)");
  }
  std::vector<const Location*> exact;
  for (const Location& location : locations_) {
    if (EqualNoCase(location.name, query)) exact.push_back(&location);
  }
  if (exact.size() == 1) return *exact.front();
  if (exact.size() > 1) {
    std::vector<Location> candidates;
    for (const Location* location : exact) candidates.push_back(*location);
    throw WppError("location " + shown + " is ambiguous, give its code: " + CandidateList(candidates));
  }
  const std::vector<Location> candidates = query.empty() ? std::vector<Location>{} : Matching(query);
  if (candidates.empty()) throw WppError("unknown location " + shown + " (see: wpp list)");
  throw WppError("unknown location " + shown + "; did you mean: " + CandidateList(candidates));
}

}  // namespace velmora::wpp
