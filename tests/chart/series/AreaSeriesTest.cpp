// Area series: fill edges, origin, stacking, gaps, colours, the 3D prism, hits, legend, bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>
#include <limits>
#include <random>
#include <string>

#include "chart/ChartException.h"
#include "chart/canvas/DarkenColor.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TCustomSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TSeriesPointer.h"
#include "tests/chart/series/SeriesTestSupport.h"

using namespace chart;
using seriestest::TSeriesChart;

namespace {

// An area without its edge line and area lines, so that only the fill shows.
TAreaSeries& PlainArea(TSeriesChart& c, std::initializer_list<double> ys, fw::TColor color) {
  auto& s = c.Add<TAreaSeries>(ys, color);
  s.LinePen().SetVisible(false);
  s.AreaLinesPen().SetVisible(false);
  return s;
}

// First and last row of `color` in column x (-1, -1 when none).
std::pair<int32_t, int32_t> ColumnSpan(TSeriesChart& c, int32_t x, fw::TColor color) {
  int32_t first = -1, last = -1;
  for (int32_t y = 0; y < c.Chart.Height(); ++y) {
    if (c.At(x, y) != color) continue;
    if (first < 0) first = y;
    last = y;
  }
  return {first, last};
}

}  // namespace

TEST(AreaSeries, DefaultsAndRejectedOrigin) {
  TAreaSeries s;
  EXPECT_EQ(s.ClassName(), "TAreaSeries");
  EXPECT_EQ(s.MultiArea(), maNone);
  EXPECT_TRUE(s.UseYOrigin());
  EXPECT_EQ(s.YOrigin(), 0);
  EXPECT_EQ(s.AreaBrush().Color(), fw::clDefault);
  EXPECT_TRUE(s.AreaLinesPen().Visible());
  EXPECT_FALSE(s.Pointer().Visible());
  s.SetYOrigin(3);
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
    try {
      s.SetYOrigin(bad);
      FAIL();
    } catch (const ChartException& e) {
      EXPECT_EQ(std::string(e.what()), "Origin must be a finite number");
    }
  }
  EXPECT_EQ(s.YOrigin(), 3);
}

TEST(AreaSeriesPixels, FillRunsFromTheTopRowDownToTheRowAboveTheOrigin) {
  TSeriesChart c;
  auto& s = PlainArea(c, {4, 4}, fw::clRed);
  c.Draw();
  const int32_t top = s.YPixel(0), origin = s.YPixelOfValue(0);
  const int32_t x = (s.XPixel(0) + s.XPixel(1)) / 2;
  EXPECT_EQ(ColumnSpan(c, x, fw::clRed), std::make_pair(top, origin - 1));
  // Left edge in, right edge (the last point's column) out.
  EXPECT_EQ(c.At(s.XPixel(0), top + 1), fw::clRed);
  EXPECT_EQ(c.At(s.XPixel(0) - 1, top + 1), fw::clWhite);
  EXPECT_EQ(c.At(s.XPixel(1), top + 1), fw::clWhite);
  EXPECT_EQ(c.At(s.XPixel(1) - 1, top + 1), fw::clRed);
}

TEST(AreaSeriesPixels, OriginAboveTheValuesAndThePlotBottom) {
  TSeriesChart c;
  auto& s = PlainArea(c, {4, 4}, fw::clRed);
  s.SetYOrigin(6);
  c.Draw();
  const int32_t x = (s.XPixel(0) + s.XPixel(1)) / 2;
  EXPECT_EQ(ColumnSpan(c, x, fw::clRed), std::make_pair(s.YPixelOfValue(6), s.YPixel(0) - 1));
  s.SetUseYOrigin(false);
  c.Draw();
  EXPECT_EQ(ColumnSpan(c, x, fw::clRed).first, s.YPixel(0));
  // Down to the axis minimum (the plot's bottom edge); the chart clips series inside the frame.
  EXPECT_EQ(s.YPixelOfValue(-1), c.Chart.PlotRect().Bottom);
  EXPECT_EQ(ColumnSpan(c, x, fw::clRed).second, c.Chart.PlotRect().Bottom - 2);
}

