#pragma once
// Framework-internal: the pixels a surface draws on and the part of them it may change, shared
// by the rasterizers of lines, shapes and text pictures.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include <QRect>

#include "framework/graphics/PixelOps.h"
#include "framework/graphics/TPoint.h"

namespace fw {

/// A 32-bit image seen as rows of 0xAARRGGBB pixels, with its drawable area: the image
/// intersected with the clip region's bounds, and the clip region itself when it is more than
/// that one rectangle. Without bits nothing may be drawn.
struct TPixelTarget {
  uint32_t* Bits = nullptr;
  int64_t Stride = 0;  // in pixels
  int32_t Width = 0;
  int32_t Height = 0;
  QRect Box;                                   // drawable box (empty: nothing is drawable)
  const std::vector<QRect>* Region = nullptr;  // banded rectangles; nullptr when the box suffices

  /// Whether a pixel inside the drawable box lies in the clip region.
  bool Allows(int x, int y) const {
    if (Region == nullptr) return true;
    size_t first = 0, last = 0;
    BandOf(y, first, last);
    for (size_t k = first; k < last; ++k)
      if ((*Region)[k].contains(x, y)) return true;
    return false;
  }

  /// Whether every pixel of columns left..right-1 and rows top..bottom-1 (a box of at least one
  /// pixel) may be drawn: inside the drawable box and, band by band, inside one rectangle of
  /// the clip region. Shapes that lie wholly inside are then drawn as if there were no region.
  bool Holds(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
    if (left >= right || top >= bottom || Box.isEmpty()) return false;
    if (left < Box.left() || top < Box.top() || right > int64_t{Box.right()} + 1 || bottom > int64_t{Box.bottom()} + 1)
      return false;
    if (Region == nullptr) return true;
    const std::vector<QRect>& rects = *Region;
    size_t first = 0, last = 0;
    BandOf(static_cast<int>(top), first, last);
    for (int64_t y = top; y < bottom;) {
      if (first == last || rects[first].top() > y) return false;  // a row outside every band
      bool covered = false;
      for (size_t k = first; k < last && !covered; ++k)
        covered = rects[k].left() <= left && int64_t{rects[k].right()} + 1 >= right;
      if (!covered) return false;
      y = int64_t{rects[first].bottom()} + 1;
      first = last;
      while (last < rects.size() && rects[last].top() == rects[first].top()) ++last;
    }
    return true;
  }

  /// Holds of the bounds of the corners: every pixel of a polygon's fill and of one-pixel
  /// lines between its corners lies there.
  bool HoldsCornersOf(std::span<const TPoint> points) const {
    int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    for (const TPoint& p : points) {
      left = std::min<int64_t>(left, p.X);
      right = std::max<int64_t>(right, p.X);
      top = std::min<int64_t>(top, p.Y);
      bottom = std::max<int64_t>(bottom, p.Y);
    }
    return !points.empty() && Holds(left, top, right + 1, bottom + 1);
  }

  /// This target without its clip region: for shapes that Holds.
  TPixelTarget WithoutRegion() const {
    TPixelTarget plain = *this;
    plain.Region = nullptr;
    return plain;
  }

  /// The clip region's rectangles that cross row y, left to right: indices first..last-1 of
  /// *Region (none when y lies in no band). Only with a region. Bands are sorted by top; the
  /// rectangles of one band share top and bottom.
  void BandOf(int y, size_t& first, size_t& last) const {
    const std::vector<QRect>& rects = *Region;
    size_t lo = 0, hi = rects.size();
    while (lo < hi) {
      const size_t mid = (lo + hi) / 2;
      if (rects[mid].bottom() < y)
        lo = mid + 1;
      else
        hi = mid;
    }
    first = lo;
    last = lo;
    while (last < rects.size() && rects[last].top() <= y) ++last;
  }

