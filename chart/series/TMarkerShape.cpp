#include "chart/series/TMarkerShape.h"

#include <algorithm>

#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/series/TSeriesPointer.h"

namespace chart {

bool TMarkerShape::Measure(TCanvas3D& canvas, const TSeriesPointer& pointer, bool view3D, int32_t z0, int32_t z1,
                           fw::TColor color) {
  mMeasured = false;
  mStamps.clear();
  int64_t dx0, dy0, dx1, dy1, dxm, dym;
  const int32_t zm = static_cast<int32_t>((int64_t{z0} + z1) / 2);
  if (!canvas.ShiftsAtDepth(z0, dx0, dy0) || !canvas.ShiftsAtDepth(z1, dx1, dy1) || !canvas.ShiftsAtDepth(zm, dxm, dym))
    return false;
  // The marker's corners lie within its box moved by the shifts of its depths; the pen may reach
  // past them, and a painted pixel on the scratch image's edge refuses the measure.
  const int64_t margin = 4 + std::clamp<int64_t>(pointer.Pen().Width(), 0, 64);
  const int64_t h = pointer.HorizSize(), v = pointer.VertSize();
  const int64_t left = -h + std::min({dx0, dx1, dxm}), right = h + std::max({dx0, dx1, dxm});
  const int64_t top = -v + std::min({dy0, dy1, dym}), bottom = v + std::max({dy0, dy1, dym});
  const int64_t width = right - left + 1 + 2 * margin, height = bottom - top + 1 + 2 * margin;
  if (width > MaxExtent || height > MaxExtent) return false;
  const int32_t w = static_cast<int32_t>(width), ht = static_cast<int32_t>(height);
  // Drawn at (x, y), the marker's box moved by the shifts starts `margin` pixels in.
  const int32_t x = static_cast<int32_t>(margin - left), y = static_cast<int32_t>(margin - top);

  if (!mScratch.Paint(canvas, w, ht, [&] { pointer.Draw(canvas, view3D, x, y, z0, z1, color); })) return false;
  const auto painted = [&](int32_t px, int32_t py) { return mScratch.Painted(px, py); };
  bool any = false;
  mCovers = true;
  for (int32_t px = 0; px < w; ++px) {
    int32_t first = -1, last = -1;
    for (int32_t py = 0; py < ht; ++py) {
      if (!painted(px, py)) continue;
      if (px == 0 || py == 0 || px == w - 1 || py == ht - 1) return false;
      if (last >= 0 && last != py - 1) mCovers = false;  // a second run of rows
      if (first < 0) first = py;
      last = py;
    }
    if (first < 0) continue;
    const int64_t rows = int64_t{last} - first + 1;
    if (!any || rows < mRows) {
      mRows = rows;
      mAbove = int64_t{first} - y;
    }
    mTop = any ? std::min(mTop, int64_t{first} - y) : int64_t{first} - y;
    mBottom = any ? std::max(mBottom, int64_t{last} - y) : int64_t{last} - y;
    any = true;
  }
  mMeasured = any;
  // The scratch images hold the marker in `color`: its stamp is at hand.
  if (any) {
    auto pixels = std::make_unique<fw::TPixelStamp>();
    mScratch.ReadStamp(x, y, *pixels);
    mStamps.push_back({color, std::move(pixels)});
  }
  mView3D = view3D;
  mX = x;
  mY = y;
  mWidth = w;
  mHeight = ht;
  mZ0 = z0;
  mZ1 = z1;
  return any;
}

const fw::TPixelStamp* TMarkerShape::Stamp(TCanvas3D& canvas, const TSeriesPointer& pointer, fw::TColor color) {
  if (!mMeasured) return nullptr;
  for (const TColourStamp& s : mStamps)
    if (s.Colour == color) return s.Pixels.get();
  if (mStamps.size() >= MaxStamps) return nullptr;
  auto pixels = std::make_unique<fw::TPixelStamp>();
  if (!mScratch.Paint(canvas, mWidth, mHeight, [&] { pointer.Draw(canvas, mView3D, mX, mY, mZ0, mZ1, color); }))
    return nullptr;
  mScratch.ReadStamp(mX, mY, *pixels);
  mStamps.push_back({color, std::move(pixels)});
  return mStamps.back().Pixels.get();
}

}  // namespace chart
