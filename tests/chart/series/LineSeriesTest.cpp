// Line and point series: pixels flat and in 3D, gaps, colours, stairs, hit tests, marks, margins.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chart/canvas/DarkenColor.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"
#include "chart/series/TSeriesPointer.h"
#include "tests/chart/series/SeriesTestSupport.h"

using namespace chart;
using seriestest::TSeriesChart;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TPx {
  int32_t X, Y;
};
TPx PointPx(const TChartSeries& s, int32_t i) { return {s.XPixel(i), s.YPixel(i)}; }

}  // namespace

TEST(LineSeries, DefaultsAndColourFollowingLikeTheFastLine) {
  TLineSeries s;
  EXPECT_EQ(s.ClassName(), "TLineSeries");
  EXPECT_TRUE(s.ExtendToEdge());
  EXPECT_FALSE(s.Stairs());
  EXPECT_FALSE(s.InvertedStairs());
  EXPECT_TRUE(s.Dark3D());
  EXPECT_FALSE(s.Pointer().Visible());
  s.SetSeriesColor(fw::clRed);
  EXPECT_EQ(s.LinePen().Color(), fw::clRed);
  TChartPen blue;
  blue.SetColor(fw::clBlue);
  blue.SetWidth(2);
  s.SetLinePen(blue);
  EXPECT_EQ(s.SeriesColor(), fw::clBlue);
  EXPECT_EQ(s.LinePen().Width(), 2);
  TPointSeries p;
  EXPECT_EQ(p.ClassName(), "TPointSeries");
  EXPECT_FALSE(p.ExtendToEdge());
}

TEST(LineSeriesPixels, HorizontalLineRunsToTheLastPointExcluded) {
  TSeriesChart c;
  auto& s = c.Add<TLineSeries>({5, 5, 5}, fw::clRed);
  c.Draw();
  const TPx a = PointPx(s, 0), b = PointPx(s, 2);
  for (int32_t x = a.X; x < b.X; ++x) {
    EXPECT_EQ(c.At(x, a.Y), fw::clRed) << x;
    EXPECT_EQ(c.At(x, a.Y - 1), fw::clWhite) << x;
    EXPECT_EQ(c.At(x, a.Y + 1), fw::clWhite) << x;
  }
}

TEST(LineSeriesPixels, StairsTurnAtTheNextPointsXOrFirstRiseWhenInverted) {
  for (bool inverted : {false, true}) {
    TSeriesChart c;
    auto& s = c.Add<TLineSeries>({2, 8}, fw::clRed);
    s.SetStairs(true);
    s.SetInvertedStairs(inverted);
    c.Draw();
    const TPx a = PointPx(s, 0), b = PointPx(s, 1);
    const int32_t midX = (a.X + b.X) / 2, midY = (a.Y + b.Y) / 2;
    EXPECT_EQ(c.At(midX, midY), fw::clWhite);  // no diagonal
    if (!inverted) {
      EXPECT_EQ(c.At(midX, a.Y), fw::clRed);
      EXPECT_EQ(c.At(b.X, midY), fw::clRed);
      EXPECT_EQ(c.At(a.X, midY), fw::clWhite);
    } else {
      EXPECT_EQ(c.At(a.X, midY), fw::clRed);
      EXPECT_EQ(c.At(midX, b.Y), fw::clRed);
      EXPECT_EQ(c.At(midX, a.Y), fw::clWhite);
    }
  }
}

