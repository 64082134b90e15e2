#include "framework/graphics/ShapeRows.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fw {

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

int32_t ToPixel(double v) {
  if (!(v > -2147483648.0)) return INT32_MIN;
  if (!(v < 2147483647.0)) return INT32_MAX;
  return static_cast<int32_t>(std::lround(v));
}

}  // namespace

bool RowShape::Span(int64_t y, int64_t& l, int64_t& r) const {
  if (Empty() || y < top || y >= bottom) return false;
  int64_t inset = 0;
  if (ew > 0 && eh > 0) {
    const double yTop = static_cast<double>(top) + (eh - 1) / 2;
    const double yBottom = static_cast<double>(bottom) - 1 - (eh - 1) / 2;
    const double row = static_cast<double>(y);
    const double dy = row < yTop ? yTop - row : (row > yBottom ? row - yBottom : 0);
    // The middle row (two rows for an even height) always spans the whole width.
    if (dy > 0.5) {
      const double t = dy / (eh / 2);
      const double half = (ew / 2) * std::sqrt(std::max(0.0, 1 - t * t));
      const double xc = (ew - 1) / 2;
      // At most up to the middle pixel(s): every row keeps ink, so the shape reaches its box.
      inset = std::min(static_cast<int64_t>(std::ceil(xc - half - 1e-9)), static_cast<int64_t>(std::floor(xc)));
    }
  }
  l = left + inset;
  r = right - 1 - inset;
  return l <= r;
}

RowShape RowShape::Shrunk(int64_t by) const {
  RowShape s = *this;
  s.left += by;
  s.top += by;
  s.right -= by;
  s.bottom -= by;
  if (ew > 0 && eh > 0) {
    s.ew = std::max(0.0, ew - 2.0 * static_cast<double>(by));
    s.eh = std::max(0.0, eh - 2.0 * static_cast<double>(by));
  }
  return s;
}

bool Sweep::Contains(int64_t x, int64_t y) const {
  const double dx = static_cast<double>(x) - cx, dy = cy - static_cast<double>(y);
  if (dx == 0 && dy == 0) return true;
  double d = std::atan2(dy, dx) - start;
  while (d < 0) d += TwoPi;
  while (d >= TwoPi) d -= TwoPi;
  return d <= span + 1e-9;
}

Sweep ArcSweep(const RowShape& shape, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Sweep s;
  s.cx = static_cast<double>(shape.left + shape.right - 1) / 2.0;
  s.cy = static_cast<double>(shape.top + shape.bottom - 1) / 2.0;
  const double a0 = std::atan2(s.cy - y3, x3 - s.cx), a1 = std::atan2(s.cy - y4, x4 - s.cx);
  s.start = a0 < 0 ? a0 + TwoPi : a0;
  double span = a1 - a0;
  while (span <= 1e-12) span += TwoPi;
  while (span > TwoPi) span -= TwoPi;
  s.span = span;
  return s;
}

TPoint RimPoint(const RowShape& shape, const Sweep& sweep, double angle) {
  const double a = static_cast<double>(shape.right - shape.left - 1) / 2.0;
  const double b = static_cast<double>(shape.bottom - shape.top - 1) / 2.0;
  const double c = std::cos(angle), s = std::sin(angle);
  const double den = std::sqrt((b * c) * (b * c) + (a * s) * (a * s));
  const double t = den > 0 ? a * b / den : 0;
  return {ToPixel(sweep.cx + t * c), ToPixel(sweep.cy - t * s)};
}

}  // namespace fw
