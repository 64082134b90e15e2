#pragma once
#include <algorithm>
#include <array>
#include <vector>

#include "chart/axes/TAxisScale.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesHost.h"
#include "framework/graphics/TRecordingSurface.h"

namespace chart::test {

/// A chart stand-in that records what a series asks of it. Its axes are opaque handles (the
/// series never looks inside an axis; it maps through the scale the host hands out).
class FakeSeriesHost : public TSeriesHost {
public:
  FakeSeriesHost() {
    for (size_t i = 0; i < Scales.size(); ++i) {
      Scales[i].IsHorizontal = (i == sarBottomAxis || i == sarTopAxis);
    }
    Canvas.AttachSurface(&Surface);
  }

  static TCustomChartAxis* Handle(const TAxisScale& scale) {
    return reinterpret_cast<TCustomChartAxis*>(const_cast<TAxisScale*>(&scale));
  }
  TCustomChartAxis* Axis(TSeriesAxisRole role) { return Handle(Scales[role]); }
  TAxisScale& Scale(TSeriesAxisRole role) { return Scales[role]; }

  void AddSeriesToChart(TChartSeries* series) override {
    if (std::find(Series.begin(), Series.end(), series) != Series.end()) return;
    if (series->SeriesColor() == fw::clDefault) series->SetSeriesColor(PickSeriesColor(true));
    series->SetParentChart(this);  // a chart may do this; the series ignores the nested call
    Series.push_back(series);
    ++Invalidations;
  }
  void RemoveSeriesFromChart(TChartSeries* series) override {
    auto it = std::find(Series.begin(), Series.end(), series);
    if (it == Series.end()) return;
    Series.erase(it);
    series->SetParentChart(nullptr);
    ++Invalidations;
  }
  fw::TColor PickSeriesColor(bool) override { return NextColor; }
  void InvalidateChart() override { ++Invalidations; }
  bool ChartLoading() const override { return Loading; }
  bool ChartDestroying() const override { return Destroying; }
  TCustomChartAxis* SeriesAxis(TSeriesAxisRole role) const override {
    return Handle(Scales[static_cast<size_t>(role)]);
  }
  const TAxisScale& SeriesAxisScale(const TCustomChartAxis& axis) const override {
    return *reinterpret_cast<const TAxisScale*>(&axis);
  }
  fw::TRect ChartPlotRect() const override { return PlotRect; }
  TCanvas3D& Canvas3D() override { return Canvas; }
  fw::TColor ChartLegendColor() const override { return LegendColor; }
  bool ChartView3D() const override { return false; }
  bool SuppressMouse() const override { return Suppress; }
  void SetSuppressMouse(bool value) override { Suppress = value; }
  bool IsValidDataSource(const TChartSeries& series, const fw::TComponent& source) const override {
    auto* s = dynamic_cast<const TChartSeries*>(&source);
    return s && s != &series && series.AcceptsDataSource(*s) && !RejectSources;
  }
  void RefreshSeriesDataSource(TChartSeries& series) override {
    ++Refreshes;
    if (!series.IsLoading()) series.RecalculateFromSources();
  }

  fw::TRecordingSurface Surface{40, 20};
  TChartCanvas3D Canvas;
  fw::TColor LegendColor = fw::clWhite;
  std::array<TAxisScale, 5> Scales{};
  std::vector<TChartSeries*> Series;
  fw::TRect PlotRect{0, 0, 1000, 500};
  fw::TColor NextColor = fw::clGreen;
  int Invalidations = 0;
  int Refreshes = 0;
  bool Loading = false;
  bool Destroying = false;
  bool Suppress = false;
  bool RejectSources = false;
};

}  // namespace chart::test
