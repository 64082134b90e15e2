#pragma once
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "chart/axes/TAxisScale.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesHost.h"
#include "framework/graphics/TRecordingSurface.h"

namespace chart::test {

/// A recording surface that also notes the pen colour and style of every line it draws.
class PenRecordingSurface : public fw::TRecordingSurface {
public:
  PenRecordingSurface() = default;
  PenRecordingSurface(int32_t width, int32_t height) : fw::TRecordingSurface(width, height) {}

  struct LinePen {
    fw::TColor Color;
    fw::TPenStyle Style;
    int32_t Width;
  };
  void LineTo(int32_t x, int32_t y) override {
    LinePens.push_back({Pen().Color(), Pen().Style(), Pen().Width()});
    fw::TRecordingSurface::LineTo(x, y);
  }
  /// Calls of one name, in order.
  std::vector<fw::TSurfaceCall> CallsNamed(const std::string& name) const {
    std::vector<fw::TSurfaceCall> result;
    for (const auto& c : Calls())
      if (c.Name == name) result.push_back(c);
    return result;
  }
  /// The drawing calls (MoveTo, LineTo, Rectangle, TextOut) in order, without state queries.
  std::vector<fw::TSurfaceCall> Geometry() const {
    std::vector<fw::TSurfaceCall> result;
    for (const auto& c : Calls())
      if (c.Name == "MoveTo" || c.Name == "LineTo" || c.Name == "Rectangle" || c.Name == "TextOut")
        result.push_back(c);
    return result;
  }

  std::vector<LinePen> LinePens;
};

/// A chart stand-in for series drawing: a real chart canvas over a recording surface and two
/// linear axes. The horizontal axis maps value v to pixel v (0..1000); the vertical one maps v to
/// 500 - v (0..500 upward). Axes are opaque handles; the series maps through their scales.
class FakeLineChart : public TSeriesHost {
public:
  FakeLineChart() : FakeLineChart(nullptr) {}
  explicit FakeLineChart(PenRecordingSurface& surface) : FakeLineChart(&surface) {}

private:
  // Recorder is built before Surface is bound (declaration order), so the chart's own recorder
  // can be the surface.
  explicit FakeLineChart(PenRecordingSurface* surface) : Surface(surface ? *surface : Recorder) {
    for (size_t i = 0; i < Scales.size(); ++i) Scales[i].IsHorizontal = (i == sarBottomAxis || i == sarTopAxis);
    for (auto role : {sarBottomAxis, sarTopAxis}) {
      Scales[role].SetRange(0, 1000);
      Scales[role].SetSpan(0, 1000);
    }
    for (auto role : {sarLeftAxis, sarRightAxis}) {
      Scales[role].SetRange(0, 500);
      Scales[role].SetSpan(0, 500);
    }
    Canvas.AttachSurface(&Surface);
  }

public:
  static TCustomChartAxis* Handle(const TAxisScale& scale) {
    return reinterpret_cast<TCustomChartAxis*>(const_cast<TAxisScale*>(&scale));
  }

  void AddSeriesToChart(TChartSeries* series) override {
    if (std::find(Series.begin(), Series.end(), series) != Series.end()) return;
    if (series->SeriesColor() == fw::clDefault) series->SetSeriesColor(fw::clGreen);
    Series.push_back(series);
    ++Invalidations;
  }
  void RemoveSeriesFromChart(TChartSeries* series) override {
    Series.erase(std::remove(Series.begin(), Series.end(), series), Series.end());
    ++Invalidations;
  }
  fw::TColor PickSeriesColor(bool) override { return fw::clGreen; }
  void InvalidateChart() override { ++Invalidations; }
  bool ChartLoading() const override { return false; }
  bool ChartDestroying() const override { return false; }
  TCustomChartAxis* SeriesAxis(TSeriesAxisRole role) const override { return Handle(Scales[role]); }
  const TAxisScale& SeriesAxisScale(const TCustomChartAxis& axis) const override {
    return *reinterpret_cast<const TAxisScale*>(&axis);
  }
  fw::TRect ChartPlotRect() const override { return PlotRect; }
  TCanvas3D& Canvas3D() override { return Canvas; }
  bool ChartView3D() const override { return View3D; }
  bool SuppressMouse() const override { return false; }
  void SetSuppressMouse(bool) override {}
  bool IsValidDataSource(const TChartSeries&, const fw::TComponent&) const override { return false; }
  void RefreshSeriesDataSource(TChartSeries&) override {}
  bool ChartPrintingActive() const override { return Printing; }
  fw::TColor ChartColor() const override { return Color; }
  std::string AxisValueText(TCustomChartAxis& axis, double value, const std::string&) override {
    return (&axis == SeriesAxis(sarBottomAxis) ? "bottom " : "other ") + std::to_string(static_cast<int>(value));
  }

  PenRecordingSurface Recorder;
  PenRecordingSurface& Surface;
  TChartCanvas3D Canvas;
  std::array<TAxisScale, 5> Scales{};
  std::vector<TChartSeries*> Series;
  fw::TRect PlotRect{0, 0, 1000, 500};
  int Invalidations = 0;
  bool View3D = false;
  bool Printing = false;
  fw::TColor Color = fw::clWhite;
};

}  // namespace chart::test
