#include "chart/panel/TChartBrush.h"

#include "framework/graphics/TBitmap.h"

namespace chart {

bool TChartBrush::HasBrushBitmap() const { return Bitmap() != nullptr && !Bitmap()->Empty(); }

}  // namespace chart
