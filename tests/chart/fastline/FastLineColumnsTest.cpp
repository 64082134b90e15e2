// The column-by-column pass of the fast line: on a plain surface with a solid one-pixel copy pen
// it draws far fewer lines, and every pixel equals the pass that draws each segment (taken by a
// surface that watches its calls). Many random data sets, axes, pens and clips.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FakeLineChart.h"
#include "chart/canvas/TChartPen.h"
#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TSurface.h"

namespace chart::test {
namespace {

constexpr int32_t W = 160, H = 110;
const double NaN = std::numeric_limits<double>::quiet_NaN();

/// A surface of its own class: it draws exactly like the plain one, but lines on it never form a
/// union of pixels, so the fast line draws every segment.
class SegmentSurface : public fw::TSurface {};

/// A plain surface with an image, counting its drawing operations.
struct CountingSurface {
  fw::TSurface Surface;
  int Operations = 0;
  CountingSurface() {
    fw::SurfaceAccess::CreateImage(Surface, W, H);
    Surface.OnChange = [this] { ++Operations; };
  }
};

struct TCase {
  std::vector<double> X, Y;
  TChartListOrder Order = loAscending;
  double XMultiplier = 1, YMultiplier = 1;
  double XMin = 0, XMax = 1, YMin = 0, YMax = 1;
  bool XInverted = false, YInverted = false, YLogarithmic = false;
  bool ExtendToEdge = true;
  int PenKind = 0;  // 0 solid 1 px, 1 width 2, 2 dashed, 3 not-xor, 4 clear
  int ClipKind = 0;  // 0 none, 1 plot box, 2 a region of two boxes
  bool View3D = false;
};

std::string Describe(const TCase& c, int round) {
  return "round " + std::to_string(round) + " points " + std::to_string(c.X.size()) + " order " +
         std::to_string(c.Order) + " pen " + std::to_string(c.PenKind) + " clip " + std::to_string(c.ClipKind) +
         " inverted " + std::to_string(c.XInverted) + std::to_string(c.YInverted) + " log " +
         std::to_string(c.YLogarithmic) + " 3D " + std::to_string(c.View3D);
}

TCase RandomCase(std::mt19937& rng) {
  std::uniform_real_distribution<double> unit(0, 1);
  TCase c;
  const int n = 2 + static_cast<int>(rng() % (rng() % 4 == 0 ? 6000 : 400));
  // X: mostly ascending with repeats, sometimes descending or unordered.
  const int order = static_cast<int>(rng() % 6);
  c.Order = order < 4 ? loAscending : (order == 4 ? loDescending : loNone);
  double x = unit(rng) * 10;
  const double step = rng() % 3 == 0 ? 0.01 : unit(rng) * 3;
  for (int i = 0; i < n; ++i) {
    c.X.push_back(c.Order == loNone ? unit(rng) * 100 : (c.Order == loDescending ? -x : x));
    if (rng() % 7 != 0) x += step * unit(rng) * 2;
  }
  if (rng() % 8 == 0) c.X[static_cast<size_t>(n - 1)] = NaN;  // gathers at the end of an ordered list
  // Y: a curve with noise, flat stretches, steps, NaN and values far off the scale.
  const double amp = 1 + unit(rng) * 100;
  const int yKind = static_cast<int>(rng() % 4);
  for (int i = 0; i < n; ++i) {
    double y = amp * std::sin(i * 0.05) + (unit(rng) - 0.5) * amp * (yKind == 0 ? 2 : 0.3);
    if (yKind == 1 && (i / 37) % 2 == 0) y = 5;  // flat runs
    if (yKind == 2) y = std::floor(y / 20) * 20;  // steps
    const uint32_t odd = rng() % 200;
    if (odd == 0) y = NaN;
    if (odd == 1) y = 1e300;
    if (odd == 2) y = -std::numeric_limits<double>::infinity();
    c.Y.push_back(y);
  }
  const double xSpan = std::abs(x) + 10;
  c.XMin = (unit(rng) - 0.2) * xSpan * (rng() % 3 == 0 ? 0.9 : 0.1);
  c.XMax = c.XMin + xSpan * (rng() % 3 == 0 ? 0.05 + unit(rng) * 0.3 : 1.2);
  if (c.Order == loDescending) {
    const double lo = -c.XMax, hi = -c.XMin;
    c.XMin = lo;
    c.XMax = hi;
  }
  if (c.Order == loNone) {
    c.XMin = 0;
    c.XMax = 100;
  }
  c.YMin = -amp * (0.5 + unit(rng));
  c.YMax = amp * (0.5 + unit(rng));
  if (rng() % 15 == 0) c.YMax = c.YMin;  // a zero range maps everything to the centre
  c.XMultiplier = rng() % 6 == 0 ? (rng() % 2 ? 2.0 : -1.0) : 1.0;
  if (c.XMultiplier < 0) std::swap(c.XMin, c.XMax), c.XMin = -c.XMin, c.XMax = -c.XMax;
  c.YMultiplier = rng() % 6 == 0 ? (rng() % 2 ? 0.5 : -1.0) : 1.0;
  c.XInverted = rng() % 4 == 0;
  c.YInverted = rng() % 4 == 0;
  c.YLogarithmic = rng() % 8 == 0;
  if (c.YLogarithmic) {
    c.YMin = 0.5;
    c.YMax = amp;
  }
  c.ExtendToEdge = rng() % 3 != 0;
  c.PenKind = rng() % 3 == 0 ? static_cast<int>(rng() % 5) : 0;
  c.ClipKind = static_cast<int>(rng() % 3);
  c.View3D = rng() % 10 == 0;
  return c;
}

/// Draws the case's pass onto the surface (which has an image of W x H) and returns its pixels.
std::vector<fw::TColor> DrawCase(const TCase& c, fw::TSurface& surface) {
  PenRecordingSurface unused;
  FakeLineChart chart(unused);
  chart.Canvas.AttachSurface(&surface);
  chart.View3D = c.View3D;
  chart.PlotRect = {12, 9, W - 10, H - 7};
  for (auto role : {sarBottomAxis, sarTopAxis}) {
    chart.Scales[role].SetRange(c.XMin, c.XMax);
    chart.Scales[role].SetSpan(chart.PlotRect.Left, chart.PlotRect.Right);
    chart.Scales[role].Inverted = c.XInverted;
  }
  for (auto role : {sarLeftAxis, sarRightAxis}) {
    chart.Scales[role].SetRange(c.YMin, c.YMax);
    chart.Scales[role].SetSpan(chart.PlotRect.Top, chart.PlotRect.Bottom);
    chart.Scales[role].Inverted = c.YInverted;
    chart.Scales[role].Logarithmic = c.YLogarithmic;
  }
  TFastLineSeries series;
  series.SetParentChart(&chart);
  series.XValues().SetOrder(c.Order);
  series.XValues().SetMultiplier(c.XMultiplier);
  series.YValues().SetMultiplier(c.YMultiplier);
  series.SetExtendToEdge(c.ExtendToEdge);
  series.AppendPoints(c.X, c.Y);
  series.LinePen().SetColor(fw::clRed);
  switch (c.PenKind) {
    case 1: series.LinePen().SetWidth(2); break;
    case 2: series.LinePen().SetStyle(fw::psDash); break;
    case 3: series.LinePen().SetMode(fw::pmNotXor); break;
    case 4: series.LinePen().SetVisible(false); break;
    default: break;
  }
  surface.PatBlt({0, 0, W, H}, fw::clWhite);
  surface.RemoveClipping();
  if (c.ClipKind == 1) surface.IntersectClipRect(chart.PlotRect);
  if (c.ClipKind == 2) {
    const std::vector<fw::TPoint> region{{0, 0}, {70, 0}, {70, 50}, {W, 50}, {W, H}, {0, H}};
    surface.IntersectClipPolygon(region);
  }
  series.UpdateVisibleRange();
  if (series.FirstVisible() >= 0) series.DrawAllPoints();
  std::vector<fw::TColor> pixels;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) pixels.push_back(surface.GetPixel(x, y));
  series.SetParentChart(nullptr);
  return pixels;
}

// These cases are small: the columns are taken whenever they apply, whatever the density,
// so that every case below proves them.
struct TColumnsAlways : ::testing::Environment {
  void SetUp() override { TFastLineSeries::ColumnsFromDensity = 0; }
};
const auto* const ColumnsAlways = ::testing::AddGlobalTestEnvironment(new TColumnsAlways);

TEST(FastLineColumns, EveryPixelEqualsDrawingEverySegment) {
  std::mt19937 rng(2024);
  int fastCases = 0;
  for (int round = 0; round < 700; ++round) {
    const TCase c = RandomCase(rng);
    CountingSurface plain;
    SegmentSurface segments;
    fw::SurfaceAccess::CreateImage(segments, W, H);
    const std::vector<fw::TColor> fast = DrawCase(c, plain.Surface);
    const std::vector<fw::TColor> slow = DrawCase(c, segments);
    ASSERT_EQ(fast, slow) << Describe(c, round);
    if (c.Order == loAscending && c.PenKind == 0 && !c.View3D && !c.YLogarithmic && c.XMultiplier > 0 &&
        c.YMultiplier > 0)
      ++fastCases;
  }
  EXPECT_GT(fastCases, 150);
}

// With the working density, sparse passes go point by point and dense ones by columns: the
// same pixels either way.
TEST(FastLineColumns, TheDensityChoosesThePathNotThePixels) {
  const int32_t saved = TFastLineSeries::ColumnsFromDensity;
  TFastLineSeries::ColumnsFromDensity = 4;
  std::mt19937 rng(77);
  for (int round = 0; round < 150; ++round) {
    const TCase c = RandomCase(rng);
    CountingSurface plain;
    SegmentSurface segments;
    fw::SurfaceAccess::CreateImage(segments, W, H);
    ASSERT_EQ(DrawCase(c, plain.Surface), DrawCase(c, segments)) << Describe(c, round);
  }
  TFastLineSeries::ColumnsFromDensity = saved;
}

TEST(FastLineColumns, DenseDataTakesAFewLinesPerColumn) {
  // 20,000 noisy points over the plot's 138 columns: at most four line calls per column.
  TCase c;
  std::mt19937 rng(5);
  for (int i = 0; i < 20000; ++i) {
    c.X.push_back(i);
    c.Y.push_back(std::sin(i * 0.001) * 40 + static_cast<double>(rng() % 100) / 10);
  }
  c.XMin = 0;
  c.XMax = 20000;
  c.YMin = -60;
  c.YMax = 60;
  CountingSurface plain;
  SegmentSurface segments;
  fw::SurfaceAccess::CreateImage(segments, W, H);
  const std::vector<fw::TColor> fast = DrawCase(c, plain.Surface);
  EXPECT_EQ(fast, DrawCase(c, segments));
  const int columns = W - 10 - 12 + 1;
  EXPECT_GT(plain.Operations, columns);
  EXPECT_LE(plain.Operations, 4 * columns + 8);
}

// A whole 3D chart: in an oblique view at 100 % zoom the series' depth is moved by whole
// pixels, and the pass by columns gives the pixels of drawing every point. Random views (offsets,
// zoom, rotation, elevation, perspective), depths, pens, values far off the scale and inverted
// axes; views that do not move by whole pixels are drawn point by point either way.
std::vector<fw::TColor> Chart3DPixels(uint32_t seed, int32_t density) {
  const int32_t saved = TFastLineSeries::ColumnsFromDensity;
  TFastLineSeries::ColumnsFromDensity = density;
  std::mt19937 rng(seed);
  TChart chart(nullptr);
  const int32_t w = 120 + static_cast<int32_t>(rng() % 200), h = 90 + static_cast<int32_t>(rng() % 150);
  chart.SetBounds(0, 0, w, h);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(true);
  chart.Legend().SetVisible(false);
  chart.SetChart3DPercent(1 + static_cast<int32_t>(rng() % 60));
  TView3DOptions& view = chart.View3DOptions();
  view.SetOrthogonal(rng() % 2 == 0);
  view.SetRotation(300 + static_cast<int32_t>(rng() % 61));
  view.SetElevation(300 + static_cast<int32_t>(rng() % 61));
  view.SetPerspective(static_cast<int32_t>(rng() % 3) * 20);
  view.SetZoom(std::vector<int32_t>{100, 100, 100, 90, 137}[rng() % 5]);
  if (rng() % 3 == 0) view.SetHorizOffset(static_cast<int32_t>(rng() % 80) - 40);
  if (rng() % 3 == 0) view.SetVertOffset(static_cast<int32_t>(rng() % 80) - 40);
  chart.LeftAxis().SetInverted(rng() % 5 == 0);
  std::vector<std::unique_ptr<TFastLineSeries>> series;
  for (int k = 0; k < 1 + static_cast<int>(rng() % 2); ++k) {
    auto s = std::make_unique<TFastLineSeries>(nullptr);
    s->SetSeriesColor(k == 0 ? fw::clRed : fw::clBlue);
    const int n = 50 + static_cast<int>(rng() % 8000);
    double y = 0;
    for (int i = 0; i < n; ++i) {
      y += static_cast<double>(rng() % 21) - 10;
      double v = y;
      if (rng() % 700 == 0) v = (rng() % 2 ? 1 : -1) * 1e15;  // far off the scale
      s->AppendPoint(i, v, "", fw::clDefault);
    }
    if (rng() % 6 == 0) s->LinePen().SetWidth(2);
    s->SetParentChart(&chart);
    series.push_back(std::move(s));
  }
  if (rng() % 3 == 0) {
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetAxisRange(-300, 300);
  }
  fw::TBitmap image(w, h);
  chart.DrawToCanvas(image.Canvas(), fw::TRect{0, 0, w, h});
  std::vector<fw::TColor> pixels;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) pixels.push_back(image.Canvas().GetPixel(x, y));
  for (auto& s : series) s->SetParentChart(nullptr);
  TFastLineSeries::ColumnsFromDensity = saved;
  return pixels;
}

