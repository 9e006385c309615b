// What a search treats as the same name.
#include <gtest/gtest.h>

#include <string>

#include "wpp/NameFold.h"

namespace velmora::wpp {
namespace {

TEST(NameFold, FoldsCaseAccentsWidthAndSurroundingSpaces) {
  const struct {
    std::string text, folded;
  } cases[] = {
      {" Japan ", "japan"},
      {"C\u00f4te d'Ivoire", "cote d'ivoire"},
      {"CURA\u00c7AO", "curacao"},
      {"R\u00e9union", "reunion"},
      {"Stra\u00dfe \u0141\u00f3d\u017a", "strasse lodz"},
      {"\u3000\uff35\uff33\uff21\u3000", "usa"},
      {"\t\u65e5\u672c ", "\u65e5\u672c"},  // Japanese kept as it is
      {"hong  kong", "hong  kong"},         // inner spaces kept
      {"   ", ""},
      {"a\xff\xc3", "a\xff\xc3"},          // bytes that are not UTF-8 kept, never read past the end
      {"\xe0\x80\xafx", "\xe0\x80\xafx"},  // an overlong form is not a character
  };
  for (const auto& c : cases) EXPECT_EQ(FoldName(c.text), c.folded) << c.text;
}

TEST(NameFold, ContainsComparesFoldedTexts) {
  EXPECT_TRUE(FoldedContains("Cote d'Ivoire", " C\u00d4TE "));
  EXPECT_TRUE(FoldedContains("United Republic of Tanzania", "tanzania"));
  EXPECT_TRUE(FoldedContains("Japan", ""));
  EXPECT_FALSE(FoldedContains("Japan", "japan!"));
}

}  // namespace
}  // namespace velmora::wpp
