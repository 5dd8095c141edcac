#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "joint_geometry.h"

namespace zembrati::frame {

// A joint of the scene that could not be solved as its members now stand, and why.
struct JointProblem {
  std::size_t index = 0;  // in the scene's joints
  std::string reason;
};

// Solves every joint of the scene into the end cuts of its members' bodies, from the members as
// they stand now: after an edit, a length change or loading, the cuts follow the members. A
// joint whose member has left the scene goes with it. A joint that cannot be solved leaves the
// ends it would cut square and is reported, in words that name both members.
std::vector<JointProblem> SolveJoints(scene::Document& document);

// What a new joint joins: the end `end` of `part` (nearest the other when not given) to `other`.
struct JointRequest {
  scene::NodePtr part;
  std::optional<MemberEnd> end;
  scene::JointKind kind = scene::JointKind::Butt;
  scene::NodePtr other;
  double gap = 0;
  double extend = 0;
  bool onFacePlane = false;
};

// A joint to add, with what messages call its two members (their marks, say).
struct LabelledJoint {
  JointRequest request;
  std::string label, otherLabel;
};

// The joint of a batch that could not be made: its place in the batch, and why.
class JointRequestError : public JointError {
 public:
  JointRequestError(std::size_t at, const std::string& reason) : JointError(reason), index(at) {}
  std::size_t index;
};

// Adds joints to the scene and solves the joints again, all or none. Raises a JointRequestError
// for the first that cannot be made, leaving the scene as it was: a part that is no member, a
// member joined to itself, an end (either end of a mitre) joined already or by two of them, a
// negative gap, or a joint that does not solve.
void AddJoints(scene::Document& document, const std::vector<LabelledJoint>& joints);
// One joint, as AddJoints adds it; raises a JointError.
void AddJoint(scene::Document& document, const JointRequest& request, const std::string& label,
              const std::string& otherLabel);

// Removes the joints of `part`, those of its ends and those that meet it (only those at its end
// `end`, and only those with `other`, where given), solving the rest again; returns how many went.
std::size_t RemoveJoints(scene::Document& document, const scene::NodePtr& part, std::optional<MemberEnd> end,
                         const scene::NodePtr& other);

}  // namespace zembrati::frame
