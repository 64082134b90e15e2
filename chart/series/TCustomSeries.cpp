#include "chart/series/TCustomSeries.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <span>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/axes/TAxisScale.h"
#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/DarkenColor.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/ColumnWalk.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/SeriesStacking.h"
#include "chart/series/TMarkerShape.h"
#include "chart/series/TScratchPaint.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TSurface.h"

namespace chart {

namespace {

// Faces of a ribbon seen from below and the end of a prism.
constexpr int32_t SideShade = 128;
// Polygon corners stay within this many pixels of the origin: far-off points keep their
// direction closely enough and the platform's polygon fill never sees overflowing coordinates.
constexpr int32_t PolygonLimit = 1 << 24;

fw::TPoint Limited(fw::TPoint p) {
  return {std::clamp(p.X, -PolygonLimit, PolygonLimit), std::clamp(p.Y, -PolygonLimit, PolygonLimit)};
}

void AdjustPenForPrinting(fw::TPen& pen) {
  if (pen.Style() != fw::psSolid && pen.Width() == 1) pen.SetWidth(0);
}

// Twice the signed area of the projected quadrilateral; positive when its corners run the way
// the underside of a ribbon does on the screen.
int64_t SignedArea(const std::array<fw::TPoint, 4>& q) {
  int64_t sum = 0;
  for (size_t i = 0; i < 4; ++i) {
    const fw::TPoint a = q[i], b = q[(i + 1) % 4];
    sum += int64_t{a.X} * b.Y - int64_t{b.X} * a.Y;
  }
  return sum;
}

bool gMergeDrawing = true;

// The canvas pen draws a pixel the same whether it is drawn once or twice, and a vertical
// segment exactly from its start pixel to the pixel before its end.
bool PenMerges(const fw::TPen& pen) {
  return pen.Style() == fw::psSolid && pen.Width() <= 1 && pen.Mode() == fw::pmCopy;
}

template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

TCustomSeries::TCustomSeries(fw::TComponent* owner, bool drawLine, bool drawArea, bool pointerVisible)
    : TChartSeries(owner),
      mLinePen(std::make_unique<TChartPen>([this] { OwnedChanged(); })),
      mPointer(std::make_unique<TSeriesPointer>(*this, pointerVisible)),
      mAreaBrush(std::make_unique<TChartBrush>([this] { OwnedChanged(); })),
      mAreaLinesPen(std::make_unique<TChartPen>([this] { OwnedChanged(); })),
      mDrawLine(drawLine),
      mDrawArea(drawArea) {}

TCustomSeries::~TCustomSeries() = default;

bool TCustomSeries::MergeDrawing() { return gMergeDrawing; }
void TCustomSeries::SetMergeDrawing(bool value) { gMergeDrawing = value; }

// ---------------------------------------------------------------- properties

void TCustomSeries::SetLinePen(const fw::TPen& value) { mLinePen->Assign(value); }
void TCustomSeries::SetPointer(const TSeriesPointer& value) { mPointer->Assign(value); }
void TCustomSeries::SetAreaBrush(const fw::TBrush& value) { mAreaBrush->Assign(value); }
void TCustomSeries::SetAreaLinesPen(const fw::TPen& value) { mAreaLinesPen->Assign(value); }

void TCustomSeries::SetStairs(bool value) {
  if (Store(mStairs, value)) RequestRepaint();
}
void TCustomSeries::SetInvertedStairs(bool value) {
  if (Store(mInvertedStairs, value)) RequestRepaint();
}
void TCustomSeries::SetDark3D(bool value) {
  if (Store(mDark3D, value)) RequestRepaint();
}
void TCustomSeries::SetMultiArea(TMultiArea value) {
  if (value < maNone || value > maStacked100) return;
  if (Store(mMultiArea, value)) RequestRepaint();
}
void TCustomSeries::SetUseYOrigin(bool value) {
  if (Store(mUseYOrigin, value)) RequestRepaint();
}
void TCustomSeries::SetYOrigin(double value) {
  if (!std::isfinite(value)) throw ChartException(ChartConst::YOriginNotFinite);
  if (Store(mYOrigin, value)) RequestRepaint();
}

void TCustomSeries::Assign(const TChartSeries& source) {
  if (&source == this) return;
  if (auto* other = dynamic_cast<const TCustomSeries*>(&source)) {
    mLinePen->Assign(*other->mLinePen);
    mPointer->Assign(*other->mPointer);
    mAreaBrush->Assign(*other->mAreaBrush);
    mAreaLinesPen->Assign(*other->mAreaLinesPen);
    mStairs = other->mStairs;
    mInvertedStairs = other->mInvertedStairs;
    mDark3D = other->mDark3D;
    mMultiArea = other->mMultiArea;
    mUseYOrigin = other->mUseYOrigin;
    mYOrigin = other->mYOrigin;
  }
  TChartSeries::Assign(source);
}

// ---------------------------------------------------------------- values as drawn

bool TCustomSeries::IsGap(int32_t index) const {
  return IsNullPoint(index) || std::isnan(XValueOf(index)) || std::isnan(YValueOf(index));
}

TSeriesStack TCustomSeries::Stack() const {
  const TMultiArea mode = mMultiArea;
  const TCustomChartAxis* horiz = ResolvedHorizAxis();
  const TCustomChartAxis* vert = ResolvedVertAxis();
  const std::type_info& type = typeid(*this);
  return TSeriesStack(*this, [&](const TChartSeries& s) {
    const auto* other = dynamic_cast<const TCustomSeries*>(&s);
    return other && typeid(*other) == type && other->mMultiArea == mode && other->ResolvedHorizAxis() == horiz &&
           other->ResolvedVertAxis() == vert;
  });
}

double TCustomSeries::DrawnValue(int32_t index, const TSeriesStack* stack) const {
  if (!stack) return YValueOf(index);
  const double own = TSeriesStack::ContributionOf(*this, index);
  const double top = stack->OriginOf(index) + own;
  if (mMultiArea != maStacked100) return top;
  const double total = stack->TotalOf(index);
  return total == 0 ? 0 : top * 100 / total;
}

double TCustomSeries::DrawnOrigin(int32_t index, const TSeriesStack* stack) const {
  if (!stack) return mYOrigin;
  const double origin = stack->OriginOf(index);
  if (mMultiArea != maStacked100) return origin;
  const double total = stack->TotalOf(index);
  return total == 0 ? 0 : origin * 100 / total;
}

double TCustomSeries::DrawnValue(int32_t index) const {
  if (!Stacked()) return YValueOf(index);
  const TSeriesStack stack = Stack();
  return DrawnValue(index, &stack);
}

double TCustomSeries::DrawnOrigin(int32_t index) const {
  if (!Stacked()) return mYOrigin;
  const TSeriesStack stack = Stack();
  return DrawnOrigin(index, &stack);
}

int32_t TCustomSeries::YPixel(int32_t index) const { return YPixelOfValue(DrawnValue(index)); }

// Ranges skip null points and, per coordinate, NaN values: without null points they are the
// value lists' own statistics (which skip NaN), kept until the values change.
double TCustomSeries::ScanRange(bool wantX, bool wantMinimum) const {
  bool found = false;
  double result = 0;
  for (int32_t i = 0; i < PointCount(); ++i) {
    if (IsNullPoint(i)) continue;
    const double v = wantX ? XValueOf(i) : YValueOf(i);
    if (std::isnan(v)) continue;
    if (!found || (wantMinimum ? v < result : v > result)) result = v;
    found = true;
  }
  return result;
}

double TCustomSeries::LowestX() const {
  return MayHaveNullPoints() ? ScanRange(true, true) : TChartSeries::LowestX();
}

double TCustomSeries::HighestX() const {
  return MayHaveNullPoints() ? ScanRange(true, false) : TChartSeries::HighestX();
}

double TCustomSeries::StackedRange(bool wantMinimum) const {
  const TSeriesStack stack = Stack();
  bool found = false;
  double result = 0;
  for (int32_t i = 0; i < PointCount(); ++i) {
    if (IsGap(i)) continue;
    const double top = DrawnValue(i, &stack);
    const double origin = DrawnOrigin(i, &stack);
    const double v = wantMinimum ? std::min(top, origin) : std::max(top, origin);
    if (!found || (wantMinimum ? v < result : v > result)) result = v;
    found = true;
  }
  return result;
}

double TCustomSeries::LowestY() const {
  if (Stacked()) return StackedRange(true);
  const double v = MayHaveNullPoints() ? ScanRange(false, true) : TChartSeries::LowestY();
  return mDrawArea && mUseYOrigin && PointCount() > 0 ? std::min(v, mYOrigin) : v;
}

double TCustomSeries::HighestY() const {
  if (Stacked()) return StackedRange(false);
  const double v = MayHaveNullPoints() ? ScanRange(false, false) : TChartSeries::HighestY();
  return mDrawArea && mUseYOrigin && PointCount() > 0 ? std::max(v, mYOrigin) : v;
}

void TCustomSeries::HorizMargins(int32_t& left, int32_t& right) const {
  left = right = 0;
  if (mPointer->Visible() && mPointer->InflateMargins()) left = right = mPointer->HorizSize() + 1;
}

void TCustomSeries::VertMargins(int32_t& top, int32_t& bottom) const {
  top = bottom = 0;
  if (mPointer->Visible() && mPointer->InflateMargins()) top = bottom = mPointer->VertSize() + 1;
}

// ---------------------------------------------------------------- drawing

int32_t TCustomSeries::OriginPixel(double origin) const {
  if (mUseYOrigin || Stacked()) return YPixelOfValue(origin);
  const TCustomChartAxis* axis = ResolvedVertAxis();
  return axis ? YPixelOfValue(axis->Minimum()) : 0;
}

TCustomSeries::TPassPoint TCustomSeries::PassPoint(int32_t index, const TSeriesStack* stack,
                                                   TOriginCache* cache) const {
  TPassPoint p;
  p.Gap = IsGap(index);
  if (p.Gap) return p;
  p.X = XPixelOfValue(XValueOf(index));
  p.Y = YPixelOfValue(DrawnValue(index, stack));
  if (mDrawArea) p.Origin = PassOrigin(index, stack, cache);
  p.Color = ColorOfPoint(index);
  return p;
}

int32_t TCustomSeries::PassOrigin(int32_t index, const TSeriesStack* stack, TOriginCache* cache) const {
  const double origin = DrawnOrigin(index, stack);
  const uint64_t bits = std::bit_cast<uint64_t>(origin);
  if (cache && cache->Valid && cache->Bits == bits) return cache->Pixel;
  const int32_t pixel = OriginPixel(origin);
  if (cache) *cache = {true, bits, pixel};
  return pixel;
}

void TCustomSeries::AppendPassPoints(int32_t from, int32_t to, const TSeriesStack* stack) {
  constexpr int32_t Block = 256;
  mPassXValues.resize(Block);
  mPassYValues.resize(Block);
  mPassXPixels.resize(Block);
  mPassYPixels.resize(Block);
  const TAxisScale* horiz = HorizScale();
  const TAxisScale* vert = VertScale();
  TOriginCache origins;  // an area's origin is mostly one value for the whole pass
  const bool nulls = MayHaveNullPoints();
  for (int32_t begin = from; begin <= to;) {
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(Block, int64_t{to} - begin + 1));
    for (int32_t k = 0; k < n; ++k) {
      mPassXValues[k] = XValueOf(begin + k);
      mPassYValues[k] = DrawnValue(begin + k, stack);
    }
    const std::span<const double> xs(mPassXValues.data(), static_cast<size_t>(n));
    const std::span<const double> ys(mPassYValues.data(), static_cast<size_t>(n));
    if (horiz) horiz->ValuesToPixels(xs, mPassXPixels);
    if (vert) vert->ValuesToPixels(ys, mPassYPixels);
    for (int32_t k = 0; k < n; ++k) {
      const int32_t i = begin + k;
      // IsGap, from the values at hand: unstacked, the drawn value is the point's own.
      if ((nulls && IsNullPoint(i)) || std::isnan(mPassXValues[k]) ||
          std::isnan(stack ? YValueOf(i) : mPassYValues[k])) {
        mPass.emplace_back();
        continue;
      }
      TPassPoint& p = mPass.emplace_back();
      p.Gap = false;
      p.X = horiz ? mPassXPixels[k] : 0;
      p.Y = vert ? mPassYPixels[k] : 0;
      if (mDrawArea) p.Origin = PassOrigin(i, stack, &origins);
      p.Color = ColorOfPoint(i);
    }
    begin += n;
  }
}

bool TCustomSeries::ColumnPassDrawsTheSame(TCanvas3D& canvas, bool markersApart) const {
  if (!gMergeDrawing || mStairs || (mPointer->Visible() && !markersApart) || Stacked() || MayHaveNullPoints() ||
      ColorEachPoint())
    return false;
  const TAxisScale* horiz = HorizScale();
  const TAxisScale* vert = VertScale();
  if (!horiz || !vert || horiz->Logarithmic || vert->Logarithmic || !XValues().AscendsAsRead()) return false;
  const double multiplier = YValues().Multiplier();
  if (!(multiplier > 0 && multiplier <= std::numeric_limits<double>::max())) return false;
  // The pens as the line and the area lines will take them, tried on a copy: the canvas's own
  // pen and brush stay as they are.
  fw::TPen pen;
  if (mDrawLine) {
    pen.Assign(canvas.Pen());
    TChartCanvas::ApplyChartPenTo(pen, *mLinePen);
    const TSeriesHost* chart = ParentChart();
    if (chart && chart->ChartPrintingActive()) AdjustPenForPrinting(pen);
    if (pen.Style() != fw::psClear && !canvas.Surface()->PenFormsPixelUnion(pen)) return false;
  }
  if (mDrawArea && mAreaLinesPen->Visible()) {
    pen.Assign(canvas.Pen());
    TChartCanvas::ApplyChartPenTo(pen, *mAreaLinesPen);
    if (!PenMerges(pen)) return false;
  }
  return true;
}

bool TCustomSeries::AppendColumnPass(TCanvas3D& canvas, int32_t first, int32_t last, bool markersApart) {
  const bool ribbons = ParentChart()->ChartView3D();
  if (!ColumnPassDrawsTheSame(canvas, markersApart)) return false;
  if (ribbons && ((!mDrawLine && !mDrawArea) || !RibbonColumnsApply(canvas))) return false;
  const TAxisScale* horiz = HorizScale();
  const TAxisScale* vert = VertScale();
  const int32_t start = first > 0 ? first - 1 : first;
  // Ascending X values (NaN last) map monotonically between two ends that do.
  if (!horiz->MapsMonotonically(XValueOf(start)) || !horiz->MapsMonotonically(XValueOf(last))) return false;
  const auto columnOf = [this](int32_t k) { return XPixelOfValue(XValueOf(k)); };
  const int64_t columns = std::abs(int64_t{columnOf(last)} - columnOf(start)) + 1;
  if (int64_t{last} - start + 1 < columns * TFastLineSeries::ColumnsFromDensity) return false;

  const double multiplier = YValues().Multiplier();
  const fw::TColor color = ColorOfPoint(first);
  TOriginCache origins;
  const auto add = [&](int32_t index, int32_t x, int32_t y) {
    TPassPoint& p = mPass.emplace_back();
    p.Gap = false;
    p.X = x;
    p.Y = y;
    if (mDrawArea) p.Origin = PassOrigin(index, nullptr, &origins);
    p.Color = color;
  };
  if (start < first) {
    if (std::isnan(YValueOf(start))) return false;
    add(start, columnOf(start), YPixelOfValue(YValueOf(start)));
  }
  mPassFirst = mPass.size();
  int32_t length = 1;
  bool byRows = false;
  for (int32_t i = first; i <= last;) {
    const int32_t column = columnOf(i);
    const int32_t j = ColumnEnd(i, last, column, length, columnOf);
    length = j - i + 1;
    if (ribbons) {
      // Unstacked, every point of an area has the same origin.
      const int32_t origin = mDrawArea ? PassOrigin(i, nullptr, &origins) : 0;
      if (!AppendRibbonColumn(canvas, i, j, column, mDrawArea && j == last, color, origin, byRows)) return false;
      i = j + 1;
      continue;
    }
    double lo, hi;
    bool nan;
    YValues().RawExtremes(i, j + 1, lo, hi, nan);
    if (nan || !vert->MapsMonotonically(lo * multiplier) || !vert->MapsMonotonically(hi * multiplier)) return false;
    // The first and last point of the column and its two extreme rows: the line walks the
    // same rows of the column, the fill's edge folds to the same corners, the area lines
    // reach the same extremes.
    add(i, column, YPixelOfValue(YValueOf(i)));
    if (j > i) {
      const int32_t a = YPixelOfValue(lo * multiplier), b = YPixelOfValue(hi * multiplier);
      add(i, column, std::min(a, b));
      add(i, column, std::max(a, b));
      add(j, column, YPixelOfValue(YValueOf(j)));
    }
    i = j + 1;
  }
  return true;
}

fw::TPoint TCustomSeries::StairCorner(fw::TPoint a, fw::TPoint b) const {
  if (!mStairs) return a;
  return mInvertedStairs ? fw::TPoint{a.X, b.Y} : fw::TPoint{b.X, a.Y};
}

void TCustomSeries::PrepareLinePen(TCanvas3D& canvas) const {
  canvas.ApplyChartPen(*mLinePen);
  if (!canvas.Surface()) return;
  const TSeriesHost* chart = ParentChart();
  if (chart && chart->ChartPrintingActive()) AdjustPenForPrinting(canvas.Pen());
  canvas.Brush().SetStyle(fw::bsClear);
}

// Fills mPass[begin..end) (no gaps inside): one polygon per stretch of equal segment colours,
// top edge along the points (with stairs), bottom edge back along the origins.
void TCustomSeries::FillRun(TCanvas3D& canvas, size_t begin, size_t end, bool atFrontDepth) {
  if (end - begin < 2) return;
  const int32_t z0 = DepthStart();
  // A view that moves the front depth by whole pixels projects a corner by adding them.
  int64_t dx = 0, dy = 0;
  const bool shifts = atFrontDepth && canvas.ShiftsAtDepth(z0, dx, dy) && std::abs(dx) <= PolygonLimit &&
                      std::abs(dy) <= PolygonLimit;
  const auto corner = [&](fw::TPoint p) -> fw::TPoint {
    if (shifts) return {static_cast<int32_t>(Limited(p).X + dx), static_cast<int32_t>(Limited(p).Y + dy)};
    if (atFrontDepth) return canvas.ProjectToPoint(Limited(p).X, Limited(p).Y, z0);
    return p;
  };
  const bool merge = gMergeDrawing;
  const auto add = [&](fw::TPoint p) { mCorners.Add(corner(p), merge); };
  // Without stairs the corners of a pixel column's points lie on one vertical line, unless a
  // projection moves each its own way: merged, only a few of them are asked for.
  const bool byColumns = merge && !mStairs && (shifts || !atFrontDepth);
  canvas.Pen().SetStyle(fw::psClear);
  size_t from = begin;
  while (from + 1 < end) {
    const fw::TColor color = mPass[from + 1].Color;
    size_t to = from + 1;
    while (to + 1 < end && mPass[to + 1].Color == color) ++to;
    mCorners.Clear();
    if (byColumns) {
      for (size_t k = from; k <= to;) {
        size_t e = k + 1;
        while (e <= to && mPass[e].X == mPass[k].X) ++e;
        mCorners.AddVertical(e - k, [&](size_t t) { return corner({mPass[k + t].X, mPass[k + t].Y}); }, merge);
        k = e;
      }
      for (size_t k = to + 1; k-- > from;) {
        size_t b = k;
        while (b > from && mPass[b - 1].X == mPass[k].X) --b;
        mCorners.AddVertical(k - b + 1, [&](size_t t) { return corner({mPass[k - t].X, mPass[k - t].Origin}); },
                             merge);
        k = b;
      }
    } else {
      for (size_t k = from; k <= to; ++k) {
        const fw::TPoint p{mPass[k].X, mPass[k].Y};
        if (k > from) add(StairCorner({mPass[k - 1].X, mPass[k - 1].Y}, p));
        add(p);
      }
      for (size_t k = to + 1; k-- > from;) {
        const fw::TPoint o{mPass[k].X, mPass[k].Origin};
        add(o);
        if (k > from) add(StairCorner({mPass[k - 1].X, mPass[k - 1].Origin}, o));
      }
    }
    canvas.Brush().Assign(*mAreaBrush);
    canvas.Brush().SetColor(AreaFill(color));
    canvas.DrawPolygon(mCorners.Points());
    from = to;
  }
}

// The line through mPass[begin..end): one call per point, none for a point on the previous pixel.
// A line series draws each segment in its point's colour; an area's edge keeps LinePen's.
void TCustomSeries::DrawLineRun(TCanvas3D& canvas, size_t begin, size_t end) {
  if (end - begin < 2) return;
  if (DrawLineRunByColumns(canvas, begin, end)) return;
  fw::TColor penColor = canvas.Pen().Color();
  fw::TPoint last{mPass[begin].X, mPass[begin].Y};
  canvas.MovePenTo(last.X, last.Y);
  for (size_t k = begin + 1; k < end; ++k) {
    const fw::TPoint p{mPass[k].X, mPass[k].Y};
    if (p.X == last.X && p.Y == last.Y) continue;
    if (!mDrawArea && mPass[k].Color != penColor) {
      penColor = mPass[k].Color;
      canvas.Pen().SetColor(penColor);
    }
    if (mStairs) {
      const fw::TPoint corner = StairCorner(last, p);
      canvas.DrawLineTo(corner.X, corner.Y);
    }
    canvas.DrawLineTo(p.X, p.Y);
    last = p;
  }
}

bool TCustomSeries::DrawLineRunByColumns(TCanvas3D& canvas, size_t begin, size_t end) {
  // Lines that leave the union of their pixels (one colour, solid, one pixel wide, copied on a
  // plain surface), without stair corners.
  fw::TSurface* surface = canvas.Surface();
  if (!gMergeDrawing || mStairs || !surface || !surface->LinesFormPixelUnion()) return false;
  // A line series draws in its points' colour: one for the whole run, taken with the first line
  // drawn, as the point-by-point walk takes it.
  bool recolour = false;
  const fw::TColor color = mPass[begin + 1].Color;
  if (!mDrawArea) {
    for (size_t k = begin + 2; k < end; ++k)
      if (mPass[k].Color != color) return false;
    recolour = canvas.Pen().Color() != color;
  }
  // Each column's run of points is drawn with at most four lines (WalkColumn).
  fw::TPoint last{mPass[begin].X, mPass[begin].Y};
  canvas.MovePenTo(last.X, last.Y);
  const auto to = [&](int32_t x, int32_t y) {
    if (x == last.X && y == last.Y) return;
    if (recolour) {
      canvas.Pen().SetColor(color);
      recolour = false;
    }
    canvas.DrawLineTo(x, y);
    last = {x, y};
  };
  const auto rowOf = [this](size_t k) { return mPass[k].Y; };
  const auto extremes = [this](size_t from, size_t until, int32_t& lo, int32_t& hi) {
    lo = hi = mPass[from].Y;
    for (size_t k = from + 1; k < until; ++k) {
      lo = std::min(lo, mPass[k].Y);
      hi = std::max(hi, mPass[k].Y);
    }
  };
  for (size_t i = begin; i < end;) {
    const int32_t x = mPass[i].X;
    size_t j = i;
    while (j + 1 < end && mPass[j + 1].X == x) ++j;
    WalkColumn(x, i, j, rowOf, extremes, to);
    i = j + 1;
  }
  return true;
}

void TCustomSeries::DrawAreaLines(TCanvas3D& canvas, size_t begin, size_t end) {
  canvas.ApplyChartPen(*mAreaLinesPen);
  if (!mAreaLinesPen->Visible()) return;
  if (!gMergeDrawing || !PenMerges(canvas.Pen())) {
    for (size_t k = begin; k < end; ++k)
      if (!mPass[k].Gap) canvas.DrawSegment(mPass[k].X, mPass[k].Y, mPass[k].X, mPass[k].Origin);
    return;
  }
  // Lines of one column that share their origin pixel cover, above the origin, the pixels of the
  // highest of them and, below it, those of the lowest: two segments draw them all.
  bool open = false;
  int32_t x = 0, origin = 0, highest = 0, lowest = 0;
  const auto flush = [&] {
    if (!open) return;
    if (highest < origin) canvas.DrawSegment(x, highest, x, origin);
    if (lowest > origin) canvas.DrawSegment(x, lowest, x, origin);
  };
  for (size_t k = begin; k < end; ++k) {
    const TPassPoint& p = mPass[k];
    if (p.Gap) continue;
    if (!open || p.X != x || p.Origin != origin) {
      flush();
      open = true;
      x = p.X;
      origin = highest = lowest = p.Origin;
    }
    highest = std::min(highest, p.Y);
    lowest = std::max(lowest, p.Y);
  }
  flush();
}

fw::TColor TCustomSeries::SideColor(fw::TColor color) { return DarkenColor(color, SideShade); }

bool TCustomSeries::RibbonShowsUnderside(TCanvas3D& canvas, fw::TPoint a, fw::TPoint b) const {
  const int32_t z0 = DepthStart(), z1 = DepthEnd();
  const std::array<fw::TPoint, 4> q{canvas.ProjectToPoint(a.X, a.Y, z0), canvas.ProjectToPoint(b.X, b.Y, z0),
                                    canvas.ProjectToPoint(b.X, b.Y, z1), canvas.ProjectToPoint(a.X, a.Y, z1)};
  return mDark3D && SignedArea(q) > 0;
}

fw::TColor TCustomSeries::RibbonFill(TCanvas3D& canvas, fw::TPoint a, fw::TPoint b, fw::TColor color) const {
  return RibbonShowsUnderside(canvas, a, b) ? SideColor(color) : color;
}

void TCustomSeries::DrawRibbon(TCanvas3D& canvas, fw::TPoint a, fw::TPoint b, fw::TColor color) {
  if (a.X == b.X && a.Y == b.Y) return;
  canvas.Brush().SetStyle(fw::bsSolid);
  canvas.Brush().SetColor(RibbonFill(canvas, a, b, color));
  canvas.DrawExtrudedSegment(Limited(a), Limited(b), DepthStart(), DepthEnd());
}

fw::TColor TCustomSeries::AreaFill(fw::TColor pointColor) const {
  return mAreaBrush->Color() == fw::clDefault ? pointColor : mAreaBrush->Color();
}

void TCustomSeries::DrawPrismTop(TCanvas3D& canvas, const TPassPoint& a, const TPassPoint& b, bool last) {
  const int32_t z0 = DepthStart(), z1 = DepthEnd();
  const fw::TColor fill = AreaFill(b.Color);
  const fw::TPoint top0{a.X, a.Y}, top1{b.X, b.Y}, corner = StairCorner(top0, top1);
  // Back to front: the top (through the stair corner), then the closing end.
  canvas.ApplyChartPen(*mLinePen);
  if (mStairs) DrawRibbon(canvas, top0, corner, fill);
  DrawRibbon(canvas, mStairs ? corner : top0, top1, fill);
  if (last) {
    canvas.Brush().SetColor(mDark3D ? DarkenColor(fill, SideShade) : fill);
    canvas.DrawSidePlane(b.X, std::clamp(b.Y, -PolygonLimit, PolygonLimit),
                         std::clamp(b.Origin, -PolygonLimit, PolygonLimit), z0, z1);
  }
}

void TCustomSeries::DrawPrism(TCanvas3D& canvas, const TPassPoint& a, const TPassPoint& b, bool last) {
  DrawPrismTop(canvas, a, b, last);
  const int32_t z0 = DepthStart();
  const fw::TColor fill = AreaFill(b.Color);
  const fw::TPoint top0{a.X, a.Y}, top1{b.X, b.Y}, corner = StairCorner(top0, top1);
  const fw::TPoint bottom0{a.X, a.Origin}, bottom1{b.X, b.Origin};
  const fw::TPoint bottomCorner = StairCorner(bottom0, bottom1);
  canvas.Pen().SetStyle(fw::psClear);
  canvas.Brush().Assign(*mAreaBrush);
  canvas.Brush().SetColor(fill);
  std::array<fw::TPoint, 6> front{top0, corner, top1, bottom1, bottomCorner, bottom0};
  for (fw::TPoint& p : front) p = canvas.ProjectToPoint(Limited(p).X, Limited(p).Y, z0);
  canvas.DrawPolygon(front);
}

bool TCustomSeries::FrontsAfterTops(TCanvas3D& canvas, size_t count) const {
  // In an oblique view the top and the closing end of a prism (outlined by a pen no wider than
  // a pixel) lie right of its left end, and the front of a prism left of its right end: with X
  // ascending, no front shares a pixel with the top or end of a later prism of its run.
  if (!gMergeDrawing || mStairs || !canvas.IsOrthogonal()) return false;
  if (mLinePen->Visible() && mLinePen->Width() > 1) return false;
  // The fronts are filled by the surface's own rasterizer, for which a polygon fills the pixels
  // of the pieces it is cut into.
  if (!fw::TSurface::DirectFill() || mAreaBrush->Style() != fw::bsSolid || mAreaBrush->HasBrushBitmap()) return false;
  int64_t lo = INT64_MAX, hi = INT64_MIN;
  for (size_t k = 0; k < count; ++k) {
    const TPassPoint& p = mPass[k];
    if (p.Gap) continue;
    if (k > 0 && !mPass[k - 1].Gap && p.X < mPass[k - 1].X) return false;
    lo = std::min<int64_t>({lo, p.X, p.Y, p.Origin});
    hi = std::max<int64_t>({hi, p.X, p.Y, p.Origin});
  }
  if (lo > hi) return true;
  const int32_t z0 = DepthStart();
  for (const int64_t x : {lo, hi})
    for (const int64_t y : {lo, hi}) {
      const fw::TPoint p = canvas.ProjectToPoint(static_cast<int32_t>(std::clamp<int64_t>(x, -PolygonLimit, PolygonLimit)),
                                                 static_cast<int32_t>(std::clamp<int64_t>(y, -PolygonLimit, PolygonLimit)), z0);
      if (std::abs(int64_t{p.X}) > fw::TSurface::DirectFillReach ||
          std::abs(int64_t{p.Y}) > fw::TSurface::DirectFillReach)
        return false;
    }
  return true;
}

void TCustomSeries::DrawSegment3D(TCanvas3D& canvas, const TPassPoint& a, const TPassPoint& b, bool last) {
  if (a.Gap || b.Gap) return;
  if (mDrawArea) {
    DrawPrism(canvas, a, b, last);
    return;
  }
  if (!mDrawLine) return;
  canvas.ApplyChartPen(*mLinePen);
  const fw::TPoint p0{a.X, a.Y}, p1{b.X, b.Y}, corner = StairCorner(p0, p1);
  if (mStairs) DrawRibbon(canvas, p0, corner, b.Color);
  DrawRibbon(canvas, mStairs ? corner : p0, p1, b.Color);
}

void TCustomSeries::DrawAllPoints() {
  TSeriesHost* chart = ParentChart();
  const int32_t first = FirstVisible();
  const int32_t last = std::min(LastVisible(), PointCount() - 1);
  if (!chart || first < 0 || last < first) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  const bool stacked = Stacked();
  std::unique_ptr<TSeriesStack> stack;
  if (stacked) stack = std::make_unique<TSeriesStack>(Stack());

  // The line and the fill enter from the point just before the visible range.
  mPassStart = first > 0 ? first - 1 : first;
  mPassFirst = static_cast<size_t>(first - mPassStart);
  mPass.clear();
  // Dense markers go by their pixel columns, after the line and the fill.
  TPointerColumns markerColumns;
  const bool markersApart = PointerColumnsApply(canvas, first, last, markerColumns);
  const auto drawPointers = [&] {
    if (markersApart)
      DrawPointerColumns(canvas, first, last, markerColumns);
    else
      DrawPointers(canvas, mPassFirst, mPass.size());
  };
  if (markersApart && !mDrawLine && !mDrawArea) {
    drawPointers();
    return;
  }
  // A 3D area's column pass holds only what its tops drawn by columns and its fronts drawn
  // after them need.
  const bool area3D = chart->ChartView3D() && mDrawArea;
  bool fronts = false;  // a 3D area's fronts drawn after its tops, for the pass as it stands
  bool columnPass = AppendColumnPass(canvas, first, last, markersApart);
  if (columnPass && area3D) columnPass = fronts = FrontsAfterTops(canvas, mPass.size());
  if (!columnPass) {
    mPass.clear();
    mPassFirst = static_cast<size_t>(first - mPassStart);
    AppendPassPoints(mPassStart, last, stack.get());
    fronts = area3D && FrontsAfterTops(canvas, mPass.size());
  }
  const size_t count = mPass.size();

  // Runs of points without gaps.
  const auto forEachRun = [&](auto&& draw) {
    size_t k = 0;
    while (k < count) {
      while (k < count && mPass[k].Gap) ++k;
      size_t end = k;
      while (end < count && !mPass[end].Gap) ++end;
      if (end > k) draw(k, end);
      k = end;
    }
  };
  if (chart->ChartView3D()) {
    if (fronts) {
      // Each run's tops and ends, then its fronts as one polygon a colour, as a flat area's.
      const bool columns = RibbonColumnsApply(canvas);
      forEachRun([&](size_t b, size_t e) {
        if (columns)
          DrawRibbonsByColumns(canvas, b, e, true);
        else
          for (size_t k = b + 1; k < e; ++k) DrawPrismTop(canvas, mPass[k - 1], mPass[k], k + 1 == e);
        FillRun(canvas, b, e, true);
      });
    } else if (mDrawLine && !mDrawArea && RibbonColumnsApply(canvas)) {
      DrawRibbonsByColumns(canvas, 0, count, false);
    } else {
      for (size_t k = 1; k < count; ++k)
        DrawSegment3D(canvas, mPass[k - 1], mPass[k], k + 1 == count || mPass[k + 1].Gap);
    }
    drawPointers();
    return;
  }
  if (mDrawArea) {
    forEachRun([&](size_t b, size_t e) { FillRun(canvas, b, e); });
    DrawAreaLines(canvas, mPassFirst, count);
  }
  if (mDrawLine) {
    PrepareLinePen(canvas);
    forEachRun([&](size_t b, size_t e) { DrawLineRun(canvas, b, e); });
  }
  drawPointers();
}

void TCustomSeries::DrawOnePoint(int32_t index) {
  TSeriesHost* chart = ParentChart();
  if (!chart || index < 0 || index >= PointCount()) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  std::unique_ptr<TSeriesStack> stack;
  if (Stacked()) stack = std::make_unique<TSeriesStack>(Stack());
  const TPassPoint b = PassPoint(index, stack.get());
  const bool view3D = chart->ChartView3D();
  if (index > 0 && index >= FirstVisible() && index <= LastVisible()) {
    const TPassPoint a = PassPoint(index - 1, stack.get());
    const bool lastOfRun = index + 1 >= PointCount() || index == LastVisible() || IsGap(index + 1);
    if (view3D) {
      DrawSegment3D(canvas, a, b, lastOfRun);
    } else {
      mPass.assign({a, b});
      if (mDrawArea && !a.Gap && !b.Gap) FillRun(canvas, 0, 2);
      if (mDrawLine && !a.Gap && !b.Gap) {
        PrepareLinePen(canvas);
        DrawLineRun(canvas, 0, 2);
      }
    }
  }
  if (mPointer->Visible() && !b.Gap) mPointer->Draw(canvas, view3D, b.X, b.Y, DepthStart(), DepthEnd(), b.Color);
}

void TCustomSeries::DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) {
  if (std::isnan(XValueOf(index)) || std::isnan(YValueOf(index))) return;
  const int64_t lift = Marks().ArrowLength();
  position.ArrowToY = static_cast<int32_t>(std::clamp<int64_t>(position.ArrowToY - lift, INT32_MIN, INT32_MAX));
  position.LeftTopY = static_cast<int32_t>(std::clamp<int64_t>(position.LeftTopY - lift, INT32_MIN, INT32_MAX));
  TChartSeries::DrawMark(index, text, position);
}

