#pragma once
#include <algorithm>
#include <cstdint>

#include "framework/graphics/TRect.h"

namespace chart {

/// Half sizes of a pointer drawn inside a legend symbol box: its own, shrunk to fit the box.
inline void LegendPointerSize(const fw::TRect& rect, int32_t horizSize, int32_t vertSize, int32_t& h, int32_t& v) {
  const int64_t w = (int64_t{rect.Right} - rect.Left - 1) / 2;
  const int64_t hh = (int64_t{rect.Bottom} - rect.Top - 1) / 2;
  h = static_cast<int32_t>(std::clamp<int64_t>(w, 0, horizSize));
  v = static_cast<int32_t>(std::clamp<int64_t>(hh, 0, vertSize));
}

/// Centre of a legend symbol box, rounded down, without overflow.
inline int32_t LegendMiddle(int32_t a, int32_t b) {
  const int64_t sum = int64_t{a} + b;
  return static_cast<int32_t>(sum >= 0 ? sum / 2 : -((-sum + 1) / 2));
}

}  // namespace chart
