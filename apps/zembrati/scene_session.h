#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_host.h"
#include "headless_presenter.h"
#include "runtime/status.h"
#include "scene_host.h"

namespace zembrati::cli {

// The choices a command makes in the selection dialog, applied in this order through the
// dialog's own events; unset ones are left as the dialog shows them.
struct DialogChoices {
  std::string family, type, standard, size, thickness, material, length;
  bool cancel = false;
};
void AddDialogChoiceOptions(CLI::App& command, DialogChoices& choices);

// What a command works on: the scene file (a new scene when it does not exist yet) on the
// built-in host with its settings, the host installed for the system to call.
class SceneSession {
 public:
  SceneSession(const std::string& sceneFile, const SettingsOptions& settings);

  scene::SceneHost& host() { return *host_; }
  // The part of that name, or a usage error naming the parts there are.
  scene::NodePtr FindPart(const std::string& name) const;
  void Save() const;

  // Runs a session of the system with the dialog worked by a scripted user making `choices`.
  // Returns whether the session completed: OK made the part, Cancel closed the dialog, or the
  // system finished without showing one. A choice that names no entry is a usage error listing
  // the entries.
  bool RunWithDialog(const DialogChoices& choices, const std::function<runtime::Status()>& start);

  std::vector<headless::HeadlessPresenter::Message> messages;
  runtime::Status status;

 private:
  std::string sceneFile_;
  std::unique_ptr<scene::SceneHost> host_;
  std::unique_ptr<automation::ScopedObjectCreator> creator_;
};

// Messages as a user would have seen them: to standard error, and as JSON.
void PrintMessages(const std::vector<headless::HeadlessPresenter::Message>& messages);
nlohmann::ordered_json MessagesJson(const std::vector<headless::HeadlessPresenter::Message>& messages);

// Everything `show` tells of a part.
nlohmann::ordered_json PartJson(scene::SceneHost& host, const scene::NodePtr& part);
void PrintPart(scene::SceneHost& host, const scene::NodePtr& part);

}  // namespace zembrati::cli
