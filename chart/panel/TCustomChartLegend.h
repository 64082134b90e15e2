#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/canvas/TChartPen.h"
#include "chart/panel/TChartBrush.h"
#include "chart/panel/TChartFontObject.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace chart {

class TCustomChart;
class TChartSeries;

/// Side of the plot area the legend stands on.
enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
/// What the legend items are: the series, or the points of the first active series (lsValues),
/// or the series with the text of their last point; lsAuto picks series or values.
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };
/// How a point's legend text is composed from its label, value, percentage or X value.
enum TLegendTextStyle { ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent, ltsXValue };

/// May replace the text of legend item Index (Index counts from 0 and includes FirstValue).
using TOnGetLegendText =
    std::function<void(TCustomChart* Sender, TLegendStyle LegendStyle, int32_t Index, std::string& LegendText)>;
/// May move or resize the legend box before it is drawn.
using TOnGetLegendRect = std::function<void(TCustomChart* Sender, fw::TRect& Rect)>;
/// May move item Index (its text at X, Y and its symbol left of X); XColor is the symbol column's
/// left edge, which carries over to the next calls but moves no symbol.
using TOnGetLegendPos =
    std::function<void(TCustomChart* Sender, int32_t Index, int32_t& X, int32_t& Y, int32_t& XColor)>;

/// Text of a point in the legend: label, value (ValueFormat), percentage of the total magnitude
/// (PercentFormat; 100 when the total is 0) or X value (as the series' horizontal axis labels
/// it), combined as the style says. Empty for a point index outside the series.
std::string PointLegendText(TChartSeries& series, int32_t pointIndex, TLegendTextStyle style);

/// The chart's legend: a framed box beside, above or below the plot area listing the series or
/// the points of one series. Painting it lays it out from the plot rectangle, draws it and
/// moves the plot rectangle's edge on its side inward; the layout of the last paint answers
/// mouse hit tests. Every setting change repaints the chart; nothing draws outside a paint.
class TCustomChartLegend : public TChartFontObject {
public:
  explicit TCustomChartLegend(TCustomChart* parentChart);
  ~TCustomChartLegend() override;

  // ---- settings --------------------------------------------------------------------------------

  /// Side of the plot area; default laRight.
  TLegendAlignment Alignment() const { return mAlignment; }
  void SetAlignment(TLegendAlignment value);
  /// Owned fill of the box; setting copies.
  TChartBrush& Brush() const { return *mBrush; }
  void SetBrush(const fw::TBrush& value) { mBrush->Assign(value); }
  /// Background of the box (and of a patterned brush); default white.
  fw::TColor Color() const { return mColor; }
  void SetColor(fw::TColor value);
  /// Width of the colour symbols, percent of the text column width; 0..100, default 12.
  /// Throws LegendException outside; the old value stays.
  int32_t ColorWidth() const { return mColorWidth; }
  void SetColorWidth(int32_t value);
  /// Owned lines between items, invisible by default; setting copies.
  TChartHiddenPen& DividingLines() const { return *mDividingLines; }
  void SetDividingLines(const fw::TPen& value) { mDividingLines->Assign(value); }
  /// Number of leading items skipped; default 0. Throws LegendException when negative.
  int32_t FirstValue() const { return mFirstValue; }
  void SetFirstValue(int32_t value);
  /// Owned frame around the box (black, solid, width 1, visible); setting copies.
  TChartPen& Frame() const { return *mFrame; }
  void SetFrame(const fw::TPen& value) { mFrame->Assign(value); }
  /// Gap (pixels) between a left or right legend and the plot; 0 = 3 % of PlotWidth.
  int32_t HorizMargin() const { return mHorizMargin; }
  void SetHorizMargin(int32_t value);
  /// Gap (pixels) between a top or bottom legend and the plot; 0 = 4 % of PlotHeight.
  int32_t VertMargin() const { return mVertMargin; }
  void SetVertMargin(int32_t value);
  /// Items listed last to first; default false.
  bool Inverted() const { return mInverted; }
  void SetInverted(bool value);
  /// What the items are; default lsAuto.
  TLegendStyle LegendStyle() const { return mLegendStyle; }
  void SetLegendStyle(TLegendStyle value);
  /// Most rows of a top or bottom legend; default 10.
  int32_t MaxNumRows() const { return mMaxNumRows; }
  void SetMaxNumRows(int32_t value);
  /// The plot area gives up the room the legend takes; default true.
  bool ResizeChart() const { return mResizeChart; }
  void SetResizeChart(bool value);
  /// Drop shadow colour (default black) and offset in pixels (default 3; 0 or less: none).
  fw::TColor ShadowColor() const { return mShadowColor; }
  void SetShadowColor(fw::TColor value);
  int32_t ShadowSize() const { return mShadowSize; }
  void SetShadowSize(int32_t value);
  /// How a point's text is composed; default ltsLeftValue.
  TLegendTextStyle TextStyle() const { return mTextStyle; }
  void SetTextStyle(TLegendTextStyle value);
  /// Position along the legend's side, percent of the free space; 0..100, default 10.
  /// Throws LegendException outside; the old value stays.
  int32_t TopPos() const { return mTopPos; }
  void SetTopPos(int32_t value);
  bool Visible() const { return mVisible; }  ///< default true
  void SetVisible(bool value);

