#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace chart {

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

/// One column of a series' data (the X values or the Y values of every point), in point order.
/// Reads are scaled by Multiplier; the minimum, maximum, sum and sum of magnitudes are cached
/// and recomputed on the first query after a change.
///
/// Ordering: an ordered list (Order loAscending / loDescending) places each added value after
/// every value that does not come after it, so equal values keep the order in which they were
/// added. NaN counts as coming after every number in both orders: NaN values gather at the end
/// of an ordered list and never split its ordered numbers. The statistics skip NaN values.
///
/// Index errors raise the framework's list-index error ("List index out of bounds (N)") and
/// change nothing.
class TChartValueList {
public:
  /// Creates an empty list named `name` and appends it to the owner's value lists (when there is
  /// an owner). The owner series keeps the list alive (it owns it as a member); a list destroyed
  /// first removes itself from the owner's value lists.
  TChartValueList(TChartSeries* owner, const std::string& name);
  virtual ~TChartValueList();
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  std::string ClassName() const { return "TChartValueList"; }

  TChartSeries* Owner() const { return mOwner; }

  // ---- published properties ----
  /// The values are dates/times (days, time as fraction). Default false.
  bool DateTime() const { return mDateTime; }
  /// Stores; asks the owner series to repaint when changed.
  void SetDateTime(bool value);
  const std::string& Name() const { return mName; }
  void SetName(const std::string& value) { mName = value; }
  /// Factor applied to every value read. Default 1.
  double Multiplier() const { return mMultiplier; }
  /// When changed: stores, marks the statistics dirty, tells the owner's dependents that the
  /// data was modified and asks the owner to repaint.
  void SetMultiplier(double value);
  TChartListOrder Order() const { return mOrder; }
  /// Stores only: the values are not re-sorted (see SortByOrder).
  void SetOrder(TChartListOrder value);
  /// Name of the data-source field feeding this list.
  const std::string& ValueSource() const { return mValueSource; }
  /// When changed: stores and asks the owner series to re-check its data source.
  void SetValueSource(const std::string& value);

  /// The value the owner series is about to add (written before an add).
  double PendingValue() const { return mPendingValue; }
  void SetPendingValue(double value) { mPendingValue = value; }

  // ---- values ----
  int32_t ValueCount() const { return static_cast<int32_t>(mStore.size() - mGapLength); }
  /// Stored value × Multiplier. Throws the list-index error outside 0..count-1.
  double ValueAt(int32_t index) const {
    if (index < 0 || index >= ValueCount()) RaiseIndexError(index);
    return mStore[Slot(index)] * mMultiplier;
  }
  /// Stored value without the multiplier; the list-index error outside 0..count-1.
  double RawValueAt(int32_t index) const {
    if (index < 0 || index >= ValueCount()) RaiseIndexError(index);
    return mStore[Slot(index)];
  }
  /// ValueAt(count - 1); the list-index error (index -1) when empty.
  double LastValue() const { return ValueAt(ValueCount() - 1); }
  /// Stores the raw value, marks the statistics dirty and tells the owner's dependents.
  void SetValueAt(int32_t index, double value);

  /// Stores `value` where Order puts it (after equal values) and returns its index.
  /// Appending in order costs constant time. An out-of-order value in an ordered list is placed
  /// by a search outward from the previous insert, so a run of inserts moving forward through
  /// the list (a second sweep merged into the first) costs about constant time per value.
  int32_t AddInOrder(double value);
  /// Appends n values (value(k) for k = 0..n-1) at the end, as AddInOrder would when none of
  /// them precedes the one before it under Order; for values that do, the list is marked out of
  /// order. `inOrder` tells that the caller has already found that none does (no check then).
  /// The caller has checked that the list can hold them (capacity error otherwise).
  template <class ValueOf>
  void AppendValues(size_t n, const ValueOf& value, bool inOrder = false);
  /// AppendValues of the values of a contiguous array, copied as one block.
  void AppendRun(std::span<const double> values, bool inOrder = false);
  /// Room for n more values, so that appending them cannot fail halfway.
  void ReserveMore(size_t n) { mStore.reserve(mStore.size() + n); }
  /// Inserts at index 0..count, shifting later values up.
  void InsertAt(int32_t index, double value);
  /// Removes the value at index, shifting later values down.
  void RemoveAt(int32_t index);
  /// Removes every value.
  void RemoveAllValues();
  /// Moves the first value to the end (nothing when empty); statistics stay valid.
  void RotateFirstToLast();
  /// Exchanges two values (used when the owner exchanges points); statistics stay valid.
  void ExchangeValues(int32_t a, int32_t b);

