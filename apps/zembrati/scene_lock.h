#pragma once

#include <string>

namespace zembrati::cli {

// Holds the folder of a scene locked while a command reads, changes and saves the scene, so two
// commands changing scenes in one folder at once take turns instead of one saving over the
// other's part. The lock is on the folder, not the scene file, because a save replaces the file
// (a lock on the old file would not hold the new one) and a lock file would be left lying beside
// the scene. It is released when the command ends, also when the process dies. A folder that
// does not exist yet is made first, so that every command locks the same one.
class SceneLock {
 public:
  explicit SceneLock(const std::string& sceneFile);
  ~SceneLock();
  SceneLock(const SceneLock&) = delete;
  SceneLock& operator=(const SceneLock&) = delete;

 private:
  int descriptor_ = -1;
};

}  // namespace zembrati::cli
