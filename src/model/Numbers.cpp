#include "model/Numbers.h"

#include <cmath>
#include <cstdint>

namespace velmora {

namespace {

using Int128 = __int128;
using UInt128 = unsigned __int128;

constexpr int kInt16Min = -32768;
constexpr int kInt16Max = 32767;

int CheckedInt16(int value) {
  if (value < kInt16Min || value > kInt16Max) throw Failure{kOverflow};
  return value;
}

HeadCount CheckedRaw(Int128 raw) {
  if (raw > HeadCount::kMaxRaw || raw < HeadCount::kMinRaw) throw Failure{kOverflow};
  return HeadCount::FromRaw(static_cast<int64_t>(raw));
}

// magnitude / 2^shift, rounded to the nearest integer with ties to even.
UInt128 ShiftRoundHalfEven(UInt128 magnitude, int shift) {
  if (shift <= 0) return magnitude;
  if (shift >= 127) return 0;  // magnitude < 2^126: below one half
  const UInt128 quotient = magnitude >> shift;
  const UInt128 remainder = magnitude & ((UInt128{1} << shift) - 1);
  const UInt128 half = UInt128{1} << (shift - 1);
  if (remainder > half || (remainder == half && (quotient & 1) != 0)) return quotient + 1;
  return quotient;
}

// numerator / divisor, rounded to the nearest integer with ties to even.
Int128 DivideRoundHalfEven(Int128 numerator, int64_t divisor) {
  const bool negative = numerator < 0;
  const UInt128 magnitude = negative ? -static_cast<UInt128>(numerator) : static_cast<UInt128>(numerator);
  UInt128 quotient = magnitude / static_cast<UInt128>(divisor);
  const UInt128 twiceRemainder = 2 * (magnitude % static_cast<UInt128>(divisor));
  if (twiceRemainder > static_cast<UInt128>(divisor) ||
      (twiceRemainder == static_cast<UInt128>(divisor) && (quotient & 1) != 0)) {
    ++quotient;
  }
  return negative ? -static_cast<Int128>(quotient) : static_cast<Int128>(quotient);
}

}  // namespace

Int16::Int16(int value) : value_(static_cast<int16_t>(CheckedInt16(value))) {}

Int16 Int16::Round(double value) {
  if (!std::isfinite(value)) throw Failure{kOverflow};
  // Only values that can round into the range are rounded; everything else
  // would overflow anyway and must not reach the integer conversion.
  if (value < kInt16Min - 1.0 || value > kInt16Max + 1.0) throw Failure{kOverflow};
  const double lower = std::floor(value);
  const double fraction = value - lower;  // exact for |value| < 2^52
  double rounded = lower;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) rounded = lower + 1.0;
  return Int16(static_cast<int>(rounded));
}

Int16 operator+(Int16 a, Int16 b) { return Int16(int{a.value_} + int{b.value_}); }
Int16 operator-(Int16 a, Int16 b) { return Int16(int{a.value_} - int{b.value_}); }
Int16 operator*(Int16 a, Int16 b) { return Int16(int{a.value_} * int{b.value_}); }

HeadCount HeadCount::FromPersons(int64_t persons) { return CheckedRaw(static_cast<Int128>(persons) * kScale); }

HeadCount HeadCount::FromDoubleExact(double value) {
  if (!std::isfinite(value)) throw Failure{kOverflow};
  // value = mantissa x 2^exponent with a 53-bit integer mantissa; the exact
  // product mantissa x 10,000 is then scaled by 2^exponent with one rounding.
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  const auto mantissa = static_cast<int64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  // |value| >= 2^52 whenever exponent >= 0, far beyond the range.
  if (exponent >= 0) throw Failure{kOverflow};
  const bool negative = mantissa < 0;
  const UInt128 magnitude = static_cast<UInt128>(negative ? -mantissa : mantissa) * kScale;
  const UInt128 rounded = ShiftRoundHalfEven(magnitude, -exponent);
  if (rounded > static_cast<UInt128>(kMaxRaw)) throw Failure{kOverflow};
  const auto raw = static_cast<int64_t>(rounded);
  return FromRaw(negative ? -raw : raw);
}

double HeadCount::ToDoubleExact() const {
  // Above 2^53 the raw value itself would be rounded first: divide exactly,
  // keeping a 53-bit quotient and rounding it once with ties to even.
  const bool negative = raw_ < 0;
  const UInt128 magnitude = static_cast<UInt128>(negative ? -raw_ : raw_);
  constexpr UInt128 kLow = UInt128{1} << 52;
  int shift = 0;
  while ((magnitude << shift) / kScale < kLow) ++shift;
  const UInt128 scaled = magnitude << shift;
  UInt128 quotient = scaled / kScale;
  const UInt128 twiceRemainder = 2 * (scaled % kScale);
  if (twiceRemainder > static_cast<UInt128>(kScale) ||
      (twiceRemainder == static_cast<UInt128>(kScale) && (quotient & 1) != 0)) {
    ++quotient;  // may reach 2^53, which is still exact
  }
  const double result = std::ldexp(static_cast<double>(static_cast<uint64_t>(quotient)), -shift);
  return negative ? -result : result;
}

HeadCount operator-(HeadCount a) { return HeadCount::FromRaw(-a.raw_); }

HeadCount operator*(HeadCount a, HeadCount b) {
  const Int128 product = static_cast<Int128>(a.raw_) * b.raw_;
  return CheckedRaw(DivideRoundHalfEven(product, HeadCount::kScale));
}

HeadCount operator*(HeadCount a, int64_t factor) { return CheckedRaw(static_cast<Int128>(a.raw_) * factor); }

int64_t FloorPersons(HeadCount value) {
  const int64_t raw = value.Raw();
  int64_t persons = raw / HeadCount::kScale;
  if (raw % HeadCount::kScale < 0) --persons;
  return persons;
}

}  // namespace velmora
