#pragma once
#include <cstdint>

#include "framework/runtime/TColor.h"

namespace chart {

/// The colour (system colours resolved to RGB) with `amount` subtracted from each of red, green
/// and blue; a channel not greater than the amount becomes 0. Used to shade 3D faces
/// (128 side faces, 64 top faces, 32 pie sides). Amounts outside 0..255 are clamped.
fw::TColor DarkenColor(fw::TColor color, int32_t amount);

}  // namespace chart
