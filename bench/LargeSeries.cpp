// One fast line series of N points (2,001 to 1,000,000) on a 961 x 529 chart: refilling it
// point by point, drawing a frame, adding the points in bulk, a frame zoomed to 1 % of X, and
// the memory a million points take.
#include <benchmark/benchmark.h>


#include <sys/resource.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "bench/support/OffscreenMain.h"

namespace {

constexpr int32_t Width = 961, Height = 529;

/// The data: X = i, Y = 1000 sin(2 pi 5 i / N) plus a fixed pseudo-random noise of +-300.
struct TLargeData {
  std::vector<double> X, Y;
  explicit TLargeData(int64_t n) : X(static_cast<size_t>(n)), Y(static_cast<size_t>(n)) {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int64_t i = 0; i < n; ++i) {
      state = state * 6364136223846793005ull + 1442695040888963407ull;
      const double noise = (static_cast<double>(state >> 11) / 9007199254740992.0) * 600.0 - 300.0;
      X[static_cast<size_t>(i)] = static_cast<double>(i);
      Y[static_cast<size_t>(i)] = 1000.0 * std::sin(2 * std::numbers::pi * 5 * static_cast<double>(i) / n) + noise;
    }
  }
};

/// The chart: fixed axes X 0..N and Y -1500..1500, one red fast line of width 1, no legend.
struct TLargeScene {
  std::unique_ptr<chart::TChart> Chart = std::make_unique<chart::TChart>(nullptr);
  chart::TFastLineSeries* Series = new chart::TFastLineSeries(Chart.get());
  fw::TBitmap Image{Width, Height};
  const fw::TRect Rect{0, 0, Width, Height};

  explicit TLargeScene(int64_t n) {
    Chart->SetBounds(0, 0, Width, Height);
    Chart->SetColor(fw::clWhite);
    Chart->SetView3D(false);
    Chart->Legend().SetVisible(false);
    for (chart::TChartAxis* axis : {&Chart->BottomAxis(), &Chart->LeftAxis()}) axis->SetAutomatic(false);
    Chart->BottomAxis().SetMaximum(static_cast<double>(n));
    Chart->BottomAxis().SetMinimum(0);
    Chart->LeftAxis().SetMaximum(1500);
    Chart->LeftAxis().SetMinimum(-1500);
    Series->SetSeriesColor(fw::clRed);
    Series->SetParentChart(Chart.get());
  }
  void Fill(const TLargeData& data) {
    Series->RemoveAllPoints();
    const size_t n = data.X.size();
    for (size_t i = 0; i < n; ++i) Series->AppendPoint(data.X[i], data.Y[i]);
  }
  /// A full frame: the content changed, everything is drawn again into the bitmap.
  void Frame() {
    Chart->Canvas().MarkDirty();
    Chart->Canvas().DiscardBufferContent();
    Chart->DrawToCanvas(Image.Canvas(), Rect);
    benchmark::DoNotOptimize(Image.Canvas().GetPixel(Width / 2, Height / 2));
  }
};

void Sizes(benchmark::internal::Benchmark* b) {
  for (int64_t n : {2001, 10000, 100000, 1000000}) b->Arg(n);
  b->Unit(benchmark::kMillisecond);
}

// (a) RemoveAllPoints, AppendPoint for every point, then a full frame.
void BM_RefillAndFrame(benchmark::State& state) {
  const TLargeData data(state.range(0));
  TLargeScene scene(state.range(0));
  scene.Fill(data);
  scene.Frame();
  for (auto _ : state) {
    scene.Fill(data);
    scene.Frame();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RefillAndFrame)->Apply(Sizes);

// (a') The refill alone: RemoveAllPoints and AppendPoint for every point.
void BM_Refill(benchmark::State& state) {
  const TLargeData data(state.range(0));
  TLargeScene scene(state.range(0));
  scene.Fill(data);
  for (auto _ : state) {
    scene.Fill(data);
    benchmark::DoNotOptimize(scene.Series->PointCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Refill)->Apply(Sizes);

// (b) A full frame of unchanged points.
void BM_Frame(benchmark::State& state) {
  const TLargeData data(state.range(0));
  TLargeScene scene(state.range(0));
  scene.Fill(data);
  scene.Frame();
  for (auto _ : state) scene.Frame();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Frame)->Apply(Sizes);

// (c) RemoveAllPoints, one bulk add from two arrays, then a full frame.
void BM_BulkAddAndFrame(benchmark::State& state) {
  const TLargeData data(state.range(0));
  TLargeScene scene(state.range(0));
  scene.Fill(data);
  scene.Frame();
  for (auto _ : state) {
    scene.Series->RemoveAllPoints();
    scene.Series->AppendPoints(data.X, data.Y);
    scene.Frame();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BulkAddAndFrame)->Apply(Sizes);

// (c') The bulk add alone.
void BM_BulkAdd(benchmark::State& state) {
  const TLargeData data(state.range(0));
  TLargeScene scene(state.range(0));
  scene.Fill(data);
  for (auto _ : state) {
    scene.Series->RemoveAllPoints();
    scene.Series->AppendPoints(data.X, data.Y);
    benchmark::DoNotOptimize(scene.Series->PointCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BulkAdd)->Apply(Sizes);

// (d) A full frame with the X axis zoomed to the middle 1 % of the points.
void BM_FrameZoomed(benchmark::State& state) {
  const int64_t n = state.range(0);
  const TLargeData data(n);
  TLargeScene scene(n);
  scene.Fill(data);
  scene.Chart->BottomAxis().SetMaximum(0.505 * static_cast<double>(n));
  scene.Chart->BottomAxis().SetMinimum(0.495 * static_cast<double>(n));
  scene.Frame();
  for (auto _ : state) scene.Frame();
  state.SetItemsProcessed(state.iterations() * n / 100);
}
BENCHMARK(BM_FrameZoomed)->Apply(Sizes);

// The frame of the same chart without points, the base of (d).
void BM_EmptyFrame(benchmark::State& state) {
  TLargeScene scene(state.range(0));
  scene.Frame();
  for (auto _ : state) scene.Frame();
}
BENCHMARK(BM_EmptyFrame)->Arg(1000000)->Unit(benchmark::kMillisecond);

/// Resident set size of the process now, in bytes.
double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0;
}

/// Peak resident set size of the process so far, in bytes.
double PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// Memory of a million points without labels or colours, beyond the empty series: resident
// after the fill and peak during it, filled point by point and in bulk. Meaningful for the
// peak only when run on its own (--benchmark_filter=Memory) in a fresh process.
void BM_MemoryMillionPoints(benchmark::State& state) {
  const bool bulk = state.range(0) != 0;
  const TLargeData data(1000000);
  double resident = 0, peak = 0;
  for (auto _ : state) {
    TLargeScene scene(1000000);
    scene.Frame();
    const double before = ResidentBytes(), peakBefore = PeakResidentBytes();
    if (bulk)
      scene.Series->AppendPoints(data.X, data.Y);
    else
      scene.Fill(data);
    scene.Frame();
    resident = ResidentBytes() - before;
    peak = PeakResidentBytes() - peakBefore;
  }
  state.counters["MB_resident"] = resident / 1e6;
  state.counters["MB_peak_growth"] = peak / 1e6;
}
BENCHMARK(BM_MemoryMillionPoints)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
