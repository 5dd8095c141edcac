#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace zembrati::runtime {
namespace {

TEST(NumberTextTest, GeneralFormUsesTheCallersSeparatorAndNoTrailingZeros) {
  EXPECT_EQ(GeneralForm(12.5, '.'), "12.5");
  EXPECT_EQ(GeneralForm(12.5, ','), "12,5");
  EXPECT_EQ(GeneralForm(1500), "1500");
  EXPECT_EQ(GeneralForm(1500.5), "1500.5");
  EXPECT_EQ(GeneralForm(-0.25), "-0.25");
  EXPECT_EQ(GeneralForm(0.0), "0");
  EXPECT_EQ(GeneralForm(-0.0), "0");
  EXPECT_EQ(GeneralForm(100.0), "100");
}

TEST(NumberTextTest, GeneralFormKeepsAtMostFifteenSignificantDigits) {
  EXPECT_EQ(GeneralForm(0.1 + 0.2), "0.3");
  EXPECT_EQ(GeneralForm(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(GeneralForm(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(GeneralForm(8.235000000000001), "8.235");
  EXPECT_EQ(GeneralForm(123456789012345.0), "123456789012345");
}

TEST(NumberTextTest, ExponentFormOnlyAtTheThresholds) {
  EXPECT_EQ(GeneralForm(999999999999999.0), "999999999999999");
  EXPECT_EQ(GeneralForm(1e15), "1E+15");
  EXPECT_EQ(GeneralForm(1234567890123456.0), "1.23456789012346E+15");
  EXPECT_EQ(GeneralForm(0.0001), "0.0001");
  EXPECT_EQ(GeneralForm(0.00001), "1E-05");
  EXPECT_EQ(GeneralForm(-0.000015, ','), "-1,5E-05");
  EXPECT_EQ(GeneralForm(1e-100), "1E-100");
  EXPECT_EQ(GeneralForm(std::numeric_limits<double>::max()), "1.79769313486232E+308");
  // Rounding to 15 digits can carry into the next decade, and the form follows the rounded value.
  EXPECT_EQ(GeneralForm(999999999999999.9), "1E+15");
}

TEST(NumberTextTest, SingleFormKeepsSevenDigits) {
  EXPECT_EQ(GeneralFormSingle(1234.5f), "1234.5");
  EXPECT_EQ(GeneralFormSingle(0.1f), "0.1");
  EXPECT_EQ(GeneralFormSingle(12345678.0f), "1.234568E+07");
  EXPECT_EQ(PrintFormSingle(3210.0f), " 3210");
}

TEST(NumberTextTest, PrintFormHasALeadingBlankBeforeANonNegativeNumber) {
  EXPECT_EQ(PrintForm(1500), " 1500");
  EXPECT_EQ(PrintForm(0), " 0");
  EXPECT_EQ(PrintForm(-1), "-1");
  EXPECT_EQ(PrintForm(1500.5), " 1500.5");
}

TEST(NumberTextTest, UserSeparatorIsAProcessSetting) {
  EXPECT_EQ(UserDecimalSeparator(), '.');
  SetUserDecimalSeparator(',');
  EXPECT_EQ(UserDecimalSeparator(), ',');
  SetUserDecimalSeparator('.');
}

}  // namespace
}  // namespace zembrati::runtime
