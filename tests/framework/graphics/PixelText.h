#pragma once
// Pixel pictures for tests: each row of the area as a string, '.' for the background colour
// and '#' for anything else, so expected shapes can be written out literally.
#include <string>
#include <vector>

#include "framework/graphics/TSurface.h"

namespace fwtest {

inline std::vector<std::string> Picture(fw::TSurface& s, int32_t width, int32_t height,
                                        fw::TColor background = fw::clWhite) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < height; ++y) {
    std::string row;
    for (int32_t x = 0; x < width; ++x) row += s.GetPixel(x, y) == background ? '.' : '#';
    rows.push_back(row);
  }
  return rows;
}

/// Number of pixels in the area that differ from the colour.
inline int CountNot(fw::TSurface& s, const fw::TRect& area, fw::TColor color) {
  int n = 0;
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    for (int32_t x = area.Left; x < area.Right; ++x) n += s.GetPixel(x, y) != color ? 1 : 0;
  return n;
}

/// Bounding box of the pixels that differ from the colour (empty when none do).
inline fw::TRect InkBounds(fw::TSurface& s, fw::TColor color = fw::clWhite) {
  fw::TRect box{s.Width(), s.Height(), 0, 0};
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x)
      if (s.GetPixel(x, y) != color) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? fw::TRect{} : box;
}

}  // namespace fwtest
