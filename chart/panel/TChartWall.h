#pragma once
#include "chart/panel/TCustomChartWall.h"

namespace chart {

/// The published wall class of a chart.
class TChartWall : public TCustomChartWall {
public:
  using TCustomChartWall::TCustomChartWall;
};

}  // namespace chart
