#pragma once

#include <cmath>
#include <compare>
#include <cstdint>
#include <string>

#include "model/Failure.h"

namespace velmora {

// A 16-bit signed counter, year, flag or code whose arithmetic is
// range-checked: a result outside -32768..32767 is Failure{kOverflow}, never a
// silent wrap. Construction from an int is checked the same way.
class Int16 {
 public:
  constexpr Int16() = default;
  Int16(int value);  // NOLINT(google-explicit-constructor): checked
  // Round half to even, as when a floating-point value is stored into a 16-bit
  // integer. NaN, infinities and values outside the range are overflows.
  static Int16 Round(double value);

  constexpr operator int() const { return value_; }  // NOLINT
  constexpr int16_t Value() const { return value_; }

  friend Int16 operator+(Int16 a, Int16 b);
  friend Int16 operator-(Int16 a, Int16 b);
  friend Int16 operator*(Int16 a, Int16 b);
  friend Int16 operator+(Int16 a, int b) { return a + Int16(b); }
  friend Int16 operator-(Int16 a, int b) { return a - Int16(b); }
  friend Int16 operator*(Int16 a, int b) { return a * Int16(b); }
  friend Int16 operator+(int a, Int16 b) { return Int16(a) + b; }
  friend Int16 operator-(int a, Int16 b) { return Int16(a) - b; }
  friend Int16 operator*(int a, Int16 b) { return Int16(a) * b; }
  friend constexpr bool operator==(Int16 a, Int16 b) { return a.value_ == b.value_; }
  friend constexpr bool operator==(Int16 a, int b) { return a.value_ == b; }
  friend constexpr auto operator<=>(Int16 a, Int16 b) { return a.value_ <=> b.value_; }
  friend constexpr auto operator<=>(Int16 a, int b) { return int{a.value_} <=> b; }

 private:
  int16_t value_ = 0;
};

// A head count or a sum of head counts: fixed point with four decimals in a
// signed 64-bit integer (stored value = head count x 10,000). The range is the
// symmetric -922,337,203,685,477.5807..922,337,203,685,477.5807; the raw value
// -2^63 lies outside it. Every operation that can leave the range raises
// Failure{kOverflow}.
class HeadCount {
 public:
  static constexpr int64_t kScale = 10'000;
  static constexpr int64_t kMaxRaw = INT64_MAX;
  static constexpr int64_t kMinRaw = -INT64_MAX;

  constexpr HeadCount() = default;
  // The escape hatch for files and tests: the stored value itself.
  static HeadCount FromRaw(int64_t raw);
  // A whole number of persons.
  static HeadCount FromPersons(int64_t persons);
  // The exact value of the double times 10,000, rounded to the nearest
  // integer with ties to even. NaN, infinities and out-of-range values are
  // overflows.
  static HeadCount FromDouble(double value);
  static HeadCount Max() { return FromRaw(kMaxRaw); }

  constexpr int64_t Raw() const { return raw_; }
  // The double nearest to raw / 10,000 (correctly rounded at every size).
  double ToDouble() const;

  friend HeadCount operator+(HeadCount a, HeadCount b);
  friend HeadCount operator-(HeadCount a, HeadCount b);
  friend HeadCount operator-(HeadCount a);
  // Value times value, rounded to four decimals with ties to even.
  friend HeadCount operator*(HeadCount a, HeadCount b);
  // Value times a whole number (as in 100 x acc).
  friend HeadCount operator*(HeadCount a, int64_t factor);
  friend HeadCount operator*(int64_t factor, HeadCount a) { return a * factor; }
  HeadCount& operator+=(HeadCount other) { return *this = *this + other; }
  HeadCount& operator-=(HeadCount other) { return *this = *this - other; }
  friend constexpr bool operator==(HeadCount a, HeadCount b) = default;
  friend constexpr auto operator<=>(HeadCount a, HeadCount b) = default;

 private:
  static HeadCount FromDoubleExact(double value);
  double ToDoubleExact() const;

  int64_t raw_ = 0;
};

// The conversions and sums run a few hundred times per simulated year; their
// common cases are inline, the exact general ones in Numbers.cpp.

inline HeadCount HeadCount::FromRaw(int64_t raw) {
  if (raw < kMinRaw) throw Failure{kOverflow};
  HeadCount result;
  result.raw_ = raw;
  return result;
}

inline HeadCount HeadCount::FromDouble(double value) {
  const double absolute = std::fabs(value);
  if (absolute < 2.0e9) {  // false for NaN
    // value x 10,000 < 2^45 as a double lies within 2^-8 of the exact
    // product; unless it is that close to a half, both round to the same
    // integer. Whole numbers of persons are exact here.
    const double product = value * static_cast<double>(kScale);
    const auto truncated = static_cast<int64_t>(product);
    const double fraction = product - static_cast<double>(truncated);  // exact
    // Branch-free rounding: the fractions of a step's figures are random, and
    // a mispredicted branch per figure would cost more than the arithmetic.
    if (std::fabs(std::fabs(fraction) - 0.5) > 0.01) {
      return FromRaw(truncated + static_cast<int64_t>(fraction > 0.5) - static_cast<int64_t>(fraction < -0.5));
    }
  } else if (absolute < 9.0e14) {
    // value = whole + part exactly, with |part| < 1: part x 10,000 as a
    // double lies within 2^-40 of its exact value.
    const auto whole = static_cast<int64_t>(value);
    const double part = value - static_cast<double>(whole);  // exact
    if (part == 0.0) return FromRaw(whole * kScale);
    const double scaledPart = part * static_cast<double>(kScale);
    const auto partRaw = static_cast<int64_t>(scaledPart);
    const double fraction = scaledPart - static_cast<double>(partRaw);  // exact
    if (std::fabs(std::fabs(fraction) - 0.5) > 0.01) {
      return FromRaw(whole * kScale + partRaw + static_cast<int64_t>(fraction > 0.5) -
                     static_cast<int64_t>(fraction < -0.5));
    }
  }
  return FromDoubleExact(value);
}

inline double HeadCount::ToDouble() const {
  constexpr int64_t kExactLimit = int64_t{1} << 53;
  // Whole persons (nearly every count) convert without a floating division,
  // which is the scarce unit in the yearly step.
  const int64_t persons = raw_ / kScale;
  if (persons * kScale == raw_) return static_cast<double>(persons);
  // Both operands are exact doubles, and IEEE division rounds correctly.
  if (raw_ >= -kExactLimit && raw_ <= kExactLimit) return static_cast<double>(raw_) / static_cast<double>(kScale);
  return ToDoubleExact();
}

inline HeadCount operator+(HeadCount a, HeadCount b) {
  int64_t sum = 0;
  if (__builtin_add_overflow(a.raw_, b.raw_, &sum)) throw Failure{kOverflow};
  return HeadCount::FromRaw(sum);
}

inline HeadCount operator-(HeadCount a, HeadCount b) {
  int64_t difference = 0;
  if (__builtin_sub_overflow(a.raw_, b.raw_, &difference)) throw Failure{kOverflow};
  return HeadCount::FromRaw(difference);
}

// floor(value) on the fixed-point value itself, exactly.
int64_t FloorPersons(HeadCount value);

}  // namespace velmora
