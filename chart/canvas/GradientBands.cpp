#include "chart/canvas/GradientBands.h"

#include <algorithm>
#include <utility>

#include "framework/runtime/Rounding.h"

namespace chart {

using fw::MulDiv;

namespace {

// Colour `index` steps of `steps` along the way from start to start + difference. A single step
// (one band) is the start colour.
class TColorRamp {
public:
  TColorRamp(fw::TColor startRGB, fw::TColor endRGB)
      : mR(fw::GetRValue(startRGB)), mG(fw::GetGValue(startRGB)), mB(fw::GetBValue(startRGB)),
        mDR(fw::GetRValue(endRGB) - mR), mDG(fw::GetGValue(endRGB) - mG), mDB(fw::GetBValue(endRGB) - mB) {}

  fw::TColor At(int32_t index, int32_t steps) const {
    if (steps <= 0) return fw::RGB(mR, mG, mB);
    return fw::RGB(mR + MulDiv(index, mDR, steps), mG + MulDiv(index, mDG, steps), mB + MulDiv(index, mDB, steps));
  }

private:
  int32_t mR, mG, mB, mDR, mDG, mDB;
};

void VerticalBands(const fw::TRect& r, const TColorRamp& ramp, const TGradientBandSink& sink) {
  const int32_t size = r.Height();
  const int32_t n = std::min(size, 256);
  for (int32_t i = 0; i < n; ++i) {
    sink({r.Left, r.Bottom - MulDiv(i + 1, size, n), r.Right, r.Bottom - MulDiv(i, size, n)}, ramp.At(i, n - 1));
  }
}

void HorizontalBands(const fw::TRect& r, const TColorRamp& ramp, const TGradientBandSink& sink) {
  const int32_t size = r.Width();
  const int32_t n = std::min(size, 256);
  for (int32_t i = 0; i < n; ++i) {
    sink({r.Right - MulDiv(i + 1, size, n), r.Top, r.Right - MulDiv(i, size, n), r.Bottom}, ramp.At(i, n - 1));
  }
}

// Rings from the outside inward. The vertical inset a stops at the middle row and the horizontal
// inset b at the middle column; once one stops, the later rings repaint the middle line, so the
// innermost colours form a line (or a point for a square) at the centre.
void FromCenter(const fw::TRect& r, const TColorRamp& ramp, const TGradientBandSink& sink) {
  const int32_t w = r.Width(), h = r.Height();
  const int32_t maxA = (h - 1) / 2, maxB = (w - 1) / 2;
  const int32_t steps = w / 2 + h / 2;
  const int32_t rings = std::max(maxA, maxB) + 1;
  for (int32_t k = 0; k < rings; ++k) {
    const int32_t a = std::min(k, maxA), b = std::min(k, maxB);
    const fw::TColor c = ramp.At(a + b, steps);
    const int32_t left = r.Left + b, right = r.Right - b, top = r.Top + a, bottom = r.Bottom - a;
    sink({left, top, right, top + 1}, c);
    sink({left, bottom - 1, right, bottom}, c);
    sink({left, top, left + 1, bottom}, c);
    sink({right - 1, top, right, bottom}, c);
  }
}

// L-shaped bands anchored at the top-left (fromTop) or bottom-left corner: column k reaches from
// the anchored edge to the boundary row y; each step adds one row of k + 1 pixels and one column.
void FromCorner(const fw::TRect& r, bool fromTop, const TColorRamp& ramp, const TGradientBandSink& sink) {
  const int32_t w = r.Width(), h = r.Height();
  int32_t k = 0, row = 0;
  int32_t y = fromTop ? r.Top : r.Bottom;
  while (row < h || k < w) {
    const fw::TColor c = ramp.At(k + row, w + h);
    const int32_t x = r.Left + k;
    if (k < w) {
      if (fromTop) {
        if (y > r.Top) sink({x, r.Top, x + 1, y}, c);
      } else if (y < r.Bottom) {
        sink({x, y, x + 1, r.Bottom}, c);
      }
    }
    if (row < h) {
      ++row;
      const int32_t span = std::min(k + 1, w);
      if (fromTop) {
        sink({r.Left, y, r.Left + span, y + 1}, c);
        if (y < r.Bottom) ++y;
      } else {
        sink({r.Left, y - 1, r.Left + span, y}, c);
        if (y > r.Top) --y;
      }
    }
    if (k < w) ++k;
  }
}

}  // namespace

void ComputeGradientBands(fw::TRect rect, fw::TColor startColor, fw::TColor endColor, TGradientDirection direction,
                          const TGradientBandSink& sink) {
  if (rect.Left > rect.Right) std::swap(rect.Left, rect.Right);
  if (rect.Top > rect.Bottom) std::swap(rect.Top, rect.Bottom);
  // Widths beyond 32 bits would overflow the band arithmetic; such a rectangle is not drawable.
  if (static_cast<int64_t>(rect.Right) - rect.Left > INT32_MAX ||
      static_cast<int64_t>(rect.Bottom) - rect.Top > INT32_MAX) return;
  if (rect.IsEmpty()) return;
  const TColorRamp ramp(fw::ColorToRGB(startColor), fw::ColorToRGB(endColor));
  switch (direction) {
    case gdTopBottom:
    case gdBottomTop:
      VerticalBands(rect, ramp, sink);
      break;
    case gdLeftRight:
    case gdRightLeft:
      HorizontalBands(rect, ramp, sink);
      break;
    case gdFromCenter:
      FromCenter(rect, ramp, sink);
      break;
    case gdFromTopLeft:
      FromCorner(rect, true, ramp, sink);
      break;
    case gdFromBottomLeft:
      FromCorner(rect, false, ramp, sink);
      break;
  }
}

}  // namespace chart
