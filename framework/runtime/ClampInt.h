#pragma once
#include <cstdint>

namespace fw {

/// A 64-bit pixel sum clamped to the 32-bit range: positions computed from extreme settings
/// stay defined and land far outside any surface.
inline int32_t ClampToInt32(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace fw
