#pragma once

#include <cstdint>

namespace zembrati::runtime {

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4), as the
// runtime does wherever a Double becomes an integer. A result outside the target range, or a
// value that is not a number, raises error 6 (overflow).
std::int16_t RoundToInteger(double value);
std::int32_t RoundToLong(double value);

// Raises error 6 (overflow).
[[noreturn]] void RaiseIntegerOverflow();

// Adds to a 16-bit integer the way the runtime's integer arithmetic does: a result outside
// -32,768..32,767 raises error 6 instead of wrapping (a line counter passing 32,767, say).
// Inline: the catalogue readers count every line of a table with it.
inline std::int16_t AddInteger(std::int16_t a, std::int16_t b) {
  const int sum = a + b;
  if (sum < -32768 || sum > 32767) RaiseIntegerOverflow();
  return static_cast<std::int16_t>(sum);
}

}  // namespace zembrati::runtime
