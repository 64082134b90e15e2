#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "chart/panel/ChartMouseTypes.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TChartTitle.h"
#include "chart/panel/TChartWall.h"
#include "chart/panel/TCustomAxisPanel.h"
#include "chart/panel/ZoomPanningMath.h"

namespace chart {

/// The complete chart: the axis panel with title, foot and the back, left and bottom walls,
/// and the chart's own steps of the frame pipeline (axis layout, series margins, walls, titles).
class TCustomChart : public TCustomAxisPanel {
public:
  explicit TCustomChart(fw::TComponent* owner = nullptr);
  ~TCustomChart() override;

  std::string ClassName() const override { return "TCustomChart"; }

  // ---- frame pipeline steps ---------------------------------------------------------------------

  void LayoutAxes() override;
  void ApplySeriesMargins() override;
  int32_t WallThicknessForAxis(const TCustomChartAxis& axis) const override;
  void PlaceTitlesAndLegend() override;
  void PaintWalls() override;
  bool ColorIsFree(fw::TColor color, bool checkBackground) const override;
  /// The background picture covers the whole panel only when it is not drawn inside the back wall.
  void DrawBackgroundImage(const fw::TRect& rect) override;

  /// Loads a wall's pen and fill into the canvas.
  void SelectWallStyle(const TCustomChartWall& wall);

  // ---- elements -------------------------------------------------------------------------------

  TChartWall& BackWall() const { return *mBackWall; }
  TChartWall& BottomWall() const { return *mBottomWall; }
  TChartWall& LeftWall() const { return *mLeftWall; }
  TChartTitle& Title() const { return *mTitle; }
  TChartTitle& Foot() const { return *mFoot; }
  /// Setting an element copies the values into the owned one.
  void SetBackWall(const TCustomChartWall& value) { mBackWall->Assign(value); }
  void SetBottomWall(const TCustomChartWall& value) { mBottomWall->Assign(value); }
  void SetLeftWall(const TCustomChartWall& value) { mLeftWall->Assign(value); }
  void SetTitle(const TChartTitle& value) { mTitle->Assign(value); }
  void SetFoot(const TChartTitle& value) { mFoot->Assign(value); }
  TChartLegend& Legend() const { return *mLegend; }
  void SetLegend(const TCustomChartLegend& value) { mLegend->Assign(value); }

  // ---- legend support ---------------------------------------------------------------------------

  /// Text of legend item n: the legend's formatting, then OnGetLegendText may replace it.
  std::string LegendTextFor(int32_t n);
  /// The legend's text of point valueIndex of the series (text style and line breaks applied).
  std::string FormattedLegendValue(TChartSeries& series, int32_t valueIndex) override;
  /// The legend's Color: the background of the series' legend symbols.
  fw::TColor ChartLegendColor() const override { return mLegend ? mLegend->Color() : fw::clWhite; }

  TOnGetLegendPos OnGetLegendPos;    ///< may move each legend item
  TOnGetLegendRect OnGetLegendRect;  ///< may move or resize the legend box
  TOnGetLegendText OnGetLegendText;  ///< may replace each legend item's text

  /// The background picture is drawn inside the back wall instead of over the panel; default false.
  bool BackImageInside() const { return mBackImageInside; }
  void SetBackImageInside(bool value) { ChangeProperty(mBackImageInside, value); }

  /// The back wall's colour. Set at run time on a chart inside a window, it also makes the back
  /// wall's brush solid so that the colour shows.
  fw::TColor BackColor() const { return mBackWall ? mBackWall->Color() : fw::clDefault; }
  void SetBackColor(fw::TColor value);
  /// The back wall's pen (nullptr once the back wall is gone); setting copies into it.
  TChartPen* Frame() const { return mBackWall ? &mBackWall->Pen() : nullptr; }
  void SetFrame(const fw::TPen& value);

  /// Copies BackImageInside, the walls, the legend and the titles, then the axis panel's settings.
  void Assign(const TCustomChartPanel& source) override;

