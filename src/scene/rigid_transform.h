#pragma once

#include <array>

namespace zembrati::scene {

struct Vector3 {
  double x = 0, y = 0, z = 0;
  bool operator==(const Vector3&) const = default;
};

// A rotation followed by a translation: how a shape stands in its parent. The rotation is a unit
// quaternion (w, x, y, z). This is also the meaning of a placement's P1..P7: P1..P3 the
// translation, P4..P7 the quaternion w, x, y, z. A quaternion of four zeros (a placement that
// sets only a position) means no rotation.
struct RigidTransform {
  Vector3 translation;
  std::array<double, 4> rotation{1, 0, 0, 0};

  static RigidTransform FromPlacement(const std::array<double, 7>& p);
  std::array<double, 7> ToPlacement() const;

  Vector3 Rotate(Vector3 v) const;
  Vector3 Map(Vector3 point) const { return Add(Rotate(point), translation); }
  // The transform that applies `inner` first, then this one.
  RigidTransform After(const RigidTransform& inner) const;
  // The transform that undoes this one.
  RigidTransform Inverse() const;
  // The transform that takes the frame (origin1, direction1) to (origin2, direction2): the
  // shortest rotation turning direction1 into direction2, then the shift taking origin1 to
  // origin2.
  static RigidTransform FromFrames(Vector3 origin1, Vector3 direction1, Vector3 origin2,
                                   Vector3 direction2);
  bool NearlyEquals(const RigidTransform& other, double tolerance = 1e-9) const;

  static Vector3 Add(Vector3 a, Vector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
};

Vector3 Normalized(Vector3 v);

}  // namespace zembrati::scene
