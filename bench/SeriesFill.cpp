// The data work of one animation frame at L = 2000, beta = 0: the series is emptied and refilled
// with 2001 points whose X wraps at 1000, so the second half is inserted between the first.
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/Simulation.h"
#include "chart/data/TChartSeries.h"

namespace {

constexpr int32_t Points = 2001;

void FillFrame(chart::TChartSeries& series, double (*sample)(int32_t)) {
  series.RemoveAllPoints();
  for (int32_t i = 0; i < Points; ++i)
    series.AppendPoint(static_cast<double>(i % 1000), sample(i), "", fw::clDefault);
}

app::TSimulation& Wave() {
  static app::TSimulation sim = [] {
    app::TSimulation s;
    s.StringLength = 2000;
    s.Velocity = 0;
    s.SimTime = 1.3;
    return s;
  }();
  return sim;
}

double SampleWave(int32_t i) { return Wave().SampleWave(i); }
double PlainSine(int32_t i) { return 1000.0 * std::sin(0.00314 * i); }

void BM_SeriesFill_Wave(benchmark::State& state) {
  chart::TChartSeries series;
  for (auto _ : state) {
    FillFrame(series, SampleWave);
    benchmark::DoNotOptimize(series.XValues().LastValue());
  }
  state.SetItemsProcessed(state.iterations() * Points);
}
BENCHMARK(BM_SeriesFill_Wave);

// Same insertion pattern with a cheap Y, to show the series' own share.
void BM_SeriesFill_Sine(benchmark::State& state) {
  chart::TChartSeries series;
  for (auto _ : state) {
    FillFrame(series, PlainSine);
    benchmark::DoNotOptimize(series.XValues().LastValue());
  }
  state.SetItemsProcessed(state.iterations() * Points);
}
BENCHMARK(BM_SeriesFill_Sine);

// The wave model alone: the samples of one frame, no series.
void BM_SampleWaveOnly(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0;
    for (int32_t i = 0; i < Points; ++i) sum += SampleWave(i);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * Points);
}
BENCHMARK(BM_SampleWaveOnly);

// Reference: 2001 points that all arrive in order (pure appends).
void BM_SeriesFill_InOrder(benchmark::State& state) {
  chart::TChartSeries series;
  for (auto _ : state) {
    series.RemoveAllPoints();
    for (int32_t i = 0; i < Points; ++i) series.AppendPoint(i, PlainSine(i), "", fw::clDefault);
    benchmark::DoNotOptimize(series.XValues().LastValue());
  }
  state.SetItemsProcessed(state.iterations() * Points);
}
BENCHMARK(BM_SeriesFill_InOrder);

}  // namespace

BENCHMARK_MAIN();
