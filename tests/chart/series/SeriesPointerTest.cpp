// The point marker: settings, rejected sizes, each style's pixels flat and its solid in 3D.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <vector>
#include <string>

#include "chart/ChartException.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TMarkerShape.h"
#include "chart/series/TPointSeries.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/graphics/TBitmap.h"
#include "tests/chart/series/SeriesTestSupport.h"

using namespace chart;
using seriestest::InkBounds;

namespace {

// The marker of `style` drawn flat at (20, 20) in red with half sizes h and v on a white 40 x 40
// image; the outline pen is red too unless `outline` is given.
struct TFlatPointer {
  fw::TBitmap Image{40, 40};
  TPointSeries Series;
  TChartCanvas3D Canvas;

  TFlatPointer(TSeriesPointerStyle style, int32_t h, int32_t v, fw::TColor outline = fw::clRed) {
    Canvas.AttachSurface(&Image.Canvas());
    Series.Pointer().SetStyle(style);
    Series.Pointer().SetHorizSize(h);
    Series.Pointer().SetVertSize(v);
    Series.Pointer().Pen().SetColor(outline);
  }
  fw::TSurface& Draw() {
    Series.Pointer().Draw(Canvas, false, 20, 20, 0, 0, fw::clRed);
    return Image.Canvas();
  }
  fw::TColor At(int32_t x, int32_t y) { return Image.Canvas().GetPixel(x, y); }
};

fw::TRect Box(int32_t l, int32_t t, int32_t r, int32_t b) { return {l, t, r, b}; }
const fw::TRect Whole{0, 0, 40, 40};

}  // namespace

TEST(SeriesPointer, DefaultsDependOnTheSeriesType) {
  TLineSeries line;
  TPointSeries point;
  EXPECT_FALSE(line.Pointer().Visible());
  EXPECT_TRUE(point.Pointer().Visible());
  const TSeriesPointer& p = point.Pointer();
  EXPECT_EQ(p.Style(), psRectangle);
  EXPECT_EQ(p.HorizSize(), 4);
  EXPECT_EQ(p.VertSize(), 4);
  EXPECT_TRUE(p.Draw3D());
  EXPECT_TRUE(p.Dark3D());
  EXPECT_TRUE(p.InflateMargins());
  EXPECT_EQ(p.Brush().Color(), fw::clDefault);
  EXPECT_EQ(p.Pen().Color(), fw::clBlack);
}

TEST(SeriesPointer, SizesOutsideTheirRangeAreRejectedAndTheOldValueStays) {
  TPointSeries s;
  s.Pointer().SetHorizSize(6);
  s.Pointer().SetVertSize(7);
  for (int32_t bad : {-1, 1001, INT_MIN, INT_MAX}) {
    try {
      s.Pointer().SetHorizSize(bad);
      FAIL() << bad;
    } catch (const ChartException& e) {
      EXPECT_EQ(std::string(e.what()), "Pointer size must be between 0 and 1000");
    }
    EXPECT_THROW(s.Pointer().SetVertSize(bad), ChartException);
  }
  EXPECT_EQ(s.Pointer().HorizSize(), 6);
  EXPECT_EQ(s.Pointer().VertSize(), 7);
  s.Pointer().SetHorizSize(0);
  s.Pointer().SetVertSize(1000);
  EXPECT_EQ(s.Pointer().HorizSize(), 0);
  EXPECT_EQ(s.Pointer().VertSize(), 1000);
}

