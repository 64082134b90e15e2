// The chart's mouse handling: clicks on its elements, the rubber-band zoom and its undo,
// panning with the other button, wheel scrolling and the series cursor.
#include <cmath>

#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TChartSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TPen.h"

namespace chart {

namespace {

bool HoldsKeys(fw::TShiftState shift, fw::TShiftState keys) { return (shift & keys) == keys; }

// Clears the chart's SuppressMouse when a press has been handled, also when a click handler
// throws: a flag left over from a failed handler would silently swallow the next press.
class SuppressMouseReset {
public:
  explicit SuppressMouseReset(TCustomChart& chart) : mChart(chart) {}
  ~SuppressMouseReset() { mChart.SetSuppressMouse(false); }
  SuppressMouseReset(const SuppressMouseReset&) = delete;
  SuppressMouseReset& operator=(const SuppressMouseReset&) = delete;

private:
  TCustomChart& mChart;
};

}  // namespace

// ---- hit test -----------------------------------------------------------------------------------

THitResult TCustomChart::HitTestChart(int32_t x, int32_t y) const {
  THitResult hit;
  const TChartSeriesList& list = SeriesList();
  // The last series is drawn on top: it is hit first.
  for (int32_t i = list.Count() - 1; i >= 0; --i) {
    TChartSeries* series = list[i];
    if (!series->Active()) continue;
    const int32_t index = series->ClickedIndex(x, y);
    if (index == -1) continue;
    hit.HitKind = hkSeries;
    hit.HitIndex = index;
    hit.HitSeries = series;
    return hit;
  }
  for (int32_t i = 0; i < AxisCount(); ++i) {
    TCustomChartAxis& axis = Axes(i);
    if (!axis.AxisContainsPoint(x, y)) continue;
    hit.HitKind = hkAxis;
    hit.HitAxis = &axis;
    return hit;
  }
  if (Title().ContainsPoint(x, y)) {
    hit.HitKind = hkTitle;
    return hit;
  }
  if (Foot().ContainsPoint(x, y)) {
    hit.HitKind = hkFoot;
    return hit;
  }
  if (PlotRect().Contains(x, y) && FirstActiveSeries()) {
    hit.HitKind = hkPlotArea;
    return hit;
  }
  hit.HitIndex = Legend().Clicked(x, y);
  if (hit.HitIndex != -1) hit.HitKind = hkLegend;
  return hit;
}

// ---- press --------------------------------------------------------------------------------------

void TCustomChart::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) {
  TCustomAxisPanel::MouseDown(button, shift, x, y);
  if (ZoomDrag().InProgress || PanDrag().InProgress) return;
  // A handler of an earlier event asked the chart to leave this press alone.
  if (SuppressMouse()) {
    SetSuppressMouse(false);
    return;
  }
  const SuppressMouseReset reset(*this);
  const THitResult hit = HitTestChart(x, y);
  bool handled = false;
  switch (hit.HitKind) {
    case hkLegend:
      if (OnClickLegend) {
        SetSuppressMouse(true);
        OnClickLegend(this, button, shift, x, y);
        handled = SuppressMouse();
      }
      break;
    case hkSeries:
      handled = hit.HitSeries->MouseClickOnSeries(hit.HitIndex, button, shift, x, y);
      if (OnClickSeries) {
        SetSuppressMouse(true);
        OnClickSeries(this, hit.HitSeries, hit.HitIndex, button, shift, x, y);
        handled = SuppressMouse();
      }
      if (!handled) StartZoomOrPan(button, shift, x, y, handled);
      break;
    case hkAxis:
      if (OnClickAxis) {
        SetSuppressMouse(true);
        OnClickAxis(this, hit.HitAxis, button, shift, x, y);
        handled = SuppressMouse();
      }
      if (!handled) StartZoomOrPan(button, shift, x, y, handled);
      break;
    case hkPlotArea:
      OfferBackgroundClick(button, shift, x, y, handled);
      if (!handled) StartZoomOrPan(button, shift, x, y, handled);
      break;
    case hkTitle:
    case hkFoot:
    case hkNone: break;
  }
  if (!handled) OfferBackgroundClick(button, shift, x, y, handled);
}

void TCustomChart::OfferBackgroundClick(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y,
                                        bool& handled) {
  if (!OnClickBackground) return;
  SetSuppressMouse(true);
  OnClickBackground(this, button, shift, x, y);
  handled = SuppressMouse();
}

void TCustomChart::StartZoomOrPan(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y,
                                  bool& handled) {
  using namespace ChartMouseSettings;
  if (AllowZoom() && button == ZoomButton && HoldsKeys(shift, ZoomKeys)) {
    SetCursor(fw::crDefault);
    ZoomDrag().OpenDrag(x, y);
    ToggleZoomFrame();
    handled = true;
  }
  if (AllowPanning() != pmNone && button == PanButton && HoldsKeys(shift, PanKeys)) {
    SetCursor(fw::crDefault);
    PanDrag().OpenDrag(x, y);
    handled = true;
  }
}