TEST(FastLineColumns, In3DTheColumnsGiveThePixelsOfEveryPoint) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    const std::vector<fw::TColor> columns = Chart3DPixels(seed, 0);
    const std::vector<fw::TColor> points = Chart3DPixels(seed, INT32_MAX);
    ASSERT_EQ(columns.size(), points.size());
    size_t differences = 0;
    for (size_t k = 0; k < points.size(); ++k) differences += columns[k] != points[k];
    ASSERT_EQ(differences, 0u) << "seed " << seed;
  }
}

TEST(FastLineColumns, RunsEndingOnTheirOwnRowKeepTheEndPixelRule) {
  // Hand-made runs in one column: the last point's row is drawn only when an
  // earlier point of the run lies on it or beyond it.
  const std::vector<std::vector<double>> runs{
      {10, 30, 30},          // ends on its own row after a repeat: row 30 stays empty
      {10, 30, 20, 30},      // row 30 reached before: drawn
      {30, 10, 20},          // ends inside: everything between 10 and 30
      {20, 20, 20},          // one row: nothing in the column
      {10, 40, 5, 40, 40},   // the end row reached twice
      {40, 10, 0},           // ends below every other point
      {30, 10, 20, 10},      // the same, mirrored: the lowest row reached before
      {30, 10, 10},
      {0, 40, 10, 0, 0},
  };
  for (size_t k = 0; k < runs.size(); ++k) {
    // The run ends the polyline (no segment leaves its last point), after a point in another
    // column.
    TCase c;
    c.X.push_back(5);
    c.Y.push_back(25);
    for (double y : runs[k]) {
      c.X.push_back(20);
      c.Y.push_back(y);
    }
    c.XMin = 20 - 12 - 20;
    c.XMax = c.XMin + (W - 10 - 12);
    c.YMin = 0;
    c.YMax = H - 7 - 9;
    CountingSurface plain;
    SegmentSurface segments;
    fw::SurfaceAccess::CreateImage(segments, W, H);
    EXPECT_EQ(DrawCase(c, plain.Surface), DrawCase(c, segments)) << "run " << k;
  }
}

