#include "framework/graphics/TStampColumn.h"

#include <algorithm>
#include <bit>

namespace fw {

void TStampColumn::Put(uint32_t* bits, int64_t stride, int32_t x, std::span<const int32_t> ys, const TPixelStamp& stamp) {
  if (ys.empty() || stamp.Empty()) return;
  const uint32_t* pixels = stamp.Pixels().data();
  const int64_t width = int64_t{stamp.Right()} - stamp.Left(), height = int64_t{stamp.Bottom()} - stamp.Top();
  if (width > MaxWidth) {
    for (const int32_t y : ys)
      for (const TPixelStamp::TRun& run : stamp.Runs())
        std::copy_n(pixels + run.First, run.Length, bits + (int64_t{y} + run.Dy) * stride + (int64_t{x} + run.Dx));
    return;
  }
  const size_t rows = static_cast<size_t>(height);
  mMasks.assign(rows, 0);
  mValues.resize(rows * MaxWidth);
  for (const TPixelStamp::TRun& run : stamp.Runs()) {
    const size_t row = static_cast<size_t>(run.Dy - stamp.Top());
    for (int32_t i = 0; i < run.Length; ++i) {
      const auto column = static_cast<size_t>(run.Dx - stamp.Left() + i);
      mMasks[row] |= uint64_t{1} << column;
      mValues[row * MaxWidth + column] = pixels[run.First + static_cast<size_t>(i)];
    }
  }
  const auto [lowest, highest] = std::minmax_element(ys.begin(), ys.end());
  const int64_t top = *lowest;
  mWritten.assign(static_cast<size_t>(int64_t{*highest} - top) + rows, 0);
  for (size_t k = ys.size(); k-- > 0;) {
    const int64_t y = ys[k];
    uint64_t* written = mWritten.data() + (y - top);
    uint32_t* line = bits + (y + stamp.Top()) * stride + (int64_t{x} + stamp.Left());
    for (size_t row = 0; row < rows; ++row, line += stride) {
      uint64_t fresh = mMasks[row] & ~written[row];
      if (fresh == 0) continue;
      written[row] |= fresh;
      const uint32_t* values = mValues.data() + row * MaxWidth;
      do {
        const int column = std::countr_zero(fresh);
        line[column] = values[column];
        fresh &= fresh - 1;
      } while (fresh != 0);
    }
  }
}

}  // namespace fw
