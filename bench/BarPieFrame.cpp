// Full chart frames of the bar and pie series, each beside a fast line frame of the same point
// count on the same chart, so that the cost per point can be compared: 10,000 bars, 10,000
// horizontal bars, a 100-slice pie (2D and 3D).
#include <benchmark/benchmark.h>


#include <cmath>

#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "chart/series/TPieSeries.h"
#include "framework/graphics/TBitmap.h"
#include "bench/support/OffscreenMain.h"

namespace {

constexpr int32_t Width = 961;
constexpr int32_t Height = 529;

// One chart of the main window's size; the series is freed before the chart.
template <class S>
void RunFrames(benchmark::State& state, int32_t points, bool view3D) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, Width, Height);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(view3D);
  chart.Legend().SetVisible(false);
  auto* series = new S(nullptr);
  series->SetParentChart(&chart);
  for (int32_t i = 0; i < points; ++i) series->AddMandatoryValue(500 + 400 * std::sin(i * 0.0314), "", fw::clDefault);
  fw::TBitmap image(Width, Height);
  for (auto _ : state) chart.DrawToCanvas(image.Canvas(), chart.GetPaintArea());
  state.SetItemsProcessed(state.iterations() * points);
  series->SetParentChart(nullptr);
  delete series;
}

void BM_FastLineFrame10000(benchmark::State& state) { RunFrames<chart::TFastLineSeries>(state, 10000, false); }
void BM_BarFrame10000(benchmark::State& state) { RunFrames<chart::TBarSeries>(state, 10000, false); }
void BM_HorizBarFrame10000(benchmark::State& state) { RunFrames<chart::THorizBarSeries>(state, 10000, false); }
void BM_BarFrame10000In3D(benchmark::State& state) { RunFrames<chart::TBarSeries>(state, 10000, true); }
void BM_FastLineFrame100(benchmark::State& state) { RunFrames<chart::TFastLineSeries>(state, 100, false); }
void BM_PieFrame100(benchmark::State& state) { RunFrames<chart::TPieSeries>(state, 100, false); }
void BM_PieFrame100In3D(benchmark::State& state) { RunFrames<chart::TPieSeries>(state, 100, true); }

BENCHMARK(BM_FastLineFrame10000);
BENCHMARK(BM_BarFrame10000);
BENCHMARK(BM_HorizBarFrame10000);
BENCHMARK(BM_BarFrame10000In3D);
BENCHMARK(BM_FastLineFrame100);
BENCHMARK(BM_PieFrame100);
BENCHMARK(BM_PieFrame100In3D);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
