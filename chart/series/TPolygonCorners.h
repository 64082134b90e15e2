#pragma once
// The corners of a polygon that the surface fills, gathered one by one.
#include <cstddef>
#include <vector>

#include "framework/graphics/TPoint.h"

namespace chart {

/// Corners gathered for one polygon. Merging, a corner at the place of the last one is left
/// out, and of three corners on one vertical or horizontal line the middle one: an edge along
/// whole pixel boundaries crosses no pixel centre, so that corner bounds no pixel.
class TPolygonCorners {
public:
  void Clear() { mPoints.clear(); }
  const std::vector<fw::TPoint>& Points() const { return mPoints; }

  void Add(fw::TPoint p, bool merge) {
    if (merge && !mPoints.empty()) {
      const fw::TPoint last = mPoints.back();
      if (last.X == p.X && last.Y == p.Y) return;
      if (mPoints.size() >= 2) {
        const fw::TPoint before = mPoints[mPoints.size() - 2];
        if ((before.X == last.X && last.X == p.X) || (before.Y == last.Y && last.Y == p.Y)) {
          mPoints.back() = p;  // the last corner moves on
          return;
        }
      }
    }
    mPoints.push_back(p);
  }

  /// Adds at(0) .. at(count - 1), corners on one vertical line, as Add does one by one. Merging,
  /// Add keeps of such a run its first corner and its last (the first twice when the last comes
  /// back to it after another): the first, the first other one and the last leave the same
  /// corners, and the others are not asked for.
  template <class At>
  void AddVertical(size_t count, const At& at, bool merge) {
    if (count == 0) return;
    const fw::TPoint first = at(0);
    Add(first, merge);
    if (!merge) {
      for (size_t t = 1; t < count; ++t) Add(at(t), merge);
      return;
    }
    for (size_t t = 1; t + 1 < count; ++t) {
      const fw::TPoint p = at(t);
      if (p != first) {
        Add(p, merge);
        break;
      }
    }
    if (count > 1) Add(at(count - 1), merge);
  }

private:
  std::vector<fw::TPoint> mPoints;
};

}  // namespace chart