TEST(LineSeriesPixels, NullPointsAndNaNValuesAreGaps) {
  for (bool useNaN : {false, true}) {
    TSeriesChart c;
    auto& s = c.Add<TLineSeries>({5, 5}, fw::clRed);
    if (useNaN)
      s.AppendPoint(2, NaN, "", fw::clDefault);
    else
      s.AppendNullPoint(2, 5, "");
    s.AppendPoint(3, 5, "", fw::clDefault);
    s.AppendPoint(4, 5, "", fw::clDefault);
    c.Draw();
    const int32_t y = s.YPixel(0);
    for (int32_t x = s.XPixel(0); x < s.XPixel(1); ++x) EXPECT_EQ(c.At(x, y), fw::clRed) << x;
    for (int32_t x = s.XPixel(1) + 1; x < s.XPixel(3); ++x) EXPECT_EQ(c.At(x, y), fw::clWhite) << x;
    for (int32_t x = s.XPixel(3); x < s.XPixel(4); ++x) EXPECT_EQ(c.At(x, y), fw::clRed) << x;
    EXPECT_EQ(s.LowestY(), 5);
    EXPECT_EQ(s.HighestY(), 5);
  }
}

// A NaN position, and a NaN value of a stacked area (whose drawn value stacks on the series
// below and is a number), leave the same gap as a null point: every pixel alike, flat and 3D.
TEST(LineSeriesPixels, NaNPositionsAndStackedNaNValuesAreGapsLikeNullPoints) {
  for (const bool view3D : {false, true})
    for (const int kind : {0, 1}) {
      std::vector<std::vector<fw::TColor>> pixels;
      for (const bool useNaN : {false, true}) {
        TSeriesChart c(200, 150, view3D);
        TSeriesChart::SetRange(c.Chart.LeftAxis(), -1, 21);
        if (kind == 0) {
          auto& s = c.Add<TLineSeries>({}, fw::clRed);
          s.XValues().SetOrder(loNone);
          s.Pointer().SetVisible(true);
          for (int32_t i = 0; i <= 10; ++i) {
            if (i == 4 && useNaN)
              s.AppendPoint(NaN, 7, "", fw::clDefault);
            else if (i == 4)
              s.AppendNullPoint(4, 7, "");
            else
              s.AppendPoint(i, 3 + i % 3, "", fw::clDefault);
          }
        } else {
          auto& below = c.Add<TAreaSeries>({}, fw::clBlue);
          auto& above = c.Add<TAreaSeries>({}, fw::clRed);
          for (int32_t i = 0; i <= 10; ++i) {
            below.AppendPoint(i, 4 + i % 2, "", fw::clDefault);
            if (i == 6 && useNaN)
              above.AppendPoint(i, NaN, "", fw::clDefault);
            else if (i == 6)
              above.AppendNullPoint(i, 3, "");
            else
              above.AppendPoint(i, 3, "", fw::clDefault);
          }
          below.SetMultiArea(maStacked);
          above.SetMultiArea(maStacked);
        }
        pixels.push_back(seriestest::AllPixels(c.Draw()));
      }
      EXPECT_TRUE(pixels[0] == pixels[1]) << (view3D ? "3D " : "flat ") << (kind == 0 ? "NaN position" : "stacked NaN");
      EXPECT_GT(std::count(pixels[0].begin(), pixels[0].end(), fw::clRed), 20);
    }
}

TEST(LineSeriesPixels, EachSegmentTakesTheColourOfItsEndPoint) {
  TSeriesChart c;
  auto& s = c.Add<TLineSeries>({5, 5, 5}, fw::clRed);
  s.SetColorEachPoint(true);
  c.Draw();
  const int32_t y = s.YPixel(0);
  EXPECT_EQ(c.At((s.XPixel(0) + s.XPixel(1)) / 2, y), s.ColorOfPoint(1));
  EXPECT_EQ(c.At((s.XPixel(1) + s.XPixel(2)) / 2, y), s.ColorOfPoint(2));
  EXPECT_NE(s.ColorOfPoint(1), s.ColorOfPoint(2));
}

