#include "runtime/integer_conversion.h"

#include <gtest/gtest.h>

#include "support/error_number.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace zembrati::runtime {
namespace {


TEST(IntegerConversionTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInteger(0.5), 0);
  EXPECT_EQ(RoundToInteger(1.5), 2);
  EXPECT_EQ(RoundToInteger(2.5), 2);
  EXPECT_EQ(RoundToInteger(3.5), 4);
  EXPECT_EQ(RoundToInteger(-0.5), 0);
  EXPECT_EQ(RoundToInteger(-1.5), -2);
  EXPECT_EQ(RoundToInteger(-2.5), -2);
  EXPECT_EQ(RoundToInteger(2.4999), 2);
  EXPECT_EQ(RoundToInteger(2.5001), 3);
  EXPECT_EQ(RoundToLong(1e6 + 0.5), 1000000);
}

TEST(IntegerConversionTest, OutOfRangeIsOverflow) {
  EXPECT_EQ(RoundToInteger(32767.0), 32767);
  EXPECT_EQ(RoundToInteger(32767.4), 32767);
  EXPECT_EQ(testing::ErrorNumberOf([] { RoundToInteger(32767.5); }), 6);
  EXPECT_EQ(testing::ErrorNumberOf([] { RoundToInteger(32768.0); }), 6);
  EXPECT_EQ(RoundToInteger(-32768.5), -32768);
  EXPECT_EQ(testing::ErrorNumberOf([] { RoundToInteger(-32769.0); }), 6);
  EXPECT_EQ(testing::ErrorNumberOf([] { RoundToInteger(std::nan("")); }), 6);
  EXPECT_EQ(testing::ErrorNumberOf([] { RoundToLong(std::numeric_limits<double>::infinity()); }), 6);
  EXPECT_EQ(testing::ErrorNumberOf([] { RoundToLong(2147483648.0); }), 6);
}

TEST(IntegerConversionTest, SixteenBitCounterOverflowsAtLine32768) {
  std::int16_t line = 32766;
  line = AddInteger(line, 1);
  EXPECT_EQ(line, 32767);
  EXPECT_EQ(testing::ErrorNumberOf([&] { AddInteger(line, 1); }), 6);
  EXPECT_EQ(testing::ErrorNumberOf([] { AddInteger(-32768, -1); }), 6);
}

}  // namespace
}  // namespace zembrati::runtime
