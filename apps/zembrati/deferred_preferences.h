#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "scene_session.h"

namespace zembrati::cli {

// The dialog writes its preferences (its last confirmed choices) at every OK, each write flushed
// to the disk. A frame of ten thousand members writes them once instead: while it lives, the
// dialog reads and writes a scratch copy (in memory where the system offers a folder there);
// Keep() then writes that copy's content to the preferences file in one write, which leaves the
// file exactly as the same members dropped one by one would. Without Keep() the file is left as
// it was. Where the preferences file could not be written anyway, nothing is deferred and the
// dialog reports that as it always does.
class DeferredPreferences {
 public:
  explicit DeferredPreferences(SceneSession& session);
  ~DeferredPreferences();
  DeferredPreferences(const DeferredPreferences&) = delete;
  DeferredPreferences& operator=(const DeferredPreferences&) = delete;

  void Keep();

 private:
  SceneSession& session_;
  std::string preferences_;           // the file the settings name
  std::string settingValue_;          // "File Prefs" as the settings had it
  std::filesystem::path scratchFolder_;  // empty when nothing is deferred
};

}  // namespace zembrati::cli