// ---- move ---------------------------------------------------------------------------------------

void TCustomChart::MouseMove(fw::TShiftState shift, int32_t x, int32_t y) {
  TCustomAxisPanel::MouseMove(shift, x, y);
  if (ZoomDrag().InProgress)
    MoveZoomFrame(x, y);
  else if (PanDrag().InProgress)
    PanByDrag(x, y);
  else if (!SeriesUnderMouse(shift, x, y))
    SetCursor(RestingCursor());
}

void TCustomChart::MoveZoomFrame(int32_t x, int32_t y) {
  TZoomPanningRecord& drag = ZoomDrag();
  if (x == drag.DragEndX && y == drag.DragEndY) return;
  // Not-xor: drawing the old frame again erases it.
  ToggleZoomFrame();
  drag.DragEndX = x;
  drag.DragEndY = y;
  ToggleZoomFrame();
}

void TCustomChart::PanByDrag(int32_t x, int32_t y) {
  TZoomPanningRecord& drag = PanDrag();
  if (!PlotRect().Contains(x, y)) {
    drag.InProgress = false;
    return;
  }
  if (x == drag.DragEndX && y == drag.DragEndY) return;
  if (!mSavedScalesValid) {
    SnapshotAxisScales();
    mSavedScalesValid = true;
  }
  bool moved = false;
  PanDirection(true, x, drag.DragEndX, moved);
  PanDirection(false, y, drag.DragEndY, moved);
  drag.DragEndX = x;
  drag.DragEndY = y;
  if (!moved) return;
  if (OnScroll) OnScroll(this);
  Invalidate();
}

void TCustomChart::PanDirection(bool horizontal, int32_t newPos, int32_t oldPos, bool& moved) {
  if (newPos == oldPos || !PanningAllows(AllowPanning(), horizontal)) return;
  // By index: an OnAllowScroll handler may add or free axes.
  for (int32_t i = 0; i < AxisCount(); ++i) {
    TCustomChartAxis& axis = Axes(i);
    if (axis.IsDepth() || axis.IsHorizontal() != horizontal) continue;
    ShiftAxisByDrag(axis, oldPos, newPos);
  }
  moved = true;
}

void TCustomChart::ShiftAxisByDrag(TCustomChartAxis& axis, int32_t oldPos, int32_t newPos) {
  const double delta = PanOffsetOf(axis.Scale(), oldPos, newPos);
  double aMin = axis.Minimum() + delta;
  double aMax = axis.Maximum() + delta;
  bool allowScroll = true;
  if (OnAllowScroll) OnAllowScroll(&axis, aMin, aMax, allowScroll);
  // An end that overflowed (or a handler's NaN) would leave the axis unusable: it stays put.
  if (allowScroll && IsFiniteRange(aMin, aMax)) axis.SetAxisRange(aMin, aMax);
}

bool TCustomChart::SeriesUnderMouse(fw::TShiftState shift, int32_t x, int32_t y) {
  const TChartSeriesList& list = SeriesList();
  bool found = false;
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries& series = *list[i];
    if (!series.Active() || series.Cursor() == fw::crDefault || series.ClickedIndex(x, y) == -1) continue;
    SetCursor(series.Cursor());
    found = true;
    break;
  }
  for (int32_t i = 0; i < list.Count(); ++i) list[i]->MouseMoveOnSeries(shift, x, y);
  return found;
}

// ---- release ------------------------------------------------------------------------------------

void TCustomChart::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) {
  TCustomAxisPanel::MouseUp(button, shift, x, y);
  const TChartSeriesList& list = SeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) list[i]->MouseUpOnSeries(button, shift, x, y);
  if (ZoomDrag().InProgress && button == ChartMouseSettings::ZoomButton) EndZoomDrag(x, y);
  PanDrag().InProgress = false;
}

void TCustomChart::EndZoomDrag(int32_t x, int32_t y) {
  TZoomPanningRecord& drag = ZoomDrag();
  drag.InProgress = false;
  ToggleZoomFrame();
  Canvas().Pen().SetMode(fw::pmCopy);
  drag.DragEndX = x;
  drag.DragEndY = y;
  switch (ZoomDragOutcomeOf(drag)) {
    case zoNone: return;
    case zoZoom: ZoomToFrame(); break;
    case zoUndo: RestoreZoom(); break;
  }
  Invalidate();
}

// ---- zoom and its undo --------------------------------------------------------------------------

void TCustomChart::ZoomToFrame() {
  TZoomPanningRecord& drag = ZoomDrag();
  drag.NormalizeDrag();
  // The frame's lower edge (DragEndY) is the minimum of a vertical axis.
  ApplyZoom(ZoomTargetOf(LeftAxis().Scale(), drag.DragEndY, drag.DragStartY),
            ZoomTargetOf(RightAxis().Scale(), drag.DragEndY, drag.DragStartY),
            ZoomTargetOf(TopAxis().Scale(), drag.DragStartX, drag.DragEndX),
            ZoomTargetOf(BottomAxis().Scale(), drag.DragStartX, drag.DragEndX));
}