TEST(FastLineColumns, WatchingSurfacesSeeEveryPointByPointCall) {
  // A recording surface is told of each line the point-by-point pass draws, however dense.
  PenRecordingSurface recorder(W, H);
  FakeLineChart chart(recorder);
  TFastLineSeries series;
  series.SetParentChart(&chart);
  std::vector<double> x, y;
  for (int i = 0; i < 3000; ++i) {
    x.push_back(i * 0.3);
    y.push_back((i * 7919) % 500);
  }
  series.AppendPoints(x, y);
  series.UpdateVisibleRange();
  recorder.ClearCalls();
  series.DrawAllPoints();
  // The expected calls: every point's pixel, consecutive repeats skipped.
  int expected = 0;
  int32_t lastX = INT32_MIN, lastY = INT32_MIN;
  for (int32_t i = series.FirstVisible(); i <= series.LastVisible(); ++i) {
    const int32_t px = series.XPixel(i), py = series.YPixel(i);
    if (i != series.FirstVisible() && (px != lastX || py != lastY)) ++expected;
    lastX = px;
    lastY = py;
  }
  EXPECT_EQ(static_cast<int>(recorder.CallsNamed("LineTo").size()), expected);
  EXPECT_GT(expected, 1000);
  series.SetParentChart(nullptr);
}

