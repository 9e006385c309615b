#include "cli/core/PresetIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/core/CsvTable.h"
#include "cli/core/NumberFormat.h"
#include "model/Failure.h"
#include "scenario/core/ScenarioImage.h"

namespace velmora::cli {
namespace {

constexpr std::string_view kPopulationHeader = "sex,age,population";
constexpr std::string_view kRatesHeader = "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000";
constexpr std::array<const char*, kSexes> kSexNames = {"male", "female"};

enum class FileKind { kPopulationImage, kRateImage, kCsv };

FileKind KindOf(const std::string& path, const char* imageExtension, FileKind imageKind) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of('/');
  std::string extension;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == imageExtension) return imageKind;
  if (extension == ".csv") return FileKind::kCsv;
  throw InputError(path + ": unknown file type \"" + extension + "\" (expected " + imageExtension + " or .csv)");
}

std::string ReadWhole(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) throw InputError(path + ": not a regular file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError(path + ": cannot open: " + std::strerror(errno));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw InputError(path + ": cannot read: " + std::strerror(errno));
  return bytes;
}

template <typename Image>
Image ImageOf(const std::string& path, const std::string& bytes) {
  Image image{};
  if (bytes.size() != image.size()) {
    throw InputError(path + ": wrong size: " + std::to_string(bytes.size()) + " bytes, expected " +
                     std::to_string(image.size()));
  }
  std::memcpy(image.data(), bytes.data(), image.size());
  return image;
}

std::string Where(const std::string& path, int line) { return path + ":" + std::to_string(line) + ": "; }

void ReadPopulationCsv(const std::string& path, const std::string& text, WorldRecord& world) {
  decltype(world.people) people;
  std::array<int, kSexes * kAges> lineOf{};
  for (const CsvRow& row : ReadCsvTable(text, kPopulationHeader, path)) {
    const std::string where = Where(path, row.line);
    const auto sexAt = std::find(kSexNames.begin(), kSexNames.end(), row.cells[0]);
    if (sexAt == kSexNames.end()) throw InputError(where + "sex \"" + row.cells[0] + "\" is not male or female");
    const auto age = ParseInt(row.cells[1]);
    if (!age || *age < 0 || *age >= kAges) throw InputError(where + "age \"" + row.cells[1] + "\" is not 0..99");
    std::string why;
    const auto count = ParseHeadCount(row.cells[2], why);
    if (!count) {
      throw InputError(where + (why.empty() ? "population \"" + row.cells[2] + "\" is not a number" : why));
    }
    const int sex = static_cast<int>(sexAt - kSexNames.begin());
    int& seen = lineOf[sex * kAges + *age];
    if (seen != 0) {
      throw InputError(where + row.cells[0] + " age " + row.cells[1] + " again (first on line " +
                       std::to_string(seen) + ")");
    }
    seen = row.line;
    people[sex * kAges + *age] = *count;
  }
  for (int i = 0; i < kSexes * kAges; ++i) {
    if (lineOf[i] == 0) {
      throw InputError(path + ": no row for " + kSexNames[i / kAges] + " age " + std::to_string(i % kAges) +
                       " (every age 0..99 of both sexes is needed)");
    }
  }
  world.people = people;
}

void ReadRatesCsv(const std::string& path, const std::string& text, WorldRecord& world, int period) {
  std::array<float, 3 * kAgeClasses> rates{};
  std::array<int, kAgeClasses> lineOf{};
  static constexpr std::array<const char*, 3> kColumns = {"asfr_per_1000", "mx_male_per_100000",
                                                          "mx_female_per_100000"};
  for (const CsvRow& row : ReadCsvTable(text, kRatesHeader, path)) {
    const std::string where = Where(path, row.line);
    const auto ageClass = ParseInt(row.cells[0]);
    if (!ageClass || *ageClass < 0 || *ageClass >= kAgeClasses) {
      throw InputError(where + "age_class \"" + row.cells[0] + "\" is not 0..19");
    }
    if (lineOf[*ageClass] != 0) {
      throw InputError(where + "age_class " + row.cells[0] + " again (first on line " +
                       std::to_string(lineOf[*ageClass]) + ")");
    }
    lineOf[*ageClass] = row.line;
    for (int column = 0; column < 3; ++column) {
      std::string why;
      const auto rate = ParseRate(row.cells[column + 1], why);
      if (!rate) {
        throw InputError(where + kColumns[column] + ": " +
                         (why.empty() ? "\"" + row.cells[column + 1] + "\" is not a number" : why));
      }
      rates[column * kAgeClasses + *ageClass] = *rate;
    }
  }
  for (int j = 0; j < kAgeClasses; ++j) {
    if (lineOf[j] == 0) {
      throw InputError(path + ": no row for age_class " + std::to_string(j) + " (every class 0..19 is needed)");
    }
  }
  std::copy(rates.begin(), rates.end(), world.PeriodRates(period));
}

}  // namespace

