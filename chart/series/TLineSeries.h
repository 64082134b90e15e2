#pragma once
#include <string>

#include "chart/series/TCustomSeries.h"

namespace chart {

/// Points joined by a line (LinePen; straight or in stairs), with an optional pointer at each
/// point (hidden at creation). In 3D the line is a ribbon of the series' depth. The line's colour
/// is the series colour: SeriesColor and LinePen's colour follow each other.
class TLineSeries : public TCustomSeries {
public:
  explicit TLineSeries(fw::TComponent* owner = nullptr);

  std::string ClassName() const override { return "TLineSeries"; }

  /// The series-core setter, then LinePen's colour follows.
  void SetSeriesColor(fw::TColor value) override;
  /// Copies `value` into LinePen, then SeriesColor takes LinePen's colour.
  void SetLinePen(const fw::TPen& value) override;

  /// A line across the middle of `rect` in the symbol's colour, and the pointer (shrunk to the
  /// box) at its centre when visible.
  void DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) override;
};

/// Registers TLineSeries with the form reader and on the "Standard" gallery page.
void RegisterLineSeriesClass();

}  // namespace chart
