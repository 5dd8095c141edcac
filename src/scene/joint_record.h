#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zembrati::scene {

// The kinds of joint between two members, and the ends of a member.
enum class JointKind { Mitre, Butt, Cope };
enum class MemberEnd { Start, End };

const char* JointKindName(JointKind kind);  // "mitre", "butt", "cope"
std::optional<JointKind> JointKindFromName(const std::string& name);
const char* MemberEndName(MemberEnd end);   // "start", "end"
std::optional<MemberEnd> MemberEndFromName(const std::string& name);

// A joint as the scene keeps it: how the end `end` of the part with the id `member` meets the
// part with the id `to` (at its end `toEnd`, for a mitre, which cuts both). `extend` moves the end
// along its axis before the joint is solved (negative: shortens); `onFacePlane` cuts a butt end
// on the plane of the face it meets rather than square. The cuts it makes are solved from this
// whenever either member changes.
struct JointRecord {
  std::uint64_t member = 0;
  MemberEnd end = MemberEnd::End;
  JointKind kind = JointKind::Butt;
  std::uint64_t to = 0;
  MemberEnd toEnd = MemberEnd::Start;
  double gap = 0;
  double extend = 0;
  bool onFacePlane = false;
  bool operator==(const JointRecord&) const = default;
};

}  // namespace zembrati::scene
