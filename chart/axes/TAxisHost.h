#pragma once
#include <cstdint>
#include <string>

#include "chart/axes/AxisTypes.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace fw {
class TFont;
}

namespace chart {

class TCanvas3D;
class TChartSeries;
class TCustomChartAxis;
class TCustomChartPanel;

/// What an axis asks of the chart that owns it. The axis panel implements it; each axis keeps a
/// non-owning pointer (the chart owns its axes and outlives them). Names carry a `Chart` prefix
/// where the panel has a non-virtual member of the plain name.
class TAxisHost {
public:
  // ---- axis list -----------------------------------------------------------------------------
  /// Appends a newly created axis to the chart's axis list; the chart frees it.
  virtual void AddAxis(TCustomChartAxis& axis) = 0;
  /// Forgets an axis freed before the chart (nothing when not listed).
  virtual void RemoveAxis(TCustomChartAxis& axis) = 0;
  virtual int32_t AxisCount() const = 0;
  /// Axis at a list position: bottom 0, top 1, left 2, right 3, depth 4, then further axes.
  virtual TCustomChartAxis& Axes(int32_t index) const = 0;

  // ---- chart state ---------------------------------------------------------------------------
  /// The chart is being read from its stored layout (paired range checks are skipped).
  virtual bool ChartLoading() const = 0;
  /// Marks the chart for a repaint (merged; drawing happens only in the next paint).
  virtual void InvalidateChart() = 0;
  /// The panel itself, for chart text elements that need it (may be nullptr in tests).
  virtual TCustomChartPanel* ChartPanel() = 0;

  // ---- layout of the current frame -----------------------------------------------------------
  virtual fw::TRect ChartPlotRect() const = 0;
  virtual int32_t ChartDepthWidth() const = 0;
  virtual bool ChartView3D() const = 0;
  virtual fw::TColor ChartColor() const = 0;
  virtual bool ChartPrintingActive() const = 0;

  // ---- drawing -------------------------------------------------------------------------------
  virtual TCanvas3D& Canvas3D() = 0;
  /// Selects the font on the chart canvas.
  virtual void ChartSelectFont(const fw::TFont& font) = 0;
  /// Width of the widest line of a text whose lines are separated by character 13, in the
  /// current font; lineCount receives the number of lines.
  virtual int32_t ChartMeasureMultiLineText(const std::string& text, int32_t& lineCount) = 0;

  // ---- queries about the series on an axis ---------------------------------------------------
  virtual int32_t SeriesCount() const = 0;
  virtual TChartSeries& SeriesAt(int32_t index) const = 0;
  virtual double SeriesRangeForAxis(const TCustomChartAxis& axis, bool wantMinimum, bool wantX) const = 0;
  virtual bool AxisShown(const TCustomChartAxis& axis) const = 0;
  virtual int32_t WallThicknessForAxis(const TCustomChartAxis& axis) const = 0;
  virtual int32_t WidestLabelText() const = 0;
  virtual int32_t WidestMark() const = 0;
  virtual std::string LegendTitleOf(int32_t n) const = 0;
  /// The marks text of point `index` of the series (as its marks show it).
  virtual std::string SeriesMarkText(TChartSeries& series, int32_t index) = 0;

  // ---- the chart's label events (empty functions when unassigned) ----------------------------
  virtual const TAxisOnGetLabel& GetAxisLabelHandler() const = 0;
  virtual const TAxisOnGetNextLabel& GetNextAxisLabelHandler() const = 0;

protected:
  TAxisHost() = default;
  TAxisHost(const TAxisHost&) = default;
  TAxisHost& operator=(const TAxisHost&) = default;
  ~TAxisHost() = default;
};

}  // namespace chart
