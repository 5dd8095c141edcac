#include "runtime/float_check.h"

#include <cmath>

#include "runtime/runtime_error.h"

namespace zembrati::runtime {

double CheckFloat(double value) {
  if (!std::isfinite(value)) Raise(error::kOverflow);
  return value;
}

double Divide(double dividend, double divisor) {
  if (divisor == 0.0) {
    Raise(dividend == 0.0 || std::isnan(dividend) ? error::kOverflow : error::kDivisionByZero);
  }
  return CheckFloat(dividend / divisor);
}

}  // namespace zembrati::runtime
