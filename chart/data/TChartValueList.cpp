#include "chart/data/TChartValueList.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "chart/data/ListIndexError.h"
#include "chart/data/TChartSeries.h"
#include "framework/runtime/Exception.h"

namespace chart {

namespace {
// Storage above this many values is given back when the list is emptied; below it the
// capacity is kept, so a series refilled every frame does not reallocate.
constexpr size_t KeptCapacity = size_t{1} << 20;
}  // namespace

TChartValueList::TChartValueList(TChartSeries* owner, const std::string& name) : mName(name), mOwner(owner) {
  if (mOwner) mOwner->RegisterValueList(this);
  RemoveAllValues();
}

TChartValueList::~TChartValueList() {
  if (mOwner) mOwner->UnregisterValueList(this);
}

void TChartValueList::RaiseIndexError(int32_t index) { RaiseListIndexError(index); }

void TChartValueList::SetDateTime(bool value) {
  if (mDateTime == value) return;
  mDateTime = value;
  if (mOwner) mOwner->RequestRepaint();
}

void TChartValueList::SetMultiplier(double value) {
  // Compared bitwise-equal values only: a NaN multiplier replaced by NaN is no change.
  if (mMultiplier == value || (std::isnan(mMultiplier) && std::isnan(value))) return;
  mMultiplier = value;
  MarkChanged();
  if (!mOwner) return;
  mOwner->NotifyDependents(seModified, -1);
  mOwner->RequestRepaint();
}

void TChartValueList::SetOrder(TChartListOrder value) {
  if (mOrder == value) return;
  mOrder = value;
  mInOrder = false;  // rechecked at the next AddInOrder
}

void TChartValueList::SetValueSource(const std::string& value) {
  if (mValueSource == value) return;
  mValueSource = value;
  if (mOwner) mOwner->CheckDataSource();
}

void TChartValueList::SetValueAt(int32_t index, double value) {
  if (index < 0 || index >= ValueCount()) RaiseIndexError(index);
  mValues[static_cast<size_t>(index)] = value;
  UpdateInOrderAround(index);
  MarkChanged();
  if (mOwner) mOwner->NotifyDependents(seValueChanged, index);
}

bool TChartValueList::Precedes(double a, double b) const {
  if (std::isnan(a)) return false;
  if (std::isnan(b)) return true;
  return mOrder == loDescending ? a > b : a < b;
}

bool TChartValueList::IsInOrder() const {
  if (mOrder == loNone) return true;
  for (size_t i = 1; i < mValues.size(); ++i)
    if (Precedes(mValues[i], mValues[i - 1])) return false;
  return true;
}

void TChartValueList::UpdateInOrderAround(int32_t index) {
  if (!mInOrder || mOrder == loNone) return;
  const size_t i = static_cast<size_t>(index);
  if (i > 0 && Precedes(mValues[i], mValues[i - 1])) mInOrder = false;
  if (i + 1 < mValues.size() && Precedes(mValues[i + 1], mValues[i])) mInOrder = false;
}

void TChartValueList::CheckRoomForOneMore() const {
  if (mValues.size() >= static_cast<size_t>(MaxValueCount))
    throw fw::Exception("List capacity out of bounds (" + std::to_string(mValues.size()) + ")");
}

// The position after the last value that `value` does not precede: scanning back from the end
// while `value` precedes the stored value. On values known to be in order that is the upper
// bound, found by binary search; otherwise the scan runs as stated.
int32_t TChartValueList::OrderedPosition(double value) {
  if (mValues.empty() || mOrder == loNone) return ValueCount();
  if (!Precedes(value, mValues.back())) return ValueCount();
  if (!mInOrder) mInOrder = IsInOrder();
  if (mInOrder) {
    auto it = std::upper_bound(mValues.begin(), mValues.end(), value,
                               [this](double v, double stored) { return Precedes(v, stored); });
    return static_cast<int32_t>(it - mValues.begin());
  }
  int64_t k = static_cast<int64_t>(mValues.size()) - 1;
  while (k >= 0 && Precedes(value, mValues[static_cast<size_t>(k)])) --k;
  return static_cast<int32_t>(k + 1);
}

int32_t TChartValueList::AddInOrder(double value) {
  CheckRoomForOneMore();
  const int32_t index = OrderedPosition(value);
  mValues.insert(mValues.begin() + index, value);
  MarkChanged();
  return index;
}

void TChartValueList::InsertAt(int32_t index, double value) {
  if (index < 0 || index > ValueCount()) RaiseIndexError(index);
  CheckRoomForOneMore();
  mValues.insert(mValues.begin() + index, value);
  UpdateInOrderAround(index);
  MarkChanged();
}

void TChartValueList::RemoveAt(int32_t index) {
  if (index < 0 || index >= ValueCount()) RaiseIndexError(index);
  mValues.erase(mValues.begin() + index);
  MarkChanged();
}

void TChartValueList::ReleaseStorage() {
  if (mValues.capacity() > KeptCapacity)
    std::vector<double>().swap(mValues);
  else
    mValues.clear();
}

void TChartValueList::RemoveAllValues() {
  ReleaseStorage();
  mInOrder = true;
  MarkChanged();
}

void TChartValueList::RotateFirstToLast() {
  if (mValues.size() < 2) return;
  std::rotate(mValues.begin(), mValues.begin() + 1, mValues.end());
  if (mOrder != loNone) mInOrder = false;
}

void TChartValueList::ExchangeValues(int32_t a, int32_t b) {
  if (a < 0 || a >= ValueCount()) RaiseIndexError(a);
  if (b < 0 || b >= ValueCount()) RaiseIndexError(b);
  if (a == b) return;
  std::swap(mValues[static_cast<size_t>(a)], mValues[static_cast<size_t>(b)]);
  if (mOrder != loNone) mInOrder = false;
}

int32_t TChartValueList::FindValue(double value) const {
  for (size_t i = 0; i < mValues.size(); ++i)
    if (mValues[i] * mMultiplier == value) return static_cast<int32_t>(i);
  return -1;
}

void TChartValueList::FillIndexSequence() {
  for (int32_t i = 0; i < ValueCount(); ++i) SetValueAt(i, static_cast<double>(i));
}

void TChartValueList::UpdateStats() const {
  bool any = false;
  double mn = 0, mx = 0, sum = 0, absSum = 0;
  for (double raw : mValues) {
    const double v = raw * mMultiplier;
    if (std::isnan(v)) continue;
    if (!any) {
      mn = mx = v;
      any = true;
    } else if (v < mn) {
      mn = v;
    } else if (v > mx) {
      mx = v;
    }
    sum += v;
    absSum += std::fabs(v);
  }
  mCachedMin = mn;
  mCachedMax = mx;
  mCachedSum = sum;
  mCachedAbsSum = absSum;
  mStatsDirty = false;
}

double TChartValueList::MinimumValue() const {
  if (mStatsDirty) UpdateStats();
  return mCachedMin;
}

double TChartValueList::MaximumValue() const {
  if (mStatsDirty) UpdateStats();
  return mCachedMax;
}

double TChartValueList::TotalValue() const {
  if (mStatsDirty) UpdateStats();
  return mCachedSum;
}

double TChartValueList::TotalAbsValue() const {
  if (mStatsDirty) UpdateStats();
  return mCachedAbsSum;
}

void TChartValueList::SortByOrder() {
  if (mOrder == loNone || mValues.size() < 2) return;
  const size_t n = mValues.size();
  // Compare on the multiplied values, as they are read; NaN after every number.
  std::vector<double> keys(n);
  for (size_t i = 0; i < n; ++i) keys[i] = mValues[i] * mMultiplier;
  std::vector<int32_t> order(n);  // order[k] = index of the point that must end at k
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return Precedes(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]); });

  // Apply the permutation by exchanges, following each cycle: `at[p]` is the current index of
  // original point p, `who[k]` the original point currently at index k.
  std::vector<int32_t> at(n), who(n);
  std::iota(at.begin(), at.end(), 0);
  std::iota(who.begin(), who.end(), 0);
  for (size_t k = 0; k < n; ++k) {
    const int32_t want = order[k];
    const int32_t from = at[static_cast<size_t>(want)];
    if (static_cast<size_t>(from) == k) continue;
    if (mOwner)
      mOwner->ExchangePoints(static_cast<int32_t>(k), from);
    else
      ExchangeValues(static_cast<int32_t>(k), from);
    const int32_t displaced = who[k];
    who[static_cast<size_t>(from)] = displaced;
    at[static_cast<size_t>(displaced)] = from;
    who[k] = want;
    at[static_cast<size_t>(want)] = static_cast<int32_t>(k);
  }
  mInOrder = IsInOrder();
}

void TChartValueList::Assign(const TChartValueList& source) {
  if (&source == this) return;
  SetOrder(source.mOrder);
  SetDateTime(source.mDateTime);
  SetMultiplier(source.mMultiplier);
  SetValueSource(source.mValueSource);
}

}  // namespace chart
