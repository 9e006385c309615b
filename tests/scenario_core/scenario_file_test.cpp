#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "TempFolder.h"
#include "model/Failure.h"
#include "scenario/core/ScenarioFile.h"
#include "scenario/core/ScenarioImage.h"
#include "scenario/core/ScenarioPaths.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::UnprivilegedOwner;
using testing::WriteBytes;

int CodeOf(auto&& action) {
  try {
    action();
  } catch (const Failure& failure) {
    return failure.code;
  }
  return 0;
}

std::vector<unsigned char> ToBytes(std::span<const std::byte> image) {
  std::vector<unsigned char> bytes(image.size());
  std::memcpy(bytes.data(), image.data(), image.size());
  return bytes;
}

TEST(ScenarioImage, PopulationLayoutIsRawLittleEndianMenThenWomen) {
  WorldRecord world;
  world.People(0, 0) = HeadCount::FromRaw(12'340'000);  // 1,234 persons
  world.People(1, 99) = HeadCount::FromRaw(-2);
  world.People(0, 1) = HeadCount::FromRaw(0x0102030405060708);
  const PopulationImage image = EncodePopulation(world);
  const std::vector<unsigned char> bytes = ToBytes(image);
  ASSERT_EQ(bytes.size(), kPopulationFileBytes);
  // 12,340,000 = 0x00BC4B20
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin(), bytes.begin() + 8)),
            (std::vector<unsigned char>{0x20, 0x4B, 0xBC, 0, 0, 0, 0, 0}));
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin() + 8, bytes.begin() + 16)),
            (std::vector<unsigned char>{8, 7, 6, 5, 4, 3, 2, 1}));
  // Women's age 99 is the last value, at (1 x 100 + 99) x 8 = 1592.
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin() + 1592, bytes.end())),
            (std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

  WorldRecord back;
  DecodePopulation(image, back);
  EXPECT_EQ(back.people, world.people);
}

TEST(ScenarioImage, OutOfRangeHeadCountLeavesTheTableAsItWas) {
  WorldRecord world;
  world.People(0, 5) = HeadCount::FromRaw(77);
  PopulationImage image{};
  image[0] = std::byte{1};        // men's age 0 would become 1
  image[1599] = std::byte{0x80};  // women's age 99 = -2^63: outside the range
  EXPECT_EQ(CodeOf([&] { DecodePopulation(image, world); }), kOverflow);
  EXPECT_EQ(world.People(0, 5).Raw(), 77);
  EXPECT_EQ(world.People(0, 0).Raw(), 0);
}

TEST(ScenarioImage, RateLayoutIsOnePeriodBirthsThenMenThenWomen) {
  WorldRecord world;
  world.BirthRate(19, 0) = 1.5f;      // 0x3FC00000
  world.DeathRate(19, 0, 0) = -2.0f;  // 0xC0000000
  world.DeathRate(19, 1, 19) = 0.1f;  // 0x3DCCCCCD
  world.BirthRate(0, 0) = 9.0f;       // another period: not in the file
  const std::vector<unsigned char> bytes = ToBytes(EncodeRates(world, 19));
  ASSERT_EQ(bytes.size(), 240u);
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4)),
            (std::vector<unsigned char>{0x00, 0x00, 0xC0, 0x3F}));
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin() + 80, bytes.begin() + 84)),
            (std::vector<unsigned char>{0x00, 0x00, 0x00, 0xC0}));
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin() + 236, bytes.end())),
            (std::vector<unsigned char>{0xCD, 0xCC, 0xCC, 0x3D}));

  // Saved from the end table, loaded into the start table.
  WorldRecord other;
  DecodeRates(EncodeRates(world, 19), other, 0);
  EXPECT_EQ(other.BirthRate(0, 0), 1.5f);
  EXPECT_EQ(other.DeathRate(0, 0, 0), -2.0f);
  EXPECT_EQ(other.DeathRate(0, 1, 19), 0.1f);
  EXPECT_EQ(other.BirthRate(19, 0), 0.0f);
}

TEST(ScenarioImage, RatesKeepNanInfinityAndHugeValues) {
  WorldRecord world;
  world.BirthRate(0, 3) = std::numeric_limits<float>::quiet_NaN();
  world.DeathRate(0, 0, 4) = std::numeric_limits<float>::infinity();
  world.DeathRate(0, 1, 5) = std::numeric_limits<float>::max();
  WorldRecord back;
  DecodeRates(EncodeRates(world, 0), back, 0);
  EXPECT_TRUE(std::isnan(back.BirthRate(0, 3)));
  EXPECT_EQ(back.DeathRate(0, 0, 4), std::numeric_limits<float>::infinity());
  EXPECT_EQ(back.DeathRate(0, 1, 5), std::numeric_limits<float>::max());
}

TEST(ScenarioFile, PopulationWrittenAndReadBackBitForBit) {
  TempFolder app;
  app.MakeData();
  const std::string path = PopulationFilePath(app.String(), 2);
  WorldRecord world;
  for (int i = 0; i < 200; ++i) world.people[i] = HeadCount::FromRaw(int64_t{i} * 1'000'003 - 7);
  world.People(1, 42) = HeadCount::Max();

  ScenarioFile out;
  out.OpenForUpdate(path);  // created: it did not exist
  out.WriteRecord(EncodePopulation(world));
  out.Close();
  ASSERT_EQ(fs::file_size(path), kPopulationFileBytes);

  PopulationImage image{};
  ScenarioFile in;
  in.OpenForReading(path);
  in.ReadRecord(image);
  in.Close();
  WorldRecord back;
  DecodePopulation(image, back);
  EXPECT_EQ(back.people, world.people);
}

