#pragma once
// The pixels one marker paints in a 3D view that moves every point of a depth by the same whole
// pixels, for leaving out markers that later ones paint over.
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/series/TScratchPaint.h"
#include "framework/graphics/TPixelStamp.h"
#include "framework/runtime/TColor.h"

namespace chart {

class TCanvas3D;
class TSeriesPointer;

/// In such a view a marker at (x, y) paints the same pixels as one at (0, 0) moved by (x, y): its
/// pixel columns are those of every marker of its column, and each column c paints rows
/// y + a_c .. y + b_c. Measure finds a_c and b_c by drawing the marker on scratch images
/// (TScratchPaint).
///
/// Later markers of the column at rows y_j cover an earlier one at y_i when, in every column c,
/// the runs y_j + a_c .. y_j + b_c hold y_i + a_c .. y_i + b_c. Runs of one length that hold a
/// run of theirs hold it at any greater length too, so it is enough to check the shortest
/// column: rows y + Above() .. y + Above() + Rows() - 1 stand for the marker.
class TMarkerShape {
public:
  /// Measures the marker `pointer` draws on `canvas` (as a 3D shape at depths z0..z1 when
  /// `view3D`, else flat) in the colour given. False when the view does not move markers by
  /// whole pixels at those depths, or the marker is larger than MaxExtent pixels across or down
  /// or paints nothing. The canvas draws on its own surface again afterwards, with its pen and
  /// brush as they were.
  bool Measure(TCanvas3D& canvas, const TSeriesPointer& pointer, bool view3D, int32_t z0, int32_t z1, fw::TColor color);

  /// Whether the marker paints each of its pixel columns in one run of rows, so that Above and
  /// Rows stand for it (else they mean nothing, and only its stamps may be used).
  bool Covers() const { return mCovers; }
  /// The first row of the shortest column, from the marker's row.
  int64_t Above() const { return mAbove; }
  /// The rows of the shortest column.
  int64_t Rows() const { return mRows; }
  /// The first and last row any column paints, from the marker's row.
  int64_t Top() const { return mTop; }
  int64_t Bottom() const { return mBottom; }

  /// The pixels a marker of the last measure paints in `color`, at their offsets from its
  /// position: the measure's own colour read off its scratch images, any other painted there
  /// the first time it is asked for; null for more than MaxStamps colours, or without a
  /// measure. Put down with
  /// TSurface::Stamp, they are the marker's pixels wherever it lies (in such a view).
  const fw::TPixelStamp* Stamp(TCanvas3D& canvas, const TSeriesPointer& pointer, fw::TColor color);

  static constexpr int32_t MaxExtent = TScratchPaint::MaxSide;
  static constexpr size_t MaxStamps = 8;

private:
  TScratchPaint mScratch;
  int64_t mAbove = 0, mRows = 0, mTop = 0, mBottom = 0;
  // The last measure: where the marker was drawn on the scratch images, how large they are and
  // at which depths; and the stamps of the colours asked for since.
  bool mMeasured = false, mCovers = false;
  bool mView3D = false;
  int32_t mX = 0, mY = 0, mWidth = 0, mHeight = 0, mZ0 = 0, mZ1 = 0;
  struct TColourStamp {
    fw::TColor Colour;
    std::unique_ptr<fw::TPixelStamp> Pixels;
  };
  std::vector<TColourStamp> mStamps;
};

}  // namespace chart
