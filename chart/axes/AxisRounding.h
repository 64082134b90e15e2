#pragma once
#include <cstdint>

#include "framework/runtime/Rounding.h"

namespace chart::axisdetail {

using fw::RoundHalfEven;

/// Pixel arithmetic that cannot overflow: the 64-bit sum clamped to the 32-bit range.
inline int32_t ClampPixel(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace chart::axisdetail