TEST(SeriesPointer, AssignCopiesEverything) {
  TPointSeries s;
  TPointSeries other;
  other.Pointer().SetStyle(psStar);
  other.Pointer().SetHorizSize(2);
  other.Pointer().SetVertSize(9);
  other.Pointer().SetVisible(false);
  other.Pointer().SetDraw3D(false);
  other.Pointer().SetDark3D(false);
  other.Pointer().SetInflateMargins(false);
  other.Pointer().Brush().SetColor(fw::clBlue);
  other.Pointer().Pen().SetWidth(3);
  s.SetPointer(other.Pointer());
  EXPECT_EQ(s.Pointer().Style(), psStar);
  EXPECT_EQ(s.Pointer().HorizSize(), 2);
  EXPECT_EQ(s.Pointer().VertSize(), 9);
  EXPECT_FALSE(s.Pointer().Visible());
  EXPECT_FALSE(s.Pointer().Draw3D());
  EXPECT_FALSE(s.Pointer().Dark3D());
  EXPECT_FALSE(s.Pointer().InflateMargins());
  EXPECT_EQ(s.Pointer().Brush().Color(), fw::clBlue);
  EXPECT_EQ(s.Pointer().Pen().Width(), 3);
}

TEST(SeriesPointerPixels, RectangleCoversTwiceTheSizePlusOneWithItsOutline) {
  TFlatPointer p(psRectangle, 3, 2, fw::clBlack);
  fw::TSurface& s = p.Draw();
  EXPECT_EQ(InkBounds(s, Whole), Box(17, 18, 24, 23));
  EXPECT_EQ(p.At(17, 18), fw::clBlack);  // outline
  EXPECT_EQ(p.At(23, 22), fw::clBlack);
  EXPECT_EQ(p.At(20, 20), fw::clRed);    // fill in the point's colour
  EXPECT_EQ(p.At(18, 19), fw::clRed);
}

TEST(SeriesPointerPixels, BrushColourAndStyleOverrideTheFill) {
  TFlatPointer p(psRectangle, 3, 3, fw::clBlack);
  p.Series.Pointer().Brush().SetColor(fw::clBlue);
  p.Draw();
  EXPECT_EQ(p.At(20, 20), fw::clBlue);
  TFlatPointer q(psRectangle, 3, 3, fw::clBlack);
  q.Series.Pointer().Brush().SetStyle(fw::bsClear);
  q.Draw();
  EXPECT_EQ(q.At(20, 20), fw::clWhite);
  EXPECT_EQ(q.At(17, 17), fw::clBlack);
}

TEST(SeriesPointerPixels, CircleStaysInsideItsBoxAndFillsItsCentre) {
  TFlatPointer p(psCircle, 4, 4);
  fw::TSurface& s = p.Draw();
  EXPECT_EQ(InkBounds(s, Whole), Box(16, 16, 25, 25));
  EXPECT_EQ(p.At(20, 20), fw::clRed);
  EXPECT_EQ(p.At(16, 16), fw::clWhite);  // corners of the box stay free
  EXPECT_EQ(p.At(24, 24), fw::clWhite);
}

TEST(SeriesPointerPixels, TrianglesPointUpAndDown) {
  TFlatPointer up(psTriangle, 4, 4);
  fw::TSurface& s = up.Draw();
  EXPECT_EQ(InkBounds(s, Whole), Box(16, 16, 25, 25));
  EXPECT_EQ(up.At(20, 16), fw::clRed);    // apex on top
  EXPECT_EQ(up.At(16, 16), fw::clWhite);
  EXPECT_EQ(up.At(16, 24), fw::clRed);    // base at the bottom
  EXPECT_EQ(up.At(24, 24), fw::clRed);

  TFlatPointer down(psDownTriangle, 4, 4);
  fw::TSurface& d = down.Draw();
  EXPECT_EQ(InkBounds(d, Whole), Box(16, 16, 25, 25));
  EXPECT_EQ(down.At(20, 24), fw::clRed);
  EXPECT_EQ(down.At(16, 24), fw::clWhite);
  EXPECT_EQ(down.At(16, 16), fw::clRed);
}

TEST(SeriesPointerPixels, DiamondTouchesTheMiddlesOfItsBox) {
  TFlatPointer p(psDiamond, 4, 4);
  fw::TSurface& s = p.Draw();
  EXPECT_EQ(InkBounds(s, Whole), Box(16, 16, 25, 25));
  EXPECT_EQ(p.At(20, 16), fw::clRed);
  EXPECT_EQ(p.At(16, 20), fw::clRed);
  EXPECT_EQ(p.At(16, 16), fw::clWhite);
  EXPECT_EQ(p.At(24, 24), fw::clWhite);
}

