#pragma once
#include <cstdint>

#include "framework/runtime/TColor.h"

namespace chart {

/// Number of entries of the chart's colour palette.
inline constexpr int32_t ChartPaletteSize = 16;

/// The palette that new series and points coloured one by one take their colours from, in order:
/// red, green, yellow, blue, white, grey, fuchsia, teal, navy, maroon, lime, olive, purple,
/// silver, aqua, black.
inline constexpr fw::TColor ChartPalette[ChartPaletteSize] = {
    0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF, 0x808000,
    0x800000, 0x000080, 0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00, 0x000000,
};

/// Palette colour of entry `index` modulo the palette size; negative indices wrap as well.
constexpr fw::TColor PaletteColor(int64_t index) {
  int64_t i = index % ChartPaletteSize;
  if (i < 0) i += ChartPaletteSize;
  return ChartPalette[i];
}

}  // namespace chart
