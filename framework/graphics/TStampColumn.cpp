#include "framework/graphics/TStampColumn.h"

#include <algorithm>
#include <bit>

namespace fw {

void TStampColumn::Put(uint32_t* bits, int64_t stride, int32_t x, std::span<const int32_t> ys, const TPixelStamp& stamp) {
  if (ys.empty() || stamp.Empty()) return;
  if (ys.size() == 1 || stamp.RowMasks().empty()) {
    const uint32_t* pixels = stamp.Pixels().data();
    for (const int32_t y : ys)
      for (const TPixelStamp::TRun& run : stamp.Runs())
        std::copy_n(pixels + run.First, run.Length, bits + (int64_t{y} + run.Dy) * stride + (int64_t{x} + run.Dx));
    return;
  }
  const std::vector<uint64_t>& masks = stamp.RowMasks();
  const uint32_t* values = stamp.RowPixels().data();
  const size_t rows = masks.size();
  const auto [lowest, highest] = std::minmax_element(ys.begin(), ys.end());
  const int64_t top = *lowest;
  mWritten.assign(static_cast<size_t>(int64_t{*highest} - top) + rows, 0);
  for (size_t k = ys.size(); k-- > 0;) {
    const int64_t y = ys[k];
    uint64_t* written = mWritten.data() + (y - top);
    uint32_t* line = bits + (y + stamp.Top()) * stride + (int64_t{x} + stamp.Left());
    for (size_t row = 0; row < rows; ++row, line += stride) {
      uint64_t fresh = masks[row] & ~written[row];
      if (fresh == 0) continue;
      written[row] |= fresh;
      const uint32_t* rowValues = values + row * TPixelStamp::MaskWidth;
      do {  // run by run
        const int start = std::countr_zero(fresh);
        const int length = std::countr_one(fresh >> start);
        std::copy_n(rowValues + start, length, line + start);
        fresh = length == 64 ? 0 : fresh & ~(((uint64_t{1} << length) - 1) << start);
      } while (fresh != 0);
    }
  }
}

}  // namespace fw
