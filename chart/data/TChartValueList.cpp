#include "chart/data/TChartValueList.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "chart/data/ListIndexError.h"
#include "chart/data/TChartSeries.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ProcessorFeatures.h"

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
  mStore[Slot(index)] = value;
  UpdateInOrderAround(index);
  MarkChanged();
  if (mOwner) mOwner->NotifyDependents(seValueChanged, index);
}

bool TChartValueList::IsInOrder() const {
  if (mOrder == loNone) return true;
  const int32_t count = ValueCount();
  for (int32_t i = 1; i < count; ++i)
    if (Precedes(RawAt(i), RawAt(i - 1))) return false;
  return true;
}

void TChartValueList::UpdateInOrderAround(int32_t index) {
  if (!mInOrder || mOrder == loNone) return;
  if (index > 0 && Precedes(RawAt(index), RawAt(index - 1))) mInOrder = false;
  if (index + 1 < ValueCount() && Precedes(RawAt(index + 1), RawAt(index))) mInOrder = false;
}

void TChartValueList::RaiseCapacityError(int32_t count) {
  throw fw::Exception("List capacity out of bounds (" + std::to_string(count) + ")");
}

// ---- gap buffer ----

void TChartValueList::MoveGap(int32_t to) {
  if (mGapLength == 0 || to == mGapStart) {
    mGapStart = to;
    return;
  }
  double* data = mStore.data();
  const size_t gap = mGapLength;
  const size_t from = static_cast<size_t>(mGapStart);
  const size_t target = static_cast<size_t>(to);
  // A sweep of inserts moves the gap by a value or two: a plain loop is cheaper than a copy call.
  constexpr size_t ShortMove = 8;
  if (target < from) {
    // Values to..gapStart-1 move up behind the gap.
    if (from - target <= ShortMove) {
      for (size_t i = from; i-- > target;) data[i + gap] = data[i];
    } else {
      std::copy_backward(data + target, data + from, data + from + gap);
    }
  } else {
    // Values that follow the gap, up to index to-1, move down in front of it.
    if (target - from <= ShortMove) {
      for (size_t i = from; i < target; ++i) data[i] = data[i + gap];
    } else {
      std::copy(data + from + gap, data + target + gap, data + from);
    }
  }
  mGapStart = to;
}

void TChartValueList::CloseGap() {
  if (mGapLength == 0) return;
  mStore.erase(mStore.begin() + mGapStart, mStore.begin() + mGapStart + static_cast<std::ptrdiff_t>(mGapLength));
  mGapLength = 0;
  mGapStart = 0;
}

void TChartValueList::StoreAtFar(int32_t index, double value) {
  const int32_t count = ValueCount();
  // An append goes to the end of the storage unless the gap is there to take it.
  if (index == count && (mGapLength == 0 || mGapStart != count)) {
    mStore.push_back(value);
    return;
  }
  if (mGapLength == 0) {
    // A new gap, sized with the list so that its re-openings add up to linear time.
    const size_t gap = std::max<size_t>(16, static_cast<size_t>(count) / 2);
    mStore.insert(mStore.begin() + index, gap, 0.0);
    mGapStart = index;
    mGapLength = gap;
  } else {
    MoveGap(index);
  }
  mStore[static_cast<size_t>(mGapStart)] = value;
  ++mGapStart;
  --mGapLength;
}

void TChartValueList::EraseAt(int32_t index) {
  if (index == ValueCount() - 1 && (mGapLength == 0 || mGapStart <= index)) {
    mStore.pop_back();  // the last value sits at the end of the storage
    mGapStart = std::min(mGapStart, ValueCount());
    return;
  }
  MoveGap(index);
  ++mGapLength;
}

