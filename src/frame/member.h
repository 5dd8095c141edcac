#pragma once

#include <optional>
#include <string>

#include "document.h"

namespace zembrati::frame {

using scene::MemberEnd;
using scene::Vector3;

// A part as joints see it: a member whose axis runs from its start to its end, with the section
// that stands across it. Its body's coordinates (the section in x and y, the axis along z from 0
// to the length) map into the scene by `frame`.
struct Member {
  scene::NodePtr part;
  scene::NodePtr body;
  scene::RigidTransform frame;
  double length = 0;
  const scene::Section* section = nullptr;
  std::string label;  // what messages call it: its part's name, unless a caller knows it by a mark

  // The axis point of an end, in the scene; moved `extend` out along the axis (in, when negative).
  Vector3 Point(MemberEnd end, double extend = 0) const;
  // The unit direction of the axis from start to end, in the scene.
  Vector3 Direction() const;
  // The unit direction along the axis out of the member at an end.
  Vector3 Outward(MemberEnd end) const;
};

// The member a part makes: none for a part without a body whose solid was built.
std::optional<Member> MemberOf(const scene::NodePtr& part);

inline MemberEnd OtherEnd(MemberEnd end) { return end == MemberEnd::Start ? MemberEnd::End : MemberEnd::Start; }

}  // namespace zembrati::frame
