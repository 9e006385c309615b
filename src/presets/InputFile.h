#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::presets {

// A file the user names, opened for reading as hostile input: regular files
// only (a FIFO, a device or a folder is refused at once, never waited on:
// the file is opened without blocking), and never more than maxBytes read.
// Every failure is an InputError naming the path.
class InputFile {
 public:
  InputFile(const std::string& path, std::size_t maxBytes);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::string& Path() const { return path_; }
  // Up to size bytes; 0 at the end of the file. Reading past maxBytes is an
  // InputError ("larger than ...").
  std::size_t Read(char* buffer, std::size_t size);

 private:
  std::string path_;
  std::size_t maxBytes_;
  std::size_t done_ = 0;
  int fd_ = -1;
};

// The whole file, at most maxBytes.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes);

// The lines of a file, streamed through a fixed buffer: memory stays
// bounded whatever the file holds. A line longer than maxLineBytes, or a
// file longer than maxBytes, is an InputError at the point it is seen.
// Line ends are "\n" or "\r\n"; the last line may lack its end.
class LineReader {
 public:
  LineReader(const std::string& path, std::size_t maxBytes, std::size_t maxLineBytes);
  // The next line without its end; false at the end of the file. The view
  // stays valid until the next call.
  bool Next(std::string_view& line);
  int LineNumber() const { return lineNumber_; }
  const std::string& Path() const { return file_.Path(); }

 private:
  InputFile file_;
  std::size_t maxLineBytes_;
  std::string buffer_;
  std::size_t start_ = 0;  // first byte of the buffer not yet handed out
  std::size_t end_ = 0;    // end of the bytes read into the buffer
  bool atEnd_ = false;
  int lineNumber_ = 0;
};

}  // namespace velmora::presets
