#include "presets/MessageText.h"

#include <cstdint>

namespace velmora::presets {
namespace {

constexpr std::size_t kPathLimit = 400;

// Length of the valid UTF-8 sequence at the start of text, 0 when there is
// none (overlong forms, surrogates and values above U+10FFFF are invalid).
std::size_t Utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  uint32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2, value = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3, value = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4, value = lead & 0x07;
  else
    return 0;
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  if ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10FFFF))) return 0;
  if (value >= 0xD800 && value <= 0xDFFF) return 0;
  // C1 controls move the terminal as well as the ASCII ones.
  if (value >= 0x80 && value <= 0x9F) return 0;
  return length;
}

void AppendEscaped(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

}  // namespace

std::string Shown(std::string_view raw, std::size_t limit) {
  std::string out;
  std::size_t characters = 0;
  std::size_t i = 0;
  while (i < raw.size() && characters < limit) {
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    if (c == '\\') {
      out += "\\\\";
      ++i;
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t length = c >= 0x80 ? Utf8Length(raw.substr(i)) : 0; length > 0) {
      out.append(raw.substr(i, length));
      i += length;
    } else {
      AppendEscaped(out, c);
      ++i;
    }
    ++characters;
  }
  if (i < raw.size()) out += "... (" + std::to_string(raw.size() - i) + " more bytes)";
  return out;
}

std::string Quoted(std::string_view raw, std::size_t limit) { return "\"" + Shown(raw, limit) + "\""; }

std::string ShownPath(std::string_view path) { return Shown(path, kPathLimit); }

}  // namespace velmora::presets
