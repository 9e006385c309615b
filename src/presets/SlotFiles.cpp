#include "presets/SlotFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "presets/InputError.h"
#include "presets/MessageText.h"
#include "presets/WholeFile.h"

namespace velmora::presets {
namespace {

void CheckSlot(int slot) {
  if (slot < kFirstSlot || slot > kLastSlot) throw std::out_of_range("preset slot " + std::to_string(slot));
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// An exclusive flock() on the Data folder's lock file, held while alive.
class SlotLock {
 public:
  explicit SlotLock(const std::string& folder) {
    const std::string path = InFolder(folder, kSlotLockFileName);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd_ < 0) throw InputError(ShownPath(path) + ": cannot lock the preset slots: " + std::strerror(errno));
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd_);
      throw InputError(ShownPath(path) + ": not a regular file");
    }
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd_);
      throw InputError(ShownPath(path) + ": cannot lock the preset slots: " + std::strerror(error));
    }
  }
  ~SlotLock() { ::close(fd_); }  // closing releases the lock
  SlotLock(const SlotLock&) = delete;
  SlotLock& operator=(const SlotLock&) = delete;

 private:
  int fd_ = -1;
};

// Whether path names a file to be replaced (true), or nothing (false); any
// other case is refused.
bool CheckTarget(const std::string& path, bool replace) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return false;
    throw InputError(ShownPath(path) + ": " + std::strerror(errno));
  }
  if (!S_ISREG(info.st_mode)) throw InputError(ShownPath(path) + ": exists and is not a regular file");
  if (!replace) throw InputError(ShownPath(path) + ": exists already (--force overwrites it)");
  return true;
}

// A second name for the population in place, so that it can be put back.
// Hard links cost nothing; a file system without them gets a copy.
std::optional<std::string> KeepOld(const std::string& folder, const std::string& path) {
  std::string keep = InFolder(folder, ".velmora-cli-XXXXXX");
  const int fd = ::mkostemp(keep.data(), O_CLOEXEC);
  if (fd < 0)
    throw InputError(ShownPath(path) + ": cannot write in " + ShownPath(folder) + ": " + std::strerror(errno));
  ::close(fd);
  // The lock keeps every other writer of the folder away from this name.
  ::unlink(keep.c_str());
  if (::link(path.c_str(), keep.c_str()) == 0) return keep;
  return std::nullopt;
}

}  // namespace

std::string PopulationFileName(int slot) {
  CheckSlot(slot);
  return "STP" + std::to_string(slot) + ".stp";
}

std::string RateFileName(int slot) {
  CheckSlot(slot);
  return "BRF" + std::to_string(slot) + ".brf";
}

std::string PopulationFilePath(const std::string& dataFolder, int slot) {
  return InFolder(dataFolder, PopulationFileName(slot));
}

std::string RateFilePath(const std::string& dataFolder, int slot) { return InFolder(dataFolder, RateFileName(slot)); }

void WriteSlotPair(const std::string& dataFolder, int slot, std::string_view population, std::string_view rates,
                   bool replace) {
  if (population.size() != kPopulationFileBytes || rates.size() != kRateFileBytes) {
    throw std::invalid_argument("a preset slot takes a 1600-byte population and 240 bytes of rates");
  }
  const std::string populationPath = PopulationFilePath(dataFolder, slot);
  const std::string ratesPath = RateFilePath(dataFolder, slot);
  struct stat info {};
  if (::stat(dataFolder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    throw InputError(ShownPath(dataFolder) + ": no such folder");
  }
  const SlotLock lock(dataFolder);
  const bool hadPopulation = CheckTarget(populationPath, replace);
  CheckTarget(ratesPath, replace);

  TemporaryFile newPopulation(populationPath, population);
  TemporaryFile newRates(ratesPath, rates);
  std::optional<std::string> kept;
  std::optional<SignalRemovedName> keptWatch;
  std::optional<TemporaryFile> copy;
  if (hadPopulation) {
    kept = KeepOld(dataFolder, populationPath);
    if (kept) keptWatch.emplace(*kept);
    if (!kept) {
      std::string old(kPopulationFileBytes + 1, '\0');
      const int fd = ::open(populationPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
      ssize_t got = fd < 0 ? -1 : ::read(fd, old.data(), old.size());
      if (fd >= 0) ::close(fd);
      if (got < 0) throw InputError(ShownPath(populationPath) + ": cannot read: " + std::strerror(errno));
      // A damaged file larger than a population is put back as far as it
      // was read; it could not be used before either.
      old.resize(static_cast<std::size_t>(got));
      copy.emplace(InFolder(dataFolder, ".velmora-cli-keep"), old);
    }
  }

  if (!newPopulation.RenameOntoTarget()) {
    throw InputError(ShownPath(populationPath) + ": cannot write: " + std::strerror(errno));
  }
  if (!newRates.RenameOntoTarget()) {
    const int error = errno;
    // Put the old population back, or take the new one away: the slot stays
    // as it was.
    if (kept) {
      ::rename(kept->c_str(), populationPath.c_str());
    } else if (copy) {
      ::rename(copy->Path().c_str(), populationPath.c_str());
    } else {
      ::unlink(populationPath.c_str());
    }
    throw InputError(ShownPath(ratesPath) + ": cannot write: " + std::strerror(error) + "; neither file was replaced");
  }
  if (kept) ::unlink(kept->c_str());
  // Both names in place: make the renames durable.
  const int folder = ::open(dataFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

}  // namespace velmora::presets