  // ---- mouse: clicks, zoom and panning ------------------------------------------------------------

  /// Offers the press to the click events (series, axis, legend, background), then starts a
  /// zoom (ZoomButton) or panning (PanButton) drag unless a handler kept SuppressMouse set.
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) override;
  /// Moves the zoom frame, pans the axes, or shows the cursor of a series under the mouse.
  void MouseMove(fw::TShiftState shift, int32_t x, int32_t y) override;
  /// Ends the drags: a zoom drag of more than 16 pixels both ways zooms (right and down) or
  /// undoes the zoom (any other direction).
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) override;
  /// The wheel scrolls the vertical axes by 3 % of their range (down: toward higher values).
  bool MouseWheelDown(fw::TShiftState shift, int32_t x, int32_t y) override;
  bool MouseWheelUp(fw::TShiftState shift, int32_t x, int32_t y) override;

  /// The element under (x, y): series point, axis, title, foot, plot area or legend item.
  THitResult HitTestChart(int32_t x, int32_t y) const;
  /// Zooms the four side axes to the values under the frame of ZoomDrag.
  virtual void ZoomToFrame();
  /// Zooms the left, right, top and bottom axes to their targets (animated when AnimatedZoom),
  /// saving the axis scales first unless they are held already; raises OnZoom.
  void ApplyZoom(const TAxisZoomTarget& left, const TAxisZoomTarget& right, const TAxisZoomTarget& top,
                 const TAxisZoomTarget& bottom);
  /// Undo of zoom and panning: the saved axis scales return (when held); raises OnUndoZoom.
  void RestoreZoom();
  void UndoZoom() { RestoreZoom(); }
  /// Records / restores the range settings of the top, left, right and bottom axes.
  void SnapshotAxisScales();
  void RecallAxisScales();
  /// Moves every vertical axis (the depth axis too) by 3 % of its range; up moves toward higher values.
  void WheelScrollVertical(bool up);

  /// A snapshot of the axis scales is held (taken by the first zoom or pan after an undo).
  bool SavedScalesValid() const { return mSavedScalesValid; }
  /// Saved scales of the top, left, right and bottom axes, in this order.
  const std::array<TAxisSavedScale, 4>& SavedScales() const { return mSavedScales; }

  TChartAllowScrollEvent OnAllowScroll;  ///< may change or refuse each axis' move while panning
  TChartClickAxis OnClickAxis;
  TChartClickSeries OnClickSeries;
  TChartClick OnClickLegend;
  TChartClick OnClickBackground;

private:
  void OfferBackgroundClick(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y, bool& handled);
  void StartZoomOrPan(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y, bool& handled);
  void MoveZoomFrame(int32_t x, int32_t y);
  void PanByDrag(int32_t x, int32_t y);
  void PanDirection(bool horizontal, int32_t newPos, int32_t oldPos, bool& moved);
  void ShiftAxisByDrag(TCustomChartAxis& axis, int32_t oldPos, int32_t newPos);
  bool SeriesUnderMouse(fw::TShiftState shift, int32_t x, int32_t y);
  void EndZoomDrag(int32_t x, int32_t y);
  bool StepAxesToward(const TAxisZoomTarget (&targets)[4]);
  std::array<TCustomChartAxis*, 4> SavedScaleAxes() const;

  bool mSavedScalesValid = false;
  std::array<TAxisSavedScale, 4> mSavedScales{};
  void PaintBackWall();
  void PaintSideWalls();

  bool mBackImageInside = false;
  std::unique_ptr<TChartWall> mBackWall;
  std::unique_ptr<TChartWall> mBottomWall;
  std::unique_ptr<TChartTitle> mFoot;
  std::unique_ptr<TChartWall> mLeftWall;
  std::unique_ptr<TChartLegend> mLegend;
  std::unique_ptr<TChartTitle> mTitle;
};

/// The chart control of a window.
class TChart : public TCustomChart {
public:
  using TCustomChart::TCustomChart;
  std::string ClassName() const override { return "TChart"; }
};

}  // namespace chart