TEST(AreaSeriesPixels, LinesAlongTheTopAndDownAtThePoints) {
  TSeriesChart c;
  auto& s = c.Add<TAreaSeries>({4, 4, 4}, fw::clRed);
  s.AreaLinesPen().SetColor(fw::clBlue);
  c.Draw();
  const int32_t top = s.YPixel(0);
  EXPECT_EQ(c.At((s.XPixel(0) + s.XPixel(1)) / 2, top), fw::clBlack);  // LinePen
  EXPECT_EQ(c.At(s.XPixel(1), top + 5), fw::clBlue);                  // area line at point 1
  EXPECT_EQ(c.At(s.XPixel(1) + 1, top + 5), fw::clRed);
}

TEST(AreaSeriesPixels, StackedAreasRestOnEachOther) {
  TSeriesChart c;
  auto& a = PlainArea(c, {2, 2}, fw::clRed);
  auto& b = PlainArea(c, {3, 3}, fw::clBlue);
  a.SetMultiArea(maStacked);
  b.SetMultiArea(maStacked);
  c.Draw();
  const int32_t x = (a.XPixel(0) + a.XPixel(1)) / 2;
  EXPECT_EQ(ColumnSpan(c, x, fw::clRed), std::make_pair(a.YPixelOfValue(2), a.YPixelOfValue(0) - 1));
  EXPECT_EQ(ColumnSpan(c, x, fw::clBlue), std::make_pair(a.YPixelOfValue(5), a.YPixelOfValue(2) - 1));
  EXPECT_EQ(b.YPixel(0), b.YPixelOfValue(5));  // marks sit on the stacked top
  EXPECT_EQ(b.DrawnOrigin(0), 2);
  EXPECT_EQ(b.HighestY(), 5);
  EXPECT_EQ(b.LowestY(), 2);
  EXPECT_EQ(a.LowestY(), 0);
  // A series with another stacking setting stays on its own.
  b.SetMultiArea(maNone);
  EXPECT_EQ(b.DrawnValue(0), 3);
  EXPECT_EQ(a.DrawnValue(0), 2);
}

// The origin changes from point to point under a stacked area: each flat stretch rests on the
// top of the one below it there, not on the first point's.
TEST(AreaSeriesPixels, StackedAreasFollowAnOriginThatChanges) {
  TSeriesChart c;
  auto& a = PlainArea(c, {1, 1, 6, 6, 1, 1}, fw::clRed);
  auto& b = PlainArea(c, {2, 2, 2, 2, 2, 2}, fw::clBlue);
  a.SetMultiArea(maStacked);
  b.SetMultiArea(maStacked);
  TSeriesChart::SetRange(c.Chart.LeftAxis(), -1, 11);
  c.Draw();
  for (int32_t i : {0, 2, 4}) {
    const double below = i == 2 ? 6 : 1;
    const int32_t x = (a.XPixel(i) + a.XPixel(i + 1)) / 2;
    EXPECT_EQ(ColumnSpan(c, x, fw::clBlue), std::make_pair(a.YPixelOfValue(below + 2), a.YPixelOfValue(below) - 1))
        << "stretch " << i;
    EXPECT_EQ(ColumnSpan(c, x, fw::clRed), std::make_pair(a.YPixelOfValue(below), a.YPixelOfValue(0) - 1))
        << "stretch " << i;
  }
}

