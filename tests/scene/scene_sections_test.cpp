#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "catalogue/size_lines.h"
#include "scene_test_support.h"

namespace zembrati::scene {
namespace {

using std::numbers::pi;
using test::BuildSectionPart;
using test::Dims;

// Area a fillet of radius r adds at a concave corner (or takes at a convex one) where the outline
// turns through the angle `turn`: the region between the two tangents and the arc.
double FilletArea(double r, double turn) { return r * r * (std::tan(turn / 2) - turn / 2); }

void ExpectRelativelyNear(double actual, double expected, double relative = 1e-9) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * relative);
}

TEST(SceneSectionsTest, HeaTwoHundredHasItsTabulatedArea) {
  SceneHost host;
  const NodePtr body = BuildSectionPart(host, 1, Dims({190, 1500, 200, 6.5, 10, 18}));
  ASSERT_TRUE(body->section);
  EXPECT_NEAR(body->section->area, 5383.124, 0.0005);
  ExpectRelativelyNear(body->section->area, 2 * 200 * 10 + (190 - 20) * 6.5 + (4 - pi) * 18 * 18);
  EXPECT_NEAR(body->section->centroid.x, 0, 1e-12);
  EXPECT_NEAR(body->section->centroid.y, 0, 1e-12);
  EXPECT_EQ(body->length, 1500);
  ASSERT_TRUE(body->sizeBox);
  EXPECT_EQ(body->sizeBox->min.x, -100);
  EXPECT_EQ(body->sizeBox->max.y, 95);
  EXPECT_EQ(body->sizeBox->max.z, 1500);
  EXPECT_EQ(body->name, "test");
}

TEST(SceneSectionsTest, SlopedFlangeSectionsMatchTheirClosedForms) {
  SceneHost host;
  {  // IPN 200: h 200, b 90, tw 7.5, tf 11.3, r1 7.5, r2 4.5
    const double h = 200, b = 90, tw = 7.5, tf = 11.3, r1 = 7.5, r2 = 4.5;
    const double t1 = tf - b / 4 * 0.14, t2 = (b / 2 - tw / 2) * 0.14 + t1;
    const double turn = pi / 2 - std::atan(0.14);
    const double expected =
        h * tw + (b - tw) * (t1 + t2) - 4 * FilletArea(r2, turn) + 4 * FilletArea(r1, turn);
    const NodePtr body = BuildSectionPart(host, 2, Dims({h, 1000, b, tw, tf, r1, r2}));
    ExpectRelativelyNear(body->section->area, expected);
  }
  {  // UPN 200: h 200, b 75, tw 8.5, tf 11.5, r1 11.5, r2 6
    const double h = 200, b = 75, tw = 8.5, tf = 11.5, r1 = 11.5, r2 = 6;
    const double t1 = tf - b / 2 * 0.08, t2 = (b - tw) * 0.08 + t1;
    const double turn = pi / 2 - std::atan(0.08);
    const double expected =
        h * tw + (b - tw) * (t1 + t2) - 2 * FilletArea(r2, turn) + 2 * FilletArea(r1, turn);
    const NodePtr body = BuildSectionPart(host, 3, Dims({h, 1000, b, tw, tf, r1, r2}));
    ExpectRelativelyNear(body->section->area, expected);
    EXPECT_EQ(body->section->box.minX, 0);
    EXPECT_EQ(body->section->box.maxX, 75);
  }
}

TEST(SceneSectionsTest, AnglesAndTeesMatchTheirClosedForms) {
  SceneHost host;
  const NodePtr angle = BuildSectionPart(host, 4, Dims({80, 1000, 40, 6, 7, 3.5}));
  ExpectRelativelyNear(angle->section->area,
                       6 * (80 + 40 - 6) + (1 - pi / 4) * (7 * 7 - 2 * 3.5 * 3.5));

  const NodePtr sharpAngle = BuildSectionPart(host, 4, Dims({80, 1000, 40, 6, 0, 0}));
  ExpectRelativelyNear(sharpAngle->section->area, 684);
  ExpectRelativelyNear(sharpAngle->section->centroid.x, 19812.0 / 684);
  ExpectRelativelyNear(sharpAngle->section->centroid.y, 6132.0 / 684);

  const NodePtr tee = BuildSectionPart(host, 5, Dims({50, 1000, 50, 6}));
  ExpectRelativelyNear(tee->section->area, 50 * 6 + 44 * 6);
}

