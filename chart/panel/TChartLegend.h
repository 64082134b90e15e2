#pragma once

#include "chart/panel/TCustomChartLegend.h"

namespace chart {

/// The published legend of a chart.
class TChartLegend : public TCustomChartLegend {
public:
  using TCustomChartLegend::TCustomChartLegend;
};

}  // namespace chart
