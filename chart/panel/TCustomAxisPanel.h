#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/axes/AxisTypes.h"
#include "chart/axes/TAxisHost.h"
#include "chart/data/TSeriesHost.h"
#include "chart/panel/TChartSeriesList.h"
#include "chart/panel/TCustomChartPanelExtended.h"
#include "framework/graphics/TPoint.h"

namespace chart {

struct TAxisScale;
class TChartSeries;
class TCustomChartAxis;
class TChartAxis;
class TChartDepthAxis;

/// A chart panel with series and axes: owns the series list and the axis list (the five
/// built-in axes first), answers the axes' range queries (with paging) and runs the frame
/// pipeline. Walls, titles, legend and the axis layout are supplied by TCustomChart.
/// It is the host of its series and axes: they reach the chart through TSeriesHost and TAxisHost.
class TCustomAxisPanel : public TCustomChartPanelExtended, public TSeriesHost, public TAxisHost {
public:
  explicit TCustomAxisPanel(fw::TComponent* owner = nullptr);
  ~TCustomAxisPanel() override;

  // ---- steps supplied by the chart ------------------------------------------------------------

  /// Axis ranges, 3D depth sizes, the space each shown axis reserves, axis pixel positions.
  virtual void LayoutAxes() = 0;
  /// Widens automatic axis ends so that series keep their pixel margins.
  virtual void ApplySeriesMargins() = 0;
  /// Wall thickness (pixels) an axis adds to the space it reserves; 0 in 2D.
  int32_t WallThicknessForAxis(const TCustomChartAxis& axis) const override = 0;
  /// Draws title, foot and legend, moving the edges of PlotRect inward past them.
  virtual void PlaceTitlesAndLegend() = 0;
  /// Draws the back, left and bottom walls.
  virtual void PaintWalls() = 0;
  /// Whether no series (and, when checkBackground, neither the panel nor the back wall) uses
  /// the colour.
  virtual bool ColorIsFree(fw::TColor color, bool checkBackground) const = 0;

  // ---- the frame pipeline -----------------------------------------------------------------------

  void DrawContent(const fw::TRect& bounds) override;
  /// Raises OnBeforeDrawAxes, then draws every shown axis in axis-list order.
  void DrawVisibleAxes();
  /// Gives every active series its depth level; the first series of the list lies deepest.
  void AssignDepthLevels();
  /// SeriesDepth, DepthWidth and DepthHeight from PlotWidth and Chart3DPercent (0 in 2D).
  void ComputeDepthSizes();
  /// DepthStart, DepthEnd, DepthMiddle (and the marks' depth) of every active series.
  void AssignDepthRanges();
  /// Draws one active series (or, in 3D, the interleaved group of its depth level).
  void DrawSeriesPass(TChartSeries& series);

  // ---- series list ------------------------------------------------------------------------------

  TChartSeriesList& SeriesList() { return mSeriesList; }
  const TChartSeriesList& SeriesList() const { return mSeriesList; }
  int32_t SeriesCount() const override { return mSeriesList.Count(); }
  int32_t ChartSeriesCount() const override { return mSeriesList.Count(); }
  TChartSeries* ChartSeriesAt(int32_t index) const override {
    return index >= 0 && index < mSeriesList.Count() ? mSeriesList[index] : nullptr;
  }
  /// Series at index; throws ChartException for an index outside the list.
  TChartSeries& SeriesAt(int32_t index) const override;
  /// Appends the series (nothing when already listed), gives it a free colour when it has none,
  /// makes this chart its parent, refreshes it from its data source and invalidates.
  void AddSeriesToChart(TChartSeries* series) override;
  /// Removes the series from the list (nothing when not listed): drops its links to other series
  /// (its data sources and dependents), clears its parent chart and invalidates.
  void RemoveSeriesFromChart(TChartSeries* series) override;
  /// Detaches and frees every series of the list.
  void ReleaseAllSeries();
  /// First palette colour that ColorIsFree accepts; red when none is free.
  fw::TColor PickSeriesColor(bool checkBackground) override;
  /// First active series in list order, or nullptr.
  TChartSeries* FirstActiveSeries() const;
  /// The n-th (from 0) active series shown in the legend, or nullptr.
  TChartSeries* SeriesAtLegendIndex(int32_t n) const;
  /// Title, else component name, else "Series n" of SeriesAtLegendIndex(n); empty when none.
  std::string LegendTitleOf(int32_t n) const override;

