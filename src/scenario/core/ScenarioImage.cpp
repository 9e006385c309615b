#include "scenario/core/ScenarioImage.h"

#include <bit>
#include <cstdint>

#include "model/Failure.h"

namespace velmora {
namespace {

constexpr int kRates = 3 * kAgeClasses;

void PutLittleEndian(std::byte* out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

uint64_t GetLittleEndian(const std::byte* in, int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(in[i]) << (8 * i);
  return value;
}

}  // namespace

PopulationImage EncodePopulation(const WorldRecord& world) {
  PopulationImage image{};
  for (int i = 0; i < kSexes * kAges; ++i) {
    PutLittleEndian(&image[i * 8], static_cast<uint64_t>(world.people[i].Raw()), 8);
  }
  return image;
}

void DecodePopulation(const PopulationImage& image, WorldRecord& world) {
  decltype(world.people) people;
  for (int i = 0; i < kSexes * kAges; ++i) {
    const auto raw = static_cast<int64_t>(GetLittleEndian(&image[i * 8], 8));
    if (raw < HeadCount::kMinRaw) throw Failure{kOverflow};
    people[i] = HeadCount::FromRaw(raw);
  }
  world.people = people;
}

RateImage EncodeRates(const WorldRecord& world, Int16 period) {
  const float* rates = world.PeriodRates(period);
  RateImage image{};
  for (int i = 0; i < kRates; ++i) PutLittleEndian(&image[i * 4], std::bit_cast<uint32_t>(rates[i]), 4);
  return image;
}

void DecodeRates(const RateImage& image, WorldRecord& world, Int16 period) {
  float* rates = world.PeriodRates(period);
  for (int i = 0; i < kRates; ++i) {
    rates[i] = std::bit_cast<float>(static_cast<uint32_t>(GetLittleEndian(&image[i * 4], 4)));
  }
}

}  // namespace velmora
