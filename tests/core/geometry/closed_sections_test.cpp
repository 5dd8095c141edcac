#include <gtest/gtest.h>

#include <array>

#include "generator_test_support.h"
#include "geometry/generators.h"
#include "geometry/section_types.h"

namespace zembrati::geometry {
namespace {

using test::Record;
using test::SizeValues;
using Lines = std::vector<std::string>;

TEST(ClosedSectionsTest, TubeDrawsTheHoleFirstThenTheOuterCircleWithoutAStartPoint) {
  const auto transcript =
      Record([](const ObjectRef& shape) { GenTubo(shape, "CHS 60.3x4", 60.3, 4, 3000); });
  EXPECT_EQ(transcript.On("loop"), (Lines{
                                       "loop1.SetStartPoint(I2 0, I2 0) call",
                                       "loop1.AddEllipse(I2 0, I2 0, R8 26.15) call",
                                       "loop2.AddEllipse(I2 0, I2 0, R8 30.15) call",
                                   }));
  EXPECT_EQ(SizeValues(transcript), (Lines{"body 1: R8 60.3 R8 60.3 R8 3000",
                                           "body 5: R8 30.15 R8 30.15 R8 0",
                                           "profile 4: R8 30.15 R8 30.15 R8 0"}));
}

TEST(ClosedSectionsTest, HollowSectionRoundsOutsideWithOneAndAHalfAndInsideWithHalfTheWall) {
  const auto transcript =
      Record([](const ObjectRef& shape) { GenCavo(shape, "RHS", 100, 50, 5, 6000); });
  EXPECT_EQ(transcript.On("loop"), (Lines{
                                       "loop1.SetStartPoint(R8 -50, R8 25) call",
                                       "loop1.AddLineTo(R8 50, R8 25) call",
                                       "loop1.AddLineTo(R8 50, R8 -25) call",
                                       "loop1.AddLineTo(R8 -50, R8 -25) call",
                                       "loop1.AddLineTo(R8 -50, R8 25) call",
                                       "loop1.AddFilletAt(I2 1, R8 7.5) call",
                                       "loop1.AddFilletAt(I2 3, R8 7.5) call",
                                       "loop1.AddFilletAt(I2 5, R8 7.5) call",
                                       "loop1.AddFilletAt(I2 7, R8 7.5) call",
                                       "loop2.SetStartPoint(R8 -45, R8 20) call",
                                       "loop2.AddLineTo(R8 45, R8 20) call",
                                       "loop2.AddLineTo(R8 45, R8 -20) call",
                                       "loop2.AddLineTo(R8 -45, R8 -20) call",
                                       "loop2.AddLineTo(R8 -45, R8 20) call",
                                       "loop2.AddFilletAt(I2 1, R8 2.5) call",
                                       "loop2.AddFilletAt(I2 3, R8 2.5) call",
                                       "loop2.AddFilletAt(I2 5, R8 2.5) call",
                                       "loop2.AddFilletAt(I2 7, R8 2.5) call",
                                   }));
  EXPECT_EQ(SizeValues(transcript)[1], "body 5: R8 100 R8 50 R8 0");
}

TEST(ClosedSectionsTest, FlatBarAndRoundBar) {
  const auto flat = Record([](const ObjectRef& shape) { GenPiatto(shape, "FL", 100, 10, 500); });
  EXPECT_EQ(flat.On("loop"), (Lines{
                                 "loop.SetStartPoint(R8 -50, R8 5) call",
                                 "loop.AddLineTo(R8 50, R8 5) call",
                                 "loop.AddLineTo(R8 50, R8 -5) call",
                                 "loop.AddLineTo(R8 -50, R8 -5) call",
                                 "loop.AddLineTo(R8 -50, R8 5) call",
                             }));
  const auto round = Record([](const ObjectRef& shape) { GenTondo(shape, "RD 20", 20, 500); });
  EXPECT_EQ(round.On("loop"), (Lines{"loop.SetStartPoint(I2 0, I2 0) call",
                                     "loop.AddEllipse(I2 0, I2 0, R8 10) call"}));
  EXPECT_EQ(SizeValues(round), (Lines{"body 1: R8 20 R8 20 R8 500", "body 5: R8 10 R8 10 R8 0",
                                      "profile 4: R8 10 R8 10 R8 0"}));
}

// The dimension array as a size line of each type fills it; 1 is the length and, for the
// thickness types, 2 the chosen thickness. Element 3 of the square types is deliberately odd.
std::array<double, 21> Dims(std::initializer_list<double> values) {
  std::array<double, 21> dims{};
  std::size_t i = 0;
  for (const double v : values) dims[i++] = v;
  return dims;
}

TEST(ClosedSectionsTest, SquareTypesTakeTheSideFromElementZeroTwice) {
  const auto dims = Dims({20, 700, 4, 999});
  const auto squareTube = Record([&](const ObjectRef& shape) {
    GenerateSection(*FindSectionType(std::int16_t{9}), shape, "SHS", dims);
  });
  EXPECT_EQ(squareTube.On("loop1.SetStartPoint"),
            (Lines{"loop1.SetStartPoint(R8 -10, R8 10) call"}));
  EXPECT_EQ(squareTube.On("loop2.SetStartPoint"),
            (Lines{"loop2.SetStartPoint(R8 -6, R8 6) call"}));
  const auto squareBar = Record([&](const ObjectRef& shape) {
    GenerateSection(*FindSectionType(std::int16_t{12}), shape, "SQ", dims);
  });
  EXPECT_EQ(squareBar.On("loop.AddLineTo")[1], "loop.AddLineTo(R8 10, R8 -10) call");
  EXPECT_EQ(SizeValues(squareBar)[0], "body 1: R8 20 R8 20 R8 700");
  const auto rectangularTube = Record([&](const ObjectRef& shape) {
    GenerateSection(*FindSectionType("RETTCAVO"), shape, "RHS", dims);
  });
  EXPECT_EQ(SizeValues(rectangularTube)[0], "body 1: R8 20 R8 999 R8 700");
}

TEST(SectionTypesTest, TwelveTypesWithTheirClassesAndGenerators) {
  const auto& types = SectionTypes();
  ASSERT_EQ(types.size(), 12u);
  for (std::size_t i = 0; i < types.size(); ++i) {
    EXPECT_EQ(types[i].code, static_cast<std::int16_t>(i + 1));
    EXPECT_EQ(types[i].dimsElements.back(), 1) << types[i].className;
    EXPECT_EQ(types[i].dimsElements.size(), types[i].parameterNames.size());
  }
  EXPECT_EQ(FindSectionType(std::int16_t{11})->className, "ProfilTondo");
  EXPECT_EQ(FindSectionType(std::int16_t{12})->className, "ProfilQuadro");
  EXPECT_EQ(FindSectionType("tarr")->generatorName, "GenTArr");
  EXPECT_EQ(FindSectionType("ProfilRettCavo")->code, 8);
  EXPECT_EQ(FindSectionType(std::int16_t{13}), nullptr);
  EXPECT_EQ(FindSectionType("HEB"), nullptr);
}

}  // namespace
}  // namespace zembrati::geometry
