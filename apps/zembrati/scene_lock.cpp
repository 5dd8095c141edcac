#include "scene_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "cli_support.h"
#include "runtime/paths.h"

namespace zembrati::cli {
namespace fs = std::filesystem;
namespace {

// The scene's folder, made when it does not exist yet: two commands changing one new scene must
// lock the same folder, and a folder made only after the lock is taken would not be it.
fs::path FolderOf(const std::string& sceneFile) {
  std::error_code error;
  fs::path folder = fs::absolute(runtime::PathFromUtf8(sceneFile), error).parent_path();
  if (error || folder.empty()) throw CommandFailure("cannot tell the folder of the scene " + sceneFile);
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) throw CommandFailure("cannot make the folder " + folder.string() + " of the scene");
  return folder;
}

}  // namespace

SceneLock::SceneLock(const std::string& sceneFile) {
  const fs::path folder = FolderOf(sceneFile);
  descriptor_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor_ < 0) {
    throw CommandFailure("cannot open the folder " + folder.string() + " of the scene to lock it");
  }
  while (::flock(descriptor_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(descriptor_);
      descriptor_ = -1;
      throw CommandFailure("cannot lock the folder " + folder.string() + " of the scene");
    }
  }
}

SceneLock::~SceneLock() {
  if (descriptor_ >= 0) ::close(descriptor_);  // closing releases the lock
}

}  // namespace zembrati::cli
