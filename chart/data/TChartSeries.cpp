#include "chart/data/TChartSeries.h"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <cctype>

#include "chart/ChartConst.h"
#include "chart/axes/TAxisScale.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/ChartException.h"
#include "chart/data/ListIndexError.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/functions/FunctionTypes.h"
#include "chart/functions/TChartFunction.h"
#include "chart/panel/ChartPalette.h"
#include "framework/graphics/TBrush.h"

namespace chart {

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::string FormatWithName(const char* format, const std::string& name) {
  std::string text = format;
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

}  // namespace

TChartSeries::TChartSeries(fw::TComponent* owner)
    : fw::TComponent(owner),
      mPercentFormat(ChartConst::DefaultPercentFormat),
      mValueFormat(ChartConst::DefaultValueFormat) {
  mXValues = std::make_unique<TChartValueList>(this, ChartConst::ValueListNameX);
  mXValues->SetOrder(loAscending);
  mYValues = std::make_unique<TChartValueList>(this, ChartConst::ValueListNameY);
  mMarks = std::make_unique<TSeriesMarks>(*this);
}

TChartSeries::~TChartSeries() {
  SetDestroying();
  if (mFunction) mFunction->SetParentSeries(nullptr);
  mFunction.reset();
  DetachAllLinks();
  // Empties every list and raises OnClearValues, as a removal of all points does.
  TChartSeries::RemoveAllPoints();
  // Leaves the chart while the lists still exist; they are freed with the members.
  SetParentChart(nullptr);
}

// ---------------------------------------------------------------- value lists

void TChartSeries::RegisterValueList(TChartValueList* list) { mValueLists.push_back(list); }

void TChartSeries::UnregisterValueList(TChartValueList* list) {
  mValueLists.erase(std::remove(mValueLists.begin(), mValueLists.end(), list), mValueLists.end());
}

TChartValueList& TChartSeries::ValueList(int32_t index) const {
  if (index < 0 || index >= ValueListCount()) RaiseListIndexError(index);
  return *mValueLists[static_cast<size_t>(index)];
}

TChartValueList& TChartSeries::ValueListByName(const std::string& name) {
  for (size_t i = 2; i < mValueLists.size(); ++i)
    if (SameText(mValueLists[i]->Name(), name)) return *mValueLists[i];
  return *mYValues;
}

void TChartSeries::CheckPointIndex(int32_t index) const {
  if (index < 0 || index >= PointCount()) RaiseListIndexError(index);
}

// ---------------------------------------------------------------- adding and removing

// Hot: called once per point of a fill; the compiler then keeps the two appends inline.
[[gnu::hot]] int32_t TChartSeries::AppendPoint(double x, double y, const std::string& label, fw::TColor color) {
  TChartValueList& xs = *mXValues;
  TChartValueList& ys = *mYValues;
  xs.SetPendingValue(x);
  ys.SetPendingValue(y);
  // The usual fill, kept short: a plain point (no colour of its own, no label, none stored
  // before) going to the end of both lists without growing them, with no handler to call.
  // Everything else takes StorePoint.
  std::vector<double>& xStore = xs.mStore;
  std::vector<double>& yStore = ys.mStore;
  const size_t count = xStore.size();
  if (count < xStore.capacity() && count < yStore.capacity() && yStore.size() == count && xs.mGapLength == 0 &&
      ys.mGapLength == 0 && color == fw::clDefault && label.empty() && mColors.empty() && mLabels.size() <= count &&
      !mOwnAddedPoint && !OnBeforeAdd && !OnAfterAdd && mDependents.empty() &&
      (xs.mOrder == loNone || count == 0 || !xs.Precedes(x, xStore.back())) && !(ys.mInOrder && ys.mOrder != loNone))
      [[likely]] {
    xStore.push_back(x);  // within capacity: no allocation
    yStore.push_back(y);
    xs.MarkChanged();
    ys.MarkChanged();
    mDefaultColorCount = std::max(mDefaultColorCount, count) + 1;
    if (mActive) RequestRepaint();
    return static_cast<int32_t>(count);
  }
  return StorePoint(color, label);
}

int32_t TChartSeries::StorePoint(fw::TColor color, const std::string& label) {
  TChartValueList& xs = *mXValues;
  TChartValueList& ys = *mYValues;
  const double x = xs.PendingValue(), y = ys.PendingValue();
  if (!OnBeforeAdd && xs.mGapLength == 0 && ys.mGapLength == 0) {
    // Both lists contiguous and the point going to the end: AddInOrder, then InsertAt at the
    // count, without the searches they may need.
    const size_t count = xs.mStore.size();
    if (count < static_cast<size_t>(TChartValueList::MaxValueCount) && ys.mStore.size() == count &&
        (xs.mOrder == loNone || count == 0 || !xs.Precedes(x, xs.mStore.back()))) {
      xs.mStore.push_back(x);
      ys.mStore.push_back(y);
      xs.MarkChanged();
      ys.MarkChanged();
      const auto index = static_cast<int32_t>(count);
      if (ys.mInOrder && ys.mOrder != loNone) ys.UpdateInOrderAround(index);
      InsertColorAndLabel(index, color, label);
      AddedPoint(index);
      return index;
    }
  }
  if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
  const int32_t index = xs.AddInOrder(xs.PendingValue());
  ys.InsertAt(index, ys.PendingValue());
  InsertColorAndLabel(index, color, label);
  AddedPoint(index);
  return index;
}

namespace {

/// The values of an array, read by index; appended to a value list as one block.
struct TArrayValues {
  std::span<const double> Values;
  double operator()(size_t k) const { return Values[k]; }
};

template <class ValueOf>
void AppendAll(TChartValueList& list, size_t count, const ValueOf& value, bool inOrder) {
  if constexpr (std::is_same_v<ValueOf, TArrayValues>)
    list.AppendRun(value.Values.first(count), inOrder);
  else
    list.AppendValues(count, value, inOrder);
}

}  // namespace

template <class XOf, class YOf>
int32_t TChartSeries::AppendPointsFrom(size_t count, const XOf& xOf, const YOf& yOf) {
  const int32_t before = PointCount();
  if (count > static_cast<size_t>(TChartValueList::MaxValueCount - before))
    TChartValueList::RaiseCapacityError(before);
  if (count == 0) return 0;
  TChartValueList& xs = *mXValues;
  TChartValueList& ys = *mYValues;
  // Every point goes to the end when none precedes the one before it (under the X Order).
  bool appends = !OnBeforeAdd && !OnAfterAdd && !HandlesEachAddedPoint();
  const bool checkOrder = xs.Order() != loNone;
  if (appends && checkOrder) {
    double previous = before > 0 ? xs.RawAt(before - 1) : xOf(0);
    for (size_t k = 0; k < count && appends; ++k) {
      const double x = xOf(k);
      appends = !xs.Precedes(x, previous);
      previous = x;
    }
  }
  if (appends) {
    xs.ReserveMore(count);
    ys.ReserveMore(count);
    AppendAll(xs, count, xOf, checkOrder);
    AppendAll(ys, count, yOf, false);
    if (mColors.empty() && mLabels.size() <= static_cast<size_t>(before)) {
      mDefaultColorCount = std::max(mDefaultColorCount, static_cast<size_t>(before)) + count;
    } else {
      for (size_t k = 0; k < count; ++k)
        InsertColorAndLabel(before + static_cast<int32_t>(k), fw::clDefault, std::string());
    }
    AddedPoints(static_cast<int32_t>(count));
    return static_cast<int32_t>(count);
  }
  int32_t added = 0;
  const std::string noLabel;
  for (size_t k = 0; k < count; ++k) {
    xs.SetPendingValue(xOf(k));
    ys.SetPendingValue(yOf(k));
    if (OnBeforeAdd && !OnBeforeAdd(this)) continue;
    const int32_t index = xs.AddInOrder(xs.PendingValue());
    ys.InsertAt(index, ys.PendingValue());
    InsertColorAndLabel(index, fw::clDefault, noLabel);
    ++added;
    AddedPointOfMany(index);
  }
  if (added > 0) AddedPoints(added);
  return added;
}

int32_t TChartSeries::AppendPoints(std::span<const double> x, std::span<const double> y) {
  if (x.size() != y.size()) throw ChartException(ChartConst::PointArraysDiffer);
  return AppendPointsFrom(x.size(), TArrayValues{x}, TArrayValues{y});
}

int32_t TChartSeries::AppendPoints(std::span<const double> values) {
  const double base = static_cast<double>(PointCount());
  const TArrayValues value{values};
  const auto index = [base](size_t k) { return base + static_cast<double>(k); };
  if (YMandatory()) return AppendPointsFrom(values.size(), index, value);
  return AppendPointsFrom(values.size(), value, index);
}

int32_t TChartSeries::AddMandatoryValue(double value, const std::string& label, fw::TColor color) {
  const double other = static_cast<double>(PointCount());
  if (YMandatory()) return AppendPoint(other, value, label, color);
  return AppendPoint(value, other, label, color);
}

int32_t TChartSeries::AddNullPoint(const std::string& label) { return AddMandatoryValue(0, label, fw::clNone); }

int32_t TChartSeries::AppendNullPoint(double x, double y, const std::string& label) {
  return AppendPoint(x, y, label, fw::clNone);
}

void TChartSeries::MaterializeColors() {
  if (!mColors.empty() || mDefaultColorCount == 0) return;
  mColors.assign(mDefaultColorCount, fw::clDefault);
  mDefaultColorCount = 0;
}

void TChartSeries::InsertOwnColorOrLabel(int32_t index, fw::TColor color, const std::string& label) {
  // Lists filled behind the series' back may be shorter than the value lists: pad them so the
  // new point's colour and label land at its index.
  const size_t at = static_cast<size_t>(index);
  if (color == fw::clDefault && mColors.empty()) {
    mDefaultColorCount = std::max(mDefaultColorCount, at) + 1;
  } else {
    MaterializeColors();
    if (mColors.size() < at) mColors.resize(at, fw::clDefault);
    mColors.insert(mColors.begin() + index, color);
  }
  // Labels are stored up to the last point that has one: an empty label past that needs no
  // entry (reading beyond the list gives the empty text), so unlabelled series keep none.
  if (label.empty() && mLabels.size() <= at) return;
  if (mLabels.size() < at) mLabels.resize(at);
  mLabels.insert(mLabels.begin() + index, label);
}

void TChartSeries::InsertFurtherPendingValues(int32_t index) {
  for (size_t i = 2; i < mValueLists.size(); ++i) mValueLists[i]->InsertAt(index, mValueLists[i]->PendingValue());
}

void TChartSeries::AddedPoint(int32_t index) {
  if (OnAfterAdd) OnAfterAdd(this, index);
  if (!mDependents.empty()) NotifyDependents(seAdd, index);
  if (mActive) RequestRepaint();
}

void TChartSeries::AddedPointOfMany(int32_t index) {
  if (OnAfterAdd) OnAfterAdd(this, index);
}

void TChartSeries::AddedPoints(int32_t) {
  if (!mDependents.empty()) NotifyDependents(seAddMany, -1);
  if (mActive) RequestRepaint();
}

void TChartSeries::ClearLists() {
  for (TChartValueList* list : mValueLists) list->RemoveAllValues();
  // The colour list keeps a moderate capacity for the next fill, like the value lists.
  if (mColors.capacity() > (size_t{1} << 20))
    std::vector<fw::TColor>().swap(mColors);
  else
    mColors.clear();
  mDefaultColorCount = 0;
  std::vector<std::string>().swap(mLabels);
  if (mMarks) mMarks->ClearMarkPositions();
}

void TChartSeries::RemoveAllPoints() {
  ClearLists();
  if (OnClearValues) OnClearValues(this);
  NotifyDependents(seClear, -1);
  if (mActive && mParentChart && !mParentChart->ChartDestroying()) RequestRepaint();
}

void TChartSeries::DeletePoint(int32_t index) {
  CheckPointIndex(index);
  for (TChartValueList* list : mValueLists)
    if (index < list->ValueCount()) list->RemoveAt(index);
  if (static_cast<size_t>(index) < ColorCount()) {
    if (mColors.empty())
      --mDefaultColorCount;
    else
      mColors.erase(mColors.begin() + index);
  }
  if (static_cast<size_t>(index) < mLabels.size()) mLabels.erase(mLabels.begin() + index);
  mMarks->DeleteMarkPosition(index);
  NotifyDependents(seDelete, index);
  if (mActive) RequestRepaint();
}

void TChartSeries::ExchangePoints(int32_t i, int32_t j) {
  CheckPointIndex(i);
  CheckPointIndex(j);
  if (i == j) return;
  for (TChartValueList* list : mValueLists)
    if (i < list->ValueCount() && j < list->ValueCount()) list->ExchangeValues(i, j);
  const size_t a = static_cast<size_t>(i), b = static_cast<size_t>(j);
  const size_t needed = std::max(a, b) + 1;
  if (ColorCount() > std::min(a, b)) {
    if (mColors.empty()) {
      mDefaultColorCount = std::max(mDefaultColorCount, needed);  // two clDefault entries swap
    } else {
      if (mColors.size() < needed) mColors.resize(needed, fw::clDefault);
      std::swap(mColors[a], mColors[b]);
    }
  }
  if (mLabels.size() > std::min(a, b)) {
    if (mLabels.size() < needed) mLabels.resize(needed);
    std::swap(mLabels[a], mLabels[b]);
  }
}

// ---------------------------------------------------------------- reading points

fw::TColor TChartSeries::ColorOfPoint(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= ColorCount()) return mSeriesColor;
  const fw::TColor stored = mColors.empty() ? fw::clDefault : mColors[static_cast<size_t>(index)];
  if (stored != fw::clDefault) return stored;
  if (mColorEachPoint) return PaletteColor(index);
  return mSeriesColor;
}

