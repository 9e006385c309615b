#pragma once

#include <string>
#include <string_view>

namespace velmora::presets {

// A file written beside its target under a private name (".velmora-cli-"
// and six random characters), with the usual permissions, synced to disk,
// so that the target can be replaced by one rename: readers see the old
// file or the new one, never a part. The destructor removes the file unless
// it was renamed; SIGINT, SIGTERM and SIGHUP remove it too (once
// RemoveTemporariesOnSignals has been called). Failures are InputErrors
// naming `target`.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& target, std::string_view bytes);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& Path() const { return path_; }
  // rename() onto the target; false with errno set when that fails.
  bool RenameOntoTarget();
  // link() to the target: refuses (EEXIST) a file that appeared meanwhile.
  bool LinkToTarget();

 private:
  std::string target_;
  std::string path_;
  int registration_ = -1;
  bool renamed_ = false;
};

// A temporary name made otherwise than by TemporaryFile (e.g. a second link
// to a file about to be replaced), removed by SIGINT, SIGTERM and SIGHUP
// while this lives. The destructor only stops the watch.
class SignalRemovedName {
 public:
  explicit SignalRemovedName(const std::string& path);
  ~SignalRemovedName();
  SignalRemovedName(const SignalRemovedName&) = delete;
  SignalRemovedName& operator=(const SignalRemovedName&) = delete;

 private:
  int registration_ = -1;
};

// Written whole or not at all (a TemporaryFile, then the rename). An
// existing file is refused with an InputError unless force; a path that
// exists and is not a regular file is always refused. A symbolic link at
// path is replaced by the file; what it pointed to is left as it was.
void WriteFileWhole(const std::string& path, std::string_view bytes, bool force);

// SIGINT, SIGTERM and SIGHUP remove the temporary files being written, then
// end the program as the signal would have. Call once, early in main().
void RemoveTemporariesOnSignals();

}  // namespace velmora::presets
