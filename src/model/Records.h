#pragma once

#include <cstdint>

#include "model/CheckedArray.h"
#include "model/Numbers.h"

namespace velmora {

inline constexpr int kSexes = 2;                  // 0 men, 1 women
inline constexpr int kAges = 100;                 // 0..99, 99 = 99 and over
inline constexpr int kAgeClasses = 20;            // age div 5
inline constexpr int kPeriods = 20;               // elapsed years div 5
inline constexpr int kAgeGroups = 3;              // children 0-15, adults 16-64, elders 65-99
inline constexpr int kHistoryYears = 101;         // WorldHistory 0..100
inline constexpr int kLastPeriod = kPeriods - 1;  // the end table

enum AgeGroup : int { kChildren = 0, kAdults = 1, kElders = 2 };
// The groups' last ages; the elders' group is open at 99.
inline constexpr int kLastChildAge = 15;
inline constexpr int kLastAdultAge = 64;
inline constexpr int kFirstElderAge = kLastAdultAge + 1;
// The age group of an age, as the census counts it.
constexpr int AgeGroupOf(int age) { return age <= kLastChildAge ? kChildren : age <= kLastAdultAge ? kAdults : kElders; }

// The rates a figure of period `period` reads: the step that reaches year
// 100 asks for period 20, whose rates are period 19's.
constexpr int ReadablePeriod(int period) { return period >= kPeriods ? kLastPeriod : period; }

// Variation-function codes of the rate schedule.
enum VariationCode : int {
  kConstant = 0,
  kLinear100 = 1,
  kLinear50 = 2,
  kLinear25 = 3,
  kLinear10 = 4,
  kDouble100 = 5,
  kDouble50 = 6,
  kDouble25 = 7,
  kDouble10 = 8,
  kHalve100 = 9,
  kHalve50 = 10,
  kHalve25 = 11,
  kHalve10 = 12,
};
inline constexpr int kVariationCodes = 13;

// One complete model state, always copied as a whole. Field order and layout
// are fixed: `people` is 200 contiguous HeadCounts (men's ages 0..99, then
// women's), which the population file stores as its raw image; `rates` is
// [period 0..19][row 0..2][class 0..19] with row 0 births, 1 men's deaths,
// 2 women's deaths.
struct WorldRecord {
  CheckedArray<HeadCount, kSexes * kAges> people;
  CheckedArray<float, kPeriods * 3 * kAgeClasses> rates;
  CheckedArray<Int16, 2> variationFunc;

  HeadCount& People(int sex, int age) { return people[PeopleIndex(sex, age)]; }
  HeadCount People(int sex, int age) const { return people[PeopleIndex(sex, age)]; }
  float& BirthRate(int period, int ageClass) { return rates[RateIndex(period, 0, ageClass)]; }
  float BirthRate(int period, int ageClass) const { return rates[RateIndex(period, 0, ageClass)]; }
  float& DeathRate(int period, int sex, int ageClass) { return rates[RateIndex(period, 1 + CheckSex(sex), ageClass)]; }
  float DeathRate(int period, int sex, int ageClass) const {
    return rates[RateIndex(period, 1 + CheckSex(sex), ageClass)];
  }
  Int16& VariationFunc(int slot) { return variationFunc[slot]; }
  Int16 VariationFunc(int slot) const { return variationFunc[slot]; }
  // The 60 floats of one period (births, men's deaths, women's deaths): the
  // rate file's raw image.
  float* PeriodRates(int period) { return &rates[RateIndex(period, 0, 0)]; }
  const float* PeriodRates(int period) const { return &rates[RateIndex(period, 0, 0)]; }

  friend bool operator==(const WorldRecord&, const WorldRecord&) = default;

 private:
  static int CheckSex(int sex) {
    if (sex < 0 || sex >= kSexes) throw Failure{kSubscriptOutOfRange};
    return sex;
  }
  static long long PeopleIndex(int sex, int age) {
    if (sex < 0 || sex >= kSexes || age < 0 || age >= kAges) throw Failure{kSubscriptOutOfRange};
    return static_cast<long long>(sex) * kAges + age;
  }
  static long long RateIndex(int period, int row, int ageClass) {
    if (period < 0 || period >= kPeriods || ageClass < 0 || ageClass >= kAgeClasses)
      throw Failure{kSubscriptOutOfRange};
    return (static_cast<long long>(period) * 3 + row) * kAgeClasses + ageClass;
  }
};

// Figures derived from a People table by the census.
struct CensusRecord {
  CheckedArray<HeadCount, kSexes * kAgeGroups> groupSum;  // (sex, group): men's then women's
  HeadCount Total;
  float ElderRatio = 0.0f;

  HeadCount& GroupSum(int sex, int group) { return groupSum[GroupIndex(sex, group)]; }
  HeadCount GroupSum(int sex, int group) const { return groupSum[GroupIndex(sex, group)]; }

  friend bool operator==(const CensusRecord&, const CensusRecord&) = default;

 private:
  static long long GroupIndex(int sex, int group) {
    if (sex < 0 || sex >= kSexes || group < 0 || group >= kAgeGroups) throw Failure{kSubscriptOutOfRange};
    return static_cast<long long>(sex) * kAgeGroups + group;
  }
};

}  // namespace velmora
