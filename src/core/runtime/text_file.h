#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/file_replacement.h"
#include "runtime/paths.h"
#include "runtime/text_lines.h"

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
  bool AtEnd() { return !LineAtHand() && NoLineLeft(); }
  std::string ReadLine();
  // The same, into `line`, whose room is used again: a reader going through a long table
  // makes no new string per line.
  void ReadLine(std::string& line);
  // The same, seen where it lies: valid until the next read from this reader or its Close().
  // A reader that only looks at a line copies nothing. The common case is inline: a selection
  // in the dialog reads thousands of lines of a long table.
  std::string_view ReadLineView() {
    if (LineAtHand() && lines_->Ascii()) return lines_->Line(next_++);
    return ReadAnyLineView();
  }
  // Reads on to the next line that starts with `first` (an ASCII character), into `line`; false
  // when no such line is left. The lines passed over are not copied.
  bool ReadLineStartingWith(char first, std::string& line);
  void Close();

 private:
  struct Closer {
    void operator()(std::FILE* file) const;
  };
  // The file whole, unless it is very large: then its first piece.
  std::string ReadFirstPiece(const std::string& path);
  // Reads up to `wanted` bytes into `bytes` from `from` on; false, and the file closed, when it
  // has ended.
  bool ReadOn(std::string& bytes, std::size_t from, std::size_t wanted);
  // Reads the next piece of the file, on to a whole line; false when no line is left.
  bool Fill();
  // Whether a line of the piece read is still to be read.
  bool LineAtHand() const { return lines_ && next_ < lines_->Count(); }
  // AtEnd() once the lines at hand are read.
  bool NoLineLeft();
  // ReadLineView() past the lines at hand, or of a line that needs a code-page conversion.
  std::string_view ReadAnyLineView();

  std::unique_ptr<std::FILE, Closer> file_;  // null once the last piece is read
  // The lines of the piece being read: the whole file, unless it is very large. A file read whole
  // in a FileReadingScope is shared with the scope's other readers, lines cut once for all.
  std::shared_ptr<const TextLines> lines_;  // null once closed
  std::size_t next_ = 0;
  std::string converted_;  // the last line read, when it needed a code-page conversion
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
