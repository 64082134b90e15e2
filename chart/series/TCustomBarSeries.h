#pragma once
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "chart/data/TChartSeries.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace fw {
class TBrush;
class TPen;
}  // namespace fw

namespace chart {

class TBarStamps;
class TCanvas3D;
class TChartBrush;
class TChartPen;

/// How the bar series of one kind on one chart share their category slots: each at full width
/// (mbNone, in 3D each at its own depth), side by side, stacked on each other, or stacked to
/// 100 % of the category's total.
enum TMultiBar { mbNone, mbSide, mbStacked, mbStacked100 };

/// The shape of a bar. In 3D the canvas shapes are used (cuboid, pyramid, cylinder, cone); in
/// 2D their flat outlines.
enum TBarStyle { bsRectangle, bsPyramid, bsInvPyramid, bsCylinder, bsEllipse, bsCone, bsArrow, bsRectGradient };

/// Common base of the vertical and the horizontal bar series: every point is a bar from the
/// origin to its value, centred on its category position (X for vertical bars, Y for
/// horizontal ones). The bars of all active series of one kind on a chart share the slot of a
/// category: its width is the pixel distance of the two closest categories (or half the axis
/// for a single category), of which BarWidthPercent is filled.
///
/// Null points and points whose value or position is not a number are gaps: not drawn, not
/// stacked, not counted in the automatic axis ranges.
class TCustomBarSeries : public TChartSeries {
public:
  ~TCustomBarSeries() override;

  /// Percent of the category slot the bars fill, 1..100 (default 70). ChartException
  /// "Bar Width Percent must be between 1 and 100" otherwise; the old value stays.
  int32_t BarWidthPercent() const { return mBarWidthPercent; }
  void SetBarWidthPercent(int32_t value);
  /// Shift of the bars along the category axis in percent of a bar's width, -100..100
  /// (default 0). ChartException "Bar Offset Percent must be between -100 and 100" otherwise.
  int32_t OffsetPercent() const { return mOffsetPercent; }
  void SetOffsetPercent(int32_t value);
  /// Shared by every series of the same kind on the chart: setting it sets it on all of them.
  TMultiBar MultiBar() const { return mMultiBar; }
  void SetMultiBar(TMultiBar value);
  TBarStyle BarStyle() const { return mBarStyle; }
  void SetBarStyle(TBarStyle value);
  /// Bars grow from YOrigin (default 0; NaN and infinities throw ChartException, YOriginNotFinite,
  /// and keep the old value) when UseYOrigin is on (default); otherwise from the
  /// lowest value of the series. Negative bars grow the other way.
  double YOrigin() const { return mYOrigin; }
  void SetYOrigin(double value);
  bool UseYOrigin() const { return mUseYOrigin; }
  void SetUseYOrigin(bool value);
  /// Outline of the bars (black, width 1); not visible: no outline.
  TChartPen& BarPen() const { return *mBarPen; }
  void SetBarPen(const fw::TPen& value);
  /// Fill of the bars; its colour clDefault (the default) gives each bar its point's colour.
  TChartBrush& BarBrush() const { return *mBarBrush; }
  void SetBarBrush(const fw::TBrush& value);
  /// Shaded side and top faces in 3D (default true).
  bool Dark3D() const { return mDark3D; }
  void SetDark3D(bool value);
  /// Automatic category axis ends keep half a slot free beyond the outer bars (default true).
  bool SideMargins() const { return mSideMargins; }
  void SetSideMargins(bool value);
  /// A mark that would overlap the previous bar's mark moves beyond it (default true).
  bool AutoMarkPosition() const { return mAutoMarkPosition; }
  void SetAutoMarkPosition(bool value);

  /// A flat pass of opaque rectangles draws only the parts of each bar that the later bars of
  /// the series at the same place do not cover: the same pixels for less drawing (on by
  /// default; off draws every bar whole). Not a published setting.
  bool SkipCoveredBars() const { return mSkipCoveredBars; }
  void SetSkipCoveredBars(bool value) { mSkipCoveredBars = value; }

  /// The bars are horizontal (THorizBarSeries).
  bool Horizontal() const { return mHorizontal; }

  /// The bar of point index as drawn in the current frame (screen rectangle of its front face,
  /// right and bottom exclusive), ignoring gaps; empty for a gap.
  fw::TRect BarBounds(int32_t index);
  /// Where the bar of point index starts and ends on the value axis (stacking applied); false
  /// for a gap.
  bool BarValueRange(int32_t index, double& from, double& to) const;
  /// The active series of this kind on the same chart in list order (this one alone without a
  /// chart), and this series' place among them.
  std::vector<TCustomBarSeries*> BarGroup() const;

