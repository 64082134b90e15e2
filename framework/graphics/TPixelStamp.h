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

  /// Boxes up to this many columns across are also kept as rows of bit masks (RowMasks).
  static constexpr int32_t MaskWidth = 64;

  void Clear() {
    mRuns.clear();
    mPixels.clear();
    mLeft = mTop = mRight = mBottom = 0;
    mMasked = false;
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
    mMasked = false;
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

  /// For a box of up to MaskWidth columns: row r of the box (from Top) as a mask of its pixels'
  /// columns (bit c for column Left + c), and their values at RowPixels()[r * MaskWidth + c].
  /// Empty for a wider box. Worked out when first asked for after a change, so a stamp shared
  /// between threads must have them worked out before.
  const std::vector<uint64_t>& RowMasks() const {
    Mask();
    return mRowMasks;
  }
  const std::vector<uint32_t>& RowPixels() const {
    Mask();
    return mRowPixels;
  }

private:
  void Mask() const {
    if (mMasked) return;
    mMasked = true;
    mRowMasks.clear();
    mRowPixels.clear();
    if (mRight - mLeft > MaskWidth) return;
    const auto rows = static_cast<size_t>(mBottom - mTop);
    mRowMasks.assign(rows, 0);
    mRowPixels.assign(rows * MaskWidth, 0);
    for (const TRun& run : mRuns) {
      const auto row = static_cast<size_t>(run.Dy - mTop);
      for (int32_t i = 0; i < run.Length; ++i) {
        const auto column = static_cast<size_t>(run.Dx - mLeft + i);
        mRowMasks[row] |= uint64_t{1} << column;
        mRowPixels[row * MaskWidth + column] = mPixels[run.First + static_cast<size_t>(i)];
      }
    }
  }

  std::vector<TRun> mRuns;
  std::vector<uint32_t> mPixels;
  int32_t mLeft = 0, mTop = 0, mRight = 0, mBottom = 0;
  mutable bool mMasked = false;
  mutable std::vector<uint64_t> mRowMasks;
  mutable std::vector<uint32_t> mRowPixels;
};

}  // namespace fw
