#include "worlddata/core/PlaceNames.h"

#include <charconv>

namespace velmora::worlddata {

extern const std::string_view kIsoNameTable;
extern const std::string_view kOwnNameTable;

namespace {

// The next field of a line up to a tab, or the rest of it.
std::string_view NextField(std::string_view& line) {
  const std::size_t tab = line.find('\t');
  const std::string_view field = line.substr(0, tab);
  line = tab == std::string_view::npos ? std::string_view{} : line.substr(tab + 1);
  return field;
}

}  // namespace

const PlaceNames& PlaceNames::Builtin() {
  static const PlaceNames names(kIsoNameTable, kOwnNameTable);
  return names;
}

PlaceNames::PlaceNames(std::string_view isoTable, std::string_view ownTable) {
  Add(isoTable);
  Add(ownTable);  // later tables win
}

void PlaceNames::Add(std::string_view table) {
  while (!table.empty()) {
    const std::size_t end = table.find('\n');
    std::string_view line = table.substr(0, end);
    table = end == std::string_view::npos ? std::string_view{} : table.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view codeText = NextField(line);
    const std::string_view japanese = NextField(line);
    const std::string_view english = NextField(line);
    int code = 0;
    const auto [next, error] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (error != std::errc{} || next != codeText.data() + codeText.size() || codeText.empty()) continue;
    if (japanese.empty() || japanese == english) continue;
    names_[code] = std::string(japanese);
  }
}

std::string PlaceNames::Japanese(int code) const {
  const auto found = names_.find(code);
  return found == names_.end() ? std::string{} : found->second;
}

std::string_view JapaneseTypeName(int type) {
  switch (type) {
    case 0:
      return "世界";
    case 2:
      return "地域";
    case 3:
      return "小地域";
    case 4:
      return "国・地域";
    default:
      return "グループ";
  }
}

}  // namespace velmora::worlddata