TEST(SceneSectionsTest, RoundedTeeIsItsTaperedPolygonWithSixFillets) {
  SceneHost host;
  const double b = 60, h = 60, t = 7, r1 = 7, r2 = 3.5, r3 = 2;
  const double w1 = t - h / 2 * 0.02, w2 = (h - t) * 0.02 + w1, f1 = t - b / 4 * 0.02;
  const double polygon = (w1 + w2) / 2 * (h - w2) + b * f1 + (b - w2) * (w2 - f1) / 2 +
                         w2 * (w2 - f1);
  const NodePtr sharp = BuildSectionPart(host, 6, Dims({b, 1000, h, t, 0, 0, 0}));
  ExpectRelativelyNear(sharp->section->area, polygon);
  // Turning angles at the web toe, the root and the flange toe, from the corner directions.
  const double webSide = std::atan2(h - w2, (w2 - w1) / 2);          // web face against the x axis
  const double flangeTop = std::atan2(w2 - f1, (b - w2) / 2);        // flange top against the x axis
  const double toeTurn = webSide;                                    // top edge to web face
  const double rootTurn = webSide - flangeTop;
  const double flangeToeTurn = pi / 2 - flangeTop;
  const NodePtr rounded = BuildSectionPart(host, 6, Dims({b, 1000, h, t, r1, r2, r3}));
  ExpectRelativelyNear(rounded->section->area,
                       polygon - 2 * FilletArea(r3, toeTurn) + 2 * FilletArea(r1, rootTurn) -
                           2 * FilletArea(r2, flangeToeTurn));
}

TEST(SceneSectionsTest, HollowAndSolidSectionsMatchTheirClosedForms) {
  SceneHost host;
  const NodePtr tube = BuildSectionPart(host, 7, Dims({60.3, 3000, 4}));
  ExpectRelativelyNear(tube->section->area, pi * (30.15 * 30.15 - 26.15 * 26.15));
  EXPECT_EQ(tube->section->holes.size(), 1u);
  EXPECT_NEAR(tube->section->box.minY, -30.15, 1e-12);

  const NodePtr rhs = BuildSectionPart(host, 8, Dims({100, 1000, 5, 50}));
  ExpectRelativelyNear(rhs->section->area,
                       (100 * 50 - (4 - pi) * 7.5 * 7.5) - (90 * 40 - (4 - pi) * 2.5 * 2.5));
  EXPECT_EQ(rhs->section->box.maxX, 50);

  const NodePtr shs = BuildSectionPart(host, 9, Dims({40, 1000, 4, 999}));
  ExpectRelativelyNear(shs->section->area, (1600 - (4 - pi) * 36) - (32 * 32 - (4 - pi) * 4));

  ExpectRelativelyNear(BuildSectionPart(host, 10, Dims({100, 500, 10}))->section->area, 1000);
  ExpectRelativelyNear(BuildSectionPart(host, 11, Dims({20, 500}))->section->area, pi * 100);
  ExpectRelativelyNear(BuildSectionPart(host, 12, Dims({20, 500}))->section->area, 400);
}

TEST(SceneSectionsTest, ZeroRadiiGiveSharpCornersAndTheLengthOnlyTheExtrusion) {
  SceneHost host;
  const NodePtr sharp = BuildSectionPart(host, 1, Dims({96, 100, 100, 5, 8, 0}));
  ExpectRelativelyNear(sharp->section->area, 2 * 100 * 8 + 80 * 5);
  EXPECT_EQ(sharp->section->outline.elements.size(), 12u);
  const NodePtr longer = BuildSectionPart(host, 1, Dims({96, 12000, 100, 5, 8, 0}));
  EXPECT_EQ(longer->section->area, sharp->section->area);
  EXPECT_EQ(longer->length, 12000);
}