  // ---- the rest of the series and axis hosts -------------------------------------------------

  /// Invalidates, except for the series' own requests while they recalculate at the start of a
  /// frame (those points are part of the frame being drawn).
  void InvalidateChart() override {
    if (!mRefreshingSeries) Invalidate();
  }
  /// Recalculates every listed series whose sources or function changed since its last
  /// calculation (sources first). The frame does it before anything is laid out.
  void RefreshOutdatedSeries();
  /// Invalidating again changes nothing while repainting is on, the canvas is marked dirty and
  /// the paint asked for has not started.
  bool ChartRepaintPending() const override;
  bool ChartLoading() const override { return IsLoading(); }
  bool ChartDestroying() const override { return IsDestroying(); }
  TCustomChartAxis* SeriesAxis(TSeriesAxisRole role) const override;
  const TAxisScale& SeriesAxisScale(const TCustomChartAxis& axis) const override;
  /// The value as the axis labels it.
  std::string AxisValueText(TCustomChartAxis& axis, double value, const std::string& fallbackFormat) override;
  fw::TRect ChartPlotRect() const override { return PlotRect(); }
  bool ChartView3D() const override { return View3D(); }
  bool SuppressMouse() const override { return TCustomChartPanel::SuppressMouse(); }
  void SetSuppressMouse(bool value) override { TCustomChartPanel::SetSuppressMouse(value); }
  /// A series other than `series` that `series` accepts.
  bool IsValidDataSource(const TChartSeries& series, const fw::TComponent& source) const override;
  /// Copies the points of the source series into `series`, unless it is being loaded.
  void RefreshSeriesDataSource(TChartSeries& series) override;
  TCustomChartPanel* ChartPanel() override { return this; }
  int32_t ChartDepthWidth() const override { return DepthWidth(); }
  fw::TColor ChartColor() const override { return Color(); }
  bool ChartPrintingActive() const override { return PrintingActive(); }
  TCanvas3D& Canvas3D() override;
  void ChartSelectFont(const fw::TFont& font) override { SelectFont(font); }
  int32_t ChartMeasureMultiLineText(const std::string& text, int32_t& lineCount) override {
    return MeasureMultiLineText(text, lineCount);
  }
  const TAxisOnGetLabel& GetAxisLabelHandler() const override { return OnGetAxisLabel; }
  const TAxisOnGetNextLabel& GetNextAxisLabelHandler() const override { return OnGetNextAxisLabel; }

  // ---- axes -------------------------------------------------------------------------------------

  TChartAxis& BottomAxis() const { return *mBottomAxis; }
  TChartAxis& TopAxis() const { return *mTopAxis; }
  TChartAxis& LeftAxis() const { return *mLeftAxis; }
  TChartAxis& RightAxis() const { return *mRightAxis; }
  TChartDepthAxis& DepthAxis() const { return *mDepthAxis; }
  /// Setting an axis copies its settings into the owned axis.
  void SetBottomAxis(const TChartAxis& value);
  void SetTopAxis(const TChartAxis& value);
  void SetLeftAxis(const TChartAxis& value);
  void SetRightAxis(const TChartAxis& value);
  void SetDepthAxis(const TChartDepthAxis& value);

  /// The axis list: bottom, top, left, right, depth, then any further axes.
  int32_t AxisCount() const override { return static_cast<int32_t>(mAxes.size()); }
  /// Axis at a list position; throws ChartException outside the list.
  TCustomChartAxis& Axes(int32_t index) const override;
  /// Called by an axis when it is created: appends it and takes ownership (freed with the chart).
  void AddAxis(TCustomChartAxis& axis) override;
  /// Called by an axis that is freed before the chart: forgets it (no-op when not listed).
  void RemoveAxis(TCustomChartAxis& axis) override;


  // ---- queries the axes ask ---------------------------------------------------------------------

