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
  if (std::all_of(masks.begin(), masks.end(), [&](uint64_t mask) { return mask == masks.front(); })) {
    PutRows(bits, stride, x, ys, stamp, top, static_cast<size_t>(int64_t{*highest} - top) + rows);
    return;
  }
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

void TStampColumn::PutRows(uint32_t* bits, int64_t stride, int32_t x, std::span<const int32_t> ys,
                           const TPixelStamp& stamp, int64_t top, size_t span) {
  // Every row of the stamp covers the same columns, so a row of the column is wholly the row of
  // the last stamp reaching it: which row of the stamp that is, is found first (the stamps
  // walked from the last back), then each row of the column is written once.
  const int64_t rows = static_cast<int64_t>(stamp.RowMasks().size());
  mRowOf.assign(span, -1);
  // Every row of the stretch lo..hi is found: a stamp within it adds nothing, one reaching past
  // it only its rows beyond. A stamp apart from it starts a stretch of its own.
  int64_t lo = 0, hi = -1;
  for (size_t k = ys.size(); k-- > 0;) {
    const int64_t first = ys[k] - top, last = first + rows - 1;
    const auto fill = [&](int64_t from, int64_t to) {
      for (int64_t t = from; t <= to; ++t)
        if (mRowOf[static_cast<size_t>(t)] < 0) mRowOf[static_cast<size_t>(t)] = static_cast<int32_t>(t - first);
    };
    if (lo <= hi && first <= hi + 1 && last >= lo - 1) {
      fill(first, lo - 1);
      fill(hi + 1, last);
      lo = std::min(lo, first);
      hi = std::max(hi, last);
      continue;
    }
    fill(first, last);
    lo = first;
    hi = last;
  }
  const uint32_t* values = stamp.RowPixels().data();
  const uint64_t mask = stamp.RowMasks().front();
  uint32_t* line = bits + (top + stamp.Top()) * stride + (int64_t{x} + stamp.Left());
  for (size_t t = 0; t < span; ++t, line += stride) {
    if (mRowOf[t] < 0) continue;
    const uint32_t* rowValues = values + static_cast<size_t>(mRowOf[t]) * TPixelStamp::MaskWidth;
    for (uint64_t fresh = mask; fresh != 0;) {  // run by run
      const int start = std::countr_zero(fresh);
      const int length = std::countr_one(fresh >> start);
      std::copy_n(rowValues + start, length, line + start);
      fresh = length == 64 ? 0 : fresh & ~(((uint64_t{1} << length) - 1) << start);
    }
  }
}

}  // namespace fw