// ---------------------------------------------------------------- hit testing

int32_t TCustomSeries::ClickedArea(int32_t x, int32_t y, const TSeriesStack* stack) const {
  for (int32_t i = std::max(FirstVisible(), 1); i <= LastVisible(); ++i) {
    const TPassPoint a = PassPoint(i - 1, stack);
    const TPassPoint b = PassPoint(i, stack);
    if (a.Gap || b.Gap || a.X == b.X) continue;
    const int32_t lo = std::min(a.X, b.X), hi = std::max(a.X, b.X);
    if (x < lo || x > hi) continue;
    // The top and the origin at x: straight between the points, or held at the stair's level.
    const double t = static_cast<double>(int64_t{x} - a.X) / static_cast<double>(int64_t{b.X} - a.X);
    double top, origin;
    if (mStairs && !mInvertedStairs) {
      top = x == b.X ? b.Y : a.Y;
      origin = x == b.X ? b.Origin : a.Origin;
    } else if (mStairs) {
      top = x == a.X ? a.Y : b.Y;
      origin = x == a.X ? a.Origin : b.Origin;
    } else {
      top = a.Y + t * (static_cast<double>(b.Y) - a.Y);
      origin = a.Origin + t * (static_cast<double>(b.Origin) - a.Origin);
    }
    if (y < std::min(top, origin) - 0.5 || y > std::max(top, origin) + 0.5) continue;
    return 2 * (int64_t{x} - a.X) < int64_t{b.X} - a.X ? i - 1 : i;
  }
  return -1;
}

