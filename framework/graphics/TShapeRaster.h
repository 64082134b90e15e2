#pragma once
// Framework-internal: rasterizer of rounded boxes, ellipses, arcs and pies, row by row.
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include <QPoint>
#include <QRect>

#include "framework/graphics/ShapeRows.h"
#include "framework/graphics/TPixelTarget.h"

namespace fw {

/// Draws row shapes: the outline pixel by pixel with the pen, the interior as row runs handed
/// to the brush. Every pixel is drawn once, so a not-xor shape drawn twice leaves no trace.
/// Dashed and dotted outlines take the pattern counter-clockwise around the centre, from three
/// o'clock (from the start of an arc).
class TShapeRaster {
public:
  /// Fills one run of a row (a rectangle one pixel high) with the brush.
  using TBrushRun = std::function<void(const QRect&)>;

  /// Shape of a box given by its corners (any order) with corner ellipses of the given size
  /// (clamped to the box). Wide visible pens are centred on the one-pixel outline, or kept
  /// inside the box by psInsideFrame.
  static RowShape OuterShape(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t cornerW, int64_t cornerH,
                             const TPixelPen& pen);

  /// Draws the shape: the interior with the brush (when fill), the outline with the pen (dash
  /// gaps in gapRgb when opaqueGaps), both limited to the sweep when one is given.
  void Draw(const TPixelTarget& target, const RowShape& outer, bool fill, const Sweep* sweep, const TPixelPen& pen,
            bool opaqueGaps, uint32_t gapRgb, const TBrushRun& brushRun);

private:
  void PlotRun(const TPixelTarget& target, int64_t y, int64_t l, int64_t r, const Sweep* sweep, const TPixelPen& pen);
  void BrushRun(const QRect& box, int64_t y, int64_t l, int64_t r, const Sweep* sweep, const TBrushRun& brushRun);
  void PlotStyledOutline(const TPixelTarget& target, double cx, double cy, double start, const TPixelPen& pen,
                         bool opaqueGaps, uint32_t gapRgb);

  std::vector<std::pair<double, QPoint>> mStyledOutline;  // scratch, capacity kept
};

}  // namespace fw
