#include "framework/graphics/TLineRaster.h"

#include <algorithm>
#include <cstdlib>

namespace fw {

namespace {

/// ceil(num / den) for 0 < num and 0 < den: the division in 32 bits when it fits, which costs
/// far less than a 64-bit one; steep lines one pixel wide (den 2) shift.
int64_t CeilSteps(int64_t num, int64_t den) {
  if (den == 2) return (num + 1) >> 1;
  if (num <= INT32_MAX && den <= INT32_MAX)
    return static_cast<int64_t>((static_cast<uint32_t>(num) + static_cast<uint32_t>(den) - 1) / static_cast<uint32_t>(den));
  return (num + den - 1) / den;
}

}  // namespace

void TLineRaster::SetTarget(const TPixelTarget& target) {
  Flush();
  mTarget = target;
  mBands.Reset();
}

void TLineRaster::WriteColumn(int64_t x, int64_t top, int64_t bottom, uint32_t rgb) {
  uint32_t* p = mTarget.Bits + top * mTarget.Stride + x;
  for (int64_t y = top; y < bottom; ++y, p += mTarget.Stride) *p = rgb;
}

void TLineRaster::FlushRuns() {
  TColumnRuns& runs = mRuns;
  runs.Active = false;
  // A row of up to eight columns at a time where neighbouring columns overlap.
  constexpr int32_t Group = 8;
  const uint32_t rgb = runs.Rgb;
  for (int32_t x0 = runs.Left; x0 <= runs.Right; x0 += Group) {
    const int32_t n = std::min(Group, runs.Right + 1 - x0);
    int32_t commonTop = 0, commonBottom = INT32_MAX;
    for (int32_t x = x0; x < x0 + n; ++x) {
      commonTop = std::max(commonTop, runs.Top[static_cast<size_t>(x)]);
      commonBottom = std::min(commonBottom, runs.Bottom[static_cast<size_t>(x)]);
    }
    if (commonTop >= commonBottom) commonTop = commonBottom = 0;  // no row is shared by all
    for (int64_t y = commonTop; y < commonBottom; ++y) {
      uint32_t* row = mTarget.Bits + y * mTarget.Stride + x0;
      if (n == Group) {
        for (int32_t k = 0; k < Group; ++k) row[k] = rgb;
      } else {
        std::fill_n(row, n, rgb);
      }
    }
    for (int32_t x = x0; x < x0 + n; ++x) {
      int32_t& top = runs.Top[static_cast<size_t>(x)];
      int32_t& bottom = runs.Bottom[static_cast<size_t>(x)];
      if (top < bottom) {
        if (commonTop < commonBottom) {
          WriteColumn(x, top, commonTop, rgb);
          WriteColumn(x, commonBottom, bottom, rgb);
        } else {
          WriteColumn(x, top, bottom, rgb);
        }
      }
      top = bottom = 0;
    }
  }
}

namespace {

/// Walks `steps` steps of a line down an index into the image, from the step whose minor
/// coordinate is n with the rest r (as Line keeps them): step(index, inside) for each, inside
/// when n lies in nlo..nhi-1. Stops once n has passed the minor clip in its direction of travel,
/// where no later step can be inside.
template <class Step>
void WalkImage(int64_t steps, int64_t a, int64_t b, int64_t r, int64_t n, int sn, int64_t nlo, int64_t nhi,
               int64_t index, int64_t stepMajor, int64_t stepMinor, const Step& step) {
  for (int64_t k = 0; k < steps; ++k) {
    step(index, n >= nlo && n < nhi);
    index += stepMajor;
    r += 2 * b;
    if (r >= 2 * a) {
      r -= 2 * a;
      n += sn;
      index += stepMinor;
      if ((sn > 0 && n >= nhi) || (sn < 0 && n < nlo)) return;
    }
  }
}

}  // namespace

void TLineRaster::AddColumnRun(int64_t x, int64_t top, int64_t bottom, uint32_t rgb) {
  TColumnRuns& runs = mRuns;
  if (runs.Active && runs.Rgb != rgb) FlushRuns();
  if (!runs.Active) {
    if (runs.Top.size() != static_cast<size_t>(mTarget.Width)) {
      runs.Top.assign(static_cast<size_t>(mTarget.Width), 0);
      runs.Bottom.assign(static_cast<size_t>(mTarget.Width), 0);
    }
    runs.Active = true;
    runs.Rgb = rgb;
    runs.Left = runs.Right = static_cast<int32_t>(x);
  }
  int32_t& t = runs.Top[static_cast<size_t>(x)];
  int32_t& b = runs.Bottom[static_cast<size_t>(x)];
  if (t >= b) {
    t = static_cast<int32_t>(top);
    b = static_cast<int32_t>(bottom);
  } else if (top <= b && bottom >= t) {
    t = std::min(t, static_cast<int32_t>(top));
    b = std::max(b, static_cast<int32_t>(bottom));
  } else {
    // A second, separate run in this column: the first one is written now.
    WriteColumn(x, t, b, rgb);
    t = static_cast<int32_t>(top);
    b = static_cast<int32_t>(bottom);
  }
  runs.Left = std::min(runs.Left, static_cast<int32_t>(x));
  runs.Right = std::max(runs.Right, static_cast<int32_t>(x));
}

void TLineRaster::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const TPixelPen& pen, bool opaqueGaps,
                       uint32_t gapRgb) {
  const int64_t dx = static_cast<int64_t>(x2) - x1, dy = static_cast<int64_t>(y2) - y1;
  if (dx == 0 && dy == 0) return;
  const QRect& box = mTarget.Box;
  if (box.isEmpty() || mTarget.Bits == nullptr) return;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int64_t a = xMajor ? std::abs(dx) : std::abs(dy);  // steps
  const int64_t b = xMajor ? std::abs(dy) : std::abs(dx);
  const int64_t m1 = xMajor ? x1 : y1, n1 = xMajor ? y1 : x1;
  const int sm = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int sn = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  const int64_t lo = xMajor ? box.left() : box.top(), hi = (xMajor ? box.right() : box.bottom()) + 1;
  const int64_t nlo = xMajor ? box.top() : box.left(), nhi = (xMajor ? box.bottom() : box.right()) + 1;
  int64_t iLo = sm > 0 ? lo - m1 : m1 - hi + 1;
  int64_t iHi = sm > 0 ? hi - m1 : m1 - lo + 1;
  iLo = std::max<int64_t>(iLo, 0);
  iHi = std::min<int64_t>(iHi, a);
  if (iLo >= iHi) return;
  // Minor offset at step i: floor((2 i b + a) / 2a), kept incrementally as quotient and rest.
  int64_t q = 0, r = a;
  if (iLo > 0) {
    const __int128 num = static_cast<__int128>(2) * iLo * b + a;
    q = static_cast<int64_t>(num / (2 * a));
    r = static_cast<int64_t>(num % (2 * a));
  }
  const bool boxClip = ClipRegion() == nullptr;
  const int period = pen.Period;
  if (period == 0 && pen.Mode == pmCopy) {
    SolidCopyRuns(xMajor, m1, n1, sm, sn, a, b, iLo, iHi, q, r, nlo, nhi, pen.Rgb);
    return;
  }
  Flush();  // the pixels below may be read or overwritten in another colour
  opaqueGaps = opaqueGaps && period != 0;
  const uint32_t rgb = pen.Rgb;
  const TPenMode mode = pen.Mode;
  uint32_t* const bits = mTarget.Bits;
  int phase = period != 0 ? static_cast<int>(iLo % period) : 0;
  if (boxClip && mode == pmCopy) {
    // Patterned copy lines (grids): step an index into the image, as the solid runs do.
    int64_t n = n1 + sn * q;
    const auto [start, stepM, stepN] = ImageStep(xMajor, m1 + sm * iLo, n, sm, sn);
    int64_t index = start;
    if (b == 0) {
      // Along a row or a column: one clip test for the whole line, then one pass per place in
      // the pattern (each pixel is written once, so the order does not matter).
      if (n < nlo || n >= nhi) return;
      uint32_t* const first = bits + index;
      for (int64_t place = 0; place < period; ++place) {
        const bool on = pen.Mask[static_cast<size_t>((phase + place) % period)] != 0;
        if (!on && !opaqueGaps) continue;
        const uint32_t colour = on ? rgb : gapRgb;
        const int64_t step = stepM * period;
        uint32_t* p = first + place * stepM;
        for (int64_t i = iLo + place; i < iHi; i += period, p += step) *p = colour;
      }
      return;
    }
    WalkImage(iHi - iLo, a, b, r, n, sn, nlo, nhi, index, stepM, stepN, [&](int64_t at, bool inside) {
      if (inside) {
        if (pen.Mask[static_cast<size_t>(phase)])
          bits[at] = rgb;
        else if (opaqueGaps)
          bits[at] = gapRgb;
      }
      if (++phase == period) phase = 0;
    });
    return;
  }
  for (int64_t i = iLo; i < iHi; ++i) {
    const int64_t m = m1 + sm * i, n = n1 + sn * q;
    if (n >= nlo && n < nhi) {
      const int x = static_cast<int>(xMajor ? m : n), y = static_cast<int>(xMajor ? n : m);
      if (boxClip || mTarget.Allows(x, y)) {
        if (period == 0 || pen.Mask[static_cast<size_t>(phase)])
          mTarget.Plot(x, y, rgb, mode);
        else if (opaqueGaps)
          mTarget.Plot(x, y, gapRgb, mode);
      }
    }
    if (period != 0 && ++phase == period) phase = 0;
    r += 2 * b;
    if (r >= 2 * a) {
      r -= 2 * a;
      ++q;
    }
  }
}

