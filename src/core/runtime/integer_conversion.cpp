#include "runtime/integer_conversion.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace zembrati::runtime {
namespace {

double RoundHalfToEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5) return floor + 1.0;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

template <typename Integer>
Integer RoundTo(double value) {
  if (std::isnan(value)) Raise(error::kOverflow);
  const double rounded = RoundHalfToEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
    Raise(error::kOverflow);
  }
  return static_cast<Integer>(rounded);
}

}  // namespace

std::int16_t RoundToInteger(double value) { return RoundTo<std::int16_t>(value); }

std::int32_t RoundToLong(double value) { return RoundTo<std::int32_t>(value); }

void RaiseIntegerOverflow() { Raise(error::kOverflow); }

}  // namespace zembrati::runtime
