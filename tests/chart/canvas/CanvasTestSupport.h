#pragma once
// Small pixel helpers for the canvas tests.
#include <algorithm>
#include <vector>

#include "framework/graphics/TSurface.h"

namespace canvastest {

inline std::vector<fw::TColor> Pixels(fw::TSurface& s) {
  std::vector<fw::TColor> out;
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

inline int Count(fw::TSurface& s, const fw::TRect& area, fw::TColor color) {
  int n = 0;
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    for (int32_t x = area.Left; x < area.Right; ++x) n += s.GetPixel(x, y) == color ? 1 : 0;
  return n;
}

/// Bounding box of the pixels that differ from the colour (empty when none do).
inline fw::TRect InkBounds(fw::TSurface& s, fw::TColor background = fw::clWhite) {
  fw::TRect box{s.Width(), s.Height(), 0, 0};
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x)
      if (s.GetPixel(x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

}  // namespace canvastest
