#pragma once

#include <cstdint>
#include <string>

namespace zembrati::runtime {

// The general text form of a Double, as the runtime converts a number to text: at most 15
// significant digits, no trailing zeros, no blanks, `decimalSeparator` between the whole and the
// fractional digits. The exponent form ("1E+15", "1.5E-05") is used only when the decimal
// exponent of the rounded value is 15 or more, or below -4.
std::string GeneralForm(double value, char decimalSeparator = '.');

// The same for a single-precision number: at most 7 significant digits, exponent form from 1E+07.
std::string GeneralFormSingle(float value, char decimalSeparator = '.');

// The print form written to text files: the general form with a leading blank before a
// non-negative number (" 1500", "-3"). Always "." so the file reads back in any locale.
std::string PrintForm(double value);
std::string PrintFormSingle(float value);

// A whole number as decimal text without blanks or leading zeros ("-12", "7").
std::string IntegerText(std::int32_t value);

// The decimal separator of the user's locale, for the texts the user sees (part names).
// The process starts with "."; a front end that knows the user's locale sets it once.
char UserDecimalSeparator();
void SetUserDecimalSeparator(char separator);

}  // namespace zembrati::runtime
