// A logarithmic axis over an enormous range: points at 1e-300 and 1e300 on a 400 x 300 chart,
// one label per power of the base (about 600 in base 10, about 2,000 in base 2). Every label is
// drawn; the frame costs what drawing them again costs once they have been drawn before.
#include <benchmark/benchmark.h>


#include "chart/axes/TChartAxis.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "bench/support/OffscreenMain.h"

namespace {

void LogAxisFrame(benchmark::State& state) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 400, 300);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.LeftAxis().SetLogarithmic(true);
  chart.LeftAxis().SetLogarithmicBase(static_cast<int32_t>(state.range(0)));
  auto* series = new chart::TFastLineSeries(&chart);
  series->SetParentChart(&chart);
  series->AppendPoint(0, 1e-300, "", fw::clDefault);
  series->AppendPoint(1, 1e300, "", fw::clDefault);
  fw::TBitmap bitmap(400, 300);
  const fw::TRect rect{0, 0, 400, 300};
  chart.DrawToCanvas(bitmap.Canvas(), rect);
  for (auto _ : state) {
    chart.DrawToCanvas(bitmap.Canvas(), rect);
    benchmark::DoNotOptimize(bitmap.Canvas().GetPixel(20, 150));
  }
}
BENCHMARK(LogAxisFrame)->Name("BM_LogAxisEnormousRange")->Arg(10)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
