#pragma once

#include <array>
#include <cstddef>

#include "model/Numbers.h"
#include "model/Records.h"

namespace velmora {

// The population file: the People table in memory order (men's ages 0..99,
// then women's), each head count as its raw value (persons x 10,000), a
// two's-complement int64 with the least significant byte first.
inline constexpr std::size_t kPopulationFileBytes = kSexes * kAges * 8;
using PopulationImage = std::array<std::byte, kPopulationFileBytes>;

// The rate file: one period's 60 floats (births, men's deaths, women's
// deaths by age class), IEEE single precision, least significant byte first.
inline constexpr std::size_t kRateFileBytes = 3 * kAgeClasses * 4;
using RateImage = std::array<std::byte, kRateFileBytes>;

PopulationImage EncodePopulation(const WorldRecord& world);
// All or nothing: a stored value outside the HeadCount range is an overflow
// and leaves world unchanged.
void DecodePopulation(const PopulationImage& image, WorldRecord& world);

RateImage EncodeRates(const WorldRecord& world, Int16 period);
// Any bit pattern is taken as it stands, NaN and infinities included.
void DecodeRates(const RateImage& image, WorldRecord& world, Int16 period);

}  // namespace velmora
