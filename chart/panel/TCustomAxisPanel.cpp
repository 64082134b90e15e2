#include "chart/panel/TCustomAxisPanel.h"

#include <algorithm>
#include <cstdlib>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/canvas/TChartPen.h"
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/ChartPalette.h"
#include "chart/series/TCustomBarSeries.h"
#include "framework/runtime/ClampInt.h"
#include "framework/runtime/Rounding.h"

namespace chart {

template <typename T>
T* TCustomAxisPanel::NewAxis() {
  auto* axis = new T(this);
  AddAxis(*axis);  // the axis normally joins the list itself; a second add is ignored
  return axis;
}

TCustomAxisPanel::TCustomAxisPanel(fw::TComponent* owner) : TCustomChartPanelExtended(owner) {
  // Each axis appends itself to the axis list as it is created; this order is the list order.
  mBottomAxis = NewAxis<TChartAxis>();
  mBottomAxis->SetIsHorizontal(true);
  mTopAxis = NewAxis<TChartAxis>();
  mTopAxis->SetIsHorizontal(true);
  mTopAxis->SetIsOtherSide(true);
  mLeftAxis = NewAxis<TChartAxis>();
  mLeftAxis->SetDefaultTitleAngle(90);
  mLeftAxis->Title().SetAngle(90);
  mRightAxis = NewAxis<TChartAxis>();
  mRightAxis->SetDefaultTitleAngle(270);
  mRightAxis->Title().SetAngle(270);
  mRightAxis->SetIsOtherSide(true);
  mDepthAxis = NewAxis<TChartDepthAxis>();
  mDepthAxis->SetVisible(false);
  mDepthAxis->SetIsDepth(true);
  mDepthAxis->SetIsOtherSide(true);
}

TCustomAxisPanel::~TCustomAxisPanel() {
  SetRepaintEnabled(false);
  ReleaseAllSeries();
  FreeAxes();
}

bool TCustomAxisPanel::ChartRepaintPending() const {
  return RepaintEnabled() && Canvas().Dirty() && PaintPending();
}

void TCustomAxisPanel::FreeAxes() {
  // An axis destructor may call RemoveAxis; work on a detached copy of the list.
  std::vector<TCustomChartAxis*> axes;
  axes.swap(mAxes);
  for (TCustomChartAxis* axis : axes) delete axis;

  mBottomAxis = mTopAxis = mLeftAxis = mRightAxis = nullptr;
  mDepthAxis = nullptr;
}

// ---- axis list ---------------------------------------------------------------------------------

TCustomChartAxis& TCustomAxisPanel::Axes(int32_t index) const {
  if (index < 0 || index >= AxisCount()) throw ChartException(ChartConst::AxisIndexOutOfRange);
  return *mAxes[static_cast<size_t>(index)];
}

void TCustomAxisPanel::AddAxis(TCustomChartAxis& axis) {
  if (std::find(mAxes.begin(), mAxes.end(), &axis) != mAxes.end()) return;
  mAxes.push_back(&axis);
}

void TCustomAxisPanel::RemoveAxis(TCustomChartAxis& axis) {
  mAxes.erase(std::remove(mAxes.begin(), mAxes.end(), &axis), mAxes.end());
}

void TCustomAxisPanel::SetBottomAxis(const TChartAxis& value) { mBottomAxis->CopySettingsFrom(value); }
void TCustomAxisPanel::SetTopAxis(const TChartAxis& value) { mTopAxis->CopySettingsFrom(value); }
void TCustomAxisPanel::SetLeftAxis(const TChartAxis& value) { mLeftAxis->CopySettingsFrom(value); }
void TCustomAxisPanel::SetRightAxis(const TChartAxis& value) { mRightAxis->CopySettingsFrom(value); }
void TCustomAxisPanel::SetDepthAxis(const TChartDepthAxis& value) { mDepthAxis->CopySettingsFrom(value); }

// ---- series list -------------------------------------------------------------------------------

TChartSeries& TCustomAxisPanel::SeriesAt(int32_t index) const {
  if (index < 0 || index >= mSeriesList.Count()) throw ChartException(ChartConst::SeriesIndexOutOfRange);
  return *mSeriesList[index];
}

void TCustomAxisPanel::AddSeriesToChart(TChartSeries* series) {
  if (series == nullptr || mSeriesList.Contains(series)) return;
  if (series->SeriesColor() == fw::clDefault) series->SetSeriesColor(PickSeriesColor(true));
  // Listed before the parent is set: a series that calls back into AddSeriesToChart from
  // SetParentChart finds itself listed and nothing happens twice.
  mSeriesList.Add(series);
  series->SetParentChart(this);
  RefreshSeriesDataSource(*series);
  Invalidate();
}

void TCustomAxisPanel::RemoveSeriesFromChart(TChartSeries* series) {
  if (series == nullptr || !mSeriesList.Contains(series)) return;
  series->DetachAllLinks();
  mSeriesList.Remove(series);
  series->SetParentChart(nullptr);
  if (Cursor() == series->Cursor()) SetCursor(RestingCursor());
  Invalidate();
}

void TCustomAxisPanel::ReleaseAllSeries() {
  while (!mSeriesList.Empty()) {
    TChartSeries* series = mSeriesList[0];
    RemoveSeriesFromChart(series);
    delete series;
  }
}

fw::TColor TCustomAxisPanel::PickSeriesColor(bool checkBackground) {
  for (int32_t i = 0; i < ChartPaletteSize; ++i)
    if (ColorIsFree(PaletteColor(i), checkBackground)) return PaletteColor(i);
  return PaletteColor(ChartPaletteSize);
}

TChartSeries* TCustomAxisPanel::FirstActiveSeries() const {
  for (TChartSeries* s : mSeriesList)
    if (s->Active()) return s;
  return nullptr;
}

TChartSeries* TCustomAxisPanel::SeriesAtLegendIndex(int32_t n) const {
  if (n < 0) return nullptr;
  for (TChartSeries* s : mSeriesList) {
    if (!s->Active() || !s->ShowInLegend()) continue;
    if (n == 0) return s;
    --n;
  }
  return nullptr;
}

std::string TCustomAxisPanel::LegendTitleOf(int32_t n) const {
  const TChartSeries* s = SeriesAtLegendIndex(n);
  if (s == nullptr) return {};
  if (!s->Title().empty()) return s->Title();
  if (!s->Name().empty()) return s->Name();
  return ChartConst::DefaultSeriesTitlePrefix + std::to_string(n);
}

TCustomChartAxis* TCustomAxisPanel::SeriesAxis(TSeriesAxisRole role) const {
  switch (role) {
    case sarBottomAxis: return mBottomAxis;
    case sarTopAxis: return mTopAxis;
    case sarLeftAxis: return mLeftAxis;
    case sarRightAxis: return mRightAxis;
    case sarDepthAxis: return mDepthAxis;
  }
  return mBottomAxis;
}

std::string TCustomAxisPanel::AxisValueText(TCustomChartAxis& axis, double value, const std::string&) {
  return axis.FormatAxisValue(value);
}

const TAxisScale& TCustomAxisPanel::SeriesAxisScale(const TCustomChartAxis& axis) const { return axis.Scale(); }

TCanvas3D& TCustomAxisPanel::Canvas3D() { return Canvas(); }

bool TCustomAxisPanel::IsValidDataSource(const TChartSeries& series, const fw::TComponent& source) const {
  const auto* other = dynamic_cast<const TChartSeries*>(&source);
  return other != nullptr && series.MayTakeAsSource(*other) && series.AcceptsDataSource(*other);
}

void TCustomAxisPanel::RefreshSeriesDataSource(TChartSeries& series) {
  if (series.IsLoading() || series.DataSources().empty()) return;
  series.RecalculateFromSources();
}

// ---- axis queries ------------------------------------------------------------------------------

bool TCustomAxisPanel::AxisShown(const TCustomChartAxis& axis) const {
  if (!mAxisVisible || !axis.Visible()) return false;
  if (OnlySeriesWithoutAxes()) return false;
  if (axis.IsDepth()) return View3D();
  bool anyUsesAxes = false;
  for (const TChartSeries* s : mSeriesList) {
    if (!s->Active() || !s->UseAxis()) continue;
    anyUsesAxes = true;
    if (s->UsesAxis(&axis)) return true;
  }
  return !anyUsesAxes;
}

bool TCustomAxisPanel::OnlySeriesWithoutAxes() const {
  bool anyActive = false;
  for (const TChartSeries* s : mSeriesList) {
    if (!s->Active()) continue;
    if (s->UseAxis()) return false;
    anyActive = true;
  }
  return anyActive;
}

bool TCustomAxisPanel::AxisHasNoActiveSeries(const TCustomChartAxis& axis) const {
  for (const TChartSeries* s : mSeriesList)
    if (s->Active() && s->UsesAxis(&axis)) return false;
  return true;
}

TChartSeries* TCustomAxisPanel::FirstSeriesOnAxis(const TCustomChartAxis& axis) const {
  TChartSeries* firstInactive = nullptr;
  for (TChartSeries* s : mSeriesList) {
    if (!s->UsesAxis(&axis)) continue;
    if (s->Active()) return s;
    if (firstInactive == nullptr) firstInactive = s;
  }
  return firstInactive;
}

double TCustomAxisPanel::PagedValue(const TChartSeries& series, int32_t index, bool wantX) {
  return wantX ? series.XValueOf(index) : series.YValueOf(index);
}

double TCustomAxisPanel::PagedRange(const TChartSeries* series, bool wantMinimum, bool wantX) const {
  if (series == nullptr) return 0;
  const int64_t n = series->PointCount();
  if (n <= 0) return 0;
  const int64_t p = mMaxPointsPerPage;
  int64_t first = (int64_t{mPage} - 1) * p;
  if (first >= n) first = std::max<int64_t>(0, n / p - 1) * p;
  int64_t last = first + p - 1;
  if (n <= last) last = first + (n % p) - 1;
  // A page past the end with no full page before it starts at 0 and holds the remainder;
  // a negative remainder index cannot occur because first is a multiple of p below n.
  const double vFirst = PagedValue(*series, static_cast<int32_t>(first), wantX);
  if (wantMinimum) return vFirst;
  const double vLast = PagedValue(*series, static_cast<int32_t>(last), wantX);
  const int64_t count = last - first + 1;
  if (mScaleLastPage || count >= p) return vLast;
  return vFirst + (vLast - vFirst) * static_cast<double>(p) / static_cast<double>(count);
}

double TCustomAxisPanel::SeriesRangeForAxis(const TCustomChartAxis& axis, bool wantMinimum, bool wantX) const {
  if (axis.IsDepth()) {
    if (axis.EffectiveLabelStyle() == talValue) {
      const TChartSeries* s = FirstActiveSeries();
      if (s == nullptr) return 0;
      return wantMinimum ? s->LowestZ() : s->HighestZ();
    }
    return wantMinimum ? -0.5 : mMaxDepthLevel + 0.5;
  }

  TChartSeries* first = FirstSeriesOnAxis(axis);
  if (mMaxPointsPerPage > 0) {
    const bool yMandatory = first == nullptr || first->YMandatory();
    const bool paged = wantX ? yMandatory : (first != nullptr && !first->YMandatory());
    if (paged) return PagedRange(first, wantMinimum, wantX);
  }

  const bool onlyActive = !AxisHasNoActiveSeries(axis);
  bool found = false;
  double result = 0;
  for (const TChartSeries* s : mSeriesList) {
    if (onlyActive && !s->Active()) continue;
    if (s->PointCount() <= 0) continue;
    const bool attached = wantX ? (s->ResolvedHorizAxis() == &axis || s->HorizAxis() == aBothHorizAxis)
                                : (s->ResolvedVertAxis() == &axis || s->VertAxis() == aBothVertAxis);
    if (!attached) continue;
    double v;
    if (wantX)
      v = wantMinimum ? s->LowestX() : s->HighestX();
    else
      v = wantMinimum ? s->LowestY() : s->HighestY();
    if (!found || (wantMinimum ? v < result : v > result)) result = v;
    found = true;
  }
  return result;
}

int32_t TCustomAxisPanel::WidestLabelText() const {
  int32_t widest = 0;
  int32_t lines = 0;
  for (const TChartSeries* s : mSeriesList) {
    if (!s->HasLabels()) continue;
    for (int32_t i = 0; i < s->PointCount(); ++i) {
      const std::string label = s->LabelOfPoint(i);
      if (!label.empty()) widest = std::max(widest, MeasureMultiLineText(label, lines));
    }
  }
  return widest;
}

int32_t TCustomAxisPanel::WidestMark() const {
  // The width of a mark box: its widest line plus one "W", plus the frame on both sides.
  int32_t widest = 0;
  int32_t lines = 0;
  TChartCanvas3D& canvas = Canvas();
  for (TChartSeries* s : mSeriesList) {
    if (!s->Active()) continue;
    const TSeriesMarks& marks = s->Marks();
    SelectFont(marks.Font());
    // In 64 bits, clamped: a frame as wide as the 32-bit range makes a box beyond any surface.
    const int64_t extra = int64_t{canvas.MeasureTextWidth("W")} +
                          (marks.Frame().Visible() ? 2 * int64_t{marks.Frame().Width()} : 0);
    for (int32_t i = 0; i < s->PointCount(); ++i) {
      if (s->IsNullPoint(i)) continue;
      const std::string text = s->MarkText(i);
      if (!text.empty())
        widest = std::max(widest, fw::ClampToInt32(int64_t{MeasureMultiLineText(text, lines)} + extra));
    }
  }
  return widest;
}

// ---- paging ------------------------------------------------------------------------------------

int32_t TCustomAxisPanel::AxisPageCount(const TCustomChartAxis& axis) const {
  int64_t n = 0;
  for (const TChartSeries* s : mSeriesList)
    if (s->Active() && s->UsesAxis(&axis)) n = std::max<int64_t>(n, s->PointCount());
  if (n <= 0) return 1;
  const int64_t p = mMaxPointsPerPage;
  return static_cast<int32_t>(n / p + (n % p > 0 ? 1 : 0));
}

int32_t TCustomAxisPanel::PageCount() const {
  if (mMaxPointsPerPage < 1 || mSeriesList.Empty()) return 1;
  if (mSeriesList[0]->YMandatory())
    return std::max(AxisPageCount(*mBottomAxis), AxisPageCount(*mTopAxis));
  return std::max(AxisPageCount(*mRightAxis), AxisPageCount(*mLeftAxis));
}

void TCustomAxisPanel::SetPage(int32_t value) {
  value = std::max(1, std::min(value, PageCount()));
  if (value == mPage) return;
  ChangeProperty(mPage, value);
  if (OnPageChange) OnPageChange(this);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int32_t value) {
  if (value < 0) throw ChartException(ChartConst::MaxPointsPerPageNegative);
  ChangeProperty(mMaxPointsPerPage, value);
  const int32_t pages = PageCount();
  if (pages < mPage) SetPage(pages);
}

// ---- the frame pipeline ------------------------------------------------------------------------

void TCustomAxisPanel::RefreshOutdatedSeries() {
  if (mRefreshingSeries) return;
  const bool anyLinked = std::any_of(mSeriesList.begin(), mSeriesList.end(),
                                     [](const TChartSeries* s) { return s->SourcesChanged() || !s->DataSources().empty(); });
  if (!anyLinked) return;
  mRefreshingSeries = true;
  try {
    // A handler run by a recalculation may change the list: walk a copy, skip series gone.
    const std::vector<TChartSeries*> series(mSeriesList.begin(), mSeriesList.end());
    for (TChartSeries* s : series)
      if (mSeriesList.Contains(s)) s->RefreshIfOutdated();
  } catch (...) {
    mRefreshingSeries = false;
    throw;
  }
  mRefreshingSeries = false;
}

void TCustomAxisPanel::DrawContent(const fw::TRect& bounds) {
  TChartCanvas3D& canvas = Canvas();
  RefreshOutdatedSeries();
  PaintPanelBackground(bounds);
  for (TChartSeries* s : mSeriesList)
    if (s->Active()) s->DoBeforeDrawChart();
  PlaceTitlesAndLegend();
  AssignDepthLevels();
  LayoutAxes();
  AssignDepthRanges();
  ApplySeriesMargins();
  canvas.SetProjectionCenter(DepthWidth(), PanelBounds(), PlotRect());
  if (canvas.PrefersDepthDrawing()) {
    const fw::TRect saved = PlotRect();
    SetPlotRect(PanelBounds());
    PlaceTitlesAndLegend();
    SetPlotRect(saved);
  }
  PaintWalls();
  if (mAxisVisible && AxesBeforeSeries) DrawVisibleAxes();
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
  for (TChartSeries* s : mSeriesList)
    if (s->Active()) DrawSeriesPass(*s);
  if (mAxisVisible && !AxesBeforeSeries) DrawVisibleAxes();
  if (ZoomDrag().InProgress) ToggleZoomFrame();
  canvas.ResetDrawingState();
  if (OnAfterDraw) OnAfterDraw(this);
}

void TCustomAxisPanel::DrawVisibleAxes() {
  if (OnBeforeDrawAxes) OnBeforeDrawAxes(this);
  for (TCustomChartAxis* axis : mAxes)
    if (AxisShown(*axis)) axis->DrawAxis(true);
}

void TCustomAxisPanel::AssignDepthLevels() {
  const bool stacked = StackSeriesInDepth() && View3D();
  mMaxDepthLevel = 0;
  if (stacked) {
    mMaxDepthLevel = -1;
    for (int32_t i = 0; i < mSeriesList.Count(); ++i) {
      TChartSeries* s = mSeriesList[i];
      if (!s->Active()) continue;
      if (s->FixedDepthLevel() == -1) {
        const TChartSeries* partner = DepthLevelPartner(*s);
        const int32_t at = partner ? mSeriesList.IndexOf(partner) : -1;
        if (at >= 0 && at < i && partner->Active() && partner->FixedDepthLevel() == -1) {
          s->SetDepthLevel(partner->DepthLevel());  // the partner's level, not yet turned around
          continue;
        }
        ++mMaxDepthLevel;
        s->SetDepthLevel(mMaxDepthLevel);
      } else {
        mMaxDepthLevel = std::max(mMaxDepthLevel, s->FixedDepthLevel());
      }
    }
  }
  for (TChartSeries* s : mSeriesList) {
    if (!s->Active()) continue;
    const int32_t own = s->FixedDepthLevel() != -1 ? s->FixedDepthLevel() : s->DepthLevel();
    s->SetDepthLevel(stacked ? mMaxDepthLevel - own : 0);
  }
}

void TCustomAxisPanel::ComputeDepthSizes() {
  if (!View3D()) {
    mSeriesDepth = fw::TPoint{0, 0};
    SetDepthSizes(0, 0);
    return;
  }
  // Width x percent x 0.001 x factor, evaluated exactly: the product is an integer, so the
  // quotient by 1000 lands on a tie exactly when the true value does.
  const int64_t factor = View3DOptions().Orthogonal() ? 1 : 2;
  const int64_t thousandths = int64_t{PlotWidth()} * Chart3DPercent() * factor;
  const int32_t s = fw::RoundHalfEven(static_cast<long double>(thousandths) / 1000.0L);
  mSeriesDepth = fw::TPoint{s, s};
  const int64_t k = StackSeriesInDepth() ? std::max(1, mMaxDepthLevel + 1) : 1;
  const auto total = static_cast<int32_t>(std::clamp<int64_t>(k * s, INT32_MIN, INT32_MAX));
  SetDepthSizes(total, total);
}

void TCustomAxisPanel::AssignDepthRanges() {
  const int32_t depth = mSeriesDepth.X;
  for (TChartSeries* s : mSeriesList) {
    if (!s->Active()) continue;
    const int32_t start = depth * s->DepthLevel();
    const int32_t end = start + depth;
    s->SetDepthRange(start, (start + end) / 2, end);
    s->Marks().SetDepthPosition((start + end) / 2);
  }
}

void TCustomAxisPanel::ClipSeries() {
  Canvas().ClipToBox(PlotRect(), 0, DepthWidth());
}

void TCustomAxisPanel::DrawSeriesMarks(TChartSeries& series) {
  if (!series.Marks().Visible()) return;
  const bool clip = series.Marks().Clip() && ClippingAllowed();
  if (clip) ClipSeries();
  series.DrawMarks();
  if (clip) Canvas().RemoveClipping();
}

bool TCustomAxisPanel::SharesDepthLevel(const TChartSeries& series) const {
  if (!View3D() || !StackSeriesInDepth()) return false;
  for (const TChartSeries* other : mSeriesList)
    if (other != &series && other->Active() && !other->HasZValues() &&
        other->EffectiveDepthLevel() == series.EffectiveDepthLevel())
      return true;
  return false;
}

void TCustomAxisPanel::DrawSeriesPass(TChartSeries& series) {
  if (SharesDepthLevel(series))
    DrawDepthLevelGroup(series);
  else
    DrawSeriesAlone(series);
}

void TCustomAxisPanel::DrawSeriesAlone(TChartSeries& series) {
  series.UpdateVisibleRange();
  if (series.FirstVisible() == -1) return;
  series.DoBeforeDrawValues();
  const bool clip = mClipPoints && ClippingAllowed();
  if (clip) ClipSeries();
  series.DrawAllPoints();
  if (clip) Canvas().RemoveClipping();
  DrawSeriesMarks(series);
  series.DoAfterDrawValues();
}

void TCustomAxisPanel::DrawDepthLevelGroup(TChartSeries& series) {
  const int32_t level = series.EffectiveDepthLevel();
  const int32_t start = mSeriesList.IndexOf(&series);
  // Only the first active series of the level draws the group.
  for (int32_t i = 0; i < start; ++i) {
    const TChartSeries* s = mSeriesList[i];
    if (s->Active() && s->EffectiveDepthLevel() == level) return;
  }
  auto member = [&](const TChartSeries* s) { return s->Active() && s->EffectiveDepthLevel() == level; };

  // The group's range runs from the smallest first visible index of its members to the largest
  // last one, so that no member loses points that lie before another member's first point.
  int32_t first = -1;
  int32_t last = -1;
  for (int32_t i = start; i < mSeriesList.Count(); ++i) {
    TChartSeries* s = mSeriesList[i];
    if (!member(s)) continue;
    s->UpdateVisibleRange();
    if (s->FirstVisible() == -1) continue;
    s->DoBeforeDrawValues();
    first = first == -1 ? s->FirstVisible() : std::min(first, s->FirstVisible());
    last = std::max(last, s->LastVisible());
  }
  const bool clip = mClipPoints && ClippingAllowed();
  if (clip) ClipSeries();
  if (first != -1) {
    const bool forward = series.DrawValuesForward();
    const int32_t step = forward ? 1 : -1;
    for (int32_t index = forward ? first : last; forward ? index <= last : index >= first; index += step) {
      const bool listForward = series.DrawSeriesForward();
      const int32_t count = mSeriesList.Count();
      for (int32_t k = 0; k < count; ++k) {
        TChartSeries* s = mSeriesList[listForward ? k : count - 1 - k];
        if (member(s) && index < s->PointCount()) s->DrawOnePoint(index);
      }
    }
  }
  if (clip) Canvas().RemoveClipping();
  for (int32_t i = start; i < mSeriesList.Count(); ++i) {
    TChartSeries* s = mSeriesList[i];
    if (!member(s) || s->FirstVisible() == -1) continue;
    DrawSeriesMarks(*s);
    s->DoAfterDrawValues();
  }
}

// ---- copying -----------------------------------------------------------------------------------

void TCustomAxisPanel::Assign(const TCustomChartPanel& source) {
  if (auto* other = dynamic_cast<const TCustomAxisPanel*>(&source)) {
    mAxisVisible = other->mAxisVisible;
    mBottomAxis->CopySettingsFrom(*other->mBottomAxis);
    mTopAxis->CopySettingsFrom(*other->mTopAxis);
    mLeftAxis->CopySettingsFrom(*other->mLeftAxis);
    mRightAxis->CopySettingsFrom(*other->mRightAxis);
    mDepthAxis->CopySettingsFrom(*other->mDepthAxis);
    mClipPoints = other->mClipPoints;
    mMaxPointsPerPage = other->mMaxPointsPerPage;
    mPage = other->mPage;
    mScaleLastPage = other->mScaleLastPage;
    mView3DWalls = other->mView3DWalls;
  }
  TCustomChartPanelExtended::Assign(source);
}

}  // namespace chart

namespace chart {

std::string TCustomAxisPanel::SeriesMarkText(TChartSeries& series, int32_t index) { return series.MarkText(index); }

}  // namespace chart