TEST(FastLineColumns, BulkAddWithoutAutoRepaintDrawsEachPointAsAppendPointDoes) {
  std::vector<double> x{0, 10, 5, 30, 30, 40}, y{0, 10, 20, 5, 5, 50};
  std::vector<std::vector<fw::TSurfaceCall>> drawn;
  for (const bool bulk : {false, true}) {
    FakeLineChart chart;
    TFastLineSeries series;
    series.SetParentChart(&chart);
    series.SetAutoRepaint(false);
    int afterAdd = 0;
    series.OnAfterAdd = [&](TChartSeries*, int32_t) { ++afterAdd; };
    chart.Surface.ClearCalls();
    chart.Invalidations = 0;
    if (bulk)
      EXPECT_EQ(series.AppendPoints(x, y), 6);
    else
      for (size_t k = 0; k < x.size(); ++k) series.AppendPoint(x[k], y[k], "", fw::clDefault);
    EXPECT_EQ(chart.Invalidations, 0);
    EXPECT_EQ(afterAdd, 0);
    drawn.push_back(chart.Surface.Geometry());
    series.SetParentChart(nullptr);
  }
  EXPECT_EQ(drawn[0].size(), drawn[1].size());
  for (size_t k = 0; k < drawn[0].size() && k < drawn[1].size(); ++k) {
    EXPECT_EQ(drawn[0][k].Name, drawn[1][k].Name) << k;
    EXPECT_EQ(drawn[0][k].Ints, drawn[1][k].Ints) << k;
  }
  EXPECT_GE(drawn[0].size(), 10u);
}

}  // namespace
}  // namespace chart::test
