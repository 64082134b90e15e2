// Adding many points in one call: the same lists as adding them one by one, one repaint, one
// notice to dependents, the per-point events, and rejected input that changes nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/data/TChartSeries.h"
#include "framework/controls/TComponent.h"
#include "framework/runtime/Exception.h"
#include "tests/chart/data/FakeSeriesHost.h"

using chart::TChartSeries;
using chart::test::FakeSeriesHost;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

/// Every stored value, colour and label of a series, NaN compared as equal.
std::string Contents(const TChartSeries& s) {
  std::string out;
  for (int32_t i = 0; i < s.PointCount(); ++i) {
    out += std::to_string(s.XValues().RawValueAt(i)) + "," + std::to_string(s.YValues().RawValueAt(i)) + "," +
           std::to_string(s.StoredColorOf(i)) + "," + s.LabelOfPoint(i) + ";";
  }
  return out;
}

std::string Message(const std::function<void()>& call) {
  try {
    call();
  } catch (const fw::Exception& e) {
    return e.Message();
  }
  return "no error";
}

struct Pair {
  FakeSeriesHost ChartOne, ChartMany;
  TChartSeries One, Many;
  Pair() {
    One.SetParentChart(&ChartOne);
    Many.SetParentChart(&ChartMany);
  }
  void Order(chart::TChartListOrder order) {
    One.XValues().SetOrder(order);
    Many.XValues().SetOrder(order);
  }
};

TEST(AppendPoints, StoresWhatAppendPointStoresForEveryOrder) {
  std::mt19937 rng(11);
  for (int round = 0; round < 120; ++round) {
    Pair p;
    p.Order(static_cast<chart::TChartListOrder>(round % 3));
    // Existing points, some with colours or labels, so that the new ones follow them.
    const int existing = static_cast<int>(rng() % 4);
    for (int k = 0; k < existing; ++k) {
      const fw::TColor color = rng() % 2 ? fw::clBlue : fw::clDefault;
      const std::string label = rng() % 3 == 0 ? "p" : "";
      p.One.AppendPoint(k * 2.0, k, label, color);
      p.Many.AppendPoint(k * 2.0, k, label, color);
    }
    std::vector<double> x, y;
    const int n = static_cast<int>(rng() % 50);
    const bool ascending = rng() % 2 == 0;
    for (int k = 0; k < n; ++k) {
      x.push_back(ascending ? 10.0 + k * (rng() % 3) : static_cast<double>(rng() % 20));
      y.push_back(static_cast<double>(rng() % 100));
      if (rng() % 15 == 0) x.back() = NaN;
      if (rng() % 15 == 0) y.back() = NaN;
    }
    for (int k = 0; k < n; ++k) p.One.AppendPoint(x[static_cast<size_t>(k)], y[static_cast<size_t>(k)], "", fw::clDefault);
    EXPECT_EQ(p.Many.AppendPoints(x, y), n);
    ASSERT_EQ(Contents(p.Many), Contents(p.One)) << "round " << round;
    // Later single adds place their values alike (the order state agrees).
    p.One.AppendPoint(5, 1, "", fw::clDefault);
    p.Many.AppendPoint(5, 1, "", fw::clDefault);
    ASSERT_EQ(Contents(p.Many), Contents(p.One)) << "round " << round;
    EXPECT_EQ(p.Many.XValues().MaximumValue(), p.One.XValues().MaximumValue());
  }
}

TEST(AppendPoints, OneRepaintForManyPointsAndNoneWhenInactiveOrEmpty) {
  FakeSeriesHost chart;
  TChartSeries series;
  series.SetParentChart(&chart);
  chart.Invalidations = 0;
  const std::vector<double> x{1, 2, 3, 4}, y{4, 3, 2, 1};
  series.AppendPoints(x, y);
  EXPECT_EQ(chart.Invalidations, 1);
  series.AppendPoints(std::vector<double>{}, std::vector<double>{});
  EXPECT_EQ(chart.Invalidations, 1);
  series.SetActive(false);
  chart.Invalidations = 0;
  series.AppendPoints(x, y);
  EXPECT_EQ(chart.Invalidations, 0);
  EXPECT_EQ(series.PointCount(), 8);
}

