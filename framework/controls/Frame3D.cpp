#include "framework/controls/Frame3D.h"

#include <array>

#include "framework/graphics/TSurface.h"

namespace fw {

void Frame3D(TSurface& surface, TRect& rect, TColor topColor, TColor bottomColor, int32_t width) {
  TPen& pen = surface.Pen();
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  pen.SetMode(pmCopy);
  --rect.Bottom;
  --rect.Right;
  for (; width > 0; --width) {
    // The top-left stroke includes the far ends; the bottom-right one closes the ring one
    // pixel beyond the left edge because a polyline leaves out its last pixel.
    pen.SetColor(topColor);
    const std::array<TPoint, 3> topLeft{{{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}}};
    surface.Polyline(topLeft);
    pen.SetColor(bottomColor);
    const std::array<TPoint, 3> bottomRight{
        {{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}}};
    surface.Polyline(bottomRight);
    ++rect.Left;
    ++rect.Top;
    --rect.Right;
    --rect.Bottom;
  }
  ++rect.Bottom;
  ++rect.Right;
}

}  // namespace fw
