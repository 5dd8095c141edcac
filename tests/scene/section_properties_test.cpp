// Second moments, principal axes, section moduli and radii of gyration, computed in closed form
// from the drawn lines and arcs: against closed forms, against a fine polygon of the same outline,
// and against the published tables.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene_test_support.h"
#include "section/section_properties.h"

namespace zembrati::scene {
namespace {

using std::numbers::pi;
using test::BuildSectionPart;
using test::Dims;

const SectionProperties& PropertiesOf(SceneHost& host, std::int16_t code, const std::array<double, 21>& dims) {
  return BuildSectionPart(host, code, dims)->section->properties;
}

void ExpectRelativelyNear(double actual, double expected, double relative) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * relative);
}

TEST(SectionPropertiesTest, RectanglesCirclesAndRingsHaveTheirClosedForms) {
  SceneHost host;
  const SectionProperties flat = PropertiesOf(host, 10, Dims({100, 1000, 50}));  // 100 wide, 50 high
  ExpectRelativelyNear(flat.iy, 100 * std::pow(50, 3) / 12, 1e-12);
  ExpectRelativelyNear(flat.iz, 50 * std::pow(100, 3) / 12, 1e-12);
  EXPECT_NEAR(flat.iyz, 0, 1e-6);
  ExpectRelativelyNear(flat.wely, 100 * 50 * 50 / 6.0, 1e-12);
  ExpectRelativelyNear(flat.radiusY, 50 / std::sqrt(12), 1e-12);
  EXPECT_EQ(flat.iu, flat.iz);  // the major axis is the vertical one, exactly
  EXPECT_EQ(flat.alpha, pi / 2);

  const SectionProperties bar = PropertiesOf(host, 11, Dims({60, 1000}));
  ExpectRelativelyNear(bar.iy, pi * std::pow(60, 4) / 64, 1e-12);
  ExpectRelativelyNear(bar.iz, bar.iy, 1e-12);
  ExpectRelativelyNear(bar.welz, pi * std::pow(60, 3) / 32, 1e-12);

  const SectionProperties tube = PropertiesOf(host, 7, Dims({168.3, 1000, 8}));
  ExpectRelativelyNear(tube.iy, pi * (std::pow(168.3, 4) - std::pow(152.3, 4)) / 64, 1e-12);
  // Every axis of a ring is a principal one: no angle from the rounding of the moments.
  EXPECT_EQ(tube.alpha, 0);
  EXPECT_EQ(bar.alpha, 0);
}

// The arcs of fillets about any centre: the exact integrals agree with a polygon that follows
// the same outline in chords of a thousandth of a radian.
TEST(SectionPropertiesTest, ArcTermsAgreeWithAFinePolygonOfTheSameOutline) {
  SceneHost host;
  for (const auto& [code, dims] : {std::pair{std::int16_t{2}, Dims({200, 1000, 90, 7.5, 11.3, 7.5, 4.5})},
                                   {std::int16_t{4}, Dims({100, 1000, 50, 8, 8, 4})},
                                   {std::int16_t{6}, Dims({60, 1000, 60, 7, 7, 3.5, 2})},
                                   {std::int16_t{8}, Dims({120, 1000, 6, 80})}}) {
    SCOPED_TRACE(code);
    const Section& section = *BuildSectionPart(host, code, dims)->section;
    RegionMoments polygon;
    for (const Boundary* loop : section.Loops()) {
      const std::vector<Point2> points = Polyline(*loop, 1e-3);
      RegionMoments m;
      for (std::size_t i = 0; i < points.size(); ++i) {
        Boundary edge;
        BoundaryElement line;
        line.from = points[i];
        line.to = points[(i + 1) % points.size()];
        edge.elements.push_back(line);
        m += MomentsOf(edge);
      }
      polygon += m.Scaled((m.area > 0) == (loop == &section.outline) ? 1.0 : -1.0);
    }
    const SectionProperties fromPolygon = scene::PropertiesOf(polygon, section.box);
    ExpectRelativelyNear(section.properties.iy, fromPolygon.iy, 1e-6);
    ExpectRelativelyNear(section.properties.iz, fromPolygon.iz, 1e-6);
    EXPECT_NEAR(section.properties.iyz, fromPolygon.iyz, 1e-6 * fromPolygon.iy);
  }
}

// Published second moments of filleted sections agree with the drawn outline to well under 1 %.
TEST(SectionPropertiesTest, TabulatedSectionsHaveTheirPublishedProperties) {
  SceneHost host;
  const double cm4 = 1e4, cm3 = 1e3;
  const SectionProperties hea200 = PropertiesOf(host, 1, Dims({190, 1000, 200, 6.5, 10, 18}));
  ExpectRelativelyNear(hea200.iy, 3692 * cm4, 0.005);
  ExpectRelativelyNear(hea200.iz, 1336 * cm4, 0.005);
  ExpectRelativelyNear(hea200.wely, 388.6 * cm3, 0.005);
  ExpectRelativelyNear(hea200.radiusY, 82.8, 0.005);
  const SectionProperties ipe300 = PropertiesOf(host, 1, Dims({300, 1000, 150, 7.1, 10.7, 15}));
  ExpectRelativelyNear(ipe300.iy, 8356 * cm4, 0.005);
  ExpectRelativelyNear(ipe300.iz, 603.8 * cm4, 0.005);
  ExpectRelativelyNear(ipe300.wely, 557.1 * cm3, 0.005);
  const SectionProperties upn200 = PropertiesOf(host, 3, Dims({200, 1000, 75, 8.5, 11.5, 11.5, 6}));
  ExpectRelativelyNear(upn200.iy, 1910 * cm4, 0.005);
  ExpectRelativelyNear(upn200.iz, 148 * cm4, 0.01);
  // An equal angle: principal axes at 45°, Iu + Iv = Iy + Iz; L 100x100x10 in the tables.
  const SectionProperties angle = PropertiesOf(host, 4, Dims({100, 1000, 100, 10, 12, 6}));
  ExpectRelativelyNear(angle.iy, 176.7 * cm4, 0.005);
  ExpectRelativelyNear(angle.iz, angle.iy, 1e-12);
  EXPECT_NEAR(angle.alpha, pi / 4, 1e-9);  // u is the axis of symmetry, through the heel
  EXPECT_NEAR(Transposed(angle).alpha, pi / 4, 1e-9);
  ExpectRelativelyNear(angle.iu + angle.iv, angle.iy + angle.iz, 1e-12);
  ExpectRelativelyNear(angle.iu, 280.7 * cm4, 0.005);
  ExpectRelativelyNear(angle.radiusV, 19.5, 0.01);
  // An unequal angle as the tables turn it, standing on its long leg: L 100x50x8.
  const SectionProperties unequal = Transposed(PropertiesOf(host, 4, Dims({100, 1000, 50, 8, 8, 4})));
  ExpectRelativelyNear(unequal.iy, 116 * cm4, 0.01);
  ExpectRelativelyNear(unequal.iz, 19.7 * cm4, 0.01);
  ExpectRelativelyNear(unequal.wely, 18.2 * cm3, 0.01);
  ExpectRelativelyNear(unequal.iu, 123 * cm4, 0.01);
  ExpectRelativelyNear(unequal.radiusV, 10.6, 0.01);
  EXPECT_NEAR(std::tan(unequal.alpha), 0.262, 0.01);
}

}  // namespace
}  // namespace zembrati::scene
