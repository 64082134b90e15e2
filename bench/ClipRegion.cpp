// A clip polygon set on an 800 x 500 image: the six corners of a 3D chart's box, N rows tall
// (500 to 60,000) and as wide, centred on the image, as a chart zoomed in close sets it.
#include <benchmark/benchmark.h>


#include <array>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "bench/support/OffscreenMain.h"

namespace {

void BM_ClipToBoxPolygon(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  fw::TBitmap image(800, 500);
  fw::TSurface& surface = image.Canvas();
  const int32_t cx = 400, cy = 250, h = n / 2, d = n / 10;
  const std::array<fw::TPoint, 6> box{fw::TPoint{cx - h, cy + h},     fw::TPoint{cx - h, cy - h + d},
                                      fw::TPoint{cx - h + d, cy - h}, fw::TPoint{cx + h, cy - h},
                                      fw::TPoint{cx + h, cy + h - d}, fw::TPoint{cx + h - d, cy + h}};
  for (auto _ : state) {
    surface.RemoveClipping();
    surface.IntersectClipPolygon(box);
    benchmark::DoNotOptimize(surface.ClipBounds());
  }
}
BENCHMARK(BM_ClipToBoxPolygon)->Arg(500)->Arg(5000)->Arg(20000)->Arg(60000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