// Searches outward from the gap, where the previous insert or removal happened: a value that
// belongs next to it is found in a few comparisons, one far away in about twice the steps of a
// binary search.
int32_t TChartValueList::UpperBound(double value) const {
  const auto precedes = [this](double v, double stored) { return Precedes(v, stored); };
  const double* data = mStore.data();
  const double* after = data + mGapStart + mGapLength;  // values from index mGapStart on
  const int32_t afterCount = ValueCount() - mGapStart;
  if (afterCount > 0 && !Precedes(value, after[0])) {
    // The position lies after the gap: gallop forward from its far side.
    int32_t known = 0;  // after[known] does not follow value
    int32_t probe = 1;
    while (probe < afterCount && !Precedes(value, after[probe])) {
      known = probe;
      probe = probe < afterCount / 2 ? probe * 2 : afterCount;
    }
    const int32_t end = std::min(probe, afterCount);
    return mGapStart + static_cast<int32_t>(std::upper_bound(after + known + 1, after + end, value, precedes) - after);
  }
  // The position lies before the gap (or is the gap itself): gallop back from its near side.
  const int32_t before = mGapStart;
  if (before == 0 || !Precedes(value, data[before - 1])) return before;
  int32_t follows = before - 1;  // data[follows] follows value
  int32_t step = 1;
  int32_t probe = before - 1 - step;
  while (probe >= 0 && Precedes(value, data[probe])) {
    follows = probe;
    step = step < before / 2 ? step * 2 : before;
    probe = before - 1 - step;
  }
  const int32_t begin = std::max(probe + 1, 0);
  return static_cast<int32_t>(std::upper_bound(data + begin, data + follows, value, precedes) - data);
}

// The position after the last value that `value` does not precede, for a value that the last
// value follows: scanning back from the end while `value` precedes the stored value. On values
// known to be in order that is the upper bound, searched from the gap; otherwise the scan runs
// as stated.
int32_t TChartValueList::InnerPosition(double value) {
  if (!mInOrder) mInOrder = IsInOrder();
  if (mInOrder) return UpperBound(value);
  int32_t k = ValueCount() - 1;
  while (k >= 0 && Precedes(value, RawAt(k))) --k;
  return k + 1;
}

void TChartValueList::RemoveAt(int32_t index) {
  if (index < 0 || index >= ValueCount()) RaiseIndexError(index);
  EraseAt(index);
  MarkChanged();
}

void TChartValueList::ReleaseStorage() {
  if (mStore.capacity() > KeptCapacity)
    std::vector<double>().swap(mStore);
  else
    mStore.clear();
  mGapStart = 0;
  mGapLength = 0;
}

void TChartValueList::RemoveAllValues() {
  ReleaseStorage();
  mInOrder = true;
  MarkChanged();
}

void TChartValueList::RotateFirstToLast() {
  if (ValueCount() < 2) return;
  CloseGap();
  std::rotate(mStore.begin(), mStore.begin() + 1, mStore.end());
  if (mOrder != loNone) mInOrder = false;
  mStepDirty = true;
}

void TChartValueList::ExchangeValues(int32_t a, int32_t b) {
  if (a < 0 || a >= ValueCount()) RaiseIndexError(a);
  if (b < 0 || b >= ValueCount()) RaiseIndexError(b);
  if (a == b) return;
  std::swap(mStore[Slot(a)], mStore[Slot(b)]);
  if (mOrder != loNone) mInOrder = false;
  mStepDirty = true;
}

bool TChartValueList::AscendsAsRead() const {
  if (mOrder != loAscending || !(mMultiplier > 0 && mMultiplier <= std::numeric_limits<double>::max())) return false;
  if (!mInOrder) mInOrder = IsInOrder();
  return mInOrder;
}

