#include "chart/axes/AxisDefaultFont.h"

#include "chart/panel/TChartFontObject.h"

namespace chart {

void AssignAxisDefaultFont(fw::TFont& font) { ChartDefaultFont(font); }

}  // namespace chart
