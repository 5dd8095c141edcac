#include "member_axes.h"

#include <cmath>
#include <numbers>

#include "vector_math.h"

namespace zembrati::scene {
namespace {

// The unit quaternion (w, x, y, z) of the rotation whose matrix has the columns x, y, z (an
// orthonormal right-handed frame), taken from the largest of its four possible pivots so that
// no division is by a small number.
std::array<double, 4> QuaternionOfFrame(Vector3 x, Vector3 y, Vector3 z) {
  const double trace = x.x + y.y + z.z;
  std::array<double, 4> q;
  if (trace > 0) {
    const double s = 2 * std::sqrt(1 + trace);
    q = {s / 4, (y.z - z.y) / s, (z.x - x.z) / s, (x.y - y.x) / s};
  } else if (x.x > y.y && x.x > z.z) {
    const double s = 2 * std::sqrt(1 + x.x - y.y - z.z);
    q = {(y.z - z.y) / s, s / 4, (y.x + x.y) / s, (z.x + x.z) / s};
  } else if (y.y > z.z) {
    const double s = 2 * std::sqrt(1 + y.y - x.x - z.z);
    q = {(z.x - x.z) / s, (y.x + x.y) / s, s / 4, (z.y + y.z) / s};
  } else {
    const double s = 2 * std::sqrt(1 + z.z - x.x - y.y);
    q = {(x.y - y.x) / s, (z.x + x.z) / s, (z.y + y.z) / s, s / 4};
  }
  if (q[0] < 0) {
    for (double& c : q) c = -c;
  }
  return q;
}

}  // namespace

double Distance(Vector3 a, Vector3 b) {
  return Length(b - a);
}

std::optional<RigidTransform> MemberPlacement(Vector3 start, Vector3 end, double rollDegrees) {
  const double length = Distance(start, end);
  if (!(length > 0) || !std::isfinite(length) || !std::isfinite(rollDegrees)) return std::nullopt;
  const Vector3 z = (end - start) * (1 / length);
  const Vector3 up{0, 0, 1};
  // Within a millionth of a radian of vertical the axis leaves no direction nearer +Z to choose.
  const Vector3 towardUp = up - z * Dot(up, z);
  const Vector3 y0 = std::sqrt(Dot(towardUp, towardUp)) < 1e-6 ? Vector3{0, 1, 0} : Normalized(towardUp);
  const Vector3 x0 = Cross(y0, z);
  const double roll = rollDegrees * std::numbers::pi / 180;
  const Vector3 x = x0 * std::cos(roll) + y0 * std::sin(roll);
  const Vector3 y = y0 * std::cos(roll) - x0 * std::sin(roll);
  return RigidTransform{start, QuaternionOfFrame(x, y, z)};
}

}  // namespace zembrati::scene
