#include "wpp/NameFold.h"

#include <array>

namespace velmora::wpp {
namespace {

// Base letters of U+00C0..U+017F, in code point order; "" keeps the letter
// as it is. Upper and lower case share one entry each.
constexpr std::array<std::string_view, 192> kLatinBase = {
    // U+00C0 ÀÁÂÃÄÅÆÇ ÈÉÊËÌÍÎÏ ÐÑÒÓÔÕÖ× ØÙÚÛÜÝÞß
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  //
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "ss",  //
    // U+00E0 àáâãäåæç èéêëìíîï ðñòóôõö÷ øùúûüýþÿ
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  //
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "y",   //
    // U+0100 ĀāĂăĄąĆćĈĉĊċČčĎď ĐđĒēĔĕĖėĘęĚěĜĝĞğ
    "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d", "d",  //
    "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g",  //
    // U+0120 ĠġĢģĤĥĦħĨĩĪīĬĭĮį İıĲĳĴĵĶķĸĹĺĻļĽľĿ
    "g", "g", "g", "g", "h", "h", "h", "h", "i", "i", "i", "i", "i", "i", "i", "i",    //
    "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l",  //
    // U+0140 ŀŁłŃńŅņŇňŉŊŋŌōŎŏ ŐőŒœŔŕŖŗŘřŚśŜŝŞş
    "l", "l", "l", "n", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o",    //
    "o", "o", "oe", "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s",  //
    // U+0160 ŠšŢţŤťŦŧŨũŪūŬŭŮů ŰűŲųŴŵŶŷŸŹźŻżŽžſ
    "s", "s", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u",  //
    "u", "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z", "z", "z", "s"};

constexpr char32_t kIdeographicSpace = 0x3000;

// The code point at text[i] and its length in bytes; a byte that does not
// start a well-formed sequence is returned as itself with length 1 and
// code point 0xFFFFFFFF (never folded).
std::pair<char32_t, std::size_t> Decode(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length > text.size()) return {0xFFFFFFFF, 1};
  char32_t point = lead & (0xFF >> (length + 1));
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return {0xFFFFFFFF, 1};
    point = (point << 6) | (byte(i + k) & 0x3F);
  }
  const bool overlong = (length == 3 && point < 0x800) || (length == 4 && point < 0x10000);
  if (overlong || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return {0xFFFFFFFF, 1};
  return {point, length};
}

bool IsSpace(char32_t point) {
  return point == ' ' || point == '\t' || point == '\n' || point == '\r' || point == kIdeographicSpace;
}

}  // namespace

std::string FoldName(std::string_view text) {
  // Trim first, on whole code points.
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end) {
    const auto [point, length] = Decode(text, begin);
    if (!IsSpace(point)) break;
    begin += length;
  }
  std::string folded;
  folded.reserve(end - begin);
  std::size_t kept = 0;  // folded's length up to its last non-space
  for (std::size_t i = begin; i < end;) {
    auto [point, length] = Decode(text, i);
    if (point >= 0xFF01 && point <= 0xFF5E) point = point - 0xFF01 + '!';
    if (point < 0x80) {
      folded += (point >= 'A' && point <= 'Z') ? static_cast<char>(point - 'A' + 'a') : static_cast<char>(point);
    } else if (point >= 0xC0 && point <= 0x17F && !kLatinBase[point - 0xC0].empty()) {
      folded += kLatinBase[point - 0xC0];
    } else {
      folded.append(text.substr(i, length));
    }
    if (!IsSpace(point)) kept = folded.size();
    i += length;
  }
  folded.resize(kept);
  return folded;
}

bool FoldedContains(std::string_view name, std::string_view part) {
  return FoldName(name).find(FoldName(part)) != std::string::npos;
}

}  // namespace velmora::wpp
