#include "cli/core/HugePages.h"

#include <string_view>

namespace velmora::cli {

std::vector<std::string> WithHugePages(char** environment) {
  constexpr std::string_view kName = "GLIBC_TUNABLES=";
  constexpr std::string_view kHugePages = "glibc.malloc.hugetlb=1";
  std::vector<std::string> result;
  bool named = false;
  for (char** entry = environment; entry != nullptr && *entry != nullptr; ++entry) {
    std::string text = *entry;
    // The C library reads the first setting of a name.
    if (!named && text.starts_with(kName)) {
      named = true;
      if (text.find("glibc.malloc.hugetlb=") == std::string::npos) {
        if (text.size() > kName.size()) text += ':';
        text += kHugePages;
      }
    }
    result.push_back(std::move(text));
  }
  if (!named) result.push_back(std::string(kName) + std::string(kHugePages));
  return result;
}

}  // namespace velmora::cli
