#pragma once

namespace chart {

/// Registers the stored-layout property table of TChartLegend (its pens, brush and font are
/// described by the tables of their own classes). Each call registers again.
void RegisterChartLegendClass();

}  // namespace chart