// What a size line states with named fields: a channel's slope (0: parallel flanges), an S beam's
// 16.67 %, a hollow section's corner rule, an American design wall.
TEST(SceneSectionsTest, StatedSlopesCornersAndWallsDrawTheirSections) {
  namespace field = catalogue::named_field;
  SceneHost host;
  {  // UPE 200: h 200, b 80, tw 6, tf 11, r 13, parallel flanges, no toe radius
    std::array<double, 21> d = Dims({200, 1000, 80, 6, 11, 13, 0});
    d[field::kFlangeSlope] = field::kParallelFlanges;
    const NodePtr body = BuildSectionPart(host, 3, d);
    ExpectRelativelyNear(body->section->area, 200 * 80 - (200 - 22) * (80 - 6) + 2 * (1 - pi / 4) * 13 * 13);
    EXPECT_NEAR(body->section->area, 2900, 0.01 * 2900);  // 29.0 cm² in the mill's table
  }
  {  // An IPN with a stated 16.67 % slope draws thinner toes than with its own 14 %.
    std::array<double, 21> d = Dims({200, 1000, 90, 7.5, 11.3, 7.5, 4.5});
    const double own = BuildSectionPart(host, 2, d)->section->area;
    d[field::kFlangeSlope] = 14;
    ExpectRelativelyNear(BuildSectionPart(host, 2, d)->section->area, own, 1e-12);
    d[field::kFlangeSlope] = 16.67;
    const double steeper = BuildSectionPart(host, 2, d)->section->area;
    const double t1 = 11.3 - 90 / 4.0 * 0.1667, t2 = (45 - 3.75) * 0.1667 + t1;
    const double turn = pi / 2 - std::atan(0.1667);
    ExpectRelativelyNear(steeper, 200 * 7.5 + (90 - 7.5) * (t1 + t2) - 4 * FilletArea(4.5, turn) + 4 * FilletArea(7.5, turn));
  }
  const auto hollow = [](double a, double b, double t, double ro, double ri) {
    return (a * b - (4 - pi) * ro * ro) - ((a - 2 * t) * (b - 2 * t) - (4 - pi) * ri * ri);
  };
  // EN 10219 by wall band: 2 t up to 6, 2.5 t up to 10, 3 t above; the band edges belong below.
  for (const auto& [t, ro] : {std::pair{5.0, 10.0}, {6.0, 12.0}, {8.0, 20.0}, {10.0, 25.0}, {12.0, 36.0}}) {
    std::array<double, 21> d = Dims({200, 1000, t, 100});
    d[field::kCornerRule] = field::kCornersEn10219;
    ExpectRelativelyNear(BuildSectionPart(host, 8, d)->section->area, hollow(200, 100, t, ro, ro - t));
  }
  {
    std::array<double, 21> d = Dims({100, 1000, 5, 50});
    d[field::kCornerRule] = field::kCornersEn10210;
    ExpectRelativelyNear(BuildSectionPart(host, 8, d)->section->area, hollow(100, 50, 5, 7.5, 5));
    d[field::kCornerRule] = 0;  // the built-in corners
    ExpectRelativelyNear(BuildSectionPart(host, 8, d)->section->area, hollow(100, 50, 5, 7.5, 2.5));
  }
  {  // HSS 6x4x1/4: nominal 6.4, design wall 0.93 t, corners 2 and 1 design walls; 4.30 in² in AISC
    std::array<double, 21> d = Dims({152.4, 1000, 6.35, 101.6});
    d[field::kWallFactor] = 0.93;
    d[field::kCornerRule] = field::kCornersGiven;
    d[field::kOuterRadius] = -2;
    d[field::kInnerRadius] = -1;
    const double t = 6.35 * 0.93;
    const double area = BuildSectionPart(host, 8, d)->section->area;
    ExpectRelativelyNear(area, hollow(152.4, 101.6, t, 2 * t, t));
    EXPECT_NEAR(area, 4.30 * 25.4 * 25.4, 0.01 * 4.30 * 25.4 * 25.4);
  }
  {  // A round HSS with a design wall
    std::array<double, 21> d = Dims({168.3, 1000, 7.11});
    d[field::kWallFactor] = 0.93;
    const double t = 7.11 * 0.93;
    ExpectRelativelyNear(BuildSectionPart(host, 7, d)->section->area, pi / 4 * (168.3 * 168.3 - std::pow(168.3 - 2 * t, 2)));
  }
}

}  // namespace
}  // namespace zembrati::scene
