#pragma once

namespace chart {

/// Registers the published properties of TPieSeries, TPieOtherSlice and TPieShadow for the
/// form reader and writer (on top of the TChartSeries table).
void RegisterPieSeriesClass();

}  // namespace chart