void TChartSeries::SetColorOfPoint(int32_t index, fw::TColor color) {
  CheckPointIndex(index);
  const size_t at = static_cast<size_t>(index);
  if (color == fw::clDefault && mColors.empty()) {
    mDefaultColorCount = std::max(mDefaultColorCount, at + 1);
  } else {
    MaterializeColors();
    if (mColors.size() <= at) mColors.resize(at + 1, fw::clDefault);
    mColors[at] = color;
  }
  RequestRepaint();
  // Copies of this series take their colours from it.
  if (!mDependents.empty()) NotifyDependents(seValueChanged, index);
}

std::string TChartSeries::LabelOfPoint(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= mLabels.size()) return {};
  return mLabels[static_cast<size_t>(index)];
}

void TChartSeries::SetLabelOfPoint(int32_t index, const std::string& label) {
  CheckPointIndex(index);
  if (mLabels.size() <= static_cast<size_t>(index)) mLabels.resize(static_cast<size_t>(index) + 1);
  mLabels[static_cast<size_t>(index)] = label;
  RequestRepaint();
  if (!mDependents.empty()) NotifyDependents(seValueChanged, index);
}

bool TChartSeries::IsNullPoint(int32_t index) const { return StoredColorOf(index) == fw::clNone; }

bool TChartSeries::HasLabels() const {
  return std::any_of(mLabels.begin(), mLabels.end(), [](const std::string& s) { return !s.empty(); });
}