TEST(AreaSeriesPixels, StackedToAHundredPercent) {
  TSeriesChart c;
  seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), 0, 100);
  auto& a = PlainArea(c, {1, 0}, fw::clRed);
  auto& b = PlainArea(c, {3, 0}, fw::clBlue);
  a.SetMultiArea(maStacked100);
  b.SetMultiArea(maStacked100);
  c.Draw();
  EXPECT_EQ(a.DrawnValue(0), 25);
  EXPECT_EQ(b.DrawnValue(0), 100);
  EXPECT_EQ(b.DrawnOrigin(0), 25);
  EXPECT_EQ(b.DrawnValue(1), 0);  // a zero total draws nothing, without dividing by it
  EXPECT_EQ(b.HighestY(), 100);
  const int32_t x = a.XPixel(0) + 1;
  EXPECT_EQ(c.At(x, a.YPixelOfValue(50)), fw::clBlue);
  EXPECT_EQ(c.At(x, a.YPixelOfValue(10)), fw::clRed);
}

TEST(AreaSeriesPixels, GapsSplitTheFillAndColoursSplitItBySegment) {
  TSeriesChart c;
  auto& s = PlainArea(c, {4, 4}, fw::clRed);
  s.AppendNullPoint(2, 4, "");
  s.AppendPoint(3, 4, "", fw::clDefault);
  s.AppendPoint(4, 4, "", fw::clDefault);
  c.Draw();
  const int32_t y = s.YPixel(0) + 2;
  EXPECT_EQ(c.At((s.XPixel(0) + s.XPixel(1)) / 2, y), fw::clRed);
  EXPECT_EQ(c.At((s.XPixel(1) + s.XPixel(2)) / 2, y), fw::clWhite);
  EXPECT_EQ(c.At((s.XPixel(2) + s.XPixel(3)) / 2, y), fw::clWhite);
  EXPECT_EQ(c.At((s.XPixel(3) + s.XPixel(4)) / 2, y), fw::clRed);

  s.SetColorEachPoint(true);
  c.Draw();
  EXPECT_EQ(c.At((s.XPixel(0) + s.XPixel(1)) / 2, y), s.ColorOfPoint(1));
  EXPECT_EQ(c.At((s.XPixel(3) + s.XPixel(4)) / 2, y), s.ColorOfPoint(4));
}

TEST(AreaSeriesPixels, StairsFillUnderEachStep) {
  TSeriesChart c;
  auto& s = PlainArea(c, {2, 8}, fw::clRed);
  s.SetStairs(true);
  c.Draw();
  const int32_t x = (s.XPixel(0) + s.XPixel(1)) / 2;
  EXPECT_EQ(ColumnSpan(c, x, fw::clRed).first, s.YPixel(0));
}

TEST(AreaSeriesPixels, InThreeDimensionsAPrismWithItsFrontTopAndShadedEnd) {
  TSeriesChart c(200, 150, true);
  auto& s = PlainArea(c, {4, 4}, fw::clRed);
  c.Draw();
  TChartCanvas3D& canvas = c.Chart.Canvas();
  const int32_t midX = (s.XPixel(0) + s.XPixel(1)) / 2;
  const fw::TPoint front = canvas.ProjectToPoint(midX, (s.YPixel(0) + s.YPixelOfValue(0)) / 2, s.DepthStart());
  EXPECT_EQ(c.At(front.X, front.Y), fw::clRed);
  const fw::TPoint top = canvas.ProjectToPoint(midX, s.YPixel(0), s.DepthMiddle());
  EXPECT_EQ(c.At(top.X, top.Y), fw::clRed);
  const fw::TPoint end = canvas.ProjectToPoint(s.XPixel(1), (s.YPixel(0) + s.YPixelOfValue(0)) / 2, s.DepthMiddle());
  EXPECT_EQ(c.At(end.X, end.Y), DarkenColor(fw::clRed, 128));
}

TEST(AreaSeriesHits, TheFillFindsTheNearerPoint) {
  TSeriesChart c;
  auto& s = PlainArea(c, {4, 4}, fw::clRed);
  c.Draw();
  const int32_t x0 = s.XPixel(0), x1 = s.XPixel(1), y = s.YPixel(0) + 5;
  EXPECT_EQ(s.ClickedIndex(x0 + 2, y), 0);
  EXPECT_EQ(s.ClickedIndex(x1 - 2, y), 1);
  EXPECT_EQ(s.ClickedIndex(x0 + 2, s.YPixel(0) - 3), -1);
  EXPECT_EQ(s.ClickedIndex(x0 + 2, s.YPixelOfValue(0) + 3), -1);
}

