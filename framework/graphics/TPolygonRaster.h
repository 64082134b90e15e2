#pragma once
// Framework-internal: the rasterizer of filled polygons with a solid colour.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "framework/graphics/TPixelTarget.h"
#include "framework/graphics/TPoint.h"

namespace fw {

/// Fills polygons with whole-pixel corners by the rule of the painter's aliased odd-even fill,
/// so that either may fill a polygon with the same pixels:
/// - a pixel is inside when an odd number of the polygon's edges cross its row's centre line
///   strictly left of its centre;
/// - an edge's crossing is found by stepping down from its upper corner in 16.16 fixed point:
///   the slope (dx / dy) truncated toward zero, half a slope to the first row's centre line,
///   one slope a row; horizontal edges cross nothing.
/// Only the drawable box and the clip region are written. Polygons with a corner further than
/// MaxCoordinate from the origin are left to the painter (Handles).
class TPolygonRaster {
public:
  static constexpr int32_t MaxCoordinate = 1 << 14;

  /// True when Fill draws this polygon as the painter would: three corners or more, each
  /// within MaxCoordinate of the origin on both axes.
  static bool Handles(std::span<const TPoint> points);

  /// Fills the polygon (closed from the last corner to the first) with rgb, copied. False, with
  /// nothing drawn, when its crossings are too many to gather (billions): the painter then
  /// fills it.
  bool Fill(const TPixelTarget& target, std::span<const TPoint> points, uint32_t rgb);
  /// Fills the pixels of columns left..right-1 and rows top..bottom-1 with rgb, copied, cut to
  /// the drawable box and the clip region.
  void FillRect(const TPixelTarget& target, int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t rgb);
  /// A box of columns left..right-1 and rows top..bottom-1 with a one-pixel frame of `frame`
  /// on its border and, when `fill` holds a colour, its inside filled with it; copied, cut to
  /// the drawable box and the clip region. The pixels of FillRect of the inside and of the
  /// frame's rows and columns, taken row by row in one pass.
  void FillFramedRect(const TPixelTarget& target, int64_t left, int64_t top, int64_t right, int64_t bottom,
                      uint32_t frame, std::optional<uint32_t> fill);

private:
  struct TEdge {
    int64_t FirstRow = 0, LastRow = 0;  // rows whose centre line the edge crosses, both inside
    int64_t X = 0, Step = 0;            // 16.16 crossing at FirstRow, and per row
  };

  /// Fills columns from..to-1 of row y, cut to the drawable box and the clip region.
  /// Fills a y-monotone polygon (every row crossed by two edges at most) row by row between
  /// its two chains, rows rowLo..rowHi; false, with nothing drawn, for any other polygon.
  bool FillMonotone(const TPixelTarget& target, std::span<const TPoint> points, int64_t rowLo, int64_t rowHi,
                    int64_t colLo, int64_t colHi, uint32_t rgb);
  /// Rows come in ascending order within one fill; the clip band follows them.
  void Span(const TPixelTarget& target, int64_t y, int64_t from, int64_t to, uint32_t rgb);

  std::vector<TEdge> mEdges;
  std::vector<int32_t> mStarts;     // per row: first crossing in mCrossings
  std::vector<int32_t> mCursor;     // per row: next free place in mCrossings
  std::vector<int32_t> mCrossings;  // first pixel right of each crossing, row by row
  std::vector<uint8_t> mToggles;    // per row and column: crossings that start there, mod 2
  TBandCursor mBands;  // the clip region's band of the last row spanned
};

}  // namespace fw