TEST(SeriesPointerPixels, CrossesAndStarAreLinesInThePointsColour) {
  TFlatPointer cross(psCross, 3, 3, fw::clBlack);
  fw::TSurface& s = cross.Draw();
  EXPECT_EQ(InkBounds(s, Whole), Box(17, 17, 24, 24));
  EXPECT_EQ(seriestest::Count(s, Whole, fw::clRed), 13);  // 7 across + 7 down, sharing the centre
  EXPECT_EQ(cross.At(17, 20), fw::clRed);
  EXPECT_EQ(cross.At(20, 23), fw::clRed);
  EXPECT_EQ(cross.At(17, 17), fw::clWhite);

  TFlatPointer diagonal(psDiagCross, 3, 3);
  fw::TSurface& d = diagonal.Draw();
  EXPECT_EQ(InkBounds(d, Whole), Box(17, 17, 24, 24));
  EXPECT_EQ(seriestest::Count(d, Whole, fw::clRed), 13);
  EXPECT_EQ(diagonal.At(17, 17), fw::clRed);
  EXPECT_EQ(diagonal.At(23, 17), fw::clRed);
  EXPECT_EQ(diagonal.At(20, 17), fw::clWhite);

  TFlatPointer star(psStar, 3, 3);
  fw::TSurface& t = star.Draw();
  EXPECT_EQ(seriestest::Count(t, Whole, fw::clRed), 25);
  EXPECT_EQ(star.At(20, 17), fw::clRed);
  EXPECT_EQ(star.At(17, 17), fw::clRed);
  EXPECT_EQ(star.At(18, 17), fw::clWhite);
}

TEST(SeriesPointerPixels, SmallDotIsOnePixel) {
  TFlatPointer p(psSmallDot, 4, 4);
  fw::TSurface& s = p.Draw();
  EXPECT_EQ(InkBounds(s, Whole), Box(20, 20, 21, 21));
  EXPECT_EQ(p.At(20, 20), fw::clRed);
}

TEST(SeriesPointerPixels, ZeroSizeAndFarOffPointsAreSafe) {
  TFlatPointer p(psRectangle, 0, 0);
  fw::TSurface& s = p.Draw();
  EXPECT_EQ(InkBounds(s, Whole), Box(20, 20, 21, 21));
  TFlatPointer far(psStar, 1000, 1000);
  far.Series.Pointer().Draw(far.Canvas, false, INT_MAX, INT_MIN, 0, 0, fw::clRed);
  far.Series.Pointer().SetStyle(psDiamond);
  far.Series.Pointer().Draw(far.Canvas, false, INT_MIN, INT_MAX, 0, 0, fw::clRed);
  EXPECT_EQ(InkBounds(far.Image.Canvas(), Whole), fw::TRect(40, 40, 0, 0));
}

TEST(SeriesPointer, ContainsIsTheMarkersBoxEdgesIncluded) {
  TPointSeries s;
  s.Pointer().SetHorizSize(3);
  s.Pointer().SetVertSize(2);
  const TSeriesPointer& p = s.Pointer();
  EXPECT_TRUE(p.Contains(10, 10, 13, 12));
  EXPECT_TRUE(p.Contains(10, 10, 7, 8));
  EXPECT_FALSE(p.Contains(10, 10, 14, 10));
  EXPECT_FALSE(p.Contains(10, 10, 10, 13));
  EXPECT_FALSE(p.Contains(INT_MAX, INT_MAX, INT_MIN, INT_MIN));
}