  /// A left or right legend.
  bool IsVertical() const { return mAlignment == laLeft || mAlignment == laRight; }

  // ---- layout of the last paint ------------------------------------------------------------------

  /// The box without frame and shadow.
  const fw::TRect& LegendBounds() const { return mLegendBounds; }
  int32_t SymbolWidth() const { return mSymbolWidth; }
  TLegendStyle EffectiveStyle() const { return mEffectiveStyle; }
  int32_t ColumnCount() const { return mColumnCount; }
  int32_t RowCount() const { return mRowCount; }
  /// Line height of the legend font in the last paint.
  int32_t ItemHeight() const { return mItemHeight; }
  /// Forgets the last layout: no item answers a hit test until the next paint.
  void ClearLayout();

  // ---- computations ------------------------------------------------------------------------------

  /// EffectiveStyle from LegendStyle: lsAuto lists values with fewer than 2 active series.
  void ResolveStyle();
  /// Number of items of EffectiveStyle, less FirstValue; never negative.
  int32_t TotalItems() const;
  /// The legend's own text of item n (before the chart's OnGetLegendText): a series title, or a
  /// point text with line breaks shown as spaces.
  std::string FormatItemText(int32_t n) const;
  /// PointLegendText of the point with TextStyle, line breaks shown as spaces; what the chart
  /// answers as a point's formatted legend value.
  std::string PointText(TChartSeries& series, int32_t pointIndex) const;
  /// The widest text (canvas font) among items FirstValue .. FirstValue + count - 1; count -1
  /// means all TotalItems; 0 for an empty range.
  int32_t WidestItemText(int32_t count);
  /// How many items of itemSize fit from position (down a left or right legend, across a top or
  /// bottom one) inside the plot rectangle; at most TotalItems, 0 without room.
  virtual int32_t MaxVisibleItems(int32_t position, int32_t itemSize) const;
  /// Lays out and draws the legend for this frame and moves the plot rectangle's edge on its
  /// side. Runs only inside a paint, between the canvas's flat-drawing brackets.
  virtual void PaintLegend();

  /// Screen position (not counting FirstValue) of the item at (x, y) in the last paint, or -1.
  int32_t LegendItemAt(int32_t x, int32_t y) const;
  /// LegendItemAt when the legend is visible, else -1.
  int32_t Clicked(int32_t x, int32_t y) const { return mVisible ? LegendItemAt(x, y) : -1; }

  /// From another legend: Visible, LegendStyle, FirstValue, Alignment, TextStyle, ColorWidth,
  /// HorizMargin, VertMargin, ResizeChart, Inverted, TopPos, Color, Frame, MaxNumRows and Brush,
  /// then the font (not ShadowColor, ShadowSize or DividingLines).
  void Assign(const TChartFontObject& source) override;

private:
  struct TItemLayout {
    int32_t TextColumnWidth = 0;
    int32_t TextX = 0;
    int32_t SymbolX = 0;
    int64_t ItemsToDraw = 0;
    int32_t Total = 0;
  };

  int32_t FrameSpace() const;
  void PlaceVertically(TItemLayout& layout);
  void PlaceColumnsAndRows(const TItemLayout& layout);
  void PlaceHorizontally(TItemLayout& layout);
  void PaintBox();
  void PaintItem(TItemLayout& layout, int32_t index, int32_t position);
  void SelectSymbolPen();
  void DrawItemSymbol(int32_t index, const fw::TRect& rect);
  void ShrinkPlotRect();
  void CacheItemTexts(int32_t total);
  const std::string& ItemText(int32_t index);
  int32_t RowAt(int32_t y, int32_t rowHeight) const;

  TCustomChart* mChart;
  TLegendAlignment mAlignment = laRight;
  std::unique_ptr<TChartBrush> mBrush;
  fw::TColor mColor = fw::clWhite;
  int32_t mColorWidth = 12;
  std::unique_ptr<TChartHiddenPen> mDividingLines;
  int32_t mFirstValue = 0;
  std::unique_ptr<TChartPen> mFrame;
  int32_t mHorizMargin = 0;
  bool mInverted = false;
  TLegendStyle mLegendStyle = lsAuto;
  int32_t mMaxNumRows = 10;
  bool mResizeChart = true;
  fw::TColor mShadowColor = fw::clBlack;
  int32_t mShadowSize = 3;
  TLegendTextStyle mTextStyle = ltsLeftValue;
  int32_t mTopPos = 10;
  int32_t mVertMargin = 0;
  bool mVisible = true;

  fw::TRect mLegendBounds;
  int32_t mSymbolWidth = 0;
  TLegendStyle mEffectiveStyle = lsSeries;
  int32_t mColumnCount = 0;
  int32_t mRowCount = 0;
  int32_t mItemHeight = 0;

  // Item texts of the frame being painted (each formatted once per frame); capacity is kept.
  std::vector<std::string> mItemTexts;
  bool mTextsCached = false;
  std::string mScratchText;
};

}  // namespace chart
