#pragma once
#include <string>

#include "chart/series/TCustomSeries.h"

namespace chart {

/// A pointer at each point and nothing else; in 3D each pointer is a solid of the series' depth.
class TPointSeries : public TCustomSeries {
public:
  explicit TPointSeries(fw::TComponent* owner = nullptr);

  std::string ClassName() const override { return "TPointSeries"; }

  /// The pointer, shrunk to the box, at the centre of `rect` in the symbol's colour.
  void DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) override;
};

/// Registers TPointSeries with the form reader and on the "Standard" gallery page.
void RegisterPointSeriesClass();

}  // namespace chart
