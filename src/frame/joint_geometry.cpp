#include "joint_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "axis_entry.h"
#include "runtime/number_text.h"
#include "vector_math.h"

namespace zembrati::frame {
namespace {

using scene::CutPlane;
using scene::EndCut;
using scene::JointKind;
using scene::JointRecord;

// How near two end points must be to be one point of a mitre, in mm.
constexpr double kSharedPointMm = 0.1;
// The narrowest and widest angles between two mitred members, in degrees.
constexpr double kMinMitreDegrees = 1, kMaxMitreDegrees = 179;
// A butt cut on a face must lean from square by less than this, in degrees: a cut along the axis
// is no cut at all.
constexpr double kMaxFaceLeanDegrees = 89;

double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

std::string Millimetres(double mm) { return runtime::GeneralForm(std::round(mm * 100) / 100) + " mm"; }

// A plane and a direction given in the scene, in the member's body coordinates.
CutPlane PlaneInBody(const Member& member, Vector3 point, Vector3 normal) {
  const scene::RigidTransform toBody = member.frame.Inverse();
  return {toBody.Map(point), scene::Normalized(toBody.Rotate(normal))};
}

Vector3 DirectionInBody(const Member& member, Vector3 direction) {
  return member.frame.Inverse().Rotate(direction);
}

// The normal of the plane in which both axes lie, or zero where they are parallel.
Vector3 BendNormal(Vector3 a, Vector3 b) {
  const Vector3 n = Cross(a, b);
  return Length(n) < 1e-9 ? Vector3{} : scene::Normalized(n);
}

scene::EndJoint NoteOf(JointKind kind, const Member& other, double gap) {
  return {scene::JointKindName(kind), other.part, gap};
}

void CheckExtension(const JointRecord& joint, const Member& member) {
  if (joint.extend <= -member.length) {
    throw JointError("shortening it by " + Millimetres(-joint.extend) + " leaves nothing of " + member.label + " (" +
                     Millimetres(member.length) + " long)");
  }
}

JointCuts SolveMitre(const JointRecord& joint, const Member& member, const Member& other) {
  const Vector3 end = member.Point(joint.end, joint.extend), otherEnd = other.Point(joint.toEnd);
  // Ends that meet within the tolerance meet halfway, so that neither member is favoured.
  const Vector3 point = (end + otherEnd) * 0.5;
  const double apart = Length(end - otherEnd);
  if (apart > kSharedPointMm + 1e-9) {
    throw JointError("a mitre joins members that share an end point, and the " + std::string(MemberEndName(joint.end)) +
                     " of " + member.label + " lies " + Millimetres(apart) + " from the " +
                     MemberEndName(joint.toEnd) + " of " + other.label);
  }
  const Vector3 into = -member.Outward(joint.end), otherInto = -other.Outward(joint.toEnd);
  const double angle = Degrees(std::acos(std::clamp(Dot(into, otherInto), -1.0, 1.0)));
  if (angle < kMinMitreDegrees || angle > kMaxMitreDegrees) {
    throw JointError(member.label + " and " + other.label + " meet at " + runtime::GeneralForm(std::round(angle * 100) / 100) +
                     "°, " + (angle < kMinMitreDegrees ? "one along the other" : "in line") +
                     ": a mitre needs an angle between 1° and 179°");
  }
  // The bisecting plane's normal points from this member's side to the other's.
  const Vector3 across = scene::Normalized(otherInto - into);
  const Vector3 bend = BendNormal(into, otherInto);
  JointCuts cuts;
  cuts.cut.plane = PlaneInBody(member, point - across * (joint.gap / 2), across);
  cuts.cut.joint = NoteOf(JointKind::Mitre, other, joint.gap);
  cuts.cut.bend = DirectionInBody(member, bend);
  EndCut otherCut;
  otherCut.plane = PlaneInBody(other, point + across * (joint.gap / 2), -across);
  otherCut.joint = NoteOf(JointKind::Mitre, member, joint.gap);
  otherCut.bend = DirectionInBody(other, bend);
  cuts.otherCut = otherCut;
  return cuts;
}

// Where the member's axis, followed from its far end past the joined one, meets the other
// member; `inside` says what of the other counts.
AxisEntry EntryInto(const JointRecord& joint, const Member& member, const Member& other, Inside inside) {
  const scene::RigidTransform toOther = other.frame.Inverse();
  const Vector3 far = member.Point(frame::OtherEnd(joint.end));
  const std::optional<AxisEntry> entry = FirstEntry(*other.section, other.length, toOther.Map(far),
                                                    toOther.Rotate(member.Outward(joint.end)), inside);
  if (!entry) throw JointError("the axis of " + member.label + " passes " + other.label + " by");
  if (entry->t <= 1e-6) {
    throw JointError("the far end of " + member.label + " lies inside " + other.label + ": it cannot end at it");
  }
  if (entry->t - joint.gap <= 1e-6) {
    throw JointError("a gap of " + Millimetres(joint.gap) + " leaves nothing of " + member.label);
  }
  return {entry->t, other.frame.Rotate(entry->normal), entry->exit};
}

JointCuts SolveButt(const JointRecord& joint, const Member& member, const Member& other) {
  const AxisEntry entry = EntryInto(joint, member, other, Inside::Material);
  const Vector3 along = member.Outward(joint.end);
  const Vector3 at = member.Point(frame::OtherEnd(joint.end)) + along * entry.t;
  JointCuts cuts;
  if (joint.onFacePlane) {
    const double lean = Degrees(std::acos(std::clamp(-Dot(entry.normal, along), -1.0, 1.0)));
    if (lean >= kMaxFaceLeanDegrees) {
      throw JointError("the face of " + other.label + " that the axis of " + member.label + " meets runs along it (" +
                       runtime::GeneralForm(std::round(lean * 10) / 10) + "° from square): cut it square instead");
    }
    cuts.cut.plane = PlaneInBody(member, at + entry.normal * joint.gap, -entry.normal);
  } else {
    cuts.cut.plane = PlaneInBody(member, at - along * joint.gap, along);
  }
  cuts.cut.joint = NoteOf(JointKind::Butt, other, joint.gap);
  cuts.cut.bend = DirectionInBody(member, BendNormal(along, other.Direction()));
  return cuts;
}

JointCuts SolveCope(const JointRecord& joint, const Member& member, const Member& other) {
  const AxisEntry entry = EntryInto(joint, member, other, Inside::Outline);
  const Vector3 along = member.Outward(joint.end);
  const Vector3 far = member.Point(frame::OtherEnd(joint.end));
  JointCuts cuts;
  // Square where the axis leaves the other member: what lies beyond, outside it, is a piece of
  // its own and goes.
  cuts.cut.plane = PlaneInBody(member, far + along * (entry.exit + joint.gap), along);
  cuts.cut.cope = scene::CopeTool{other.section->outline, joint.gap, member.frame.Inverse().After(other.frame), 0,
                                  other.length};
  const Vector3 at = far + along * entry.t;
  cuts.cut.facePlane = PlaneInBody(member, at + entry.normal * joint.gap, -entry.normal);
  cuts.cut.joint = NoteOf(JointKind::Cope, other, joint.gap);
  cuts.cut.bend = DirectionInBody(member, BendNormal(along, other.Direction()));
  return cuts;
}

double DistanceToSegment(Vector3 p, Vector3 a, Vector3 b) {
  const Vector3 ab = b - a;
  const double t = std::clamp(Dot(p - a, ab) / Dot(ab, ab), 0.0, 1.0);
  return Length(p - (a + ab * t));
}

}  // namespace

JointCuts SolveJoint(const JointRecord& joint, const Member& member, const Member& other) {
  CheckExtension(joint, member);
  switch (joint.kind) {
    case JointKind::Mitre: return SolveMitre(joint, member, other);
    case JointKind::Butt: return SolveButt(joint, member, other);
    case JointKind::Cope: return SolveCope(joint, member, other);
  }
  throw JointError("unknown joint kind");
}

MemberEnd NearestEnd(const Member& member, Vector3 point) {
  return Length(point - member.Point(MemberEnd::Start)) <= Length(point - member.Point(MemberEnd::End)) ? MemberEnd::Start
                                                                                                          : MemberEnd::End;
}

MemberEnd NearerEnd(const Member& member, const Member& other, JointKind kind) {
  const auto distance = [&](MemberEnd end) {
    const Vector3 p = member.Point(end);
    if (kind == JointKind::Mitre) {
      return std::min(Length(p - other.Point(MemberEnd::Start)), Length(p - other.Point(MemberEnd::End)));
    }
    return DistanceToSegment(p, other.Point(MemberEnd::Start), other.Point(MemberEnd::End));
  };
  return distance(MemberEnd::Start) < distance(MemberEnd::End) ? MemberEnd::Start : MemberEnd::End;
}

}  // namespace zembrati::frame
