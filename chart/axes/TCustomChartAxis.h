#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/axes/AxisTypes.h"
#include "chart/axes/TAxisLabelTexts.h"
#include "chart/axes/TAxisHost.h"
#include "chart/axes/TAxisScale.h"
#include "chart/axes/TTickPositions.h"
#include "framework/graphics/TRect.h"

namespace fw {
class TFont;
}

namespace chart {

class TChartAxisTitle;
class TChartPen;
class TChartAxisPen;
class TDottedGrayPen;
class TDarkGrayPen;
class TChartHiddenPen;

/// One axis of a chart: its settings, the range it shows in the current frame, the mapping
/// between values and screen coordinates, its labels, and how it reserves room and draws itself.
/// Created by the chart (which it joins at the end of the axis list) and freed by it.
///
/// Setters validate (throwing AxisException, or the angle check's ChartException, with the old
/// value kept), compare, store and invalidate the chart; nothing draws outside a paint. The
/// working state (range, pixel span, positions across the axis) is rebuilt on every repaint.
class TCustomChartAxis {
public:
  explicit TCustomChartAxis(TAxisHost* owner);
  virtual ~TCustomChartAxis();
  TCustomChartAxis(const TCustomChartAxis&) = delete;
  TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

  /// Copies every setting, the sub-objects' settings, the three position percentages,
  /// Visible, IsHorizontal, IsOtherSide and IsDepth from another axis.
  virtual void CopySettingsFrom(const TCustomChartAxis& source);

  TAxisHost& OwnerChart() const { return *mOwner; }

  // ---- range settings ------------------------------------------------------------------------
  /// Both ends come from the data (default true). Outside loading, setting it sets
  /// AutomaticMinimum and AutomaticMaximum to the same value.
  bool Automatic() const { return mAutomatic; }
  void SetAutomatic(bool value);
  /// The maximum comes from the data (default true). False clears Automatic; true sets it when
  /// AutomaticMinimum is set too.
  bool AutomaticMaximum() const { return mAutomaticMaximum; }
  void SetAutomaticMaximum(bool value);
  /// The minimum comes from the data (default true); couples with Automatic like the maximum.
  bool AutomaticMinimum() const { return mAutomaticMinimum; }
  void SetAutomaticMinimum(bool value);
  /// Desired distance between labels in axis units; 0 chooses automatically (default 0).
  /// Throws AxisException when negative or not a finite number.
  double Increment() const { return mIncrement; }
  void SetIncrement(double value);
  /// Upper end (default 0; overwritten by the data when automatic). Throws AxisException when
  /// below Minimum (not while loading) or not a finite number.
  double Maximum() const { return mMaximum; }
  void SetMaximum(double value);
  /// Lower end (default 0). Throws AxisException when above Maximum (not while loading) or not
  /// a finite number.
  double Minimum() const { return mMinimum; }
  void SetMinimum(double value);
  /// Logarithmic scale (default false). Turning it on throws AxisException for a date-time
  /// axis and for a working range with an end below 0.
  bool Logarithmic() const { return mLogarithmic; }
  void SetLogarithmic(bool value);
  /// Base of logarithmic labels and minor ticks (default 10); throws AxisException below 2.
  int32_t LogarithmicBase() const { return mLogarithmicBase; }
  void SetLogarithmicBase(int32_t value);
  /// The scale runs the other way (default false).
  bool Inverted() const { return mInverted; }
  void SetInverted(bool value);

  // ---- pens ----------------------------------------------------------------------------------
  TChartAxisPen& Axis() const { return *mAxis; }        ///< axis line, width 2
  TDottedGrayPen& Grid() const { return *mGrid; }       ///< grid lines
  TChartHiddenPen& MinorGrid() const { return *mMinorGrid; }  ///< invisible by default
  TDarkGrayPen& MinorTicks() const { return *mMinorTicks; }
  TDarkGrayPen& Ticks() const { return *mTicks; }
  TDarkGrayPen& TicksInner() const { return *mTicksInner; }
  /// Setting a pen copies its values into the owned pen.
  void SetAxis(const TChartPen& value);
  void SetGrid(const TChartPen& value);
  void SetMinorGrid(const TChartPen& value);
  void SetMinorTicks(const TChartPen& value);
  void SetTicks(const TChartPen& value);
  void SetTicksInner(const TChartPen& value);