TEST(SeriesPointerPixels, InThreeDimensionsTheRectangleIsACuboidAtTheSeriesDepth) {
  seriestest::TSeriesChart flat(120, 100, false);
  auto& a = flat.Add<TPointSeries>({5}, fw::clRed);
  a.Pointer().Pen().SetVisible(false);
  fw::TSurface& f = flat.Draw();
  const fw::TRect flatInk = InkBounds(f, {a.XPixel(0) - 8, a.YPixel(0) - 8, a.XPixel(0) + 9, a.YPixel(0) + 9});
  EXPECT_EQ(flatInk.Width(), 9);
  EXPECT_EQ(flatInk.Height(), 9);

  seriestest::TSeriesChart solid(120, 100, true);
  auto& b = solid.Add<TPointSeries>({5}, fw::clRed);
  b.Pointer().Pen().SetVisible(false);
  fw::TSurface& s = solid.Draw();
  // The front face is the flat square moved by the projection of the series' front; the side
  // and the top reach back by the depth, shaded.
  const fw::TPoint front = solid.Chart.Canvas().ProjectToPoint(b.XPixel(0), b.YPixel(0), b.DepthStart());
  EXPECT_EQ(solid.At(front.X, front.Y), fw::clRed);
  EXPECT_GT(b.DepthEnd(), b.DepthStart());
  const fw::TPoint back = solid.Chart.Canvas().ProjectToPoint(b.XPixel(0) + 4, b.YPixel(0) - 4, b.DepthEnd() - 1);
  const fw::TColor shaded = s.GetPixel(back.X, back.Y);
  EXPECT_NE(shaded, fw::clRed);
  EXPECT_NE(shaded, fw::clWhite);
}

namespace {

// Every pixel of the chart drawn on an image of its size at the given pixel ratio.
std::vector<fw::TColor> PixelsDrawn(seriestest::TSeriesChart& c, int32_t width, int32_t height, double ratio) {
  fw::TBitmap image(width, height, ratio);
  c.Chart.DrawToCanvas(image.Canvas(), c.Chart.GetPaintArea());
  return seriestest::AllPixels(image.Canvas());
}

// Every pixel of a flat frame of dense random markers, drawn with or without leaving out the
// markers that later ones on their pixel column cover: the same rounds both ways. Points many
// to a column and few, in order and not, repeated rows, rectangles and other styles, solid,
// clear and dotted pens, clear brushes, lines and areas with their markers, an inverted axis, a
// device pixel ratio of 1.5, markers cut by the image's edges; null points, NaN and far-off
// values and colours of the points' own, or none; values multiplied, by a negative factor too.
// Merged, dense markers are walked by columns (after a line or an area drawn from its columns'
// extremes) when `columns` is set.
std::vector<fw::TColor> DenseMarkerPixels(bool merge, bool columns, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  const seriestest::TColumnsScope byColumns(columns);
  const int32_t width = 80 + static_cast<int32_t>(rng() % 200), height = 60 + static_cast<int32_t>(rng() % 160);
  seriestest::TSeriesChart c(width, height);
  const int32_t n = 20 + static_cast<int32_t>(rng() % 6000);
  seriestest::TSeriesChart::SetRange(c.Chart.BottomAxis(), -2, n + 2.0);
  seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -30, 30);
  const uint32_t kind = rng() % 8;
  TCustomSeries& s = kind < 2    ? static_cast<TCustomSeries&>(c.Add<TLineSeries>({}, fw::clRed))
                     : kind == 2 ? static_cast<TCustomSeries&>(c.Add<TAreaSeries>({}, fw::clRed))
                                 : static_cast<TCustomSeries&>(c.Add<TPointSeries>({}, fw::clRed));
  s.Pointer().SetVisible(true);
  const bool shuffled = rng() % 5 == 0, rough = rng() % 2 == 0;
  double y = 0;
  for (int32_t i = 0; i < n; ++i) {
    y += static_cast<double>(rng() % 41) / 10.0 - 2.0;
    if (std::abs(y) > 28) y = -y / 2;
    double value = rng() % 4 == 0 ? std::round(y / 3) * 3 : y;
    if (rough && rng() % 400 == 0) value = (rng() % 2 ? 1 : -1) * 1e12;  // far off the image
    if (rough && rng() % 900 == 0) value = std::nan("");
    const fw::TColor colour =
        !rough ? fw::clDefault : rng() % 120 == 0 ? fw::clNone : rng() % 9 == 0 ? fw::clBlue : fw::clDefault;
    s.AppendPoint(shuffled ? static_cast<double>(rng() % n) : i, value, "", colour);
  }
  s.SetColorEachPoint(rng() % 5 == 0);
  TSeriesPointer& pointer = s.Pointer();
  pointer.SetStyle(rng() % 3 == 0 ? static_cast<TSeriesPointerStyle>(rng() % 9) : psRectangle);
  pointer.SetHorizSize(static_cast<int32_t>(rng() % 6));
  pointer.SetVertSize(static_cast<int32_t>(rng() % 6));
  pointer.Pen().SetColor(rng() % 2 ? fw::clBlack : fw::clGreen);
  switch (rng() % 7) {
    case 0: pointer.Pen().SetVisible(false); break;
    case 1: pointer.Pen().SetStyle(fw::psDot); break;
    case 2: pointer.Pen().SetWidth(2); break;
    default: break;
  }
  if (rng() % 8 == 0) pointer.Brush().SetStyle(fw::bsClear);
  if (rng() % 8 == 0) pointer.Brush().SetColor(fw::clYellow);
  if (rng() % 5 == 0) c.Chart.LeftAxis().SetInverted(true);
  if (rng() % 5 == 0) seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -8, 8);  // markers cut at the edges
  const double ratio = rng() % 6 == 0 ? 1.5 : 1.0;
  if (rng() % 3 == 0) {  // markers cut by the image's edges
    c.Chart.SetClipPoints(false);
    seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -(5.0 + rng() % 20), 5.0 + rng() % 20);
  }
  if (rng() % 4 == 0) s.YValues().SetMultiplier(rng() % 2 ? -1.5 : 0.5);
  return PixelsDrawn(c, width, height, ratio);
}