  /// Whether the axis is drawn and reserves space in this frame: an axis of an active series,
  /// or any axis of a chart without active series. A chart whose active series all draw
  /// without axes (pies) shows none.
  bool AxisShown(const TCustomChartAxis& axis) const override;
  /// True when there are active series and none of them uses axes (a chart of pies): neither
  /// axes nor walls are drawn.
  bool OnlySeriesWithoutAxes() const;
  /// True when no active series is associated with the axis.
  bool AxisHasNoActiveSeries(const TCustomChartAxis& axis) const;
  /// First active series on the axis; when it has none, the first inactive one; else nullptr.
  TChartSeries* FirstSeriesOnAxis(const TCustomChartAxis& axis) const;
  /// Smallest (wantMinimum) or largest data value of the series on the axis in one direction
  /// (wantX: horizontal values), one page at a time when paging applies; 0 without data.
  double SeriesRangeForAxis(const TCustomChartAxis& axis, bool wantMinimum, bool wantX) const override;
  /// Widest point label (multi-line aware) over every series; 0 when none has labels.
  int32_t WidestLabelText() const override;
  /// Widest mark over the active series.
  int32_t WidestMark() const override;
  std::string SeriesMarkText(TChartSeries& series, int32_t index) override;

  // ---- paging -----------------------------------------------------------------------------------

  /// Current page, 1-based; the setter clamps to 1..PageCount and raises OnPageChange.
  int32_t Page() const { return mPage; }
  virtual void SetPage(int32_t value);
  /// Points per page; 0 means no paging. Throws ChartException when negative.
  int32_t MaxPointsPerPage() const { return mMaxPointsPerPage; }
  void SetMaxPointsPerPage(int32_t value);
  /// The last, partial page is scaled to its own points (true) or as if full (false).
  bool ScaleLastPage() const { return mScaleLastPage; }
  void SetScaleLastPage(bool value) { ChangeProperty(mScaleLastPage, value); }
  /// Number of pages: 1 without paging or series.
  int32_t PageCount() const;

  // ---- other settings ---------------------------------------------------------------------------

  bool View3DWalls() const { return mView3DWalls; }  ///< default true
  void SetView3DWalls(bool value) { ChangeProperty(mView3DWalls, value); }
  bool ClipPoints() const { return mClipPoints; }  ///< default true
  void SetClipPoints(bool value) { ChangeProperty(mClipPoints, value); }
  bool AxisVisible() const { return mAxisVisible; }  ///< default true: master switch of all axes
  void SetAxisVisible(bool value) { ChangeProperty(mAxisVisible, value); }
  /// Axes are drawn before the series (the series cover grid and axis lines).
  static constexpr bool AxesBeforeSeries = true;

  /// Highest depth level and the depth of one series slot, from the last frame.
  int32_t MaxDepthLevel() const { return mMaxDepthLevel; }
  const fw::TPoint& SeriesDepth() const { return mSeriesDepth; }

  TAxisOnGetLabel OnGetAxisLabel;          ///< raised by the axes for every label
  TAxisOnGetNextLabel OnGetNextAxisLabel;  ///< lets the host supply the label values
  fw::TNotifyEvent OnPageChange;
  fw::TNotifyEvent OnBeforeDrawAxes;
  fw::TNotifyEvent OnBeforeDrawSeries;

  /// Copies AxisVisible, the five axes, ClipPoints, the paging settings and View3DWalls,
  /// then the panel settings.
  void Assign(const TCustomChartPanel& source) override;

private:
  /// Value of point index on the paged axis.
  static double PagedValue(const TChartSeries& series, int32_t index, bool wantX);
  double PagedRange(const TChartSeries* series, bool wantMinimum, bool wantX) const;
  int32_t AxisPageCount(const TCustomChartAxis& axis) const;
  bool SharesDepthLevel(const TChartSeries& series) const;
  void DrawSeriesAlone(TChartSeries& series);
  void DrawDepthLevelGroup(TChartSeries& series);
  void ClipSeries();
  void DrawSeriesMarks(TChartSeries& series);
  void FreeAxes();
  template <typename T>
  T* NewAxis();

  TChartSeriesList mSeriesList;
  TChartDepthAxis* mDepthAxis = nullptr;
  TChartAxis* mTopAxis = nullptr;
  TChartAxis* mBottomAxis = nullptr;
  TChartAxis* mLeftAxis = nullptr;
  TChartAxis* mRightAxis = nullptr;
  bool mRefreshingSeries = false;
  bool mView3DWalls = true;
  bool mClipPoints = true;
  bool mAxisVisible = true;
  int32_t mPage = 1;
  int32_t mMaxPointsPerPage = 0;
  bool mScaleLastPage = true;
  int32_t mMaxDepthLevel = 0;
  fw::TPoint mSeriesDepth;
  std::vector<TCustomChartAxis*> mAxes;  // owned, freed first to last

};

}  // namespace chart
