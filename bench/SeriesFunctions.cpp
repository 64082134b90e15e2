// A period-10 average over a one-million-point source: one recalculation of the function series,
// against one chart frame that draws those million source points.
#include <benchmark/benchmark.h>


#include <cmath>

#include "chart/data/TFastLineSeries.h"
#include "chart/functions/TBasicFunctions.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "bench/support/OffscreenMain.h"

namespace {

constexpr int32_t SourcePoints = 1000000;

struct AverageScene {
  chart::TChart Chart{nullptr};
  chart::TFastLineSeries* Source = new chart::TFastLineSeries(&Chart);
  chart::TFastLineSeries* Average = new chart::TFastLineSeries(&Chart);
  fw::TBitmap Image{961, 529};

  AverageScene() {
    Chart.SetBounds(0, 0, 961, 529);
    Chart.SetView3D(false);  // as the main window's chart, without a legend
    Chart.Legend().SetVisible(false);
    Source->SetParentChart(&Chart);
    for (int32_t i = 0; i < SourcePoints; ++i)
      Source->AppendPoint(i, 1000 * std::sin(i * 0.0001) + (i % 7), "", fw::clDefault);
    auto average = std::make_unique<chart::TAverageFunction>();
    average->SetPeriod(10);
    Average->SetFunction(std::move(average));
    Average->SetParentChart(&Chart);
    Average->AddDataSource(Source);
  }
  void Frame() { Chart.DrawToCanvas(Image.Canvas(), fw::TRect{0, 0, 961, 529}); }
};

void BM_AveragePeriod10Recalculation(benchmark::State& state) {
  AverageScene scene;
  for (auto _ : state) {
    scene.Average->RefreshSeries();
    benchmark::DoNotOptimize(scene.Average->YValueOf(0));
  }
  state.SetItemsProcessed(state.iterations() * SourcePoints);
}
BENCHMARK(BM_AveragePeriod10Recalculation)->Unit(benchmark::kMillisecond);

// The frame that shows the source alone: the cost of drawing its million points.
void BM_SourceFrame(benchmark::State& state) {
  AverageScene scene;
  scene.Average->SetActive(false);
  scene.Frame();  // loads the fonts once
  for (auto _ : state) {
    scene.Frame();
    benchmark::DoNotOptimize(scene.Image.Canvas().GetPixel(480, 264));
  }
  state.SetItemsProcessed(state.iterations() * SourcePoints);
}
BENCHMARK(BM_SourceFrame)->Unit(benchmark::kMillisecond);

// The frame that shows the source and its average.
void BM_SourceAndAverageFrame(benchmark::State& state) {
  AverageScene scene;
  scene.Frame();
  for (auto _ : state) {
    scene.Frame();
    benchmark::DoNotOptimize(scene.Image.Canvas().GetPixel(480, 264));
  }
}
BENCHMARK(BM_SourceAndAverageFrame)->Unit(benchmark::kMillisecond);

// A frame after one point was appended to the source: the recalculation merged into the frame.
void BM_AppendAndFrame(benchmark::State& state) {
  AverageScene scene;
  scene.Frame();
  double x = SourcePoints;
  for (auto _ : state) {
    scene.Source->AppendPoint(x, 0, "", fw::clDefault);
    x += 1;
    scene.Frame();
  }
}
BENCHMARK(BM_AppendAndFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
