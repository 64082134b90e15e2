#pragma once
#include <cstdint>

#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

#include <string>

namespace fw {
class TComponent;
class TFont;
}  // namespace fw

namespace chart {

struct TAxisScale;
class TCanvas3D;
class TChartSeries;
class TCustomChartAxis;

/// The axes a series can be measured against, by their role on the chart.
enum TSeriesAxisRole { sarBottomAxis, sarTopAxis, sarLeftAxis, sarRightAxis, sarDepthAxis };

/// Everything a series asks of the chart that shows it. The axis panel implements it; a series
/// holds a non-owning pointer to its host (its ParentChart).
///
/// Attaching and detaching go through TChartSeries::SetParentChart only: the series stores its
/// new chart first, then calls RemoveSeriesFromChart on the old host and AddSeriesToChart on the
/// new one. Those two callbacks update the chart's series list; calling SetParentChart again from
/// inside them is harmless (the series ignores the nested call).
///
/// Names that the panel already uses for its own members (Invalidate, PlotRect, Canvas, View3D,
/// loading state) carry a `Chart` prefix, so that the panel can implement this interface next to
/// its own members. Operations that the axes' host interface declares too (ChartLoading,
/// InvalidateChart, ChartPlotRect, ChartView3D, Canvas3D) have the same signatures there: one
/// override in the panel serves both.
class TSeriesHost {
public:
  // ---- series list ----
  /// Appends the series to the chart's series list (nothing if already there); when the
  /// series' SeriesColor is clDefault it gives it PickSeriesColor(true); invalidates.
  virtual void AddSeriesToChart(TChartSeries* series) = 0;
  /// Removes the series from the chart's series list (nothing if not there); invalidates.
  virtual void RemoveSeriesFromChart(TChartSeries* series) = 0;
  /// First palette colour that no series of the chart uses (and, with checkBackground, that
  /// differs from the chart's colours); palette colour 0 when none is free.
  virtual fw::TColor PickSeriesColor(bool checkBackground) = 0;

  /// The chart's series in list order (stacked series find their siblings through it); a
  /// host without a list of its own answers 0 and nullptr.
  virtual int32_t ChartSeriesCount() const { return 0; }
  virtual TChartSeries* ChartSeriesAt(int32_t /*index*/) const { return nullptr; }

  // ---- repainting ----
  /// Marks the chart for repainting; the frame is drawn in the next paint, never here.
  virtual void InvalidateChart() = 0;
  /// True when InvalidateChart would change nothing now: a repaint was asked for and no frame
  /// has been drawn since. False when unknown.
  virtual bool ChartRepaintPending() const { return false; }

  // ---- state ----
  /// The chart is being read from a stored layout.
  virtual bool ChartLoading() const = 0;
  /// The chart's destructor runs (a series then requests no repaint).
  virtual bool ChartDestroying() const = 0;

  // ---- axes and layout of the last frame ----
  /// The chart's axis of that role; never null for a living chart.
  virtual TCustomChartAxis* SeriesAxis(TSeriesAxisRole role) const = 0;
  /// The value-to-pixel map of an axis of this chart. The series keeps the address (valid as
  /// long as the axis lives) and maps through it without further calls.
  virtual const TAxisScale& SeriesAxisScale(const TCustomChartAxis& axis) const = 0;
  /// The plot rectangle of the last frame (right and bottom exclusive).
  virtual fw::TRect ChartPlotRect() const = 0;

  // ---- drawing (used by series types while the chart paints) ----
  virtual TCanvas3D& Canvas3D() = 0;
  virtual bool ChartView3D() const = 0;

  // ---- mouse ----
  /// The chart's flag telling that a click handler consumed the current mouse press.
  virtual bool SuppressMouse() const = 0;
  virtual void SetSuppressMouse(bool value) = 0;

  // ---- data sources ----
  /// Whether the chart accepts `source` as a data source of `series` (a series other than
  /// `series` itself that `series` accepts). Cycles are checked by the series.
  virtual bool IsValidDataSource(const TChartSeries& series, const fw::TComponent& source) const = 0;
  /// Refreshes `series` from its data sources (unless it is loading): for a source series, the
  /// series takes a copy of the source's points (TChartSeries::RecalculateFromSources).
  virtual void RefreshSeriesDataSource(TChartSeries& series) = 0;

  // ---- services for drawing series and marks ----
  // The axis host declares the first three with the same signatures, so the panel's overrides
  // serve both; the defaults suit a host without printing, colour or fonts of its own.
  /// A print job draws the chart (styled thin lines then print at width 0).
  virtual bool ChartPrintingActive() const { return false; }
  /// The chart's background colour (marks' arrows avoid it).
  virtual fw::TColor ChartColor() const { return fw::clWhite; }
  /// The legend's colour recorded by the last legend painted (the background of its symbols).
  virtual fw::TColor ChartLegendColor() const { return fw::clWhite; }
  /// Selects the font on the chart canvas (sizes converted at the canvas' resolution).
  virtual void ChartSelectFont(const fw::TFont& font);
  /// `value` as the axis labels it (number or date-time format, the chart's label event).
  /// The default formats with `fallbackFormat`; the panel answers with the axis' label text.
  virtual std::string AxisValueText(TCustomChartAxis& axis, double value, const std::string& fallbackFormat);
  /// The text the chart's legend shows for point valueIndex of the series (empty here).
  virtual std::string FormattedLegendValue(TChartSeries& /*series*/, int32_t /*valueIndex*/) { return {}; }

protected:
  TSeriesHost() = default;
  TSeriesHost(const TSeriesHost&) = default;
  TSeriesHost& operator=(const TSeriesHost&) = default;
  ~TSeriesHost() = default;
};

}  // namespace chart