// The frames pixels(merge, columns, seed) of seeds 1..seeds: every marker drawn, against those
// left out by the pass and by columns, pixel for pixel.
template <class Pixels>
void ExpectTheSamePixelsEveryWay(const Pixels& pixels, uint32_t seeds) {
  for (uint32_t seed = 1; seed <= seeds; ++seed) {
    const std::vector<fw::TColor> plain = pixels(false, false, seed);
    for (const bool columns : {false, true}) {
      const std::vector<fw::TColor> merged = pixels(true, columns, seed);
      ASSERT_EQ(merged.size(), plain.size());
      ASSERT_EQ(seriestest::DifferingPixels(merged, plain), 0u) << "seed " << seed << (columns ? ", by columns" : "");
    }
  }
}

}  // namespace

TEST(SeriesPointerPixels, MarkersCoveredOnTheirColumnAreLeftOutWithTheSamePixels) {
  ExpectTheSamePixelsEveryWay(DenseMarkerPixels, 80);
}

namespace {

// Every pixel of a flat frame of markers many to a row on each pixel column, their values
// sweeping slowly past the top and the bottom of a small image with the points not clipped:
// the columns walked by rows meet markers that the image's edges cut.
std::vector<fw::TColor> EdgeMarkerPixels(bool merge, bool columns, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  const seriestest::TColumnsScope byColumns(columns);
  const int32_t width = 30 + static_cast<int32_t>(rng() % 60), height = 30 + static_cast<int32_t>(rng() % 60);
  seriestest::TSeriesChart c(width, height);
  c.Chart.SetClipPoints(false);
  const int32_t n = 4000 + static_cast<int32_t>(rng() % 8000);
  const double range = 2.0 + rng() % 6, reach = range * (1.5 + (rng() % 5) / 2.0);
  seriestest::TSeriesChart::SetRange(c.Chart.BottomAxis(), -2, n + 2.0);
  seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -range, range);
  TCustomSeries& s = c.Add<TPointSeries>({}, fw::clRed);
  const double period = n / (1.0 + rng() % 3), noise = (rng() % 4) * range / 20;
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int32_t i = 0; i < n; ++i)
    s.AppendPoint(i, reach * std::sin(6.283185307179586 * i / period) + noise * unit(rng), "", fw::clDefault);
  TSeriesPointer& pointer = s.Pointer();
  pointer.SetStyle(rng() % 3 == 0 ? static_cast<TSeriesPointerStyle>(rng() % 9) : psRectangle);
  pointer.SetHorizSize(1 + static_cast<int32_t>(rng() % 5));
  pointer.SetVertSize(1 + static_cast<int32_t>(rng() % 5));
  pointer.Pen().SetColor(rng() % 2 ? fw::clBlack : fw::clGreen);
  if (rng() % 3 == 0) pointer.Pen().SetVisible(false);
  if (rng() % 4 == 0) c.Chart.LeftAxis().SetInverted(true);
  if (rng() % 4 == 0) s.YValues().SetMultiplier(-1);
  return PixelsDrawn(c, width, height, rng() % 4 == 0 ? 1.5 : 1.0);
}

}  // namespace