  // ---- series operations ----
  void DoBeforeDrawChart() override;
  void DrawAllPoints() override;
  void DrawOnePoint(int32_t index) override;
  int32_t ClickedIndex(int32_t x, int32_t y) const override;
  void DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) override;
  /// Centre of the bar across, its value end along.
  int32_t XPixel(int32_t index) const override;
  int32_t YPixel(int32_t index) const override;
  double LowestX() const override;
  double HighestX() const override;
  double LowestY() const override;
  double HighestY() const override;
  void HorizMargins(int32_t& left, int32_t& right) const override;
  void VertMargins(int32_t& top, int32_t& bottom) const override;
  void Assign(const TChartSeries& source) override;
  std::string EditorName() const override;
  void DoAfterDrawValues() override;
  void DeletePoint(int32_t index) override;
  /// Side-by-side and stacked bars share the depth slot of the first series of their group:
  /// that series, or nullptr (mbNone, or this series is the first).
  const TChartSeries* DepthLevelPartner() const;

  /// True for a null point or a point whose value or position is not a finite number (NaN
  /// counts as null).
  bool IsGap(int32_t index) const;

protected:
  TCustomBarSeries(fw::TComponent* owner, bool horizontal);

  void DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) override;
  void AddedPoint(int32_t index) override;
  void ClearLists() override;

