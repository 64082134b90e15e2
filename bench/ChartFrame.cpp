// One full frame of the main window's chart (2001 points at L = 2000) into the off-screen
// bitmap and on to the window (also at device pixel ratios 1.5 and 2), and paints served from
// that bitmap.
#include <benchmark/benchmark.h>


#include "chart/canvas/TChartCanvas3D.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tools/MainChartScene.h"
#include "bench/support/OffscreenMain.h"

namespace {

void BM_FullFrame(benchmark::State& state) {
  scene::MainChart scene;
  scene.Fill(2000, 0, 0);
  fw::TBitmap window(961, 529);
  const fw::TRect rect{0, 0, 961, 529};
  scene.Chart->DrawToCanvas(window.Canvas(), rect);  // loads the fonts once
  for (auto _ : state) {
    scene.DrawWindowFrame(window.Canvas(), rect);
    benchmark::DoNotOptimize(window.Canvas().GetPixel(480, 264));
  }
}
BENCHMARK(BM_FullFrame)->Unit(benchmark::kMillisecond);

// The same frame for a window on a high-density screen: the argument is the device pixel ratio
// in hundredths (100, 150, 200). At 2 the frame has four times the pixels.
void BM_FullFrameAtRatio(benchmark::State& state) {
  const double ratio = static_cast<double>(state.range(0)) / 100.0;
  scene::MainChart scene;
  scene.Fill(2000, 0, 0);
  fw::TBitmap window(961, 529, ratio);
  const fw::TRect rect{0, 0, 961, 529};
  scene.Chart->DrawToCanvas(window.Canvas(), rect);  // loads the fonts once
  for (auto _ : state) {
    scene.DrawWindowFrame(window.Canvas(), rect);
    benchmark::DoNotOptimize(window.Canvas().GetPixel(480, 264));
  }
}
BENCHMARK(BM_FullFrameAtRatio)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

// The main chart drawn once into a window-sized bitmap, with its canvas attached to it, as a
// window's paint leaves it.
struct DrawnWindow {
  scene::MainChart Scene;
  fw::TBitmap Window{961, 529};
  DrawnWindow() {
    Scene.Fill(2000, 0, 0);
    Scene.Chart->DrawToCanvas(Window.Canvas(), fw::TRect{0, 0, 961, 529});
    Scene.Chart->Canvas().AttachSurface(&Window.Canvas());
  }
};

void BM_PaintFromBuffer(benchmark::State& state) {
  DrawnWindow drawn;
  scene::MainChart& scene = drawn.Scene;
  fw::TBitmap& window = drawn.Window;
  for (auto _ : state) {
    // Something was drawn on the window since (a zoom rectangle, say): the buffer's picture
    // comes back over it.
    window.Canvas().SetPixel(3, 3, fw::clRed);
    benchmark::DoNotOptimize(scene.Chart->Canvas().RepaintFromBuffer());
    benchmark::DoNotOptimize(window.Canvas().GetPixel(480, 264));
  }
}
BENCHMARK(BM_PaintFromBuffer)->Unit(benchmark::kMillisecond);

// A paint while the window still shows the last frame.
void BM_PaintFromBufferUnchanged(benchmark::State& state) {
  DrawnWindow drawn;
  scene::MainChart& scene = drawn.Scene;
  fw::TBitmap& window = drawn.Window;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.Chart->Canvas().RepaintFromBuffer());
    benchmark::DoNotOptimize(window.Canvas().GetPixel(480, 264));
  }
}
BENCHMARK(BM_PaintFromBufferUnchanged)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
