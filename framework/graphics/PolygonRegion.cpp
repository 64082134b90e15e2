#include "framework/graphics/PolygonRegion.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fw {

namespace {

/// Floor of a / b for b > 0.
int64_t FloorDiv(__int128 a, int64_t b) {
  __int128 q = a / b;
  if (a % b != 0 && a < 0) --q;
  return static_cast<int64_t>(q);
}

/// An edge going down from (x0, y0) to the row before y1, with its crossing of the current row
/// kept as floor(dx * (y - y0) / dy) and the remainder, stepped one row at a time.
struct TEdge {
  int64_t x0 = 0, y0 = 0, y1 = 0, dx = 0, dy = 0;
  int64_t floorPart = 0, remainder = 0;  // of dx * (y - y0) / dy
  int64_t stepFloor = 0, stepRemainder = 0;

  void Start(int64_t y) {
    const __int128 n = static_cast<__int128>(dx) * (y - y0);
    floorPart = FloorDiv(n, dy);
    remainder = static_cast<int64_t>(n - static_cast<__int128>(floorPart) * dy);
    stepFloor = FloorDiv(dx, dy);
    stepRemainder = dx - stepFloor * dy;
  }
  /// The first pixel right of the crossing: ceil(x0 + dx * (y - y0) / dy).
  int64_t Crossing() const { return x0 + floorPart + (remainder != 0 ? 1 : 0); }
  void Step() {
    floorPart += stepFloor;
    remainder += stepRemainder;
    if (remainder >= dy) {
      remainder -= dy;
      ++floorPart;
    }
  }
};

}  // namespace

QRegion PolygonRegion(std::span<const TPoint> points, const QRect& box) {
  if (points.size() < 3 || box.isEmpty()) return {};
  const int64_t boxLeft = box.left(), boxRight = static_cast<int64_t>(box.right()) + 1;
  const int64_t boxTop = box.top(), boxBottom = static_cast<int64_t>(box.bottom()) + 1;

  std::vector<TEdge> edges;
  edges.reserve(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    const TPoint& a = points[i];
    const TPoint& b = points[i + 1 < points.size() ? i + 1 : 0];
    if (a.Y == b.Y) continue;
    const TPoint& top = a.Y < b.Y ? a : b;
    const TPoint& bottom = a.Y < b.Y ? b : a;
    if (bottom.Y <= boxTop || top.Y >= boxBottom) continue;
    TEdge e;
    e.x0 = top.X;
    e.y0 = top.Y;
    e.y1 = bottom.Y;
    e.dx = static_cast<int64_t>(bottom.X) - top.X;
    e.dy = static_cast<int64_t>(bottom.Y) - top.Y;
    edges.push_back(e);
  }
  if (edges.empty()) return {};
  std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) { return a.y0 < b.y0; });

  int64_t lastRow = boxTop;
  for (const TEdge& e : edges) lastRow = std::max(lastRow, e.y1);
  lastRow = std::min(lastRow, boxBottom);

  std::vector<QRect> rects;
  std::vector<TEdge*> active;
  std::vector<int64_t> crossings;
  std::vector<std::pair<int64_t, int64_t>> spans, bandSpans;
  int64_t bandTop = 0;
  size_t next = 0;

  // A band's spans become rectangles when the next row differs.
  const auto closeBand = [&](int64_t bandBottom) {
    for (const auto& [l, r] : bandSpans)
      rects.emplace_back(static_cast<int>(l), static_cast<int>(bandTop), static_cast<int>(r - l),
                         static_cast<int>(bandBottom - bandTop));
  };

  // A closed outline crosses every row between its top and bottom twice or more, so the walk
  // runs from the first edge's top down without gaps.
  for (int64_t y = std::max(boxTop, edges.front().y0); y < lastRow; ++y) {
    while (next < edges.size() && edges[next].y0 <= y) {
      edges[next].Start(y);
      active.push_back(&edges[next]);
      ++next;
    }
    crossings.clear();
    for (TEdge* e : active) crossings.push_back(e->Crossing());
    std::sort(crossings.begin(), crossings.end());
    spans.clear();
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const int64_t l = std::max(crossings[i], boxLeft), r = std::min(crossings[i + 1], boxRight);
      if (l >= r) continue;
      if (!spans.empty() && spans.back().second >= l)
        spans.back().second = std::max(spans.back().second, r);
      else
        spans.emplace_back(l, r);
    }
    if (spans != bandSpans) {
      if (!bandSpans.empty()) closeBand(y);
      bandSpans.swap(spans);
      bandTop = y;
    }
    // The next row: edges ending here leave, the rest step down.
    std::erase_if(active, [y](const TEdge* e) { return e->y1 <= y + 1; });
    for (TEdge* e : active) e->Step();
  }
  if (!bandSpans.empty()) closeBand(lastRow);

  QRegion region;
  if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

}  // namespace fw
