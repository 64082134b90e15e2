#include "chart/functions/TChartFunction.h"

#include <algorithm>
#include <cmath>

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

void TChartFunction::CalculateAndFill() {
  std::vector<TChartSeries*> sources;
  for (fw::TComponent* c : mParentSeries->DataSources())
    if (auto* s = dynamic_cast<TChartSeries*>(c)) sources.push_back(s);
  mResults.clear();
  if (sources.size() == 1 && mPeriod > 0)
    CalculateByPeriod(*sources.front());
  else if (!sources.empty())
    CalculateByIndex(sources);
  FillSeries(*mParentSeries);
}

void TChartFunction::AddResult(double position, bool hasValue, double value) {
  if (hasValue && !std::isfinite(value)) hasValue = false;
  mResults.push_back({position, hasValue ? value : 0.0, !hasValue});
}

void TChartFunction::CalculateByIndex(const std::vector<TChartSeries*>& sources) {
  int32_t count = sources.front()->PointCount();
  for (const TChartSeries* s : sources) count = std::min(count, s->PointCount());
  const TChartValueList& positions = PositionList(*sources.front());
  std::vector<const TChartValueList*> lists;
  for (TChartSeries* s : sources) lists.push_back(&s->MandatoryList());
  mResults.reserve(static_cast<size_t>(count));
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
  mResults.reserve(static_cast<size_t>((count + period - 1) / period));
  for (int64_t start = 0; start < count; start += period) {
    const auto first = static_cast<int32_t>(start);
    const auto last = static_cast<int32_t>(std::min<int64_t>(count, start + period) - 1);
    mValues.clear();
    for (int32_t i = first; i <= last; ++i) {
      if (mayHaveNulls && source.IsNullPoint(i)) continue;
      const double v = values.ValueAt(i);
      if (!std::isnan(v)) mValues.push_back(v);
    }
    double position;
    switch (mPeriodAlign) {
      case paFirst: position = positions.ValueAt(first); break;
      case paLast: position = positions.ValueAt(last); break;
      default:  // halves first: the sum of two large values would overflow
        position = 0.5 * positions.ValueAt(first) + 0.5 * positions.ValueAt(last);
        break;
    }
    double result = 0.0;
    const bool hasValue = !mValues.empty() && Calculate(mValues.data(), mValues.size(), result);
    AddResult(position, hasValue, result);
  }
}

void TChartFunction::FillSeries(TChartSeries& series) {
  series.RemoveAllPoints();
  const bool yMandatory = series.YMandatory();
  auto xOf = [yMandatory](const TResultPoint& p) { return yMandatory ? p.Position : p.Value; };
  // The X list places each point by its order, ties after equal values: sorting the results the
  // same way first (stably) makes every add an append instead of a search from the end.
  const TChartListOrder order = series.XValues().Order();
  if (order != loNone) {
    auto before = [&](const TResultPoint& a, const TResultPoint& b) { return Precedes(order, xOf(a), xOf(b)); };
    if (!std::is_sorted(mResults.begin(), mResults.end(), before))
      std::stable_sort(mResults.begin(), mResults.end(), before);
  }
  const bool anyNull = std::any_of(mResults.begin(), mResults.end(), [](const TResultPoint& p) { return p.Null; });
  if (!anyNull) {
    // No null point: one bulk add (the handlers of each added point still run, per point).
    std::vector<double> xs, ys;
    xs.reserve(mResults.size());
    ys.reserve(mResults.size());
    for (const TResultPoint& p : mResults) {
      xs.push_back(xOf(p));
      ys.push_back(yMandatory ? p.Value : p.Position);
    }
    series.AppendPoints(xs, ys);
    mResults.clear();
    return;
  }
  for (const TResultPoint& p : mResults) {  // mResults does not change while calculating
    const double x = xOf(p);
    const double y = yMandatory ? p.Value : p.Position;
    if (p.Null)
      series.AppendNullPoint(x, y, std::string());
    else
      series.AppendPoint(x, y, std::string(), fw::clDefault);
  }
  mResults.clear();
}

}  // namespace chart