  // ---- title ---------------------------------------------------------------------------------
  TChartAxisTitle& Title() const { return *mTitle; }
  void SetTitle(const TChartAxisTitle& value);
  /// Fixed thickness reserved for the title in pixels; 0 measures (default 0).
  int32_t TitleSize() const { return mTitleSize; }
  void SetTitleSize(int32_t value);
  /// Title angle that counts as default for this axis (0; 90 left, 270 right).
  int32_t DefaultTitleAngle() const { return mDefaultTitleAngle; }
  void SetDefaultTitleAngle(int32_t value) { mDefaultTitleAngle = value; }

  // ---- labels --------------------------------------------------------------------------------
  bool Labels() const { return mLabels; }  ///< labels are drawn (default true)
  void SetLabels(bool value);
  /// Rotation of label texts in degrees (default 0); the angle check rejects values outside 0..359.
  int32_t LabelsAngle() const { return mLabelsAngle; }
  void SetLabelsAngle(int32_t value);
  /// Label font (the chart's default font); a change repaints the chart. Setting copies values.
  fw::TFont& LabelsFont() const { return *mLabelsFont; }
  void SetLabelsFont(const fw::TFont& value);
  bool LabelsOnAxis() const { return mLabelsOnAxis; }  ///< labels at the very ends are drawn (default true)
  void SetLabelsOnAxis(bool value);
  /// Minimum gap between labels in percent of the label size (default 10; 0 accepted).
  /// Throws AxisException when negative.
  int32_t LabelsSeparation() const { return mLabelsSeparation; }
  void SetLabelsSeparation(int32_t value);
  /// Fixed thickness reserved for the labels; 0 measures (default 0).
  int32_t LabelsSize() const { return mLabelsSize; }
  void SetLabelsSize(int32_t value);
  TAxisLabelStyle LabelStyle() const { return mLabelStyle; }  ///< default talAuto
  void SetLabelStyle(TAxisLabelStyle value);
  /// Number format of value labels (default "#,##0.###").
  const std::string& AxisValuesFormat() const { return mAxisValuesFormat; }
  void SetAxisValuesFormat(const std::string& value);
  /// Date-time format of labels; empty chooses by range (default empty).
  const std::string& DateTimeFormat() const { return mDateTimeFormat; }
  void SetDateTimeFormat(const std::string& value);
  bool ExactDateTime() const { return mExactDateTime; }  ///< labels on calendar steps (default true)
  void SetExactDateTime(bool value);
  bool RoundFirstLabel() const { return mRoundFirstLabel; }  ///< labels on multiples (default true)
  void SetRoundFirstLabel(bool value);
  bool LabelsMultiLine() const { return mLabelsMultiLine; }  ///< blanks start new lines (default false)
  void SetLabelsMultiLine(bool value);

  // ---- ticks and grid ------------------------------------------------------------------------
  bool GridCentered() const { return mGridCentered; }  ///< grid between labels (default false)
  void SetGridCentered(bool value);
  int32_t MinorTickCount() const { return mMinorTickCount; }  ///< default 3
  void SetMinorTickCount(int32_t value);
  int32_t MinorTickLength() const { return mMinorTickLength; }  ///< pixels, default 2
  void SetMinorTickLength(int32_t value);
  int32_t TickInnerLength() const { return mTickInnerLength; }  ///< pixels into the chart, default 0
  void SetTickInnerLength(int32_t value);
  int32_t TickLength() const { return mTickLength; }  ///< pixels away from the chart, default 4
  void SetTickLength(int32_t value);
  bool TickOnLabelsOnly() const { return mTickOnLabelsOnly; }  ///< ticks only at drawn labels (default true)
  void SetTickOnLabelsOnly(bool value);

  // ---- placement -----------------------------------------------------------------------------
  bool Visible() const { return mVisible; }  ///< default true
  void SetVisible(bool value);
  /// Where the axis begins / ends, percent of the plot rectangle's length along it (0 / 100).
  double StartPosition() const { return mStartPosition; }
  void SetStartPosition(double value);
  double EndPosition() const { return mEndPosition; }
  void SetEndPosition(double value);
  /// Shift of the axis into the plot rectangle, percent of its size across the axis (0).
  double PositionPercent() const { return mPositionPercent; }
  void SetPositionPercent(double value);

