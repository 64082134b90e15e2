#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace chart {

class TChartSeries;

/// Series that stack on each other point by point (stacked areas, stacked bars): the members of
/// one stack are the active series of the same chart that `belongs` accepts, in the chart's list
/// order. Point i of member k rests on the sum of points i of members 0..k-1; points are matched
/// by index. Null points, NaN values and members with fewer points contribute 0.
class TSeriesStack {
public:
  /// Collects the stack of `series` (which is always a member, also without a chart).
  TSeriesStack(const TChartSeries& series, const std::function<bool(const TChartSeries&)>& belongs);

  /// Members in stacking order.
  const std::vector<const TChartSeries*>& Members() const { return mMembers; }
  /// Position of the series the stack was built for among the members.
  int32_t OwnPosition() const { return mOwn; }

  /// Sum of point `index` of the members below the series.
  double OriginOf(int32_t index) const;
  /// Sum of the magnitudes of point `index` of every member (the 100 % of a stacked-to-100 % stack).
  double TotalOf(int32_t index) const;

  /// The value point `index` of a member contributes: its Y value, 0 for a null point, a NaN or a
  /// point the member does not have.
  static double ContributionOf(const TChartSeries& member, int32_t index);

private:
  std::vector<const TChartSeries*> mMembers;
  int32_t mOwn = 0;
};

}  // namespace chart
