#include "presets/Decimal.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "presets/MessageText.h"

namespace velmora::presets {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t Digits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

}  // namespace

std::optional<DecimalParts> SplitDecimal(std::string_view text) {
  DecimalParts parts;
  std::size_t pos = 0;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) parts.negative = text[pos++] == '-';
  const std::size_t wholeEnd = Digits(text, pos);
  if (wholeEnd == pos) return std::nullopt;
  parts.whole = text.substr(pos, wholeEnd - pos);
  pos = wholeEnd;
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t fractionEnd = Digits(text, ++pos);
    if (fractionEnd == pos) return std::nullopt;
    parts.fraction = text.substr(pos, fractionEnd - pos);
    pos = fractionEnd;
  }
  if (pos != text.size()) return std::nullopt;
  return parts;
}

std::optional<int64_t> ParseWhole(std::string_view text, int64_t min, int64_t max) {
  const auto parts = SplitDecimal(text);
  if (!parts || !parts->fraction.empty()) return std::nullopt;
  // In 128 bits, saturated: any number of digits is measured, none wraps.
  constexpr __int128 kCap = static_cast<__int128>(std::numeric_limits<int64_t>::max()) + 2;
  __int128 value = 0;
  for (const char digit : parts->whole) value = std::min<__int128>(value * 10 + (digit - '0'), kCap);
  if (parts->negative) value = -value;
  if (value < min || value > max) return std::nullopt;
  return static_cast<int64_t>(value);
}

std::optional<int> ParseInt(std::string_view text) {
  const auto value = ParseWhole(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  if (!value) return std::nullopt;
  return static_cast<int>(*value);
}

std::optional<HeadCount> ParseHeadCount(std::string_view text, std::string& why) {
  const auto parts = SplitDecimal(text);
  if (!parts) return std::nullopt;
  if (parts->fraction.size() > 4) {
    why = "more than four decimals in head count " + Quoted(text);
    return std::nullopt;
  }
  constexpr __int128 kLimit = HeadCount::kMaxRaw;
  __int128 raw = 0;
  for (const char digit : parts->whole) raw = std::min(raw * 10 + (digit - '0'), kLimit + 1);
  for (std::size_t i = 0; i < 4; ++i) {
    raw = std::min(raw * 10 + (i < parts->fraction.size() ? parts->fraction[i] - '0' : 0), kLimit + 1);
  }
  if (raw > kLimit) {
    why = "head count " + Quoted(text) + " outside the range -922337203685477.5807..922337203685477.5807";
    return std::nullopt;
  }
  return HeadCount::FromRaw(static_cast<int64_t>(parts->negative ? -raw : raw));
}

std::optional<float> ParseRate(std::string_view text, std::string& why) {
  const auto parts = SplitDecimal(text);
  if (!parts) return std::nullopt;
  // from_chars takes no "+"; the grammar has been checked, so what follows
  // the sign is digits and at most one point.
  const std::string_view unsigned_ = text.substr(text[0] == '+' || text[0] == '-' ? 1 : 0);
  float value = 0.0f;
  const auto result =
      std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value, std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range) {
    // Out of range below the smallest float is a value that rounds to zero;
    // above it, one the model cannot hold.
    const bool belowOne = parts->whole.find_first_not_of('0') == std::string_view::npos;
    if (!belowOne) {
      why = "rate " + Quoted(text) + " outside the float range";
      return std::nullopt;
    }
    value = 0.0f;
  } else if (result.ec != std::errc{} || result.ptr != unsigned_.data() + unsigned_.size()) {
    return std::nullopt;
  }
  if (!std::isfinite(value)) {
    why = "rate " + Quoted(text) + " outside the float range";
    return std::nullopt;
  }
  return parts->negative ? -value : value;
}

std::string HeadCountText(HeadCount value) {
  const int64_t raw = value.Raw();  // never INT64_MIN: the range is symmetric
  const uint64_t magnitude = raw < 0 ? static_cast<uint64_t>(-raw) : static_cast<uint64_t>(raw);
  std::string text = raw < 0 ? "-" : "";
  text += std::to_string(magnitude / HeadCount::kScale);
  const uint64_t fraction = magnitude % HeadCount::kScale;
  if (fraction != 0) {
    std::string decimals = std::to_string(fraction);
    decimals.insert(0, 4 - decimals.size(), '0');
    while (decimals.back() == '0') decimals.pop_back();
    text += "." + decimals;
  }
  return text;
}

std::string RateText(float value) {
  if (!std::isfinite(value)) return ShortestText(value);  // never read back: ParseRate refuses it
  char buffer[256];  // the largest float has 39 digits before the point, the smallest 149 decimals
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
  if (result.ec == std::errc{}) {
    float back = 0.0f;
    const auto parsed = std::from_chars(buffer, result.ptr, back, std::chars_format::fixed);
    if (parsed.ec == std::errc{} && std::bit_cast<uint32_t>(back) == std::bit_cast<uint32_t>(value)) {
      return std::string(buffer, result.ptr);
    }
  }
  result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

std::string ShortestText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string ShortestText(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace velmora::presets
