#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace chart {

class TChartSeries;

/// Which X a group of a period gives its result point: the group's first X, the midpoint of its
/// first and last X, or its last X.
enum TFunctionPeriodAlign { paFirst, paCenter, paLast };

/// A series function: computes the points of the series that owns it from that series' source
/// series. Owned by its series (TChartSeries::SetFunction); the series recomputes through it
/// whenever a source or a setting changed, once before the next frame.
///
/// With two or more sources, or Period 0: one point per index i up to the shortest source, X
/// from the first source at i, the operation over every source's value at i. With one source and
/// Period p >= 1: one point per consecutive group of p source points (the last group may be
/// shorter), the operation over the group's values, X placed by PeriodAlign.
/// Null points and NaN values of a source are left out of an operation; an index or a group
/// without any value left, an operation that has no result (a division by zero) and a result
/// that is not finite give a null point.
class TChartFunction {
public:
  TChartFunction() = default;
  virtual ~TChartFunction() = default;
  TChartFunction(const TChartFunction&) = delete;
  TChartFunction& operator=(const TChartFunction&) = delete;

  /// The class name stored with the layout ("TAverageFunction").
  virtual std::string ClassName() const = 0;
  /// A new function of the same class and settings, owned by no series.
  virtual std::unique_ptr<TChartFunction> Clone() const = 0;

  /// Number of source points per result point with one source; 0 (the default) takes every
  /// index on its own. Throws ChartException when negative; the old value stays.
  int32_t Period() const { return mPeriod; }
  void SetPeriod(int32_t value);
  /// X of a group's result point; paCenter by default. Throws ChartException for a value that
  /// names no alignment; the old value stays.
  TFunctionPeriodAlign PeriodAlign() const { return mPeriodAlign; }
  void SetPeriodAlign(TFunctionPeriodAlign value);
  /// Copies Period and PeriodAlign.
  void Assign(const TChartFunction& source);

  /// The series that owns the function, or null.
  TChartSeries* ParentSeries() const { return mParentSeries; }

  /// Empties the owning series and adds the result points computed from its source series.
  /// Nothing without an owning series.
  void Recalculate();

  /// The operation over `count` >= 1 values in source order. Returns false when it has no
  /// result (the point becomes a null point).
  virtual bool Calculate(const double* values, size_t count, double& result) const = 0;
  /// Calculate for `groups` consecutive groups of `size` >= 1 values each: group g is
  /// values[g * size] .. values[g * size + size - 1], its result goes to results[g] and whether
  /// it has one to has[g]. Every value is finite. The default calls Calculate per group; a function
  /// may override it to work on several groups at once, with the same results.
  virtual void CalculateGroups(const double* values, size_t size, size_t groups, double* results,
                               bool* has) const;

protected:
  /// Tells the owning series that its points must be recomputed.
  void Changed();

private:
  friend class TChartSeries;
  void SetParentSeries(TChartSeries* series) { mParentSeries = series; }

  void CalculateByIndex(const std::vector<TChartSeries*>& sources);
  void CalculateByPeriod(TChartSeries& source);
  void CalculateAndFill();
  void AddResult(double position, bool hasValue, double value);
  /// Puts the results in the order of the series' X list (stably) when they are not in it.
  void SortResults(TChartSeries& series);
  void FillSeries(TChartSeries& series);

  int32_t mPeriod = 0;
  TFunctionPeriodAlign mPeriodAlign = paCenter;
  TChartSeries* mParentSeries = nullptr;
  bool mCalculating = false;
  // Scratch storage kept between recalculations: the values of one index or group, and the
  // result points (position along the series' other list, mandatory value, null or not).
  std::vector<double> mValues;
  std::vector<double> mResultPositions, mResultValues;
  std::vector<uint8_t> mResultNull;
  size_t mResultNullCount = 0;
  bool mPositionsAscend = false;  // the result positions are known to ascend
};

}  // namespace chart
