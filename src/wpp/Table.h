#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::wpp {

// A fault in the UN tables or in what was asked of them (unknown location,
// year outside the tables). The message is one line.
struct WppError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Far above the largest real table (2 MB), far below what hurts.
inline constexpr std::size_t kMaxTableBytes = 64u << 20;

// One tab-separated table of the UN data package, read whole once. Every row
// is keyed by its location code (column country_code); rows are split into
// fields only when asked for, so one location out of a few thousand rows
// costs one pass.
class Table {
 public:
  struct Row {
    int line = 0;  // 1-based, for messages
    std::vector<std::string_view> fields;
  };

  // Regular files only, at most kMaxTableBytes, ending with a complete
  // line, with a header of unique column names including country_code.
  static Table Load(const std::filesystem::path& path);

  const std::string& FileName() const { return fileName_; }
  // Index of a header column, empty when there is none.
  std::optional<std::size_t> Column(std::string_view name) const;
  // Index of a header column; a table without it is a WppError.
  std::size_t RequireColumn(std::string_view name) const;
  std::vector<Row> RowsOf(int code) const;
  std::vector<Row> AllRows() const;
  // Every location code with at least one row, in file order, once each.
  std::vector<int> Codes() const;
  // A field as a complete number; anything else is a WppError naming file
  // and line.
  double Number(const Row& row, std::size_t column) const;

 private:
  struct Line {
    int code;
    int number;
    std::string_view text;
  };

  std::string fileName_;
  std::string text_;
  std::vector<std::string_view> header_;
  std::vector<Line> lines_;
};

}  // namespace velmora::wpp
