#pragma once
#include <cfloat>
#include <cmath>

#include "framework/runtime/Exception.h"

namespace fw {

// Floating-point faults are reported as the runtime's errors, never as infinities or NaNs.
// These helpers wrap the operations that can produce them.

/// x unchanged; EInvalidOp for NaN, EOverflow for an infinity.
inline long double CheckFloat(long double x) {
  if (x - x != 0) [[unlikely]] {  // only for infinities and NaN; needs no constant
    if (std::isnan(x)) throw EInvalidOp();
    throw EOverflow();
  }
  return x;
}

/// a / b; EZeroDivide for a non-zero a over 0, EInvalidOp for 0 / 0 or NaN, EOverflow for an
/// infinite quotient.
inline long double CheckedDivide(long double a, long double b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) throw EInvalidOp();
    throw EZeroDivide();
  }
  return CheckFloat(a / b);
}

/// Square root; EInvalidOp for a negative or NaN argument.
inline long double CheckedSqrt(long double x) {
  if (!(x >= 0)) throw EInvalidOp();
  return std::sqrt(x);
}

/// Rounds an extended value to double; EOverflow when it lies beyond the double range,
/// EInvalidOp for NaN.
inline double CheckedToDouble(long double x) {
  CheckFloat(x);
  if (std::fabs(x) > static_cast<long double>(DBL_MAX)) throw EOverflow();
  return static_cast<double>(x);
}

}  // namespace fw
