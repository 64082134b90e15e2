#pragma once
#include <functional>

#include "chart/canvas/TGradientDirection.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace chart {

/// Receives one band of a gradient: the rectangle to fill and its plain RGB colour.
using TGradientBandSink = std::function<void(const fw::TRect& band, fw::TColor rgb)>;

/// Splits a gradient fill into solid bands, in painting order (later bands may overpaint earlier
/// ones). The colours are taken as given (the caller does any swapping); both are resolved to RGB.
///
/// Vertical (gdTopBottom, gdBottomTop): n = min(height, 256) bands, band i of colour
/// start + MulDiv(i, end - start, n - 1) per channel covering rows bottom - MulDiv(i + 1, h, n)
/// up to bottom - MulDiv(i, h, n): the start colour sits at the bottom edge. Horizontal
/// (gdLeftRight, gdRightLeft): the same with columns, the start colour at the right edge.
/// gdFromCenter: rectangular rings from the outside inward, each as four strips. gdFromTopLeft,
/// gdFromBottomLeft: L-shaped bands growing from that corner. Bands never leave the rectangle;
/// an empty rectangle gives none.
void ComputeGradientBands(fw::TRect rect, fw::TColor startColor, fw::TColor endColor, TGradientDirection direction,
                          const TGradientBandSink& sink);

}  // namespace chart