void ReadPopulation(const std::string& path, WorldRecord& world) {
  const FileKind kind = KindOf(path, ".stp", FileKind::kPopulationImage);
  const std::string bytes = ReadWhole(path);
  if (kind == FileKind::kCsv) return ReadPopulationCsv(path, bytes, world);
  try {
    DecodePopulation(ImageOf<PopulationImage>(path, bytes), world);
  } catch (const Failure&) {
    throw InputError(path + ": a head count outside the range -922337203685477.5807..922337203685477.5807");
  }
}

void ReadRates(const std::string& path, WorldRecord& world, int period) {
  const FileKind kind = KindOf(path, ".brf", FileKind::kRateImage);
  const std::string bytes = ReadWhole(path);
  if (kind == FileKind::kCsv) return ReadRatesCsv(path, bytes, world, period);
  WorldRecord scratch;
  DecodeRates(ImageOf<RateImage>(path, bytes), scratch, Int16(period));
  // The desktop program takes any bit pattern; a run or a table made from
  // NaN or an infinity has no meaning, so the command line refuses it.
  const float* rates = scratch.PeriodRates(period);
  static constexpr std::array<const char*, 3> kRows = {"birth rate", "men's death rate", "women's death rate"};
  for (int i = 0; i < 3 * kAgeClasses; ++i) {
    if (!std::isfinite(rates[i])) {
      throw InputError(path + ": " + kRows[i / kAgeClasses] + " of age class " + std::to_string(i % kAgeClasses) +
                       " is not finite");
    }
  }
  std::copy(rates, rates + 3 * kAgeClasses, world.PeriodRates(period));
}

std::string PopulationCsv(const WorldRecord& world) {
  std::string text(kPopulationHeader);
  text += '\n';
  for (int sex = 0; sex < kSexes; ++sex) {
    for (int age = 0; age < kAges; ++age) {
      text += std::string(kSexNames[sex]) + "," + std::to_string(age) + "," + HeadCountText(world.People(sex, age)) +
              "\n";
    }
  }
  return text;
}

std::string RatesCsv(const WorldRecord& world, int period) {
  std::string text(kRatesHeader);
  text += '\n';
  for (int j = 0; j < kAgeClasses; ++j) {
    text += std::to_string(j) + "," + RateText(world.BirthRate(period, j)) + "," +
            RateText(world.DeathRate(period, 0, j)) + "," + RateText(world.DeathRate(period, 1, j)) + "\n";
  }
  return text;
}

void WriteFileWhole(const std::string& path, std::string_view bytes, bool force) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) throw InputError(path + ": exists and is not a regular file");
    if (!force) throw InputError(path + ": exists already (--force overwrites it)");
  }
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  std::string temporary = (slash == std::string::npos ? "" : folder) + ".velmora-cli-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw InputError(path + ": cannot write in " + folder + ": " + std::strerror(errno));
  // mkstemp makes the file private; the result gets the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  std::size_t done = 0;
  int error = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    done += static_cast<std::size_t>(written);
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0) {
    // Without force, link() refuses a file that appeared meanwhile, where
    // rename() would silently replace it.
    if (force) {
      if (::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    } else if (::link(temporary.c_str(), path.c_str()) != 0) {
      error = errno;
      // A file system without hard links: check, then rename.
      if (error != EEXIST && ::stat(path.c_str(), &info) != 0) {
        error = ::rename(temporary.c_str(), path.c_str()) != 0 ? errno : 0;
        force = true;  // nothing left to unlink
      }
    }
  }
  const int renameError = error;
  if (!force || error != 0) ::unlink(temporary.c_str());
  if (renameError == EEXIST) throw InputError(path + ": exists already (--force overwrites it)");
  if (renameError != 0) throw InputError(path + ": cannot write: " + std::strerror(renameError));
}

void WritePopulation(const std::string& path, const WorldRecord& world, bool force) {
  if (KindOf(path, ".stp", FileKind::kPopulationImage) == FileKind::kCsv) {
    return WriteFileWhole(path, PopulationCsv(world), force);
  }
  const PopulationImage image = EncodePopulation(world);
  WriteFileWhole(path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()), force);
}

void WriteRates(const std::string& path, const WorldRecord& world, int period, bool force) {
  if (KindOf(path, ".brf", FileKind::kRateImage) == FileKind::kCsv) {
    return WriteFileWhole(path, RatesCsv(world, period), force);
  }
  const RateImage image = EncodeRates(world, Int16(period));
  WriteFileWhole(path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()), force);
}

}  // namespace velmora::cli