TEST(SeriesPointerPixels, DenseColumnsAcrossTheImageEdgesLeaveOutOnlyWhatIsCovered) {
  ExpectTheSamePixelsEveryWay(EdgeMarkerPixels, 60);
}

namespace {

// Every pixel of a flat frame of markers many to a row on each pixel column, with values now and
// then far off the axis (so far that they do not map by the linear rule), infinite, NaN or null,
// in runs or alone: a column walked by rows meets them at any point of its walk.
std::vector<fw::TColor> FarOffMarkerPixels(bool merge, bool columns, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  const seriestest::TColumnsScope byColumns(columns);
  const int32_t width = 40 + static_cast<int32_t>(rng() % 80), height = 40 + static_cast<int32_t>(rng() % 80);
  seriestest::TSeriesChart c(width, height);
  const int32_t n = 3000 + static_cast<int32_t>(rng() % 9000);
  seriestest::TSeriesChart::SetRange(c.Chart.BottomAxis(), -2, n + 2.0);
  seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -10, 10);
  TCustomSeries& s = c.Add<TPointSeries>({}, fw::clRed);
  const double period = n / (1.0 + rng() % 4), noise = 1.0 + rng() % 4;
  const uint32_t rarity = 50 + rng() % 2000;
  std::uniform_real_distribution<double> unit(-1, 1);
  int32_t run = 0;  // points left of a run of odd values
  double odd = 0;
  for (int32_t i = 0; i < n; ++i) {
    double value = 8 * std::sin(6.283185307179586 * i / period) + noise * unit(rng);
    fw::TColor colour = fw::clDefault;
    if (run == 0 && rng() % rarity == 0) {
      run = 1 + static_cast<int32_t>(rng() % 3 == 0 ? rng() % 40 : 0);
      const double odds[] = {1e12, -1e12, 1e300, -1e300, std::numeric_limits<double>::infinity(), std::nan(""), 0};
      odd = odds[rng() % 7];
    }
    if (run > 0) {
      --run;
      if (odd == 0)
        colour = fw::clNone;  // a null point
      else
        value = odd;
    }
    s.AppendPoint(i, value, "", colour);
  }
  TSeriesPointer& pointer = s.Pointer();
  pointer.SetStyle(rng() % 3 == 0 ? static_cast<TSeriesPointerStyle>(rng() % 9) : psRectangle);
  pointer.SetHorizSize(1 + static_cast<int32_t>(rng() % 4));
  pointer.SetVertSize(1 + static_cast<int32_t>(rng() % 4));
  if (rng() % 3 == 0) pointer.Pen().SetVisible(false);
  if (rng() % 4 == 0) c.Chart.LeftAxis().SetInverted(true);
  if (rng() % 4 == 0) s.YValues().SetMultiplier(rng() % 2 ? -1 : 0.5);
  return PixelsDrawn(c, width, height, 1.0);
}

}  // namespace

