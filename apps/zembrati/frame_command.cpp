#include "frame_command.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <memory>
#include <sstream>

#include "cli_support.h"
#include "csv_table.h"
#include "deferred_preferences.h"
#include "joint_list.h"
#include "joints.h"
#include "member_drop.h"
#include "member_list.h"
#include "parts_set_aside.h"
#include "runtime/paths.h"
#include "scene_session.h"

namespace zembrati::cli {
namespace {

struct FrameOptions {
  SettingsOptions settings;
  std::string scene, list, joints;
  bool json = false;
};

// A member list of 64 MiB holds about a million members: anything larger is not one.
constexpr std::uintmax_t kMaxListBytes = 64u << 20;

// `what` is "member list" or "joint list".
std::string ReadList(const std::string& path, const std::string& what) {
  RequirePlainText(path, what);
  const std::filesystem::path file = runtime::PathFromUtf8(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) throw UsageError(path + ": no such " + what + " file");
  if (std::filesystem::file_size(file, error) > kMaxListBytes) throw UsageError(path + ": larger than a " + what + " can be (64 MiB)");
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in && !in.eof()) throw CommandFailure(path + ": could not be read");
  return text.str();
}

// The marks of a member list, each with the line of the member it names; a mark two members
// share names neither, and a joint that uses it is refused.
std::map<std::string, int> MarksOf(const std::vector<MemberRow>& rows, std::set<std::string>& shared) {
  std::map<std::string, int> marks;
  for (const MemberRow& row : rows) {
    if (!row.mark.empty() && !marks.emplace(row.mark, row.line).second) shared.insert(row.mark);
  }
  return marks;
}

std::vector<JointRow> ReadJoints(const FrameOptions& options, const std::vector<MemberRow>& members) {
  if (options.joints.empty()) return {};
  std::set<std::string> shared;
  const std::map<std::string, int> lines = MarksOf(members, shared);
  std::set<std::string> marks;
  for (const auto& [mark, line] : lines) marks.insert(mark);
  std::vector<JointRow> joints = ReadJointList(ReadList(options.joints, "joint list"), options.joints, marks);
  for (const JointRow& joint : joints) {
    for (const std::string& mark : {joint.mark, joint.to}) {
      if (shared.count(mark)) {
        RaiseRowError(options.joints, joint.line, "the mark " + mark + " is given to more than one member of " +
                                                      options.list + " (first on line " + std::to_string(lines.at(mark)) + ")");
      }
    }
  }
  return joints;
}

// Joins the members a frame has just made, row by row: a joint that cannot be made is the row's
// fault, reported with its line, and nothing is saved.
void MakeJoints(SceneSession& session, const FrameOptions& options, const std::vector<JointRow>& joints,
                const std::map<std::string, scene::NodePtr>& byMark) {
  std::vector<frame::LabelledJoint> requests;
  for (const JointRow& row : joints) {
    requests.push_back({{byMark.at(row.mark), row.end, row.kind, byMark.at(row.to), row.gap, row.extend, row.onFacePlane},
                        row.mark, row.to});
  }
  try {
    frame::AddJoints(session.host().document(), requests);
  } catch (const frame::JointRequestError& error) {
    session.RestorePreferences();
    RaiseRowError(options.joints, joints[error.index].line, error.what());
  }
}

int RunFrame(const FrameOptions& options) {
  const std::vector<MemberRow> rows = ReadMemberList(ReadList(options.list, "member list"), options.list);
  const std::vector<JointRow> joints = ReadJoints(options, rows);
  SceneSession session(options.scene, options.settings, SceneSession::Access::Change);
  DeferredPreferences preferences(session);
  std::map<std::string, scene::NodePtr> byMark;
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
    if (!row.mark.empty()) byMark.emplace(row.mark, part);
  }
  MakeJoints(session, options, joints, byMark);
  session.SaveChanges();
  preferences.Keep();
  PrintMessages(messages);
  if (options.json) {
    PrintJson({{"ok", true}, {"members", names}, {"joints", joints.size()}});
  } else {
    std::cout << "Made " << names.size() << " members" << (joints.empty() ? "" : " and " + std::to_string(joints.size()) + " joints")
              << " in " << options.scene << ".\n";
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
  command->add_option("--joints", options->joints,
                      "Joint list (CSV): a header row naming the columns mark, end, kind, to, gap and optionally "
                      "extend and plane; each row joins the end (start or end) of the member with that mark to the "
                      "member 'to' as a mitre (both ends cut on the bisecting plane), butt (cut where its axis meets "
                      "the other, square or with plane=yes on its face) or cope (shaped around the other), less the "
                      "gap (mm); extend moves the end first (mm, negative shortens)");
  AddSettingsOptions(*command, options->settings);
  command->add_flag("--json", options->json, "Print the names of the members made as JSON");
  command->footer("Example:\n  zembrati frame --scene out/portal.json docs/portal-frame.csv --joints docs/portal-joints.csv\n\n"
                  "A member list:\n  mark,type,standard,size,material,x1,y1,z1,x2,y2,z2,roll\n"
                  "  C1,HE,HEA,200,S355J2,0,0,0,0,0,4000,90\n"
                  "  R1,HE,IPE,240,S355J2,0,0,4000,6000,0,4500,0\n\n"
                  "A joint list:\n  mark,end,kind,to,gap\n  R1,start,butt,C1,0");
  command->callback([options, &exitCode] { exitCode = RunReportingErrors(options->json, [&] { return RunFrame(*options); }); });
}

}  // namespace zembrati::cli