TEST(ScenarioFile, SaveOverALongerFileRewritesOnlyItsStart) {
  TempFolder app;
  const fs::path path = app.MakeData() / "BRF1.brf";
  WriteBytes(path, std::vector<unsigned char>(300, 0xAB));
  RateImage record{};
  record.fill(std::byte{0x11});
  ScenarioFile file;
  file.OpenForUpdate(path.string());
  file.WriteRecord(record);
  file.Close();
  const std::vector<unsigned char> bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 300u);
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + kRateFileBytes), std::vector<unsigned char>(kRateFileBytes, 0x11));
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + kRateFileBytes, bytes.end()), std::vector<unsigned char>(60, 0xAB));

  // The tail is ignored on reading.
  RateImage back{};
  file.OpenForReading(path.string());
  file.ReadRecord(back);
  EXPECT_EQ(back, record);
}

TEST(ScenarioFile, ShortFileFailsWithoutTouchingTheRecord) {
  TempFolder app;
  const fs::path path = app.MakeData() / "STP3.stp";
  WriteBytes(path, std::vector<unsigned char>(1599, 0x22));
  PopulationImage record{};
  record.fill(std::byte{0x33});
  ScenarioFile file;
  file.OpenForReading(path.string());
  EXPECT_EQ(CodeOf([&] { file.ReadRecord(record); }), kInputPastEnd);
  EXPECT_EQ(record[0], std::byte{0x33});
  EXPECT_EQ(record[1599], std::byte{0x33});

  WriteBytes(path, {});
  file.OpenForReading(path.string());
  EXPECT_EQ(CodeOf([&] { file.ReadRecord(record); }), kInputPastEnd);
}

TEST(ScenarioFile, ReadingAMissingFileCreatesNothing) {
  TempFolder app;
  const std::string path = PopulationFilePath(app.String(), 4);
  ScenarioFile file;
  EXPECT_EQ(CodeOf([&] { file.OpenForReading(path); }), kPathNotFound);
  EXPECT_EQ(CodeOf([&] { file.OpenForUpdate(path); }), kPathNotFound);
  EXPECT_FALSE(fs::exists(app.Path() / "Data"));

  app.MakeData();
  EXPECT_EQ(CodeOf([&] { file.OpenForReading(path); }), kFileNotFound);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(fs::is_empty(app.Path() / "Data"));
}

TEST(ScenarioFile, NoOpenFileMeansBadFileNumberButCloseIsQuiet) {
  ScenarioFile file;
  PopulationImage record{};
  EXPECT_EQ(CodeOf([&] { file.ReadRecord(record); }), kBadFileNumber);
  EXPECT_EQ(CodeOf([&] { file.WriteRecord(record); }), kBadFileNumber);
  EXPECT_EQ(CodeOf([&] { file.Close(); }), 0);
  EXPECT_EQ(CodeOf([&] { file.Close(); }), 0);
}

TEST(ScenarioFile, AFolderInPlaceOfTheFileIsAnAccessError) {
  TempFolder app;
  fs::create_directories(app.MakeData() / "STP1.stp");
  ScenarioFile file;
  EXPECT_EQ(CodeOf([&] { file.OpenForUpdate(PopulationFilePath(app.String(), 1)); }), kPathFileAccessError);
  PopulationImage record{};
  EXPECT_EQ(CodeOf([&] {
              file.OpenForReading(PopulationFilePath(app.String(), 1));
              file.ReadRecord(record);
            }),
            kPathFileAccessError);
}

// What is no regular file is refused with 75 on load and on save, without
// blocking: a FIFO would otherwise wait for a writer for ever (the alarm
// turns such a hang into a failed test), a device or a socket is no preset.
TEST(ScenarioFile, WhatIsNoRegularFileIsRefusedWithoutBlocking) {
  alarm(20);
  TempFolder app;
  const fs::path data = app.MakeData();
  ASSERT_EQ(mkfifo((data / "BRF1.brf").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", data / "BRF2.brf");
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = (data / "BRF3.brf").string();
  ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  // A reader on the FIFO would receive whatever a save wrote into it.
  const int reader = open((data / "BRF1.brf").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);

  for (int preset = 1; preset <= 3; ++preset) {
    SCOPED_TRACE(preset);
    ScenarioFile file;
    EXPECT_EQ(CodeOf([&] { file.OpenForReading(RateFilePath(app.String(), preset)); }), kPathFileAccessError);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(CodeOf([&] { file.OpenForUpdate(RateFilePath(app.String(), preset)); }), kPathFileAccessError);
    EXPECT_FALSE(file.IsOpen());
  }
  char byte = 0;
  EXPECT_LE(read(reader, &byte, 1), 0);  // nothing came through the FIFO
  EXPECT_TRUE(fs::is_fifo(data / "BRF1.brf"));
  EXPECT_TRUE(fs::is_socket(data / "BRF3.brf"));
  close(reader);
  close(listener);
  alarm(0);
}

TEST(ScenarioFile, ReadOnlyFileRefusesASave) {
  TempFolder app;
  const fs::path path = app.MakeData() / "STP1.stp";
  WriteBytes(path, std::vector<unsigned char>(kPopulationFileBytes, 0));
  fs::permissions(path, fs::perms::owner_read);
  const UnprivilegedOwner owner(app, path);
  ScenarioFile file;
  EXPECT_EQ(CodeOf([&] { file.OpenForUpdate(path.string()); }), kPermissionDenied);
  PopulationImage record{};
  file.OpenForReading(path.string());  // loading it is still allowed
  file.ReadRecord(record);
}

}  // namespace
}  // namespace velmora
