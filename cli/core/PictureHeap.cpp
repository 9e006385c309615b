#include "cli/core/PictureHeap.h"

#include <algorithm>
#include <string_view>

namespace velmora::cli {
namespace {

// Whether the tunables list (a=1:b=2) sets setting's name already.
bool Sets(std::string_view list, std::string_view setting) {
  const std::string_view name = setting.substr(0, setting.find('=') + 1);
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (list.substr(start, end - start).starts_with(name)) return true;
    start = end + 1;
  }
  return false;
}

// list with each setting the caller has not made.
std::string Extended(std::string list) {
  for (const std::string_view setting : kPictureHeap) {
    if (Sets(list, setting)) continue;
    if (!list.empty()) list += ':';
    list += setting;
  }
  return list;
}

}  // namespace

std::vector<std::string> WithPictureHeap(char** environment) {
  constexpr std::string_view kName = "GLIBC_TUNABLES=";
  std::vector<std::string> result;
  bool named = false;
  for (char** entry = environment; entry != nullptr && *entry != nullptr; ++entry) {
    std::string text = *entry;
    // The C library reads the first setting of a name.
    if (!named && text.starts_with(kName)) {
      named = true;
      text = std::string(kName) + Extended(text.substr(kName.size()));
    }
    result.push_back(std::move(text));
  }
  if (!named) result.push_back(std::string(kName) + Extended({}));
  return result;
}

}  // namespace velmora::cli
