#include "chart/data/TSeriesHost.h"

#include "chart/canvas/TCanvas3D.h"
#include "framework/graphics/TFont.h"
#include "framework/runtime/FormatFloat.h"

namespace chart {

void TSeriesHost::ChartSelectFont(const fw::TFont& font) {
  TCanvas3D& canvas = Canvas3D();
  if (canvas.Surface()) canvas.Font().Assign(font);
}

std::string TSeriesHost::AxisValueText(TCustomChartAxis&, double value, const std::string& fallbackFormat) {
  return fw::FormatFloat(fallbackFormat, value);
}

}  // namespace chart
