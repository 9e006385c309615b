#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "presets/InputFile.h"

namespace velmora::presets {

// Our CSV tables are small (a population has 200 rows, a rate table 20):
// a file or a line far beyond that is refused as soon as it is seen.
inline constexpr std::size_t kMaxCsvFileBytes = 1 << 20;
inline constexpr std::size_t kMaxCsvLineBytes = 1024;

// One data line of a CSV table: its cells (surrounding blanks removed) and
// its line number in the file, counted from 1 for the header.
struct CsvRow {
  int line = 0;
  std::vector<std::string_view> cells;  // valid until the next row is read
};

// The data lines of a CSV file whose first line must be header, read one at
// a time. Blank lines are skipped; "\r\n" line ends and a leading UTF-8
// byte-order mark (as spreadsheets write them) are accepted. Plain cells
// only: no quoting. A wrong header or a line with another number of cells
// than the header is an InputError naming file and line.
class CsvReader {
 public:
  CsvReader(const std::string& path, std::string_view header);
  bool Next(CsvRow& row);
  // "path:line: " for messages about the row last read.
  std::string Where(const CsvRow& row) const;

 private:
  LineReader lines_;
  std::string header_;
  std::size_t columns_;
};

}  // namespace velmora::presets
