#pragma once

namespace chart {

/// Registers every chart class a stored layout may name (the chart with its axes, titles,
/// walls, pens and options, and the series) with the layout reader and writer. Safe to call again.
void RegisterChartClasses();

}  // namespace chart
