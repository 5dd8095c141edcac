#include "rigid_transform.h"

#include <cmath>

#include "vector_math.h"

namespace zembrati::scene {
namespace {

using Quaternion = std::array<double, 4>;

Quaternion Multiply(const Quaternion& a, const Quaternion& b) {
  return {a[0] * b[0] - a[1] * b[1] - a[2] * b[2] - a[3] * b[3],
          a[0] * b[1] + a[1] * b[0] + a[2] * b[3] - a[3] * b[2],
          a[0] * b[2] - a[1] * b[3] + a[2] * b[0] + a[3] * b[1],
          a[0] * b[3] + a[1] * b[2] - a[2] * b[1] + a[3] * b[0]};
}

// Unit length, and w >= 0 so that one rotation has one set of values. A quaternion that is
// already of unit length to within rounding keeps its values: dividing by a norm that is 1 but
// for its last bits would change them, and a scene saved and loaded again would not give the
// same text.
Quaternion Canonical(Quaternion q) {
  double norm = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  if (norm == 0 || !std::isfinite(norm)) return {1, 0, 0, 0};
  if (std::fabs(norm - 1) <= 1e-14) norm = 1;
  const double sign = q[0] < 0 ? -1.0 : 1.0;
  for (double& c : q) c = c * sign / norm;
  return q;
}


}  // namespace

Vector3 Normalized(Vector3 v) {
  const double length = std::sqrt(Dot(v, v));
  if (length == 0) return v;
  return {v.x / length, v.y / length, v.z / length};
}

RigidTransform RigidTransform::FromPlacement(const std::array<double, 7>& p) {
  return {{p[0], p[1], p[2]}, Canonical({p[3], p[4], p[5], p[6]})};
}

std::array<double, 7> RigidTransform::ToPlacement() const {
  return {translation.x, translation.y, translation.z, rotation[0],
          rotation[1],   rotation[2],   rotation[3]};
}

Vector3 RigidTransform::Rotate(Vector3 v) const {
  const Quaternion q = rotation;
  const Quaternion r = Multiply(Multiply(q, {0, v.x, v.y, v.z}), {q[0], -q[1], -q[2], -q[3]});
  return {r[1], r[2], r[3]};
}

RigidTransform RigidTransform::After(const RigidTransform& inner) const {
  return {Map(inner.translation), Canonical(Multiply(rotation, inner.rotation))};
}

RigidTransform RigidTransform::Inverse() const {
  const RigidTransform turnBack{{}, {rotation[0], -rotation[1], -rotation[2], -rotation[3]}};
  const Vector3 shift = turnBack.Rotate(translation);
  return {{-shift.x, -shift.y, -shift.z}, Canonical(turnBack.rotation)};
}

RigidTransform RigidTransform::FromFrames(Vector3 origin1, Vector3 direction1, Vector3 origin2,
                                          Vector3 direction2) {
  const Vector3 a = Normalized(direction1), b = Normalized(direction2);
  const double cosine = Dot(a, b);
  Quaternion q;
  if (cosine < -1 + 1e-12) {
    // Opposite directions: half a turn about any axis square to them.
    Vector3 axis = Cross(a, {1, 0, 0});
    if (Dot(axis, axis) < 1e-12) axis = Cross(a, {0, 1, 0});
    axis = Normalized(axis);
    q = {0, axis.x, axis.y, axis.z};
  } else {
    const Vector3 axis = Cross(a, b);
    q = Canonical({1 + cosine, axis.x, axis.y, axis.z});
  }
  RigidTransform t{{}, Canonical(q)};
  const Vector3 moved = t.Rotate(origin1);
  t.translation = {origin2.x - moved.x, origin2.y - moved.y, origin2.z - moved.z};
  return t;
}

bool RigidTransform::NearlyEquals(const RigidTransform& other, double tolerance) const {
  const auto close = [tolerance](double a, double b) { return std::fabs(a - b) <= tolerance; };
  for (int i = 0; i < 4; ++i) {
    if (!close(rotation[static_cast<std::size_t>(i)], other.rotation[static_cast<std::size_t>(i)]))
      return false;
  }
  return close(translation.x, other.translation.x) && close(translation.y, other.translation.y) &&
         close(translation.z, other.translation.z);
}

}  // namespace zembrati::scene
