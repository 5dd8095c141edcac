#pragma once

namespace zembrati::runtime {

// The runtime's floating-point check, made after each computed value: an invalid operation or
// an overflow (a result that is not finite) raises error 6.
double CheckFloat(double value);

// Division with the runtime's checks: a finite number divided by zero raises error 11, zero by
// zero (an invalid operation) and a non-finite result raise error 6.
double Divide(double dividend, double divisor);

}  // namespace zembrati::runtime
