#pragma once
// The main window's chart built in code (for tools, benchmarks and tests): 961 x 529, the
// stored settings of the window's chart, one red fast line series filled from the wave model.
#include <memory>

#include "app/Simulation.h"
#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TSurface.h"

namespace scene {

inline void ApplyMainWindowSettings(chart::TChart& chart) {
  chart.SetBounds(0, 0, 961, 529);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(false);
  chart.SetMaxPointsPerPage(1000);
  chart.Legend().SetVisible(false);
  chart.Title().SetText({"Standing wave moving relativistically"});
  fw::TFont& font = chart.Title().Font();
  font.SetName("Arial");
  font.SetHeight(-13);
  font.SetStyle(fw::fsBold);
  font.SetColor(fw::clBlue);
  chart.Foot().SetColor(fw::clWhite);
  chart.BackWall().Brush().SetColor(fw::clWhite);
  chart.BackWall().Brush().SetStyle(fw::bsClear);
  for (chart::TChartAxis* axis : {&chart.BottomAxis(), &chart.LeftAxis()}) {
    axis->SetAutomatic(false);
    axis->SetAutomaticMaximum(false);
    axis->SetAutomaticMinimum(false);
  }
  chart.BottomAxis().SetMaximum(1000);
  chart.LeftAxis().SetExactDateTime(false);
  chart.LeftAxis().SetIncrement(10);
  chart.LeftAxis().SetMaximum(1000);
  chart.LeftAxis().SetMinimum(-1000);
}

/// Empties the series and fills it with one pinned frame of the wave at the simulation's
/// current parameters.
inline void FillFrame(chart::TChartSeries& series) {
  series.RemoveAllPoints();
  app::Simulation().ComputeFramePoints(true, [&series](double x, double y) {
    series.AppendPoint(x, y, std::string(), fw::clDefault);
  });
}

/// A chart with the main window's settings and its red series, not yet filled.
struct MainChart {
  std::unique_ptr<chart::TChart> Chart = std::make_unique<chart::TChart>(nullptr);
  chart::TFastLineSeries* Series = new chart::TFastLineSeries(Chart.get());

  MainChart() {
    ApplyMainWindowSettings(*Chart);
    Series->SetSeriesColor(fw::clRed);
    Series->SetParentChart(Chart.get());
  }

  /// Fills one frame of the wave: string length L, velocity beta, time t.
  void Fill(double length, double velocity, double time) {
    app::TSimulation& sim = app::Simulation();
    sim.StringLength = length;
    sim.Velocity = velocity;
    sim.SimTime = time;
    FillFrame(*Series);
  }

  /// One frame as a window paint draws it: the content changed, the frame redraws the whole
  /// off-screen bitmap and goes on to the window surface.
  void DrawWindowFrame(fw::TSurface& window, const fw::TRect& rect) {
    Chart->Canvas().MarkDirty();
    Chart->Canvas().DiscardBufferContent();
    Chart->DrawToCanvas(window, rect);
  }
};

}  // namespace scene
