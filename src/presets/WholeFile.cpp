#include "presets/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "presets/InputError.h"
#include "presets/MessageText.h"

namespace velmora::presets {
namespace {

// The temporary files being written, for the signal handler: fixed storage
// and flags only, so that the handler may read them at any moment.
constexpr int kRegistrations = 8;
struct Registration {
  volatile std::sig_atomic_t used = 0;
  std::array<char, 4096> path{};
};
std::array<Registration, kRegistrations> registrations;

int Register(const std::string& path) {
  if (path.size() >= registrations[0].path.size()) return -1;
  for (int i = 0; i < kRegistrations; ++i) {
    if (registrations[i].used) continue;
    std::memcpy(registrations[i].path.data(), path.c_str(), path.size() + 1);
    registrations[i].used = 1;  // only now may the handler use the path
    return i;
  }
  return -1;
}

void Unregister(int registration) {
  if (registration >= 0) registrations[registration].used = 0;
}

extern "C" void RemoveTemporariesAndDie(int signal) {
  for (Registration& registration : registrations) {
    if (registration.used) ::unlink(registration.path.data());
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& target, std::string_view bytes) : target_(target) {
  const std::string folder = FolderOf(target);
  path_ = folder + ".velmora-cli-XXXXXX";
  const int fd = ::mkostemp(path_.data(), O_CLOEXEC);
  if (fd < 0) {
    throw InputError(ShownPath(target) + ": cannot write in " + ShownPath(folder.empty() ? "." : folder) + ": " +
                     std::strerror(errno));
  }
  registration_ = Register(path_);
  // mkstemp makes the file private; the result gets the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int error = ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
  std::size_t done = 0;
  while (error == 0 && done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    done += static_cast<std::size_t>(written);
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(path_.c_str());
    Unregister(registration_);
    throw InputError(ShownPath(target) + ": cannot write: " + std::strerror(error));
  }
}

TemporaryFile::~TemporaryFile() {
  if (!renamed_) ::unlink(path_.c_str());
  Unregister(registration_);
}

bool TemporaryFile::RenameOntoTarget() {
  renamed_ = ::rename(path_.c_str(), target_.c_str()) == 0;
  return renamed_;
}

bool TemporaryFile::LinkToTarget() { return ::link(path_.c_str(), target_.c_str()) == 0; }

SignalRemovedName::SignalRemovedName(const std::string& path) : registration_(Register(path)) {}

SignalRemovedName::~SignalRemovedName() { Unregister(registration_); }

void WriteFileWhole(const std::string& path, std::string_view bytes, bool force) {
  const std::string shown = ShownPath(path);
  if (path.empty()) throw InputError("an empty file name");
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) throw InputError(shown + ": exists and is not a regular file");
    if (!force) throw InputError(shown + ": exists already (--force overwrites it)");
  }
  TemporaryFile temporary(path, bytes);
  int error = 0;
  if (force) {
    if (!temporary.RenameOntoTarget()) error = errno;
  } else if (!temporary.LinkToTarget()) {
    // Without force, link() refuses a file that appeared meanwhile, where
    // rename() would silently replace it. A file system without hard
    // links: check, then rename.
    error = errno;
    if (error != EEXIST && ::lstat(path.c_str(), &info) != 0) error = temporary.RenameOntoTarget() ? 0 : errno;
  }
  if (error == EEXIST) throw InputError(shown + ": exists already (--force overwrites it)");
  if (error != 0) throw InputError(shown + ": cannot write: " + std::strerror(error));
}

void RemoveTemporariesOnSignals() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndDie;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace velmora::presets
