#pragma once

namespace chart {

/// Registers the published properties of the series classes (value lists, marks, the series
/// core and the fast line series) with the layout reader and writer. Safe to call again.
void RegisterSeriesClasses();

}  // namespace chart
