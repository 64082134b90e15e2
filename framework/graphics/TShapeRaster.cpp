#include "framework/graphics/TShapeRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace fw {

RowShape TShapeRaster::OuterShape(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t cornerW, int64_t cornerH,
                                  const TPixelPen& pen) {
  RowShape s;
  s.left = std::min(x1, x2);
  s.right = std::max(x1, x2);
  s.top = std::min(y1, y2);
  s.bottom = std::max(y1, y2);
  const int64_t w = pen.Visible() ? pen.Width : 0;
  const int64_t e = (w > 1 && pen.Style != psInsideFrame) ? (w - 1) / 2 : 0;
  s.left -= e;
  s.top -= e;
  s.right += e;
  s.bottom += e;
  const int64_t cw = std::abs(cornerW), ch = std::abs(cornerH);
  if (cw > 0 && ch > 0) {
    s.ew = static_cast<double>(std::min(cw + 2 * e, s.right - s.left));
    s.eh = static_cast<double>(std::min(ch + 2 * e, s.bottom - s.top));
  }
  return s;
}

void TShapeRaster::PlotRun(const TPixelTarget& target, int64_t y, int64_t l, int64_t r, const Sweep* sweep,
                           const TPixelPen& pen) {
  const QRect& box = target.Box;
  l = std::max<int64_t>(l, box.left());
  r = std::min<int64_t>(r, box.right());
  for (int64_t x = l; x <= r; ++x) {
    if ((sweep != nullptr && !sweep->Contains(x, y)) || !target.Allows(static_cast<int>(x), static_cast<int>(y)))
      continue;
    if (pen.Period != 0)
      mStyledOutline.push_back({0.0, QPoint(static_cast<int>(x), static_cast<int>(y))});
    else
      target.Plot(static_cast<int>(x), static_cast<int>(y), pen.Rgb, pen.Mode);
  }
}

void TShapeRaster::PlotStyledOutline(const TPixelTarget& target, double cx, double cy, double start,
                                     const TPixelPen& pen, bool opaqueGaps, uint32_t gapRgb) {
  for (auto& [angle, p] : mStyledOutline) {
    double d = std::atan2(cy - p.y(), p.x() - cx) - start;
    while (d < 0) d += 2 * std::numbers::pi;
    angle = d;
  }
  std::sort(mStyledOutline.begin(), mStyledOutline.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t k = 0; k < mStyledOutline.size(); ++k) {
    const QPoint& p = mStyledOutline[k].second;
    if (pen.Mask[k % static_cast<size_t>(pen.Period)])
      target.Plot(p.x(), p.y(), pen.Rgb, pen.Mode);
    else if (opaqueGaps)
      target.Plot(p.x(), p.y(), gapRgb, pen.Mode);
  }
  mStyledOutline.clear();
}

void TShapeRaster::BrushRun(const QRect& box, int64_t y, int64_t l, int64_t r, const Sweep* sweep,
                            const TBrushRun& brushRun) {
  l = std::max<int64_t>(l, box.left());
  r = std::min<int64_t>(r, box.right());
  if (l > r) return;
  if (sweep == nullptr) {
    brushRun(QRect(static_cast<int>(l), static_cast<int>(y), static_cast<int>(r - l + 1), 1));
    return;
  }
  int64_t runStart = -1;
  for (int64_t x = l; x <= r + 1; ++x) {
    const bool in = x <= r && sweep->Contains(x, y);
    if (in && runStart < 0) runStart = x;
    if (!in && runStart >= 0) {
      brushRun(QRect(static_cast<int>(runStart), static_cast<int>(y), static_cast<int>(x - runStart), 1));
      runStart = -1;
    }
  }
}

void TShapeRaster::Draw(const TPixelTarget& target, const RowShape& outer, bool fill, const Sweep* sweep,
                        const TPixelPen& pen, bool opaqueGaps, uint32_t gapRgb, const TBrushRun& brushRun) {
  if (target.Bits == nullptr || pen.Mode == pmNop || outer.Empty()) return;
  const QRect box = target.Box;
  if (box.isEmpty()) return;
  const bool visible = pen.Visible();
  const RowShape inner = pen.Width > 1 ? outer.Shrunk(pen.Width) : outer;
  const int64_t yFrom = std::max<int64_t>(outer.top, box.top());
  const int64_t yTo = std::min<int64_t>(outer.bottom - 1, box.bottom());
  for (int64_t y = yFrom; y <= yTo; ++y) {
    int64_t l, r;
    if (!outer.Span(y, l, r)) continue;
    if (!visible) {
      if (fill) BrushRun(box, y, l, r, sweep, brushRun);
      continue;
    }
    // Interior of this row: inside the inner shape (wide pens) or off the one-pixel boundary.
    int64_t il = 0, ir = -1;
    if (pen.Width > 1) {
      if (!inner.Span(y, il, ir)) ir = il - 1;
    } else {
      int64_t ul, ur, dl, dr;
      if (outer.Span(y - 1, ul, ur) && outer.Span(y + 1, dl, dr)) {
        il = std::max({l + 1, ul, dl});
        ir = std::min({r - 1, ur, dr});
      }
    }
    if (il > ir) {
      PlotRun(target, y, l, r, sweep, pen);
      continue;
    }
    if (fill) BrushRun(box, y, il, ir, sweep, brushRun);
    PlotRun(target, y, l, il - 1, sweep, pen);
    PlotRun(target, y, ir + 1, r, sweep, pen);
  }
  if (!mStyledOutline.empty()) {
    PlotStyledOutline(target, static_cast<double>(outer.left + outer.right - 1) / 2.0,
                      static_cast<double>(outer.top + outer.bottom - 1) / 2.0, sweep != nullptr ? sweep->start : 0.0,
                      pen, opaqueGaps, gapRgb);
  }
}

}  // namespace fw
