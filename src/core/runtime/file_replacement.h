#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/paths.h"

namespace zembrati::runtime {

// The runtime error for a file that could not be opened, created or replaced: 76 (folder
// missing), 75 (a directory, or another access error), 70 (permission denied), 61 (disk full).
[[noreturn]] void RaiseForFailedOutput(const std::string& path, int errorNumber);

// The new content of a file, written under a temporary name beside it and put in its place in
// one step: until Commit(), and whenever writing or committing fails, the file stays as it was.
// Every replacement has a temporary name of its own, so two writers of one file never write into
// each other's temporary file; the replaced file keeps its permissions. A file that is read-only
// is refused (error 70) rather than replaced, and a directory with error 75.
class FileReplacement {
 public:
  explicit FileReplacement(std::string target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  const std::string& target() const { return target_; }
  // Where the new content is to be written before Commit().
  const std::string& temporary() const { return temporary_; }

  // Opens the temporary file for writing in binary mode; the replacement owns the stream.
  std::FILE* Open();
  // Flushes what was written to the disk and puts the file in the target's place; raises a
  // runtime error (61, 57, or those of the constructor) and leaves the target as it was when
  // that fails.
  void Commit();
  // Drops the new content; the target stays as it was.
  void Discard() noexcept;

 private:
  std::string target_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

// Replaces a file's whole content with `bytes` through a FileReplacement.
void ReplaceFileContent(const std::string& path, std::string_view bytes);

}  // namespace zembrati::runtime
