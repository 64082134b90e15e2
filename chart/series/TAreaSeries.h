#pragma once
#include <string>

#include "chart/series/TCustomSeries.h"

namespace chart {

/// The region between the points and the origin filled with AreaBrush (the point colours by
/// default), its upper edge drawn with LinePen and vertical AreaLinesPen lines at the points.
/// Area series with the same MultiArea (other than maNone) and axes stack on each other in
/// the chart's list order. In 3D the area is a prism of the series' depth.
class TAreaSeries : public TCustomSeries {
public:
  explicit TAreaSeries(fw::TComponent* owner = nullptr);

  std::string ClassName() const override { return "TAreaSeries"; }

  /// `rect` filled with AreaBrush in the symbol's colour (the legend's outline pen).
  void DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) override;
};

/// Registers TAreaSeries with the form reader and on the "Standard" gallery page.
void RegisterAreaSeriesClass();

}  // namespace chart
