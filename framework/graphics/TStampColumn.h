#pragma once
// One stamp put down at many rows of one column, each pixel written once.
#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/TPixelStamp.h"

namespace fw {

/// Puts a stamp down at (x, ys[0]), (x, ys[1]), ... and leaves the pixels the stamps put down
/// one after another would leave, writing each of them once: the stamps are walked from the
/// last back, and of each only the pixels no later one put down are written. A stamp of up to
/// MaxWidth columns keeps its rows as bit masks; a wider one is put down stamp after stamp.
class TStampColumn {
public:
  static constexpr int32_t MaxWidth = 64;

  /// `bits` holds rows of `stride` pixels; every pixel the stamps reach must lie in it.
  void Put(uint32_t* bits, int64_t stride, int32_t x, std::span<const int32_t> ys, const TPixelStamp& stamp);

private:
  std::vector<uint64_t> mMasks;    // the columns each row of the stamp paints
  std::vector<uint32_t> mValues;   // row by row, MaxWidth values a row
  std::vector<uint64_t> mWritten;  // the columns written, row by row from the highest stamp's top
};

}  // namespace fw
