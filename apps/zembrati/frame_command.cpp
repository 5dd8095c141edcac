#include "frame_command.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli_support.h"
#include "member_drop.h"
#include "member_list.h"
#include "parts_set_aside.h"
#include "runtime/paths.h"
#include "scene_session.h"

namespace zembrati::cli {
namespace {

struct FrameOptions {
  SettingsOptions settings;
  std::string scene, list;
  bool json = false;
};

// A member list of 64 MiB holds about a million members: anything larger is not one.
constexpr std::uintmax_t kMaxListBytes = 64u << 20;

std::string ReadList(const std::string& path) {
  RequirePlainText(path, "member list");
  const std::filesystem::path file = runtime::PathFromUtf8(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) throw UsageError(path + ": no such member list file");
  if (std::filesystem::file_size(file, error) > kMaxListBytes) throw UsageError(path + ": larger than a member list can be (64 MiB)");
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in && !in.eof()) throw CommandFailure(path + ": could not be read");
  return text.str();
}

int RunFrame(const FrameOptions& options) {
  const std::vector<MemberRow> rows = ReadMemberList(ReadList(options.list), options.list);
  SceneSession session(options.scene, options.settings, SceneSession::Access::Change);
  std::vector<std::string> names;
  std::vector<headless::HeadlessPresenter::Message> messages;
  for (const MemberRow& row : rows) {
    scene::NodePtr part;
    try {
      // Members stand alone: each is made as if in a scene of its own, then joins the others.
      const scene::PartsSetAside earlierMembers(session.host().document());
      part = DropMember(session, row.choices, row.ends, row.mark);
    } catch (const UsageError& error) {
      session.RestorePreferences();
      throw UsageError(options.list + " line " + std::to_string(row.line) + ": " + error.what());
    }
    messages.insert(messages.end(), session.messages.begin(), session.messages.end());
    if (!part) {
      session.RestorePreferences();
      PrintMessages(messages);
      const std::string reason = session.status.ok() ? "the part was not made" : session.status.description;
      PrintError(options.json, "failure", options.list + " line " + std::to_string(row.line) + ": " + reason,
                 session.status.number);
      return kExitSystemError;
    }
    names.push_back(part->name);
  }
  session.SaveChanges();
  PrintMessages(messages);
  if (options.json) {
    PrintJson({{"ok", true}, {"members", names}});
  } else {
    std::cout << "Made " << names.size() << " members in " << options.scene << ".\n";
  }
  return kExitSuccess;
}

}  // namespace

void AddFrameCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<FrameOptions>();
  CLI::App* command = app.add_subcommand(
      "frame", "Make a frame from a member list: each row is dropped between its two points as 'drop --at --to' "
               "drops one (dialog choices, the distance as the length, the mark added to the name); every row is "
               "checked first, and a bad row leaves the scene unsaved.");
  command->add_option("--scene", options->scene, "Scene file (JSON); a new scene when it does not exist")->required();
  command->add_option("MEMBERS", options->list,
                      "Member list (CSV): a header row naming the columns mark, family, type, standard, size, "
                      "thickness, material, x1, y1, z1, x2, y2, z2, roll (mm and degrees; type, standard, size and "
                      "the points are required)")
      ->required();
  AddSettingsOptions(*command, options->settings);
  command->add_flag("--json", options->json, "Print the names of the members made as JSON");
  command->footer("Example:\n  zembrati frame --scene out/portal.json docs/portal-frame.csv\n\n"
                  "A member list:\n  mark,type,standard,size,material,x1,y1,z1,x2,y2,z2,roll\n"
                  "  C1,HE,HEA,200,S355J2,0,0,0,0,0,4000,0\n"
                  "  R1,HE,IPE,240,S355J2,0,0,4000,6000,0,4500,0");
  command->callback([options, &exitCode] { exitCode = RunReportingErrors(options->json, [&] { return RunFrame(*options); }); });
}

}  // namespace zembrati::cli