void TCustomChart::ApplyZoom(const TAxisZoomTarget& left, const TAxisZoomTarget& right, const TAxisZoomTarget& top,
                             const TAxisZoomTarget& bottom) {
  // Only the first zoom or pan after an undo saves: the undo returns to the state before it.
  if (!mSavedScalesValid) {
    SnapshotAxisScales();
    mSavedScalesValid = true;
  }
  const TAxisZoomTarget targets[4] = {left, right, top, bottom};
  if (AnimatedZoom()) {
    // Stops early once the steps no longer move any axis, so that a huge step count cannot
    // keep the window repainting the same frame.
    for (int32_t step = 1; step < AnimatedZoomSteps(); ++step) {
      if (!StepAxesToward(targets)) break;
      Repaint();
    }
  }
  TCustomChartAxis* axes[4] = {&LeftAxis(), &RightAxis(), &TopAxis(), &BottomAxis()};
  for (int32_t i = 0; i < 4; ++i) {
    if (IsFiniteRange(targets[i].Minimum, targets[i].Maximum))
      axes[i]->SetAxisRange(targets[i].Minimum, targets[i].Maximum);
  }
  SetZoomApplied(true);
  if (OnZoom) OnZoom(this);
}

bool TCustomChart::StepAxesToward(const TAxisZoomTarget (&targets)[4]) {
  TCustomChartAxis* axes[4] = {&LeftAxis(), &RightAxis(), &TopAxis(), &BottomAxis()};
  bool changed = false;
  for (int32_t i = 0; i < 4; ++i) {
    TCustomChartAxis& axis = *axes[i];
    const TAxisZoomTarget step = ZoomStepToward(axis.Minimum(), axis.Maximum(), targets[i]);
    if (!IsFiniteRange(step.Minimum, step.Maximum)) continue;
    const double oldMinimum = axis.Minimum();
    const double oldMaximum = axis.Maximum();
    axis.SetAxisRange(step.Minimum, step.Maximum);
    changed = changed || axis.Minimum() != oldMinimum || axis.Maximum() != oldMaximum;
  }
  return changed;
}

void TCustomChart::RestoreZoom() {
  if (mSavedScalesValid) RecallAxisScales();
  mSavedScalesValid = false;
  if (OnUndoZoom) OnUndoZoom(this);
  Invalidate();
  SetZoomApplied(false);
}

std::array<TCustomChartAxis*, 4> TCustomChart::SavedScaleAxes() const {
  return {&TopAxis(), &LeftAxis(), &RightAxis(), &BottomAxis()};
}

void TCustomChart::SnapshotAxisScales() {
  const std::array<TCustomChartAxis*, 4> axes = SavedScaleAxes();
  for (size_t i = 0; i < axes.size(); ++i) {
    const TCustomChartAxis& axis = *axes[i];
    mSavedScales[i] = {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(),
                       axis.Maximum()};
  }
}

void TCustomChart::RecallAxisScales() {
  const std::array<TCustomChartAxis*, 4> axes = SavedScaleAxes();
  for (size_t i = 0; i < axes.size(); ++i) {
    TCustomChartAxis& axis = *axes[i];
    const TAxisSavedScale& saved = mSavedScales[i];
    axis.SetAutomatic(saved.Automatic);
    axis.SetAutomaticMinimum(saved.AutomaticMinimum);
    axis.SetAutomaticMaximum(saved.AutomaticMaximum);
    if (axis.Automatic()) continue;
    axis.SetAxisRange(saved.Minimum, saved.Maximum);
    // Fixing the range clears both automatic ends; an axis with one automatic end gets it back.
    axis.SetAutomaticMinimum(saved.AutomaticMinimum);
    axis.SetAutomaticMaximum(saved.AutomaticMaximum);
  }
}

// ---- wheel --------------------------------------------------------------------------------------

bool TCustomChart::MouseWheelDown(fw::TShiftState shift, int32_t x, int32_t y) {
  TCustomAxisPanel::MouseWheelDown(shift, x, y);
  WheelScrollVertical(true);
  return true;
}

bool TCustomChart::MouseWheelUp(fw::TShiftState shift, int32_t x, int32_t y) {
  TCustomAxisPanel::MouseWheelUp(shift, x, y);
  WheelScrollVertical(false);
  return true;
}

void TCustomChart::WheelScrollVertical(bool up) {
  for (int32_t i = 0; i < AxisCount(); ++i) {
    TCustomChartAxis& axis = Axes(i);
    if (axis.IsHorizontal()) continue;
    const double offset = WheelScrollOffset(axis.Minimum(), axis.Maximum(), up);
    if (!IsFiniteRange(axis.Minimum() + offset, axis.Maximum() + offset)) continue;
    axis.ShiftRange(offset, false);
  }
}

}  // namespace chart