TEST(LineSeriesPixels, PointerSitsOnTopOfTheLine) {
  TSeriesChart c;
  auto& s = c.Add<TLineSeries>({5, 5, 5}, fw::clRed);
  s.Pointer().SetVisible(true);
  c.Draw();
  const TPx p = PointPx(s, 1);
  EXPECT_EQ(c.At(p.X - 4, p.Y - 4), fw::clBlack);  // outline corners
  EXPECT_EQ(c.At(p.X + 4, p.Y + 4), fw::clBlack);
  EXPECT_EQ(c.At(p.X + 4, p.Y), fw::clBlack);      // the outline covers the line
  EXPECT_EQ(c.At(p.X + 2, p.Y - 2), fw::clRed);
  EXPECT_EQ(c.At(p.X - 5, p.Y - 4), fw::clWhite);
}

TEST(LineSeriesPixels, InThreeDimensionsARibbonDarkenedWhereItsUndersideShows) {
  TSeriesChart c(200, 150, true);
  auto& s = c.Add<TLineSeries>({2, 8, 8}, fw::clRed);
  s.LinePen().SetVisible(false);
  c.Draw();
  TChartCanvas3D& canvas = c.Chart.Canvas();
  const int32_t zm = s.DepthMiddle();
  ASSERT_GT(s.DepthEnd(), s.DepthStart());
  // The level segment shows its top in the series colour.
  const fw::TPoint top = canvas.ProjectToPoint((s.XPixel(1) + s.XPixel(2)) / 2, s.YPixel(1), zm);
  EXPECT_EQ(c.At(top.X, top.Y), fw::clRed);
  // The rising segment shows its underside, darkened.
  const fw::TPoint under = canvas.ProjectToPoint((s.XPixel(0) + s.XPixel(1)) / 2, (s.YPixel(0) + s.YPixel(1)) / 2, zm);
  EXPECT_EQ(c.At(under.X, under.Y), DarkenColor(fw::clRed, 128));
  s.SetDark3D(false);
  c.Draw();
  EXPECT_EQ(c.At(under.X, under.Y), fw::clRed);
}

TEST(PointSeriesPixels, PointersOnlyAndNoneForGaps) {
  TSeriesChart c;
  auto& s = c.Add<TPointSeries>({2, 8}, fw::clRed);
  s.AppendNullPoint(2, 5, "");
  s.Pointer().Pen().SetColor(fw::clRed);
  c.Draw();
  for (int32_t i = 0; i < 2; ++i) {
    const TPx p = PointPx(s, i);
    EXPECT_EQ(seriestest::InkBounds(c.Image->Canvas(), {p.X - 10, p.Y - 10, p.X + 11, p.Y + 11}),
              fw::TRect(p.X - 4, p.Y - 4, p.X + 5, p.Y + 5));
  }
  EXPECT_EQ(c.At((s.XPixel(0) + s.XPixel(1)) / 2, (s.YPixel(0) + s.YPixel(1)) / 2), fw::clWhite);
  const TPx n{s.XPixelOfValue(2), s.YPixelOfValue(5)};
  EXPECT_EQ(c.At(n.X, n.Y), fw::clWhite);
}

TEST(PointSeriesPixels, InThreeDimensionsEachPointerIsASolid) {
  TSeriesChart c(200, 150, true);
  auto& s = c.Add<TPointSeries>({5}, fw::clRed);
  s.Pointer().Pen().SetVisible(false);
  c.Draw();
  const fw::TPoint front = c.Chart.Canvas().ProjectToPoint(s.XPixel(0), s.YPixel(0), s.DepthStart());
  EXPECT_EQ(c.At(front.X, front.Y), fw::clRed);
  const fw::TPoint side = c.Chart.Canvas().ProjectToPoint(s.XPixel(0) + 4, s.YPixel(0), s.DepthMiddle());
  EXPECT_EQ(c.At(side.X, side.Y), DarkenColor(fw::clRed, 128));
}

