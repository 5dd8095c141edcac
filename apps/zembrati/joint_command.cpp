#include "joint_command.h"

#include <iostream>
#include <memory>

#include "cli_support.h"
#include "joint_list.h"
#include "joints.h"
#include "report/part_report.h"
#include "runtime/number_text.h"
#include "scene_session.h"

namespace zembrati::cli {
namespace {

using Json = nlohmann::ordered_json;

struct JointOptions {
  SettingsOptions settings;
  std::string scene, part, end, kind, to, gap, extend;
  bool onFacePlane = false, remove = false, json = false;
};

std::optional<scene::MemberEnd> EndOption(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return ParseMemberEnd(text, "--end");
}

void PrintCut(const scene::NodePtr& part) {
  const Json report = report::PartReport(part);
  std::cout << part->name << ": cut length "
            << (report["cut_length_mm"].is_number() ? runtime::GeneralForm(report["cut_length_mm"].get<double>()) + " mm"
                                                    : std::string("unknown"))
            << "\n"
            << EndsText(report, "  ");
}

int Finish(const JointOptions& options, const std::vector<scene::NodePtr>& parts, const std::string& said) {
  if (options.json) {
    Json list = Json::array();
    for (const scene::NodePtr& part : parts) list.push_back(report::PartReport(part));
    PrintJson(Json{{"ok", true}, {"parts", list}});
  } else {
    std::cout << said << "\n";
    for (const scene::NodePtr& part : parts) PrintCut(part);
  }
  return kExitSuccess;
}

int RunRemove(const JointOptions& options) {
  if (!options.kind.empty() || !options.gap.empty() || !options.extend.empty() || options.onFacePlane) {
    throw UsageError("--remove takes the part, and --end and --to to say which of its joints: not --kind, --gap, "
                     "--extend or --plane");
  }
  const std::optional<scene::MemberEnd> end = EndOption(options.end);
  SceneSession session(options.scene, options.settings, SceneSession::Access::Change);
  const scene::NodePtr part = session.FindPart(options.part);
  const scene::NodePtr other = options.to.empty() ? nullptr : session.FindPart(options.to);
  const std::size_t removed = frame::RemoveJoints(session.host().document(), part, end, other);
  if (removed == 0) {
    throw UsageError("\"" + options.part + "\" has no joint" + (end ? std::string(" at its ") + options.end : "") +
                     (other ? " to \"" + options.to + "\"" : "") + " to remove");
  }
  session.SaveChanges();
  std::vector<scene::NodePtr> parts{part};
  if (other) parts.push_back(other);
  return Finish(options, parts, "Removed " + std::to_string(removed) + (removed == 1 ? " joint." : " joints."));
}

int RunJoint(const JointOptions& options) {
  if (options.remove) return RunRemove(options);
  if (options.kind.empty() || options.to.empty()) throw UsageError("say how and to what: --kind mitre|butt|cope --to PART");
  const scene::JointKind kind = ParseJointKind(options.kind, "--kind");
  if (options.onFacePlane && kind != scene::JointKind::Butt) throw UsageError("--plane goes with --kind butt");
  frame::JointRequest request{nullptr, EndOption(options.end), kind, nullptr, ParseGap(options.gap, "--gap"),
                              ParseExtension(options.extend, "--extend"), options.onFacePlane};
  SceneSession session(options.scene, options.settings, SceneSession::Access::Change);
  request.part = session.FindPart(options.part);
  request.other = session.FindPart(options.to);
  try {
    frame::AddJoint(session.host().document(), request, request.part->name, request.other->name);
  } catch (const frame::JointError& error) {
    throw UsageError(error.what());
  }
  session.SaveChanges();
  return Finish(options, {request.part, request.other},
                "Joined \"" + options.part + "\" to \"" + options.to + "\" (" + scene::JointKindName(kind) + ").");
}

}  // namespace

void AddJointCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<JointOptions>();
  CLI::App* command = app.add_subcommand(
      "joint", "Join an end of a part to another part, as the shop cuts it: mitre (both ends cut on the plane that "
               "bisects their axes; they must share an end point), butt (the part cut where its axis meets the other, "
               "square or on the other's face with --plane) or cope (shaped around the other). The joint is kept in "
               "the scene and solved again whenever either part changes. --remove takes joints away.");
  command->add_option("--scene", options->scene, "Scene file")->required()->check(CLI::ExistingFile);
  command->add_option("--part", options->part, "The part whose end is joined")->required();
  command->add_option("--end", options->end, "Which end of it: start or end (default: the one nearer the other part)");
  command->add_option("--kind", options->kind, "mitre, butt or cope");
  command->add_option("--to", options->to, "The part it meets");
  command->add_option("--gap", options->gap, "Gap between the two, mm (default 0)");
  command->add_option("--extend", options->extend, "Move the end along its axis first, mm (negative shortens)");
  command->add_flag("--plane", options->onFacePlane, "Butt: cut on the plane of the face it meets, not square");
  command->add_flag("--remove", options->remove, "Remove the part's joints (at --end, to --to, where given)");
  AddSettingsOptions(*command, options->settings);
  command->add_flag("--json", options->json, "Print both parts as 'show --json' does");
  command->footer("Examples:\n  zembrati joint --scene portal.json --part \"IPE 300 x 6029.9 R1\" --end start --kind butt "
                  "--to \"HEA 240 x 5000 C1\"\n  zembrati joint --scene window.json --part A --kind mitre --to B --gap 2\n"
                  "  zembrati joint --scene portal.json --part \"IPE 300 x 6029.9 R1\" --remove");
  command->callback([options, &exitCode] { exitCode = RunReportingErrors(options->json, [&] { return RunJoint(*options); }); });
}

}  // namespace zembrati::cli
