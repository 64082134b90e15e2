#pragma once
#include <functional>

#include "framework/graphics/TBrush.h"

namespace chart {

/// The brush of a chart element (walls, titles, legend): a platform brush that starts with the
/// colour clDefault ("no colour of its own") and tells its owner of every change.
class TChartBrush : public fw::TBrush {
public:
  /// `onChange` is the owner's change notification (the chart's NotifyChange); may be empty.
  explicit TChartBrush(std::function<void()> onChange = {});
  /// True when the brush fills with a pattern bitmap that has a picture.
  bool HasBrushBitmap() const;
};

}  // namespace chart
