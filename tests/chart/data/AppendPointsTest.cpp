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

// A plain point appended at the end takes a short path; any point that needs more (a colour,
// a label, a place before the last X, a full list, a handler) takes the general one. A series
// whose OnBeforeAdd accepts everything always takes the general path, so it is the reference:
// the same lists, statistics, per-point repaint requests and after-add indices.
TEST(AppendPoints, PlainAppendsStoreAndNotifyAsTheGeneralPathDoes) {
  std::mt19937 rng(23);
  for (int round = 0; round < 60; ++round) {
    Pair p;
    p.Order(static_cast<chart::TChartListOrder>(round % 3));
    if (round % 5 == 4) {
      p.One.YValues().SetOrder(chart::loAscending);
      p.Many.YValues().SetOrder(chart::loAscending);
    }
    p.Many.OnBeforeAdd = [](TChartSeries*) { return true; };
    std::vector<int32_t> shortIndices, generalIndices;
    double x = 0;
    const int steps = 1 + static_cast<int>(rng() % 300);
    for (int k = 0; k < steps; ++k) {
      const unsigned kind = rng() % 40;
      if (kind == 0) {
        p.One.RemoveAllPoints();
        p.Many.RemoveAllPoints();
        continue;
      }
      if (kind == 1 && !p.One.OnAfterAdd) {
        p.One.OnAfterAdd = [&](TChartSeries*, int32_t index) { shortIndices.push_back(index); };
        p.Many.OnAfterAdd = [&](TChartSeries*, int32_t index) { generalIndices.push_back(index); };
        continue;
      }
      if (kind == 2) {
        p.One.SetActive(!p.One.Active());
        p.Many.SetActive(p.One.Active());
        continue;
      }
      x += static_cast<double>(rng() % 3);  // repeated X values as well
      double px = kind == 3 ? x - 5 : kind == 4 ? NaN : x;
      const double py = kind == 5 ? NaN : static_cast<double>(rng() % 100);
      const fw::TColor color = kind == 6 ? fw::clRed : kind == 7 ? fw::clNone : fw::clDefault;
      const std::string label = kind == 8 ? "L" : "";
      p.ChartOne.Invalidations = p.ChartMany.Invalidations = 0;
      int32_t one, many;
      if (kind % 2 == 0 && color == fw::clDefault && label.empty()) {
        one = p.One.AppendPoint(px, py);
        many = p.Many.AppendPoint(px, py);
      } else {
        one = p.One.AppendPoint(px, py, label, color);
        many = p.Many.AppendPoint(px, py, label, color);
      }
      ASSERT_EQ(one, many) << "round " << round << " step " << k;
      ASSERT_EQ(p.ChartOne.Invalidations, p.ChartMany.Invalidations) << "round " << round << " step " << k;
    }
    ASSERT_EQ(Contents(p.One), Contents(p.Many)) << "round " << round;
    EXPECT_EQ(shortIndices, generalIndices) << "round " << round;
    if (p.One.PointCount() > 0) {
      const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
      EXPECT_TRUE(same(p.One.XValues().MaximumValue(), p.Many.XValues().MaximumValue())) << "round " << round;
      EXPECT_TRUE(same(p.One.YValues().TotalValue(), p.Many.YValues().TotalValue())) << "round " << round;
      EXPECT_EQ(p.One.YValues().AscendsAsRead(), p.Many.YValues().AscendsAsRead());
    }
    p.One.OnAfterAdd = nullptr;
    p.Many.OnAfterAdd = nullptr;
  }
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