TEST(LineSeriesHits, PointsSegmentsAndPointers) {
  TSeriesChart c;
  auto& s = c.Add<TLineSeries>({5, 5, 2}, fw::clRed);
  c.Draw();
  const TPx a = PointPx(s, 0), b = PointPx(s, 1);
  EXPECT_EQ(s.ClickedIndex(b.X, b.Y), 1);
  EXPECT_EQ(s.ClickedIndex((a.X + b.X) / 2, a.Y), 0);
  EXPECT_EQ(s.ClickedIndex((a.X + b.X) / 2, a.Y - 3), -1);
  s.Pointer().SetVisible(true);
  c.Draw();
  EXPECT_EQ(s.ClickedIndex(b.X + 4, b.Y - 4), 1);
  EXPECT_EQ(s.ClickedIndex(b.X + 5, b.Y - 5), -1);
  EXPECT_EQ(s.ClickedIndex(INT_MIN, INT_MAX), -1);

  TSeriesChart p;
  auto& points = p.Add<TPointSeries>({5, 5}, fw::clRed);
  p.Draw();
  const TPx q = PointPx(points, 0), r = PointPx(points, 1);
  EXPECT_EQ(points.ClickedIndex(q.X - 4, q.Y + 4), 0);
  EXPECT_EQ(points.ClickedIndex((q.X + r.X) / 2, q.Y), -1);  // no line between points
}

TEST(LineSeriesHits, StairsAreHitAlongTheirSteps) {
  TSeriesChart c;
  auto& s = c.Add<TLineSeries>({2, 8}, fw::clRed);
  s.SetStairs(true);
  c.Draw();
  const TPx a = PointPx(s, 0), b = PointPx(s, 1);
  EXPECT_EQ(s.ClickedIndex((a.X + b.X) / 2, a.Y), 0);
  EXPECT_EQ(s.ClickedIndex(b.X, (a.Y + b.Y) / 2), 0);
  EXPECT_EQ(s.ClickedIndex((a.X + b.X) / 2, (a.Y + b.Y) / 2), -1);
}

TEST(LineSeriesMarks, MarksSitArrowLengthAbovePointsAndNoneForNaN) {
  TSeriesChart c;
  auto& s = c.Add<TLineSeries>({3, 6}, fw::clRed);
  s.AppendPoint(2, NaN, "", fw::clDefault);
  s.Marks().SetVisible(true);
  s.Marks().SetStyle(smsValue);
  s.Marks().SetArrowLength(10);
  c.Draw();
  for (int32_t i = 0; i < 2; ++i) {
    const TSeriesMarkPosition* m = s.Marks().PositionAt(i);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->ArrowFromY, s.YPixel(i));
    EXPECT_EQ(m->ArrowToY, s.YPixel(i) - 10);
    EXPECT_EQ(m->LeftTopY + m->Height, s.YPixel(i) - 10 + 1);
  }
  EXPECT_EQ(s.Marks().PositionAt(2), nullptr);
}

TEST(LineSeriesRanges, MarginsKeepWholePointersInsideAutomaticAxes) {
  TSeriesChart c;
  c.Chart.BottomAxis().SetAutomatic(true);
  c.Chart.LeftAxis().SetAutomatic(true);
  auto& s = c.Add<TPointSeries>({1, 4, 9}, fw::clRed);
  int32_t l = 0, r = 0, t = 0, b = 0;
  s.HorizMargins(l, r);
  s.VertMargins(t, b);
  EXPECT_EQ(l, 5);
  EXPECT_EQ(t, 5);
  c.Draw();
  const fw::TRect plot = c.Chart.PlotRect();
  EXPECT_GE(s.XPixel(0) - 4, plot.Left);
  EXPECT_LT(s.XPixel(2) + 4, plot.Right);
  EXPECT_GE(s.YPixel(2) - 4, plot.Top);
  EXPECT_LT(s.YPixel(0) + 4, plot.Bottom);
  s.Pointer().SetInflateMargins(false);
  s.HorizMargins(l, r);
  EXPECT_EQ(l, 0);
  TLineSeries line;
  line.VertMargins(t, b);
  EXPECT_EQ(t, 0);  // no pointer, no margin
}

