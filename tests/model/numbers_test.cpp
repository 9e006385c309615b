#include "model/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include "FailureCode.h"
#include "model/ModulePopulation.h"
#include "model/Records.h"

namespace velmora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Int16Test, ConstructionAndArithmeticAreRangeChecked) {
  EXPECT_EQ(Int16(32767), 32767);
  EXPECT_EQ(Int16(-32768), -32768);
  EXPECT_EQ(FailureCode([] { Int16(32768); }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16(-32769); }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16(40000); }), kOverflow);

  EXPECT_EQ(Int16(32766) + 1, 32767);
  EXPECT_EQ(FailureCode([] { Int16(32767) + 1; }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16(-32768) - 1; }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16(-32768) * -1; }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16(200) * Int16(200); }), kOverflow);
  EXPECT_EQ(Int16(-181) * 181, -32761);
  EXPECT_EQ(2000 + Int16(5), 2005);
  EXPECT_EQ(1 * Int16(19), 19);
}

TEST(Int16Test, RoundIsHalfToEvenAndChecked) {
  EXPECT_EQ(Int16::Round(0.5), 0);
  EXPECT_EQ(Int16::Round(1.5), 2);
  EXPECT_EQ(Int16::Round(2.5), 2);
  EXPECT_EQ(Int16::Round(2.5000001), 3);
  EXPECT_EQ(Int16::Round(2.4999999), 2);
  EXPECT_EQ(Int16::Round(-0.5), 0);
  EXPECT_EQ(Int16::Round(-1.5), -2);
  EXPECT_EQ(Int16::Round(-2.5), -2);
  EXPECT_EQ(Int16::Round(-2.6), -3);
  EXPECT_EQ(Int16::Round(32767.4), 32767);
  EXPECT_EQ(Int16::Round(-32768.5), -32768);  // even neighbour is in range
  EXPECT_EQ(FailureCode([] { Int16::Round(32767.5); }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16::Round(-32768.6); }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16::Round(1e300); }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16::Round(kNaN); }), kOverflow);
  EXPECT_EQ(FailureCode([] { Int16::Round(-kInf); }), kOverflow);
}

TEST(HeadCountTest, FromDoubleRoundsTheExactBinaryValueHalfToEven) {
  // The double 0.00005 lies a little above 5e-5: x 10,000 exactly it is above
  // one half, although the rounded double product is 0.5 exactly.
  EXPECT_EQ(HeadCount::FromDouble(0.00005).Raw(), 1);
  EXPECT_EQ(HeadCount::FromDouble(0.00025).Raw(), 3);
  EXPECT_EQ(HeadCount::FromDouble(0.00035).Raw(), 3);  // a little below 3.5
  EXPECT_EQ(HeadCount::FromDouble(0.12345).Raw(), 1235);
  EXPECT_EQ(HeadCount::FromDouble(-0.12345).Raw(), -1235);
  // Exact binary ties: 1/32 = 312.5 / 10,000 and 3/32 = 937.5 / 10,000.
  EXPECT_EQ(HeadCount::FromDouble(0.03125).Raw(), 312);
  EXPECT_EQ(HeadCount::FromDouble(0.09375).Raw(), 938);
  EXPECT_EQ(HeadCount::FromDouble(-0.03125).Raw(), -312);
  EXPECT_EQ(HeadCount::FromDouble(-0.09375).Raw(), -938);
  EXPECT_EQ(HeadCount::FromDouble(1.5).Raw(), 15000);
  EXPECT_EQ(HeadCount::FromDouble(123456789012.0).Raw(), 1234567890120000);
  EXPECT_EQ(HeadCount::FromDouble(9.0e14).Raw(), 9000000000000000000);
  EXPECT_EQ(HeadCount::FromDouble(1e-300).Raw(), 0);
  EXPECT_EQ(HeadCount::FromDouble(-5e-324).Raw(), 0);
  EXPECT_EQ(HeadCount::FromDouble(-0.0).Raw(), 0);
}

TEST(HeadCountTest, FromDoubleRangeIsSymmetricAndRejectsNonFinite) {
  // The largest doubles below the limit: steps of 1/8 at this size.
  EXPECT_EQ(HeadCount::FromDouble(922337203685477.5).Raw(), 9223372036854775000);
  EXPECT_EQ(HeadCount::FromDouble(-922337203685477.5).Raw(), -9223372036854775000);
  EXPECT_EQ(FailureCode([] { HeadCount::FromDouble(922337203685477.625); }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromDouble(-922337203685477.625); }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromDouble(1e15); }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromDouble(-1e300); }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromDouble(kNaN); }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromDouble(kInf); }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromDouble(-kInf); }), kOverflow);
}

