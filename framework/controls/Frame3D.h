#pragma once
#include <cstdint>

#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace fw {

class TSurface;

/// Draws a 3D edge `width` pixels wide just inside the rectangle: the top and left sides in
/// topColor, the bottom and right sides in bottomColor, one one-pixel ring after the other
/// from the outside in. The rectangle shrinks by the width on every side.
void Frame3D(TSurface& surface, TRect& rect, TColor topColor, TColor bottomColor, int32_t width);

}  // namespace fw
