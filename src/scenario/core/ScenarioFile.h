#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string>

namespace velmora {

// One preset file, open for a single save or load. Every failure is a
// Failure with the code of the file-system error; a read or write while no
// file is open is code 52, and closing a file that is not open does nothing.
class ScenarioFile {
 public:
  ScenarioFile() = default;
  ScenarioFile(const ScenarioFile&) = delete;
  ScenarioFile& operator=(const ScenarioFile&) = delete;
  ~ScenarioFile();

  // Neither open ever blocks: a path that is not a regular file (a FIFO, a
  // socket, a device, a folder) is refused with code 75.
  // For a save: reading and writing, the file created when it is missing and
  // never shortened.
  void OpenForUpdate(const std::string& path);
  // For a load: reading only, so that a missing file is reported, not made.
  void OpenForReading(const std::string& path);
  // The record at offset 0; bytes beyond it stay as they are.
  void WriteRecord(std::span<const std::byte> record);
  // The record at offset 0, all or nothing: a file shorter than the record
  // is code 62 and leaves record untouched. Bytes beyond it are ignored.
  void ReadRecord(std::span<std::byte> record);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

 private:
  void Open(const std::string& path, bool forUpdate);

  std::FILE* file_ = nullptr;
};

}  // namespace velmora
