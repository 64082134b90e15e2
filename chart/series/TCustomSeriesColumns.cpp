// The passes that draw a pixel column at a time what later shapes of the column would paint
// over: markers walked back from a column's last, and 3D ribbons as runs of strips.
#include "chart/series/TCustomSeries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <span>
#include <vector>

#include "chart/axes/TAxisScale.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/ColumnWalk.h"
#include "chart/data/TChartValueList.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/series/TMarkerShape.h"
#include "chart/series/TScratchPaint.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TStampColumn.h"
#include "framework/graphics/TSurface.h"

namespace chart {

bool TCustomSeries::MergesPointersOnImage(TCanvas3D& canvas) const {
  const fw::TSurface* surface = canvas.Surface();
  return mPointer->Visible() && MergeDrawing() && !ParentChart()->ChartPrintingActive() && surface &&
         surface->DrawsOnImage();
}

bool TCustomSeries::LeavesOutCoveredPointers(TCanvas3D& canvas) const {
  if (ParentChart()->ChartView3D()) return MeasuresPointers(canvas);
  return MergesPointersOnImage(canvas) && mPointer->PaintsWholeBox(canvas);
}

bool TCustomSeries::MeasuresPointers(TCanvas3D& canvas) const {
  return MergesPointersOnImage(canvas) && canvas.Surface()->DevicePixelRatio() == 1.0 &&
         mPointer->PaintsOpaquely(canvas);
}

void TCustomSeries::DrawPointers(TCanvas3D& canvas, size_t begin, size_t end) {
  if (!mPointer->Visible()) return;
  const bool view3D = ParentChart()->ChartView3D();
  // Many markers that paint opaquely, in a view that moves them by whole pixels: each is put
  // down as its measured pixels where all of them may be drawn. Otherwise flat boxes that later
  // ones on their pixel column cover are left out.
  fw::TSurface* surface = canvas.Surface();
  bool stamps = end - begin >= StampsFromCount && MeasuresPointers(canvas);
  if (stamps) {
    if (!mMarkerShape) mMarkerShape = std::make_unique<TMarkerShape>();
    stamps = mMarkerShape->Measure(canvas, *mPointer, view3D, DepthStart(), DepthEnd(), SeriesColor());
  }
  if (!stamps && !view3D && LeavesOutCoveredPointers(canvas)) {
    DrawUncoveredPointers(canvas, begin, end);
    return;
  }
  size_t k = begin;
  while (k < end) {
    const TPassPoint& p = mPass[k];
    if (p.Gap) {
      ++k;
      continue;
    }
    const fw::TPixelStamp* stamp = stamps ? mMarkerShape->Stamp(canvas, *mPointer, p.Color) : nullptr;
    // The markers right after it on its pixel column, in its colour, go down with it as one
    // column of stamps; where that is refused, each on its own.
    size_t e = k + 1;
    if (stamp) {
      mPointerYs.assign(1, p.Y);
      for (; e < end && (mPass[e].Gap || (mPass[e].X == p.X && mPass[e].Color == p.Color)); ++e)
        if (!mPass[e].Gap) mPointerYs.push_back(mPass[e].Y);
      if (fw::TStampColumn::Pays(mPointerYs, *stamp) && surface->StampColumn(p.X, mPointerYs, *stamp)) {
        k = e;
        continue;
      }
    }
    for (; k < e; ++k) {
      const TPassPoint& q = mPass[k];
      if (!q.Gap && (!stamp || !surface->Stamp(q.X, q.Y, *stamp)))
        mPointer->Draw(canvas, view3D, q.X, q.Y, DepthStart(), DepthEnd(), q.Color);
    }
  }
}

void TCustomSeries::DrawUncoveredPointers(TCanvas3D& canvas, size_t begin, size_t end) {
  // The markers of one pixel column span the same columns, so what the later ones there paint
  // of an earlier one is a set of whole rows: when those hold all its rows, every pixel of it is
  // painted over. Markers of other columns are drawn in between only before or after the column.
  mCoveredRows.Reset(canvas.Surface()->Height());
  const int64_t v = mPointer->VertSize();
  const auto draw = [&](const TPassPoint& p) {
    mPointer->Draw(canvas, false, p.X, p.Y, DepthStart(), DepthEnd(), p.Color);
  };
  size_t k = begin;
  while (k < end) {
    if (mPass[k].Gap) {
      ++k;
      continue;
    }
    const int32_t x = mPass[k].X;
    size_t e = k + 1;
    while (e < end && (mPass[e].Gap || mPass[e].X == x)) ++e;
    if (e - k == 1) {
      draw(mPass[k]);
      k = e;
      continue;
    }
    mPointerShown.assign(e - k, 0);
    for (size_t m = e; m-- > k;) {
      const TPassPoint& p = mPass[m];
      if (p.Gap) continue;
      const int64_t top = int64_t{p.Y} - v, bottom = int64_t{p.Y} + v;
      mPointerShown[m - k] = !mCoveredRows.CoverAndTell(top, bottom);
    }
    mCoveredRows.Clear();
    for (size_t m = k; m < e; ++m)
      if (mPointerShown[m - k]) draw(mPass[m]);
    k = e;
  }
}

bool TCustomSeries::PointerColumnsApply(TCanvas3D& canvas, int32_t first, int32_t last, TPointerColumns& how) {
  if (!mPointer->Visible() || Stacked()) return false;
  const bool view3D = ParentChart()->ChartView3D();
  // By their measured pixels where they can be measured; otherwise flat boxes by their rows.
  const bool measurable = MeasuresPointers(canvas);
  const bool boxable = !view3D && LeavesOutCoveredPointers(canvas);
  if (!measurable && !boxable) return false;
  const TAxisScale* horiz = HorizScale();
  const TAxisScale* vert = VertScale();
  if (!horiz || !vert || !XValues().AscendsAsRead()) return false;
  const double multiplier = YValues().Multiplier();
  if (!(multiplier > 0 && multiplier <= std::numeric_limits<double>::max())) return false;
  // Ascending X values (NaN last) map monotonically between two ends that do.
  if (std::isnan(XValueOf(last)) || !horiz->MapsMonotonically(XValueOf(first)) ||
      !horiz->MapsMonotonically(XValueOf(last)))
    return false;
  const int64_t columns = std::abs(int64_t{XPixelOfValue(XValueOf(last))} - XPixelOfValue(XValueOf(first))) + 1;
  if (int64_t{last} - first + 1 < columns * std::max(TFastLineSeries::ColumnsFromDensity, PointerColumnsFromDensity))
    return false;

  // A marker at row y stands for rows y + above .. y + above + rows - 1 of its column. For flat
  // boxes those are its box's rows, the same in each of its pixel columns, and rows outside the
  // image count as covered. Otherwise they are the rows of the shortest column of the measured
  // shape (TMarkerShape), and a marker whose rows reach past the image always shows: its other
  // columns may paint rows inside.
  how = {false, -int64_t{mPointer->VertSize()}, 2 * int64_t{mPointer->VertSize()} + 1};
  if (measurable) {
    if (!mMarkerShape) mMarkerShape = std::make_unique<TMarkerShape>();
    how.Measured = mMarkerShape->Measure(canvas, *mPointer, view3D, DepthStart(), DepthEnd(), SeriesColor());
  }
  if (!how.Measured && !boxable) return false;
  if (how.Measured) {
    // A marker painting a column of its pixels in more than one run is covered only by a later
    // one at its own row: it stands for that row alone.
    const bool runs = mMarkerShape->Covers();
    how.Above = runs ? mMarkerShape->Above() : 0;
    how.Rows = runs ? mMarkerShape->Rows() : 1;
  }
  return true;
}

void TCustomSeries::DrawPointerColumns(TCanvas3D& canvas, int32_t first, int32_t last, const TPointerColumns& how) {
  const bool view3D = ParentChart()->ChartView3D();
  fw::TSurface* surface = canvas.Surface();
  const TAxisScale* vert = VertScale();
  const double multiplier = YValues().Multiplier();
  const auto columnOf = [this](int32_t k) { return XPixelOfValue(XValueOf(k)); };
  const bool measured = how.Measured;
  const int64_t above = how.Above, rows = how.Rows;
  const int32_t height = surface->Height();
  mCoveredRows.Reset(height);
  // Whether the markers at rows a..b (a <= b) were all covered; coverAndTell covers them too.
  const auto inImage = [&](int64_t a, int64_t b) {
    return !measured || (a + above >= 0 && b + above + rows <= height);
  };
  const auto covered = [&](int64_t a, int64_t b) {
    return inImage(a, b) && mCoveredRows.Covers(a + above, b + above + rows - 1);
  };
  const auto coverAndTell = [&](int64_t row) {
    return mCoveredRows.CoverAndTell(row + above, row + above + rows - 1) && inImage(row, row);
  };

  // Each column's markers are walked from the last back, as DrawUncoveredPointers does, a block
  // of points at a time. A block whose extremes map monotonically lies within the rows of those:
  // when the later markers cover all of them, the block cannot show and is passed over. When the
  // column's own extremes are covered so, the walk stops.
  constexpr int32_t Block = 16;
  mPassYValues.resize(Block);
  mPassYPixels.resize(Block);
  const bool nulls = MayHaveNullPoints();
  const TChartValueList& values = YValues();
  // The rows a..b of stored values lo..hi, when they map monotonically (lo > hi: no number).
  const auto rowsOf = [&](double lo, double hi, int64_t& a, int64_t& b) {
    if (!(lo <= hi) || !vert->MapsMonotonically(lo * multiplier) || !vert->MapsMonotonically(hi * multiplier))
      return false;
    const int32_t p = YPixelOfValue(lo * multiplier), q = YPixelOfValue(hi * multiplier);
    a = std::min(p, q);
    b = std::max(p, q);
    return true;
  };
  // The rows of the values of points from..to-1. NaN values are gaps: they neither show nor cover.
  const auto valueRows = [&](int32_t from, int32_t to, int64_t& a, int64_t& b) {
    double lo, hi;
    bool nan;
    values.RawExtremes(from, to, lo, hi, nan);
    return rowsOf(lo, hi, a, b);
  };
  bool drawn = false;  // a flat box, last in lastColor
  fw::TColor lastColor = fw::clNone;
  // The markers kept on column x, drawn from the first point on.
  const auto drawKept = [&](int32_t x) {
    mCoveredRows.Clear();
    if (measured && StampsPointerColumn(canvas, x)) return;
    for (size_t k = mPointerRows.size(); k-- > 0;) {
      const auto [m, row] = mPointerRows[k];
      const fw::TColor color = ColorOfPoint(m);
      if (measured) {
        // The marker's measured pixels put down where it lies, when all of them may be drawn.
        const fw::TPixelStamp* stamp = mMarkerShape->Stamp(canvas, *mPointer, color);
        if (!stamp || !surface->Stamp(x, row, *stamp))
          mPointer->Draw(canvas, view3D, x, row, DepthStart(), DepthEnd(), color);
        continue;
      }
      // Flat boxes one after another: the canvas keeps the pen and brush of the same colour.
      mPointer->DrawFlatBox(canvas, x, row, color, drawn && color == lastColor);
      drawn = true;
      lastColor = color;
    }
  };
  int32_t length = 1;
  bool byRows = false;  // see below
  for (int32_t i = first; i <= last;) {
    const int32_t x = columnOf(i);
    const int32_t j = ColumnEnd(i, last, x, length, columnOf);
    length = j - i + 1;
    int64_t top = 0, bottom = -1;
    // A column of more than one block, walked by blocks (not by rows; see below): the column's
    // extremes are those of its blocks.
    const bool blocked = !byRows && j - i + 1 > Block;
    // Until the column's extremes are known (bounded), the walk cannot stop early.
    bool bounded = false;
    const auto allCovered = [&] { return bounded && covered(top, bottom); };
    mPointerRows.clear();
    // A marker is walked: left out at the row of the one walked before (drawn later at the same
    // place, that one paints every pixel of it), else kept unless the later markers cover it.
    // True when the markers kept cover the column's extremes: the walk is done.
    const auto walk = [&](bool& walked, int32_t& walkedRow, int32_t m, int32_t row) {
      if (walked && row == walkedRow) return false;
      walked = true;
      walkedRow = row;
      if (coverAndTell(row)) return false;
      mPointerRows.push_back({m, row});
      return allCovered();
    };
    // A column of many points a row: the rows around the last marker walked where a marker is
    // covered stand for every value mapping onto them, and the points there are passed over
    // unmapped. Its extremes are not known, so it is walked to its first point; the rows of the
    // values found are gathered in seenTop..seenBottom. A value that does not map monotonically
    // makes the walk give up (false), and the column is walked again from its extremes.
    int64_t seenTop = std::numeric_limits<int64_t>::max(), seenBottom = std::numeric_limits<int64_t>::min();
    const auto walkRows = [&] {
      const bool lowAtA = vert->PixelsGrowWithValues();  // the lower values at the lower rows
      bool walked = false;
      int32_t walkedRow = 0;
      int64_t a = 0, b = 0;  // rows where a marker is covered
      double low = std::numeric_limits<double>::infinity(), high = -low;  // values mapping within; none yet
      for (int32_t m = j + 1; (m = values.LastOutside(i, m, low, high)) >= i;) {
        const double v = values.ValueAt(m);
        if ((nulls && IsNullPoint(m)) || std::isnan(v)) continue;
        if (!vert->MapsMonotonically(v)) return false;
        const int32_t row = YPixelOfValue(v);
        seenTop = std::min<int64_t>(seenTop, row);
        seenBottom = std::max<int64_t>(seenBottom, row);
        walk(walked, walkedRow, m, row);
        if (!covered(row, row)) continue;
        const bool fresh = low > high || row < a - 1 || row > b + 1;  // the first stretch, or one of its own
        if (fresh) {
          a = b = row;
          low = high = v;
        }
        const int64_t a0 = a, b0 = b;
        const double low0 = low, high0 = high;
        a = std::min<int64_t>(a, row);
        b = std::max<int64_t>(b, row);
        low = std::min(low, v);
        high = std::max(high, v);
        // Grown by at most 64 rows a side a point, so that values jumping between distant
        // stretches cost no more than mapping them: a marker is covered one row further on as
        // long as that row is, and the marker lies in the image.
        const int64_t lowest = std::max(a - 64, measured ? -above : a - 64);
        const int64_t highest = std::min(b + 64, measured ? height - above - rows : b + 64);
        a = mCoveredRows.CoveredDownTo(a + above - 1, lowest + above) - above;
        b = mCoveredRows.CoveredUpTo(b + above + rows, highest + above + rows - 1) - above - rows + 1;
        // A value found for an end stays good while that end and the value stay: its values still
        // map within the stretch, which only grew.
        const int32_t ra = static_cast<int32_t>(a), rb = static_cast<int32_t>(b);
        const bool lowMoved = lowAtA ? a != a0 : b != b0, highMoved = lowAtA ? b != b0 : a != a0;
        if (fresh || low != low0 || lowMoved) low = vert->FurthestWithin(ra, rb, low, false);
        if (fresh || high != high0 || highMoved) high = vert->FurthestWithin(ra, rb, high, true);
      }
      return true;
    };
    // A column after one of many points a row is walked by rows at once, without its extremes:
    // those would cost another pass over its values. The next column is walked so too when this
    // one has many points a row.
    const int64_t count = int64_t{j} - i + 1;
    if (byRows) {
      // Walked back with much work between its reads, the column is asked for ahead, as far as
      // the first walks of a long one reach.
      values.Prefetch(std::max(i, j + 1 - PointerPrefetch), j + 1);
      if (walkRows()) {
        byRows = seenTop <= seenBottom && count >= PointerRowsFromDensity * (seenBottom - seenTop + 1);
        drawKept(x);
        i = j + 1;
        continue;
      }
      mPointerRows.clear();
      mCoveredRows.Clear();
    }
    double lo, hi;
    if (blocked) BlockValues(i, j, Block, lo, hi);
    bounded = blocked ? rowsOf(lo, hi, top, bottom) : valueRows(i, j + 1, top, bottom);
    bool done = allCovered();
    byRows = bounded && count >= PointerRowsFromDensity * (bottom - top + 1);
    // Between the column's extremes, which map monotonically, every block's extremes do too: the
    // rows of all the blocks are mapped together.
    const bool batch = bounded && !done && blocked;
    bool walked = false;
    int32_t walkedRow = 0;
    if (batch) BlockRows();
    for (int32_t e = j, q = 0; e >= i && !done; e -= Block, ++q) {
      const int32_t b = std::max(i, e - Block + 1);
      int64_t blockTop, blockBottom;
      // A block holding the whole column was tested with it; one of NaN values only draws nothing.
      if (batch && e > b) {
        const size_t at = static_cast<size_t>(q), blocks = mBlockShows.size();
        if (!mBlockShows[at]) continue;
        blockTop = std::min(mBlockRows[at], mBlockRows[blocks + at]);
        blockBottom = std::max(mBlockRows[at], mBlockRows[blocks + at]);
        if (covered(blockTop, blockBottom)) continue;
      } else if (e > b && !(b == i && e == j) && valueRows(b, e + 1, blockTop, blockBottom) &&
                 covered(blockTop, blockBottom)) {
        continue;
      }
      const int32_t n = e - b + 1;
      for (int32_t k = 0; k < n; ++k) mPassYValues[k] = values.ValueAt(b + k);
      vert->ValuesToPixels(std::span<const double>(mPassYValues.data(), static_cast<size_t>(n)), mPassYPixels);
      for (int32_t m = e; m >= b; --m) {
        if ((nulls && IsNullPoint(m)) || std::isnan(mPassYValues[m - b])) continue;
        if ((done = walk(walked, walkedRow, m, mPassYPixels[m - b]))) break;
      }
    }
    drawKept(x);
    i = j + 1;
  }
}

void TCustomSeries::BlockValues(int32_t first, int32_t last, int32_t block, double& lo, double& hi) {
  // Blocks walked back from the last point: block q holds the points from
  // max(first, last - (q + 1) * block + 1) to last - q * block. Their lowest values come first,
  // then their highest.
  const size_t blocks = static_cast<size_t>((int64_t{last} - first + block) / block);
  mBlockValues.resize(2 * blocks);
  double* lows = mBlockValues.data();
  double* highs = lows + blocks;
  YValues().RawBlockExtremes(first, last + 1, block, lows, highs);
  // A block without a number holds +inf..-inf, which changes neither.
  lo = *std::min_element(lows, highs);
  hi = *std::max_element(highs, highs + blocks);
}

void TCustomSeries::BlockRows() {
  const double multiplier = YValues().Multiplier();
  const size_t blocks = mBlockValues.size() / 2;
  mBlockRows.resize(2 * blocks);
  mBlockShows.resize(blocks);
  double* lows = mBlockValues.data();
  double* highs = lows + blocks;
  for (size_t q = 0; q < blocks; ++q) {
    // NaN values neither show nor cover; a block of nothing else draws nothing.
    const bool shows = lows[q] <= highs[q];
    mBlockShows[q] = shows;
    lows[q] = shows ? lows[q] * multiplier : 0;
    highs[q] = shows ? highs[q] * multiplier : 0;
  }
  VertScale()->ValuesToPixels(mBlockValues, mBlockRows);
}

bool TCustomSeries::StampsPointerColumn(TCanvas3D& canvas, int32_t x) {
  // The markers of one colour, as one stamp at each of their rows.
  if (mPointerRows.size() < 2) return false;
  const fw::TColor color = ColorOfPoint(mPointerRows.front().Index);
  const fw::TPixelStamp* stamp = mMarkerShape->Stamp(canvas, *mPointer, color);
  if (!stamp) return false;
  mPointerYs.clear();
  for (size_t k = mPointerRows.size(); k-- > 0;) mPointerYs.push_back(mPointerRows[k].Row);
  if (!fw::TStampColumn::Pays(mPointerYs, *stamp)) return false;
  // Without colours of the points' own (none stored, no palette) every point has the first one's.
  if (MayHaveNullPoints() || ColorEachPoint())
    for (size_t k = 1; k < mPointerRows.size(); ++k)
      if (ColorOfPoint(mPointerRows[k].Index) != color) return false;
  return canvas.Surface()->StampColumn(x, mPointerYs, *stamp);
}

bool TCustomSeries::RibbonsAreStrips(TCanvas3D& canvas) {
  const int32_t z0 = DepthStart(), z1 = DepthEnd();
  int64_t dx0, dy0, dx1, dy1;
  if (!canvas.ShiftsAtDepth(z0, dx0, dy0) || !canvas.ShiftsAtDepth(z1, dx1, dy1)) return false;
  const int64_t depth = dx1 - dx0;
  if (depth < 0 || dy1 - dy0 != -depth) return false;
  if (depth == mStripsDepth) return mStripsHold;
  mStripsDepth = depth;
  mStripsHold = false;
  // Side by side on scratch images: ribbons of one to three rows, upward and downward, outlined
  // in one colour and filled in another; then one strip drawn as a line, with the lines along
  // the front and the back of three rows.
  constexpr int64_t Margin = 3, Tallest = 3, Ribbons = 2 * Tallest;
  const int64_t cell = depth + 1 + 2 * Margin;
  const int64_t width = (Ribbons + 1) * cell, height = depth + Tallest + 1 + 2 * Margin;
  if (width > TScratchPaint::MaxSide || height > TScratchPaint::MaxSide) return false;
  if (!mScratchPaint) mScratchPaint = std::make_unique<TScratchPaint>();
  // A ribbon from row a to row b at column x starts at x + dx0 on screen; its strip of row r
  // holds the pixels (x + dx0 + t, r + dy0 - t) for t = 0 .. depth.
  const int32_t top = static_cast<int32_t>(Margin + depth - dy0);  // its strip reaches up to the margin
  const auto columnOf = [&](int64_t c) { return static_cast<int32_t>(c * cell + Margin - dx0); };
  const fw::TColor outline = fw::clBlue, fill = fw::clRed;
  const bool painted = mScratchPaint->Paint(canvas, static_cast<int32_t>(width), static_cast<int32_t>(height), [&] {
    for (int64_t c = 0; c < Ribbons; ++c) {
      const int32_t x = columnOf(c), bottom = static_cast<int32_t>(top + 1 + c / 2);
      canvas.ApplyChartPen(*mLinePen);
      canvas.Pen().SetColor(outline);
      if (c % 2 == 0)
        DrawRibbon(canvas, {x, top}, {x, bottom}, fill);
      else
        DrawRibbon(canvas, {x, bottom}, {x, top}, fill);
    }
    const int32_t x = columnOf(Ribbons);
    DrawStrip(canvas, x, top, top, outline);
    DrawRibbonEdges(canvas, x, top, top + 2);
  });
  if (!painted) return false;
  // The colours seen: the ribbons' outline, each ribbon's fill, the strip line, the edges.
  std::array<fw::TColor, Ribbons + 3> seen;
  seen.fill(fw::clNone);
  fw::TColor& outlineSeen = seen[Ribbons];
  for (int64_t py = 0; py < height; ++py)
    for (int64_t px = 0; px < width; ++px) {
      const int64_t c = px / cell, t = px - c * cell - Margin;
      const int64_t r = py + t - dy0;  // the row whose strip holds (px, py), for this t
      const int64_t bottom = c < Ribbons ? top + 1 + c / 2 : top + 2;
      const bool end = t == 0 || t == depth, row = t >= 0 && t <= depth && r >= top && r <= bottom;
      const bool inside = c < Ribbons ? row : row && (r == top || end);
      const int32_t x = static_cast<int32_t>(px), y = static_cast<int32_t>(py);
      if (inside != mScratchPaint->Painted(x, y)) return false;
      if (!inside) continue;
      // A ribbon's outline on its ends and its first and last strips, one fill colour within.
      const fw::TColor colour = mScratchPaint->Colour(x, y);
      const size_t bucket = c == Ribbons                             ? Ribbons + (end ? 2 : 1)
                            : !end && r != top && r != bottom ? static_cast<size_t>(c)
                                                              : Ribbons;
      if (seen[bucket] == fw::clNone) seen[bucket] = colour;
      if (colour != seen[bucket]) return false;
    }
  for (int64_t c = 0; c < Ribbons; ++c)
    if (seen[static_cast<size_t>(c)] == outlineSeen) return false;
  mStripsHold = true;
  return true;
}

bool TCustomSeries::RibbonColumnsApply(TCanvas3D& canvas) {
  const TSeriesHost* chart = ParentChart();
  fw::TSurface* surface = canvas.Surface();
  if (!MergeDrawing() || mStairs || chart->ChartPrintingActive() ||
      !surface->DrawsOnImage() || surface->DevicePixelRatio() != 1.0)
    return false;
  fw::TPen pen;
  pen.Assign(canvas.Pen());
  TChartCanvas::ApplyChartPenTo(pen, *mLinePen);
  if (pen.Style() != fw::psSolid || pen.Width() > 1 || pen.Mode() != fw::pmCopy || mLinePen->SmallDots()) return false;
  return RibbonsAreStrips(canvas);
}

void TCustomSeries::DrawStrip(TCanvas3D& canvas, int32_t x, int32_t top, int32_t bottom, fw::TColor color) {
  canvas.ApplyChartPen(*mLinePen);
  canvas.Pen().SetColor(color);
  if (top == bottom) {
    // One strip: a line from the front one step past the back, which it leaves out.
    const fw::TPoint a = canvas.ProjectToPoint(x, top, DepthStart()), b = canvas.ProjectToPoint(x, top, DepthEnd());
    canvas.DrawSegment(a.X, a.Y, b.X + 1, b.Y - 1);
    return;
  }
  canvas.Brush().SetStyle(fw::bsSolid);
  canvas.Brush().SetColor(color);
  canvas.DrawExtrudedSegment({x, top}, {x, bottom}, DepthStart(), DepthEnd());
}

void TCustomSeries::DrawRibbonEdges(TCanvas3D& canvas, int32_t x, int32_t top, int32_t bottom) {
  canvas.ApplyChartPen(*mLinePen);
  for (const int32_t z : {DepthStart(), DepthEnd()}) {
    const fw::TPoint a = canvas.ProjectToPoint(x, top, z), b = canvas.ProjectToPoint(x, bottom, z);
    canvas.DrawSegment(a.X, a.Y, b.X, b.Y + 1);
  }
}

void TCustomSeries::DrawRibbonColumn(TCanvas3D& canvas, size_t first, size_t last, bool tops) {
  // Walking from the column's last ribbon back, the later ribbons paint the strips of rows
  // lo..hi (the extremes of their points); of an earlier ribbon only the strips beyond show: its
  // own end row in the outline's colour, the rows between it and lo..hi in its fill. Each row's
  // colour is written once, into mStripColours from the column's top row; then the strips are
  // drawn, and the outline along the front and the back.
  canvas.ApplyChartPen(*mLinePen);
  const fw::TColor outline = canvas.Pen().Color();
  // Every point of the column lies on a ribbon of some height unless none has any: lo..hi ends
  // as the rows of the column's points.
  int32_t top = mPass[first].Y, bottom = top;
  for (size_t m = first + 1; m <= last; ++m) {
    top = std::min(top, mPass[m].Y);
    bottom = std::max(bottom, mPass[m].Y);
  }
  if (top == bottom) return;  // no ribbon of any height
  mStripColours.resize(static_cast<size_t>(int64_t{bottom} - top + 1));
  const auto colour = [&](int32_t row) -> fw::TColor& { return mStripColours[static_cast<size_t>(row - top)]; };
  const auto paint = [&](int32_t from, int32_t to, fw::TColor color) {
    if (from <= to) std::fill_n(&colour(from), static_cast<size_t>(to - from + 1), color);
  };
  // Whether a ribbon's underside shows depends only on whether it runs up or down the column;
  // the fill of the last colour seen is kept.
  const int32_t x = mPass[first].X;
  const std::array<bool, 2> underside{RibbonShowsUnderside(canvas, {x, 1}, {x, 0}),
                                      RibbonShowsUnderside(canvas, {x, 0}, {x, 1})};
  bool anyKept = false;
  fw::TColor keptOf = 0;
  std::array<fw::TColor, 2> kept{};
  const auto fill = [&](const TPassPoint& a, const TPassPoint& b) {
    if (!anyKept || b.Color != keptOf) {
      anyKept = true;
      const fw::TColor color = tops ? AreaFill(b.Color) : b.Color;
      kept = {underside[0] ? SideColor(color) : color, underside[1] ? SideColor(color) : color};
      keptOf = b.Color;
    }
    return kept[a.Y < b.Y];
  };
  bool any = false;
  int32_t lo = 0, hi = 0;
  for (size_t m = last; m > first; --m) {
    const TPassPoint& a = mPass[m - 1];
    const TPassPoint& b = mPass[m];
    if (a.Y == b.Y) continue;  // a ribbon of no height draws nothing
    if (!any) {
      lo = std::min(a.Y, b.Y);
      hi = std::max(a.Y, b.Y);
      paint(lo + 1, hi - 1, fill(a, b));
      colour(lo) = colour(hi) = outline;
      any = true;
    } else if (a.Y < lo) {
      paint(a.Y + 1, lo - 1, fill(a, b));
      colour(a.Y) = outline;
      lo = a.Y;
    } else if (a.Y > hi) {
      paint(hi + 1, a.Y - 1, fill(a, b));
      colour(a.Y) = outline;
      hi = a.Y;
    }
  }
  // Strips of one row each, with the outline on their ends, are a slanted block of pixels put
  // down at once where the surface allows it.
  const fw::TPoint front = canvas.ProjectToPoint(x, lo, DepthStart());
  if (canvas.Surface()->Slant(front.X, front.Y, static_cast<int32_t>(mStripsDepth), mStripColours, outline)) return;
  // Otherwise drawn: neighbours of one colour as one.
  for (int32_t row = lo; row <= hi;) {
    int32_t end = row;
    while (end < hi && colour(end + 1) == colour(row)) ++end;
    DrawStrip(canvas, x, row, end, colour(row));
    row = end + 1;
  }
  DrawRibbonEdges(canvas, x, lo, hi);
}

bool TCustomSeries::AppendRibbonColumn(TCanvas3D& canvas, int32_t i, int32_t j, int32_t x, bool every,
                                       fw::TColor color, int32_t origin, bool& byRows) {
  // Walking the column from its last point back, DrawRibbonColumn draws of a ribbon only the
  // rows its earlier point reaches past the rows of the later points. A point whose value lies
  // between theirs maps between their rows (the map is monotone between values that map
  // monotonically), and adds nothing.
  const TChartValueList& values = YValues();
  const double multiplier = values.Multiplier();
  const double* raw = j < values.ValueCount() ? values.RawRun(i, j + 1) : nullptr;
  const auto valueOf = [&](int32_t k) { return raw ? raw[k - i] * multiplier : YValueOf(k); };
  const TAxisScale* vert = VertScale();
  const auto maps = [vert](double v) { return !std::isnan(v) && vert->MapsMonotonically(v); };
  const double firstValue = valueOf(i), lastValue = valueOf(j);
  if (!maps(firstValue) || !maps(lastValue)) return false;
  const int32_t lastRow = YPixelOfValue(lastValue);
  int32_t top = lastRow, bottom = lastRow;
  mColumnRecords.clear();
  const auto record = [&](int32_t row) {
    if (row >= top && row <= bottom) return false;
    mColumnRecords.push_back(row);
    top = std::min(top, row);
    bottom = std::max(bottom, row);
    return true;
  };
  // A column of many points a row: the rows of the later points stand for every value mapping
  // onto them, and the values within those are passed over unmapped. Each point reaching past
  // them is mapped on its own.
  const auto walkRows = [&] {
    double low = vert->FurthestWithin(top, bottom, lastValue, false);
    double high = vert->FurthestWithin(top, bottom, lastValue, true);
    for (int32_t k = j; (k = values.LastOutside(i + 1, k, low, high)) > i;) {
      const double v = values.ValueAt(k);
      if (!maps(v)) return false;
      const bool upward = v > high;
      double& reach = upward ? high : low;
      reach = record(YPixelOfValue(v)) ? vert->FurthestWithin(top, bottom, v, upward) : v;
    }
    return true;
  };
  // Otherwise the points reaching past the values of the later ones, mapped together, and those
  // of them whose rows reach past. The values read straight from the store where they lie in one
  // run, with the walk's own loop.
  const auto walkValues = [&](auto&& valueAt) {
    std::vector<double>& reaching = mPassYValues;
    reaching.clear();
    double least = lastValue, most = least;
    for (int32_t k = j - 1; k > i; --k) {
      const double v = valueAt(k);
      if (v >= least && v <= most) continue;
      if (std::isnan(v)) return false;
      least = std::min(least, v);
      most = std::max(most, v);
      reaching.push_back(v);
    }
    if (!vert->MapsMonotonically(least) || !vert->MapsMonotonically(most)) return false;
    std::vector<int32_t>& pixels = mPassYPixels;  // grows to the most a column reaches, and stays
    if (pixels.size() < reaching.size()) pixels.resize(reaching.size());
    const std::span<int32_t> rows(pixels.data(), reaching.size());
    vert->ValuesToPixels(reaching, rows);
    for (const int32_t row : rows) record(row);
    return true;
  };
  const bool walked = byRows && j < values.ValueCount() ? walkRows()
                      : raw  ? walkValues([&](int32_t k) { return raw[k - i] * multiplier; })
                             : walkValues([&](int32_t k) { return YValueOf(k); });
  if (!walked) return false;
  // The next column is walked by rows when this one has many points a row.
  byRows = int64_t{j} - i + 1 >= RibbonRowsFromDensity * (int64_t{bottom} - top + 1);
  const auto add = [&](int32_t y) {
    TPassPoint& p = mPass.emplace_back();
    p.Gap = false;
    p.X = x;
    p.Y = y;
    p.Origin = origin;
    p.Color = color;
  };
  const int32_t firstRow = YPixelOfValue(firstValue);
  add(firstRow);
  if (j == i) return true;
  const fw::TSurface* surface = canvas.Surface();
  const int64_t width = surface->Width(), height = surface->Height();
  const auto near = [&](int64_t v, int64_t size) { return v >= -RibbonColumnReach && v <= size + RibbonColumnReach; };
  if (every || !near(x, width) || !near(std::min(top, firstRow), height) || !near(std::max(bottom, firstRow), height)) {
    // DrawRibbonsByColumns draws the ribbons of points this far off one by one.
    for (int32_t k = i + 1; k <= j; ++k) add(YPixelOfValue(valueOf(k)));
    return true;
  }
  for (size_t r = mColumnRecords.size(); r-- > 0;) add(mColumnRecords[r]);
  // Three points or more on a column go by DrawRibbonColumn, fewer one by one: a repeated last
  // point keeps it so, as a ribbon of no height, which it leaves out.
  if (mColumnRecords.empty() && j - i >= 2) add(lastRow);
  add(lastRow);
  return true;
}

void TCustomSeries::DrawRibbonsByColumns(TCanvas3D& canvas, size_t begin, size_t end, bool tops) {
  // The ribbons joining points of one pixel column, two or more in a row, go by DrawRibbonColumn;
  // points far off the image, and a run's last top (which closes its prism), go one by one.
  constexpr int32_t Near = RibbonColumnReach;
  const fw::TSurface* surface = canvas.Surface();
  const int64_t width = surface->Width(), height = surface->Height();
  const auto near = [&](const TPassPoint& p) {
    return p.X >= -Near && p.X <= width + Near && p.Y >= -Near && p.Y <= height + Near;
  };
  const size_t columnEnd = tops ? end - 1 : end;
  const auto inColumn = [&](size_t m) {
    const TPassPoint& a = mPass[m - 1];
    const TPassPoint& b = mPass[m];
    return m < columnEnd && !a.Gap && !b.Gap && a.X == b.X && near(a) && near(b);
  };
  size_t k = begin + 1;
  while (k < end) {
    size_t e = k;
    while (e < end && inColumn(e)) ++e;
    if (e - k >= 2) {
      DrawRibbonColumn(canvas, k - 1, e - 1, tops);
      k = e;
      continue;
    }
    for (e = std::max(e, k + 1); k < e; ++k) {
      const bool last = k + 1 == end || mPass[k + 1].Gap;
      if (tops)
        DrawPrismTop(canvas, mPass[k - 1], mPass[k], last);
      else
        DrawSegment3D(canvas, mPass[k - 1], mPass[k], last);
    }
  }
}

}  // namespace chart