  bool IsHorizontal() const { return mIsHorizontal; }
  void SetIsHorizontal(bool value) { mIsHorizontal = mScale.IsHorizontal = value; }
  bool IsOtherSide() const { return mIsOtherSide; }
  void SetIsOtherSide(bool value) { mIsOtherSide = value; }
  bool IsDepth() const { return mIsDepth; }
  void SetIsDepth(bool value) { mIsDepth = value; }

  // ---- working state of the current frame ----------------------------------------------------
  double WorkingMinimum() const { return mScale.WorkingMinimum; }
  double WorkingMaximum() const { return mScale.WorkingMaximum; }
  double WorkingRange() const { return mScale.WorkingRange; }
  int32_t StartPixel() const { return mScale.StartPixel; }
  int32_t EndPixel() const { return mScale.EndPixel; }
  int32_t AxisLength() const { return mScale.AxisLength; }
  int32_t CenterPixel() const { return mScale.CenterPixel; }
  /// The value-to-pixel map of the current frame; series keep its address and map through it.
  const TAxisScale& Scale() const { return mScale; }
  bool DateTimeScale() const { return mDateTimeScale; }
  int32_t AxisLinePosition() const { return mAxisLinePosition; }
  int32_t LabelsPosition() const { return mLabelsPosition; }
  int32_t TitlePosition() const { return mTitlePosition; }
  /// Ticks of the last label pass, in the order the labels were produced.
  const TTickPositions& TickPositions() const { return mTickPositions; }
  /// Date-time step of the last label pass (25: none).
  int32_t PassStep() const { return mPassStep; }

  // ---- range and mapping ---------------------------------------------------------------------
  /// Overwrites automatic ends from the series (no validation, no repaint) and sets the
  /// working range from Minimum and Maximum.
  void ComputeWorkingRange();
  /// StartPixel, EndPixel, AxisLength and CenterPixel from the chart's plot rectangle.
  void ComputePixelSpan();
  /// Widens the working range so that `margins` pixels stay free at both ends (left/right
  /// members for a horizontal axis, top/bottom for a vertical one).
  void WidenForMargins(const fw::TRect& margins);
  /// Screen coordinate of a value (a depth from the front plane on the depth axis).
  int32_t ValueToPixel(double value) const;
  double PixelToValue(int32_t pixel) const;
  /// Depth from the front plane of a value on the depth axis.
  int32_t ValueToDepth(double value) const;
  /// Zoom: clears the automatic flags and sets Minimum and Maximum (ordered, at least 1e-10
  /// apart) without validation.
  void SetAxisRange(double a, double b);
  /// Panning: moves both ends by offset; with checkLimits only while the data reaches beyond
  /// the end in that direction.
  void ShiftRange(double offset, bool checkLimits);
  /// Whether the point lies on the axis' line, ticks and labels (false when not shown).
  bool AxisContainsPoint(int32_t x, int32_t y) const;
  /// The first active series on the axis has date-time values in the axis' direction.
  bool UsesDateTime() const;

  // ---- increment and labels ------------------------------------------------------------------
  /// Increment of the current pass, from the labels' size in the selected labels font.
  double ComputeLabelIncrement();
  double IncrementForLabelSize(int32_t size) const;
  double IncrementForLabelCount(int32_t maxLabels) const;
  TAxisLabelStyle EffectiveLabelStyle() const;
  /// Label text of a value (date-time or number format, OnGetAxisLabel, multi-line blanks).
  std::string FormatAxisValue(double value);
  /// Width of the widest end label plus a blank, for the labels band.
  int32_t WidestLabelWidth();

  // ---- space and drawing ---------------------------------------------------------------------
  int32_t TickBandSize() const;
  int32_t LabelsBandSize();
  int32_t TitleBandSize();
  /// Takes the title, labels and tick bands off `rect` on the axis' side (shrink true), or
  /// only records the positions across the axis (shrink false).
  void ReserveSpace(fw::TRect& rect, bool shrink);
  /// Draws title, labels, axis line, ticks, grid, inner ticks, minor ticks and minor grid.
  void DrawAxis(bool placeLine);
  /// Draws one label or title text anchored at (x, y) for this axis' side and the angle.
  void DrawLabelText(int32_t x, int32_t y, int32_t angle, const std::string& text);
  /// Records a tick (with TickOnLabelsOnly) and draws the label text at p.
  void PlaceLabel(int32_t p, const std::string& text);

protected:
  /// Compare-and-store: stores and invalidates the chart only when the value differs.
  template <typename T>
  void ChangeProperty(T& field, const T& value) {
    if (field == value) return;
    field = value;
    mOwner->InvalidateChart();
  }

private:
  enum TSide { sideBottom, sideTop, sideLeft, sideRight };

