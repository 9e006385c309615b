#include "presets/CsvTable.h"

#include <algorithm>

#include "presets/InputError.h"
#include "presets/MessageText.h"

namespace velmora::presets {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

CsvReader::CsvReader(const std::string& path, std::string_view header)
    : lines_(path, kMaxCsvFileBytes, kMaxCsvLineBytes),
      header_(header),
      columns_(std::count(header.begin(), header.end(), ',') + 1) {
  std::string_view line;
  if (!lines_.Next(line)) {
    throw InputError(ShownPath(path) + ": empty file, expected the header \"" + header_ + "\"");
  }
  if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  if (Trim(line) != header_) {
    throw InputError(ShownPath(path) + ":1: expected the header \"" + header_ + "\", not " + Quoted(line));
  }
}

std::string CsvReader::Where(const CsvRow& row) const {
  return ShownPath(lines_.Path()) + ":" + std::to_string(row.line) + ": ";
}

bool CsvReader::Next(CsvRow& row) {
  std::string_view line;
  do {
    if (!lines_.Next(line)) return false;
  } while (Trim(line).empty());
  row.line = lines_.LineNumber();
  row.cells.clear();
  std::size_t start = 0;
  while (row.cells.size() <= columns_) {
    const std::size_t comma = line.find(',', start);
    row.cells.push_back(
        Trim(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (row.cells.size() != columns_) {
    const std::string count =
        row.cells.size() > columns_ ? "more than " + std::to_string(columns_) : std::to_string(row.cells.size());
    throw InputError(Where(row) + count + " cells, expected " + std::to_string(columns_) + " (" + header_ + ")");
  }
  return true;
}

}  // namespace velmora::presets
