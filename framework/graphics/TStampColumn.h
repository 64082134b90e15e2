#pragma once
// One stamp put down at many rows of one column, each pixel written once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/TPixelStamp.h"

namespace fw {

/// Puts a stamp down at (x, ys[0]), (x, ys[1]), ... and leaves the pixels the stamps put down
/// one after another would leave, writing each of them once: the stamps are walked from the
/// last back, and of each only the pixels no later one put down are written, by the stamp's
/// rows of bit masks (TPixelStamp::RowMasks). When those are the same for every row, each row of
/// the column is the row of the last stamp reaching it, written whole. A stamp alone, or one too
/// wide for the masks, is put down by its runs.
class TStampColumn {
public:
  /// Whether stamps at rows ys paint over each other enough for a column of them to pay:
  /// together their rows come to at least three times the rows they span. Otherwise one after
  /// another is as fast.
  static bool Pays(std::span<const int32_t> ys, const TPixelStamp& stamp) {
    if (ys.size() < 2) return false;
    const auto [lowest, highest] = std::minmax_element(ys.begin(), ys.end());
    const int64_t rows = int64_t{stamp.Bottom()} - stamp.Top();
    return static_cast<double>(ys.size()) * static_cast<double>(rows) >=
           3.0 * (static_cast<double>(int64_t{*highest} - *lowest) + static_cast<double>(rows));
  }

  /// `bits` holds rows of `stride` pixels; every pixel the stamps reach must lie in it.
  void Put(uint32_t* bits, int64_t stride, int32_t x, std::span<const int32_t> ys, const TPixelStamp& stamp);

private:
  /// Put for a stamp whose rows of bit masks are all the same, over `span` rows of the column
  /// from the highest stamp's top (at row `top`).
  void PutRows(uint32_t* bits, int64_t stride, int32_t x, std::span<const int32_t> ys, const TPixelStamp& stamp,
               int64_t top, size_t span);

  std::vector<uint64_t> mWritten;  // the columns written, row by row from the highest stamp's top
  std::vector<int32_t> mRowOf;     // PutRows: the stamp's row each row of the column shows, or -1
};

}  // namespace fw
