#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

namespace chart {

class TChartSeries;

/// The chart's series in drawing order. Holds references only: the series are components of
/// the window; the chart frees those still listed when it is destroyed.
class TChartSeriesList {
public:
  int32_t Count() const { return static_cast<int32_t>(mItems.size()); }
  bool Empty() const { return mItems.empty(); }
  /// Series at index; the caller checks the index against Count().
  TChartSeries* operator[](int32_t index) const { return mItems[static_cast<size_t>(index)]; }
  /// Index of the series, or -1.
  int32_t IndexOf(const TChartSeries* series) const {
    auto it = std::find(mItems.begin(), mItems.end(), series);
    return it == mItems.end() ? -1 : static_cast<int32_t>(it - mItems.begin());
  }
  bool Contains(const TChartSeries* series) const { return IndexOf(series) >= 0; }
  void Add(TChartSeries* series) { mItems.push_back(series); }
  void Remove(const TChartSeries* series) {
    mItems.erase(std::remove(mItems.begin(), mItems.end(), series), mItems.end());
  }

  auto begin() const { return mItems.begin(); }
  auto end() const { return mItems.end(); }

private:
  std::vector<TChartSeries*> mItems;
};

}  // namespace chart
