#include "chart/functions/TChartFunction.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/data/TChartSeries.h"
#include "framework/runtime/TColor.h"

namespace chart {

namespace {

/// The list a source's points are placed along: X when Y is the mandatory value, else Y.
TChartValueList& PositionList(TChartSeries& series) {
  return series.YMandatory() ? series.XValues() : series.YValues();
}

/// True when `a` must stand before `b` in a list of that order (NaN after every number).
bool Precedes(TChartListOrder order, double a, double b) {
  if (std::isnan(a)) return false;
  if (std::isnan(b)) return true;
  return order == loDescending ? a > b : a < b;
}

/// False when one of the n values is NaN or infinite: x - x is 0 for every finite x and NaN
/// otherwise. Four independent lanes, so that the compiler may add them side by side.
bool AllFinite(const double* values, size_t n) {
  double lane[4] = {0.0, 0.0, 0.0, 0.0};
  size_t k = 0;
  for (; k + 4 <= n; k += 4)
    for (size_t a = 0; a < 4; ++a) lane[a] += values[k + a] - values[k + a];
  for (; k < n; ++k) lane[0] += values[k] - values[k];
  return lane[0] + lane[1] + lane[2] + lane[3] == 0.0;
}

}  // namespace

void TChartFunction::SetPeriod(int32_t value) {
  if (value < 0) throw ChartException(ChartConst::FunctionPeriodNegative);
  if (mPeriod == value) return;
  mPeriod = value;
  Changed();
}

void TChartFunction::SetPeriodAlign(TFunctionPeriodAlign value) {
  if (value != paFirst && value != paCenter && value != paLast)
    throw ChartException(ChartConst::FunctionPeriodAlignInvalid);
  if (mPeriodAlign == value) return;
  mPeriodAlign = value;
  Changed();
}

void TChartFunction::Assign(const TChartFunction& source) {
  if (&source == this) return;
  SetPeriod(source.mPeriod);
  SetPeriodAlign(source.mPeriodAlign);
}

void TChartFunction::Changed() {
  if (mParentSeries) mParentSeries->MarkSourcesChanged();
}

void TChartFunction::Recalculate() {
  // An event raised while the points are added (OnAfterAdd) may ask for another recalculation:
  // the one under way already gives the current result.
  if (!mParentSeries || mCalculating) return;
  mCalculating = true;
  try {
    CalculateAndFill();
  } catch (...) {
    mCalculating = false;
    throw;
  }
  mCalculating = false;
}

void TChartFunction::CalculateGroups(const double* values, size_t size, size_t groups, double* results,
                                     bool* has) const {
  for (size_t g = 0; g < groups; ++g) has[g] = Calculate(values + g * size, size, results[g]);
}

void TChartFunction::CalculateAndFill() {
  std::vector<TChartSeries*> sources;
  for (fw::TComponent* c : mParentSeries->DataSources())
    if (auto* s = dynamic_cast<TChartSeries*>(c)) sources.push_back(s);
  mResultPositions.clear();
  mResultValues.clear();
  mResultNull.clear();
  mResultNullCount = 0;
  // Positions read in order from a list that ascends as read ascend as well: each is a value of
  // the list or the midpoint of two (which ascends with them, unless a group spans -inf to inf).
  const TChartValueList* positions = sources.empty() ? nullptr : &PositionList(*sources.front());
  mPositionsAscend = positions != nullptr && positions->AscendsAsRead() &&
                     (positions->ValueCount() == 0 || positions->ValueAt(0) > -std::numeric_limits<double>::infinity());
  if (sources.size() == 1 && mPeriod > 0)
    CalculateByPeriod(*sources.front());
  else if (!sources.empty())
    CalculateByIndex(sources);
  FillSeries(*mParentSeries);
}

inline void TChartFunction::AddResult(double position, bool hasValue, double value) {
  if (hasValue && !std::isfinite(value)) hasValue = false;
  mResultPositions.push_back(position);
  mResultValues.push_back(hasValue ? value : 0.0);
  mResultNull.push_back(hasValue ? 0 : 1);
  mResultNullCount += hasValue ? 0 : 1;
}

void TChartFunction::CalculateByIndex(const std::vector<TChartSeries*>& sources) {
  int32_t count = sources.front()->PointCount();
  for (const TChartSeries* s : sources) count = std::min(count, s->PointCount());
  const TChartValueList& positions = PositionList(*sources.front());
  std::vector<const TChartValueList*> lists;
  for (TChartSeries* s : sources) lists.push_back(&s->MandatoryList());
  const auto n = static_cast<size_t>(count);
  mResultPositions.reserve(n);
  mResultValues.reserve(n);
  mResultNull.reserve(n);
  for (int32_t i = 0; i < count; ++i) {
    mValues.clear();
    for (size_t k = 0; k < sources.size(); ++k) {
      if (sources[k]->IsNullPoint(i)) continue;
      const double v = lists[k]->ValueAt(i);
      if (!std::isnan(v)) mValues.push_back(v);
    }
    double result = 0.0;
    const bool hasValue = !mValues.empty() && Calculate(mValues.data(), mValues.size(), result);
    AddResult(positions.ValueAt(i), hasValue, result);
  }
}

void TChartFunction::CalculateByPeriod(TChartSeries& source) {
  const int32_t count = source.PointCount();
  const TChartValueList& positions = PositionList(source);
  const TChartValueList& values = source.MandatoryList();
  const int64_t period = mPeriod;
  const bool mayHaveNulls = source.MayHaveNullPoints();
  // Without null points and with a multiplier of 1, the values as read are the stored values:
  // runs of whole groups without NaN go to CalculateGroups in place.
  const bool inPlace = !mayHaveNulls && values.Multiplier() == 1.0;
  const auto groupCount = static_cast<size_t>((count + period - 1) / period);
  mResultPositions.reserve(groupCount);
  mResultValues.reserve(groupCount);
  mResultNull.reserve(groupCount);
  auto positionOf = [&](int32_t first, int32_t last) {
    switch (mPeriodAlign) {
      case paFirst: return positions.ValueAt(first);
      case paLast: return positions.ValueAt(last);
      default:  // halves first: the sum of two large values would overflow
        return 0.5 * positions.ValueAt(first) + 0.5 * positions.ValueAt(last);
    }
  };
  constexpr int64_t Chunk = 256;  // groups per call of CalculateGroups
  bool chunkHas[Chunk];
  const double positionMultiplier = positions.Multiplier();
  for (int64_t start = 0; start < count;) {
    const int64_t whole = std::min<int64_t>(Chunk, (count - start) / period);
    if (inPlace && whole > 0) {
      const auto from = static_cast<int32_t>(start);
      const auto to = static_cast<int32_t>(start + whole * period);
      const double* run = values.RawRun(from, to);
      const double* xs = positions.RawRun(from, to);
      if (run && xs && AllFinite(run, static_cast<size_t>(to - from))) {
        const size_t at = mResultValues.size();
        const auto n = static_cast<size_t>(whole);
        mResultPositions.resize(at + n);
        mResultValues.resize(at + n);
        mResultNull.resize(at + n);
        double* outPositions = mResultPositions.data() + at;
        double* outValues = mResultValues.data() + at;
        uint8_t* outNull = mResultNull.data() + at;
        CalculateGroups(run, static_cast<size_t>(period), n, outValues, chunkHas);
        // Positions as ValueAt reads them: the stored value times the multiplier.
        const auto p = static_cast<size_t>(period);
        const double m = positionMultiplier;
        if (mPeriodAlign == paFirst) {
          for (size_t g = 0; g < n; ++g) outPositions[g] = xs[g * p] * m;
        } else if (mPeriodAlign == paLast) {
          for (size_t g = 0; g < n; ++g) outPositions[g] = xs[g * p + p - 1] * m;
        } else {
          for (size_t g = 0; g < n; ++g) outPositions[g] = 0.5 * (xs[g * p] * m) + 0.5 * (xs[g * p + p - 1] * m);
        }
        size_t nulls = 0;
        for (size_t g = 0; g < n; ++g) {
          const bool has = chunkHas[g] && std::isfinite(outValues[g]);
          outValues[g] = has ? outValues[g] : 0.0;
          outNull[g] = has ? 0 : 1;
          nulls += has ? 0 : 1;
        }
        mResultNullCount += nulls;
        start = to;
        continue;
      }
    }
    // One group on its own: the values as read, null points and NaN values left out.
    const auto first = static_cast<int32_t>(start);
    const auto last = static_cast<int32_t>(std::min<int64_t>(count, start + period) - 1);
    mValues.clear();
    for (int32_t i = first; i <= last; ++i) {
      if (mayHaveNulls && source.IsNullPoint(i)) continue;
      const double v = values.ValueAt(i);
      if (!std::isnan(v)) mValues.push_back(v);
    }
    double result = 0.0;
    const bool hasValue = !mValues.empty() && Calculate(mValues.data(), mValues.size(), result);
    AddResult(positionOf(first, last), hasValue, result);
    start += period;
  }
}

void TChartFunction::SortResults(TChartSeries& series) {
  // The X list places each point by its order, ties after equal values: sorting the results the
  // same way first (stably) makes every add an append instead of a search from the end.
  const TChartListOrder order = series.XValues().Order();
  if (order == loNone || (order == loAscending && series.YMandatory() && mPositionsAscend)) return;
  const std::vector<double>& xs = series.YMandatory() ? mResultPositions : mResultValues;
  const size_t n = xs.size();
  bool sorted = true;
  for (size_t i = 1; i < n && sorted; ++i) sorted = !Precedes(order, xs[i], xs[i - 1]);
  if (sorted) return;
  std::vector<size_t> permutation(n);
  for (size_t i = 0; i < n; ++i) permutation[i] = i;
  std::stable_sort(permutation.begin(), permutation.end(),
                   [&](size_t a, size_t b) { return Precedes(order, xs[a], xs[b]); });
  auto permute = [&permutation](auto& list) {
    std::remove_reference_t<decltype(list)> sortedList;
    sortedList.reserve(list.size());
    for (size_t i : permutation) sortedList.push_back(list[i]);
    list.swap(sortedList);
  };
  permute(mResultPositions);
  permute(mResultValues);
  permute(mResultNull);
}

void TChartFunction::FillSeries(TChartSeries& series) {
  series.RemoveAllPoints();
  SortResults(series);
  const bool yMandatory = series.YMandatory();
  const std::vector<double>& xs = yMandatory ? mResultPositions : mResultValues;
  const std::vector<double>& ys = yMandatory ? mResultValues : mResultPositions;
  if (mResultNullCount == 0) {
    // No null point: one bulk add (the handlers of each added point still run, per point).
    series.AppendPoints(xs, ys);
    return;
  }
  for (size_t i = 0; i < xs.size(); ++i) {  // the results do not change while calculating
    if (mResultNull[i])
      series.AppendNullPoint(xs[i], ys[i], std::string());
    else
      series.AppendPoint(xs[i], ys[i], std::string(), fw::clDefault);
  }
}

}  // namespace chart