  /// Fills columns from..to-1 of row y (inside the drawable box) where they meet the clip
  /// region's rectangles first..last-1, those of the row's band.
  void FillRowInBand(int64_t y, int64_t from, int64_t to, uint32_t rgb, size_t first, size_t last) const {
    uint32_t* const row = Bits + y * Stride;
    for (size_t k = first; k < last; ++k) {
      const QRect& r = (*Region)[k];
      const int64_t lo = std::max<int64_t>(from, r.left()), hi = std::min<int64_t>(to, int64_t{r.right()} + 1);
      if (lo < hi) std::fill(row + lo, row + hi, rgb);
    }
  }

  void Plot(int x, int y, uint32_t rgb, TPenMode mode) const {
    uint32_t* p = Bits + static_cast<int64_t>(y) * Stride + x;
    *p = mode == pmCopy ? rgb : ApplyRop(mode, rgb, *p);
  }
};

/// Finds the clip region's band of a row (as TPixelTarget::BandOf) for rows that come mostly
/// in order, row after row. The answer holds for every row of the band found (or of the gap
/// between two bands), so the rows below it are answered without looking at the region; past
/// them, the band found last and the band below it are tried before bisecting. Reset() must
/// come before rows of another region; a remembered answer is never used past the region's end.
class TBandCursor {
public:
  void Reset() {
    mFirst = 0;
    mTop = 1;
    mBottom = 0;
  }
  void Find(const TPixelTarget& target, int64_t y, size_t& first, size_t& last) {
    const std::vector<QRect>& rects = *target.Region;
    if (mTop <= y && y <= mBottom && mLast <= rects.size()) {
      first = mFirst;
      last = mLast;
      return;
    }
    auto bandEnd = [&rects](size_t start) {
      size_t end = start;
      while (end < rects.size() && rects[end].top() == rects[start].top()) ++end;
      return end;
    };
    auto holds = [&rects, y](size_t start) {
      return start < rects.size() && rects[start].top() <= y && y <= rects[start].bottom();
    };
    if (holds(mFirst)) {
      first = mFirst;
      last = bandEnd(first);
    } else if (const size_t next = mFirst < rects.size() ? bandEnd(mFirst) : rects.size(); holds(next)) {
      first = next;
      last = bandEnd(first);
    } else {
      target.BandOf(static_cast<int>(y), first, last);
    }
    Remember(rects, y, first, last);
  }

private:
  /// The rows that have the same answer as row y: its band's, or those between the bands
  /// above and below it.
  void Remember(const std::vector<QRect>& rects, int64_t y, size_t first, size_t last) {
    mFirst = first;
    mLast = last;
    if (first < last) {
      mTop = rects[first].top();
      mBottom = rects[first].bottom();
      return;
    }
    mTop = first > 0 ? int64_t{rects[first - 1].bottom()} + 1 : INT64_MIN;
    mBottom = first < rects.size() ? int64_t{rects[first].top()} - 1 : INT64_MAX;
    if (!(mTop <= y && y <= mBottom)) mTop = mBottom = y;  // rows the region does not order
  }

  // The answer for rows mTop..mBottom (none after Reset). mFirst is always the first rectangle
  // of a band, or the region's end; the next lookup starts from it.
  int64_t mTop = 1, mBottom = 0;
  size_t mFirst = 0, mLast = 0;
};

/// Longest dash pattern of a pen: the longest pattern (24 pixels) at the largest device pixel
/// ratio (16), with room for the rounding of its six dashes and gaps.
inline constexpr int MaxPenPeriod = 24 * 16 + 8;

/// The selected pen as pixels: colour, raster operation, width and the dash pattern of
/// cosmetic pens (Mask[k] is 1 where place k of the pattern sets the pixel; Period 0: solid).
struct TPixelPen {
  uint32_t Rgb = 0xFF000000u;
  int32_t Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  uint8_t Mask[MaxPenPeriod] = {};
  int Period = 0;

  bool Visible() const { return Style != psClear && Mode != pmNop; }
};

}  // namespace fw