// ---------------------------------------------------------------- coordinates

int32_t TChartSeries::XPixel(int32_t index) const { return XPixelOfValue(XValueOf(index)); }

int32_t TChartSeries::YPixel(int32_t index) const { return YPixelOfValue(YValueOf(index)); }

int32_t TChartSeries::XPixelOfValue(double value) const {
  return mHorizScale ? mHorizScale->ValueToPixel(value) : 0;
}

int32_t TChartSeries::YPixelOfValue(double value) const {
  return mVertScale ? mVertScale->ValueToPixel(value) : 0;
}

void TChartSeries::RowExtremes(int32_t from, int32_t to, int32_t& top, int32_t& bottom) const {
  const TAxisScale* scale = VertScale();
  const double multiplier = YValues().Multiplier();
  double lo, hi;
  bool nan;
  YValues().RawExtremes(from, to, lo, hi, nan);
  if (lo <= hi && scale->MapsMonotonically(lo * multiplier) && scale->MapsMonotonically(hi * multiplier)) {
    // Monotone between the extremes: their pixels bound every other point's.
    const int32_t a = YPixelOfValue(lo * multiplier), b = YPixelOfValue(hi * multiplier);
    top = std::min(a, b);
    bottom = std::max(a, b);
    if (nan) {
      const int32_t c = YPixelOfValue(std::numeric_limits<double>::quiet_NaN());
      top = std::min(top, c);
      bottom = std::max(bottom, c);
    }
    return;
  }
  top = INT32_MAX;
  bottom = INT32_MIN;
  for (int32_t k = from; k < to; ++k) {
    const int32_t y = YPixelOfValue(YValueOf(k));
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
}

double TChartSeries::XValueOfPixel(int32_t pixel) const {
  return mHorizScale ? mHorizScale->PixelToValue(pixel) : 0.0;
}

double TChartSeries::YValueOfPixel(int32_t pixel) const {
  return mVertScale ? mVertScale->PixelToValue(pixel) : 0.0;
}

// ---------------------------------------------------------------- chart and axes

void TChartSeries::SetParentChart(TSeriesHost* chart) {
  if (chart == mParentChart || mChangingParent) return;
  mChangingParent = true;
  TSeriesHost* old = mParentChart;
  mParentChart = chart;
  try {
    if (old) old->RemoveSeriesFromChart(this);
    ResolveAxes();
    if (chart) chart->AddSeriesToChart(this);
  } catch (...) {
    mChangingParent = false;
    throw;
  }
  mChangingParent = false;
}

void TChartSeries::ResolveAxes() {
  mHorizScale = nullptr;
  mVertScale = nullptr;
  if (!mParentChart) {
    mResolvedHorizAxis = nullptr;
    mResolvedVertAxis = nullptr;
    return;
  }
  if (mHorizAxis == aTopAxis)
    mResolvedHorizAxis = mParentChart->SeriesAxis(sarTopAxis);
  else if (mHorizAxis == aCustomHorizAxis && mCustomHorizAxis)
    mResolvedHorizAxis = mCustomHorizAxis;
  else
    mResolvedHorizAxis = mParentChart->SeriesAxis(sarBottomAxis);
  if (mVertAxis == aRightAxis)
    mResolvedVertAxis = mParentChart->SeriesAxis(sarRightAxis);
  else if (mVertAxis == aCustomVertAxis && mCustomVertAxis)
    mResolvedVertAxis = mCustomVertAxis;
  else
    mResolvedVertAxis = mParentChart->SeriesAxis(sarLeftAxis);
  if (mResolvedHorizAxis) mHorizScale = &mParentChart->SeriesAxisScale(*mResolvedHorizAxis);
  if (mResolvedVertAxis) mVertScale = &mParentChart->SeriesAxisScale(*mResolvedVertAxis);
}

bool TChartSeries::UsesAxis(const TCustomChartAxis* axis) const {
  if (!axis || !mParentChart || !UseAxis()) return false;
  if (mParentChart->SeriesAxisScale(*axis).IsHorizontal) return mHorizAxis == aBothHorizAxis || axis == mResolvedHorizAxis;
  return mVertAxis == aBothVertAxis || axis == mResolvedVertAxis;
}

void TChartSeries::RequestRepaint() {
  // A series filled point by point asks once per point: the later requests would merge.
  if (mParentChart && !mParentChart->ChartRepaintPending()) mParentChart->InvalidateChart();
}

template <typename T>
void TChartSeries::ChangeDrawingProperty(T& field, const T& value) {
  if (field == value) return;
  field = value;
  RequestRepaint();
}

void TChartSeries::SetHorizAxis(THorizAxis value) {
  if (mHorizAxis == value) return;
  mHorizAxis = value;
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetVertAxis(TVertAxis value) {
  if (mVertAxis == value) return;
  mVertAxis = value;
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetCustomHorizAxis(TCustomChartAxis* axis) {
  if (mCustomHorizAxis == axis) return;
  mCustomHorizAxis = axis;
  ResolveAxes();
  if (mHorizAxis == aCustomHorizAxis) RequestRepaint();
}

void TChartSeries::SetCustomVertAxis(TCustomChartAxis* axis) {
  if (mCustomVertAxis == axis) return;
  mCustomVertAxis = axis;
  ResolveAxes();
  if (mVertAxis == aCustomVertAxis) RequestRepaint();
}

// ---------------------------------------------------------------- visible range and drawing

void TChartSeries::UpdateVisibleRange() {
  mFirstVisible = -1;
  mLastVisible = -1;
  const int32_t count = PointCount();
  if (count == 0) return;
  const int32_t last = count - 1;
  const bool yMandatory = YMandatory();
  const TChartValueList& list = yMandatory ? *mXValues : *mYValues;
  const TAxisScale* axis = yMandatory ? mHorizScale : mVertScale;
  if (!mLimitToVisible || list.Order() == loNone || !axis || !mParentChart) {
    mFirstVisible = 0;
    mLastVisible = last;
    return;
  }
  const fw::TRect plot = mParentChart->ChartPlotRect();
  const bool inverted = axis->Inverted;
  int32_t lowPixel, highPixel;
  if (axis->IsHorizontal) {
    lowPixel = inverted ? plot.Right : plot.Left;
    highPixel = inverted ? plot.Left : plot.Right;
  } else {
    lowPixel = inverted ? plot.Top : plot.Bottom;
    highPixel = inverted ? plot.Bottom : plot.Top;
  }

  const double low = axis->PixelToValue(lowPixel);
  const double high = axis->PixelToValue(highPixel);
  // Values known to ascend (NaN after every number) keep "below the limit" true for a prefix:
  // the limits are found by bisection, with the answers of the scans from the front.
  const bool bisect = list.AscendsAsRead();
  int32_t first = bisect ? list.CountBelow(low, 0) : 0;
  if (!bisect) {
    while (first <= last && list.ValueAt(first) < low) ++first;
  }
  if (first > last) return;  // nothing visible
  mFirstVisible = first;

  if (list.LastValue() <= high) {
    mLastVisible = last;
    return;
  }
  int32_t lastVisible = bisect ? list.CountBelow(high, first) : first;
  if (!bisect) {
    while (lastVisible <= last && list.ValueAt(lastVisible) < high) ++lastVisible;
  }
  lastVisible = std::min(lastVisible, last);
  if (!mExtendToEdge && list.ValueAt(lastVisible) > high) --lastVisible;
  mLastVisible = lastVisible;
}

void TChartSeries::DoBeforeDrawValues() {
  if (BeforeDrawValues) BeforeDrawValues(this);
}

void TChartSeries::DoAfterDrawValues() {
  if (AfterDrawValues) AfterDrawValues(this);
}

void TChartSeries::DrawAllPoints() {
  if (mFirstVisible < 0 || mLastVisible < mFirstVisible) return;
  const int32_t first = mFirstVisible, last = mLastVisible;
  if (DrawValuesForward())
    for (int32_t i = first; i <= last; ++i) DrawOnePoint(i);
  else
    for (int32_t i = last; i >= first; --i) DrawOnePoint(i);
}

void TChartSeries::SetDepthRange(int32_t start, int32_t middle, int32_t end) {
  mDepthStart = start;
  mDepthMiddle = middle;
  mDepthEnd = end;
}

// ---------------------------------------------------------------- hit testing and mouse

int32_t TChartSeries::ClickedIndex(int32_t, int32_t) const { return -1; }

bool TChartSeries::MouseClickOnSeries(int32_t valueIndex, fw::TMouseButton button, fw::TShiftState shift, int32_t x,
                                      int32_t y) {
  TSeriesHost* chart = mParentChart;
  if (chart) chart->SetSuppressMouse(false);
  const bool isDouble = (shift & fw::ssDouble) != 0;
  const TSeriesClick* handler = nullptr;
  if (isDouble && OnDblClick)
    handler = &OnDblClick;
  else if (OnClick)
    handler = &OnClick;
  if (!handler) return chart ? chart->SuppressMouse() : false;
  if (chart) chart->SetSuppressMouse(true);
  (*handler)(this, valueIndex, button, shift, x, y);
  // Without a chart there is no flag a handler could clear: a handled click is consumed.
  return chart ? chart->SuppressMouse() : true;
}

// ---------------------------------------------------------------- legend

fw::TColor TChartSeries::LegendSymbolColor(int32_t valueIndex) const {
  if (valueIndex == -1) return mColorEachPoint ? fw::clNone : mSeriesColor;
  return ColorOfPoint(valueIndex);
}

void TChartSeries::DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) {
  const fw::TColor color = LegendSymbolColor(valueIndex);
  if (color == fw::clNone || !mParentChart) return;
  TCanvas3D& canvas = mParentChart->Canvas3D();
  if (!canvas.Surface()) return;
  // The legend has chosen the outline pen; the symbol takes its colour as a solid fill.
  canvas.SetBackgroundColor(mParentChart->ChartLegendColor());
  canvas.Brush().SetStyle(fw::bsSolid);
  canvas.Brush().SetColor(color);
  canvas.DrawRect(rect);
}

// ---------------------------------------------------------------- published properties

void TChartSeries::SetActive(bool value) { ChangeDrawingProperty(mActive, value); }

void TChartSeries::SetSeriesColor(fw::TColor value) { ChangeDrawingProperty(mSeriesColor, value); }

void TChartSeries::SetColorEachPoint(bool value) {
  if (mColorEachPoint == value) return;
  mColorEachPoint = value;
  RequestRepaint();
  if (value) return;
  // Every entry is reset to clDefault, each with its repaint request; the list is then kept in
  // its compact form.
  const size_t count = ColorCount();
  mColors.clear();
  mDefaultColorCount = count;
  for (size_t i = 0; i < count; ++i) RequestRepaint();
}

void TChartSeries::SetMarks(const TSeriesMarks& value) { mMarks->Assign(value); }

void TChartSeries::SetPercentFormat(const std::string& value) { ChangeDrawingProperty(mPercentFormat, value); }

void TChartSeries::SetShowInLegend(bool value) { ChangeDrawingProperty(mShowInLegend, value); }

void TChartSeries::SetTitle(const std::string& value) { ChangeDrawingProperty(mTitle, value); }

void TChartSeries::SetValueFormat(const std::string& value) { ChangeDrawingProperty(mValueFormat, value); }

// ---------------------------------------------------------------- data sources and dependents

bool TChartSeries::DependsOn(const TChartSeries& other) const {
  // Depth-first over the source graph; the visited list keeps a malformed graph from looping.
  std::vector<const TChartSeries*> pending{this}, visited;
  while (!pending.empty()) {
    const TChartSeries* s = pending.back();
    pending.pop_back();
    if (std::find(visited.begin(), visited.end(), s) != visited.end()) continue;
    visited.push_back(s);
    for (fw::TComponent* c : s->mDataSources) {
      auto* src = dynamic_cast<const TChartSeries*>(c);
      if (!src) continue;
      if (src == &other) return true;
      pending.push_back(src);
    }
  }
  return false;
}

void TChartSeries::ValidateDataSource(fw::TComponent* source) const {
  auto* series = dynamic_cast<TChartSeries*>(source);
  // A cycle is refused while loading as well: the links already read are enough to see it.
  const bool circular = series && (series == this || series->DependsOn(*this));
  if (IsLoading()) {
    if (circular) throw ChartException(ChartConst::CircularSeriesDependences);
    return;
  }
  if (!mParentChart) throw ChartException(ChartConst::NoParentChartToValidateDataSource);
  if (!mParentChart->IsValidDataSource(*this, *source))
    throw ChartException(FormatWithName(ChartConst::NoValidDataSource, source->Name()));
  if (circular) throw ChartException(ChartConst::CircularSeriesDependences);
}

void TChartSeries::AttachDataSource(fw::TComponent* source) {
  if (std::find(mDataSources.begin(), mDataSources.end(), source) != mDataSources.end()) return;
  mDataSources.push_back(source);
  FreeNotification(source);
  if (auto* series = dynamic_cast<TChartSeries*>(source)) series->mDependents.push_back(this);
  if (mFunction) MarkSourcesChanged();
}

void TChartSeries::DetachDataSource(fw::TComponent* source) {
  auto it = std::find(mDataSources.begin(), mDataSources.end(), source);
  if (it == mDataSources.end()) return;
  mDataSources.erase(it);
  if (mFunction) MarkSourcesChanged();
  if (auto* series = dynamic_cast<TChartSeries*>(source)) {
    auto& deps = series->mDependents;
    deps.erase(std::remove(deps.begin(), deps.end(), this), deps.end());
    // Keep the free notification while the two are still linked the other way round.
    if (std::find(mDependents.begin(), mDependents.end(), series) != mDependents.end()) return;
  }
  RemoveFreeNotification(source);
}

void TChartSeries::SetDataSource(fw::TComponent* source) {
  if (source) ValidateDataSource(source);
  while (!mDataSources.empty()) DetachDataSource(mDataSources.back());
  if (source) AttachDataSource(source);
  CheckDataSource();
}

void TChartSeries::AddDataSource(fw::TComponent* source) {
  if (!source) return;
  ValidateDataSource(source);
  AttachDataSource(source);
  CheckDataSource();
}

void TChartSeries::RemoveDataSource(fw::TComponent* source) {
  if (std::find(mDataSources.begin(), mDataSources.end(), source) == mDataSources.end()) return;
  DetachDataSource(source);
  CheckDataSource();
}

void TChartSeries::CheckDataSource() {
  if (mParentChart && !IsLoading()) mParentChart->RefreshSeriesDataSource(*this);
}

void TChartSeries::DetachAllLinks() {
  while (!mDataSources.empty()) DetachDataSource(mDataSources.back());
  while (!mDependents.empty()) mDependents.back()->DetachDataSource(this);
}

void TChartSeries::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TComponent::Notification(component, operation);
  if (operation != fw::opRemove) return;
  const auto gone = std::remove(mDataSources.begin(), mDataSources.end(), component);
  if (gone != mDataSources.end()) {
    mDataSources.erase(gone, mDataSources.end());
    if (mFunction) MarkSourcesChanged();
  }
  mDependents.erase(std::remove(mDependents.begin(), mDependents.end(), component), mDependents.end());
}

void TChartSeries::ResolvePendingDataSources() {
  std::vector<std::string> names;
  names.swap(mPendingDataSourceNames);
  fw::TComponent* scope = Owner();
  if (!scope) return;
  for (const std::string& name : names) {
    fw::TComponent* source = scope->FindComponent(name);
    if (!source) continue;
    auto* series = dynamic_cast<TChartSeries*>(source);
    if (series && (series == this || series->DependsOn(*this)))
      throw ChartException(ChartConst::CircularSeriesDependences);
    AttachDataSource(source);
  }
}

void TChartSeries::Loaded() {
  fw::TComponent::Loaded();
  ResolvePendingDataSources();
  // Sources given while loading were only recorded; the chart refreshes the series now.
  if (!mDataSources.empty()) CheckDataSource();
}

void TChartSeries::RecalculateFromSources() {
  if (mRefreshing) return;
  mRefreshing = true;
  try {
    // Sources computed by functions of their own are brought up to date first.
    for (fw::TComponent* c : mDataSources)
      if (auto* source = dynamic_cast<TChartSeries*>(c)) source->RefreshIfOutdated();
    mSourcesChanged = false;
    if (mFunction)
      mFunction->Recalculate();
    else
      CopyPointsFromSources();
  } catch (...) {
    mRefreshing = false;
    throw;
  }
  mRefreshing = false;
  if (mActive) RequestRepaint();
}

void TChartSeries::RefreshIfOutdated() {
  if (mRefreshing) return;
  // Sources first: a source that recalculates marks this series.
  mRefreshing = true;
  try {
    for (fw::TComponent* c : mDataSources)
      if (auto* source = dynamic_cast<TChartSeries*>(c)) source->RefreshIfOutdated();
  } catch (...) {
    mRefreshing = false;
    throw;
  }
  mRefreshing = false;
  if (mSourcesChanged) RecalculateFromSources();
}

void TChartSeries::MarkSourcesChanged() {
  if (mSourcesChanged) return;
  mSourcesChanged = true;
  // The chart that recalculates may be this series' or that of a series copying from it.
  if (mParentChart && !mParentChart->ChartDestroying()) RequestRepaint();
  for (TChartSeries* d : mDependents)
    if (d->mParentChart && d->mParentChart != mParentChart && !d->mParentChart->ChartDestroying())
      d->RequestRepaint();
}

void TChartSeries::SetFunction(std::unique_ptr<TChartFunction> function) {
  if (function && function.get() == mFunction.get()) return;
  if (!function && !mFunction) return;
  if (mFunction) mFunction->SetParentSeries(nullptr);
  mFunction = std::move(function);
  if (mFunction) mFunction->SetParentSeries(this);
  MarkSourcesChanged();
}

std::string TChartSeries::FunctionType() const { return mFunction ? mFunction->ClassName() : std::string(); }

void TChartSeries::SetFunctionType(const std::string& className) {
  if (className.empty()) {
    SetFunction(nullptr);
    return;
  }
  if (mFunction && FunctionType() == className) return;
  SetFunction(CreateFunction(className));
}

void TChartSeries::CopyPointsFromSources() {
  RemoveAllPoints();
  for (fw::TComponent* c : mDataSources) {
    auto* source = dynamic_cast<TChartSeries*>(c);
    if (!source) continue;
    const int32_t n = source->PointCount();
    for (int32_t i = 0; i < n; ++i) {
      const int32_t at = AddValueFromSource(*source, i);
      InsertColorAndLabel(at, source->StoredColorOf(i), source->LabelOfPoint(i));
    }
  }
}

fw::TColor TChartSeries::StoredColorOf(int32_t index) const {
  if (index < 0 || mColors.empty() || static_cast<size_t>(index) >= mColors.size()) return fw::clDefault;
  return mColors[static_cast<size_t>(index)];
}

int32_t TChartSeries::AddValueFromSource(const TChartSeries& source, int32_t index) {
  for (size_t l = 0; l < mValueLists.size(); ++l) {
    const double v = l < source.mValueLists.size() && index < source.mValueLists[l]->ValueCount()
                         ? source.mValueLists[l]->ValueAt(index)
                         : 0.0;
    mValueLists[l]->SetPendingValue(v);
  }
  const int32_t at = mXValues->AddInOrder(mXValues->PendingValue());
  mYValues->InsertAt(at, mYValues->PendingValue());
  InsertFurtherPendingValues(at);
  return at;
}

void TChartSeries::SourceChanged(TChartSeries& source, TSeriesSourceEvent event, int32_t index) {
  // A function's result depends on every source point: any change means one recalculation,
  // merged until the next frame.
  if (mFunction) {
    MarkSourcesChanged();
    return;
  }
  switch (event) {
    case seClear:
      if (mRecalcOptions & rOnClear) RemoveAllPoints();
      break;
    case seAdd:
      if (mRecalcOptions & rOnInsert) {
        const int32_t at = AddValueFromSource(source, index);
        InsertColorAndLabel(at, source.StoredColorOf(index), source.LabelOfPoint(index));
        AddedPoint(at);
      }
      break;
    case seDelete:
      if ((mRecalcOptions & rOnDelete) && index >= 0 && index < PointCount()) DeletePoint(index);
      break;
    case seModified:
      RecalculateFromSources();
      break;
    case seValueChanged:
      if (mRecalcOptions & rOnModify) RecalculateFromSources();
      break;
    case seAddMany:
      if (mRecalcOptions & rOnInsert) RecalculateFromSources();
      break;
  }
}

void TChartSeries::NotifyDependents(TSeriesSourceEvent event, int32_t index) {
  if (mDependents.empty()) return;
  // A handler may detach dependents: walk a copy.
  const std::vector<TChartSeries*> dependents = mDependents;
  for (TChartSeries* d : dependents)
    if (std::find(mDependents.begin(), mDependents.end(), d) != mDependents.end()) d->SourceChanged(*this, event, index);
}

// ---------------------------------------------------------------- copying

void TChartSeries::Assign(const TChartSeries& source) {
  if (&source == this) return;
  mXValues->Assign(*source.mXValues);
  mYValues->Assign(*source.mYValues);
  SetActive(source.mActive);
  SetColorEachPoint(source.mColorEachPoint);
  mColorSource = source.mColorSource;
  mCursor = source.mCursor;
  SetHorizAxis(source.mHorizAxis);
  SetVertAxis(source.mVertAxis);
  mMarks->Assign(*source.mMarks);
  SetPercentFormat(source.mPercentFormat);
  SetSeriesColor(source.mSeriesColor);
  SetShowInLegend(source.mShowInLegend);
  SetTitle(source.mTitle);
  SetValueFormat(source.mValueFormat);
  mXLabelsSource = source.mXLabelsSource;
  mIdentifier = source.mIdentifier;
  mStyle = source.mStyle;
  SetFunction(source.mFunction ? source.mFunction->Clone() : nullptr);
}

}  // namespace chart