private:
  struct TSlot {
    bool Valid = false;
    double Pixels = 0;  // width of one category slot
    int32_t Count = 1;  // series side by side
    int32_t Index = 0;  // this series' place among them
  };

  double CategoryValue(int32_t index) const { return mHorizontal ? YValueOf(index) : XValueOf(index); }
  double BarValue(int32_t index) const { return mHorizontal ? XValueOf(index) : YValueOf(index); }
  int32_t CategoryPixel(double value) const { return mHorizontal ? YPixelOfValue(value) : XPixelOfValue(value); }
  int32_t ValuePixel(double value) const { return mHorizontal ? XPixelOfValue(value) : YPixelOfValue(value); }
  TCustomChartAxis* CategoryAxis() const { return mHorizontal ? ResolvedVertAxis() : ResolvedHorizAxis(); }
  TCustomChartAxis* ValueAxis() const { return mHorizontal ? ResolvedHorizAxis() : ResolvedVertAxis(); }

  /// The value bars grow from: YOrigin, or the lowest value when UseYOrigin is off.
  double Origin() const;
  /// Smallest distance between two neighbouring categories of this series; 0 when none.
  double SmallestCategoryStep() const;
  /// Number of category slots the category axis holds (at least 2).
  double SlotCount() const;
  /// Category slot width and side-by-side place for the current frame.
  const TSlot& Slot();
  /// Lowest / highest end of the bars along the value axis.
  double ValueExtreme(bool highest) const;
  double CategoryExtreme(bool highest) const;
  /// Category range and smallest step, value range: one pass over the points. Kept from the
  /// start of a frame until the series has drawn (the data does not change in between);
  /// adding, deleting or clearing points drops it.
  struct TStats {
    bool Valid = false;
    bool HasCategory = false;
    double CategoryMin = 0, CategoryMax = 0, Step = 0;
    double ValueMin = 0, ValueMax = 0;
  };
  const TStats& Stats() const;
  void EndOfFrame();
  /// Where a bar lies across its category, from the slot: the parts of its start that are the
  /// same for every bar of a frame, kept so that a pass works them out once.
  struct TAcross {
    double Half = 0;    // half the slot's bars together
    double Shift = 0;   // this series' place among the bars side by side
    double Offset = 0;  // OffsetPercent of one bar
    double Width = 0;   // one bar
    void Place(int32_t centre, int32_t& from, int32_t& to) const;
  };
  TAcross AcrossOfSlot();
  /// The start and end of the bar across its category (pixels), from the slot.
  void BarAcross(int32_t index, int32_t& from, int32_t& to);
  /// BarBounds of a bar whose value range is known.
  fw::TRect BarRect(int32_t index, double from, double to);
  /// The bar from a0 to a1 across (end excluded) and between the pixels v0 and v1 along (both
  /// included).
  fw::TRect RectOf(int32_t a0, int32_t a1, int32_t v0, int32_t v1) const;
  /// IsGap of a point whose bar value and category are at hand; `nulls`: MayHaveNullPoints.
  bool GapOf(int32_t index, double value, double category, bool nulls) const {
    return (nulls && IsNullPoint(index)) || !std::isfinite(value) || !std::isfinite(category);
  }
  void PrepareCanvas(TCanvas3D& canvas) const;
  void DrawBar(TCanvas3D& canvas, int32_t index);
  bool CanSkipCoveredBars(TCanvas3D& canvas) const;
  void DrawUncoveredParts(TCanvas3D& canvas, int32_t from, int32_t to);
  /// DrawUncoveredParts for dense bars at most two pixels across with a solid one-pixel outline:
  /// on each category pixel the bars reaching furthest either way; false, having drawn nothing,
  /// when that does not apply.
  bool DrawThinBarColumns(TCanvas3D& canvas, int32_t from, int32_t to);
  /// Whether bars from..to may be walked by category pixel: their categories ascend and map
  /// monotonically, so do the origin and the values' extremes, and there are at least four
  /// bars a pixel.
  bool CategoryColumnsApply(int32_t from, int32_t to) const;
  /// A bar's extent across (its width) and along (from the origin to the value), in pixels.
  std::pair<int32_t, int32_t> Across(const fw::TRect& r) const;
  std::pair<int32_t, int32_t> Along(const fw::TRect& r) const;
  /// Gathers the bars from..to (gaps left out) into runs of neighbours with the same extent
  /// across, and hands each run to drawRun(std::vector<TRunBar>&) in drawing order.
  template <class DrawRun>
  void ForEachRun(int32_t from, int32_t to, const DrawRun& drawRun);
  /// ForEachRun for dense bars on ascending categories: each run is the bars on one category
  /// pixel, and holds only those that reach further either way along than every later bar of
  /// the run, which are the only ones the passes draw anything of. The values of the others are
  /// compared, never mapped or placed. False, having drawn nothing, when the bars are too
  /// sparse for it or their categories or values may not map monotonically.
  template <class DrawRun>
  bool ForEachRecordRun(int32_t from, int32_t to, const DrawRun& drawRun);
  /// From this many bars a pixel along on one category pixel, ForEachRecordRun takes the next
  /// category pixel's bars by pixels (a bar is compared with the values mapping within the
  /// pixels of the later bars, and kept when it reaches past them); below, by values.
  static constexpr int64_t BarPixelsFromDensity = 4;
  /// In an oblique 3D view: solid cuboids whose outline lies on their faces.
  bool CanSkipContainedBars(TCanvas3D& canvas) const;
  /// Draws the bars from..to, leaving out each bar that a later bar of its run (neighbours with
  /// the same extent across) contains along the value axis: the later cuboid paints every pixel
  /// of the contained one.
  void DrawUncontainedBars(TCanvas3D& canvas, int32_t from, int32_t to);
  /// Passes of at least this many bars put down the bars of a size that comes again as their
  /// pixels (TBarStamps), when the view moves every depth by whole pixels.
  static constexpr int32_t StampsFromCount = 256;
  void DrawShape(TCanvas3D& canvas, const fw::TRect& bar, bool towardsMinimum, fw::TColor color);
  void DrawFlatShape(TCanvas3D& canvas, const fw::TRect& bar, bool towardsMinimum, fw::TColor color);
  void DrawArrowShape(TCanvas3D& canvas, const fw::TRect& bar, bool towardsMinimum, int32_t z);
  void Changed() { RequestRepaint(); }
  template <typename T>
  void Change(T& field, const T& value);

  bool mHorizontal;
  int32_t mBarWidthPercent = 70;
  int32_t mOffsetPercent = 0;
  TMultiBar mMultiBar = mbSide;
  TBarStyle mBarStyle = bsRectangle;
  double mYOrigin = 0;
  bool mUseYOrigin = true;
  bool mDark3D = true;
  bool mSideMargins = true;
  bool mAutoMarkPosition = true;
  std::unique_ptr<TChartPen> mBarPen;
  std::unique_ptr<TChartBrush> mBarBrush;
  TSlot mSlot;
  bool mInPass = false;
  fw::TRect mLastMark;  // bounds of the previous mark of this pass (AutoMarkPosition)
  bool mHasLastMark = false;
  int32_t mLastMarkIndex = -1;
  bool mSkipCoveredBars = true;
  mutable TStats mStats;
  mutable TStats mScratchStats;
  bool mStatsInFrame = false;
  bool mOriginPixelValid = false;  // pixel of the last bar start mapped in this pass
  double mOriginValue = 0;
  int32_t mOriginPixel = 0;
  struct TRunBar {
    fw::TRect Rect;
    fw::TColor Color;
    // Flat: the band the later bars of the run cover, [low, high). 3D: the extent along of the
    // later bar that contains all the others when the bar reaches past one of its ends (else
    // 0, 0).
    int32_t CoverLow, CoverHigh;
    bool TowardsMinimum = false;  // the bar grows towards the axis minimum
    bool Hidden = false;          // a later bar of the run contains it
  };
  std::vector<TRunBar> mRunBuffer;
  std::vector<int32_t> mRecordBuffer;  // the drawn bars of a run, last first
  std::vector<double> mPassCategories, mPassValues;  // a block of a pass, mapped together
  std::vector<int32_t> mPassCategoryPixels, mPassValuePixels;
  std::unique_ptr<TBarStamps> mBarStamps;  // the 3D pass's bars of a few sizes, as pixels
};

/// The earlier series whose depth level `series` shares in 3D (TCustomBarSeries::
/// DepthLevelPartner for bars), or nullptr: a level of its own.
const TChartSeries* DepthLevelPartner(const TChartSeries& series);

}  // namespace chart
