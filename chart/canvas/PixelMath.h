#pragma once
// Pixel arithmetic of the canvas that must stay defined at the ends of the 32-bit range.
#include <algorithm>
#include <cstdint>

namespace chart::pixel {

/// a + b clamped to the 32-bit range.
inline int32_t Add(int32_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(a) + b, INT32_MIN, INT32_MAX));
}

}  // namespace chart::pixel
