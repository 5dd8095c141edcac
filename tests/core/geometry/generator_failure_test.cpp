#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "generator_test_support.h"
#include "geometry/generators.h"
#include "runtime/runtime_error.h"
#include "support/transcript.h"

namespace zembrati::geometry {
namespace {

using testing::RecordingHost;

// Index of the first recorded call of `member`, counted from 1 as the host counts them.
std::size_t CallNumberOf(const RecordingHost& host, const std::string& member, int occurrence) {
  int seen = 0;
  for (std::size_t i = 0; i < host.calls().size(); ++i) {
    if (host.calls()[i].member == member && ++seen == occurrence) return i + 1;
  }
  return 0;
}

TEST(GeneratorFailureTest, AHostErrorMidOutlineEndsTheGeneratorAndKeepsWhatWasDrawn) {
  RecordingHost dryRun;
  GenHE(dryRun.NewObject("shape"), "HE", 96, 100, 5, 8, 12, 1000);
  const std::size_t fifthLine = CallNumberOf(dryRun, "AddLineTo", 5);

  RecordingHost host;
  host.FailCall(fifthLine, -2147467259, "The host refused the line");
  try {
    GenHE(host.NewObject("shape"), "HE", 96, 100, 5, 8, 12, 1000);
    FAIL() << "the host error must reach the caller";
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), -2147467259);
    EXPECT_EQ(e.description(), "The host refused the line");
  }
  const auto transcript = testing::SectionTranscript(host);
  const auto drawn = transcript.On("loop");
  ASSERT_EQ(drawn.size(), 6u);
  EXPECT_EQ(drawn.back(), "loop.AddLineTo(R8 50, R8 -40) call -> error -2147467259");
  EXPECT_EQ(host.calls().size(), fifthLine);  // nothing after the failing call
}

TEST(GeneratorFailureTest, ANonFiniteComputedValueIsOverflowBeforeItReachesTheHost) {
  const double huge = std::numeric_limits<double>::infinity();
  RecordingHost host;
  try {
    GenHE(host.NewObject("shape"), "HE", 96, huge, 5, 8, 12, 1000);
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), 6);
  }
  // The body and its values were made; the outline stopped at its first computed coordinate.
  const auto transcript = testing::SectionTranscript(host);
  EXPECT_TRUE(transcript.On("loop").empty());
  EXPECT_EQ(transcript.lines().back(), "profile.Components(I4 3).Add() call");

  // Derived thicknesses are computed before any host call.
  RecordingHost ipn;
  EXPECT_THROW(GenIPN(ipn.NewObject("shape"), "IPN", 100, std::nan(""), 4.5, 6.8, 4, 2, 1),
               runtime::RuntimeError);
  EXPECT_TRUE(ipn.calls().empty());
}

TEST(GeneratorFailureTest, ParametersUsedAsTheyStandAreNotChecked) {
  // An angle computes nothing, so even an infinite leg goes to the host, which judges it.
  RecordingHost host;
  GenL(host.NewObject("shape"), "L", std::numeric_limits<double>::infinity(), 40, 6, 7, 3.5, 1);
  EXPECT_EQ(testing::SectionTranscript(host).On("loop.AddLineTo")[2],
            "loop.AddLineTo(R8 Inf, R8 6) call");
}

}  // namespace
}  // namespace zembrati::geometry