int32_t TCustomSeries::ClickedIndex(int32_t x, int32_t y) const {
  const int32_t first = FirstVisible();
  const int32_t last = std::min(LastVisible(), PointCount() - 1);
  if (first < 0 || last < first) return -1;
  if (TSeriesHost* chart = ParentChart()) chart->Canvas3D().UnprojectPoint(x, y, DepthMiddle());
  std::unique_ptr<TSeriesStack> stack;
  if (Stacked()) stack = std::make_unique<TSeriesStack>(Stack());
  if (mPointer->Visible()) {
    for (int32_t i = first; i <= last; ++i) {
      const TPassPoint p = PassPoint(i, stack.get());
      if (!p.Gap && mPointer->Contains(p.X, p.Y, x, y)) return i;
    }
  }
  if (mDrawLine) {
    const fw::TPoint click{x, y};
    for (int32_t i = std::max(first, 1); i <= last; ++i) {
      const TPassPoint a = PassPoint(i - 1, stack.get());
      const TPassPoint b = PassPoint(i, stack.get());
      if (a.Gap || b.Gap) continue;
      const fw::TPoint p0{a.X, a.Y}, p1{b.X, b.Y}, corner = StairCorner(p0, p1);
      if (click.X == p1.X && click.Y == p1.Y) return i;
      if (click.X == p0.X && click.Y == p0.Y) return i - 1;
      const bool onLine = mStairs ? TFastLineSeries::PointOnSegment(click, p0, corner, 0) ||
                                        TFastLineSeries::PointOnSegment(click, corner, p1, 0)
                                  : TFastLineSeries::PointOnSegment(click, p0, p1, 0);
      if (onLine) return i - 1;
    }
  }
  if (mDrawArea) return ClickedArea(x, y, stack.get());
  return -1;
}

}  // namespace chart
