#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::cli {

// One data line of a CSV table: its cells (surrounding blanks removed) and
// its line number in the file, counted from 1 for the header.
struct CsvRow {
  int line = 0;
  std::vector<std::string> cells;
};

// The data lines of a CSV text whose first line must be header. Blank lines
// are skipped; "\r\n" line ends and a leading UTF-8 byte-order mark (as
// spreadsheets write them) are accepted. Plain cells only: no quoting.
// A wrong header or a line with another number of cells than the header is
// an InputError naming file and line.
std::vector<CsvRow> ReadCsvTable(std::string_view text, std::string_view header, const std::string& file);

}  // namespace velmora::cli
