#include "runtime/number_text.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace zembrati::runtime {
namespace {

std::atomic<char> userDecimalSeparator{'.'};

// Significant digits (trailing zeros removed) and the decimal exponent of the leading digit.
struct Decomposed {
  std::string digits;
  int exponent = 0;
};

Decomposed Decompose(double magnitude, int significantDigits) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, significantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  Decomposed out;
  for (const char c : text.substr(0, e)) {
    if (c != '.') out.digits += c;
  }
  while (out.digits.size() > 1 && out.digits.back() == '0') out.digits.pop_back();
  out.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  return out;
}

std::string Positional(const Decomposed& number, char separator) {
  const std::string& digits = number.digits;
  std::string text;
  if (number.exponent < 0) {
    text += '0';
    text += separator;
    text.append(static_cast<std::size_t>(-number.exponent - 1), '0');
    text += digits;
    return text;
  }
  const auto whole = static_cast<std::size_t>(number.exponent) + 1;
  if (digits.size() <= whole) {
    text = digits;
    text.append(whole - digits.size(), '0');
    return text;
  }
  text.append(digits, 0, whole);
  text += separator;
  text.append(digits, whole, std::string::npos);
  return text;
}

std::string Exponential(const Decomposed& number, char separator) {
  std::string text = number.digits.substr(0, 1);
  if (number.digits.size() > 1) text += separator + number.digits.substr(1);
  const int magnitude = std::abs(number.exponent);
  text += number.exponent < 0 ? "E-" : "E+";
  if (magnitude < 10) text += '0';
  return text + std::to_string(magnitude);
}

std::string Format(double value, int significantDigits, char separator) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  if (value == 0.0) return "0";  // also -0, which the runtime shows as 0
  const Decomposed number = Decompose(std::fabs(value), significantDigits);
  const bool exponential = number.exponent >= significantDigits || number.exponent < -4;
  const std::string text =
      exponential ? Exponential(number, separator) : Positional(number, separator);
  return value < 0 ? "-" + text : text;
}

std::string WithSignBlank(double value, std::string text) {
  return value < 0 && text.front() == '-' ? text : " " + text;
}

}  // namespace

std::string GeneralForm(double value, char decimalSeparator) {
  return Format(value, 15, decimalSeparator);
}

std::string GeneralFormSingle(float value, char decimalSeparator) {
  return Format(static_cast<double>(value), 7, decimalSeparator);
}

std::string PrintForm(double value) { return WithSignBlank(value, GeneralForm(value)); }

std::string PrintFormSingle(float value) {
  return WithSignBlank(static_cast<double>(value), GeneralFormSingle(value));
}

std::string IntegerText(std::int32_t value) { return std::to_string(value); }

char UserDecimalSeparator() { return userDecimalSeparator.load(); }

void SetUserDecimalSeparator(char separator) { userDecimalSeparator.store(separator); }

}  // namespace zembrati::runtime
