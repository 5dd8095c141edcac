#include "geometry/dimension_checks.h"

#include <gtest/gtest.h>

#include "catalogue/size_lines.h"

namespace zembrati::geometry {
namespace {

std::array<double, 21> Dims(std::initializer_list<double> values) {
  std::array<double, 21> dims{};
  std::size_t i = 0;
  for (const double v : values) dims[i++] = v;
  return dims;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& words) {
  for (const std::string& p : problems) {
    if (p.find(words) != std::string::npos) return true;
  }
  return false;
}

TEST(DimensionChecksTest, SoundSizesPassAndFaultsAreNamed) {
  EXPECT_TRUE(CheckDimensions(1, Dims({190, 1500, 200, 6.5, 10, 18})).empty());
  EXPECT_TRUE(CheckDimensions(2, Dims({200, 1500, 90, 7.5, 11.3, 7.5, 4.5})).empty());
  EXPECT_TRUE(CheckDimensions(3, Dims({200, 1500, 75, 8.5, 11.5, 11.5, 6})).empty());
  EXPECT_TRUE(CheckDimensions(6, Dims({50, 1500, 50, 6, 6, 3, 1.5})).empty());
  EXPECT_TRUE(CheckDimensions(8, Dims({100, 1500, 5, 50})).empty());

  EXPECT_TRUE(Mentions(CheckDimensions(1, Dims({190, 1500, 100, 150, 10, 18})), "web (150) is not narrower"));
  EXPECT_TRUE(Mentions(CheckDimensions(1, Dims({190, 1500, 200, 6.5, 100, 18})), "leave no web"));
  EXPECT_TRUE(Mentions(CheckDimensions(4, Dims({50, 1500, 50, 5, 7, 6})), "toe radius 6"));
  EXPECT_TRUE(Mentions(CheckDimensions(7, Dims({60.3, 1500, 30.15})), "not less than half the section"));
  EXPECT_TRUE(Mentions(CheckDimensions(9, Dims({40, 1500, 25})), "wall 25"));
  EXPECT_TRUE(Mentions(CheckDimensions(11, Dims({0, 1500})), "D must be greater than 0"));
  EXPECT_TRUE(Mentions(CheckDimensions(12, Dims({20, 0})), "the length must be greater than 0"));
}

// The corners a hollow section's line states must fit it: a wrong "ro=" in a catalogue is found
// by the check, not by a failed drawing.
TEST(DimensionChecksTest, StatedHollowCornersMustFitTheSection) {
  namespace field = catalogue::named_field;
  const auto stated = [](double a, double t, double ro, double ri) {
    std::array<double, 21> d = Dims({a, 1500, t, a});
    d[field::kCornerRule] = field::kCornersGiven;
    d[field::kOuterRadius] = ro;
    d[field::kInnerRadius] = ri;
    return d;
  };
  EXPECT_TRUE(CheckDimensions(9, stated(100, 5, -2, -1)).empty());  // 2 t and 1 t
  EXPECT_TRUE(Mentions(CheckDimensions(9, stated(100, 5, 60, 10)), "outer corner radius 60 is larger than half"));
  EXPECT_TRUE(Mentions(CheckDimensions(9, stated(100, 5, 10, 12)), "inner corner radius 12 is not between 0"));
  EXPECT_TRUE(Mentions(CheckDimensions(8, stated(100, 30, 50, 45)), "larger than half the hole (20)"));
  std::array<double, 21> banded = Dims({20, 1500, 8, 20});  // EN 10219 gives 20 at t = 8
  banded[field::kCornerRule] = field::kCornersEn10219;
  EXPECT_TRUE(Mentions(CheckDimensions(8, banded), "outer corner radius 20 is larger than half the section (10)"));
}

TEST(DimensionChecksTest, RequiredFieldsCoverEveryElementTheGeneratorReads) {
  EXPECT_EQ(RequiredFieldCount(1), 6);
  EXPECT_EQ(RequiredFieldCount(2), 7);
  EXPECT_EQ(RequiredFieldCount(5), 4);
  EXPECT_EQ(RequiredFieldCount(7), 3);
  EXPECT_EQ(RequiredFieldCount(8), 4);
  EXPECT_EQ(RequiredFieldCount(11), 2);
}

}  // namespace
}  // namespace zembrati::geometry
