#pragma once
#include <string>

#include "chart/series/TCustomBarSeries.h"

namespace chart {

/// Vertical bars: each point is a bar at its X position from the origin to its Y value.
class TBarSeries : public TCustomBarSeries {
public:
  explicit TBarSeries(fw::TComponent* owner = nullptr) : TCustomBarSeries(owner, false) {}

  std::string ClassName() const override { return "TBarSeries"; }
};

}  // namespace chart
