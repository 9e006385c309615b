// Input shown in a message: printable, one line, short.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presets/MessageText.h"

namespace velmora::presets {
namespace {

TEST(MessageText, InputIsEscapedAndCut) {
  struct Case {
    std::string raw;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"Japan", "Japan"},
      {"Côte d'Ivoire", "Côte d'Ivoire"},  // valid UTF-8 stays
      {"人口　ピラミッド", "人口　ピラミッド"},
      {"\x1b[2J\x07", "\\x1b[2J\\x07"},     // terminal controls
      {"a\nb\r\tc", "a\\x0ab\\x0d\\x09c"},  // the message stays one line
      {"\x7f", "\\x7f"},
      {"\xc2\x9b"
       "31m",
       "\\xc2\\x9b31m"},  // a C1 control in UTF-8
      {"\xff\xfe", "\\xff\\xfe"},
      {"\xe3\x81", "\\xe3\\x81"},           // cut inside a character
      {"\xed\xa0\x80", "\\xed\\xa0\\x80"},  // a surrogate
      {"\xc0\xaf", "\\xc0\\xaf"},           // an overlong slash
      {"back\\slash", "back\\\\slash"},     // so that \x1b in a name is told from an escape
      {std::string(45, 'x'), std::string(40, 'x') + "... (5 more bytes)"},
      {std::string(41, '\x01'),
       [] {
         std::string s;
         for (int i = 0; i < 40; ++i) s += "\\x01";
         return s + "... (1 more bytes)";
       }()},
  };
  for (const Case& c : cases) EXPECT_EQ(Shown(c.raw), c.shown);
  EXPECT_EQ(Quoted("a\nb"), "\"a\\x0ab\"");
  EXPECT_EQ(ShownPath(std::string(1000, 'p')).size(), 400u + std::string("... (600 more bytes)").size());
}

}  // namespace
}  // namespace velmora::presets
