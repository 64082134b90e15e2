#include "chart/canvas/DarkenColor.h"

#include <algorithm>

namespace chart {

fw::TColor DarkenColor(fw::TColor color, int32_t amount) {
  const int32_t a = std::clamp(amount, 0, 255);
  const fw::TColor rgb = fw::ColorToRGB(color);
  auto channel = [a](int32_t c) { return c > a ? c - a : 0; };
  return fw::RGB(channel(fw::GetRValue(rgb)), channel(fw::GetGValue(rgb)), channel(fw::GetBValue(rgb)));
}

}  // namespace chart
