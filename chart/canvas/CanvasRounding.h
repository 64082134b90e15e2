#pragma once
// Temporary local rounding helpers of the canvas; replaced by the runtime's when it lands.
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace chart::canvas_detail {

inline int32_t RoundHalfEven(long double value) {
  if (!(std::fabs(value) < 9.2e18L)) return 0;
  long double r = std::nearbyint(value);  // default rounding mode: ties to even
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(r))));
}

inline int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t p = static_cast<int64_t>(a) * b;
  const int64_t ap = std::llabs(p), ac = std::llabs(static_cast<int64_t>(c));
  int64_t q = (ap + ac / 2) / ac;
  if ((p < 0) != (c < 0)) q = -q;
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int32_t>(q);
}

}  // namespace chart::canvas_detail