TEST(HeadCountTest, ToDoubleIsCorrectlyRoundedAtEverySize) {
  EXPECT_EQ(HeadCount::FromRaw(15000).ToDouble(), 1.5);
  EXPECT_EQ(HeadCount::FromRaw(1).ToDouble(), 0.0001);
  EXPECT_EQ(HeadCount::FromRaw(-3).ToDouble(), -0.0003);
  // Above 2^53 converting the raw value first would round twice.
  EXPECT_EQ(HeadCount::FromRaw(9007199254740995).ToDouble(), 900719925474.0995);
  EXPECT_EQ(HeadCount::FromRaw(-9007199254740995).ToDouble(), -900719925474.0995);
  EXPECT_EQ(HeadCount::FromRaw(5258986265376043509).ToDouble(), 525898626537604.4);
  EXPECT_EQ(HeadCount::FromRaw(591064915700530116).ToDouble(), 59106491570053.01);
  // Exact halves between two doubles (steps of 1/8 here) go to the even one.
  EXPECT_EQ(HeadCount::FromRaw(5629499534213120625).ToDouble(), 562949953421312.0);
  EXPECT_EQ(HeadCount::FromRaw(5629499534213121875).ToDouble(), 562949953421312.25);
  EXPECT_EQ(HeadCount::Max().ToDouble(), 922337203685477.6);
  EXPECT_EQ((-HeadCount::Max()).ToDouble(), -922337203685477.6);
}

// References independent of the conversions under test: glibc prints the
// exact decimal expansion of a double and reads decimal text correctly
// rounded.
int64_t ReferenceRaw(double value) {
  char buffer[1500];
  std::snprintf(buffer, sizeof buffer, "%.1080f", value);  // every digit of any double below 10^15
  std::string text = buffer;
  const bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  const std::size_t point = text.find('.');
  std::string digits = text.substr(0, point) + text.substr(point + 1, 4);
  const std::string rest = text.substr(point + 5);
  long long raw = std::stoll(digits);
  const std::size_t nonZero = rest.find_first_not_of('0', 1);
  const bool above = rest[0] > '5' || (rest[0] == '5' && nonZero != std::string::npos);
  const bool tie = rest[0] == '5' && nonZero == std::string::npos;
  if (above || (tie && raw % 2 != 0)) ++raw;
  return negative ? -raw : raw;
}

double ReferenceDouble(int64_t raw) {
  const bool negative = raw < 0;
  std::string digits = std::to_string(negative ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw));
  while (digits.size() < 5) digits.insert(0, "0");
  digits.insert(digits.size() - 4, ".");
  return (negative ? -1.0 : 1.0) * std::strtod(digits.c_str(), nullptr);
}

