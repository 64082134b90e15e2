#include "framework/graphics/TStampColumn.h"

#include <algorithm>
#include <bit>

namespace fw {

namespace {

/// The pixels of `values` at the columns set in `columns` copied to the same columns of `line`,
/// run by run.
void CopyColumns(const uint32_t* values, uint64_t columns, uint32_t* line) {
  while (columns != 0) {
    const int start = std::countr_zero(columns);
    const int length = std::countr_one(columns >> start);
    std::copy_n(values + start, length, line + start);
    columns = length == 64 ? 0 : columns & ~(((uint64_t{1} << length) - 1) << start);
  }
}

}  // namespace

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
      CopyColumns(values + row * TPixelStamp::MaskWidth, fresh, line);
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
    CopyColumns(values + static_cast<size_t>(mRowOf[t]) * TPixelStamp::MaskWidth, mask, line);
  }
}

}  // namespace fw
