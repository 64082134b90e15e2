#pragma once
#include <string>
#include <vector>

namespace chart {

/// Class names of the "Standard" gallery page in gallery order. This list is the one place that
/// order is defined; each series type registers its own entry from its registration function.
const std::vector<std::string>& StandardGalleryOrder();

/// Registers every series type of the "Standard" page with the form reader and the gallery
/// (line, bar, horizontal bar, area, point, pie, fast line). Called once at start-up by
/// RegisterChartClasses; calling it again changes nothing.
void RegisterStandardSeries();

}  // namespace chart