TEST(SeriesPointerPixels, DenseColumnsMeetingFarOffValuesDrawWhatEveryMarkerDraws) {
  ExpectTheSamePixelsEveryWay(FarOffMarkerPixels, 60);
}

namespace {

// Every pixel of a 3D chart of dense random markers, drawn with or without leaving out the
// markers that later ones on their pixel column paint over: every style, solid or flat at the
// middle of the depth, shaded or not, pens clear, solid, dotted and wide, clear brushes, one or
// two series at their depths, points alone or after a line or an area, oblique views at and
// off 100 % (and others drawn point by point either way), null points, NaN and far-off values
// and colours of the points' own or none, values multiplied, inverted and narrow axes.
std::vector<fw::TColor> DenseMarkerPixels3D(bool merge, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  const seriestest::TColumnsScope byColumns(merge);
  const int32_t width = 100 + static_cast<int32_t>(rng() % 200), height = 80 + static_cast<int32_t>(rng() % 160);
  seriestest::TSeriesChart c(width, height, true);
  seriestest::RandomView3D(c.Chart, rng, 40);
  const int32_t n = 20 + static_cast<int32_t>(rng() % 4000);
  seriestest::TSeriesChart::SetRange(c.Chart.BottomAxis(), -2, n + 2.0);
  seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -30, 30);
  const int count = 1 + static_cast<int>(rng() % 2);
  for (int k = 0; k < count; ++k) {
    const fw::TColor own = k == 0 ? fw::clRed : fw::clBlue;
    const uint32_t kind = rng() % 6;
    TCustomSeries& s = kind == 0   ? static_cast<TCustomSeries&>(c.Add<TLineSeries>({}, own))
                       : kind == 1 ? static_cast<TCustomSeries&>(c.Add<TAreaSeries>({}, own))
                                   : static_cast<TCustomSeries&>(c.Add<TPointSeries>({}, own));
    s.Pointer().SetVisible(true);
    const bool rough = rng() % 2 == 0;
    double y = 0;
    for (int32_t i = 0; i < n; ++i) {
      y += static_cast<double>(rng() % 41) / 10.0 - 2.0;
      if (std::abs(y) > 28) y = -y / 2;
      double value = rng() % 4 == 0 ? std::round(y / 3) * 3 : y;
      if (rough && rng() % 400 == 0) value = (rng() % 2 ? 1 : -1) * 1e12;
      if (rough && rng() % 900 == 0) value = std::nan("");
      const fw::TColor colour =
          !rough ? fw::clDefault : rng() % 150 == 0 ? fw::clNone : rng() % 9 == 0 ? fw::clGreen : fw::clDefault;
      s.AppendPoint(i, value, "", colour);
    }
    s.SetColorEachPoint(rng() % 5 == 0);
    TSeriesPointer& pointer = s.Pointer();
    pointer.SetStyle(static_cast<TSeriesPointerStyle>(rng() % 9));
    pointer.SetHorizSize(static_cast<int32_t>(rng() % 7));
    pointer.SetVertSize(static_cast<int32_t>(rng() % 7));
    pointer.SetDraw3D(rng() % 5 != 0);
    pointer.SetDark3D(rng() % 4 != 0);
    pointer.Pen().SetColor(rng() % 2 ? fw::clBlack : fw::clYellow);
    switch (rng() % 7) {
      case 0: pointer.Pen().SetVisible(false); break;
      case 1: pointer.Pen().SetStyle(fw::psDot); break;
      case 2: pointer.Pen().SetWidth(2 + static_cast<int32_t>(rng() % 2)); break;
      default: break;
    }
    if (rng() % 8 == 0) pointer.Brush().SetStyle(fw::bsClear);
    if (rng() % 4 == 0) s.YValues().SetMultiplier(rng() % 2 ? -1.5 : 0.5);
  }
  if (rng() % 5 == 0) c.Chart.LeftAxis().SetInverted(true);
  if (rng() % 5 == 0) seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -8, 8);
  fw::TSurface& image = c.Draw();
  return seriestest::AllPixels(image);
}

}  // namespace

