#include "chart/series/TCustomBarSeries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <typeinfo>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/axes/TAxisHost.h"
#include "chart/axes/TAxisScale.h"
#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/ColumnWalk.h"
#include "chart/data/TChartValueList.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/TBarStamps.h"
#include "framework/runtime/ClampInt.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/runtime/Rounding.h"

namespace chart {

namespace {

// Pixel positions are computed in doubles and kept well inside 32 bits, so that sums and
// differences of two of them never overflow.
constexpr double PixelLimit = 1073741824.0;  // 2^30

int32_t ToPixel(double value) {
  if (!(value > -PixelLimit)) return -1073741824;
  if (!(value < PixelLimit)) return 1073741824;
  return fw::RoundDoubleHalfEven(value);
}

// Leaves the drawing pass state even when a drawing call throws.
class PassScope {
public:
  explicit PassScope(bool& flag) : mFlag(flag) { mFlag = true; }
  ~PassScope() { mFlag = false; }
  PassScope(const PassScope&) = delete;
  PassScope& operator=(const PassScope&) = delete;

private:
  bool& mFlag;
};

bool Intersects(const fw::TRect& a, const fw::TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

TCustomBarSeries::TCustomBarSeries(fw::TComponent* owner, bool horizontal)
    : TChartSeries(owner),
      mHorizontal(horizontal),
      mBarPen(std::make_unique<TChartPen>([this] { Changed(); })),
      mBarBrush(std::make_unique<TChartBrush>([this] { Changed(); })) {
  SetOwnAddedPoint(true);  // a point added during a frame ends the frame's statistics
}

TCustomBarSeries::~TCustomBarSeries() = default;

std::string TCustomBarSeries::EditorName() const { return ChartConst::BarSeriesEditorName; }

// ---------------------------------------------------------------- settings

template <typename T>
void TCustomBarSeries::Change(T& field, const T& value) {
  if (field == value) return;
  field = value;
  RequestRepaint();
}

void TCustomBarSeries::SetBarWidthPercent(int32_t value) {
  if (value < 1 || value > 100) throw ChartException(ChartConst::BarWidthPercentRange);
  Change(mBarWidthPercent, value);
}

void TCustomBarSeries::SetOffsetPercent(int32_t value) {
  if (value < -100 || value > 100) throw ChartException(ChartConst::BarOffsetPercentRange);
  Change(mOffsetPercent, value);
}

void TCustomBarSeries::SetMultiBar(TMultiBar value) {
  if (value < mbNone || value > mbStacked100) value = mbNone;
  Change(mMultiBar, value);
  // One arrangement for all bars of this kind on the chart.
  auto* host = dynamic_cast<TAxisHost*>(ParentChart());
  if (!host) return;
  const int32_t count = host->SeriesCount();
  for (int32_t i = 0; i < count; ++i) {
    auto* other = dynamic_cast<TCustomBarSeries*>(&host->SeriesAt(i));
    if (other && other != this && typeid(*other) == typeid(*this)) other->Change(other->mMultiBar, value);
  }
}

void TCustomBarSeries::SetBarStyle(TBarStyle value) { Change(mBarStyle, value); }

void TCustomBarSeries::SetYOrigin(double value) {
  if (!std::isfinite(value)) throw ChartException(ChartConst::YOriginNotFinite);
  if (value == mYOrigin && std::signbit(value) == std::signbit(mYOrigin)) return;
  mYOrigin = value;
  RequestRepaint();
}

void TCustomBarSeries::SetUseYOrigin(bool value) { Change(mUseYOrigin, value); }
void TCustomBarSeries::SetBarPen(const fw::TPen& value) { mBarPen->Assign(value); }
void TCustomBarSeries::SetBarBrush(const fw::TBrush& value) { mBarBrush->Assign(value); }
void TCustomBarSeries::SetDark3D(bool value) { Change(mDark3D, value); }
void TCustomBarSeries::SetSideMargins(bool value) { Change(mSideMargins, value); }
void TCustomBarSeries::SetAutoMarkPosition(bool value) { Change(mAutoMarkPosition, value); }

void TCustomBarSeries::Assign(const TChartSeries& source) {
  if (&source == this) return;
  if (auto* bar = dynamic_cast<const TCustomBarSeries*>(&source)) {
    mBarWidthPercent = bar->mBarWidthPercent;
    mOffsetPercent = bar->mOffsetPercent;
    mMultiBar = bar->mMultiBar;
    mBarStyle = bar->mBarStyle;
    mYOrigin = bar->mYOrigin;
    mUseYOrigin = bar->mUseYOrigin;
    mDark3D = bar->mDark3D;
    mSideMargins = bar->mSideMargins;
    mAutoMarkPosition = bar->mAutoMarkPosition;
    mBarPen->Assign(*bar->mBarPen);
    mBarBrush->Assign(*bar->mBarBrush);
  }
  TChartSeries::Assign(source);
}

// ---------------------------------------------------------------- data

bool TCustomBarSeries::IsGap(int32_t index) const {
  return GapOf(index, BarValue(index), CategoryValue(index), true);
}

std::vector<TCustomBarSeries*> TCustomBarSeries::BarGroup() const {
  auto* self = const_cast<TCustomBarSeries*>(this);
  auto* host = dynamic_cast<TAxisHost*>(ParentChart());
  if (!host) return {self};
  std::vector<TCustomBarSeries*> group;
  bool hasSelf = false;
  const int32_t count = host->SeriesCount();
  for (int32_t i = 0; i < count; ++i) {
    auto* other = dynamic_cast<TCustomBarSeries*>(&host->SeriesAt(i));
    if (!other || typeid(*other) != typeid(*this)) continue;
    if (other == this) {
      hasSelf = true;
      group.push_back(other);
    } else if (other->Active()) {
      group.push_back(other);
    }
  }
  if (!hasSelf) group.push_back(self);
  return group;
}

double TCustomBarSeries::Origin() const {
  if (mUseYOrigin) return mYOrigin;
  const TCustomChartAxis* axis = ValueAxis();
  return axis ? axis->Scale().WorkingMinimum : 0.0;
}

namespace {

// Stacked ends of point index among the group members before `self` (same sign as value).
struct TStack {
  double Base = 0;
  bool HasBase = false;
  double Total = 0;  // sum of magnitudes over the whole group (for stacking to 100 %)
};

}  // namespace

bool TCustomBarSeries::BarValueRange(int32_t index, double& from, double& to) const {
  if (index < 0 || index >= PointCount() || IsGap(index)) return false;
  const double value = BarValue(index);
  if (mMultiBar == mbNone || mMultiBar == mbSide) {
    from = Origin();
    to = value;
    return std::isfinite(from);
  }
  TStack stack;
  bool before = true;
  for (const TCustomBarSeries* member : BarGroup()) {
    if (member == this) {
      before = false;
      stack.Total += std::fabs(value);
      continue;
    }
    if (index >= member->PointCount() || member->IsGap(index)) continue;
    const double v = member->BarValue(index);
    stack.Total += std::fabs(v);
    if (before && (v < 0) == (value < 0)) {
      stack.Base += v;
      stack.HasBase = true;
    }
  }
  if (mMultiBar == mbStacked) {
    from = stack.HasBase ? stack.Base : Origin();
    to = stack.HasBase ? stack.Base + value : value;
  } else {
    if (!(stack.Total > 0) || !std::isfinite(stack.Total)) {
      from = to = 0;
    } else {
      from = stack.Base * 100.0 / stack.Total;
      to = (stack.Base + value) * 100.0 / stack.Total;
    }
  }
  return std::isfinite(from) && std::isfinite(to);
}

const TCustomBarSeries::TStats& TCustomBarSeries::Stats() const {
  if (mStatsInFrame && mStats.Valid) return mStats;
  TStats stats;
  bool foundLow = false, foundHigh = false;
  const bool stacked = mMultiBar == mbStacked || mMultiBar == mbStacked100;
  const bool nulls = MayHaveNullPoints();
  const int32_t count = PointCount();
  const auto scan = [&](const auto& categoryAt, const auto& valueAt) {
    // Kept in locals through the loop: the compiler need not store them at every point.
    TStats s;
    bool low = false, high = false;
    bool havePrevious = false;
    double previous = 0;
    const auto take = [](double v, bool highest, bool& found, double& result) {
      if (!found || (highest ? v > result : v < result)) result = v;
      found = true;
    };
    for (int32_t i = 0; i < count; ++i) {
      // Every point with a finite position holds a category (a null point keeps its place).
      const double c = categoryAt(i);
      if (std::isfinite(c)) {
        if (!s.HasCategory || c < s.CategoryMin) s.CategoryMin = c;
        if (!s.HasCategory || c > s.CategoryMax) s.CategoryMax = c;
        s.HasCategory = true;
        if (havePrevious) {
          const double d = std::fabs(c - previous);
          if (d > 0 && std::isfinite(d) && (s.Step == 0 || d < s.Step)) s.Step = d;
        }
        previous = c;
        havePrevious = true;
      }
      if (!stacked) {
        const double v = valueAt(i);
        if (GapOf(i, v, c, nulls)) continue;
        take(v, false, low, s.ValueMin);
        take(v, true, high, s.ValueMax);
        continue;
      }
      double from, to;
      if (!BarValueRange(i, from, to)) continue;
      for (const double v : {to, mMultiBar == mbStacked100 ? from : to}) {
        take(v, false, low, s.ValueMin);
        take(v, true, high, s.ValueMax);
      }
    }
    stats = s;
    foundLow = low;
    foundHigh = high;
  };
  // The values as CategoryValue and BarValue read them, straight from the lists' storage when
  // it is one piece.
  const TChartValueList& categories = mHorizontal ? YValues() : XValues();
  const TChartValueList& values = mHorizontal ? XValues() : YValues();
  const bool whole = count > 0 && count <= categories.ValueCount() && count <= values.ValueCount();
  const double* rawCategories = whole ? categories.RawRun(0, count) : nullptr;
  const double* rawValues = whole ? values.RawRun(0, count) : nullptr;
  const double cm = categories.Multiplier(), vm = values.Multiplier();
  if (rawCategories && rawValues && !stacked && !nulls && count == values.ValueCount() &&
      count == categories.ValueCount() && categories.AscendsAsRead() && std::isfinite(rawCategories[0] * cm) &&
      std::isfinite(rawCategories[count - 1] * cm)) {
    // Ascending categories, NaN last, all numbers: the first and last are the extremes, and the
    // list keeps the smallest step of neighbours. No point is a gap but for a value that is not
    // a finite number.
    constexpr double Inf = std::numeric_limits<double>::infinity();
    const double step = categories.SmallestAscendingStep();
    stats.HasCategory = true;
    stats.CategoryMin = rawCategories[0] * cm;
    stats.CategoryMax = rawCategories[count - 1] * cm;
    stats.Step = step;
    // The list keeps its extremes (NaN left out) through every change. When both are finite
    // numbers other than a pair of zeros (which an all-NaN list gives too), no value is infinite
    // and they are the extremes of the values that are not gaps.
    double lowest = values.MinimumValue(), highest = values.MaximumValue();
    if (!std::isfinite(lowest) || !std::isfinite(highest) || (lowest == 0 && highest == 0)) {
      lowest = Inf;
      highest = -Inf;
      for (int32_t k = 0; k < count; ++k) {
        const double v = rawValues[k] * vm;
        if (!std::isfinite(v)) continue;
        if (v < lowest) lowest = v;
        if (v > highest) highest = v;
      }
    }
    foundLow = foundHigh = lowest <= highest;
    if (foundLow) {
      stats.ValueMin = lowest;
      stats.ValueMax = highest;
    }
  } else if (rawCategories && rawValues) {
    scan([&](int32_t i) { return rawCategories[i] * cm; }, [&](int32_t i) { return rawValues[i] * vm; });
  } else {
    scan([this](int32_t i) { return CategoryValue(i); }, [this](int32_t i) { return BarValue(i); });
  }
  if (foundLow) {
    const bool withOrigin = mUseYOrigin && mMultiBar != mbStacked100;
    const double origin = mMultiBar == mbStacked100 ? 0.0 : mYOrigin;
    if (withOrigin || mMultiBar == mbStacked100) {
      stats.ValueMin = std::min(stats.ValueMin, origin);
      stats.ValueMax = std::max(stats.ValueMax, origin);
    }
  }
  stats.Valid = true;
  if (!mStatsInFrame) {
    mStats = TStats{};
    mScratchStats = stats;
    return mScratchStats;
  }
  mStats = stats;
  return mStats;
}

double TCustomBarSeries::ValueExtreme(bool highest) const {
  const TStats& stats = Stats();
  return highest ? stats.ValueMax : stats.ValueMin;
}

double TCustomBarSeries::CategoryExtreme(bool highest) const {
  const TStats& stats = Stats();
  return highest ? stats.CategoryMax : stats.CategoryMin;
}

double TCustomBarSeries::LowestX() const { return mHorizontal ? ValueExtreme(false) : CategoryExtreme(false); }
double TCustomBarSeries::HighestX() const { return mHorizontal ? ValueExtreme(true) : CategoryExtreme(true); }
double TCustomBarSeries::LowestY() const { return mHorizontal ? CategoryExtreme(false) : ValueExtreme(false); }
double TCustomBarSeries::HighestY() const { return mHorizontal ? CategoryExtreme(true) : ValueExtreme(true); }

// ---------------------------------------------------------------- slots and margins

double TCustomBarSeries::SmallestCategoryStep() const { return Stats().Step; }

double TCustomBarSeries::SlotCount() const {
  const TStats& stats = Stats();
  const double step = stats.Step;
  if (!(step > 0)) return 2;
  const double range = stats.CategoryMax - stats.CategoryMin;
  const double slots = range / step + 1;
  if (!std::isfinite(slots) || slots > 1e9) return 1e9;
  return std::max(2.0, slots);
}

const TCustomBarSeries::TSlot& TCustomBarSeries::Slot() {
  if (mSlot.Valid) return mSlot;
  TSlot slot;
  const std::vector<TCustomBarSeries*> group = BarGroup();
  double step = 0;
  for (const TCustomBarSeries* member : group) {
    const double s = member->SmallestCategoryStep();
    if (s > 0 && (step == 0 || s < step)) step = s;
  }
  const TCustomChartAxis* axis = CategoryAxis();
  const double length = axis ? std::fabs(static_cast<double>(axis->AxisLength())) : 0.0;
  const double range = axis ? std::fabs(axis->Scale().WorkingRange) : 0.0;
  if (step > 0 && range > 0 && !(axis && axis->Scale().Logarithmic))
    slot.Pixels = step * length / range;
  else
    slot.Pixels = length / 2;
  if (!std::isfinite(slot.Pixels) || slot.Pixels > PixelLimit) slot.Pixels = PixelLimit;
  if (mMultiBar == mbSide) {
    slot.Count = static_cast<int32_t>(group.size());
    slot.Index = static_cast<int32_t>(std::find(group.begin(), group.end(), this) - group.begin());
  }
  slot.Valid = true;
  mSlot = slot;
  return mSlot;
}

void TCustomBarSeries::DoBeforeDrawChart() {
  mSlot.Valid = false;
  // The data stays as it is until this series is drawn: its statistics are kept until then.
  mStats.Valid = false;
  mStatsInFrame = true;
  mHasLastMark = false;
  TChartSeries::DoBeforeDrawChart();
}

void TCustomBarSeries::HorizMargins(int32_t& left, int32_t& right) const {
  left = right = 0;
  const TCustomChartAxis* axis = ResolvedHorizAxis();
  if (!axis || PointCount() == 0) return;
  if (!mHorizontal) {
    if (!mSideMargins) return;
    double slots = 2;
    for (const TCustomBarSeries* member : BarGroup()) slots = std::max(slots, member->SlotCount());
    left = right = ToPixel(std::fabs(static_cast<double>(axis->AxisLength())) / (2 * slots));
    return;
  }
  // Horizontal bars: room for the marks beyond the bar ends.
  if (!Marks().Visible() || !ParentChart()) return;
  auto* self = const_cast<TCustomBarSeries*>(this);
  TCanvas3D& canvas = ParentChart()->Canvas3D();
  if (!canvas.Surface()) return;
  ParentChart()->ChartSelectFont(Marks().Font());
  const int64_t room = int64_t{self->MaxMarkWidth()} + canvas.MeasureTextWidth("W") +
                       std::max(0, Marks().ArrowLength()) + 2 * int64_t{Marks().Frame().Width()};
  const int32_t r = static_cast<int32_t>(std::min<int64_t>(room, axis->AxisLength() / 4 + 1));
  if (ValueExtreme(true) > Origin()) right = std::max(0, r);
  if (ValueExtreme(false) < Origin()) left = std::max(0, r);
}

void TCustomBarSeries::VertMargins(int32_t& top, int32_t& bottom) const {
  top = bottom = 0;
  const TCustomChartAxis* axis = ResolvedVertAxis();
  if (!axis || PointCount() == 0) return;
  if (mHorizontal) {
    if (!mSideMargins) return;
    double slots = 2;
    for (const TCustomBarSeries* member : BarGroup()) slots = std::max(slots, member->SlotCount());
    top = bottom = ToPixel(std::fabs(static_cast<double>(axis->AxisLength())) / (2 * slots));
    return;
  }
  // Vertical bars: room for one line of mark text and the arrow beyond the bar ends.
  if (!Marks().Visible() || !ParentChart()) return;
  TCanvas3D& canvas = ParentChart()->Canvas3D();
  if (!canvas.Surface()) return;
  ParentChart()->ChartSelectFont(Marks().Font());
  const int64_t room = int64_t{canvas.CharacterHeight()} + std::max(0, Marks().ArrowLength()) +
                       2 * int64_t{Marks().Frame().Width()};
  const int32_t r = static_cast<int32_t>(std::min<int64_t>(room, std::abs(axis->AxisLength()) / 4 + 1));
  if (ValueExtreme(true) > Origin()) top = std::max(0, r);
  if (ValueExtreme(false) < Origin()) bottom = std::max(0, r);
}

// ---------------------------------------------------------------- geometry

TCustomBarSeries::TAcross TCustomBarSeries::AcrossOfSlot() {
  const TSlot& slot = Slot();
  const double total = slot.Pixels * mBarWidthPercent / 100.0;
  const double width = total / std::max(1, slot.Count);
  return {total / 2, slot.Index * width, width * mOffsetPercent / 100.0, width};
}

void TCustomBarSeries::TAcross::Place(int32_t centre, int32_t& from, int32_t& to) const {
  const double start = centre - Half + Shift + Offset;
  from = ToPixel(start);
  to = ToPixel(start + Width);
  if (to <= from) to = from + 1;
}

void TCustomBarSeries::BarAcross(int32_t index, int32_t& from, int32_t& to) {
  AcrossOfSlot().Place(CategoryPixel(CategoryValue(index)), from, to);
}

fw::TRect TCustomBarSeries::BarBounds(int32_t index) {
  double from, to;
  if (!BarValueRange(index, from, to)) return {};
  return BarRect(index, from, to);
}

fw::TRect TCustomBarSeries::BarRect(int32_t index, double from, double to) {
  int32_t a0, a1;
  BarAcross(index, a0, a1);
  int32_t v0;
  if (mInPass && mOriginPixelValid && from == mOriginValue) {
    v0 = mOriginPixel;  // the bars of a pass mostly start at the origin
  } else {
    v0 = ValuePixel(from);
    if (mInPass) {
      mOriginPixelValid = true;
      mOriginValue = from;
      mOriginPixel = v0;
    }
  }
  return RectOf(a0, a1, v0, ValuePixel(to));
}

fw::TRect TCustomBarSeries::RectOf(int32_t a0, int32_t a1, int32_t v0, int32_t v1) const {
  const int32_t lo = std::min(v0, v1);
  const int32_t hi = fw::ClampToInt32(int64_t{std::max(v0, v1)} + 1);
  if (mHorizontal) return {lo, a0, hi, a1};
  return {a0, lo, a1, hi};
}

int32_t TCustomBarSeries::XPixel(int32_t index) const {
  auto* self = const_cast<TCustomBarSeries*>(this);
  double from, to;
  if (mHorizontal) return BarValueRange(index, from, to) ? XPixelOfValue(to) : XPixelOfValue(XValueOf(index));
  int32_t a0, a1;
  self->BarAcross(index, a0, a1);
  return static_cast<int32_t>((int64_t{a0} + a1 - 1) / 2);
}

int32_t TCustomBarSeries::YPixel(int32_t index) const {
  auto* self = const_cast<TCustomBarSeries*>(this);
  double from, to;
  if (!mHorizontal) return BarValueRange(index, from, to) ? YPixelOfValue(to) : YPixelOfValue(YValueOf(index));
  int32_t a0, a1;
  self->BarAcross(index, a0, a1);
  return static_cast<int32_t>((int64_t{a0} + a1 - 1) / 2);
}

const TChartSeries* TCustomBarSeries::DepthLevelPartner() const {
  if (mMultiBar == mbNone) return nullptr;
  const std::vector<TCustomBarSeries*> group = BarGroup();
  for (const TCustomBarSeries* member : group)
    if (member != this && member->Active() && member->FixedDepthLevel() == -1) return member;
    else if (member == this) break;
  return nullptr;
}

const TChartSeries* DepthLevelPartner(const TChartSeries& series) {
  const auto* bars = dynamic_cast<const TCustomBarSeries*>(&series);
  return bars ? bars->DepthLevelPartner() : nullptr;
}

// ---------------------------------------------------------------- drawing

void TCustomBarSeries::PrepareCanvas(TCanvas3D& canvas) const {
  canvas.ApplyChartPen(*mBarPen);
  canvas.Brush().SetStyle(mBarBrush->Style());
  canvas.Brush().SetBitmap(nullptr);
}

void TCustomBarSeries::DrawAllPoints() {
  TSeriesHost* chart = ParentChart();
  const int32_t first = FirstVisible();
  const int32_t last = LastVisible();
  if (!chart || first < 0 || last < first) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  PrepareCanvas(canvas);
  Slot();
  const PassScope pass(mInPass);
  mOriginPixelValid = false;  // the axes may have changed since the last pass
  // The bars just outside the visible range may still reach into it.
  const int32_t from = std::max(0, first - 1);
  const int32_t to = std::min(PointCount() - 1, last + 1);
  if (CanSkipCoveredBars(canvas))
    DrawUncoveredParts(canvas, from, to);
  else if (CanSkipContainedBars(canvas))
    DrawUncontainedBars(canvas, from, to);
  else
    for (int32_t i = from; i <= to; ++i) DrawBar(canvas, i);
  EndOfFrame();
}

void TCustomBarSeries::EndOfFrame() {
  mStatsInFrame = false;
  mStats.Valid = false;
}

void TCustomBarSeries::DoAfterDrawValues() {
  EndOfFrame();
  TChartSeries::DoAfterDrawValues();
}

void TCustomBarSeries::AddedPoint(int32_t index) {
  EndOfFrame();
  TChartSeries::AddedPoint(index);
}

void TCustomBarSeries::DeletePoint(int32_t index) {
  EndOfFrame();
  TChartSeries::DeletePoint(index);
}

void TCustomBarSeries::ClearLists() {
  EndOfFrame();
  TChartSeries::ClearLists();
}

void TCustomBarSeries::DrawOnePoint(int32_t index) {
  TSeriesHost* chart = ParentChart();
  if (!chart || index < 0 || index >= PointCount()) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  if (!mInPass) PrepareCanvas(canvas);
  DrawBar(canvas, index);
}

void TCustomBarSeries::DrawBar(TCanvas3D& canvas, int32_t index) {
  double from, to;
  if (!BarValueRange(index, from, to)) return;
  const fw::TRect bar = BarRect(index, from, to);
  const fw::TColor own = mBarBrush->Color();
  const fw::TColor color = own != fw::clDefault ? own : ColorOfPoint(index);
  canvas.Brush().SetColor(color);
  // A bar growing towards the axis minimum (a negative bar) turns its pointed shapes around.
  DrawShape(canvas, bar, to < from, color);
}

void TCustomBarSeries::DrawShape(TCanvas3D& canvas, const fw::TRect& bar, bool towardsMinimum, fw::TColor color) {
  TSeriesHost* chart = ParentChart();
  if (!chart->ChartView3D()) {
    DrawFlatShape(canvas, bar, towardsMinimum, color);
    return;
  }
  const int32_t z0 = DepthStart();
  const int32_t z1 = DepthEnd();
  const bool vertical = !mHorizontal;
  // Pointed shapes: apex at the value end. Vertical bars grow up (value end at the top) unless
  // they grow towards the minimum; horizontal bars grow right.
  bool apexAtValueEnd = mBarStyle != bsInvPyramid;
  int32_t l = bar.Left, t = bar.Top, r = bar.Right, b = bar.Bottom;
  const bool flip = apexAtValueEnd == towardsMinimum;  // apex on the origin side of the box
  switch (mBarStyle) {
    case bsRectangle: canvas.DrawCuboid(l, r, t, b, z0, z1, mDark3D); break;
    case bsRectGradient: {
      canvas.DrawCuboid(l, r, t, b, z0, z1, mDark3D);
      if (canvas.IsOrthogonal()) {
        const fw::TPoint p0 = canvas.ProjectToPoint(l, t, z0);
        const fw::TPoint p1 = canvas.ProjectToPoint(r, b, z0);
        DrawFlatShape(canvas, fw::TRect{p0.X, p0.Y, p1.X, p1.Y}, towardsMinimum, color);
      }
      break;
    }
    case bsPyramid:
    case bsInvPyramid:
    case bsCone: {
      if (vertical) {
        // The canvas puts the apex at `top`: pass the ends swapped to point it down.
        if (flip) std::swap(t, b);
        if (mBarStyle == bsCone)
          canvas.DrawCone(true, l, t, r, b, z0, z1, mDark3D);
        else
          canvas.DrawPyramid(true, l, t, r, b, z0, z1, mDark3D);
      } else {
        // Horizontal: the canvas puts the apex at `right`.
        if (flip) std::swap(l, r);
        if (mBarStyle == bsCone)
          canvas.DrawCone(false, l, t, r, b, z0, z1, mDark3D);
        else
          canvas.DrawPyramid(false, l, t, r, b, z0, z1, mDark3D);
      }
      break;
    }
    case bsCylinder: canvas.DrawCylinder(vertical, l, t, r, b, z0, z1, mDark3D); break;
    case bsEllipse: canvas.DrawEllipseAtDepth(l, t, r - 1, b - 1, z0); break;
    case bsArrow: DrawArrowShape(canvas, bar, towardsMinimum, z0); break;
  }
}

void TCustomBarSeries::DrawFlatShape(TCanvas3D& canvas, const fw::TRect& bar, bool towardsMinimum, fw::TColor color) {
  const int32_t l = bar.Left, t = bar.Top, r = bar.Right - 1, b = bar.Bottom - 1;
  const bool vertical = !mHorizontal;
  switch (mBarStyle) {
    case bsRectangle:
    case bsCylinder: canvas.DrawRectangle(bar.Left, bar.Top, bar.Right, bar.Bottom); break;
    case bsRectGradient: {
      // From the point's colour at the value end to white at the origin.
      const TGradientDirection direction = vertical ? gdTopBottom : gdLeftRight;
      // The canvas puts the first colour at the bottom (vertical) or the right (horizontal).
      const bool colourFirst = vertical ? towardsMinimum : !towardsMinimum;
      canvas.FillGradient(bar, colourFirst ? color : fw::clWhite, colourFirst ? fw::clWhite : color, direction);
      const fw::TBrushStyle style = canvas.Brush().Style();
      canvas.Brush().SetStyle(fw::bsClear);
      canvas.DrawRectangle(bar.Left, bar.Top, bar.Right, bar.Bottom);
      canvas.Brush().SetStyle(style);
      break;
    }
    case bsPyramid:
    case bsInvPyramid:
    case bsCone: {
      const bool apexAtValueEnd = mBarStyle != bsInvPyramid;
      // Where the apex is: the top (vertical) or right (horizontal) end, or the other one.
      const bool apexHigh = vertical ? apexAtValueEnd != towardsMinimum : apexAtValueEnd != towardsMinimum;
      std::array<fw::TPoint, 3> p;
      if (vertical) {
        const int32_t mid = static_cast<int32_t>((int64_t{l} + r) / 2);
        if (apexHigh)
          p = {{{l, b}, {r, b}, {mid, t}}};
        else
          p = {{{l, t}, {r, t}, {mid, b}}};
      } else {
        const int32_t mid = static_cast<int32_t>((int64_t{t} + b) / 2);
        if (apexHigh)
          p = {{{l, t}, {l, b}, {r, mid}}};
        else
          p = {{{r, t}, {r, b}, {l, mid}}};
      }
      canvas.DrawPolygon(p);
      break;
    }
    case bsEllipse: canvas.DrawEllipse(bar.Left, bar.Top, bar.Right, bar.Bottom); break;
    case bsArrow: DrawArrowShape(canvas, bar, towardsMinimum, 0); break;
  }
}

void TCustomBarSeries::DrawArrowShape(TCanvas3D& canvas, const fw::TRect& bar, bool towardsMinimum, int32_t z) {
  // In bar coordinates: `along` from the origin end (0) to the value end (length), `across`
  // from the middle of the bar.
  const int64_t l = bar.Left, t = bar.Top, r = bar.Right - 1, b = bar.Bottom - 1;
  const bool vertical = !mHorizontal;
  const int64_t length = vertical ? b - t : r - l;
  const int64_t breadth = vertical ? r - l : b - t;
  const int64_t half = breadth / 2;
  const int64_t body = breadth / 4;
  const int64_t head = std::min(length, half);
  // A vertical bar grows up unless towards the minimum; a horizontal one right unless so.
  const bool grows = !towardsMinimum;
  auto point = [&](int64_t along, int64_t across) {
    int64_t x, y;
    if (vertical) {
      x = (l + r) / 2 + across;
      y = grows ? b - along : t + along;
    } else {
      y = (t + b) / 2 + across;
      x = grows ? l + along : r - along;
    }
    const fw::TPoint flat{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    return ParentChart()->ChartView3D() ? canvas.ProjectToPoint(flat.X, flat.Y, z) : flat;
  };
  const std::array<fw::TPoint, 7> p{point(0, -body),         point(length - head, -body), point(length - head, -half),
                                    point(length, 0),         point(length - head, half),  point(length - head, body),
                                    point(0, body)};
  canvas.DrawPolygon(p);
}

// ---------------------------------------------------------------- marks, legend, clicks

void TCustomBarSeries::DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) {
  double from, to;
  if (!BarValueRange(index, from, to)) return;
  const bool negative = to < from;
  const int64_t arrow = Marks().ArrowLength();
  auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  if (!mHorizontal) {
    if (!negative) {
      position.ArrowToY = clamp(position.ArrowFromY - arrow);
      position.LeftTopY = clamp(int64_t{position.ArrowToY} - position.Height + 1);
    } else {
      position.ArrowToY = clamp(position.ArrowFromY + arrow);
      position.LeftTopY = position.ArrowToY;
    }
  } else {
    position.LeftTopY = clamp(position.ArrowFromY - position.Height / 2);
    if (!negative) {
      position.ArrowToX = clamp(position.ArrowFromX + arrow);
      position.LeftTopX = position.ArrowToX;
    } else {
      position.ArrowToX = clamp(position.ArrowFromX - arrow);
      position.LeftTopX = clamp(int64_t{position.ArrowToX} - position.Width + 1);
    }
  }
  if (mAutoMarkPosition) {
    if (mHasLastMark && index > mLastMarkIndex && Intersects(position.Bounds(), mLastMark)) {
      // Move beyond the previous mark, away from the bar, and stretch the arrow.
      const fw::TRect box = position.Bounds();
      int64_t dx = 0, dy = 0;
      if (!mHorizontal)
        dy = negative ? int64_t{mLastMark.Bottom} - box.Top : int64_t{mLastMark.Top} - box.Bottom;
      else
        dx = negative ? int64_t{mLastMark.Left} - box.Right : int64_t{mLastMark.Right} - box.Left;
      position.LeftTopX = clamp(position.LeftTopX + dx);
      position.LeftTopY = clamp(position.LeftTopY + dy);
      position.ArrowToX = clamp(position.ArrowToX + dx);
      position.ArrowToY = clamp(position.ArrowToY + dy);
    }
    mLastMark = position.Bounds();
    mLastMarkIndex = index;
    mHasLastMark = true;
  }
  TChartSeries::DrawMark(index, text, position);
}

void TCustomBarSeries::DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) {
  TSeriesHost* chart = ParentChart();
  if (!chart) return;
  if (valueIndex >= 0 && (valueIndex >= PointCount() || IsNullPoint(valueIndex))) return;
  fw::TColor color = valueIndex < 0 ? SeriesColor() : ColorOfPoint(valueIndex);
  if (mBarBrush->Color() != fw::clDefault) color = mBarBrush->Color();
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  canvas.SetBackgroundColor(chart->ChartLegendColor());
  PrepareCanvas(canvas);
  canvas.Brush().SetColor(color);
  if (mBarStyle == bsRectGradient) {
    // The point colour at the top (right for horizontal bars), like a bar of a positive value.
    if (mHorizontal)
      canvas.FillGradient(rect, color, fw::clWhite, gdLeftRight);
    else
      canvas.FillGradient(rect, fw::clWhite, color, gdTopBottom);
    canvas.Brush().SetStyle(fw::bsClear);
  }
  canvas.DrawRect(rect);
}

int32_t TCustomBarSeries::ClickedIndex(int32_t x, int32_t y) const {
  const int32_t first = FirstVisible();
  const int32_t last = LastVisible();
  if (first < 0 || last < first) return -1;
  if (TSeriesHost* chart = ParentChart()) {
    if (chart->ChartView3D()) chart->Canvas3D().UnprojectPoint(x, y, DepthStart());
  }
  auto* self = const_cast<TCustomBarSeries*>(this);
  // The last bar drawn lies on top.
  const int32_t from = std::max(0, first - 1);
  const int32_t to = std::min(PointCount() - 1, last + 1);
  for (int32_t i = to; i >= from; --i) {
    const fw::TRect bar = self->BarBounds(i);
    if (bar.Right <= bar.Left) continue;
    if (x >= bar.Left && x < bar.Right && y >= bar.Top && y < bar.Bottom) return i;
  }
  return -1;
}

}  // namespace chart
