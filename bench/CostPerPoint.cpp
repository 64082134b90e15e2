// What one more point costs each series type: an 800 x 500 chart (automatic axes, labels, walls,
// legend hidden) drawn with N and with 10 N points of the same curve, flat and in 3D. The
// counter "ns_per_point" is the difference of the two frames over the 9 N points between them;
// what every frame costs whatever its points (axes, walls, the area under a curve, a pie's disc)
// cancels out. Arguments: the type (0 fast line, 1 line, 2 area, 3 point, 4 bar, 5 horizontal
// bar, 6 pie, 7 point with circle markers, 8 line with its markers) and 0 flat or 1 in 3D. N is
// 10,000, and 100 slices for the pie; 100,000 in BM_CostPerPointDense, 1,000,000 in
// BM_CostPerPointSaturated; 10,000 and 100,000 slices in BM_CostPerSliceDense.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <memory>

#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPieSeries.h"
#include "chart/series/TPointSeries.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/graphics/TBitmap.h"
#include "bench/support/OffscreenMain.h"

namespace {

std::unique_ptr<chart::TChartSeries> NewSeries(int64_t type) {
  switch (type) {
    case 0: return std::make_unique<chart::TFastLineSeries>(nullptr);
    case 1: return std::make_unique<chart::TLineSeries>(nullptr);
    case 2: return std::make_unique<chart::TAreaSeries>(nullptr);
    case 3: return std::make_unique<chart::TPointSeries>(nullptr);
    case 7: {
      auto points = std::make_unique<chart::TPointSeries>(nullptr);
      points->Pointer().SetStyle(chart::psCircle);
      return points;
    }
    case 8: {
      auto line = std::make_unique<chart::TLineSeries>(nullptr);
      line->Pointer().SetVisible(true);
      return line;
    }
    case 4: return std::make_unique<chart::TBarSeries>(nullptr);
    case 5: return std::make_unique<chart::THorizBarSeries>(nullptr);
    default: return std::make_unique<chart::TPieSeries>(nullptr);
  }
}

struct TFrame {
  chart::TChart Chart{nullptr};
  std::unique_ptr<chart::TChartSeries> Series;
  fw::TBitmap Image{800, 500};

  TFrame(int64_t type, bool view3D, int32_t points) : Series(NewSeries(type)) {
    Chart.SetBounds(0, 0, 800, 500);
    Chart.SetColor(fw::clWhite);
    Chart.SetView3D(view3D);
    Chart.Legend().SetVisible(false);
    Series->SetSeriesColor(fw::clRed);
    // The same curve over both counts: ten times the points are ten times as dense.
    const double step = 10000.0 / points;
    for (int32_t i = 0; i < points; ++i) {
      const double t = i * step;
      Series->AddMandatoryValue(500 + 400 * std::sin(t * 0.00314) + 50 * std::sin(t * 0.7), "", fw::clDefault);
    }
    Series->SetParentChart(&Chart);
    Draw();  // fonts and caches
  }
  ~TFrame() { Series->SetParentChart(nullptr); }

  double Draw() {
    const auto start = std::chrono::steady_clock::now();
    Chart.DrawToCanvas(Image.Canvas(), fw::TRect{0, 0, 800, 500});
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  }
};

void MeasureCostPerPoint(benchmark::State& state, int32_t n) {
  const int64_t type = state.range(0);
  const bool view3D = state.range(1) != 0;
  TFrame small(type, view3D, n), large(type, view3D, 10 * n);
  double smallNs = 0, largeNs = 0;
  for (auto _ : state) {
    smallNs += small.Draw();
    largeNs += large.Draw();
  }
  const double frames = static_cast<double>(state.iterations());
  state.counters["frame_N_us"] = smallNs / frames / 1000;
  state.counters["frame_10N_us"] = largeNs / frames / 1000;
  state.counters["ns_per_point"] = (largeNs - smallNs) / frames / (9.0 * n);
}
void BM_CostPerPoint(benchmark::State& state) { MeasureCostPerPoint(state, state.range(0) == 6 ? 100 : 10000); }
BENCHMARK(BM_CostPerPoint)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 1}})->Unit(benchmark::kMillisecond);

// The same from 100,000 to 1,000,000 points, where a pixel column shows every row the curve
// reaches at either count: what is left is what finding the points costs. No pie.
void BM_CostPerPointDense(benchmark::State& state) { MeasureCostPerPoint(state, 100000); }
BENCHMARK(BM_CostPerPointDense)->ArgsProduct({{0, 1, 2, 3, 4, 5, 7, 8}, {0, 1}})->Unit(benchmark::kMillisecond);

// From 1,000,000 to 10,000,000 points: every row a column's band reaches holds many points at
// either count (some 25 and 250 a row), so the markers kept and the strips of 3D ribbons are
// the same at both, and one more point costs only the passes over the values. No pie.
void BM_CostPerPointSaturated(benchmark::State& state) { MeasureCostPerPoint(state, 1000000); }
BENCHMARK(BM_CostPerPointSaturated)->ArgsProduct({{0, 1, 2, 3, 4, 5, 7, 8}, {0, 1}})->Unit(benchmark::kMillisecond);

// A pie of 10,000 → 100,000 and 100,000 → 1,000,000 slices (the third argument), where a rim
// pixel holds several slices at both counts: drawn ones grouped, one more slice costs working
// out its angles and passing over it.
void BM_CostPerSliceDense(benchmark::State& state) {
  MeasureCostPerPoint(state, static_cast<int32_t>(state.range(2)));
}
BENCHMARK(BM_CostPerSliceDense)->ArgsProduct({{6}, {0, 1}, {10000, 100000}})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunOffscreen(argc, argv); }
