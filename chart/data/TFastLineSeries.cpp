#include "chart/data/TFastLineSeries.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "chart/ChartConst.h"
#include "chart/axes/TAxisScale.h"
#include "chart/data/ColumnWalk.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TSeriesMarks.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TSurface.h"

namespace chart {

namespace {

__extension__ typedef __int128 Int128;

// Styled lines of width 1 print at width 0 (thin on a printer).
void AdjustPenForPrinting(fw::TPen& pen) {
  if (pen.Style() != fw::psSolid && pen.Width() == 1) pen.SetWidth(0);
}

// Leaves DrawAllPoints' pass state even when a drawing call throws.
class PassScope {
public:
  explicit PassScope(bool& flag) : mFlag(flag) { mFlag = true; }
  ~PassScope() { mFlag = false; }
  PassScope(const PassScope&) = delete;
  PassScope& operator=(const PassScope&) = delete;

private:
  bool& mFlag;
};

}  // namespace

TFastLineSeries::TFastLineSeries(fw::TComponent* owner)
    : TChartSeries(owner), mLinePen(std::make_unique<TChartPen>([this] { LinePenChanged(); })) {
  SetSinglePointAllowed(false);
  SetExtendToEdge(true);
}

TFastLineSeries::~TFastLineSeries() = default;

std::string TFastLineSeries::EditorName() const { return ChartConst::FastLineSeriesEditorName; }

void TFastLineSeries::LinePenChanged() { RequestRepaint(); }

// ---------------------------------------------------------------- colour and pen

void TFastLineSeries::SetSeriesColor(fw::TColor value) {
  TChartSeries::SetSeriesColor(value);
  mLinePen->SetColor(value);
}

void TFastLineSeries::SetLinePen(const fw::TPen& value) {
  mLinePen->Assign(value);
  SetSeriesColor(mLinePen->Color());
}

void TFastLineSeries::Assign(const TChartSeries& source) {
  if (&source == this) return;
  if (auto* line = dynamic_cast<const TFastLineSeries*>(&source)) {
    SetAutoRepaint(line->mAutoRepaint);
    mLinePen->Assign(*line->mLinePen);
  }
  TChartSeries::Assign(source);
}

// ---------------------------------------------------------------- drawing

void TFastLineSeries::PrepareCanvas(TCanvas3D& canvas) const {
  canvas.ApplyChartPen(*mLinePen);
  if (!canvas.Surface()) return;
  TSeriesHost* chart = ParentChart();
  if (chart && chart->ChartPrintingActive()) AdjustPenForPrinting(canvas.Pen());
  canvas.Brush().SetStyle(fw::bsClear);
}

void TFastLineSeries::MoveTo(TCanvas3D& canvas, bool view3D, int32_t z, int32_t x, int32_t y) {
  if (view3D)
    canvas.MovePenToAtDepth(x, y, z);
  else
    canvas.MovePenTo(x, y);
}

void TFastLineSeries::LineTo(TCanvas3D& canvas, bool view3D, int32_t z, int32_t x, int32_t y) {
  if (view3D)
    canvas.DrawLineToAtDepth(x, y, z);
  else
    canvas.DrawLineTo(x, y);
}

void TFastLineSeries::DrawPoint(TCanvas3D& canvas, bool view3D, int32_t z, int32_t index) {
  int32_t x;
  const double xValue = XValueOf(index);
  if (mInPass && mPassXValid && xValue == mPassXValue) {
    x = mPassXPixel;  // equal values (also -0 and 0) map to one pixel; NaN never compares equal
  } else {
    x = XPixelOfValue(xValue);
    if (mInPass) {
      mPassXValid = true;
      mPassXValue = xValue;
      mPassXPixel = x;
    }
  }
  const int32_t y = PointY(index);
  if (index == FirstVisible()) {
    if (index == 0) {
      MoveTo(canvas, view3D, z, x, y);
    } else {
      // Enter from the point just outside the visible range.
      const int32_t x0 = PointX(index - 1);
      const int32_t y0 = PointY(index - 1);
      if (view3D)
        canvas.DrawSegmentAtDepth(x0, y0, x, y, z);
      else
        canvas.DrawSegment(x0, y0, x, y);
    }
  } else {
    if (x == mLastX && y == mLastY) return;
    LineTo(canvas, view3D, z, x, y);
  }
  mLastX = x;
  mLastY = y;
}

void TFastLineSeries::DrawAllPoints() {
  TSeriesHost* chart = ParentChart();
  const int32_t first = FirstVisible();
  const int32_t last = LastVisible();
  if (!chart || first < 0 || last < first) return;
  TCanvas3D& canvas = chart->Canvas3D();
  PrepareCanvas(canvas);
  const bool view3D = chart->ChartView3D();
  const int32_t z = DepthMiddle();
  const PassScope pass(mInPass);
  mPassXValid = false;  // the axes may have changed since the last pass
  if (DrawColumns(canvas, view3D, z, first, last)) return;
  for (int32_t i = first; i <= last; ++i) DrawPoint(canvas, view3D, z, i);
}

bool TFastLineSeries::DrawColumns(TCanvas3D& canvas, bool view3D, int32_t z, int32_t first, int32_t last) {
  const TAxisScale* horiz = HorizScale();
  const TAxisScale* vert = VertScale();
  if (!horiz || !vert || horiz->Logarithmic || vert->Logarithmic) return false;
  if (!XValues().AscendsAsRead()) return false;
  const double yMultiplier = YValues().Multiplier();
  if (!(yMultiplier > 0 && yMultiplier <= std::numeric_limits<double>::max())) return false;
  fw::TSurface* surface = canvas.Surface();
  if (!surface || !surface->LinesFormPixelUnion()) return false;
  // The pass is one polyline from the point before FirstVisible (when there is one); its X
  // values ascend and map monotonically when both ends do.
  const int32_t start = first > 0 ? first - 1 : first;
  if (!horiz->MapsMonotonically(XValueOf(start)) || !horiz->MapsMonotonically(XValueOf(last))) return false;
  // Sparse lines are drawn point by point: a column of one or two points gains nothing.
  const int64_t columns = std::abs(int64_t{PointX(last)} - PointX(start)) + 1;
  if (int64_t{last} - start + 1 < columns * ColumnsFromDensity) return false;
  if (view3D) {
    // Moved by whole pixels, the lines at the series' depth are the flat ones moved: the same
    // union of pixels, provided no point's sum wraps.
    int64_t dx, dy;
    if (!canvas.ShiftsAtDepth(z, dx, dy)) return false;
    // The rows lie between those of the extremes the value list keeps (NaN left out; NaN maps
    // to one row) when both map monotonically: no pass over the points. Otherwise RowExtremes.
    int32_t top, bottom;
    const double lowest = YValues().MinimumValue(), highest = YValues().MaximumValue();
    if (vert->MapsMonotonically(lowest) && vert->MapsMonotonically(highest)) {
      const int32_t a = YPixelOfValue(lowest), b = YPixelOfValue(highest);
      const int32_t c = YPixelOfValue(std::numeric_limits<double>::quiet_NaN());
      top = std::min({a, b, c});
      bottom = std::max({a, b, c});
    } else {
      RowExtremes(start, last + 1, top, bottom);
    }
    const int64_t left = std::min(PointX(start), PointX(last)), right = std::max(PointX(start), PointX(last));
    const auto inRange = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
    if (!inRange(left + dx) || !inRange(right + dx) || !inRange(top + dy) || !inRange(bottom + dy)) return false;
  }

  bool moved = false;
  auto to = [&](int32_t x, int32_t y) {
    if (!moved) {
      MoveTo(canvas, view3D, z, x, y);
      moved = true;
    } else if (x != mLastX || y != mLastY) {
      LineTo(canvas, view3D, z, x, y);
    } else {
      return;
    }
    mLastX = x;
    mLastY = y;
  };
  // Each column's run of points is drawn with at most four lines (WalkColumn).
  const auto rowOf = [this](int32_t k) { return PointY(k); };
  const auto extremes = [this](int32_t from, int32_t until, int32_t& lo, int32_t& hi) { RowExtremes(from, until, lo, hi); };
  const auto columnOf = [this](int32_t k) { return PointX(k); };
  int32_t length = 1;
  for (int32_t i = start; i <= last;) {
    const int32_t column = PointX(i);
    const int32_t j = ColumnEnd(i, last, column, length, columnOf);
    length = j - i + 1;
    WalkColumn(column, i, j, rowOf, extremes, to);
    i = j + 1;
  }
  return true;
}

void TFastLineSeries::DrawOnePoint(int32_t index) {
  TSeriesHost* chart = ParentChart();
  if (!chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  const bool view3D = chart->ChartView3D();
  const int32_t z = DepthMiddle();
  if (!mInPass) {
    // Drawn point by point between other series (3D series sharing a depth level): the pen
    // and its position may belong to another series, so take them back first.
    PrepareCanvas(canvas);
    if (index != FirstVisible()) MoveTo(canvas, view3D, z, mLastX, mLastY);
  }
  DrawPoint(canvas, view3D, z, index);
}

void TFastLineSeries::AddedPoint(int32_t index) {
  if (mAutoRepaint) {
    TChartSeries::AddedPoint(index);
    return;
  }
  TSeriesHost* chart = ParentChart();
  if (!chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  // An invisible line pen must not draw here either: the pen goes on like in a pass.
  PrepareCanvas(canvas);
  const bool view3D = chart->ChartView3D();
  const int32_t z = DepthMiddle();
  // The pen starts at the point before the new one; the last-drawn pixel that DrawPoint compares
  // with stays the one of the previous drawing.
  const int32_t from = index > 0 ? index - 1 : 0;
  MoveTo(canvas, view3D, z, PointX(from), PointY(from));
  DrawPoint(canvas, view3D, z, index);
}

void TFastLineSeries::AddedPointOfMany(int32_t index) {
  if (mAutoRepaint)
    TChartSeries::AddedPointOfMany(index);
  else
    AddedPoint(index);
}

void TFastLineSeries::AddedPoints(int32_t count) {
  if (mAutoRepaint) TChartSeries::AddedPoints(count);
}

void TFastLineSeries::DrawLegendSymbol(int32_t, const fw::TRect& rect) {
  TSeriesHost* chart = ParentChart();
  if (!chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  PrepareCanvas(canvas);
  // Middle rounded down, also for negative coordinates, without overflow.
  const int64_t sum = int64_t{rect.Top} + rect.Bottom;
  const int32_t y = static_cast<int32_t>(sum >= 0 ? sum / 2 : -((-sum + 1) / 2));
  canvas.DrawHorizontalLine(rect.Left, rect.Right, y);
}

void TFastLineSeries::DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) {
  // Wrapping, not overflowing, for points far off the surface.
  const int64_t lift = Marks().ArrowLength();
  position.ArrowToY = static_cast<int32_t>(position.ArrowToY - lift);
  position.LeftTopY = static_cast<int32_t>(position.LeftTopY - lift);
  TChartSeries::DrawMark(index, text, position);
}

// ---------------------------------------------------------------- hit testing

bool TFastLineSeries::PointOnSegment(fw::TPoint p, fw::TPoint a, fw::TPoint b, int32_t tolerance) {
  // 64-bit throughout: the same answers as 32-bit arithmetic for on-screen pixels, and no
  // overflow for pixels far outside it.
  const int64_t dx = int64_t{b.X} - a.X;
  const int64_t dy = int64_t{b.Y} - a.Y;
  const int64_t m = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
  const Int128 cross = static_cast<Int128>(dy) * (int64_t{p.X} - a.X) -
                         static_cast<Int128>(dx) * (int64_t{p.Y} - a.Y);
  const Int128 c = cross < 0 ? -cross : cross;
  if (c >= m) return false;
  const int64_t t = tolerance;
  const auto lt = [t](int64_t u, int64_t v) { return u + t < v; };
  const auto beyond = [&lt](int64_t pv, int64_t av, int64_t bv) {
    return (lt(bv, av) && lt(av, pv)) || (lt(pv, av) && lt(av, bv)) || (lt(av, bv) && lt(bv, pv)) ||
           (lt(pv, bv) && lt(bv, av));
  };
  return !beyond(p.X, a.X, b.X) && !beyond(p.Y, a.Y, b.Y);
}

int32_t TFastLineSeries::ClickedIndex(int32_t x, int32_t y) const {
  const int32_t first = FirstVisible();
  const int32_t last = LastVisible();
  if (first == -1 || last == -1) return -1;
  if (TSeriesHost* chart = ParentChart()) chart->Canvas3D().UnprojectPoint(x, y, DepthMiddle());
  const fw::TPoint click{x, y};
  fw::TPoint previous{0, 0};
  for (int32_t i = first; i <= last; ++i) {
    const fw::TPoint point{PointX(i), PointY(i)};
    if (point.X == click.X && point.Y == click.Y) return i;
    if (i > first && PointOnSegment(click, point, previous, 0)) return i - 1;
    previous = point;
  }
  return -1;
}

}  // namespace chart