  /// True when the values as read (Multiplier applied) ascend, NaN values last: Order is
  /// loAscending, the stored values are in order and Multiplier is positive and finite. Whether
  /// they are in order is kept through every change; when a change left it unknown (a new Order,
  /// an exchange) the values are checked once.
  bool AscendsAsRead() const;
  /// For a list that AscendsAsRead: the first index from `from` on whose ValueAt is not below
  /// `limit` (ValueCount() when there is none), by bisection.
  int32_t CountBelow(double limit, int32_t from) const;
  /// Smallest and largest stored value (without the multiplier) of indices from..to-1, NaN
  /// values skipped; `nan` tells whether one was seen. lo > hi when none is a number. Here
  /// and in RawBlockExtremes, LastOutside, RawRun and CopyValues, a range reaching outside
  /// 0..count throws the list-index error (Prefetch only clamps it).
  void RawExtremes(int32_t from, int32_t to, double& lo, double& hi, bool& nan) const;
  /// RawExtremes of each block of `block` values of from..to-1, walked back from to − 1: block q
  /// holds max(from, to − (q + 1) · block) .. to − q · block − 1, and lows and highs hold one
  /// entry a block. lows[q] > highs[q] when the block holds no number.
  void RawBlockExtremes(int32_t from, int32_t to, int32_t block, double* lows, double* highs) const;
  /// The highest index of from..to-1 whose ValueAt lies outside low..high or is NaN; from − 1
  /// when every one lies within.
  int32_t LastOutside(int32_t from, int32_t to, double low, double high) const;
  /// Asks the processor to bring values from..to-1 into its caches, the last first, ahead of a
  /// walk back over them that does much besides reading them. Changes nothing.
  void Prefetch(int32_t from, int32_t to) const;
  /// RawExtremes and LastOutside take four values to a register where the processor has AVX (on
  /// by default), else two; tests turn it off to check the narrower passes as well.
  static void SetWideScans(bool value);
  /// The stored values (without the multiplier) of indices from..to-1 as one contiguous array,
  /// or null when the storage's gap lies between them.
  const double* RawRun(int32_t from, int32_t to) const {
    RequireRange(from, to);
    if (mGapLength == 0 || to <= mGapStart || from >= mGapStart) return mStore.data() + Slot(from);
    return nullptr;
  }
  /// Writes ValueAt(k) for k = from..to-1 to out[0..to-from-1].
  void CopyValues(int32_t from, int32_t to, double* out) const;
  /// Lowest index whose ValueAt equals `value` exactly, or -1 (never matches NaN).
  int32_t FindValue(double value) const;
  /// SetValueAt(i, i) for every index.
  void FillIndexSequence();

  // ---- statistics (multiplied values, computed lazily) ----
  double MinimumValue() const;
  double MaximumValue() const;
  double TotalValue() const;
  double TotalAbsValue() const;
  /// For a list that AscendsAsRead: the smallest positive difference between neighbouring
  /// values as read, 0 when there is none (fewer than two numbers, all equal, or only infinite
  /// differences). NaN values, which stand last, take no part. Kept until the values or
  /// Multiplier change; meaningless for a list that does not ascend.
  double SmallestAscendingStep() const;
  /// True while the cached statistics are out of date.
  bool StatsDirty() const { return mStatsDirty; }
  /// Recomputes the cached statistics now.
  void UpdateStats() const;

  /// Sorts the owner's points by this list (stable; equal values keep their order) when Order
  /// is not loNone. Points move through the owner's ExchangePoints, so labels, colours and
  /// every other value list move with them. Without an owner only this list is sorted.
  void SortByOrder();

  /// Copies Order, DateTime, Multiplier and ValueSource; neither the values nor Name.
  void Assign(const TChartValueList& source);

  /// Largest number of values a list can hold (indices are 32-bit).
  static constexpr int32_t MaxValueCount = INT32_MAX;

private:
  friend class TChartSeries;

  [[noreturn]] static void RaiseIndexError(int32_t index);
  /// The list-index error for a non-empty range from..to-1 that reaches outside 0..count-1,
  /// naming its first index outside (a list shortened on its own must not be read past its end).
  void RequireRange(int32_t from, int32_t to) const {
    if (from >= to) return;
    if (from < 0) RaiseIndexError(from);
    if (to > ValueCount()) RaiseIndexError(std::max(from, ValueCount()));
  }
  void MarkChanged() {
    mStatsDirty = true;
    mStepDirty = true;
  }
  /// Storage slot of value `index` (the values after the gap sit mGapLength slots further on).
  size_t Slot(int32_t index) const {
    return static_cast<size_t>(index) + (index >= mGapStart ? mGapLength : 0);
  }
  double RawAt(int32_t index) const { return mStore[Slot(index)]; }
  /// Stores `value` at index 0..count, moving the gap there when it is not an append.
  void StoreAt(int32_t index, double value);
  /// StoreAt for the cases the inline part does not take.
  void StoreAtFar(int32_t index, double value);
  /// Removes the value at index by widening the gap over it.
  void EraseAt(int32_t index);
  /// Moves the gap so that it starts at index `to` (values between move across it).
  void MoveGap(int32_t to);
  /// Closes the gap: the values become contiguous in mStore.
  void CloseGap();
  /// Upper bound of `value` under Order, on values known to be in order, searched from the gap.
  int32_t UpperBound(double value) const;
  /// After n values were appended at the end: keeps mInOrder (unless the caller found them in
  /// order) and marks the statistics dirty.
  void AppendedValues(size_t n, bool inOrder);
  void CheckRoomForOneMore() const {
    if (ValueCount() >= MaxValueCount) RaiseCapacityError(ValueCount());
  }
  [[noreturn]] static void RaiseCapacityError(int32_t count);
  /// True when `a` must stand before `b` under Order (NaN after every number).
  bool Precedes(double a, double b) const {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return mOrder == loDescending ? a > b : a < b;
  }
  bool IsInOrder() const;
  /// Keeps mInOrder after a value was stored at `index` by a direct write.
  void UpdateInOrderAround(int32_t index);
  /// Where an ordered list puts a value that does not go at the end.
  int32_t InnerPosition(double value);
  void ReleaseStorage();

