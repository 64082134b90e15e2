#pragma once
#include <functional>

#include "framework/graphics/TBrush.h"

namespace chart {

/// A brush of a chart element (walls, titles): starts with colour clDefault (the element's own
/// colour applies) and reports every change to its owner (the chart's repaint).
class TChartBrush : public fw::TBrush {
public:
  explicit TChartBrush(std::function<void()> onChange = {}) {
    SetColor(fw::clDefault);
    OnChange = std::move(onChange);
  }

  /// True when the brush fills with a pattern bitmap that is not empty.
  bool HasBrushBitmap() const;
};

}  // namespace chart
