#pragma once

#include <memory>
#include <string>

#include "runtime/text_lines.h"

namespace zembrati::runtime {

// While one lives on a thread, each text file is read from the disk once: the readers of one user
// action in the dialog (a type chosen: the index, the size table, its thicknesses and materials,
// each opened by several readers) all see the file as it stood when the action first read it,
// and the next action reads it again, so an edit made between two selections is still what the
// user picks from. Scopes nest; the outermost one ends the sharing. A file this program writes
// meanwhile is read again.
class FileReadingScope {
 public:
  FileReadingScope();
  ~FileReadingScope();
  FileReadingScope(const FileReadingScope&) = delete;
  FileReadingScope& operator=(const FileReadingScope&) = delete;

  static bool Active();
  // The lines of `path` as read whole earlier in the scope, or null.
  static std::shared_ptr<const TextLines> Find(const std::string& path);
  // Keeps a file read whole for the rest of the scope (nothing when no scope is active).
  static void Keep(const std::string& path, std::shared_ptr<const TextLines> content);
  // Forgets a file that has just been written.
  static void Forget(const std::string& path);
};

}  // namespace zembrati::runtime
