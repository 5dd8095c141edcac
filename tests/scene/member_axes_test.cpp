// Members between two points: the placement must turn the section's z onto the member's axis and
// its y as near +Z as the axis allows, from every direction (each branch of the quaternion).
#include "member_axes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using zembrati::scene::MemberPlacement;
using zembrati::scene::Vector3;

double Dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TEST(MemberPlacement, TurnsTheSectionOntoTheAxisFromEveryDirection) {
  for (int i = -6; i <= 6; ++i) {
    for (int j = -6; j <= 6; ++j) {
      for (int k = -6; k <= 6; ++k) {
        const Vector3 direction{double(i), double(j), double(k)};
        const double length = std::sqrt(Dot(direction, direction));
        if (length == 0) continue;
        const Vector3 start{10, -20, 30};
        const auto placement = MemberPlacement(start, {10.0 + i, -20.0 + j, 30.0 + k}, 0);
        ASSERT_TRUE(placement);
        const Vector3 z = placement->Rotate({0, 0, 1}), y = placement->Rotate({0, 1, 0});
        EXPECT_NEAR(Dot(z, direction), length, 1e-9) << i << " " << j << " " << k;
        EXPECT_NEAR(Dot(y, z), 0, 1e-12);
        const bool vertical = i == 0 && j == 0;
        if (vertical) {
          EXPECT_NEAR(y.y, 1, 1e-12);
        } else {
          // As near +Z as the axis allows: +Z with its part along the axis taken out.
          const double horizontal = std::sqrt(double(i * i + j * j));
          EXPECT_NEAR(y.z, horizontal / length, 1e-12) << i << " " << j << " " << k;
        }
        EXPECT_EQ(placement->translation, start);
      }
    }
  }
}

TEST(MemberPlacement, RollsCounterclockwiseSeenFromTheEnd) {
  const auto turned = MemberPlacement({0, 0, 0}, {1000, 0, 0}, 30);
  ASSERT_TRUE(turned);
  const Vector3 y = turned->Rotate({0, 1, 0});
  // Unrolled, y is +Z and x is y × z = +Y; thirty degrees on, y leans towards -x.
  EXPECT_NEAR(y.z, std::cos(std::numbers::pi / 6), 1e-12);
  EXPECT_NEAR(y.y, -std::sin(std::numbers::pi / 6), 1e-12);
}

TEST(MemberPlacement, RefusesAMemberOfNoLength) {
  EXPECT_FALSE(MemberPlacement({1, 2, 3}, {1, 2, 3}, 0));
  EXPECT_FALSE(MemberPlacement({0, 0, 0}, {NAN, 0, 0}, 0));
  EXPECT_FALSE(MemberPlacement({0, 0, 0}, {1, 0, 0}, INFINITY));
}

}  // namespace
