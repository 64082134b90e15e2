#pragma once
#include <cmath>
#include <cstdint>

namespace chart::axisdetail {

/// Nearest integer, ties to even, low 32 bits of the 64-bit result; NaN, infinities and
/// values outside the 64-bit range give 0 (the x87 "integer indefinite" low word).
inline int32_t RoundHalfEven(double x) {
  if (!(std::fabs(x) < 9223372036854775808.0)) return 0;
  const int64_t r = static_cast<int64_t>(std::nearbyint(x));
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(r)));
}

/// Pixel arithmetic that cannot overflow: the 64-bit sum clamped to the 32-bit range.
inline int32_t ClampPixel(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace chart::axisdetail