TEST(SeriesPointerPixels, In3DMarkersPaintedOverByLaterOnesAreLeftOutWithTheSamePixels) {
  for (uint32_t seed = 1; seed <= 80; ++seed) {
    const std::vector<fw::TColor> plain = DenseMarkerPixels3D(false, seed);
    const std::vector<fw::TColor> merged = DenseMarkerPixels3D(true, seed);
    ASSERT_EQ(merged.size(), plain.size());
    const size_t differences = seriestest::DifferingPixels(merged, plain);
    ASSERT_EQ(differences, 0u) << "seed " << seed;
  }
}

TEST(MarkerShape, MeasuresTheRowsOfEachColumnAndRefusesWhatItCannotStandFor) {
  seriestest::TSeriesChart c(160, 120, true);
  auto& s = c.Add<TPointSeries>({5}, fw::clRed);
  TSeriesPointer& pointer = s.Pointer();
  pointer.SetHorizSize(3);
  pointer.SetVertSize(2);
  c.Draw();  // the projection of a frame
  TCanvas3D& canvas = c.Chart.Canvas();
  fw::TBitmap target(160, 120);
  canvas.AttachSurface(&target.Canvas());
  const int32_t z0 = s.DepthStart(), z1 = s.DepthEnd(), zm = (z0 + z1) / 2;
  int64_t dx, dy0, dy1, dym;
  ASSERT_TRUE(canvas.ShiftsAtDepth(z0, dx, dy0));
  ASSERT_TRUE(canvas.ShiftsAtDepth(z1, dx, dy1));
  ASSERT_TRUE(canvas.ShiftsAtDepth(zm, dx, dym));
  ASSERT_LT(dy1, dy0);  // the back lies higher

  TMarkerShape shape;
  // Flat at the middle of the depth: the box, moved.
  pointer.SetDraw3D(false);
  ASSERT_TRUE(shape.Measure(canvas, pointer, true, z0, z1, fw::clRed));
  EXPECT_EQ(shape.Rows(), 5);
  EXPECT_EQ(shape.Above(), -2 + dym);
  EXPECT_EQ(shape.Top(), -2 + dym);
  EXPECT_EQ(shape.Bottom(), 2 + dym);
  // A cuboid: its front's columns are the shortest; its top reaches up to the back.
  pointer.SetDraw3D(true);
  ASSERT_TRUE(shape.Measure(canvas, pointer, true, z0, z1, fw::clRed));
  EXPECT_EQ(shape.Rows(), 5);
  EXPECT_EQ(shape.Bottom(), 2 + dy0);
  EXPECT_EQ(shape.Top(), -2 + dy1);
  EXPECT_TRUE(shape.Covers());
  // A clear brush leaves a column with two runs of rows: measured, but the rows do not stand
  // for the marker.
  pointer.Brush().SetStyle(fw::bsClear);
  EXPECT_TRUE(shape.Measure(canvas, pointer, true, z0, z1, fw::clRed));
  EXPECT_FALSE(shape.Covers());
  pointer.Brush().SetStyle(fw::bsSolid);
  // Too large to measure.
  pointer.SetHorizSize(TMarkerShape::MaxExtent);
  EXPECT_FALSE(shape.Measure(canvas, pointer, true, z0, z1, fw::clRed));
  pointer.SetHorizSize(3);
  // The canvas draws on its own surface again.
  EXPECT_EQ(canvas.Surface(), &target.Canvas());

  // A view that does not move by whole pixels.
  c.Chart.View3DOptions().SetZoom(90);
  c.Draw();
  canvas.AttachSurface(&target.Canvas());
  EXPECT_FALSE(shape.Measure(canvas, pointer, true, z0, z1, fw::clRed));
  canvas.AttachSurface(nullptr);
}
