#pragma once
// Row-by-row geometry of rectangles with elliptic corners, ellipses and arc sweeps, used by the
// surface to rasterize them (framework-internal).
#include <cstdint>

#include "framework/graphics/TPoint.h"

namespace fw {

/// Box with elliptic corners (ew x eh pixels; 0 for sharp corners, the box size for an
/// ellipse), described row by row: a pixel belongs to the shape when it lies inside the box and,
/// in a corner, inside the corner ellipse widened by half a pixel. Symmetric, and its extreme
/// pixels touch the box edges exactly.
struct RowShape {
  int64_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  double ew = 0, eh = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  /// First and last pixel of row y; false when the row has none.
  bool Span(int64_t y, int64_t& l, int64_t& r) const;
  /// The shape moved inward by the given number of pixels on every side.
  RowShape Shrunk(int64_t by) const;
};

/// Counter-clockwise sweep from a start angle (radians) over a span, seen from a centre.
struct Sweep {
  double cx = 0, cy = 0, start = 0, span = 0;
  bool Contains(int64_t x, int64_t y) const;
};

/// Sweep of an arc of the shape's ellipse from the ray towards (x3, y3) to the ray towards
/// (x4, y4); equal rays sweep the whole turn.
Sweep ArcSweep(const RowShape& shape, int32_t x3, int32_t y3, int32_t x4, int32_t y4);

/// Pixel where the ray from the sweep's centre at the angle meets the shape's ellipse.
TPoint RimPoint(const RowShape& shape, const Sweep& sweep, double angle);

}  // namespace fw