TEST(LineSeriesRanges, EmptyAllNullSinglePointAndExtremeValuesAreSafe) {
  TSeriesChart c(120, 90, false);
  c.Chart.BottomAxis().SetAutomatic(true);
  c.Chart.LeftAxis().SetAutomatic(true);
  auto& s = c.Add<TLineSeries>({}, fw::clRed);
  s.Pointer().SetVisible(true);
  c.Draw();
  EXPECT_EQ(s.LowestY(), 0);
  s.AppendNullPoint(0, 1, "");
  s.AppendNullPoint(1, 1, "");
  c.Draw();
  EXPECT_EQ(s.LowestY(), 0);
  EXPECT_EQ(s.HighestX(), 0);
  s.RemoveAllPoints();
  s.AppendPoint(3, 7, "", fw::clDefault);
  c.Draw();
  EXPECT_EQ(s.LowestY(), 7);
  s.AppendPoint(4, 1e308, "", fw::clDefault);
  s.AppendPoint(5, -1e308, "", fw::clDefault);
  s.AppendPoint(6, std::numeric_limits<double>::infinity(), "", fw::clDefault);
  c.Draw();
  TSeriesChart fixed(120, 90, true);
  auto& f = fixed.Add<TLineSeries>({1e308, -1e308, 5, 1e308}, fw::clRed);
  f.Pointer().SetVisible(true);
  fixed.Draw();
  SUCCEED();
}

TEST(LineSeriesRanges, AMillionPointsDrawWithoutTrouble) {
  TSeriesChart c(300, 200, false);
  c.Chart.BottomAxis().SetAutomatic(true);
  c.Chart.LeftAxis().SetAutomatic(true);
  auto& s = c.Add<TLineSeries>({}, fw::clRed);
  for (int32_t i = 0; i < 1000000; ++i) s.AppendPoint(i, std::sin(i * 0.001), "", fw::clDefault);
  c.Draw();
  EXPECT_EQ(s.HighestX(), 999999);
  EXPECT_GT(seriestest::Count(c.Image->Canvas(), c.Chart.PlotRect(), fw::clRed), 100);
}

TEST(LineSeries3D, SeriesStandAtTheirOwnDepthsAndShareOneWhenFixed) {
  TSeriesChart c(200, 150, true);
  auto& back = c.Add<TPointSeries>({5}, fw::clRed);  // the chart puts the first series at the back
  auto& front = c.Add<TPointSeries>({5}, fw::clBlue);
  front.Pointer().Pen().SetVisible(false);
  back.Pointer().Pen().SetVisible(false);
  fw::TSurface& image = c.Draw();
  EXPECT_EQ(front.DepthEnd(), back.DepthStart());
  EXPECT_GT(front.DepthEnd(), front.DepthStart());
  TChartCanvas3D& canvas = c.Chart.Canvas();
  const fw::TPoint f = canvas.ProjectToPoint(front.XPixel(0), front.YPixel(0), front.DepthStart());
  EXPECT_EQ(c.At(f.X, f.Y), fw::clBlue);
  // The back solid shows above and to the right of the front one, shaded or not.
  const int red = seriestest::Count(image, c.Chart.PlotRect(), fw::clRed) +
                  seriestest::Count(image, c.Chart.PlotRect(), DarkenColor(fw::clRed, 128)) +
                  seriestest::Count(image, c.Chart.PlotRect(), DarkenColor(fw::clRed, 64));
  EXPECT_GT(red, 0);

  // Lines and areas of one fixed level are drawn point by point, interleaved.
  TSeriesChart g(200, 150, true);
  auto& a = g.Add<TLineSeries>({2, 8, 2}, fw::clRed);
  auto& d = g.Add<TLineSeries>({8, 2, 8}, fw::clBlue);
  a.SetFixedDepthLevel(0);
  d.SetFixedDepthLevel(0);
  d.Pointer().SetVisible(true);
  fw::TSurface& shared = g.Draw();
  EXPECT_EQ(a.DepthStart(), d.DepthStart());
  EXPECT_GT(seriestest::Count(shared, g.Chart.PlotRect(), fw::clRed), 20);
  EXPECT_GT(seriestest::Count(shared, g.Chart.PlotRect(), fw::clBlue), 20);
}

