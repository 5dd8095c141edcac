#include "runtime/numeric_prefix.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "runtime/runtime_error.h"

namespace zembrati::runtime {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the text while skipping blanks anywhere, so the scanner sees only the characters that
// matter and can look ahead past blanks (for an exponent's digits, say).
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) { SkipBlanks(); }

  char Peek() const { return position_ < text_.size() ? text_[position_] : '\0'; }

  // The character after the next one, blanks skipped.
  char PeekSecond() const {
    std::size_t next = position_ + 1;
    while (next < text_.size() && IsSkipped(text_[next])) ++next;
    return next < text_.size() ? text_[next] : '\0';
  }

  char Take() {
    const char c = text_[position_++];
    SkipBlanks();
    return c;
  }

 private:
  void SkipBlanks() {
    while (position_ < text_.size() && IsSkipped(text_[position_])) ++position_;
  }

  std::string_view text_;
  std::size_t position_ = 0;
};

// Collects the characters of the numeric prefix, blanks removed, in the form from_chars reads.
std::string CollectPrefix(std::string_view text) {
  Scanner scan(text);
  std::string number;
  if (scan.Peek() == '+' || scan.Peek() == '-') number += scan.Take();
  bool anyDigit = false;
  while (IsDigit(scan.Peek())) {
    number += scan.Take();
    anyDigit = true;
  }
  if (scan.Peek() == '.') {
    number += scan.Take();
    while (IsDigit(scan.Peek())) {
      number += scan.Take();
      anyDigit = true;
    }
  }
  if (!anyDigit) return {};
  const char marker = scan.Peek();
  if (marker == 'E' || marker == 'e') {
    const char next = scan.PeekSecond();
    const bool signedExponent = next == '+' || next == '-';
    std::string exponent(1, 'e');
    Scanner lookahead = scan;
    lookahead.Take();
    if (signedExponent) exponent += lookahead.Take();
    if (IsDigit(lookahead.Peek())) {
      while (IsDigit(lookahead.Peek())) exponent += lookahead.Take();
      number += exponent;
    }
  }
  return number;
}

// An exponent's value, held within +-kExponentLimit: any exponent beyond that overflows or
// underflows a Double whatever the mantissa, and the bound keeps the sums below in range.
constexpr long kExponentLimit = 1000000;

long SaturatedExponent(std::string_view digits) {
  const bool negative = !digits.empty() && digits.front() == '-';
  long value = 0;
  for (const char c : digits) {
    if (IsDigit(c)) value = std::min(kExponentLimit, value * 10 + (c - '0'));
  }
  return negative ? -value : value;
}

// Roughly where the leading digit of an unsigned number text stands (positive: left of the
// decimal point); enough to tell an overflow from an underflow.
long DecimalMagnitude(const std::string& number) {
  const std::size_t exponentAt = number.find('e');
  const std::string mantissa = number.substr(0, exponentAt);
  const long exponent = exponentAt == std::string::npos ? 0 : SaturatedExponent(number.substr(exponentAt + 1));
  const std::size_t dot = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t firstNonZero = mantissa.find_first_not_of("0.");
  if (firstNonZero == std::string::npos) return -1;
  const long position = firstNonZero < dot ? static_cast<long>(dot - firstNonZero)
                                           : -static_cast<long>(firstNonZero - dot - 1);
  return position + exponent;
}

}  // namespace

double NumericPrefixValue(std::string_view text) {
  std::string number = CollectPrefix(text);
  if (number.empty()) return 0.0;
  const bool negative = number.front() == '-';
  if (number.front() == '+' || negative) number.erase(0, 1);
  if (number.front() == '.') number.insert(0, 1, '0');
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Underflow to zero is harmless; a magnitude beyond the Double range is an overflow.
    if (DecimalMagnitude(number) > 0) Raise(error::kOverflow);
    value = 0.0;
  }
  if (!std::isfinite(value)) Raise(error::kOverflow);
  return negative ? -value : value;
}

}  // namespace zembrati::runtime
