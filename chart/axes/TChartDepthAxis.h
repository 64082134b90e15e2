#pragma once
#include "chart/axes/TCustomChartAxis.h"

namespace chart {

/// The class of the depth axis (hidden unless the chart is in 3D): publishes the axis settings.
class TChartDepthAxis : public TCustomChartAxis {
public:
  using TCustomChartAxis::TCustomChartAxis;
};

}  // namespace chart