namespace {

// Every pixel of a frame of a dense random line (many points per pixel column; ascending,
// repeated or unordered X; gaps; colours of its own; pens that merge and pens that do not),
// drawn with or without merging work.
std::vector<fw::TColor> DenseLinePixels(bool merge, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  TSeriesChart c(120 + static_cast<int32_t>(rng() % 80), 90 + static_cast<int32_t>(rng() % 60));
  const int32_t n = 50 + static_cast<int32_t>(rng() % 2000);
  TSeriesChart::SetRange(c.Chart.BottomAxis(), -5, n + 5.0);
  TSeriesChart::SetRange(c.Chart.LeftAxis(), -12, 12);
  c.Chart.LeftAxis().SetInverted(rng() % 4 == 0);
  auto& s = c.Add<TLineSeries>({}, fw::clRed);
  const int order = static_cast<int>(rng() % 3);  // ascending, repeated X, unordered
  if (order == 2) s.XValues().SetOrder(loNone);
  const bool colours = rng() % 4 == 0;
  for (int32_t i = 0; i < n; ++i) {
    const double x = order == 0 ? i : order == 1 ? i - i % 7 : static_cast<double>(rng() % n);
    const double y = 10 * std::sin(i * 0.01 * (1 + seed % 5)) + static_cast<double>(rng() % 5) - 2;
    const fw::TColor color = rng() % 97 == 0 ? fw::clNone : colours && rng() % 50 == 0 ? fw::clBlue : fw::clDefault;
    s.AppendPoint(x, rng() % 211 == 0 ? NaN : y, "", color);
  }
  switch (rng() % 5) {
    case 0: s.LinePen().SetWidth(2); break;
    case 1: s.LinePen().SetStyle(fw::psDot); break;
    case 2: s.LinePen().SetMode(fw::pmNotXor); break;
    default: break;  // solid, one pixel, copied: merged
  }
  fw::TSurface& image = c.Draw();
  return seriestest::AllPixels(image);
}

}  // namespace

TEST(LineSeriesPixels, ColumnByColumnDrawingGivesExactlyThePixelsOfEverySegment) {
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    const std::vector<fw::TColor> merged = DenseLinePixels(true, seed);
    const std::vector<fw::TColor> plain = DenseLinePixels(false, seed);
    ASSERT_EQ(merged, plain) << "seed " << seed;
    ASSERT_GT(std::count(plain.begin(), plain.end(), fw::clWhite), 0);
  }
}

