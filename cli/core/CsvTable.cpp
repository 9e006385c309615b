#include "cli/core/CsvTable.h"

#include <algorithm>

#include "cli/core/PresetIo.h"

namespace velmora::cli {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> SplitCells(std::string_view line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    cells.emplace_back(Trim(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return cells;
}

}  // namespace

std::vector<CsvRow> ReadCsvTable(std::string_view text, std::string_view header, const std::string& file) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::size_t columns = std::count(header.begin(), header.end(), ',') + 1;
  std::vector<CsvRow> rows;
  int lineNumber = 0;
  bool sawHeader = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!sawHeader) {
      if (Trim(line) != header) {
        throw InputError(file + ":" + std::to_string(lineNumber) + ": expected the header \"" + std::string(header) +
                         "\"");
      }
      sawHeader = true;
      continue;
    }
    if (Trim(line).empty()) continue;
    CsvRow row{lineNumber, SplitCells(line)};
    if (row.cells.size() != columns) {
      throw InputError(file + ":" + std::to_string(lineNumber) + ": " + std::to_string(row.cells.size()) +
                       " cells, expected " + std::to_string(columns) + " (" + std::string(header) + ")");
    }
    rows.push_back(std::move(row));
  }
  if (!sawHeader) throw InputError(file + ": empty file, expected the header \"" + std::string(header) + "\"");
  return rows;
}

}  // namespace velmora::cli
