#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/file_replacement.h"
#include "runtime/paths.h"

namespace zembrati::runtime {

// Sequential input of an 8-bit text file, one line at a time. Lines may end in CR LF, LF or CR;
// a line is returned without its end, converted from Windows-1252 to UTF-8. Paths are UTF-8.
//
// Opening raises 53 (file not found), 76 (path not found), 75 (a directory, or access refused)
// or 52 (an empty name). Reading beyond the last line raises 62 (input past end of file).
class TextFileReader {
 public:
  explicit TextFileReader(const std::string& path);

  // True when no line is left: the runtime's EOF.
  bool AtEnd();
  std::string ReadLine();
  // The same, into `line`, whose room is used again: a reader going through a long table
  // makes no new string per line.
  void ReadLine(std::string& line);
  // Reads on to the next line that starts with `first` (an ASCII character), into `line`; false
  // when no such line is left. The lines passed over are not copied.
  bool ReadLineStartingWith(char first, std::string& line);
  void Close();

 private:
  struct Closer {
    void operator()(std::FILE* file) const;
  };
  // Reads the next block from the file; false when nothing is left.
  bool Fill();
  // Moves past the next line and its end, appending its bytes to `line` unless it is null.
  void ConsumeLine(std::string* line);
  // In a FileReadingScope: reads the whole file at once and keeps it for the scope's other
  // readers (a file too large to keep is read on in blocks, as outside a scope).
  void ReadWhole(const std::string& path, const OpenFileFacts& facts);

  std::unique_ptr<std::FILE, Closer> file_;  // null once everything is in `block_`
  // The file is read in blocks and lines are cut from them: the catalogue is read again at every
  // selection in the dialog, so reading it costs what reading a file costs, not a call per byte.
  std::shared_ptr<const std::string> block_;  // null once closed
  std::size_t at_ = 0;
};

// Sequential output of an 8-bit text file, one line at a time, each ended by CR LF, converted
// from UTF-8 to Windows-1252.
//
// The lines go to a temporary file of this writer's own beside the target; Close() flushes it to
// the disk and puts it in the target's place in one step (runtime::FileReplacement). Until then,
// and when writing fails or the writer is dropped without Close(), the old file stays as it was:
// a failure never leaves a half-written file. Opening raises 76 (folder missing), 70 (permission
// denied, or a read-only file), 75 (a directory, or another access error) or 52 (an empty name);
// a failed write or close raises 61 (disk full) or 57.
class TextFileWriter {
 public:
  explicit TextFileWriter(const std::string& path);

  void WriteLine(std::string_view text);
  void Close();

 private:
  FileReplacement replacement_;
  std::string path_;
  bool closed_ = false;
};

}  // namespace zembrati::runtime