namespace {

// Every pixel of a 3D chart of dense random lines, drawn with or without leaving out the ribbons
// that later ones of their pixel column paint over: depths from shallow to deep, oblique views at
// and off 100 % (others drawn segment by segment either way), shaded undersides or not, pens of
// every kind, colours of their own, stairs, markers, null points, NaN and far-off values,
// plateaus, inverted and narrow axes, one or two series.
std::vector<fw::TColor> DenseRibbonPixels(bool merge, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  const int32_t width = 100 + static_cast<int32_t>(rng() % 220), height = 80 + static_cast<int32_t>(rng() % 170);
  seriestest::TSeriesChart c(width, height, true);
  seriestest::RandomView3D(c.Chart, rng, 50);
  const int32_t n = 20 + static_cast<int32_t>(rng() % 5000);
  const bool plain = seed % 3 == 0;
  seriestest::TSeriesChart::SetRange(c.Chart.BottomAxis(), -2, n + 2.0);
  seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -30, 30);
  const int count = 1 + static_cast<int>(rng() % 2);
  for (int k = 0; k < count; ++k) {
    TLineSeries& s = c.Add<TLineSeries>({}, k == 0 ? fw::clRed : fw::clBlue);
    const double step = 0.2 + static_cast<double>(rng() % 40) / 10.0;
    double y = 0;
    for (int32_t i = 0; i < n; ++i) {
      if (rng() % 3 != 0) y += (static_cast<double>(rng() % 201) / 100.0 - 1.0) * step;
      if (std::abs(y) > 28) y = -y / 2;
      double value = y;
      // A third of the charts without colours of the points' own or NaN, and with points off
      // the image by thousands of pixels rather than off the map: those may leave out the
      // points of a column that draw nothing.
      if (rng() % 500 == 0) value = (rng() % 2 ? 1 : -1) * (plain ? 3000 : 1e12);
      if (rng() % 900 == 0 && !plain) value = std::nan("");
      fw::TColor colour = rng() % 300 == 0 ? fw::clNone : rng() % 9 == 0 ? fw::clGreen : fw::clDefault;
      if (plain) colour = fw::clDefault;
      s.AppendPoint(i, value, "", colour);
    }
    s.SetColorEachPoint(rng() % 6 == 0);
    s.SetDark3D(rng() % 4 != 0);
    if (rng() % 10 == 0) s.SetStairs(true);
    if (rng() % 10 == 0) s.Pointer().SetVisible(true);
    s.LinePen().SetColor(rng() % 2 ? fw::clBlack : fw::clYellow);
    switch (rng() % 8) {
      case 0: s.LinePen().SetVisible(false); break;
      case 1: s.LinePen().SetStyle(fw::psDot); break;
      case 2: s.LinePen().SetWidth(2); break;
      case 3: s.LinePen().SetWidth(0); break;
      default: break;
    }
  }
  if (rng() % 5 == 0) c.Chart.LeftAxis().SetInverted(true);
  if (rng() % 5 == 0) seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -8, 8);
  return seriestest::AllPixels(c.Draw());
}

}  // namespace

TEST(LineSeriesPixels, In3DRibbonsPaintedOverByLaterOnesOfTheirColumnAreLeftOutWithTheSamePixels) {
  for (uint32_t seed = 1; seed <= 80; ++seed) {
    const std::vector<fw::TColor> merged = DenseRibbonPixels(true, seed);
    const std::vector<fw::TColor> plain = DenseRibbonPixels(false, seed);
    ASSERT_EQ(merged.size(), plain.size());
    const size_t differences = seriestest::DifferingPixels(merged, plain);
    ASSERT_EQ(differences, 0u) << "seed " << seed;
  }
}

namespace {

// A dense 3D line of one colour, 16 points to an X value (one pixel column), with a few odd
// values of one kind: NaN (gaps) anywhere, only at the first or only at the last point of a
// column, points some thousands of pixels off the image, or a value far off the map; or none,
// with a point deleted inside a column.
std::vector<fw::TColor> OddDenseRibbonPixels(bool merge, int kind, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  seriestest::TSeriesChart c(220, 120, true);
  constexpr int32_t Columns = 120, PerColumn = 16;
  seriestest::TSeriesChart::SetRange(c.Chart.BottomAxis(), -1, Columns);
  seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -30, 30);
  TLineSeries& s = c.Add<TLineSeries>({}, fw::clRed);
  const std::array<double, 5> odd{std::nan(""), std::nan(""), std::nan(""), 4000.0, 1e300};
  double y = 0;
  for (int32_t i = 0; i < Columns * PerColumn; ++i) {
    y += static_cast<double>(rng() % 201) / 100.0 - 1.0;
    if (std::abs(y) > 28) y = -y / 2;
    const bool place = kind == 1 ? i % PerColumn == 0 : kind == 2 ? i % PerColumn == PerColumn - 1 : true;
    const bool isOdd = kind < 5 && rng() % 300 == 0 && place;
    s.AppendPoint(i / PerColumn, isOdd ? (rng() % 2 ? 1 : -1) * odd[static_cast<size_t>(kind)] : y, "", fw::clDefault);
  }
  // The store's gap, where a point was deleted, inside a column: its values are read one by one.
  if (kind == 5) s.DeletePoint(static_cast<int32_t>(rng() % Columns) * PerColumn + 7);
  return seriestest::AllPixels(c.Draw());
}

}  // namespace

