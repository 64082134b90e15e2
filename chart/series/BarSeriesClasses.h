#pragma once

namespace chart {

/// Registers the published properties of TCustomBarSeries, TBarSeries and THorizBarSeries for
/// the form reader and writer (on top of the TChartSeries table).
void RegisterBarSeriesClasses();

}  // namespace chart