int32_t TChartValueList::CountBelow(double limit, int32_t from) const {
  int32_t lo = std::max(from, 0), hi = ValueCount();
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (RawAt(mid) * mMultiplier < limit)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

namespace {

bool gWideScans = true;

// The passes over stored values come in two widths where the processor has AVX: four values to
// a register, or two as SSE2 has them. Both give the same results to the bit. Short runs take the
// wide pass too: on the machine measured, a frame of 14-value columns drew some 15 % faster so.
bool Wide() { return fw::ProcessorHasAvx && gWideScans; }

#if defined(__x86_64__) && defined(__GNUC__)
/// The four accumulators of Extremes over v[0..n/4*4-1] in one register, lane a taking v[k + a]
/// as the two pairs of SSE2 lanes do: the same values in the same order, so the same bits.
/// Returns how many values were taken.
[[gnu::target("avx")]] size_t ExtremesAvx(const double* v, size_t n, double* l, double* h, bool& nan) {
  __m256d low = _mm256_loadu_pd(l), high = _mm256_loadu_pd(h), seen = _mm256_setzero_pd();
  size_t k = 0;
  for (; k + 4 <= n; k += 4) {
    const __m256d x = _mm256_loadu_pd(v + k);
    low = _mm256_min_pd(x, low);
    high = _mm256_max_pd(x, high);
    seen = _mm256_or_pd(seen, _mm256_cmp_pd(x, x, _CMP_UNORD_Q));
  }
  _mm256_storeu_pd(l, low);
  _mm256_storeu_pd(h, high);
  nan = _mm256_movemask_pd(seen) != 0;
  return k;
}
#endif

/// Extremes of a contiguous run of values; NaN never wins a comparison. Four independent
/// accumulators, merged at the end: the smallest and largest number do not depend on the order
/// in which the values are compared.
void Extremes(const double* v, size_t n, double& lo, double& hi, bool& nan) {
  double l[4] = {lo, lo, lo, lo}, h[4] = {hi, hi, hi, hi};
  bool seen[4] = {nan, false, false, false};
  size_t k = 0;
#if defined(__x86_64__) && defined(__GNUC__)
  if (n >= 4 && Wide()) k = ExtremesAvx(v, n, l, h, seen[1]);
#endif
#if defined(__SSE2__)
  // The four accumulators as two pairs of lanes, each lane taking the values the scalar loop
  // gives it: MINPD(x, l) is x < l ? x : l and MAXPD(x, h) is x > h ? x : h, NaN and signed
  // zeros included, so the result is the same to the bit.
  if (n >= 4 && k == 0) {
    __m128d low0 = _mm_set1_pd(lo), low1 = low0, high0 = _mm_set1_pd(hi), high1 = high0;
    __m128d nan0 = _mm_setzero_pd(), nan1 = nan0;
    for (; k + 4 <= n; k += 4) {
      const __m128d x0 = _mm_loadu_pd(v + k), x1 = _mm_loadu_pd(v + k + 2);
      low0 = _mm_min_pd(x0, low0);
      low1 = _mm_min_pd(x1, low1);
      high0 = _mm_max_pd(x0, high0);
      high1 = _mm_max_pd(x1, high1);
      nan0 = _mm_or_pd(nan0, _mm_cmpunord_pd(x0, x0));
      nan1 = _mm_or_pd(nan1, _mm_cmpunord_pd(x1, x1));
    }
    _mm_storeu_pd(l, low0);
    _mm_storeu_pd(l + 2, low1);
    _mm_storeu_pd(h, high0);
    _mm_storeu_pd(h + 2, high1);
    seen[1] = _mm_movemask_pd(_mm_or_pd(nan0, nan1)) != 0;
  }
#else
  for (; k + 4 <= n; k += 4) {
    for (size_t a = 0; a < 4; ++a) {
      const double x = v[k + a];
      l[a] = x < l[a] ? x : l[a];
      h[a] = x > h[a] ? x : h[a];
      seen[a] |= x != x;
    }
  }
#endif
  for (; k < n; ++k) {
    const double x = v[k];
    l[0] = x < l[0] ? x : l[0];
    h[0] = x > h[0] ? x : h[0];
    seen[0] |= x != x;
  }
  for (size_t a = 1; a < 4; ++a) {
    l[0] = l[a] < l[0] ? l[a] : l[0];
    h[0] = h[a] > h[0] ? h[a] : h[0];
    seen[0] |= seen[a];
  }
  lo = l[0];
  hi = h[0];
  nan = seen[0];
}

/// The smallest and largest number of v[0..n-1], lo > hi when there is none: Extremes without
/// its count of NaN and from infinite starting values, for short runs.
void BlockExtremes(const double* v, size_t n, double& lo, double& hi) {
  const double inf = std::numeric_limits<double>::infinity();
  size_t k = 0;
#if defined(__SSE2__)
  __m128d low0 = _mm_set1_pd(inf), low1 = low0, high0 = _mm_set1_pd(-inf), high1 = high0;
  for (; k + 4 <= n; k += 4) {
    const __m128d x0 = _mm_loadu_pd(v + k), x1 = _mm_loadu_pd(v + k + 2);
    low0 = _mm_min_pd(x0, low0);  // x < l ? x : l: NaN never wins
    low1 = _mm_min_pd(x1, low1);
    high0 = _mm_max_pd(x0, high0);
    high1 = _mm_max_pd(x1, high1);
  }
  low0 = _mm_min_pd(low1, low0);
  high0 = _mm_max_pd(high1, high0);
  double l = _mm_cvtsd_f64(_mm_min_sd(_mm_unpackhi_pd(low0, low0), low0));
  double h = _mm_cvtsd_f64(_mm_max_sd(_mm_unpackhi_pd(high0, high0), high0));
#else
  double l = inf, h = -inf;
#endif
  for (; k < n; ++k) {
    l = v[k] < l ? v[k] : l;
    h = v[k] > h ? v[k] : h;
  }
  lo = l;
  hi = h;
}

#if defined(__x86_64__) && defined(__GNUC__)
/// How far back from n LastOutside's blocks of four all lie within, four to a register.
[[gnu::target("avx")]] size_t WithinBackAvx(const double* v, size_t n, double m, double low, double high) {
  const __m256d factor = _mm256_set1_pd(m), least = _mm256_set1_pd(low), most = _mm256_set1_pd(high);
  size_t k = n;
  for (; k >= 4; k -= 4) {
    const __m256d x = _mm256_mul_pd(_mm256_loadu_pd(v + k - 4), factor);
    // Ordered comparisons: NaN lies within nothing.
    const __m256d in = _mm256_and_pd(_mm256_cmp_pd(x, least, _CMP_GE_OQ), _mm256_cmp_pd(x, most, _CMP_LE_OQ));
    if (_mm256_movemask_pd(in) != 15) break;
  }
  return k;
}
#endif

/// The last k below n whose v[k] * m lies outside low..high or is NaN, or -1 when there is none.
/// Walked back four values at a time while all four lie within, then one by one.
ptrdiff_t LastOutside(const double* v, size_t n, double m, double low, double high) {
  size_t k = n;
  const bool wide = Wide();
#if defined(__x86_64__) && defined(__GNUC__)
  if (wide) k = WithinBackAvx(v, n, m, low, high);
#endif
#if defined(__SSE2__)
  const __m128d factor = _mm_set1_pd(m), least = _mm_set1_pd(low), most = _mm_set1_pd(high);
  for (; k >= 4 && !wide; k -= 4) {
    const __m128d x0 = _mm_mul_pd(_mm_loadu_pd(v + k - 4), factor);
    const __m128d x1 = _mm_mul_pd(_mm_loadu_pd(v + k - 2), factor);
    // Ordered comparisons: NaN lies within nothing.
    const __m128d in0 = _mm_and_pd(_mm_cmpge_pd(x0, least), _mm_cmple_pd(x0, most));
    const __m128d in1 = _mm_and_pd(_mm_cmpge_pd(x1, least), _mm_cmple_pd(x1, most));
    if (_mm_movemask_pd(_mm_and_pd(in0, in1)) != 3) break;
  }
#endif
  while (k-- > 0) {
    const double x = v[k] * m;
    if (!(x >= low && x <= high)) return static_cast<ptrdiff_t>(k);
  }
  return -1;
}

/// The smallest positive difference v[k] * m - v[k - 1] * m for k = 1..n-1 when it is below
/// `least`, else `least`. A NaN difference fails the comparison with 0; an infinite one loses to
/// every finite one, and is what is left (for the caller to drop) when there is none.
double LeastStep(const double* v, size_t n, double m, double least) {
  constexpr double Inf = std::numeric_limits<double>::infinity();
  double steps[4] = {least, Inf, Inf, Inf};
  size_t i = 1;
#if defined(__SSE2__)
  {
    const __m128d multiplier = _mm_set1_pd(m), zero = _mm_setzero_pd(), none = _mm_set1_pd(Inf);
    __m128d low0 = none, low1 = none;
    const auto step = [&](size_t k) {
      const __m128d d = _mm_sub_pd(_mm_mul_pd(_mm_loadu_pd(v + k), multiplier),
                                   _mm_mul_pd(_mm_loadu_pd(v + k - 1), multiplier));
      const __m128d positive = _mm_cmpgt_pd(d, zero);
      return _mm_or_pd(_mm_and_pd(positive, d), _mm_andnot_pd(positive, none));
    };
    for (; i + 3 < n; i += 4) {
      low0 = _mm_min_pd(low0, step(i));
      low1 = _mm_min_pd(low1, step(i + 2));
    }
    double lanes[4];
    _mm_storeu_pd(lanes, low0);
    _mm_storeu_pd(lanes + 2, low1);
    for (size_t u = 0; u < 4; ++u) steps[u] = std::min(steps[u], lanes[u]);
  }
#else
  for (; i + 3 < n; i += 4)
    for (size_t u = 0; u < 4; ++u) {
      const double d = v[i + u] * m - v[i + u - 1] * m;
      steps[u] = std::min(steps[u], d > 0 ? d : Inf);
    }
#endif
  for (; i < n; ++i) {
    const double d = v[i] * m - v[i - 1] * m;
    steps[0] = d > 0 && d < steps[0] ? d : steps[0];
  }
  return std::min(std::min(steps[0], steps[1]), std::min(steps[2], steps[3]));
}

}  // namespace

double TChartValueList::SmallestAscendingStep() const {
  if (!mStepDirty) return mCachedStep;
  constexpr double Inf = std::numeric_limits<double>::infinity();
  const double* data = mStore.data();
  const int32_t count = ValueCount();
  // The values before the gap, the pair across it, then the values after it.
  double least = Inf;
  if (mGapStart > 1) least = LeastStep(data, static_cast<size_t>(mGapStart), mMultiplier, least);
  if (mGapStart > 0 && mGapStart < count) {
    const double d = RawAt(mGapStart) * mMultiplier - RawAt(mGapStart - 1) * mMultiplier;
    if (d > 0 && d < least) least = d;
  }
  if (count - mGapStart > 1)
    least = LeastStep(data + Slot(mGapStart), static_cast<size_t>(count - mGapStart), mMultiplier, least);
  mCachedStep = least < Inf ? least : 0.0;
  mStepDirty = false;
  return mCachedStep;
}

void TChartValueList::SetWideScans(bool value) { gWideScans = value; }

void TChartValueList::RawExtremes(int32_t from, int32_t to, double& lo, double& hi, bool& nan) const {
  RequireRange(from, to);
  // Infinite starting values: an infinite stored value still wins (or ties), and without any
  // number lo stays above hi.
  lo = std::numeric_limits<double>::infinity();
  hi = -std::numeric_limits<double>::infinity();
  nan = false;
  const double* data = mStore.data();
  // Values before the gap, then those after it.
  const int32_t split = std::min(to, mGapStart);
  if (split > from) Extremes(data + from, static_cast<size_t>(split - from), lo, hi, nan);
  const int32_t begin = std::max(from, mGapStart);
  if (to > begin) Extremes(data + Slot(begin), static_cast<size_t>(to - begin), lo, hi, nan);
}

void TChartValueList::CopyValues(int32_t from, int32_t to, double* out) const {
  RequireRange(from, to);
  const double* data = mStore.data();
  const double multiplier = mMultiplier;
  const auto copy = [&](const double* run, int32_t count) {
    for (int32_t k = 0; k < count; ++k) out[k] = run[k] * multiplier;
    out += count;
  };
  // Values before the gap, then those after it.
  const int32_t split = std::min(to, mGapStart);
  if (split > from) copy(data + from, split - from);
  const int32_t begin = std::max(from, mGapStart);
  if (to > begin) copy(data + Slot(begin), to - begin);
}

void TChartValueList::Prefetch(int32_t from, int32_t to) const {
  from = std::max(from, 0);
  to = std::min(to, ValueCount());
  const double* data = mStore.data();
  // A line of 64 bytes (eight values) at a time, walked back; each part of the store on its own.
  const auto lines = [](const double* run, ptrdiff_t count) {
    constexpr ptrdiff_t Line = 8;
    for (ptrdiff_t k = count - 1; k >= 0; k -= Line) __builtin_prefetch(run + k);
    __builtin_prefetch(run);
  };
  const int32_t begin = std::max(from, mGapStart);
  if (to > begin) lines(data + Slot(begin), to - begin);
  const int32_t split = std::min(to, mGapStart);
  if (split > from) lines(data + from, split - from);
}

void TChartValueList::RawBlockExtremes(int32_t from, int32_t to, int32_t block, double* lows, double* highs) const {
  RequireRange(from, to);
  if (block <= 0) return;
  for (size_t q = 0; to > from; ++q, to -= block) {
    const int32_t begin = to - from > block ? to - block : from;
    // A block across the store's gap, in its two parts.
    if (const double* run = RawRun(begin, to)) {
      BlockExtremes(run, static_cast<size_t>(to - begin), lows[q], highs[q]);
    } else {
      bool nan;
      RawExtremes(begin, to, lows[q], highs[q], nan);
    }
  }
}

int32_t TChartValueList::LastOutside(int32_t from, int32_t to, double low, double high) const {
  RequireRange(from, to);
  const double* data = mStore.data();
  // Values after the gap, then those before it.
  const int32_t begin = std::max(from, mGapStart);
  if (to > begin) {
    const ptrdiff_t k = chart::LastOutside(data + Slot(begin), static_cast<size_t>(to - begin), mMultiplier, low, high);
    if (k >= 0) return begin + static_cast<int32_t>(k);
  }
  const int32_t split = std::min(to, mGapStart);
  if (split > from) {
    const ptrdiff_t k = chart::LastOutside(data + from, static_cast<size_t>(split - from), mMultiplier, low, high);
    if (k >= 0) return from + static_cast<int32_t>(k);
  }
  return from - 1;
}

int32_t TChartValueList::FindValue(double value) const {
  const int32_t count = ValueCount();
  for (int32_t i = 0; i < count; ++i)
    if (RawAt(i) * mMultiplier == value) return i;
  return -1;
}

void TChartValueList::FillIndexSequence() {
  for (int32_t i = 0; i < ValueCount(); ++i) SetValueAt(i, static_cast<double>(i));
}

void TChartValueList::UpdateStats() const {
  bool any = false;
  double mn = 0, mx = 0, sum = 0, absSum = 0;
  const auto each = [&](double raw) {
    const double v = raw * mMultiplier;
    if (std::isnan(v)) return;
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
  };
  // In index order: the part before the gap, then the part after it.
  const double* data = mStore.data();
  std::for_each(data, data + mGapStart, each);
  std::for_each(data + mGapStart + mGapLength, data + mStore.size(), each);
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
  if (mOrder == loNone || ValueCount() < 2) return;
  CloseGap();
  const size_t n = mStore.size();
  // Compare on the multiplied values, as they are read; NaN after every number.
  std::vector<double> keys(n);
  for (size_t i = 0; i < n; ++i) keys[i] = mStore[i] * mMultiplier;
  std::vector<int32_t> order(n);  // order[k] = index of the point that must end at k
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return Precedes(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]); });

  // Apply the permutation by exchanges, following each cycle: `at[p]` is the current index of
  // original point p, `who[k]` the original point currently at index k.
  std::vector<int32_t> at(n), who(n);
  bool moved = false;
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
    moved = true;
  }
  mInOrder = IsInOrder();
  // Points that moved are a change of the series for those that take their data from it.
  if (moved && mOwner) mOwner->NotifyDependents(seModified, -1);
}

void TChartValueList::Assign(const TChartValueList& source) {
  if (&source == this) return;
  SetOrder(source.mOrder);
  SetDateTime(source.mDateTime);
  SetMultiplier(source.mMultiplier);
  SetValueSource(source.mValueSource);
}

}  // namespace chart
