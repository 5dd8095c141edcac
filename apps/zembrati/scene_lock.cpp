#include "scene_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "cli_support.h"

namespace zembrati::cli {
namespace fs = std::filesystem;
namespace {

fs::path ExistingFolderOf(const std::string& sceneFile) {
  std::error_code error;
  fs::path folder = fs::absolute(fs::path(sceneFile), error).parent_path();
  while (!folder.empty() && !fs::is_directory(folder, error)) {
    if (folder == folder.parent_path()) break;
    folder = folder.parent_path();
  }
  return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

SceneLock::SceneLock(const std::string& sceneFile) {
  const fs::path folder = ExistingFolderOf(sceneFile);
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