  bool mDateTime = false;
  // Raw values in a gap buffer: values 0..mGapStart-1, then mGapLength unused slots, then the
  // rest. Inserts and removals move the gap to their index, so a sweep of inserts moving
  // forward through the list (the animation folding its second half into the first) moves each
  // value once instead of shifting the whole tail per insert.
  std::vector<double> mStore;
  int32_t mGapStart = 0;  // never beyond the count, also while the gap is empty
  size_t mGapLength = 0;
  double mMultiplier = 1.0;
  std::string mName;
  TChartListOrder mOrder = loNone;
  TChartSeries* mOwner = nullptr;
  double mPendingValue = 0.0;
  std::string mValueSource;
  // Whether the raw values are known to follow Order; false also when unknown (rechecked
  // lazily by AddInOrder and AscendsAsRead).
  mutable bool mInOrder = true;

  mutable bool mStatsDirty = true;
  mutable double mCachedMin = 0.0;
  mutable double mCachedMax = 0.0;
  mutable double mCachedSum = 0.0;
  mutable double mCachedAbsSum = 0.0;
  // SmallestAscendingStep: the neighbours change where the other statistics do, and also when
  // values are exchanged or rotated.
  mutable bool mStepDirty = true;
  mutable double mCachedStep = 0.0;
};

// The per-point operations of a series fill, inline: an append, or an insert next to the gap.

inline void TChartValueList::StoreAt(int32_t index, double value) {
  if (mGapLength == 0) {
    if (index == ValueCount()) {
      mStore.push_back(value);
      return;
    }
  } else if (index >= mGapStart && index - mGapStart <= 2 && index < ValueCount() + 1) {
    // At most two values move from behind the gap to its front, then the value fills its
    // first slot (an insert at the count lands behind the last value, wherever the gap is).
    double* data = mStore.data();
    const size_t gap = mGapLength;
    size_t at = static_cast<size_t>(mGapStart);
    for (const size_t end = static_cast<size_t>(index); at < end; ++at) data[at] = data[at + gap];
    data[at] = value;
    mGapStart = index + 1;
    --mGapLength;
    return;
  }
  StoreAtFar(index, value);
}

inline int32_t TChartValueList::AddInOrder(double value) {
  CheckRoomForOneMore();
  const int32_t count = ValueCount();
  const int32_t index =
      mOrder != loNone && count > 0 && Precedes(value, RawAt(count - 1)) ? InnerPosition(value) : count;
  StoreAt(index, value);
  MarkChanged();
  return index;
}

template <class ValueOf>
void TChartValueList::AppendValues(size_t n, const ValueOf& value, bool inOrder) {
  if (n == 0) return;
  // Appended behind the storage's end: the gap, wherever it is, keeps its place. Each value is
  // written once (a resize would first fill the new slots with zeros).
  mStore.reserve(mStore.size() + n);
  for (size_t k = 0; k < n; ++k) mStore.push_back(value(k));
  AppendedValues(n, inOrder);
}

inline void TChartValueList::AppendRun(std::span<const double> values, bool inOrder) {
  if (values.empty()) return;
  mStore.insert(mStore.end(), values.begin(), values.end());
  AppendedValues(values.size(), inOrder);
}

inline void TChartValueList::AppendedValues(size_t n, bool inOrder) {
  if (!inOrder && mOrder != loNone && mInOrder) {
    const int32_t count = ValueCount();
    const int32_t first = count - static_cast<int32_t>(n);
    for (int32_t i = first > 0 ? first : 1; i < count && mInOrder; ++i)
      if (Precedes(RawAt(i), RawAt(i - 1))) mInOrder = false;
  }
  MarkChanged();
}

inline void TChartValueList::InsertAt(int32_t index, double value) {
  if (index < 0 || index > ValueCount()) RaiseIndexError(index);
  CheckRoomForOneMore();
  StoreAt(index, value);
  if (mInOrder && mOrder != loNone) UpdateInOrderAround(index);
  MarkChanged();
}

}  // namespace chart
