#include "chart/series/SeriesStacking.h"

#include <cmath>

#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesHost.h"

namespace chart {

TSeriesStack::TSeriesStack(const TChartSeries& series, const std::function<bool(const TChartSeries&)>& belongs) {
  const TSeriesHost* chart = series.ParentChart();
  const int32_t count = chart ? chart->ChartSeriesCount() : 0;
  for (int32_t i = 0; i < count; ++i) {
    const TChartSeries* s = chart->ChartSeriesAt(i);
    if (!s) continue;
    if (s == &series) {
      mOwn = static_cast<int32_t>(mMembers.size());
      mMembers.push_back(s);
    } else if (s->Active() && belongs(*s)) {
      mMembers.push_back(s);
    }
  }
  if (mMembers.empty() || mMembers[static_cast<size_t>(mOwn)] != &series) {
    mOwn = static_cast<int32_t>(mMembers.size());
    mMembers.push_back(&series);  // not in its chart's list (or no chart): a stack of its own
  }
}

double TSeriesStack::ContributionOf(const TChartSeries& member, int32_t index) {
  if (index < 0 || index >= member.PointCount() || member.IsNullPoint(index)) return 0;
  const double v = member.YValueOf(index);
  return std::isfinite(v) ? v : 0;
}

double TSeriesStack::OriginOf(int32_t index) const {
  double sum = 0;
  for (int32_t k = 0; k < mOwn; ++k) sum += ContributionOf(*mMembers[static_cast<size_t>(k)], index);
  return sum;
}

double TSeriesStack::TotalOf(int32_t index) const {
  double sum = 0;
  for (const TChartSeries* s : mMembers) sum += std::fabs(ContributionOf(*s, index));
  return sum;
}

}  // namespace chart