TEST(HeadCountTest, ConversionsAgreeWithExactDecimalArithmetic) {
  std::mt19937_64 random(20261207);
  int mismatches = 0;
  auto checkValue = [&](double value) {
    if (HeadCount::FromDouble(value).Raw() != ReferenceRaw(value) && ++mismatches <= 10) {
      ADD_FAILURE() << std::hexfloat << value;
    }
  };
  for (int i = 0; i < 30000; ++i) {
    // Near the halves between two steps of 1/10,000, where a rounded product
    // could decide wrongly, at every size of the range.
    const double scale = std::pow(10.0, static_cast<double>(random() % 15));
    const auto steps = static_cast<int64_t>(std::ldexp(static_cast<double>(random() >> 11), -53) * scale * 10000.0);
    const double half = (static_cast<double>(steps) + 0.5) / 10000.0;
    checkValue(half);
    checkValue(-half);
    checkValue(std::nextafter(half, 0.0));
    checkValue(std::nextafter(half, 1e300));
    checkValue(std::ldexp(static_cast<double>(random() >> 11), -53) * scale);
  }
  EXPECT_EQ(mismatches, 0);

  for (int i = 0; i < 100000; ++i) {
    const auto raw = static_cast<int64_t>(random() >> (1 + random() % 63));
    const int64_t value = i % 2 == 0 ? raw : -raw;
    if (HeadCount::FromRaw(value).ToDouble() != ReferenceDouble(value) && ++mismatches <= 10) {
      ADD_FAILURE() << value;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(HeadCountTest, AdditionAndSubtractionAreChecked) {
  const HeadCount one = HeadCount::FromRaw(1);
  EXPECT_EQ((HeadCount::FromPersons(2) + HeadCount::FromRaw(5000)).Raw(), 25000);
  EXPECT_EQ((HeadCount::FromPersons(2) - HeadCount::FromPersons(5)).Raw(), -30000);
  EXPECT_EQ(FailureCode([&] { HeadCount::Max() + one; }), kOverflow);
  // -2^63 is outside the symmetric range.
  EXPECT_EQ(FailureCode([&] { -HeadCount::Max() - one; }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromRaw(INT64_MIN); }), kOverflow);
  EXPECT_EQ(FailureCode([&] { HeadCount::Max() - (-HeadCount::Max()); }), kOverflow);
  EXPECT_EQ((HeadCount::Max() + (-HeadCount::Max())).Raw(), 0);
  HeadCount sum = HeadCount::Max() - one;
  sum += one;
  EXPECT_EQ(sum, HeadCount::Max());
  EXPECT_EQ(FailureCode([&] { sum += one; }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromPersons(922337203685478); }), kOverflow);
  EXPECT_EQ(HeadCount::FromPersons(-922337203685477).Raw(), -9223372036854770000);
}

TEST(HeadCountTest, MultiplicationRoundsHalfToEvenAndIsChecked) {
  EXPECT_EQ((HeadCount::FromDouble(1.5) * HeadCount::FromDouble(2.5)).Raw(), 37500);
  // 0.0001 x 0.5 = 0.00005: a tie, to the even 0; 0.0003 x 0.5 = 0.00015 -> 0.0002.
  EXPECT_EQ((HeadCount::FromRaw(1) * HeadCount::FromRaw(5000)).Raw(), 0);
  EXPECT_EQ((HeadCount::FromRaw(3) * HeadCount::FromRaw(5000)).Raw(), 2);
  EXPECT_EQ((HeadCount::FromRaw(-3) * HeadCount::FromRaw(5000)).Raw(), -2);
  EXPECT_EQ((HeadCount::FromRaw(1) * HeadCount::FromRaw(5001)).Raw(), 1);
  EXPECT_EQ(HeadCount::Max() * HeadCount::FromPersons(1), HeadCount::Max());
  EXPECT_EQ(FailureCode([] { HeadCount::Max() * HeadCount::FromPersons(2); }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::Max() * HeadCount::Max(); }), kOverflow);

  EXPECT_EQ((HeadCount::FromPersons(7) * int64_t{100}).Raw(), 7000000);
  EXPECT_EQ((int64_t{-1} * HeadCount::Max()), -HeadCount::Max());
  EXPECT_EQ(FailureCode([] { HeadCount::FromRaw(INT64_MAX / 2 + 1) * int64_t{2}; }), kOverflow);
  EXPECT_EQ(FailureCode([] { HeadCount::FromPersons(10'000'000'000'000) * int64_t{100}; }), kOverflow);
}

TEST(HeadCountTest, FloorPersonsGoesTowardsMinusInfinity) {
  EXPECT_EQ(FloorPersons(HeadCount::FromRaw(9999)), 0);
  EXPECT_EQ(FloorPersons(HeadCount::FromRaw(10000)), 1);
  EXPECT_EQ(FloorPersons(HeadCount::FromRaw(-1)), -1);
  EXPECT_EQ(FloorPersons(HeadCount::FromRaw(-10000)), -1);
  EXPECT_EQ(FloorPersons(HeadCount::FromRaw(-10001)), -2);
  EXPECT_EQ(FloorPersons(HeadCount::Max()), 922337203685477);
  EXPECT_EQ(FloorPersons(-HeadCount::Max()), -922337203685478);
}

TEST(TablesTest, EveryIndexIsChecked) {
  auto m = std::make_unique<ModulePopulation>();
  WorldRecord& w = m->World;
  EXPECT_EQ(FailureCode([&] { w.People(2, 0); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.People(-1, 0); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.People(0, 100); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.People(1, -1); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.BirthRate(20, 0); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.BirthRate(0, 20); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.DeathRate(0, 2, 0); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.DeathRate(19, 1, -1); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.VariationFunc(2); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { m->Census.GroupSum(0, 3); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { m->Census.GroupSum(2, 0); }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { m->WorldHistory[101]; }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { m->WorldHistory[-1]; }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { m->ViewSize[6]; }), kSubscriptOutOfRange);
  EXPECT_EQ(FailureCode([&] { w.People(1, 99) = HeadCount::FromPersons(1); }), 0);
  EXPECT_EQ(FailureCode([&] { m->WorldHistory[100].DeathRate(19, 1, 19) = 1.0f; }), 0);
}

TEST(TablesTest, PeopleIsTheContiguousImageMenFirst) {
  static_assert(sizeof(HeadCount) == 8);
  WorldRecord w;
  w.People(1, 0) = HeadCount::FromPersons(3);
  w.People(0, 99) = HeadCount::FromPersons(2);
  const auto* raw = reinterpret_cast<const int64_t*>(w.people.data());
  EXPECT_EQ(raw[99], 20000);
  EXPECT_EQ(raw[100], 30000);
  // Births, men's deaths and women's deaths of one period lie side by side.
  w.DeathRate(7, 1, 2) = 5.0f;
  EXPECT_EQ(w.PeriodRates(7)[2 * kAgeClasses + 2], 5.0f);
}

}  // namespace
}  // namespace velmora
