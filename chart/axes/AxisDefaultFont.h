#pragma once

namespace fw {
class TFont;
}

namespace chart {

/// Gives a font the chart's default text look (the same as ChartDefaultFont): "Arial",
/// 8 points, black, no style, default character set.
void AssignAxisDefaultFont(fw::TFont& font);

}  // namespace chart
