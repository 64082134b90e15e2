// Full frames of an 800 x 500 chart (automatic axes, labels, walls, legend hidden) into its
// off-screen bitmap with one series of 10,000 points, for the fast line and the line, area and
// point series, and a line with its markers; the fast line and a line with its markers at
// 1,000,000 points; and the same frame without points, to take the per-point cost as the
// difference.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/graphics/TBitmap.h"
#include "bench/support/OffscreenMain.h"

namespace {

constexpr int32_t Points = 10000;

template <class S>
void FrameWith(benchmark::State& state, int32_t points, void (*setup)(S&) = nullptr) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 500);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(state.range(0) != 0);
  chart.Legend().SetVisible(false);
  auto series = std::make_unique<S>(nullptr);
  series->SetSeriesColor(fw::clRed);
  for (int32_t i = 0; i < points; ++i)
    series->AppendPoint(i, 500 + 400 * std::sin(i * 0.00314) + 50 * std::sin(i * 0.7), "", fw::clDefault);
  if (setup) setup(*series);
  series->SetParentChart(&chart);
  fw::TBitmap image(800, 500);
  for (auto _ : state) chart.DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 800, 500});
  state.SetItemsProcessed(state.iterations() * points);
  series->SetParentChart(nullptr);
}

void BM_FrameWithoutPoints(benchmark::State& state) { FrameWith<chart::TFastLineSeries>(state, 0); }
void BM_FrameFastLine10k(benchmark::State& state) { FrameWith<chart::TFastLineSeries>(state, Points); }
void BM_FrameLine10k(benchmark::State& state) { FrameWith<chart::TLineSeries>(state, Points); }
void BM_FrameArea10k(benchmark::State& state) { FrameWith<chart::TAreaSeries>(state, Points); }
// The fill alone: no edge line, no area lines.
void BM_FrameAreaFill10k(benchmark::State& state) {
  FrameWith<chart::TAreaSeries>(state, Points, [](chart::TAreaSeries& s) {
    s.LinePen().SetVisible(false);
    s.AreaLinesPen().SetVisible(false);
  });
}
void BM_FramePoint10k(benchmark::State& state) { FrameWith<chart::TPointSeries>(state, Points); }
// A line with its markers.
void BM_FrameLinePointers10k(benchmark::State& state) {
  FrameWith<chart::TLineSeries>(state, Points, [](chart::TLineSeries& s) { s.Pointer().SetVisible(true); });
}
void BM_FrameFastLine1M(benchmark::State& state) { FrameWith<chart::TFastLineSeries>(state, 1000000); }
void BM_FrameLinePointers1M(benchmark::State& state) {
  FrameWith<chart::TLineSeries>(state, 1000000, [](chart::TLineSeries& s) { s.Pointer().SetVisible(true); });
}

// The 3D frame of the fast line zoomed in: the argument is the zoom in percent. Seen from that
// close, the chart's box reaches tens of thousands of pixels beyond the image, and the series
// are clipped to it.
void BM_Frame3DZoomed(benchmark::State& state) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 500);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(true);
  chart.View3DOptions().SetZoom(static_cast<int32_t>(state.range(0)));
  chart.Legend().SetVisible(false);
  auto series = std::make_unique<chart::TFastLineSeries>(nullptr);
  series->SetSeriesColor(fw::clRed);
  for (int32_t i = 0; i < 1000; ++i) series->AppendPoint(i, 500 + 400 * std::sin(i * 0.0314), "", fw::clDefault);
  series->SetParentChart(&chart);
  fw::TBitmap image(800, 500);
  for (auto _ : state) chart.DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 800, 500});
  series->SetParentChart(nullptr);
}
BENCHMARK(BM_Frame3DZoomed)->Arg(100)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

// Argument: 0 flat, 1 in 3D.
BENCHMARK(BM_FrameWithoutPoints)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameFastLine10k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameLine10k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameArea10k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameAreaFill10k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FramePoint10k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameLinePointers10k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameFastLine1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameLinePointers1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