void TLineRaster::SolidCopyRuns(bool xMajor, int64_t m1, int64_t n1, int sm, int sn, int64_t a, int64_t b,
                                int64_t iLo, int64_t iHi, int64_t q, int64_t r, int64_t nlo, int64_t nhi,
                                uint32_t rgb) {
  const int64_t rowStride = mTarget.Stride;
  int64_t n = n1 + sn * q;
  if (2 * b >= a && ClipRegion() == nullptr) {
    // Runs of one or two steps (slopes from 1/2 to 1): pixel by pixel, stepping an index into
    // the image. Held-back column runs of this colour may stay: the pixels are the same.
    if (mRuns.Active && mRuns.Rgb != rgb) Flush();
    const auto [start, stepM, stepN] = ImageStep(xMajor, m1 + sm * iLo, n, sm, sn);
    uint32_t* const bits = mTarget.Bits;
    WalkImage(iHi - iLo, a, b, r, n, sn, nlo, nhi, start, stepM, stepN, [bits, rgb](int64_t at, bool inside) {
      if (inside) bits[at] = rgb;
    });
    return;
  }
  // Once a run has ended, r < 2b, and the next run's length is K or K − 1 for K = ceil(a / b):
  // one comparison instead of a division a run.
  const int64_t longRun = b == 0 ? 0 : CeilSteps(a, b);
  int64_t i = iLo;
  while (i < iHi) {
    // Steps until the minor coordinate moves: the least k >= 1 with r + 2bk >= 2a (r < 2a).
    const int64_t k = b == 0       ? iHi - i
                      : r < 2 * b ? (r + 2 * b * (longRun - 1) >= 2 * a ? longRun - 1 : longRun)
                                  : CeilSteps(2 * a - r, 2 * b);
    const int64_t end = std::min(i + k, iHi);
    if (n >= nlo && n < nhi) {
      const int64_t mFirst = m1 + sm * i, mLast = m1 + sm * (end - 1);
      const int64_t mLo = std::min(mFirst, mLast), count = end - i;
      if (ClipRegion() != nullptr) {
        RegionRun(xMajor, n, mLo, mLo + count, rgb);
      } else if (xMajor) {
        if (mRuns.Rgb != rgb) Flush();  // same colour: the order does not matter
        std::fill_n(mTarget.Bits + n * rowStride + mLo, count, rgb);
      } else {
        AddColumnRun(n, mLo, mLo + count, rgb);
      }
    }
    if (end == i + k) {
      r += 2 * b * k - 2 * a;
      n += sn;
      // Past the minor clip in the direction of travel: nothing further can be drawn.
      if ((sn > 0 && n >= nhi) || (sn < 0 && n < nlo)) return;
    }
    i = end;
  }
}

