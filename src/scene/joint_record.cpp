#include "joint_record.h"

namespace zembrati::scene {

const char* JointKindName(JointKind kind) {
  switch (kind) {
    case JointKind::Mitre: return "mitre";
    case JointKind::Butt: return "butt";
    case JointKind::Cope: return "cope";
  }
  return "butt";
}

std::optional<JointKind> JointKindFromName(const std::string& name) {
  for (const JointKind kind : {JointKind::Mitre, JointKind::Butt, JointKind::Cope}) {
    if (name == JointKindName(kind)) return kind;
  }
  return std::nullopt;
}

const char* MemberEndName(MemberEnd end) { return end == MemberEnd::Start ? "start" : "end"; }

std::optional<MemberEnd> MemberEndFromName(const std::string& name) {
  if (name == "start") return MemberEnd::Start;
  if (name == "end") return MemberEnd::End;
  return std::nullopt;
}

}  // namespace zembrati::scene
