// Dense lines and areas drawn from each pixel column's first, last and extreme points give
// exactly the pixels of drawing every point.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "chart/canvas/TChartPen.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TSeriesPointer.h"
#include "tests/chart/series/SeriesTestSupport.h"

using namespace chart;
using seriestest::TSeriesChart;

namespace {

// Every pixel of a frame of one dense series without gaps, built from the seed: a line or an
// area, ascending X with runs of equal values or clusters, a multiplier, inverted axes, part of
// the points scrolled out, values far off the scale, and pens and brushes that allow the column
// pass and ones that do not. Drawn with or without merging work.
std::vector<fw::TColor> DenseSeriesPixels(bool merge, uint32_t seed, bool& area) {
  std::mt19937 rng(seed);
  const seriestest::TMergeDrawingScope merging(merge);
  TSeriesChart c(100 + static_cast<int32_t>(rng() % 120), 80 + static_cast<int32_t>(rng() % 80));
  const int32_t n = 30 + static_cast<int32_t>(rng() % 3000);
  area = rng() % 2 == 0;
  TCustomSeries* s = area ? static_cast<TCustomSeries*>(&c.Add<TAreaSeries>({}, fw::clRed))
                          : static_cast<TCustomSeries*>(&c.Add<TLineSeries>({}, fw::clRed));
  const int xs = static_cast<int>(rng() % 3);  // even, runs of equal X, clusters
  const double frequency = 0.002 * (1 + rng() % 20);
  const double noise = static_cast<double>(rng() % 6);
  double x = 0;
  for (int32_t i = 0; i < n; ++i) {
    x = xs == 0 ? i : xs == 1 ? i - i % 5 : x + (rng() % 40 == 0 ? 50.0 : 0.05);
    double y = 10 * std::sin(i * frequency) + noise * (static_cast<double>(rng() % 1000) / 1000 - 0.5);
    if (rng() % 1500 == 0) y = rng() % 2 ? 1e300 : -1e300;
    s->AppendPoint(x, y, "", fw::clDefault);
  }
  if (rng() % 4 == 0) s->YValues().SetMultiplier(rng() % 2 ? 0.5 : 3);
  // The whole X range, or part of it (points before and after the axis range).
  const double lo = rng() % 3 == 0 ? x * 0.3 : -1;
  TSeriesChart::SetRange(c.Chart.BottomAxis(), lo, rng() % 3 == 0 ? x * 0.7 : x + 1);
  TSeriesChart::SetRange(c.Chart.LeftAxis(), -14, 14);
  c.Chart.LeftAxis().SetInverted(rng() % 4 == 0);
  c.Chart.BottomAxis().SetInverted(rng() % 5 == 0);
  switch (rng() % 7) {
    case 0: s->LinePen().SetWidth(2); break;
    case 1: s->LinePen().SetStyle(fw::psDot); break;
    case 2: s->LinePen().SetVisible(false); break;
    case 3: s->LinePen().SetMode(fw::pmNotXor); break;
    default: break;
  }
  if (area) {
    auto& a = static_cast<TAreaSeries&>(*s);
    switch (rng() % 5) {
      case 0: a.AreaLinesPen().SetVisible(false); break;
      case 1: a.AreaLinesPen().SetStyle(fw::psDash); break;
      default: a.AreaLinesPen().SetColor(fw::clGreen); break;
    }
    if (rng() % 3 == 0) {
      a.SetUseYOrigin(true);
      a.SetYOrigin(static_cast<double>(rng() % 9) - 4);
    }
    if (rng() % 5 == 0) a.AreaBrush().SetStyle(fw::bsDiagCross);
  }
  if (rng() % 10 == 0) s->Pointer().SetVisible(true);
  fw::TSurface& image = c.Draw();
  return seriestest::AllPixels(image);
}

}  // namespace

TEST(ColumnPass, DenseLinesAndAreasGiveExactlyThePixelsOfEveryPoint) {
  int areas = 0, drawn = 0;
  for (uint32_t seed = 1; seed <= 240; ++seed) {
    bool area = false;
    const std::vector<fw::TColor> merged = DenseSeriesPixels(true, seed, area);
    const std::vector<fw::TColor> plain = DenseSeriesPixels(false, seed, area);
    ASSERT_EQ(merged, plain) << "seed " << seed;
    drawn += std::count(plain.begin(), plain.end(), fw::clRed) > 100;
    areas += area;
  }
  EXPECT_GT(areas, 60);
  EXPECT_GT(drawn, 160);  // most frames show the series
}
