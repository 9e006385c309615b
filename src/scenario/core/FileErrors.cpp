#include "scenario/core/FileErrors.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "model/Failure.h"

namespace velmora {

int FailureCodeForError(int error, bool folderMissing) {
  switch (error) {
    case ENOENT:
      return folderMissing ? kPathNotFound : kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return kPermissionDenied;
    case ENODEV:
    case ENXIO:
      return kDeviceUnavailable;
#ifdef ENOMEDIUM
    case ENOMEDIUM:  // a removable drive without its medium
      return kDiskNotReady;
#endif
    case EISDIR:
    default:
      return kPathFileAccessError;
  }
}

int FailureCodeForOpen(int error, const std::string& path) {
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  const bool folderMissing = !folder.empty() && !std::filesystem::is_directory(folder, ignored);
  return FailureCodeForError(error, folderMissing);
}

}  // namespace velmora
