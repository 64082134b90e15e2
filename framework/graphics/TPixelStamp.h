#pragma once
// The pixels one drawing painted, kept to be put down again elsewhere.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

/// Opaque pixels at offsets from an origin, as rows of runs: what a drawing that paints the same
/// pixels wherever it is moved by whole pixels painted, read off an image (TSurface::ReadStamp)
/// and put down at another origin (TSurface::Stamp) for the cost of copying them.
class TPixelStamp {
public:
  /// Pixels Dx .. Dx + Length - 1 of row Dy, their values from Pixels()[First] on.
  struct TRun {
    int32_t Dx, Dy, Length;
    size_t First;
  };

  void Clear() {
    mRuns.clear();
    mPixels.clear();
    mLeft = mTop = mRight = mBottom = 0;
  }
  /// Appends the pixel at (dx, dy) in the image's own form (0xAARRGGBB). Pixels come row by row,
  /// left to right in a row; one right after the last joins its run.
  void Add(int32_t dx, int32_t dy, uint32_t pixel) {
    if (!mRuns.empty() && mRuns.back().Dy == dy && mRuns.back().Dx + mRuns.back().Length == dx) {
      ++mRuns.back().Length;
    } else {
      mRuns.push_back({dx, dy, 1, mPixels.size()});
    }
    mPixels.push_back(pixel);
    const bool first = mPixels.size() == 1;
    mLeft = first ? dx : std::min(mLeft, dx);
    mTop = first ? dy : std::min(mTop, dy);
    mRight = first ? dx + 1 : std::max(mRight, dx + 1);
    mBottom = first ? dy + 1 : std::max(mBottom, dy + 1);
  }

  bool Empty() const { return mPixels.empty(); }
  const std::vector<TRun>& Runs() const { return mRuns; }
  const std::vector<uint32_t>& Pixels() const { return mPixels; }
  /// The box of the pixels from the origin: left and top included, right and bottom excluded.
  int32_t Left() const { return mLeft; }
  int32_t Top() const { return mTop; }
  int32_t Right() const { return mRight; }
  int32_t Bottom() const { return mBottom; }

private:
  std::vector<TRun> mRuns;
  std::vector<uint32_t> mPixels;
  int32_t mLeft = 0, mTop = 0, mRight = 0, mBottom = 0;
};

}  // namespace fw
