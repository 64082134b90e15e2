#pragma once
// The even-odd region of a polygon, built row by row within a box (framework-internal).
#include <QRect>
#include <QRegion>

#include <span>

#include "framework/graphics/TPoint.h"

namespace fw {

/// The pixels of the box that Qt's even-odd polygon region holds: pixel (x, y) belongs to it
/// when the point (x, y) lies inside the polygon by the crossing rule, an edge counting on the
/// rows from its upper end up to, not including, its lower end. The crossings are exact for any
/// 32-bit corners, and the work grows with the rows of the box the polygon covers, where Qt's
/// own region grows with the square of the polygon's height. Fewer than three corners give an
/// empty region.
QRegion PolygonRegion(std::span<const TPoint> points, const QRect& box);

}  // namespace fw
