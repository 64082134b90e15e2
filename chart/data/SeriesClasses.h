#pragma once

namespace chart {

/// Registers the published properties of TChartValueList, TSeriesMarks and TChartSeries with
/// the form reader and writer. Series types register themselves with Inherits<TChartSeries>();
/// a series block nested in a chart's block attaches the series to that chart.
void RegisterSeriesClasses();

}  // namespace chart
