#include <gtest/gtest.h>

#include "generator_test_support.h"
#include "geometry/generators.h"

namespace zembrati::geometry {
namespace {

using test::Record;
using test::SizeValues;
using Lines = std::vector<std::string>;

TEST(OpenSectionsTest, UpnChannelHasItsWebOnTheYAxisAndFlangesSlopedAtEightPercent) {
  const auto transcript = Record(
      [](const ObjectRef& shape) { GenUPN(shape, "UPN 100", 100, 50, 6, 8.5, 8.5, 4.5, 1000); });
  EXPECT_EQ(transcript.On("loop"), (Lines{
                                       "loop.SetStartPoint(I2 0, R8 50) call",
                                       "loop.AddLineTo(R8 50, R8 50) call",
                                       "loop.AddLineTo(R8 50, R8 43.5) call",
                                       "loop.AddLineTo(R8 6, R8 39.98) call",
                                       "loop.AddLineTo(R8 6, R8 -39.98) call",
                                       "loop.AddLineTo(R8 50, R8 -43.5) call",
                                       "loop.AddLineTo(R8 50, R8 -50) call",
                                       "loop.AddLineTo(I2 0, R8 -50) call",
                                       "loop.AddLineTo(I2 0, R8 50) call",
                                       "loop.AddFilletAt(I2 3, R8 4.5) call",
                                       "loop.AddFilletAt(I2 5, R8 8.5) call",
                                       "loop.AddFilletAt(I2 7, R8 8.5) call",
                                       "loop.AddFilletAt(I2 9, R8 4.5) call",
                                   }));
  EXPECT_EQ(SizeValues(transcript), (Lines{"body 1: R8 50 R8 100 R8 1000",
                                           "body 5: R8 100 R8 50 R8 0",
                                           "profile 4: R8 100 R8 50 R8 0"}));
}

TEST(OpenSectionsTest, AngleKeepsLegAAlongXAndPassesItsParametersUncomputed) {
  const auto transcript =
      Record([](const ObjectRef& shape) { GenL(shape, "L 80x40x6", 80, 40, 6, 7, 3.5, 600); });
  EXPECT_EQ(transcript.On("loop"), (Lines{
                                       "loop.SetStartPoint(I2 0, R8 40) call",
                                       "loop.AddLineTo(R8 6, R8 40) call",
                                       "loop.AddLineTo(R8 6, R8 6) call",
                                       "loop.AddLineTo(R8 80, R8 6) call",
                                       "loop.AddLineTo(R8 80, I2 0) call",
                                       "loop.AddLineTo(I2 0, I2 0) call",
                                       "loop.AddLineTo(I2 0, R8 40) call",
                                       "loop.AddFilletAt(I2 2, R8 3.5) call",
                                       "loop.AddFilletAt(I2 4, R8 7) call",
                                       "loop.AddFilletAt(I2 6, R8 3.5) call",
                                   }));
  // Size values give b first, then a.
  EXPECT_EQ(SizeValues(transcript), (Lines{"body 1: R8 40 R8 80 R8 600",
                                           "body 5: R8 40 R8 80 R8 0",
                                           "profile 4: R8 40 R8 80 R8 0"}));
}

TEST(OpenSectionsTest, TeeHasSharpCornersAndNoFillets) {
  const auto transcript =
      Record([](const ObjectRef& shape) { GenT(shape, "T 50", 50, 50, 6, 1000); });
  EXPECT_EQ(transcript.On("loop"), (Lines{
                                       "loop.SetStartPoint(R8 -3, R8 50) call",
                                       "loop.AddLineTo(R8 3, R8 50) call",
                                       "loop.AddLineTo(R8 3, R8 6) call",
                                       "loop.AddLineTo(R8 25, R8 6) call",
                                       "loop.AddLineTo(R8 25, I2 0) call",
                                       "loop.AddLineTo(R8 -25, I2 0) call",
                                       "loop.AddLineTo(R8 -25, R8 6) call",
                                       "loop.AddLineTo(R8 -3, R8 6) call",
                                       "loop.AddLineTo(R8 -3, R8 50) call",
                                   }));
  EXPECT_EQ(SizeValues(transcript)[1], "body 5: R8 50 R8 50 R8 0");
}

TEST(OpenSectionsTest, RoundedTeeTapersWebAndFlangeAndRoundsSixCorners) {
  const auto transcript = Record(
      [](const ObjectRef& shape) { GenTArr(shape, "T 50", 50, 50, 6, 6, 3, 1.5, 1000); });
  EXPECT_EQ(transcript.On("loop"), (Lines{
                                       "loop.SetStartPoint(R8 -2.75, R8 50) call",
                                       "loop.AddLineTo(R8 2.75, R8 50) call",
                                       "loop.AddLineTo(R8 3.19, R8 6.38) call",
                                       "loop.AddLineTo(R8 25, R8 5.75) call",
                                       "loop.AddLineTo(R8 25, I2 0) call",
                                       "loop.AddLineTo(R8 -25, I2 0) call",
                                       "loop.AddLineTo(R8 -25, R8 5.75) call",
                                       "loop.AddLineTo(R8 -3.19, R8 6.38) call",
                                       "loop.AddLineTo(R8 -2.75, R8 50) call",
                                       "loop.AddFilletAt(I2 1, R8 1.5) call",
                                       "loop.AddFilletAt(I2 3, R8 1.5) call",
                                       "loop.AddFilletAt(I2 5, R8 6) call",
                                       "loop.AddFilletAt(I2 7, R8 3) call",
                                       "loop.AddFilletAt(I2 11, R8 3) call",
                                       "loop.AddFilletAt(I2 13, R8 6) call",
                                   }));
  EXPECT_EQ(SizeValues(transcript)[0], "body 1: R8 50 R8 50 R8 1000");
}

}  // namespace
}  // namespace zembrati::geometry