TEST(AreaSeriesLegend, TheSymbolIsFilledLikeTheArea) {
  TSeriesChart c(240, 150);
  c.Chart.Legend().SetVisible(true);
  auto& s = PlainArea(c, {4, 4}, fw::clRed);
  s.SetTitle("Area");
  auto& line = c.Add<TLineSeries>({2, 2}, fw::clBlue);
  line.SetTitle("Line");
  fw::TSurface& image = c.Draw();
  const fw::TRect plot = c.Chart.PlotRect();
  const fw::TRect legendArea{plot.Right + 1, 0, c.Chart.Width(), c.Chart.Height()};
  const fw::TRect box = seriestest::ColorBounds(image, legendArea, fw::clRed);
  EXPECT_GE(box.Height(), 3);  // a filled box ...
  EXPECT_EQ(seriestest::Count(image, legendArea, fw::clRed), box.Width() * box.Height());
  const fw::TRect stroke = seriestest::ColorBounds(image, legendArea, fw::clBlue);
  EXPECT_EQ(stroke.Height(), 1);  // ... and a line
  EXPECT_GE(stroke.Width(), 3);
  EXPECT_GT(stroke.Top, box.Bottom);  // the line series' entry is the second
}

TEST(AreaSeriesRanges, TheOriginAndOnlyRealPointsCount) {
  TAreaSeries s;
  s.AppendPoint(0, 3, "", fw::clDefault);
  s.AppendPoint(1, std::numeric_limits<double>::quiet_NaN(), "", fw::clDefault);
  s.AppendNullPoint(2, 50, "");
  s.AppendPoint(3, 7, "", fw::clDefault);
  EXPECT_EQ(s.LowestY(), 0);
  EXPECT_EQ(s.HighestY(), 7);
  s.SetUseYOrigin(false);
  EXPECT_EQ(s.LowestY(), 3);
  EXPECT_EQ(s.LowestX(), 0);
  EXPECT_EQ(s.HighestX(), 3);
}

TEST(AreaSeriesRanges, AMillionPointsAndExtremeValuesAreSafe) {
  TSeriesChart c(300, 200, true);
  c.Chart.BottomAxis().SetAutomatic(true);
  c.Chart.LeftAxis().SetAutomatic(true);
  auto& s = c.Add<TAreaSeries>({}, fw::clRed);
  s.SetMultiArea(maStacked);
  s.AreaLinesPen().SetVisible(false);
  s.LinePen().SetVisible(false);
  for (int32_t i = 0; i < 1000000; ++i) s.AppendPoint(i, i % 7, "", fw::clDefault);
  c.Chart.SetView3D(false);
  c.Draw();
  EXPECT_GT(seriestest::Count(c.Image->Canvas(), c.Chart.PlotRect(), fw::clRed), 1000);
  TSeriesChart f(120, 90, true);
  f.Add<TAreaSeries>({1e308, -1e308, 1e308}, fw::clRed).SetMultiArea(maStacked100);
  f.Add<TAreaSeries>({1e308, 1e308, -1e308}, fw::clBlue).SetMultiArea(maStacked100);
  f.Draw();
  f.Chart.SetView3D(false);
  f.Draw();
  SUCCEED();
}

