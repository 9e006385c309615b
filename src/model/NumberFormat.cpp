#include "model/NumberFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace velmora {

std::string HeadCountText(HeadCount value) {
  const int64_t raw = value.Raw();  // never INT64_MIN: the range is symmetric
  const uint64_t magnitude = raw < 0 ? static_cast<uint64_t>(-raw) : static_cast<uint64_t>(raw);
  std::string text = raw < 0 ? "-" : "";
  text += std::to_string(magnitude / HeadCount::kScale);
  uint64_t fraction = magnitude % HeadCount::kScale;
  if (fraction != 0) {
    std::string decimals = std::to_string(fraction);
    decimals.insert(0, 4 - decimals.size(), '0');
    while (decimals.back() == '0') decimals.pop_back();
    text += "." + decimals;
  }
  return text;
}

std::optional<HeadCount> ParseHeadCount(std::string_view text, std::string& why) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++pos;
  const std::size_t wholeStart = pos;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
  const std::string_view whole = text.substr(wholeStart, pos - wholeStart);
  std::string_view decimals;
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t start = ++pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    decimals = text.substr(start, pos - start);
    if (decimals.empty()) return std::nullopt;
  }
  if (whole.empty() || pos != text.size()) return std::nullopt;
  if (decimals.size() > 4) {
    why = "more than four decimals in head count \"" + std::string(text) + "\"";
    return std::nullopt;
  }
  // Accumulated in 128 bits, so that any number of digits is measured
  // against the range instead of wrapping.
  __int128 raw = 0;
  constexpr __int128 kLimit = HeadCount::kMaxRaw;
  bool tooLarge = false;
  for (char digit : whole) {
    raw = raw * 10 + (digit - '0');
    if (raw > kLimit) tooLarge = true, raw = kLimit + 1;
  }
  for (int i = 0; i < 4; ++i) {
    raw = raw * 10 + (i < static_cast<int>(decimals.size()) ? decimals[i] - '0' : 0);
    if (raw > kLimit) tooLarge = true, raw = kLimit + 1;
  }
  if (tooLarge) {
    why = "head count \"" + std::string(text) + "\" outside the range -922337203685477.5807..922337203685477.5807";
    return std::nullopt;
  }
  return HeadCount::FromRaw(static_cast<int64_t>(negative ? -raw : raw));
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

std::string RateText(float value) {
  if (std::isfinite(value)) {
    char buffer[128];  // the largest float has 39 digits before the point
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (result.ec == std::errc{}) {
      float back = 0.0f;
      const auto parsed = std::from_chars(buffer, result.ptr, back);
      if (parsed.ec == std::errc{} && std::bit_cast<uint32_t>(back) == std::bit_cast<uint32_t>(value)) {
        return std::string(buffer, result.ptr);
      }
    }
  }
  return ShortestText(value);
}

std::optional<float> ParseRate(std::string_view text, std::string& why) {
  if (text.empty()) return std::nullopt;
  // from_chars takes no "+"; a leading "+" is still a number to a user.
  std::string_view digits = text[0] == '+' ? text.substr(1) : text;
  float value = 0.0f;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ptr != digits.data() + digits.size()) return std::nullopt;
  if (result.ec == std::errc::result_out_of_range) {
    why = "rate \"" + std::string(text) + "\" outside the float range";
    return std::nullopt;
  }
  if (result.ec != std::errc{}) return std::nullopt;
  if (!std::isfinite(value)) {
    why = "rate \"" + std::string(text) + "\" is not finite";
    return std::nullopt;
  }
  return value;
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc{} || result.ptr != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace velmora
