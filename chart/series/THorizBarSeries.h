#pragma once
#include <string>

#include "chart/series/TCustomBarSeries.h"

namespace chart {

/// Horizontal bars: each point is a bar at its Y position from the origin to its X value. The
/// X values are the mandatory ones (AddMandatoryValue fills X and numbers the Y positions);
/// points are kept in ascending Y order.
class THorizBarSeries : public TCustomBarSeries {
public:
  explicit THorizBarSeries(fw::TComponent* owner = nullptr);

  std::string ClassName() const override { return "THorizBarSeries"; }
  TChartValueList& MandatoryList() override { return XValues(); }
  /// As the series core, but the point takes its place by its Y value.
  using TChartSeries::AppendPoint;
  int32_t AppendPoint(double x, double y, const std::string& label, fw::TColor color) override;
};

}  // namespace chart
