#include "framework/controls/Frame3D.h"

#include <algorithm>
#include <array>

#include "framework/graphics/TSurface.h"
#include "framework/runtime/ClampInt.h"

namespace fw {

void Frame3D(TSurface& surface, TRect& rect, TColor topColor, TColor bottomColor, int32_t width) {
  TPen& pen = surface.Pen();
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  pen.SetMode(pmCopy);
  // The ring k lies on the lines x = left + k, x = right - k, y = top + k and y = bottom - k
  // (right and bottom inclusive). Past the middle the rings go on outwards in reverse; once all
  // four lines lie off the image no later ring shows, so a width as large as the integer range
  // stops there instead of drawing that many rings.
  const int64_t left = rect.Left, top = rect.Top;
  const int64_t right = int64_t{rect.Right} - 1, bottom = int64_t{rect.Bottom} - 1;
  const int64_t visible = std::max({int64_t{surface.Width()} - left, right + 1, int64_t{surface.Height()} - top, bottom + 1});
  const int64_t rings = std::min<int64_t>(width, std::max<int64_t>(visible, 0));
  for (int64_t k = 0; k < rings; ++k) {
    const int32_t l = ClampToInt32(left + k), t = ClampToInt32(top + k), r = ClampToInt32(right - k), b = ClampToInt32(bottom - k);
    // The top-left stroke includes the far ends; the bottom-right one closes the ring one
    // pixel beyond the left edge because a polyline leaves out its last pixel.
    pen.SetColor(topColor);
    const std::array<TPoint, 3> topLeft{{{l, b}, {l, t}, {r, t}}};
    surface.Polyline(topLeft);
    pen.SetColor(bottomColor);
    const std::array<TPoint, 3> bottomRight{{{r, t}, {r, b}, {ClampToInt32(int64_t{l} - 1), b}}};
    surface.Polyline(bottomRight);
  }
  const int64_t shrink = std::max<int32_t>(width, 0);
  rect.Left = ClampToInt32(left + shrink);
  rect.Top = ClampToInt32(top + shrink);
  rect.Right = ClampToInt32(right - shrink + 1);
  rect.Bottom = ClampToInt32(bottom - shrink + 1);
}

}  // namespace fw
