// The visible range of ascending X values found by bisection gives the indices of the scans from
// the front, for any data, multiplier, axis direction and ExtendToEdge.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "chart/data/TChartSeries.h"
#include "tests/chart/data/FakeSeriesHost.h"

using chart::TChartSeries;
using chart::test::FakeSeriesHost;

namespace {

/// The range as the scans from the front give it.
std::pair<int32_t, int32_t> ScannedRange(const TChartSeries& s, double low, double high, bool extend) {
  const chart::TChartValueList& xs = s.XValues();
  const int32_t last = s.PointCount() - 1;
  int32_t first = 0;
  while (xs.ValueAt(first) < low)
    if (++first > last) return {-1, -1};
  if (xs.LastValue() <= high) return {first, last};
  int32_t lastVisible = first;
  while (xs.ValueAt(lastVisible) < high)
    if (++lastVisible > last) {
      lastVisible = last;
      break;
    }
  if (!extend && xs.ValueAt(lastVisible) > high) --lastVisible;
  return {first, lastVisible};
}

TEST(VisibleRangeSearch, BisectionFindsWhatTheScansFind) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> unit(0, 1);
  int bisected = 0;
  for (int round = 0; round < 2000; ++round) {
    FakeSeriesHost chart;
    TChartSeries series;
    series.SetParentChart(&chart);
    const int n = 1 + static_cast<int>(rng() % 60);
    double x = unit(rng) * 10 - 5;
    for (int k = 0; k < n; ++k) {
      series.AppendPoint(x, 0, "", fw::clDefault);
      if (rng() % 3 != 0) x += std::floor(unit(rng) * 3);
    }
    if (rng() % 6 == 0) series.AppendPoint(std::numeric_limits<double>::quiet_NaN(), 0, "", fw::clDefault);
    if (rng() % 5 == 0) series.XValues().SetMultiplier(rng() % 2 ? 0.5 : -2.0);
    if (rng() % 9 == 0) series.XValues().SetValueAt(0, 1e9);  // out of order: scanned
    series.SetExtendToEdge(rng() % 2 == 0);
    chart::TAxisScale& axis = chart.Scale(chart::sarBottomAxis);
    const double a = unit(rng) * 80 - 20, b = a + unit(rng) * 60;
    axis.SetRange(a, rng() % 10 == 0 ? a : b);
    axis.SetSpan(0, 1000);
    axis.Inverted = rng() % 3 == 0;
    chart.PlotRect = {0, 0, 1000, 500};
    series.UpdateVisibleRange();
    const double low = axis.PixelToValue(axis.Inverted ? 1000 : 0);
    const double high = axis.PixelToValue(axis.Inverted ? 0 : 1000);
    const auto expected = ScannedRange(series, low, high, series.ExtendToEdge());
    ASSERT_EQ(series.FirstVisible(), expected.first) << "round " << round;
    ASSERT_EQ(series.LastVisible(), expected.second) << "round " << round;
    bisected += series.XValues().AscendsAsRead() ? 1 : 0;
    series.SetParentChart(nullptr);
  }
  EXPECT_GT(bisected, 1000);
}

TEST(VisibleRangeSearch, CountBelowBisectsOnlyFromTheGivenIndex) {
  TChartSeries series;
  for (double x : {1.0, 2.0, 2.0, 3.0, 5.0}) series.AppendPoint(x, 0, "", fw::clDefault);
  const chart::TChartValueList& xs = series.XValues();
  ASSERT_TRUE(xs.AscendsAsRead());
  EXPECT_EQ(xs.CountBelow(2, 0), 1);
  EXPECT_EQ(xs.CountBelow(2.5, 0), 3);
  EXPECT_EQ(xs.CountBelow(0, 2), 2);
  EXPECT_EQ(xs.CountBelow(9, 0), 5);
  EXPECT_EQ(xs.CountBelow(std::numeric_limits<double>::quiet_NaN(), 0), 0);
  series.XValues().SetMultiplier(-1);
  EXPECT_FALSE(xs.AscendsAsRead());
}

}  // namespace
