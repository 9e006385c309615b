#include "cli/core/FileSet.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "cli/core/PresetIo.h"
#include "presets/WholeFile.h"

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
  // Each file whole beside its target first (removed again on failure, and
  // on SIGINT, SIGTERM and SIGHUP), then the renames.
  std::vector<std::unique_ptr<presets::TemporaryFile>> written;
  written.reserve(files.size());
  for (const FileContent& file : files) {
    written.push_back(std::make_unique<presets::TemporaryFile>(Join(folder, file.name), file.bytes));
  }
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (!written[i]->RenameOntoTarget()) {
      // Only a folder changed under our feet since the check gets here; the
      // files renamed so far stay, the rest are removed.
      throw InputError(Join(folder, files[i].name) + ": cannot write: " + Reason(errno));
    }
  }
}

}  // namespace velmora::cli
