// Text and axes of the main window's chart: the 42 axis label texts drawn from the surface's
// text cache and by the painter, and one frame of the chart without its curve.
#include <benchmark/benchmark.h>


#include <string>
#include <vector>

#include "chart/canvas/TChartCanvas3D.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tools/MainChartScene.h"
#include "bench/support/OffscreenMain.h"

namespace {

std::vector<std::string> AxisLabelTexts() {
  std::vector<std::string> texts;
  for (int v = 0; v <= 1000; v += 50) texts.push_back(v < 1000 ? std::to_string(v) : "1,000");
  for (int v = -1000; v <= 1000; v += 100)
    texts.push_back(v == -1000 ? "-1,000" : v == 1000 ? "1,000" : std::to_string(v));
  return texts;
}

void LabelTexts(benchmark::State& state, bool cached) {
  fw::TBitmap bitmap(961, 529);
  fw::TSurface& s = bitmap.Canvas();
  fw::SurfaceAccess::SetTextCache(s, cached);
  s.Font().SetName("MS Sans Serif");
  s.Font().SetHeight(-11);
  s.SetBkMode(fw::TRANSPARENT);
  s.SetTextAlign(fw::TA_CENTER | fw::TA_TOP);
  const std::vector<std::string> texts = AxisLabelTexts();
  for (const std::string& t : texts) s.TextOut(100, 100, t);  // lays them out once
  for (auto _ : state) {
    int32_t x = 40;
    for (const std::string& t : texts) {
      s.TextOut(x, 480, t);
      x += 21;
    }
    benchmark::DoNotOptimize(s.GetPixel(40, 485));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}

void BM_LabelTextsCached(benchmark::State& state) { LabelTexts(state, true); }
BENCHMARK(BM_LabelTextsCached)->Unit(benchmark::kMicrosecond);

void BM_LabelTextsPainter(benchmark::State& state) { LabelTexts(state, false); }
BENCHMARK(BM_LabelTextsPainter)->Unit(benchmark::kMicrosecond);

void BM_FrameWithoutCurve(benchmark::State& state) {
  scene::MainChart scene;  // no points: panel, title, walls, axes, grid and labels only
  fw::TBitmap window(961, 529);
  const fw::TRect rect{0, 0, 961, 529};
  scene.Chart->DrawToCanvas(window.Canvas(), rect);
  for (auto _ : state) {
    scene.DrawWindowFrame(window.Canvas(), rect);
    benchmark::DoNotOptimize(window.Canvas().GetPixel(480, 264));
  }
}
BENCHMARK(BM_FrameWithoutCurve)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
