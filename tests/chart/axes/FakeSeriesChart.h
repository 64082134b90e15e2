#pragma once
// A chart stand-in with series: the axes' host and the series' host in one object, with the five
// axes of a chart and a plain (unpaged) data range.
#include <algorithm>
#include <vector>

#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesHost.h"
#include "tests/chart/axes/FakeAxisHost.h"

namespace axistest {

class FakeSeriesChart : public FakeAxisHost, public chart::TSeriesHost {
public:
  FakeSeriesChart() : Axes5(*this) {}
  ~FakeSeriesChart() {
    while (!Series.empty()) Series.front()->SetParentChart(nullptr);
  }

  // ---- shared by both hosts ----
  void InvalidateChart() override { ++Invalidations; }
  bool ChartLoading() const override { return Loading; }
  fw::TRect ChartPlotRect() const override { return Plot; }
  chart::TCanvas3D& Canvas3D() override { return Canvas; }
  bool ChartView3D() const override { return View3D; }

  // ---- series list for the axes ----
  int32_t SeriesCount() const override { return static_cast<int32_t>(Series.size()); }
  chart::TChartSeries& SeriesAt(int32_t index) const override { return *Series.at(static_cast<size_t>(index)); }
  double SeriesRangeForAxis(const chart::TCustomChartAxis& axis, bool wantMinimum, bool wantX) const override {
    double result = 0;
    bool first = true;
    for (chart::TChartSeries* s : Series) {
      if (!s->Active() || s->PointCount() == 0 || !s->UsesAxis(&axis)) continue;
      const double v = wantX ? (wantMinimum ? s->LowestX() : s->HighestX()) : (wantMinimum ? s->LowestY() : s->HighestY());
      if (first || (wantMinimum ? v < result : v > result)) result = v;
      first = false;
    }
    return result;
  }

  // ---- TSeriesHost ----
  void AddSeriesToChart(chart::TChartSeries* series) override {
    if (std::find(Series.begin(), Series.end(), series) == Series.end()) Series.push_back(series);
  }
  void RemoveSeriesFromChart(chart::TChartSeries* series) override { std::erase(Series, series); }
  fw::TColor PickSeriesColor(bool) override { return fw::clRed; }
  bool ChartDestroying() const override { return false; }
  chart::TCustomChartAxis* SeriesAxis(chart::TSeriesAxisRole role) const override {
    switch (role) {
      case chart::sarBottomAxis: return const_cast<chart::TChartAxis*>(&Axes5.Bottom);
      case chart::sarTopAxis: return const_cast<chart::TChartAxis*>(&Axes5.Top);
      case chart::sarLeftAxis: return const_cast<chart::TChartAxis*>(&Axes5.Left);
      case chart::sarRightAxis: return const_cast<chart::TChartAxis*>(&Axes5.Right);
      case chart::sarDepthAxis: break;
    }
    return const_cast<chart::TChartDepthAxis*>(&Axes5.Depth);
  }
  const chart::TAxisScale& SeriesAxisScale(const chart::TCustomChartAxis& axis) const override { return axis.Scale(); }
  bool SuppressMouse() const override { return false; }
  void SetSuppressMouse(bool) override {}
  bool IsValidDataSource(const chart::TChartSeries&, const fw::TComponent&) const override { return false; }
  void RefreshSeriesDataSource(chart::TChartSeries&) override {}

  std::vector<chart::TChartSeries*> Series;  // not owned
  ChartAxes Axes5;
};

}  // namespace axistest