namespace {

// Every pixel of a frame of dense areas (many points per pixel column, values on both sides of
// the origin, stacked and in stairs), drawn with or without merging.
std::vector<fw::TColor> DenseAreaPixels(bool merge, bool stairs, TMultiArea multi) {
  const seriestest::TMergeDrawingScope merging(merge);
  TSeriesChart c(160, 120);
  seriestest::TSeriesChart::SetRange(c.Chart.BottomAxis(), 0, 400);
  seriestest::TSeriesChart::SetRange(c.Chart.LeftAxis(), -12, 12);
  auto& a = c.Add<TAreaSeries>({}, fw::clRed);
  auto& b = c.Add<TAreaSeries>({}, fw::clBlue);
  for (int32_t i = 0; i <= 400; ++i) {
    a.AppendPoint(i, 5 * std::sin(i * 0.05) + (i % 3) - 1, "", fw::clDefault);
    b.AppendPoint(i, 3 * std::cos(i * 0.21), "", i % 50 == 7 ? fw::clNone : fw::clDefault);
  }
  for (TAreaSeries* s : {&a, &b}) {
    s->SetStairs(stairs);
    s->SetMultiArea(multi);
    s->AreaLinesPen().SetColor(fw::clGreen);
  }
  fw::TSurface& image = c.Draw();
  return seriestest::AllPixels(image);
}

}  // namespace

TEST(AreaSeriesPixels, MergedDrawingGivesExactlyThePixelsOfThePlainDrawing) {
  for (bool stairs : {false, true})
    for (TMultiArea multi : {maNone, maStacked}) {
      const std::vector<fw::TColor> merged = DenseAreaPixels(true, stairs, multi);
      const std::vector<fw::TColor> plain = DenseAreaPixels(false, stairs, multi);
      EXPECT_EQ(merged, plain) << stairs << " " << multi;
      EXPECT_GT(std::count(plain.begin(), plain.end(), fw::clGreen), 100);
    }
}

namespace {

// Every pixel of a 3D frame of random areas (dense and sparse, one or two stacked, gaps,
// colours of their own, a fill colour of its own, stairs, hatched fills, pens, shading, zoom and
// depth, X ascending or not on the screen, oblique or rotated views), drawn with or without
// merging work.
std::vector<fw::TColor> Area3DPixels(bool merge, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  TSeriesChart c(140 + static_cast<int32_t>(rng() % 120), 100 + static_cast<int32_t>(rng() % 100), true);
  c.Chart.View3DOptions().SetOrthogonal(rng() % 6 != 0);
  c.Chart.View3DOptions().SetZoom(std::vector<int32_t>{100, 100, 80, 125}[rng() % 4]);
  c.Chart.SetChart3DPercent(1 + static_cast<int32_t>(rng() % 50));
  const int32_t n = 5 + static_cast<int32_t>(rng() % (rng() % 2 ? 1500 : 6000));
  TSeriesChart::SetRange(c.Chart.BottomAxis(), -2, n + 2.0);
  TSeriesChart::SetRange(c.Chart.LeftAxis(), -14, 14);
  c.Chart.BottomAxis().SetInverted(rng() % 6 == 0);
  const int areas = 1 + static_cast<int>(rng() % 2);
  const bool plain = seed % 3 == 0;
  const TMultiArea drawn = rng() % 2 == 0 ? maNone : maStacked;
  const TMultiArea multi = plain ? maNone : drawn;  // and not stacked
  for (int a = 0; a < areas; ++a) {
    auto& s = c.Add<TAreaSeries>({}, a == 0 ? fw::clRed : fw::clBlue);
    for (int32_t i = 0; i < n; ++i) {
      const double y = 6 * std::sin(i * 0.02 * (1 + a)) + static_cast<double>(rng() % 5) - 2;
      fw::TColor colour = rng() % 150 == 0 ? fw::clNone : rng() % 40 == 0 ? fw::clGreen : fw::clDefault;
      if (plain) colour = fw::clDefault;  // a third of the charts: no colours of the points' own
      s.AppendPoint(i, y, "", colour);
    }
    s.SetMultiArea(multi);
    s.SetStairs(rng() % 6 == 0 && !plain);
    s.SetColorEachPoint(rng() % 6 == 0);
    s.SetDark3D(rng() % 3 != 0);
    if (rng() % 5 == 0) s.AreaBrush().SetStyle(fw::bsCross);
    if (rng() % 4 == 0) s.AreaBrush().SetColor(fw::clYellow);
    switch (plain ? 4 : rng() % 5) {
      case 0: s.LinePen().SetVisible(false); break;
      case 1: s.LinePen().SetStyle(fw::psDash); break;
      case 2: s.LinePen().SetWidth(2); break;
      default: break;
    }
  }
  if (plain) {  // in the views that draw the tops of a column as strips
    c.Chart.View3DOptions().SetOrthogonal(true);
    c.Chart.View3DOptions().SetZoom(100);
  }
  c.Draw();  // the first frame settles the layout
  fw::TSurface& image = c.Draw();
  return seriestest::AllPixels(image);
}

}  // namespace

