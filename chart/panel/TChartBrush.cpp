#include "chart/panel/TChartBrush.h"

#include "framework/graphics/TBitmap.h"
#include "framework/runtime/TColor.h"

namespace chart {

TChartBrush::TChartBrush(std::function<void()> onChange) {
  SetColor(fw::clDefault);
  OnChange = std::move(onChange);
}

bool TChartBrush::HasBrushBitmap() const { return Bitmap() != nullptr && !Bitmap()->Empty(); }

}  // namespace chart
