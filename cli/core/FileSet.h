#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::cli {

// Several files in one folder written as a set: each to a temporary file
// beside its target, and only when every one of them is written whole are
// they renamed over their targets. A failure removes the temporary files
// and leaves the targets as they were. Paths are bytes: a folder whose name
// is not UTF-8 works like any other. Failures are InputErrors.

struct FileContent {
  std::string name;  // a plain file name inside the folder
  std::string_view bytes;
};

// Refuses a set that could not be written whole before anything is done:
// the folder must be a folder this process can write in, or (when missing)
// one that can be made in a folder this process can write in; each target
// must be missing or a regular file (a link or a folder is refused, since a
// rename would replace the link itself).
void CheckFileSet(const std::string& folder, const std::vector<std::string>& names);

// Makes the folder (and missing folders above it) when it is missing, and
// gives the folders it made, deepest first: what to remove again when the
// writing that follows fails.
std::vector<std::string> MakeFolder(const std::string& folder);
// Removes folders that MakeFolder made, as far as they are empty.
void RemoveMadeFolders(const std::vector<std::string>& made);

// Writes the set as described above.
void WriteFileSet(const std::string& folder, const std::vector<FileContent>& files);

}  // namespace velmora::cli
