#pragma once
#include <array>
#include <cstdint>

#include "framework/runtime/TColor.h"

namespace chart {

/// The 16 colours that points take with ColorEachPoint and that the chart gives new series.
inline constexpr std::array<fw::TColor, 16> SeriesPalette = {
    fw::clRed,  fw::clGreen, fw::clYellow, fw::clBlue,  fw::clWhite,  fw::clGray,   fw::clFuchsia, fw::clTeal,
    fw::clNavy, fw::clMaroon, fw::clLime,  fw::clOlive, fw::clPurple, fw::clSilver, fw::clAqua,    fw::clBlack};

/// Palette entry (index mod 16); any index is accepted, negative ones wrap as well.
constexpr fw::TColor SeriesPaletteColor(int64_t index) {
  const int64_t n = static_cast<int64_t>(SeriesPalette.size());
  return SeriesPalette[static_cast<size_t>(((index % n) + n) % n)];
}

}  // namespace chart