void TLineRaster::RegionRun(bool alongRow, int64_t n, int64_t from, int64_t to, uint32_t rgb) {
  const std::vector<QRect>& rects = *mTarget.Region;
  size_t first = 0, last = 0;
  if (alongRow) {
    // Row n: the run's parts inside the rectangles of the row's band.
    mBands.Find(mTarget, n, first, last);
    if (first == last) return;
    if (mRuns.Active && mRuns.Rgb != rgb) Flush();
    mTarget.FillRowInBand(n, from, to, rgb, first, last);
    return;
  }
  // Column n: band by band down the run, the rows of each band whose rectangles hold column n.
  int64_t y = from;
  while (y < to) {
    mBands.Find(mTarget, y, first, last);
    if (first == rects.size()) return;  // below the last band
    const int64_t bandTop = rects[first].top(), bandEnd = static_cast<int64_t>(rects[first].bottom()) + 1;
    if (bandTop > y) {
      y = bandTop;  // rows between bands lie outside the region
      continue;
    }
    const int64_t stop = std::min(to, bandEnd);
    for (size_t k = first; k < last; ++k) {
      if (rects[k].left() <= n && n <= rects[k].right()) {
        AddColumnRun(n, y, stop, rgb);
        break;
      }
    }
    y = stop;
  }
}

}  // namespace fw