TEST(AppendPoints, MandatoryValuesTakeTheIndexAsTheirOtherValue) {
  TChartSeries series;
  series.AppendPoint(0, 7, "", fw::clDefault);
  const std::vector<double> values{5, NaN, -1};
  EXPECT_EQ(series.AppendPoints(values), 3);
  ASSERT_EQ(series.PointCount(), 4);
  for (int32_t i = 1; i < 4; ++i) EXPECT_EQ(series.XValueOf(i), i);
  EXPECT_EQ(series.YValueOf(1), 5);
  EXPECT_TRUE(std::isnan(series.YValueOf(2)));
  EXPECT_EQ(series.YValueOf(3), -1);
}

TEST(AppendPoints, BeforeAddMayRefuseEachPointAndAfterAddHearsEachIndex) {
  FakeSeriesHost chart;
  TChartSeries series;
  series.SetParentChart(&chart);
  series.AppendPoint(2.5, 0, "", fw::clDefault);
  std::vector<double> pendingX;
  series.OnBeforeAdd = [&](TChartSeries* s) {
    pendingX.push_back(s->XValues().PendingValue());
    return s->YValues().PendingValue() >= 0;
  };
  std::vector<int32_t> indices;
  series.OnAfterAdd = [&](TChartSeries*, int32_t index) { indices.push_back(index); };
  chart.Invalidations = 0;
  const std::vector<double> x{1, 2, 3, 4}, y{10, -1, 30, 40};
  EXPECT_EQ(series.AppendPoints(x, y), 3);
  EXPECT_EQ(pendingX, x);
  EXPECT_EQ(indices, (std::vector<int32_t>{0, 2, 3}));  // 1 goes before 2.5; 3 and 4 after it
  EXPECT_EQ(chart.Invalidations, 1);
  series.OnBeforeAdd = [](TChartSeries*) { return false; };
  chart.Invalidations = 0;
  EXPECT_EQ(series.AppendPoints(x, y), 0);
  EXPECT_EQ(chart.Invalidations, 0) << "nothing added, nothing to repaint";
  EXPECT_EQ(series.PointCount(), 4);
}

TEST(AppendPoints, MismatchedOrTooManyValuesChangeNothing) {
  FakeSeriesHost chart;
  TChartSeries series;
  series.SetParentChart(&chart);
  series.AppendPoint(1, 1, "", fw::clDefault);
  chart.Invalidations = 0;
  const std::vector<double> three{1, 2, 3}, two{1, 2};
  EXPECT_EQ(Message([&] { series.AppendPoints(three, two); }), chart::ChartConst::PointArraysDiffer);
  EXPECT_THROW(series.AppendPoints(two, three), chart::ChartException);
  // A count the series cannot hold is refused before any value is read.
  const double one = 0;
  const std::span<const double> huge(&one, static_cast<size_t>(INT32_MAX));
  EXPECT_EQ(Message([&] { series.AppendPoints(huge, huge); }), "List capacity out of bounds (1)");
  EXPECT_EQ(Message([&] { series.AppendPoints(huge); }), "List capacity out of bounds (1)");
  EXPECT_EQ(series.PointCount(), 1);
  EXPECT_EQ(chart.Invalidations, 0);
}

TEST(AppendPoints, DependentsHearOnceAndFollowTheirInsertOption) {
  FakeSeriesHost chart;
  fw::TComponent form;
  TChartSeries* source = new TChartSeries(&form);
  TChartSeries* copy = new TChartSeries(&form);
  source->SetName("Source");
  copy->SetName("Copy");
  source->SetParentChart(&chart);
  copy->SetParentChart(&chart);
  copy->SetDataSource(source);
  int cleared = 0;
  copy->OnClearValues = [&](TChartSeries*) { ++cleared; };
  const std::vector<double> x{3, 1, 2}, y{30, 10, 20};
  source->AppendPoints(x, y);
  EXPECT_EQ(cleared, 1) << "one recalculation for the whole add";
  EXPECT_EQ(Contents(*copy), Contents(*source));
  copy->SetRecalcOptions(chart::rOnDelete);
  source->AppendPoints(x, y);
  EXPECT_EQ(copy->PointCount(), 3) << "a dependent without the insert option ignores adds";
  copy->OnClearValues = nullptr;
  source->SetParentChart(nullptr);
  copy->SetParentChart(nullptr);
}

}  // namespace
