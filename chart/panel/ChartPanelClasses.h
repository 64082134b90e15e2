#pragma once

namespace chart {

/// Registers the stored-layout property tables of the chart panel classes: the panel layers,
/// TChart, its walls, titles, gradient and chart brush. Each call registers again.
/// The axis, series, pen and 3D-option tables are registered with their own classes.
void RegisterChartPanelClasses();

}  // namespace chart
