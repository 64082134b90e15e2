// The series part of one animation frame: the fast line draws 2001 points (X wrapping at 1000,
// so half of them fold back over the plot) into a bitmap of the main window's chart size.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "chart/axes/TAxisScale.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/data/TSeriesHost.h"
#include "framework/graphics/TBitmap.h"

namespace {

constexpr int32_t Points = 2001;

// Just enough chart for a series to draw: two axes over the plot and a canvas on a bitmap.
class BenchChart : public chart::TSeriesHost {
public:
  BenchChart() : mBitmap(961, 529) {
    mScales[chart::sarBottomAxis].IsHorizontal = true;
    mScales[chart::sarBottomAxis].SetRange(0, 1000);
    mScales[chart::sarBottomAxis].SetSpan(40, 940);
    mScales[chart::sarLeftAxis].SetRange(-1000, 1000);
    mScales[chart::sarLeftAxis].SetSpan(30, 500);
    mCanvas.AttachSurface(&mBitmap.Canvas());
  }
  void AddSeriesToChart(chart::TChartSeries*) override {}
  void RemoveSeriesFromChart(chart::TChartSeries*) override {}
  fw::TColor PickSeriesColor(bool) override { return fw::clRed; }
  void InvalidateChart() override {}
  bool ChartLoading() const override { return false; }
  bool ChartDestroying() const override { return false; }
  chart::TCustomChartAxis* SeriesAxis(chart::TSeriesAxisRole role) const override {
    return reinterpret_cast<chart::TCustomChartAxis*>(const_cast<chart::TAxisScale*>(&mScales[role]));
  }
  const chart::TAxisScale& SeriesAxisScale(const chart::TCustomChartAxis& axis) const override {
    return *reinterpret_cast<const chart::TAxisScale*>(&axis);
  }
  fw::TRect ChartPlotRect() const override { return {40, 30, 940, 500}; }
  chart::TCanvas3D& Canvas3D() override { return mCanvas; }
  bool ChartView3D() const override { return false; }
  bool SuppressMouse() const override { return false; }
  void SetSuppressMouse(bool) override {}
  bool IsValidDataSource(const chart::TChartSeries&, const fw::TComponent&) const override { return false; }
  void RefreshSeriesDataSource(chart::TChartSeries&) override {}

private:
  std::array<chart::TAxisScale, 5> mScales{};
  fw::TBitmap mBitmap;
  chart::TChartCanvas3D mCanvas;
};

void BM_FastLineDrawFrame(benchmark::State& state) {
  BenchChart chart;
  chart::TFastLineSeries series;
  series.SetParentChart(&chart);
  series.SetSeriesColor(fw::clRed);
  for (int32_t i = 0; i < Points; ++i)
    series.AppendPoint(i % 1000, 900 * std::sin(i * 0.0314), "", fw::clDefault);
  for (auto _ : state) {
    series.UpdateVisibleRange();
    series.DrawAllPoints();
  }
  state.SetItemsProcessed(state.iterations() * Points);
  series.SetParentChart(nullptr);
}
BENCHMARK(BM_FastLineDrawFrame);

}  // namespace

BENCHMARK_MAIN();
