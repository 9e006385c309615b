#include "cli/core/FileSet.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/core/PresetIo.h"

namespace velmora::cli {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The folder above path ("." for a bare name, "/" at the root).
std::string Parent(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool Writable(const std::string& folder) { return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0; }

std::string Reason(int error) { return std::strerror(error); }

// A file written whole under a temporary name in folder; removed again
// unless Keep() is called after its rename.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& folder, const FileContent& file) : target_(Join(folder, file.name)) {
    path_ = Join(folder, "." + file.name + ".velmora-XXXXXX");
    const int fd = ::mkstemp(path_.data());
    if (fd < 0) {
      path_.clear();
      throw InputError(target_ + ": cannot write: " + Reason(errno));
    }
    // mkstemp makes the file private; the result gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    int error = ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
    std::size_t done = 0;
    while (error == 0 && done < file.bytes.size()) {
      const ssize_t written = ::write(fd, file.bytes.data() + done, file.bytes.size() - done);
      if (written < 0) {
        if (errno != EINTR) error = errno;
        continue;
      }
      done += static_cast<std::size_t>(written);
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
      Remove();
      throw InputError(target_ + ": cannot write: " + Reason(error));
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  TemporaryFile(TemporaryFile&& other) noexcept : path_(std::move(other.path_)), target_(std::move(other.target_)) {
    other.path_.clear();
  }
  ~TemporaryFile() { Remove(); }

  // 0 or the error of the rename.
  int Rename() {
    if (::rename(path_.c_str(), target_.c_str()) != 0) return errno;
    path_.clear();
    return 0;
  }
  const std::string& Target() const { return target_; }

 private:
  void Remove() {
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
  }

  std::string path_;
  std::string target_;
};

}  // namespace

void CheckFileSet(const std::string& folder, const std::vector<std::string>& names) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    if (errno != ENOENT) throw InputError(folder + ": " + Reason(errno));
    // Missing: the nearest folder above that exists must let us make it.
    std::string above = Parent(folder);
    while (::stat(above.c_str(), &info) != 0) {
      if (errno != ENOENT || above == "." || above == "/") throw InputError(above + ": " + Reason(errno));
      above = Parent(above);
    }
    if (!S_ISDIR(info.st_mode)) throw InputError(above + ": is not a folder, so " + folder + " cannot be made");
    if (!Writable(above)) throw InputError(folder + ": cannot be made in " + above + ": " + Reason(errno));
    return;
  }
  if (!S_ISDIR(info.st_mode)) throw InputError(folder + ": exists and is not a folder");
  if (!Writable(folder)) throw InputError(folder + ": cannot write in it: " + Reason(errno));
  for (const std::string& name : names) {
    const std::string path = Join(folder, name);
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) continue;
      throw InputError(path + ": " + Reason(errno));
    }
    if (!S_ISREG(info.st_mode)) throw InputError(path + ": exists and is not a regular file");
  }
}

std::vector<std::string> MakeFolder(const std::string& folder) {
  std::vector<std::string> missing;
  struct stat info {};
  for (std::string path = folder; ::stat(path.c_str(), &info) != 0; path = Parent(path)) {
    if (errno != ENOENT || path == "." || path == "/") throw InputError(path + ": " + Reason(errno));
    missing.push_back(path);
  }
  std::vector<std::string> made;
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (::mkdir(it->c_str(), 0777) != 0 && errno != EEXIST) {
      const int error = errno;
      RemoveMadeFolders(made);
      throw InputError(*it + ": cannot make the folder: " + Reason(error));
    }
    made.insert(made.begin(), *it);
  }
  return made;
}

void RemoveMadeFolders(const std::vector<std::string>& made) {
  for (const std::string& folder : made) ::rmdir(folder.c_str());  // only while empty
}

void WriteFileSet(const std::string& folder, const std::vector<FileContent>& files) {
  std::vector<TemporaryFile> written;
  written.reserve(files.size());
  for (const FileContent& file : files) written.emplace_back(folder, file);
  for (TemporaryFile& file : written) {
    if (const int error = file.Rename(); error != 0) {
      // Only a folder changed under our feet since the check gets here; the
      // files renamed so far stay, the rest are removed.
      throw InputError(file.Target() + ": cannot write: " + Reason(error));
    }
  }
}

}  // namespace velmora::cli
