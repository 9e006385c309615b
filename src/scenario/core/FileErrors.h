#pragma once

#include <string>

namespace velmora {

// The failure code of a file-system error (an errno value). folderMissing
// tells a missing file (53) from a missing folder on its path (76).
int FailureCodeForError(int error, bool folderMissing);

// The failure code of an open of path that failed with error: looks at the
// file's folder to tell 53 from 76.
int FailureCodeForOpen(int error, const std::string& path);

}  // namespace velmora
