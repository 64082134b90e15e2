#pragma once
// Framework-internal: the rasterizer of cosmetic (one pixel wide) lines.
#include <cstdint>
#include <vector>

#include "framework/graphics/TPixelTarget.h"

namespace fw {

/// Draws one-pixel lines on a pixel target by the device rules: the start pixel set, the end
/// pixel excluded, one pixel per step of the major axis, the minor coordinate rounded (halves
/// towards the end point), the dash pattern restarting with every line. Only the steps inside
/// the drawable box are visited, so any coordinates are cheap.
///
/// Solid copy-mode lines may be held back: vertical runs of a dense curve cover the same
/// columns again and again, so they are merged per column and written once (one colour copied,
/// so the order of the writes does not matter). Flush() writes them; the owner calls it before
/// anything else draws on or reads the pixels. Under a clip region each run is cut to the
/// region's bands first.
class TLineRaster {
public:
  /// The pixels to draw on and their drawable area; held-back runs are written to the previous
  /// target first.
  void SetTarget(const TPixelTarget& target);
  const TPixelTarget& Target() const { return mTarget; }

  /// Line from (x1, y1) to (x2, y2) with the pen; dash gaps in gapRgb when opaqueGaps.
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const TPixelPen& pen, bool opaqueGaps, uint32_t gapRgb);

  /// While set, lines are drawn as if the target had no clip region: for lines that the caller
  /// knows lie inside it (TPixelTarget::Holds of their bounds).
  void SetInsideRegion(bool value) { mInsideRegion = value; }

  /// Writes the held-back runs.
  void Flush() {
    if (mRuns.Active) FlushRuns();
  }
  bool Pending() const { return mRuns.Active; }

private:
  /// Vertical runs of solid copy-mode line pixels not yet written, one run per column, all in
  /// one colour.
  struct TColumnRuns {
    bool Active = false;
    uint32_t Rgb = 0;
    int32_t Left = 0, Right = 0;       // columns that may hold a run
    std::vector<int32_t> Top, Bottom;  // per image column: rows Top to Bottom - 1; empty when equal
  };

  void FlushRuns();
  void WriteColumn(int64_t x, int64_t top, int64_t bottom, uint32_t rgb);
  /// Adds rows top to bottom - 1 of column x (inside the image) to the held-back runs.
  void AddColumnRun(int64_t x, int64_t top, int64_t bottom, uint32_t rgb);
  /// Rows from..to-1 of column n (alongRow false), or columns from..to-1 of row n (alongRow
  /// true), inside the drawable box: the parts inside the clip region drawn.
  void RegionRun(bool alongRow, int64_t n, int64_t from, int64_t to, uint32_t rgb);
  /// The common case (solid pen, copy mode), drawn as runs of steps that share one minor
  /// coordinate, each cut to the clip region when there is one.
  void SolidCopyRuns(bool xMajor, int64_t m1, int64_t n1, int sm, int sn, int64_t a, int64_t b, int64_t iLo,
                     int64_t iHi, int64_t q, int64_t r, int64_t nlo, int64_t nhi, uint32_t rgb);

  /// An index into the image at step m along the major axis and n along the minor, and what a
  /// step along each adds to it.
  struct TImageStep {
    int64_t Index, Major, Minor;
  };
  TImageStep ImageStep(bool xMajor, int64_t m, int64_t n, int sm, int sn) const {
    const int64_t stride = mTarget.Stride;
    return xMajor ? TImageStep{n * stride + m, sm, sn * stride} : TImageStep{m * stride + n, sm * stride, sn};
  }

  /// The clip region lines are cut to: none while they are known to lie inside it.
  const std::vector<QRect>* ClipRegion() const { return mInsideRegion ? nullptr : mTarget.Region; }

  TPixelTarget mTarget;
  bool mInsideRegion = false;
  TColumnRuns mRuns;
  TBandCursor mBands;  // the clip region's band of the last run
};

}  // namespace fw