TEST(AreaSeriesPixels, In3DFrontsDrawnAfterTheTopsGiveThePixelsOfPrismByPrism) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    const std::vector<fw::TColor> merged = Area3DPixels(true, seed);
    const std::vector<fw::TColor> plain = Area3DPixels(false, seed);
    ASSERT_EQ(merged, plain) << "seed " << seed;
  }
}

namespace {

// Every pixel of a frame of random areas with only their fill showing (no edge line, no area
// lines): sparse and dense, a point at a time or several on one pixel column, values jumping
// within a column and back, far off the scale, stacked, in stairs, inverted axes, flat or in
// 3D views that move the front by whole pixels or not. Drawn with or without merging work.
std::vector<fw::TColor> FillOnlyPixels(bool merge, uint32_t seed) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  const bool view3D = rng() % 2 == 0;
  TSeriesChart c(120 + static_cast<int32_t>(rng() % 100), 90 + static_cast<int32_t>(rng() % 80), view3D);
  if (view3D) {
    c.Chart.View3DOptions().SetOrthogonal(rng() % 4 != 0);
    c.Chart.View3DOptions().SetZoom(rng() % 3 == 0 ? 80 : 100);
  }
  const int32_t n = 3 + static_cast<int32_t>(rng() % (rng() % 2 ? 200 : 4000));
  TSeriesChart::SetRange(c.Chart.BottomAxis(), -1, n + 1.0);
  TSeriesChart::SetRange(c.Chart.LeftAxis(), -14, 14);
  c.Chart.BottomAxis().SetInverted(rng() % 5 == 0);
  c.Chart.LeftAxis().SetInverted(rng() % 5 == 0);
  const int areas = 1 + static_cast<int>(rng() % 2);
  const TMultiArea multi = rng() % 3 == 0 ? maStacked : maNone;
  const bool stairs = rng() % 5 == 0;
  for (int a = 0; a < areas; ++a) {
    auto& s = PlainArea(c, {}, a == 0 ? fw::clRed : fw::clBlue);
    const int jumps = static_cast<int>(rng() % 3);  // none, within a column, far off the scale too
    for (int32_t i = 0; i < n; ++i) {
      double y = 8 * std::sin(i * 0.01 * (1 + a)) + static_cast<double>(rng() % 3);
      if (jumps > 0 && rng() % 3 == 0) y = static_cast<double>(rng() % 25) - 12;
      if (jumps > 1 && rng() % 200 == 0) y = rng() % 2 ? 1e200 : -1e200;
      s.AppendPoint(i, y, "", rng() % 300 == 0 ? fw::clNone : fw::clDefault);
    }
    s.SetMultiArea(multi);
    s.SetStairs(stairs);
  }
  c.Draw();  // the first frame settles the layout
  fw::TSurface& image = c.Draw();
  return seriestest::AllPixels(image);
}

}  // namespace

TEST(AreaSeriesPixels, FillAloneMergedGivesExactlyThePixelsOfEveryCorner) {
  int filled = 0;
  for (uint32_t seed = 1; seed <= 80; ++seed) {
    const std::vector<fw::TColor> merged = FillOnlyPixels(true, seed);
    const std::vector<fw::TColor> plain = FillOnlyPixels(false, seed);
    ASSERT_EQ(merged, plain) << "seed " << seed;
    filled += std::count(plain.begin(), plain.end(), fw::clRed) > 200;
  }
  EXPECT_GT(filled, 60);
}
