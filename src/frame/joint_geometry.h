#pragma once

#include <optional>
#include <stdexcept>

#include "member.h"

namespace zembrati::frame {

// A joint that cannot be made as asked, with the reason in words a detailer reads.
class JointError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a joint does to the two members: the cut of the member's end and, for a mitre, the cut of
// the other member's end (a butt or a cope leaves the other member as it is).
struct JointCuts {
  scene::EndCut cut;
  std::optional<scene::EndCut> otherCut;
};

// Solves one joint between `member` and `other` exactly, from their axes and sections:
// - mitre: the two ends share a point (within 0.1 mm), and both are cut on the plane through it
//   that bisects the angle between the axes (between 1° and 179°); a gap g moves each cut g/2
//   back from that plane.
// - butt: the member is cut where its axis, followed from its far end, first enters the other
//   member (a flange or web face, a tube's skin, an end face), less the gap: square to its own
//   axis, or on the plane of that face.
// - cope: the member is cut square where its axis leaves the other member's outline (holes
//   filled), and then keeps what lies outside that outline grown by the gap.
// The end is first moved by `extend` along its axis. Raises a JointError when the joint cannot be
// made: no shared end point, parallel axes, an axis that never meets the other member, a far end
// inside it, an extension that leaves nothing of the member.
JointCuts SolveJoint(const scene::JointRecord& joint, const Member& member, const Member& other);

// The end of `member` that a joint to `other` is meant for when none is named: for a mitre the
// end that lies at one of the other's ends, otherwise the end nearer the other's axis.
MemberEnd NearerEnd(const Member& member, const Member& other, scene::JointKind kind);

// The end of `member` nearest a point.
MemberEnd NearestEnd(const Member& member, Vector3 point);

}  // namespace zembrati::frame
