#pragma once
// A chart stand-in for axis tests: a real chart canvas over a recording surface, a settable plot
// rectangle and range answers, and no series.
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/axes/TAxisHost.h"
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TRecordingSurface.h"

namespace axistest {

class FakeAxisHost : public chart::TAxisHost {
public:
  FakeAxisHost() { Attach(); }
  FakeAxisHost(int32_t width, int32_t height) : Surface(width, height) { Attach(); }

  // ---- TAxisHost ----
  void AddAxis(chart::TCustomChartAxis& axis) override { AxisList.push_back(&axis); }
  void RemoveAxis(chart::TCustomChartAxis& axis) override { std::erase(AxisList, &axis); }
  int32_t AxisCount() const override { return static_cast<int32_t>(AxisList.size()); }
  chart::TCustomChartAxis& Axes(int32_t index) const override { return *AxisList.at(static_cast<size_t>(index)); }
  bool ChartLoading() const override { return Loading; }
  void InvalidateChart() override { ++Invalidations; }
  chart::TCustomChartPanel* ChartPanel() override { return nullptr; }
  fw::TRect ChartPlotRect() const override { return Plot; }
  int32_t ChartDepthWidth() const override { return DepthWidth; }
  bool ChartView3D() const override { return View3D; }
  fw::TColor ChartColor() const override { return fw::clWhite; }
  bool ChartPrintingActive() const override { return false; }
  chart::TCanvas3D& Canvas3D() override { return Canvas; }
  void ChartSelectFont(const fw::TFont& font) override { Canvas.Font().Assign(font); }
  int32_t ChartMeasureMultiLineText(const std::string& text, int32_t& lineCount) override {
    if (text.find('\r') == std::string::npos) {
      lineCount = 1;
      return Canvas.MeasureTextWidth(text);
    }
    lineCount = 0;
    int32_t width = 0;
    size_t start = 0;
    for (size_t stop; (stop = text.find('\r', start)) != std::string::npos; start = stop + 1) {
      width = std::max(width, Canvas.MeasureTextWidth(text.substr(start, stop - start)));
      ++lineCount;
    }
    if (start < text.size()) {
      width = std::max(width, Canvas.MeasureTextWidth(text.substr(start)));
      ++lineCount;
    }
    return width;
  }
  int32_t SeriesCount() const override { return 0; }
  chart::TChartSeries& SeriesAt(int32_t) const override { throw std::out_of_range("no series"); }
  double SeriesRangeForAxis(const chart::TCustomChartAxis&, bool wantMinimum, bool) const override {
    return wantMinimum ? DataMinimum : DataMaximum;
  }
  bool AxisShown(const chart::TCustomChartAxis&) const override { return Shown; }
  int32_t WallThicknessForAxis(const chart::TCustomChartAxis&) const override { return WallThickness; }
  int32_t WidestLabelText() const override { return 0; }
  int32_t WidestMark() const override { return 0; }
  std::string LegendTitleOf(int32_t n) const override { return "Series " + std::to_string(n); }
  std::string SeriesMarkText(chart::TChartSeries&, int32_t) override { return {}; }
  const chart::TAxisOnGetLabel& GetAxisLabelHandler() const override { return OnGetAxisLabel; }
  const chart::TAxisOnGetNextLabel& GetNextAxisLabelHandler() const override { return OnGetNextAxisLabel; }

  /// Text-drawing calls of the surface since the last ClearCalls.
  std::vector<fw::TSurfaceCall> Calls(const std::string& name) const {
    std::vector<fw::TSurfaceCall> result;
    for (const auto& call : Surface.Calls())
      if (call.Name == name) result.push_back(call);
    return result;
  }

  fw::TRecordingSurface Surface;
  chart::TChartCanvas3D Canvas;
  chart::TView3DOptions Options;
  std::vector<chart::TCustomChartAxis*> AxisList;  // not owned
  fw::TRect Plot{65, 40, 932, 489};
  bool Loading = false;
  bool View3D = false;
  bool Shown = true;
  int32_t DepthWidth = 0;
  int32_t WallThickness = 0;
  int Invalidations = 0;
  double DataMinimum = 0;
  double DataMaximum = 0;
  chart::TAxisOnGetLabel OnGetAxisLabel;
  chart::TAxisOnGetNextLabel OnGetNextAxisLabel;

private:
  void Attach() {
    Canvas.SetBuffered(false);
    Canvas.PrepareSurface(&Surface, &Options, fw::clWhite, false, fw::TRect{0, 0, 961, 529});
  }
};

/// The five axes of a chart, created and configured as a chart creates them.
struct ChartAxes {
  explicit ChartAxes(FakeAxisHost& host)
      : Bottom(&host), Top(&host), Left(&host), Right(&host), Depth(&host) {
    Bottom.SetIsHorizontal(true);
    Top.SetIsHorizontal(true);
    Top.SetIsOtherSide(true);
    Left.SetDefaultTitleAngle(90);
    Left.Title().SetAngle(90);
    Right.SetDefaultTitleAngle(270);
    Right.Title().SetAngle(270);
    Right.SetIsOtherSide(true);
    Depth.SetVisible(false);
    Depth.SetIsDepth(true);
    Depth.SetIsOtherSide(true);
  }
  chart::TChartAxis Bottom;
  chart::TChartAxis Top;
  chart::TChartAxis Left;
  chart::TChartAxis Right;
  chart::TChartDepthAxis Depth;
};

/// Fixes an axis to [minimum, maximum] the way the stored layout does.
inline void FixRange(chart::TCustomChartAxis& axis, double minimum, double maximum) {
  axis.SetAutomatic(false);
  axis.SetAutomaticMinimum(false);
  axis.SetAutomaticMaximum(false);
  if (minimum > axis.Maximum()) {
    axis.SetMaximum(maximum);
    axis.SetMinimum(minimum);
  } else {
    axis.SetMinimum(minimum);
    axis.SetMaximum(maximum);
  }
}

/// Range and pixel span of one frame.
inline void Layout(chart::TCustomChartAxis& axis) {
  axis.ComputeWorkingRange();
  axis.ComputePixelSpan();
}

}  // namespace axistest
