#include "chart/series/TBarStamps.h"

#include <algorithm>

namespace chart {

const fw::TPixelStamp* TBarStamps::Stamp(TCanvas3D& canvas, int32_t width, int32_t height, fw::TColor color, bool towardsMinimum,
                                         const TReach& reach, const std::function<void(int32_t, int32_t)>& draw) {
  if (width < 0 || height < 0 || width > MaxSide || height > MaxSide) return nullptr;
  const auto found = std::find_if(mSizes.begin(), mSizes.end(), [&](const TSize& s) {
    return s.Width == width && s.Height == height && s.Colour == color && s.TowardsMinimum == towardsMinimum;
  });
  if (found == mSizes.end()) {
    if (mSizes.size() < MaxSizes) mSizes.push_back({width, height, color, towardsMinimum, false, nullptr});
    return nullptr;
  }
  TSize& size = *found;
  if (size.Measured) return size.Pixels.get();
  size.Measured = true;
  // A pixel of margin past the reach on every side: a drawing that paints there reaches further
  // than said, and is not kept.
  const int64_t w = int64_t{reach.Left} + width + reach.Right + 3, h = int64_t{reach.Top} + height + reach.Bottom + 3;
  if (w > TScratchPaint::MaxSide || h > TScratchPaint::MaxSide || reach.Left < 0 || reach.Top < 0 ||
      reach.Right < 0 || reach.Bottom < 0)
    return nullptr;
  const int32_t iw = static_cast<int32_t>(w), ih = static_cast<int32_t>(h);
  const int32_t x = reach.Left + 1, y = reach.Top + 1;
  if (!mScratch.Paint(canvas, iw, ih, [&] { draw(x, y); })) return nullptr;
  for (int32_t px = 0; px < iw; ++px)
    if (mScratch.Painted(px, 0) || mScratch.Painted(px, ih - 1)) return nullptr;
  for (int32_t py = 0; py < ih; ++py)
    if (mScratch.Painted(0, py) || mScratch.Painted(iw - 1, py)) return nullptr;
  auto pixels = std::make_unique<fw::TPixelStamp>();
  mScratch.ReadStamp(x, y, *pixels);
  if (pixels->Empty()) return nullptr;
  size.Pixels = std::move(pixels);
  return size.Pixels.get();
}

}  // namespace chart
