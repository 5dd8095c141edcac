#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene_error.h"
#include "section/section.h"
#include "support/error_number.h"

namespace zembrati::scene {
namespace {

LoopSketch Polygon(std::vector<Point2> corners, std::vector<FilletRequest> fillets = {}) {
  LoopSketch loop;
  loop.start = corners.front();
  for (std::size_t i = 1; i < corners.size(); ++i) loop.lines.push_back(corners[i]);
  loop.lines.push_back(corners.front());
  loop.fillets = std::move(fillets);
  return loop;
}

LoopSketch Square(double half, double x = 0, double y = 0) {
  return Polygon({{x - half, y + half}, {x + half, y + half}, {x + half, y - half}, {x - half, y - half}});
}

LoopSketch Circle(double radius, double x = 0, double y = 0) {
  LoopSketch loop;
  loop.circleCentre = Point2{x, y};
  loop.circleRadius = radius;
  return loop;
}

std::string DescriptionOf(auto&& operation) {
  try {
    operation();
  } catch (const runtime::RuntimeError& e) {
    return e.description();
  }
  return "no error";
}

TEST(SectionGeometryTest, FilletIndicesCountEarlierFilletsAsElements) {
  // A square rounded at corners 1 and 3: the second request names corner 3 as index 4.
  const Section section = BuildSection({Polygon({{0, 10}, {10, 10}, {10, 0}, {0, 0}},
                                                {{1, 2}, {4, 3}})});
  ASSERT_EQ(section.outline.elements.size(), 6u);
  EXPECT_EQ(section.outline.elements[0].kind, BoundaryElement::Kind::Arc);
  EXPECT_EQ(section.outline.elements[0].radius, 2);
  EXPECT_EQ(section.outline.elements[3].kind, BoundaryElement::Kind::Arc);
  EXPECT_EQ(section.outline.elements[3].radius, 3);
  EXPECT_NEAR(section.area, 100 - (1 - std::numbers::pi / 4) * (4 + 9), 1e-12);
  // Naming the second end of a fillet, or a corner twice, is refused.
  EXPECT_EQ(testing::ErrorNumberOf([] {
              BuildSection({Polygon({{0, 10}, {10, 10}, {10, 0}, {0, 0}}, {{1, 2}, {2, 2}})});
            }),
            scene_error::kBadFillet);
  EXPECT_EQ(testing::ErrorNumberOf([] {
              BuildSection({Polygon({{0, 10}, {10, 10}, {10, 0}, {0, 0}}, {{5, 2}})});
            }),
            scene_error::kBadFillet);
}

TEST(SectionGeometryTest, ExactPropertiesOfArcs) {
  // A circle off the origin: area, centroid and box in closed form.
  const Section disc = BuildSection({Circle(5, 3, -2)});
  EXPECT_NEAR(disc.area, 25 * std::numbers::pi, 1e-12);
  EXPECT_NEAR(disc.centroid.x, 3, 1e-12);
  EXPECT_NEAR(disc.centroid.y, -2, 1e-12);
  EXPECT_NEAR(disc.box.minX, -2, 1e-12);
  EXPECT_NEAR(disc.box.maxY, 3, 1e-12);
  // A square with one corner rounded: the centroid moves away from that corner.
  const Section rounded = BuildSection({Polygon({{0, 10}, {10, 10}, {10, 0}, {0, 0}}, {{2, 10}})});
  EXPECT_NEAR(rounded.area, 100 - (1 - std::numbers::pi / 4) * 100, 1e-12);
  // Quarter disc of radius 10 about (0, 0): centroid at 4r/(3π) from both sides.
  EXPECT_NEAR(rounded.centroid.x, 40 / (3 * std::numbers::pi), 1e-12);
  EXPECT_NEAR(rounded.centroid.y, 40 / (3 * std::numbers::pi), 1e-12);
}

TEST(SectionGeometryTest, HolesAreSubtractedWhateverTheirDirectionOrOrder) {
  const Section drawnInsideFirst = BuildSection({Circle(2), Square(5)});
  EXPECT_NEAR(drawnInsideFirst.area, 100 - 4 * std::numbers::pi, 1e-12);
  EXPECT_EQ(drawnInsideFirst.holes.size(), 1u);
  LoopSketch reversed = Polygon({{-5, 5}, {-5, -5}, {5, -5}, {5, 5}});
  EXPECT_NEAR(BuildSection({reversed, Square(1)}).area, 96, 1e-12);
}

TEST(SectionGeometryTest, UnsoundProfilesAreClearErrors) {
  const auto error = [](std::vector<LoopSketch> loops) {
    return testing::ErrorNumberOf([&] { BuildSection(loops); });
  };
  LoopSketch open = Square(5);
  open.lines.back() = {-5, 4};
  EXPECT_EQ(error({open}), scene_error::kBadSketch);
  EXPECT_NE(DescriptionOf([&] { BuildSection({open}); }).find("does not close"), std::string::npos);
  EXPECT_EQ(error({Polygon({{0, 0}, {1, 1}})}), scene_error::kBadSketch);
  EXPECT_EQ(error({Circle(0)}), scene_error::kBadSketch);
  EXPECT_EQ(error({Circle(-1)}), scene_error::kBadSketch);
  EXPECT_EQ(error({Polygon({{0, 10}, {10, 10}, {10, 0}, {0, 0}}, {{1, 6}, {3, 6}})}),
            scene_error::kFilletTooLarge);
  EXPECT_EQ(error({Polygon({{0, 10}, {10, 10}, {10, 0}, {0, 0}}, {{1, -1}})}), scene_error::kBadFillet);
  EXPECT_EQ(error({Polygon({{0, 0}, {10, 10}, {10, 0}, {0, 10}})}), scene_error::kBadLoopLayout);
  EXPECT_EQ(error({Square(5), Square(1, 20, 0)}), scene_error::kBadLoopLayout);  // hole outside
  EXPECT_EQ(error({Square(5), Square(5)}), scene_error::kBadLoopLayout);         // on the outline
  EXPECT_EQ(error({Square(5), Circle(5)}), scene_error::kBadLoopLayout);         // touching
  EXPECT_EQ(error({Square(5), Square(3), Square(1)}), scene_error::kBadLoopLayout);
  EXPECT_EQ(error({Polygon({{0, 0}, {NAN, 1}, {1, 0}})}), scene_error::kNonFinite);
  EXPECT_EQ(error({}), scene_error::kBadSketch);
}

// Loops are met as drawn, arcs as arcs: a wall far thinner than the sag of any chord is still a
// wall, and two circles that touch, or an arc crossed by another, are refused.
TEST(SectionGeometryTest, ArcsAreCheckedAsArcs) {
  const auto error = [](std::vector<LoopSketch> loops) {
    return testing::ErrorNumberOf([&] { BuildSection(loops); });
  };
  EXPECT_NEAR(BuildSection({Circle(10), Circle(9.99999)}).area, std::numbers::pi * (100 - 9.99999 * 9.99999), 1e-9);
  EXPECT_EQ(error({Circle(10), Circle(5, 5, 0)}), scene_error::kBadLoopLayout);       // touching inside
  EXPECT_EQ(error({Circle(10), Circle(5, 4.999999, 0)}), 0);                           // just clear of it
  EXPECT_EQ(error({Circle(10), Circle(2, 9, 0)}), scene_error::kBadLoopLayout);        // crossing
  EXPECT_EQ(error({Circle(2), Circle(2, 4, 0), Circle(10)}), scene_error::kBadLoopLayout);  // holes touching

  // A corner of a 20 mm square rounded to 10 mm (about (10, 10)), and a tiny hole 50 µm inside
  // the arc, where a chord would have cut it off.
  const LoopSketch rounded = Polygon({{0, 20}, {20, 20}, {20, 0}, {0, 0}}, {{2, 10}});
  const double angle = std::numbers::pi / 2 - std::numbers::pi / 256, depth = 10 - 5e-5;
  const Section holed = BuildSection({rounded, Circle(1e-5, 10 + depth * std::cos(angle), 10 + depth * std::sin(angle))});
  EXPECT_NEAR(holed.area, 400 - (1 - std::numbers::pi / 4) * 100, 1e-9);
  EXPECT_EQ(holed.holes.size(), 1u);
  // The same hole just outside the arc, and one across it.
  EXPECT_EQ(error({rounded, Circle(1e-5, 10 + (10 + 5e-5) * std::cos(angle), 10 + (10 + 5e-5) * std::sin(angle))}),
            scene_error::kBadLoopLayout);
  EXPECT_EQ(error({rounded, Circle(1, 10 + 10 * std::cos(angle), 10 + 10 * std::sin(angle))}),
            scene_error::kBadLoopLayout);
}

TEST(SectionGeometryTest, FilletsThatMeetLeaveNoEdgeBetweenThem) {
  // Radius equal to half the side on two neighbouring corners: the arcs meet mid-edge.
  const Section section = BuildSection({Polygon({{0, 10}, {10, 10}, {10, 0}, {0, 0}}, {{1, 5}, {3, 5}})});
  EXPECT_NEAR(section.area, 100 - 2 * (1 - std::numbers::pi / 4) * 25, 1e-12);
}

}  // namespace
}  // namespace zembrati::scene
