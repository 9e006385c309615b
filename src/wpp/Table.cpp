#include "wpp/Table.h"

#include <charconv>
#include <cmath>
#include <unordered_set>

#include "presets/InputError.h"
#include "presets/InputFile.h"
#include "presets/MessageText.h"

namespace velmora::wpp {

namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

// A number as the UN tables write it: optional "-", digits, optionally a
// point and digits, optionally an exponent. Nothing cut short ("1.", "2e").
bool IsTableNumber(std::string_view text) {
  std::size_t pos = 0;
  const auto digits = [&] {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    return pos > start;
  };
  if (pos < text.size() && text[pos] == '-') ++pos;
  if (!digits()) return false;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    if (!digits()) return false;
  }
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (!digits()) return false;
  }
  return pos == text.size();
}

}  // namespace

Table Table::Load(const std::filesystem::path& path) {
  Table table;
  table.fileName_ = presets::ShownPath(path.filename().string());
  try {
    table.text_ = presets::ReadWholeFile(path.string(), kMaxTableBytes);
  } catch (const presets::InputError& error) {
    throw WppError(error.what());
  }
  const std::string_view all = table.text_;
  // Every table ends with a line end: a file without one was cut short.
  if (!all.empty() && all.back() != '\n')
    throw WppError(table.fileName_ + ": ends inside a line (the file is cut short)");
  std::size_t start = 0;
  int number = 0;
  std::size_t keyColumn = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (table.header_.empty()) {
      table.header_ = SplitTabs(line);
      for (std::size_t i = 0; i < table.header_.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
          if (table.header_[i] == table.header_[j])
            throw WppError(table.fileName_ + ": column " + presets::Quoted(table.header_[i]) + " twice in the header");
        }
      }
      keyColumn = table.RequireColumn("country_code");
      continue;
    }
    std::string_view key = line;
    for (std::size_t skip = 0; skip < keyColumn; ++skip) {
      const std::size_t tab = key.find('\t');
      key = tab == std::string_view::npos ? std::string_view{} : key.substr(tab + 1);
    }
    int code = 0;
    const auto [codeEnd, error] = std::from_chars(key.data(), key.data() + key.size(), code);
    if (key.empty() || error != std::errc{} || (codeEnd != key.data() + key.size() && *codeEnd != '\t'))
      throw WppError(table.fileName_ + " line " + std::to_string(number) + ": no location code");
    table.lines_.push_back({code, number, line});
  }
  if (table.header_.empty()) throw WppError(table.fileName_ + ": empty table");
  return table;
}

std::optional<std::size_t> Table::Column(std::string_view name) const {
  for (std::size_t i = 0; i < header_.size(); ++i) {
    if (header_[i] == name) return i;
  }
  return std::nullopt;
}

std::size_t Table::RequireColumn(std::string_view name) const {
  const auto column = Column(name);
  if (!column) throw WppError(fileName_ + ": no column " + presets::Quoted(name));
  return *column;
}

std::vector<Table::Row> Table::RowsOf(int code) const {
  std::vector<Row> rows;
  for (const Line& line : lines_) {
    if (line.code == code) rows.push_back({line.number, SplitTabs(line.text)});
  }
  return rows;
}

std::vector<Table::Row> Table::AllRows() const {
  std::vector<Row> rows;
  rows.reserve(lines_.size());
  for (const Line& line : lines_) rows.push_back({line.number, SplitTabs(line.text)});
  return rows;
}

std::vector<int> Table::Codes() const {
  std::vector<int> codes;
  std::unordered_set<int> seen;
  for (const Line& line : lines_) {
    if (seen.insert(line.code).second) codes.push_back(line.code);
  }
  return codes;
}

double Table::Number(const Row& row, std::size_t column) const {
  const std::string where = fileName_ + " line " + std::to_string(row.line);
  if (column >= row.fields.size()) throw WppError(where + ": too few fields");
  const std::string_view text = row.fields[column];
  double value = 0.0;
  const bool complete = IsTableNumber(text);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (!complete || error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
    throw WppError(where + ": not a number: " + presets::Quoted(text));
  return value;
}

}  // namespace velmora::wpp