  // label passes
  void RunLabelPass(double inc);
  void DefaultPass(double inc);
  void ValuePass(double inc);
  void LogPass();
  void CustomPass(double inc);
  void SeriesPass(TAxisLabelStyle style);
  void DepthPass();
  void EmitLabelAt(double value);
  int32_t LabelSizeAlongAxis(const std::string& text);
  bool SeriesCarriesLabels(TChartSeries& series) const;
  // space and drawing
  TSide Side() const;  ///< the depth axis sits on the right
  int32_t EdgeOf(const fw::TRect& rect) const;
  void ShrinkForAxis(fw::TRect& rect, int32_t n) const;
  int32_t MoveOutward(int32_t pos, int32_t n) const;
  int32_t ApplyPositionPercent(int32_t pos, const fw::TRect& rect) const;
  int32_t MeasureBand(const fw::TFont& font, int32_t angle, int32_t fixedSize, const std::string* text);
  int32_t WallThicknessOfAxisAt(int32_t index) const;
  void DrawTitle();
  void DrawAxisLine(int32_t w);
  void DrawTick(int32_t p, int32_t d, int32_t len, int32_t w);
  void DrawGridLine(int32_t p);
  void DrawGrid();
  void DrawMinor(bool asGrid, int32_t w);
  void DrawMinorAt(int32_t q, bool asGrid, int32_t w);
  void ApplyPen(const TChartPen& pen);
  void PrepareText(const fw::TFont& font);

  TAxisHost* mOwner;  // not owned; the chart outlives its axes

  bool mAutomatic = true;
  bool mAutomaticMaximum = true;
  bool mAutomaticMinimum = true;
  double mIncrement = 0;
  double mMaximum = 0;
  double mMinimum = 0;
  bool mLogarithmic = false;
  int32_t mLogarithmicBase = 10;
  std::unique_ptr<TChartAxisPen> mAxis;
  int32_t mAxisLinePosition = 0;
  std::unique_ptr<TChartAxisTitle> mTitle;
  int32_t mTitleSize = 0;
  int32_t mTitlePosition = 0;
  std::unique_ptr<TDottedGrayPen> mGrid;
  bool mGridCentered = false;
  bool mLabels = true;
  int32_t mLabelsAngle = 0;
  std::unique_ptr<fw::TFont> mLabelsFont;
  bool mLabelsOnAxis = true;
  int32_t mLabelsSeparation = 10;
  int32_t mLabelsSize = 0;
  TAxisLabelStyle mLabelStyle = talAuto;
  int32_t mLabelsPosition = 0;
  std::string mAxisValuesFormat = "#,##0.###";
  std::string mDateTimeFormat;
  bool mExactDateTime = true;
  bool mRoundFirstLabel = true;
  bool mLabelsMultiLine = false;
  std::unique_ptr<TChartHiddenPen> mMinorGrid;
  int32_t mMinorTickCount = 3;
  int32_t mMinorTickLength = 2;
  std::unique_ptr<TDarkGrayPen> mMinorTicks;
  std::unique_ptr<TDarkGrayPen> mTicks;
  std::unique_ptr<TDarkGrayPen> mTicksInner;
  int32_t mTickInnerLength = 0;
  int32_t mTickLength = 4;
  bool mTickOnLabelsOnly = true;
  bool mInverted = false;
  bool mIsHorizontal = false;
  bool mIsOtherSide = false;
  bool mVisible = true;
  double mStartPosition = 0;
  double mEndPosition = 100;
  double mPositionPercent = 0;
  TAxisScale mScale;
  bool mDateTimeScale = false;
  int32_t mDefaultTitleAngle = 0;
  bool mIsDepth = false;

  // per-pass scratch, kept between frames
  TTickPositions mTickPositions;
  int32_t mPassStep = 25;
  bool mLabelEventDetached = false;  // WidestLabelWidth measures without OnGetAxisLabel
  std::vector<TChartSeries*> mListedSeries;  // series of the series pass; not owned
  TAxisLabelTexts mLabelTexts;               // number labels formatted in earlier frames
};

}  // namespace chart
