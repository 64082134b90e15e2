#pragma once
// The pixel size a stored font height asks for, bounded to what a font can be drawn with.
#include <algorithm>
#include <cstdint>

namespace fw {

/// Largest em size in pixels a font is built with; taller settings draw at this size.
constexpr int32_t MaxFontPixels = 4096;

/// |height| (a negative height is the em size, a positive one the cell height) in 64 bits,
/// clamped to 1..MaxFontPixels; 0 (the default size) gives 0.
inline int32_t FontPixelHeight(int32_t height) {
  if (height == 0) return 0;
  const int64_t magnitude = height < 0 ? -int64_t{height} : int64_t{height};
  return static_cast<int32_t>(std::clamp<int64_t>(magnitude, 1, MaxFontPixels));
}

}  // namespace fw
