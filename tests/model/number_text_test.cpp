#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "model/NumberText.h"

namespace velmora {
namespace {

TEST(FloatTextTest, PlainFormHasAtMostSevenSignificantDigits) {
  EXPECT_EQ(FloatText(12.3f), "12.3");
  EXPECT_EQ(FloatText(0.0f), "0");
  EXPECT_EQ(FloatText(-0.0f), "0");
  EXPECT_EQ(FloatText(1.05f), "1.05");
  EXPECT_EQ(FloatText(2.134567f), "2.134567");
  EXPECT_EQ(FloatText(23.4f), "23.4");
  EXPECT_EQ(FloatText(33.3f), "33.3");
  EXPECT_EQ(FloatText(-1.0f), "-1");
  EXPECT_EQ(FloatText(0.1f), "0.1");
  EXPECT_EQ(FloatText(0.01f), "0.01");
  EXPECT_EQ(FloatText(162.35f), "162.35");
  EXPECT_EQ(FloatText(1234567.0f), "1234567");
  EXPECT_EQ(FloatText(9999999.0f), "9999999");
  EXPECT_EQ(FloatText(0.0001f), "0.0001");
  EXPECT_EQ(FloatText(-0.5f), "-0.5");
}

TEST(FloatTextTest, RoundsTheExactValueHalfToEven) {
  // Both are exact floats with an eighth digit of exactly 5.
  EXPECT_EQ(FloatText(1234567.5f), "1234568");
  EXPECT_EQ(FloatText(1234568.5f), "1234568");
  EXPECT_EQ(FloatText(8388607.5f), "8388608");
  // 2.2345675 and 1.0000005 are no floats: the nearest ones lie just below,
  // so they round down; the float nearest 1.2345675 lies just above.
  EXPECT_EQ(FloatText(2.2345675f), "2.234567");
  EXPECT_EQ(FloatText(1.0000005f), "1");
  EXPECT_EQ(FloatText(1.2345675f), "1.234568");
}

TEST(FloatTextTest, ExponentFormOutsideTheOrdinaryRange) {
  EXPECT_EQ(FloatText(1e7f), "1E+07");
  EXPECT_EQ(FloatText(16777216.0f), "1.677722E+07");
  EXPECT_EQ(FloatText(1.2345678e12f), "1.234568E+12");
  EXPECT_EQ(FloatText(-1.2345678e12f), "-1.234568E+12");
  EXPECT_EQ(FloatText(0.00001f), "1E-05");
  EXPECT_EQ(FloatText(3e38f), "3E+38");
  // The float next below 1e-4 needs the exponent; 9.9999999e-5 rounds up to
  // 0.0001 at seven digits and so does not.
  EXPECT_EQ(FloatText(std::nextafter(0.0001f, 0.0f)), "9.999999E-05");
  EXPECT_EQ(FloatText(9.9999999e-5f), "0.0001");
  EXPECT_EQ(FloatText(std::numeric_limits<float>::infinity()), "INF");
  EXPECT_EQ(FloatText(-std::numeric_limits<float>::infinity()), "-INF");
  EXPECT_EQ(FloatText(std::numeric_limits<float>::denorm_min()), "1.401298E-45");
}

// C's %.7G with the exponent written "E+07"/"E-05" is the reference; the
// texts are compared over every float of whole binades around the
// boundaries and a spread of others.
std::string ReferenceText(float x) {
  if (x == 0.0f) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(x));
  return buffer;
}

TEST(FloatTextTest, AgreesWithSevenDigitPrintfAcrossTheRange) {
  int mismatches = 0;
  auto check = [&](float x) {
    if (FloatText(x) != ReferenceText(x) && ++mismatches <= 10) {
      ADD_FAILURE() << std::hexfloat << x << ": " << FloatText(x) << " vs " << ReferenceText(x);
    }
  };
  // Every float near 1e-4, 1e-3, ..., 1e7 (a window of 2^16 floats each side).
  for (int p = -5; p <= 8; ++p) {
    const float centre = static_cast<float>(std::pow(10.0, p));
    uint32_t bits = 0;
    std::memcpy(&bits, &centre, sizeof bits);
    for (uint32_t d = bits - 65536; d < bits + 65536; ++d) {
      float x = 0.0f;
      std::memcpy(&x, &d, sizeof x);
      check(x);
      check(-x);
    }
  }
  // A stride through all finite floats.
  for (uint32_t bits = 0; bits < 0x7F800000u; bits += 997) {
    float x = 0.0f;
    std::memcpy(&x, &bits, sizeof x);
    check(x);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(FormatThousandsTest, HeadCountsAreFlooredExactlyAndGrouped) {
  EXPECT_EQ(FormatThousands(HeadCount()), "0");
  EXPECT_EQ(FormatThousands(HeadCount::FromPersons(999)), "999");
  EXPECT_EQ(FormatThousands(HeadCount::FromRaw(9999999)), "999");  // 999.9999
  EXPECT_EQ(FormatThousands(HeadCount::FromPersons(1000)), "1,000");
  EXPECT_EQ(FormatThousands(HeadCount::FromPersons(999950)), "999,950");
  EXPECT_EQ(FormatThousands(HeadCount::FromPersons(999999)), "999,999");
  EXPECT_EQ(FormatThousands(HeadCount::FromPersons(1000000)), "1,000,000");
  EXPECT_EQ(FormatThousands(HeadCount::FromRaw(12345679000)), "1,234,567");  // 1234567.9
  EXPECT_EQ(FormatThousands(HeadCount::FromPersons(-1234)), "-1234");
  EXPECT_EQ(FormatThousands(HeadCount::FromRaw(-5000)), "-1");
  EXPECT_EQ(FormatThousands(HeadCount::FromPersons(120'000'000)), "120,000,000");
  // Through a double, 99,999,999,999,999.9999 would round up to 10^14.
  EXPECT_EQ(FormatThousands(HeadCount::FromRaw(999999999999999999)), "99,999,999,999,999");
  EXPECT_EQ(FormatThousands(HeadCount::FromRaw(9007199254740993)), "900,719,925,474");
  EXPECT_EQ(FormatThousands(HeadCount::Max()), "922,337,203,685,477");
  EXPECT_EQ(FormatThousands(-HeadCount::Max()), "-922337203685478");
}

TEST(FormatThousandsTest, FloatsUseTheirTextAfterFlooring) {
  EXPECT_EQ(FormatThousands(12.5f), "12");
  EXPECT_EQ(FormatThousands(999.99f), "999");
  EXPECT_EQ(FormatThousands(1000.0f), "1,000");
  EXPECT_EQ(FormatThousands(1234.7f), "1,234");
  EXPECT_EQ(FormatThousands(100000.0f), "100,000");
  EXPECT_EQ(FormatThousands(9999999.0f), "9,999,999");
  EXPECT_EQ(FormatThousands(-1234.5f), "-1235");
  EXPECT_EQ(FormatThousands(-0.5f), "-1");
  EXPECT_EQ(FormatThousands(0.0f), "0");
  // From 1e7 on the text has an exponent, which gets no separators.
  EXPECT_EQ(FormatThousands(123456789.0f), "1.234568E+08");
}

TEST(NumericPrefixTest, DecimalNumbers) {
  EXPECT_EQ(NumericPrefix("10000"), 10000.0);
  EXPECT_EQ(NumericPrefix("0.00001"), 0.00001);
  EXPECT_EQ(NumericPrefix("100"), 100.0);
  EXPECT_EQ(NumericPrefix("-3.5e2x"), -350.0);
  EXPECT_EQ(NumericPrefix("+4"), 4.0);
  EXPECT_EQ(NumericPrefix(".5"), 0.5);
  EXPECT_EQ(NumericPrefix("5."), 5.0);
  EXPECT_EQ(NumericPrefix("1D3"), 1000.0);
  EXPECT_EQ(NumericPrefix("1d-3"), 0.001);
  EXPECT_EQ(NumericPrefix("2E+2"), 200.0);
  EXPECT_EQ(NumericPrefix("0.1"), 0.1);  // correctly rounded, like a literal
}

TEST(NumericPrefixTest, BlanksTabsAndLineFeedsAreSkippedAnywhere) {
  EXPECT_EQ(NumericPrefix("1 2"), 12.0);
  EXPECT_EQ(NumericPrefix("  \t\n7"), 7.0);
  EXPECT_EQ(NumericPrefix("- 4 . 5 e 1"), -45.0);
  EXPECT_EQ(NumericPrefix("& H 1 F"), 31.0);
  // A carriage return or a full-width digit is not skipped: reading stops.
  EXPECT_EQ(NumericPrefix("\r5"), 0.0);
  EXPECT_EQ(NumericPrefix("3\r5"), 3.0);
  EXPECT_EQ(NumericPrefix("\xEF\xBC\x91"), 0.0);  // full-width one
}

TEST(NumericPrefixTest, ReadingStopsAtTheFirstCharacterThatDoesNotFit) {
  EXPECT_EQ(NumericPrefix("abc"), 0.0);
  EXPECT_EQ(NumericPrefix(""), 0.0);
  EXPECT_EQ(NumericPrefix("-"), 0.0);
  EXPECT_EQ(NumericPrefix("."), 0.0);
  EXPECT_EQ(NumericPrefix("+-1"), 0.0);
  EXPECT_EQ(NumericPrefix("12abc"), 12.0);
  EXPECT_EQ(NumericPrefix("1.2.3"), 1.2);
  EXPECT_EQ(NumericPrefix("1,5"), 1.0);
  EXPECT_EQ(NumericPrefix("1E"), 1.0);
  EXPECT_EQ(NumericPrefix("1e+"), 1.0);
  EXPECT_EQ(NumericPrefix("1EE2"), 1.0);
  EXPECT_EQ(NumericPrefix("inf"), 0.0);
  EXPECT_EQ(NumericPrefix("0x10"), 0.0);
}

TEST(NumericPrefixTest, HexadecimalAndOctal) {
  EXPECT_EQ(NumericPrefix("&HFF"), 255.0);
  EXPECT_EQ(NumericPrefix("&hff"), 255.0);
  EXPECT_EQ(NumericPrefix("&H1g"), 1.0);
  EXPECT_EQ(NumericPrefix("&O17"), 15.0);
  EXPECT_EQ(NumericPrefix("&o178"), 15.0);
  EXPECT_EQ(NumericPrefix("&O8"), 0.0);
  EXPECT_EQ(NumericPrefix("&H"), 0.0);
  EXPECT_EQ(NumericPrefix("&X1"), 0.0);
  EXPECT_EQ(NumericPrefix("&"), 0.0);
}

TEST(NumericPrefixTest, ExtremeExponents) {
  EXPECT_EQ(NumericPrefix("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(NumericPrefix("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(NumericPrefix("1e-400"), 0.0);
}

}  // namespace
}  // namespace velmora