TEST(LineSeriesPixels, In3DDenseLinesWithGapsAndFarOffPointsDrawTheSameBothWays) {
  for (int kind = 0; kind < 6; ++kind)
    for (uint32_t seed = 1; seed <= 6; ++seed) {
      const std::vector<fw::TColor> merged = OddDenseRibbonPixels(true, kind, seed);
      const std::vector<fw::TColor> plain = OddDenseRibbonPixels(false, kind, seed);
      ASSERT_EQ(merged.size(), plain.size());
      EXPECT_EQ(seriestest::DifferingPixels(merged, plain), 0u) << "kind " << kind << " seed " << seed;
    }
}

namespace {

// A dense chart of 60,000 points of a point, line or area series whose values take in the
// extremes of the doubles (±1e308, infinities, NaN, zeros) and whose X values repeat, flat or
// in an oblique 3D view, on automatic or fixed axes: every pixel, with or without merging work.
std::vector<fw::TColor> ExtremeDensePixels(bool merge, int type, bool view3D, bool fixed) {
  const seriestest::TMergeDrawingScope merging(merge);
  const seriestest::TColumnsScope byColumns(merge);
  seriestest::TSeriesChart c(220, 160, view3D);
  c.Chart.BottomAxis().SetAutomatic(!fixed);
  c.Chart.LeftAxis().SetAutomatic(!fixed);
  if (fixed) {
    seriestest::TSeriesChart::SetRange(c.Chart.BottomAxis(), -100, 30100);
    seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -50, 50);
  }
  TCustomSeries& s = type == 0   ? static_cast<TCustomSeries&>(c.Add<TPointSeries>({}, fw::clRed))
                     : type == 1 ? static_cast<TCustomSeries&>(c.Add<TLineSeries>({}, fw::clRed))
                                 : static_cast<TCustomSeries&>(c.Add<TAreaSeries>({}, fw::clRed));
  std::mt19937 rng(7 + static_cast<uint32_t>(type));
  const double inf = std::numeric_limits<double>::infinity();
  const std::array<double, 7> extremes{1e308, -1e308, inf, -inf, std::nan(""), 0.0, -0.0};
  double y = 0;
  for (int32_t i = 0; i < 60000; ++i) {
    y += static_cast<double>(rng() % 21) / 2.0 - 5.0;
    if (std::abs(y) > 45) y = -y / 2;
    const double value = rng() % 997 == 0 ? extremes[rng() % extremes.size()] : y;
    s.AppendPoint(i / 2, value, "", fw::clDefault);  // each X twice
  }
  const std::vector<fw::TColor> pixels = seriestest::AllPixels(c.Draw());
  return pixels;
}

}  // namespace

TEST(LineSeriesPixels, DenseSeriesWithExtremeValuesDrawTheSameBothWays) {
  for (int type = 0; type < 3; ++type)
    for (const bool view3D : {false, true})
      for (const bool fixed : {false, true}) {
        const std::vector<fw::TColor> merged = ExtremeDensePixels(true, type, view3D, fixed);
        const std::vector<fw::TColor> plain = ExtremeDensePixels(false, type, view3D, fixed);
        ASSERT_EQ(merged.size(), plain.size());
        const size_t differences = seriestest::DifferingPixels(merged, plain);
        EXPECT_EQ(differences, 0u) << "type " << type << (view3D ? " 3D" : " flat") << (fixed ? " fixed" : " automatic");
      }
}
