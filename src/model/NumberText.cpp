#include "model/NumberText.h"

#include <locale.h>  // newlocale, strtod_l: conversions independent of the process locale

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace velmora {

namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Inserts a comma before every complete group of three digits counted from
// the right of a plain run of digits.
std::string GroupDigits(const std::string& digits) {
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3);
  const std::size_t length = digits.size();
  for (std::size_t i = 0; i < length; ++i) {
    if (i > 0 && (length - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

// Reads digits of the given base until a character that is none; blanks have
// already been removed.
double ReadRadix(std::string_view text, int base) {
  double value = 0.0;
  for (char c : text) {
    int digit = -1;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    }
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
  }
  return value;
}

double ParseDecimal(const std::string& text) {
  // The process locale may use another decimal sign (the window system sets
  // it from the environment); numbers here always use ".".
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(text.c_str(), nullptr, cLocale);
}

// The seven significant digits of |x| for 1e-4 <= |x| < 1e7, where the text
// needs no exponent: computed exactly in integers (the float is m / 2^shift),
// which is much cheaper than the general formatter the labels would
// otherwise call every simulated year. False when the rounded value reaches
// 1e7 and so needs the exponent form.
bool PlainFloatText(float x, std::string& text) {
  static constexpr uint64_t kPow10[] = {1,       10,       100,       1000,       10000,      100000,
                                        1000000, 10000000, 100000000, 1000000000, 10000000000};
  // |x| = mantissa / 2^shift with a 24-bit mantissa (x is normal here).
  const auto bits = std::bit_cast<uint32_t>(x);
  const int biasedExponent = static_cast<int>((bits >> 23) & 0xFF);
  const uint64_t mantissa = (bits & 0x7FFFFF) | 0x800000;
  const int shift = 150 - biasedExponent;  // 0..37 in this range
  // Decimal exponent of the leading digit: a first guess from the binary
  // exponent (log10 2 = 0.30103), corrected below from the digits themselves.
  int decimalExponent = ((biasedExponent - 127) * 30103) / 100000;
  if (biasedExponent < 127) --decimalExponent;
  uint64_t digits = 0;
  bool found = false;
  for (int attempt = 0; attempt < 6 && !found; ++attempt) {
    const int scale = 6 - decimalExponent;
    if (scale < 0 || scale > 10) return false;
    const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * kPow10[scale];
    const unsigned __int128 quotient = scaled >> shift;
    if (quotient < 1000000) {
      --decimalExponent;
    } else if (quotient >= 10000000) {
      ++decimalExponent;
    } else {
      const unsigned __int128 remainder = scaled - (quotient << shift);
      const unsigned __int128 half = shift > 0 ? static_cast<unsigned __int128>(1) << (shift - 1) : 0;
      digits = static_cast<uint64_t>(quotient);
      if (shift > 0 && (remainder > half || (remainder == half && (digits & 1) != 0))) ++digits;
      found = true;
    }
  }
  if (!found) return false;
  if (digits == 10000000) {  // rounded up to the next power of ten
    digits = 1000000;
    ++decimalExponent;
  }
  if (digits < 1000000 || digits >= 10000000 || decimalExponent >= 7 || decimalExponent < -4) return false;

  char buffer[24];
  char* out = buffer;
  if (x < 0) *out++ = '-';
  char sevenDigits[7];
  for (int i = 6; i >= 0; --i) {
    sevenDigits[i] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  int last = 6;  // the last significant digit after dropping trailing zeros
  while (last > 0 && sevenDigits[last] == '0') --last;
  if (decimalExponent >= 0) {
    for (int i = 0; i <= decimalExponent; ++i) *out++ = sevenDigits[i];
    if (last > decimalExponent) {
      *out++ = '.';
      for (int i = decimalExponent + 1; i <= last; ++i) *out++ = sevenDigits[i];
    }
  } else {
    *out++ = '0';
    *out++ = '.';
    for (int i = decimalExponent; i < -1; ++i) *out++ = '0';
    for (int i = 0; i <= last; ++i) *out++ = sevenDigits[i];
  }
  text.assign(buffer, out);
  return true;
}

}  // namespace

std::string FloatText(float x) {
  if (x == 0.0f) return "0";  // also -0
  std::string text;
  const double magnitude = std::fabs(static_cast<double>(x));
  if (magnitude >= 1e-4 && magnitude < 1e7 && PlainFloatText(x, text)) return text;
  // Seven significant digits of the exact value, ties to even, trailing zeros
  // dropped, an exponent outside 1e-4..1e7: as C's %.7g, without the locale.
  char buffer[48];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(x), std::chars_format::general, 7);
  text.assign(buffer, result.ptr);
  // "E" for the exponent; infinities and NaN (from damaged rates) as "INF", "NAN".
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string FormatThousands(HeadCount value) {
  const int64_t persons = FloorPersons(value);
  if (persons < 1000) return std::to_string(persons);
  return GroupDigits(std::to_string(persons));
}

std::string FormatThousands(float value) {
  const float whole = std::floor(value);
  std::string text = FloatText(whole);
  if (!(whole >= 1000.0f)) return text;
  // From 1e7 on the float's text has an exponent, which takes no separators.
  for (char c : text) {
    if (!IsDigit(c)) return text;
  }
  return GroupDigits(text);
}

double NumericPrefix(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (!IsSkipped(c)) compact.push_back(c);
  }
  const std::string_view s = compact;
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return ReadRadix(s.substr(2), 16);
    if (s[1] == 'O' || s[1] == 'o') return ReadRadix(s.substr(2), 8);
    return 0.0;
  }
  // Collect the longest prefix of the form [sign] digits [. digits] [exponent]
  // into a clean text for the correctly rounded library conversion.
  std::string number;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.push_back(s[i++]);
  bool anyDigit = false;
  bool seenPoint = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      anyDigit = true;
      number.push_back(s[i]);
    } else if (s[i] == '.' && !seenPoint) {
      seenPoint = true;
      number.push_back('.');
    } else {
      break;
    }
  }
  if (!anyDigit) return 0.0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
    bool exponentDigits = false;
    for (; j < s.size() && IsDigit(s[j]); ++j) {
      exponentDigits = true;
      exponent.push_back(s[j]);
    }
    // An exponent mark without digits is not part of the number.
    if (exponentDigits) number += exponent;
  }
  return ParseDecimal(number);
}

}  // namespace velmora
