#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_host.h"
#include "dialog_choices.h"
#include "headless_presenter.h"
#include "report/section_report.h"
#include "runtime/status.h"
#include "scene_lock.h"
#include "scene_host.h"

namespace zembrati::cli {

// What a command works on: the scene file (a new scene when it does not exist yet) on the
// built-in host with its settings, the host installed for the system to call. A command that
// changes the scene holds it locked from loading to saving (SceneLock). A scene that cannot be
// read is a CommandFailure saying what is wrong with it.
class SceneSession {
 public:
  enum class Access { Read, Change };
  SceneSession(const std::string& sceneFile, const SettingsOptions& settings, Access access);

  scene::SceneHost& host() { return *host_; }
  // The part of that name, or a usage error naming the parts there are.
  scene::NodePtr FindPart(const std::string& name) const;
  // Saves the scene when it differs from what was loaded (a new scene that is still empty is not
  // written at all); a failure to write is a CommandFailure, the file left as it was. The joints
  // are solved again first, so that they follow what the command changed; a joint that held when
  // the scene was loaded and no longer does is a CommandFailure naming it, and nothing is saved.
  void SaveChanges();

  // Runs a session of the system with the dialog worked by a scripted user making `choices`.
  // Returns whether the session completed: OK made the part, Cancel closed the dialog, or the
  // system finished without showing one. A choice that names no entry is a usage error listing
  // the entries.
  bool RunWithDialog(const DialogChoices& choices, const std::function<runtime::Status()>& start);

  // Puts the preferences file back as it was before the command: the dialog wrote it at every
  // OK, and a command that then saves nothing must leave it as it found it.
  void RestorePreferences() const;

  std::vector<headless::HeadlessPresenter::Message> messages;
  runtime::Status status;

 private:
  std::string sceneFile_;
  std::unique_ptr<SceneLock> lock_;
  // The document as it was loaded, as JSON, kept only where the file it was read from is not
  // that text byte for byte (a file of an earlier version): else the file is compared with.
  std::string loaded_;
  bool loadedIsFile_ = false;
  std::vector<scene::JointRecord> brokenAtLoad_;  // joints that did not solve when it was loaded
  // The preferences file as it was before the command, put back when the scene cannot be saved.
  std::string prefsFile_;
  std::optional<std::string> prefsBefore_;
  std::unique_ptr<scene::SceneHost> host_;
  std::unique_ptr<automation::ScopedObjectCreator> creator_;
};

// Messages as a user would have seen them: to standard error, and as JSON.
void PrintMessages(const std::vector<headless::HeadlessPresenter::Message>& messages);
nlohmann::ordered_json MessagesJson(const std::vector<headless::HeadlessPresenter::Message>& messages);

// What `show` prints of a part (`--json` gives report::PartReport); `sections` are the
// command's, each worked out once.
void PrintPart(const scene::NodePtr& part, report::SectionReports& sections);
// A line for each joined end of a part's report: the joint, the other part, the gap and the cut's
// angles; each line starts with `indent`.
std::string EndsText(const nlohmann::ordered_json& report, const std::string& indent);

}  // namespace zembrati::cli
