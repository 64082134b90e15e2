// The passes that leave out what later bars paint over: flat bars by the parts that show, thin
// bars by the two reaching furthest on each pixel, 3D bars by those no later bar contains.
#include "chart/series/TCustomBarSeries.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "chart/axes/TAxisScale.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/ColumnWalk.h"
#include "chart/data/TChartValueList.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/TBarStamps.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TSurface.h"

namespace chart {

bool TCustomBarSeries::CanSkipCoveredBars(TCanvas3D& canvas) const {
  // Flat opaque rectangles whose outline lies inside their bounds, each containing the origin.
  if (!mSkipCoveredBars || ParentChart()->ChartView3D() || ParentChart()->ChartPrintingActive()) return false;
  if (mBarStyle != bsRectangle && mBarStyle != bsCylinder) return false;
  if (mMultiBar != mbNone && mMultiBar != mbSide) return false;
  if (mBarBrush->Style() != fw::bsSolid || mBarBrush->HasBrushBitmap()) return false;
  const fw::TPen& pen = canvas.Pen();
  return pen.Style() == fw::psClear || (pen.Style() == fw::psSolid && pen.Width() <= 1 && !mBarPen->SmallDots());
}

std::pair<int32_t, int32_t> TCustomBarSeries::Across(const fw::TRect& r) const {
  return mHorizontal ? std::pair{r.Top, r.Bottom} : std::pair{r.Left, r.Right};
}

std::pair<int32_t, int32_t> TCustomBarSeries::Along(const fw::TRect& r) const {
  return mHorizontal ? std::pair{r.Left, r.Right} : std::pair{r.Top, r.Bottom};
}

template <class DrawRun>
void TCustomBarSeries::ForEachRun(int32_t from, int32_t to, const DrawRun& drawRun) {
  // Every bar of these passes reaches from the origin to its own value (no stacking), so the
  // bars are placed a block at a time: the values mapped together, the slot worked out once.
  std::vector<TRunBar>& run = mRunBuffer;
  run.clear();
  const double origin = Origin();
  if (!std::isfinite(origin)) return;  // no bar has a start
  const int32_t originPixel = ValuePixel(origin);
  const TAcross across = AcrossOfSlot();
  const TAxisScale* categoryScale = mHorizontal ? VertScale() : HorizScale();
  const TAxisScale* valueScale = mHorizontal ? HorizScale() : VertScale();
  const fw::TColor own = mBarBrush->Color();
  const bool nulls = MayHaveNullPoints();
  constexpr int32_t Block = 256;
  mPassCategories.resize(Block);
  mPassValues.resize(Block);
  mPassCategoryPixels.assign(Block, 0);
  mPassValuePixels.assign(Block, 0);
  for (int32_t begin = from; begin <= to;) {
    const auto n = static_cast<size_t>(std::min<int64_t>(Block, int64_t{to} - begin + 1));
    for (size_t k = 0; k < n; ++k) {
      mPassCategories[k] = CategoryValue(begin + static_cast<int32_t>(k));
      mPassValues[k] = BarValue(begin + static_cast<int32_t>(k));
    }
    if (categoryScale) categoryScale->ValuesToPixels({mPassCategories.data(), n}, mPassCategoryPixels);
    if (valueScale) valueScale->ValuesToPixels({mPassValues.data(), n}, mPassValuePixels);
    for (size_t k = 0; k < n; ++k) {
      const int32_t i = begin + static_cast<int32_t>(k);
      const double value = mPassValues[k];
      if (GapOf(i, value, mPassCategories[k], nulls)) continue;
      int32_t a0, a1;
      across.Place(mPassCategoryPixels[k], a0, a1);
      const fw::TRect rect = RectOf(a0, a1, originPixel, mPassValuePixels[k]);
      if (!run.empty() && Across(run.back().Rect) != Across(rect)) {
        drawRun(run);
        run.clear();
      }
      run.push_back({rect, own != fw::clDefault ? own : ColorOfPoint(i), 0, 0, value < origin, false});
    }
    begin += static_cast<int32_t>(n);
  }
  if (!run.empty()) drawRun(run);
  run.clear();
}

bool TCustomBarSeries::CategoryColumnsApply(int32_t from, int32_t to) const {
  const TChartValueList& categories = mHorizontal ? YValues() : XValues();
  const TChartValueList& values = mHorizontal ? XValues() : YValues();
  const TAxisScale* categoryScale = mHorizontal ? VertScale() : HorizScale();
  const TAxisScale* valueScale = mHorizontal ? HorizScale() : VertScale();
  if (!categoryScale || !valueScale || from > to || !categories.AscendsAsRead()) return false;
  // Ascending categories, NaN last: all are numbers when the last one maps monotonically.
  if (!categoryScale->MapsMonotonically(CategoryValue(from)) || !categoryScale->MapsMonotonically(CategoryValue(to)))
    return false;
  if (!valueScale->MapsMonotonically(Origin()) || !valueScale->MapsMonotonically(values.MinimumValue()) ||
      !valueScale->MapsMonotonically(values.MaximumValue()))
    return false;
  const auto columnOf = [this](int32_t k) { return CategoryPixel(CategoryValue(k)); };
  const int64_t columns = std::abs(int64_t{columnOf(to)} - columnOf(from)) + 1;
  return int64_t{to} - from + 1 >= 4 * columns;
}

template <class DrawRun>
bool TCustomBarSeries::ForEachRecordRun(int32_t from, int32_t to, const DrawRun& drawRun) {
  // Every bar reaches from the origin to its value, so each holds the origin. A bar whose value
  // lies between the lowest and highest value of the later bars of its run (origin included) is
  // held, pixel for pixel, in the later bar reaching furthest on its side: the map is monotone
  // between values that map monotonically. The passes draw nothing of such a bar. Splitting the
  // runs of equal extent across by category pixel only shortens them: each run is drawn as if
  // all its bars were.
  if (!CategoryColumnsApply(from, to)) return false;
  const TChartValueList& values = mHorizontal ? XValues() : YValues();
  const TAxisScale* valueScale = mHorizontal ? HorizScale() : VertScale();
  const double origin = Origin();
  const auto columnOf = [this](int32_t k) { return CategoryPixel(CategoryValue(k)); };

  const int32_t originPixel = ValuePixel(origin);
  const TAcross across = AcrossOfSlot();
  const fw::TColor own = mBarBrush->Color();
  const bool nulls = MayHaveNullPoints();
  const double multiplier = values.Multiplier();
  std::vector<TRunBar>& run = mRunBuffer;
  std::vector<int32_t>& records = mRecordBuffer;
  int32_t length = 1;
  bool byPixels = false;  // see below
  for (int32_t i = from; i <= to;) {
    const int32_t column = columnOf(i);
    const int32_t j = ColumnEnd(i, to, column, length, columnOf);
    length = j - i + 1;
    // From the last bar back: the bars reaching past every later one, with the values read
    // as BarValue reads them.
    records.clear();
    mPassValues.clear();
    mPassValuePixels.clear();
    int32_t top = originPixel, bottom = originPixel;  // the pixels the bars so far reach
    // A column of many bars a pixel: the pixels of the later bars stand for every value mapping
    // onto them, and the values within those are passed over unmapped (a bar reaching from the
    // origin's pixel to one between theirs is held in the later bar reaching furthest on its
    // side, as one whose value lies between theirs is). A bar reaching past them is mapped on
    // its own, and kept.
    const auto walkPixels = [&] {
      double low = valueScale->FurthestWithin(top, bottom, origin, false);
      double high = valueScale->FurthestWithin(top, bottom, origin, true);
      for (int32_t k = j + 1; (k = values.LastOutside(i, k, low, high)) >= i;) {
        const double v = values.ValueAt(k);
        if (GapOf(k, v, 0.0, nulls)) continue;
        const int32_t pixel = ValuePixel(v);
        const bool upward = v > high;
        double& reach = upward ? high : low;
        if (pixel >= top && pixel <= bottom) {
          reach = v;
          continue;
        }
        records.push_back(k);
        mPassValues.push_back(v);
        mPassValuePixels.push_back(pixel);
        top = std::min(top, pixel);
        bottom = std::max(bottom, pixel);
        reach = valueScale->FurthestWithin(top, bottom, v, upward);
      }
    };
    // Otherwise the bars reaching past the values of the later ones, mapped together. The values
    // read straight from the store where they lie in one run, with the walk's own loop.
    const double* raw = j < values.ValueCount() ? values.RawRun(i, j + 1) : nullptr;
    double low = std::numeric_limits<double>::infinity(), high = -low;
    const auto walk = [&](auto&& valueAt) {
      for (int32_t k = j; k >= i; --k) {
        const double v = valueAt(k);
        if (GapOf(k, v, 0.0, nulls)) continue;
        const double lo = std::min(origin, v), hi = std::max(origin, v);
        if (lo < low || hi > high) {
          records.push_back(k);
          mPassValues.push_back(v);
          low = std::min(low, lo);
          high = std::max(high, hi);
        }
      }
      // The drawn bars' values mapped together (a smooth stretch may draw every bar).
      mPassValuePixels.resize(mPassValues.size());
      valueScale->ValuesToPixels(mPassValues, mPassValuePixels);
      for (const int32_t pixel : mPassValuePixels) {
        top = std::min(top, pixel);
        bottom = std::max(bottom, pixel);
      }
    };
    if (byPixels && raw)
      walkPixels();
    else if (raw)
      walk([&](int32_t k) { return raw[k - i] * multiplier; });
    else
      walk([&](int32_t k) { return BarValue(k); });
    // The next column is walked by pixels when this one has many bars a pixel.
    byPixels = int64_t{j} - i + 1 >= BarPixelsFromDensity * (int64_t{bottom} - top + 1);
    if (!records.empty()) {
      int32_t a0, a1;
      across.Place(column, a0, a1);
      run.clear();
      for (size_t r = records.size(); r-- > 0;) {
        // A bar whose value maps to the pixel of the next later one drawn is that bar's very
        // rectangle: it holds all of it.
        if (r > 0 && mPassValuePixels[r] == mPassValuePixels[r - 1]) continue;
        const int32_t k = records[r];
        const double value = mPassValues[r];
        run.push_back({RectOf(a0, a1, originPixel, mPassValuePixels[r]), own != fw::clDefault ? own : ColorOfPoint(k),
                       0, 0, value < origin, false});
      }
      drawRun(run);
    }
    i = j + 1;
  }
  run.clear();
  return true;
}

void TCustomBarSeries::DrawUncoveredParts(TCanvas3D& canvas, int32_t from, int32_t to) {
  // The bars of one run (neighbours with the same extent across, in drawing order) all contain
  // the origin's pixel, so what the later bars of the run cover of an earlier one is one band
  // along the value axis. Only the parts outside that band can show: each is drawn as a
  // rectangle reaching one pixel into the band, where its own edge is painted over later.
  const auto drawRun = [&](std::vector<TRunBar>& run) {
    int32_t low = INT32_MAX, high = INT32_MIN;
    for (size_t k = run.size(); k-- > 0;) {
      run[k].CoverLow = low;
      run[k].CoverHigh = high;
      const auto [a, b] = Along(run[k].Rect);
      low = std::min(low, a);
      high = std::max(high, b);
    }
    for (const TRunBar& bar : run) {
      canvas.Brush().SetColor(bar.Color);
      const auto [a, b] = Along(bar.Rect);
      auto draw = [&](int32_t lo, int32_t hi) {
        fw::TRect piece = bar.Rect;
        if (mHorizontal) {
          piece.Left = lo;
          piece.Right = hi;
        } else {
          piece.Top = lo;
          piece.Bottom = hi;
        }
        canvas.DrawRectangle(piece.Left, piece.Top, piece.Right, piece.Bottom);
      };
      if (bar.CoverLow > bar.CoverHigh) {
        draw(a, b);  // the last bar of the run
        continue;
      }
      if (a < bar.CoverLow) draw(a, bar.CoverLow + 1);
      if (b > bar.CoverHigh) draw(bar.CoverHigh - 1, b);
    }
  };
  if (!DrawThinBarColumns(canvas, from, to) && !ForEachRecordRun(from, to, drawRun)) ForEachRun(from, to, drawRun);
}

bool TCustomBarSeries::DrawThinBarColumns(TCanvas3D& canvas, int32_t from, int32_t to) {
  // A bar at most two pixels across, outlined by a solid one-pixel pen, is all outline: every
  // pixel it paints takes the pen's colour. The bars of one category pixel all hold the origin,
  // so together they paint the pixels of the two reaching furthest either way, in any order:
  // only those are drawn (one when all lie on one side), found from the extremes of the
  // column's values.
  const fw::TPen& pen = canvas.Pen();
  if (pen.Style() != fw::psSolid || pen.Width() > 1 || pen.Mode() != fw::pmCopy || mBarPen->SmallDots()) return false;
  const TAcross across = AcrossOfSlot();
  if (!(across.Width <= 1.0) || MayHaveNullPoints()) return false;
  const TChartValueList& values = mHorizontal ? XValues() : YValues();
  if (to >= values.ValueCount() || !CategoryColumnsApply(from, to)) return false;
  const double origin = Origin();
  const auto columnOf = [this](int32_t k) { return CategoryPixel(CategoryValue(k)); };

  const int32_t originPixel = ValuePixel(origin);
  const fw::TColor own = mBarBrush->Color();
  const double multiplier = values.Multiplier();
  int32_t length = 1;
  for (int32_t i = from; i <= to;) {
    const int32_t column = columnOf(i);
    const int32_t j = ColumnEnd(i, to, column, length, columnOf);
    length = j - i + 1;
    i = j + 1;
    double lo, hi;
    bool nan;  // a NaN value is a gap; the list's extremes are finite, so every other is a bar
    values.RawExtremes(j + 1 - length, j + 1, lo, hi, nan);
    if (!(lo <= hi)) continue;
    int32_t a0, a1;
    across.Place(column, a0, a1);
    // Not reached (a width of one pixel places at most two); the bars drawn so far would be
    // drawn again in full, over every pixel painted here.
    if (a1 - a0 > 2) return false;
    canvas.Brush().SetColor(own != fw::clDefault ? own : ColorOfPoint(j));
    const double least = std::min(lo * multiplier, hi * multiplier), most = std::max(lo * multiplier, hi * multiplier);
    const auto draw = [&](double v) {
      const fw::TRect bar = RectOf(a0, a1, originPixel, ValuePixel(v));
      canvas.DrawRectangle(bar.Left, bar.Top, bar.Right, bar.Bottom);
    };
    // On one side of the origin, the bar reaching furthest holds the other.
    if (least < origin) draw(least);
    if (most > origin || !(least < origin)) draw(most);
  }
  return true;
}

bool TCustomBarSeries::CanSkipContainedBars(TCanvas3D& canvas) const {
  if (!mSkipCoveredBars || !ParentChart()->ChartView3D() || !canvas.IsOrthogonal() || ParentChart()->ChartPrintingActive())
    return false;
  if (mBarStyle != bsRectangle || (mMultiBar != mbNone && mMultiBar != mbSide)) return false;
  if (mBarBrush->Style() != fw::bsSolid || mBarBrush->HasBrushBitmap()) return false;
  const fw::TPen& pen = canvas.Pen();
  if (pen.Mode() != fw::pmCopy) return false;
  return pen.Style() == fw::psClear || (pen.Style() == fw::psSolid && pen.Width() <= 1 && !mBarPen->SmallDots());
}

void TCustomBarSeries::DrawUncontainedBars(TCanvas3D& canvas, int32_t from, int32_t to) {
  // At 100 % zoom a pixel along the bar is a pixel on the screen, so a cut one pixel inside a
  // face stays inside it.
  const auto* chartCanvas = dynamic_cast<const TChartCanvas3D*>(&canvas);
  const bool pieces = chartCanvas && chartCanvas->ZoomFactor() == 1.0;
  // Dense passes in a view that moves every depth by whole pixels: a bar paints the pixels of
  // one of its size at any other place, moved, so the sizes that come again are put down as
  // their pixels. The pen is one pixel wide at most.
  fw::TSurface* surface = canvas.Surface();
  int64_t dx0 = 0, dy0 = 0, dx1 = 0, dy1 = 0;
  const bool stamps = int64_t{to} - from + 1 >= StampsFromCount && surface->DrawsOnImage() &&
                      surface->DevicePixelRatio() == 1.0 && canvas.ShiftsAtDepth(DepthStart(), dx0, dy0) &&
                      canvas.ShiftsAtDepth(DepthEnd(), dx1, dy1);
  TBarStamps::TReach reach;
  // The bar a stamp is measured from, drawn at (x, y): one function for the pass, so that no bar
  // builds one of its own.
  int32_t stampWidth = 0, stampHeight = 0;
  const TRunBar* stamped = nullptr;
  const std::function<void(int32_t, int32_t)> drawStamped = [&](int32_t x, int32_t y) {
    DrawShape(canvas, fw::TRect{x, y, x + stampWidth, y + stampHeight}, stamped->TowardsMinimum, stamped->Color);
  };
  if (stamps) {
    if (!mBarStamps) mBarStamps = std::make_unique<TBarStamps>();
    mBarStamps->Clear();
    const auto limit = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, TScratchPaint::MaxSide)); };
    reach = {limit(2 - std::min(dx0, dx1)), limit(2 - std::min(dy0, dy1)), limit(2 + std::max(dx0, dx1)),
             limit(2 + std::max(dy0, dy1))};
  }
  const auto drawRun = [&](std::vector<TRunBar>& run) {
    // The later bars reaching furthest either way along: a bar that one of them contains is
    // left out.
    const size_t none = run.size();
    size_t lowest = none, highest = none;
    const auto contains = [&](size_t j, const fw::TRect& bar) {
      return j != none && Along(run[j].Rect).first <= Along(bar).first && Along(run[j].Rect).second >= Along(bar).second;
    };
    for (size_t k = run.size(); k-- > 0;) {
      TRunBar& bar = run[k];
      bar.Hidden = contains(lowest, bar.Rect) || contains(highest, bar.Rect);
      // The later bar that contains every later bar, when there is one: a bar reaching past
      // only one of its ends is drawn from there on only (see below).
      bar.CoverLow = bar.CoverHigh = 0;
      const size_t all = highest != none && contains(lowest, run[highest].Rect) ? lowest : none;
      if (!bar.Hidden && all != none &&
          (Along(bar.Rect).first < Along(run[all].Rect).first || Along(bar.Rect).second > Along(run[all].Rect).second)) {
        bar.CoverLow = Along(run[all].Rect).first;
        bar.CoverHigh = Along(run[all].Rect).second;
      }
      // Of bars reaching as far one way, the one reaching further the other way: all bars of a
      // run on one side of the origin end there, and the longest contains the others.
      const auto [first, second] = Along(bar.Rect);
      if (lowest == none || first < Along(run[lowest].Rect).first ||
          (first == Along(run[lowest].Rect).first && second > Along(run[lowest].Rect).second))
        lowest = k;
      if (highest == none || second > Along(run[highest].Rect).second ||
          (second == Along(run[highest].Rect).second && first < Along(run[highest].Rect).first))
        highest = k;
    }
    for (const TRunBar& bar : run) {
      if (bar.Hidden) continue;
      canvas.Brush().SetColor(bar.Color);
      fw::TRect drawn = bar.Rect;
      if (pieces && bar.CoverLow < bar.CoverHigh && Along(bar.Rect).second <= bar.CoverHigh) {
        // Only the part up to one pixel into the containing bar shows: that bar paints the
        // rest, and the cut edges of the part lie one pixel inside its faces.
        (mHorizontal ? drawn.Right : drawn.Bottom) = bar.CoverLow + 1;
      } else if (pieces && bar.CoverLow < bar.CoverHigh && Along(bar.Rect).first >= bar.CoverLow) {
        // The same past its high end: from one pixel inside the containing bar's end on.
        (mHorizontal ? drawn.Left : drawn.Top) = bar.CoverHigh - 1;
      }
      if (stamps) {
        const int32_t left = std::min(drawn.Left, drawn.Right), top = std::min(drawn.Top, drawn.Bottom);
        const int64_t width = std::abs(int64_t{drawn.Right} - drawn.Left), height = std::abs(int64_t{drawn.Bottom} - drawn.Top);
        if (width <= TBarStamps::MaxSide && height <= TBarStamps::MaxSide) {
          stampWidth = static_cast<int32_t>(width);
          stampHeight = static_cast<int32_t>(height);
          stamped = &bar;
          const fw::TPixelStamp* stamp =
              mBarStamps->Stamp(canvas, stampWidth, stampHeight, bar.Color, bar.TowardsMinimum, reach, drawStamped);
          if (stamp && surface->Stamp(left, top, *stamp)) continue;
        }
      }
      DrawShape(canvas, drawn, bar.TowardsMinimum, bar.Color);
    }
  };
  if (!ForEachRecordRun(from, to, drawRun)) ForEachRun(from, to, drawRun);
}

}  // namespace chart
