#include <gtest/gtest.h>

#include "generator_test_support.h"
#include "geometry/generators.h"

namespace zembrati::geometry {
namespace {

using test::Record;
using test::SizeValues;

// The whole sequence of one generator, pinned call by call: every generator shares it but for
// its size values and outline (checked per type elsewhere) and the extra HE step.
TEST(ISectionsTest, HeBodyIsBuiltByTheCommonSequenceCallByCall) {
  const auto transcript =
      Record([](const ObjectRef& shape) { GenHE(shape, "HE 100 A", 96, 100, 5, 8, 12, 1500); });
  const std::string comp1 = "body.Components(I4 1).Item(I2 1)";
  const std::string comp4 = "body.Components(I4 4).Item(I2 1)";
  const std::string comp5 = "body.Components(I4 5).Item(I2 1)";
  const std::string pcomp4 = "profile.Components(I4 4).Item(I2 1)";
  const std::string comp14 = "body.Components(I4 14).Item(I2 1)";
  const std::vector<std::string> expected = {
      "shape.Components(I4 23) get",
      "shape.Components(I4 23).Item(I2 1) get",
      "shape.Components(I4 23).Item(I2 1).Shapes(I4 5) get",
      "shape.Components(I4 23).Item(I2 1).Shapes(I4 5).Add() call",
      "body.Components(I4 1) get",
      comp1 + " get",
      comp1 + ".Variable(I4 1) get",
      comp1 + ".Variable(I4 1).Value(R8 100) put",
      comp1 + ".Variable(I4 2) get",
      comp1 + ".Variable(I4 2).Value(R8 96) put",
      comp1 + ".Variable(I4 3) get",
      comp1 + ".Variable(I4 3).Value(R8 1500) put",
      comp1 + ".Variable(I4 4) get",
      comp1 + ".Variable(I4 4).Value(I2 1) put",
      comp1 + ".Variable(I4 5) get",
      comp1 + ".Variable(I4 5).Value(I2 1) put",
      comp1 + ".Variable(I4 6) get",
      comp1 + ".Variable(I4 6).Value(I2 0) put",
      comp1 + ".Variable(I4 14) get",
      comp1 + ".Variable(I4 14).Value(I4 2) put",
      comp1 + ".Variable(I4 7) get",
      comp1 + ".Variable(I4 7).Value(I4 1) put",
      "body.Components(I4 4) get",
      comp4 + " get",
      comp4 + ".Variable(I4 1) get",
      comp4 + ".Variable(I4 1).Value(R8 0) put",
      comp4 + ".Variable(I4 2) get",
      comp4 + ".Variable(I4 2).Value(R8 0) put",
      comp4 + ".Variable(I4 3) get",
      comp4 + ".Variable(I4 3).Value(R8 0) put",
      "body.Components(I4 5) get",
      comp5 + " get",
      comp5 + ".Variable(I4 1) get",
      comp5 + ".Variable(I4 1).Value(R8 96) put",
      comp5 + ".Variable(I4 2) get",
      comp5 + ".Variable(I4 2).Value(R8 100) put",
      comp5 + ".Variable(I4 3) get",
      comp5 + ".Variable(I4 3).Value(R8 0) put",
      "body.Name(S \"HE 100 A\") put",
      "body.Components(I4 15) get",
      "body.Components(I4 15).Item(I2 1) get",
      "body.Components(I4 15).Item(I2 1).Profile() get",
      "profile.Components(I4 4) get",
      pcomp4 + " get",
      pcomp4 + ".Variable(I4 1) get",
      pcomp4 + ".Variable(I4 1).Value(R8 96) put",
      pcomp4 + ".Variable(I4 2) get",
      pcomp4 + ".Variable(I4 2).Value(R8 100) put",
      pcomp4 + ".Variable(I4 3) get",
      pcomp4 + ".Variable(I4 3).Value(R8 0) put",
      "profile.Components(I4 3) get",
      "profile.Components(I4 3).Add() call",
      "loop.SetStartPoint(R8 -50, R8 48) call",
      "loop.AddLineTo(R8 50, R8 48) call",
      "loop.AddLineTo(R8 50, R8 40) call",
      "loop.AddLineTo(R8 2.5, R8 40) call",
      "loop.AddLineTo(R8 2.5, R8 -40) call",
      "loop.AddLineTo(R8 50, R8 -40) call",
      "loop.AddLineTo(R8 50, R8 -48) call",
      "loop.AddLineTo(R8 -50, R8 -48) call",
      "loop.AddLineTo(R8 -50, R8 -40) call",
      "loop.AddLineTo(R8 -2.5, R8 -40) call",
      "loop.AddLineTo(R8 -2.5, R8 40) call",
      "loop.AddLineTo(R8 -50, R8 40) call",
      "loop.AddLineTo(R8 -50, R8 48) call",
      "loop.AddFilletAt(I2 4, R8 12) call",
      "loop.AddFilletAt(I2 6, R8 12) call",
      "loop.AddFilletAt(I2 12, R8 12) call",
      "loop.AddFilletAt(I2 14, R8 12) call",
      "body.Components(I4 14) get",
      comp14 + " get",
      comp14 + ".Variable(I4 62) get",
      comp14 + ".Variable(I4 62).Value(I4 0) put",
      "body.Components(I4 1) get",
      comp1 + " get",
      comp1 + ".Variable(I4 6) get",
      comp1 + ".Variable(I4 6).Value(I2 0) put",
      comp1 + ".Variable(I4 14) get",
      comp1 + ".Variable(I4 14).Value(I4 2) put",
      "body.Update() call",
      "body.ResetSizeBox() call",
  };
  EXPECT_EQ(transcript.lines(), expected);
}

TEST(ISectionsTest, IpnFlangesSlopeAtFourteenPercentAndAllEightInnerCornersAreRounded) {
  const auto transcript = Record(
      [](const ObjectRef& shape) { GenIPN(shape, "IPN 100", 100, 50, 4.5, 6.8, 4.1, 2.5, 2000); });
  EXPECT_EQ(transcript.On("loop"), (std::vector<std::string>{
                                       "loop.SetStartPoint(R8 -25, R8 50) call",
                                       "loop.AddLineTo(R8 25, R8 50) call",
                                       "loop.AddLineTo(R8 25, R8 44.95) call",
                                       "loop.AddLineTo(R8 2.25, R8 41.765) call",
                                       "loop.AddLineTo(R8 2.25, R8 -41.765) call",
                                       "loop.AddLineTo(R8 25, R8 -44.95) call",
                                       "loop.AddLineTo(R8 25, R8 -50) call",
                                       "loop.AddLineTo(R8 -25, R8 -50) call",
                                       "loop.AddLineTo(R8 -25, R8 -44.95) call",
                                       "loop.AddLineTo(R8 -2.25, R8 -41.765) call",
                                       "loop.AddLineTo(R8 -2.25, R8 41.765) call",
                                       "loop.AddLineTo(R8 -25, R8 44.95) call",
                                       "loop.AddLineTo(R8 -25, R8 50) call",
                                       "loop.AddFilletAt(I2 3, R8 2.5) call",
                                       "loop.AddFilletAt(I2 5, R8 4.1) call",
                                       "loop.AddFilletAt(I2 7, R8 4.1) call",
                                       "loop.AddFilletAt(I2 9, R8 2.5) call",
                                       "loop.AddFilletAt(I2 13, R8 2.5) call",
                                       "loop.AddFilletAt(I2 15, R8 4.1) call",
                                       "loop.AddFilletAt(I2 17, R8 4.1) call",
                                       "loop.AddFilletAt(I2 19, R8 2.5) call",
                                   }));
  EXPECT_EQ(SizeValues(transcript),
            (std::vector<std::string>{"body 1: R8 50 R8 100 R8 2000", "body 5: R8 100 R8 50 R8 0",
                                      "profile 4: R8 100 R8 50 R8 0"}));
  // Only HE touches the kind-14 component.
  for (const std::string& line : transcript.lines()) {
    EXPECT_EQ(line.find("Components(I4 14)"), std::string::npos) << line;
  }
}

TEST(ISectionsTest, DerivedFlangeThicknessesFollowTheirFormulas) {
  const SlopedFlange ipn = IpnFlange(50, 4.5, 6.8);
  EXPECT_NEAR(ipn.t1, 5.05, 1e-12);
  EXPECT_NEAR(ipn.t2, 8.235, 1e-12);
  const SlopedFlange upn = UpnFlange(50, 6, 8.5);
  EXPECT_NEAR(upn.t1, 6.5, 1e-12);
  EXPECT_NEAR(upn.t2, 10.02, 1e-12);
  const TaperedTee tee = TArrTaper(50, 50, 6);
  EXPECT_NEAR(tee.w1, 5.5, 1e-12);
  EXPECT_NEAR(tee.w2, 6.38, 1e-12);
  EXPECT_NEAR(tee.f1, 5.75, 1e-12);
}

TEST(ISectionsTest, ZeroRadiiAreStillRequestedAndTheLengthMovesNoCorner) {
  const auto short_ =
      Record([](const ObjectRef& shape) { GenHE(shape, "HE", 96, 100, 5, 8, 0, 10); });
  const auto long_ =
      Record([](const ObjectRef& shape) { GenHE(shape, "HE", 96, 100, 5, 8, 0, 12000); });
  const auto fillets = short_.On("loop.AddFilletAt");
  EXPECT_EQ(fillets, (std::vector<std::string>{"loop.AddFilletAt(I2 4, R8 0) call",
                                               "loop.AddFilletAt(I2 6, R8 0) call",
                                               "loop.AddFilletAt(I2 12, R8 0) call",
                                               "loop.AddFilletAt(I2 14, R8 0) call"}));
  EXPECT_EQ(short_.On("loop"), long_.On("loop"));
  EXPECT_EQ(SizeValues(long_)[0], "body 1: R8 100 R8 96 R8 12000");
}

}  // namespace
}  // namespace zembrati::geometry
