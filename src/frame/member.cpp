#include "member.h"

#include "vector_math.h"

namespace zembrati::frame {

Vector3 Member::Point(MemberEnd end, double extend) const {
  return frame.Map({0, 0, end == MemberEnd::Start ? -extend : length + extend});
}

Vector3 Member::Direction() const { return frame.Rotate({0, 0, 1}); }

Vector3 Member::Outward(MemberEnd end) const { return end == MemberEnd::Start ? -Direction() : Direction(); }

std::optional<Member> MemberOf(const scene::NodePtr& part) {
  const scene::NodePtr body = scene::FirstBody(*part);
  if (!body || !body->section || !(body->length > 0)) return std::nullopt;
  return Member{part, body, part->placement.After(body->placement), body->length, body->section.get(), part->name};
}

}  // namespace zembrati::frame
