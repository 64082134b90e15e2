#pragma once
#include "chart/axes/TCustomChartAxis.h"

namespace chart {

/// The class of the four side axes (bottom, top, left, right): publishes the axis settings.
class TChartAxis : public TCustomChartAxis {
public:
  using TCustomChartAxis::TCustomChartAxis;
};

}  // namespace chart
