#include "runtime/numeric_prefix.h"

#include <gtest/gtest.h>

#include "runtime/runtime_error.h"

namespace zembrati::runtime {
namespace {

struct Case {
  const char* text;
  double value;
};

TEST(NumericPrefixTest, ReadsTheNumberAtTheStartAndStopsWhereItCannotContinue) {
  const Case cases[] = {
      {"8.5", 8.5},       {"  8.5  ", 8.5},  {"8,5", 8},        {"1 000", 1000},
      {"1\t0\n0", 100},   {"abc", 0},        {"", 0},           {"12abc", 12},
      {"40|0|0|", 40},    {"-3.25", -3.25},  {"+7", 7},         {"- 12", -12},
      {".5", 0.5},        {"-.5", -0.5},     {"5.", 5},         {"1.2.3", 1.2},
      {"--3", 0},         {"+-3", 0},        {"|10|", 0},       {"@2|3|", 0},
      {"1e3", 1000},      {"1E3", 1000},     {"2.5e-2", 0.025}, {"1 e 2", 100},
      {"1e", 1},          {"1e+", 1},        {"1e+x", 1},       {"7E-", 7},
      {"3e2.5", 300},     {"0012", 12},      {"1.5e+2mm", 150}, {".", 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(NumericPrefixValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(NumericPrefixTest, CarriageReturnIsNotSkipped) {
  EXPECT_EQ(NumericPrefixValue("1\r2"), 1);
}

TEST(NumericPrefixTest, MagnitudesBeyondADoubleOverflowAndTinyOnesReadAsZero) {
  try {
    NumericPrefixValue("1e400");
    FAIL() << "expected overflow";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 6);
  }
  EXPECT_THROW(NumericPrefixValue(std::string(400, '9')), RuntimeError);
  EXPECT_EQ(NumericPrefixValue("1e-400"), 0.0);
  // Exponents beyond any integer type still overflow or underflow as they should.
  EXPECT_THROW(NumericPrefixValue("1e9223372036854775807"), RuntimeError);
  EXPECT_THROW(NumericPrefixValue("1e99999999999999999999999"), RuntimeError);
  EXPECT_EQ(NumericPrefixValue("1e-9223372036854775808"), 0.0);
  EXPECT_EQ(NumericPrefixValue("0.0001e-99999999999999999999"), 0.0);
  EXPECT_EQ(NumericPrefixValue("0." + std::string(400, '0') + "1"), 0.0);
}

}  // namespace
}  // namespace zembrati::runtime
