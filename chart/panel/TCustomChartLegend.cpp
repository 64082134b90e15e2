#include "chart/panel/TCustomChartLegend.h"

#include <algorithm>
#include <limits>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TChartSeries.h"
#include "chart/panel/ChartPanelTypes.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/FormatFloat.h"
#include "framework/runtime/Rounding.h"

namespace chart {

namespace {

// Layout arithmetic runs in 64 bits; settings may be anything from INT32_MIN to INT32_MAX.
int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t Percent(int64_t value, int32_t percent) {
  return fw::RoundHalfEven(static_cast<double>(value) * percent * 0.01);
}

// Keeps `field` when the legend has no chart to invalidate.
template <typename T>
void Store(TCustomChart* chart, T& field, T value) {
  if (chart)
    chart->ChangeProperty(field, value);
  else
    field = value;
}

}  // namespace

std::string PointLegendText(TChartSeries& series, int32_t pointIndex, TLegendTextStyle style) {
  if (pointIndex < 0 || pointIndex >= series.PointCount()) return {};
  std::string label = series.LabelOfPoint(pointIndex);
  if (style == ltsPlain) return label;
  if (style == ltsXValue) {
    const double x = series.XValueOf(pointIndex);
    TSeriesHost* host = series.ParentChart();
    TCustomChartAxis* axis = series.ResolvedHorizAxis();
    if (host && axis) return host->AxisValueText(*axis, x, series.ValueFormat());
    return fw::FormatFloat(series.ValueFormat(), x);
  }
  const double value = series.MarkValue(pointIndex);
  if (style == ltsLeftValue || style == ltsRightValue) {
    const std::string valueText = fw::FormatFloat(series.ValueFormat(), value);
    return style == ltsLeftValue ? label + ' ' + valueText : valueText + ' ' + label;
  }
  const double total = series.MandatoryList().TotalAbsValue();
  const double percent = total == 0 ? 100.0 : value * 100.0 / total;
  const std::string percentText = fw::FormatFloat(series.PercentFormat(), percent);
  return style == ltsLeftPercent ? label + ' ' + percentText : percentText + ' ' + label;
}

TCustomChartLegend::TCustomChartLegend(TCustomChart* parentChart)
    : TChartFontObject(parentChart),
      mChart(parentChart),
      mBrush(std::make_unique<TChartBrush>([this] { Repaint(); })),
      mDividingLines(std::make_unique<TChartHiddenPen>([this] { Repaint(); })),
      mFrame(std::make_unique<TChartPen>([this] { Repaint(); })) {}

TCustomChartLegend::~TCustomChartLegend() = default;

// ---- settings ----------------------------------------------------------------------------------

void TCustomChartLegend::SetAlignment(TLegendAlignment value) {
  if (mAlignment == value) return;
  mAlignment = value;
  Repaint();
}

void TCustomChartLegend::SetColor(fw::TColor value) { Store(mChart, mColor, value); }

void TCustomChartLegend::SetColorWidth(int32_t value) {
  if (value < 0 || value > 100) throw LegendException(ChartConst::LegendColorWidthRange);
  Store(mChart, mColorWidth, value);
}

void TCustomChartLegend::SetFirstValue(int32_t value) {
  if (value < 0) throw LegendException(ChartConst::LegendFirstValueNegative);
  Store(mChart, mFirstValue, value);
}

void TCustomChartLegend::SetHorizMargin(int32_t value) { Store(mChart, mHorizMargin, value); }
void TCustomChartLegend::SetVertMargin(int32_t value) { Store(mChart, mVertMargin, value); }
void TCustomChartLegend::SetInverted(bool value) { Store(mChart, mInverted, value); }

void TCustomChartLegend::SetLegendStyle(TLegendStyle value) {
  if (mLegendStyle == value) return;
  mLegendStyle = value;
  ResolveStyle();
  Repaint();
}

void TCustomChartLegend::SetMaxNumRows(int32_t value) { Store(mChart, mMaxNumRows, value); }
void TCustomChartLegend::SetResizeChart(bool value) { Store(mChart, mResizeChart, value); }
void TCustomChartLegend::SetShadowColor(fw::TColor value) { Store(mChart, mShadowColor, value); }
void TCustomChartLegend::SetShadowSize(int32_t value) { Store(mChart, mShadowSize, value); }

void TCustomChartLegend::SetTextStyle(TLegendTextStyle value) {
  if (mTextStyle == value) return;
  mTextStyle = value;
  Repaint();
}

void TCustomChartLegend::SetTopPos(int32_t value) {
  if (value < 0 || value > 100) throw LegendException(ChartConst::LegendTopPosRange);
  Store(mChart, mTopPos, value);
}

void TCustomChartLegend::SetVisible(bool value) { Store(mChart, mVisible, value); }

void TCustomChartLegend::Assign(const TChartFontObject& source) {
  if (auto* other = dynamic_cast<const TCustomChartLegend*>(&source)) {
    mVisible = other->mVisible;
    mLegendStyle = other->mLegendStyle;
    mFirstValue = other->mFirstValue;
    mAlignment = other->mAlignment;
    mTextStyle = other->mTextStyle;
    mColorWidth = other->mColorWidth;
    mHorizMargin = other->mHorizMargin;
    mVertMargin = other->mVertMargin;
    mResizeChart = other->mResizeChart;
    mInverted = other->mInverted;
    mTopPos = other->mTopPos;
    mColor = other->mColor;
    mFrame->Assign(*other->mFrame);
    mMaxNumRows = other->mMaxNumRows;
    mBrush->Assign(*other->mBrush);
    Repaint();
  }
  TChartFontObject::Assign(source);
}

void TCustomChartLegend::ClearLayout() {
  mLegendBounds = fw::TRect{};
  mSymbolWidth = 0;
  mColumnCount = 0;
  mRowCount = 0;
}

// ---- items -------------------------------------------------------------------------------------

void TCustomChartLegend::ResolveStyle() {
  mEffectiveStyle = mLegendStyle;
  if (mLegendStyle != lsAuto) return;
  int32_t active = 0;
  if (mChart)
    for (const TChartSeries* s : mChart->SeriesList())
      if (s->Active() && ++active == 2) break;
  mEffectiveStyle = active < 2 ? lsValues : lsSeries;
}

int32_t TCustomChartLegend::TotalItems() const {
  if (!mChart) return 0;
  int64_t count = 0;
  if (mEffectiveStyle == lsValues) {
    const TChartSeries* first = mChart->FirstActiveSeries();
    if (first && first->ShowInLegend()) count = first->LegendEntryCount();
  } else {
    for (const TChartSeries* s : mChart->SeriesList())
      if (s->Active() && s->ShowInLegend()) ++count;
  }
  return Clamp32(std::max<int64_t>(0, count - mFirstValue));
}

std::string TCustomChartLegend::PointText(TChartSeries& series, int32_t pointIndex) const {
  std::string text = PointLegendText(series, pointIndex, mTextStyle);
  std::replace(text.begin(), text.end(), ChartSettings::LineBreakChar, ' ');
  return text;
}

std::string TCustomChartLegend::FormatItemText(int32_t n) const {
  if (!mChart) return {};
  switch (mEffectiveStyle) {
    case lsAuto:
    case lsSeries: return mChart->LegendTitleOf(n);
    case lsValues: {
      TChartSeries* first = mChart->FirstActiveSeries();
      return first ? PointText(*first, first->LegendIndexToPoint(n)) : std::string();
    }
    case lsLastValues: {
      TChartSeries* series = mChart->SeriesAtLegendIndex(n);
      return series ? PointText(*series, series->PointCount() - 1) : std::string();
    }
  }
  return {};
}

void TCustomChartLegend::CacheItemTexts(int32_t total) {
  mItemTexts.resize(static_cast<size_t>(total));
  for (int32_t k = 0; k < total; ++k) mItemTexts[static_cast<size_t>(k)] = mChart->LegendTextFor(mFirstValue + k);
  mTextsCached = true;
}

const std::string& TCustomChartLegend::ItemText(int32_t index) {
  const int64_t k = int64_t{index} - mFirstValue;
  if (mTextsCached && k >= 0 && k < static_cast<int64_t>(mItemTexts.size())) return mItemTexts[static_cast<size_t>(k)];
  mScratchText = mChart ? mChart->LegendTextFor(index) : std::string();
  return mScratchText;
}

int32_t TCustomChartLegend::WidestItemText(int32_t count) {
  if (!mChart) return 0;
  const int32_t total = TotalItems();
  const int32_t n = count == -1 ? total : std::min(count, total);
  TChartCanvas3D& canvas = mChart->Canvas();
  int32_t widest = 0;
  for (int32_t k = 0; k < n; ++k)
    widest = std::max(widest, canvas.MeasureTextWidth(ItemText(Clamp32(int64_t{mFirstValue} + k))));
  return widest;
}

int32_t TCustomChartLegend::MaxVisibleItems(int32_t position, int32_t itemSize) const {
  if (!mChart || itemSize <= 0) return 0;
  const fw::TRect& plot = mChart->PlotRect();
  const int64_t frame2 = 2 * int64_t{mFrame->Width()};
  int64_t room;
  if (IsVertical()) {
    if (position >= plot.Bottom) return 0;
    room = int64_t{plot.Bottom} - frame2 - position;
  } else {
    if (position >= plot.Right) return 0;
    room = int64_t{mChart->PlotWidth()} - frame2 - position;
  }
  // Less room than nothing fits no item (the division would give a negative count).
  if (room <= 0) return 0;
  return Clamp32(std::min<int64_t>(room / itemSize, TotalItems()));
}

// ---- painting ----------------------------------------------------------------------------------

int32_t TCustomChartLegend::FrameSpace() const { return mFrame->Visible() ? Clamp32(int64_t{mFrame->Width()} + 1) : 0; }

void TCustomChartLegend::PlaceColumnsAndRows(const TItemLayout& layout) {
  mColumnCount = MaxVisibleItems(8, Clamp32(int64_t{layout.TextColumnWidth} + mSymbolWidth + 8));
  if (mColumnCount <= 0) {
    mRowCount = 0;
    return;
  }
  int64_t rows = layout.Total / mColumnCount;
  if (layout.Total % mColumnCount != 0) ++rows;
  mRowCount = Clamp32(std::min<int64_t>(rows, mMaxNumRows));
}

void TCustomChartLegend::PlaceVertically(TItemLayout& layout) {
  const fw::TRect& plot = mChart->PlotRect();
  const int64_t h = mItemHeight;
  switch (mAlignment) {
    case laTop: {
      const int64_t top = int64_t{plot.Top} + FrameSpace();
      PlaceColumnsAndRows(layout);
      mLegendBounds.Top = Clamp32(top);
      mLegendBounds.Bottom = Clamp32(top + mRowCount * h + 2);
      break;
    }
    case laBottom: {
      const int64_t bottom = int64_t{plot.Bottom} - mShadowSize - FrameSpace();
      PlaceColumnsAndRows(layout);
      mLegendBounds.Bottom = Clamp32(bottom);
      mLegendBounds.Top = Clamp32(bottom - mRowCount * h - 2);
      break;
    }
    case laLeft:
    case laRight: {
      const fw::TRect& panel = mChart->PanelBounds();
      const int32_t top = Clamp32(int64_t{panel.Top} + Percent(int64_t{panel.Bottom} - panel.Top, mTopPos));
      mColumnCount = 1;
      mRowCount = MaxVisibleItems(top, mItemHeight);
      mLegendBounds.Top = top;
      mLegendBounds.Bottom = Clamp32(top + mRowCount * h + 2);
      break;
    }
  }
}

void TCustomChartLegend::PlaceHorizontally(TItemLayout& layout) {
  const fw::TRect& plot = mChart->PlotRect();
  switch (mAlignment) {
    case laLeft: {
      layout.TextColumnWidth = WidestItemText(mRowCount);
      const int64_t left = int64_t{plot.Left} + FrameSpace();
      layout.SymbolX = Clamp32(left + 4);
      mSymbolWidth = Percent(int64_t{layout.TextColumnWidth} + 10, mColorWidth);
      layout.TextX = Clamp32(int64_t{layout.SymbolX} + mSymbolWidth + 4);
      mLegendBounds.Left = Clamp32(left);
      mLegendBounds.Right = Clamp32(int64_t{layout.TextX} + layout.TextColumnWidth + 2);
      layout.ItemsToDraw = mRowCount;
      break;
    }
    case laRight: {
      layout.TextColumnWidth = WidestItemText(mRowCount);
      const int64_t right = int64_t{plot.Right} - FrameSpace() - mShadowSize;
      layout.TextX = Clamp32(right - layout.TextColumnWidth - 2);
      mSymbolWidth = Percent(int64_t{layout.TextColumnWidth} + 10, mColorWidth);
      layout.SymbolX = Clamp32(int64_t{layout.TextX} - mSymbolWidth - 4);
      mLegendBounds.Left = Clamp32(int64_t{layout.SymbolX} - 4);
      mLegendBounds.Right = Clamp32(right);
      layout.ItemsToDraw = mRowCount;
      break;
    }
    case laTop:
    case laBottom: {
      const int64_t wanted = 2 * int64_t{mShadowSize} +
                             (int64_t{mSymbolWidth} + layout.TextColumnWidth + 4) * mColumnCount + 8;
      const int64_t w = std::min<int64_t>(mChart->PlotWidth(), wanted);
      const fw::TRect& panel = mChart->PanelBounds();
      const int64_t shift = Percent(int64_t{panel.Right} - panel.Left - w, mTopPos);
      const int64_t center = mChart->PlotCenterX();
      mLegendBounds.Left = Clamp32(center - w / 2 + shift);
      mLegendBounds.Right = Clamp32(center + w / 2 + shift);
      layout.SymbolX = Clamp32(int64_t{mLegendBounds.Left} + 4);
      layout.TextX = Clamp32(int64_t{mLegendBounds.Left} + mSymbolWidth + 8);
      layout.ItemsToDraw = int64_t{mColumnCount} * mRowCount;
      break;
    }
  }
}

void TCustomChartLegend::PaintBox() {
  TChartCanvas3D& canvas = mChart->Canvas();
  fw::TRect box = mLegendBounds;
  const int64_t fw = mFrame->Width();
  int64_t e = int64_t{mShadowSize} - 1;
  canvas.ApplyChartPen(*mFrame);
  if (mFrame->Visible()) {
    if (canvas.Pen().Color() == fw::clDefault) canvas.Pen().SetColor(fw::clBlack);
    box = fw::TRect{Clamp32(box.Left - fw), Clamp32(box.Top - fw), Clamp32(box.Right + fw), Clamp32(box.Bottom + fw)};
    e = int64_t{mShadowSize} + fw + (fw - 1) / 2;
  }

  canvas.Brush().SetStyle(fw::bsSolid);
  if (mShadowSize > 0) {
    canvas.Brush().SetColor(mShadowColor);
    const fw::TRect& b = mLegendBounds;
    canvas.FillRectangle(fw::TRect{Clamp32(int64_t{b.Left} + mShadowSize), Clamp32(int64_t{b.Top} + mShadowSize),
                                   Clamp32(b.Right + e), Clamp32(b.Bottom + e)});
  }

  fw::TBrush& brush = canvas.Brush();
  brush.Assign(*mBrush);
  if (brush.Style() == fw::bsSolid) {
    brush.SetColor(mColor);
  } else {
    // A hatch without a colour of its own is drawn in black over the legend colour.
    if (brush.Color() == fw::clDefault) brush.SetColor(fw::clBlack);
    canvas.SetBackgroundColor(mColor);
    canvas.SetBackgroundMode(fw::OPAQUE);
  }
  canvas.DrawRect(box);
}

void TCustomChartLegend::SelectSymbolPen() {
  fw::TPen& pen = mChart->Canvas().Pen();
  pen.SetColor(mColor == fw::clBlack ? fw::clWhite : fw::clBlack);
  pen.SetStyle(fw::psSolid);
  pen.SetWidth(1);
}

void TCustomChartLegend::DrawItemSymbol(int32_t index, const fw::TRect& rect) {
  // A previous symbol or dividing line may have changed the pen: every symbol starts from the
  // legend's outline pen.
  SelectSymbolPen();
  if (mEffectiveStyle == lsValues) {
    if (TChartSeries* first = mChart->FirstActiveSeries()) {
      first->DrawLegendSymbol(first->LegendIndexToPoint(index), rect);
    } else {
      TChartCanvas3D& canvas = mChart->Canvas();
      canvas.Brush().SetStyle(fw::bsSolid);
      canvas.Brush().SetColor(fw::clWhite);
      canvas.DrawRect(rect);
    }
    return;
  }
  if (TChartSeries* series = mChart->SeriesAtLegendIndex(index)) series->DrawLegendSymbol(-1, rect);
}

void TCustomChartLegend::PaintItem(TItemLayout& layout, int32_t index, int32_t position) {
  if (position >= layout.Total) return;
  TChartCanvas3D& canvas = mChart->Canvas();
  canvas.Brush().SetStyle(fw::bsSolid);
  canvas.Brush().SetColor(mColor);

  int64_t x = layout.TextX;
  int64_t y = int64_t{mLegendBounds.Top} + 1;
  if (IsVertical()) {
    y += int64_t{mItemHeight} * position;
  } else {
    y += int64_t{position / mColumnCount} * mItemHeight;
    x += int64_t{position % mColumnCount} * (int64_t{layout.TextColumnWidth} + mSymbolWidth + 4);
  }
  int32_t itemX = Clamp32(x);
  int32_t itemY = Clamp32(y);
  if (mChart->OnGetLegendPos) mChart->OnGetLegendPos(mChart, index, itemX, itemY, layout.SymbolX);

  canvas.Brush().SetStyle(fw::bsClear);
  const fw::TRect symbol{Clamp32(int64_t{itemX} - 4 - mSymbolWidth), Clamp32(int64_t{itemY} + 2),
                         Clamp32(int64_t{itemX} - 4), Clamp32(int64_t{itemY} + mItemHeight - 2)};
  const std::string& text = ItemText(index);
  if (!text.empty()) {
    canvas.WriteText(itemX, itemY, text);
    DrawItemSymbol(index, symbol);
  }

  if (position > 0 && mDividingLines->Visible()) {
    canvas.ApplyChartPen(*mDividingLines);
    canvas.SetBackgroundMode(fw::TRANSPARENT);
    if (IsVertical())
      canvas.DrawHorizontalLine(mLegendBounds.Left, mLegendBounds.Right, itemY);
    else
      canvas.DrawVerticalLine(Clamp32(int64_t{symbol.Left} - 4), mLegendBounds.Top, mLegendBounds.Bottom);
  }
}

void TCustomChartLegend::ShrinkPlotRect() {
  const int64_t horizMargin = mHorizMargin != 0 ? mHorizMargin : fw::MulDiv(3, mChart->PlotWidth(), 100);
  const int64_t vertMargin = mVertMargin != 0 ? mVertMargin : fw::MulDiv(4, mChart->PlotHeight(), 100);
  fw::TRect plot = mChart->PlotRect();
  const fw::TRect& box = mLegendBounds;
  switch (mAlignment) {
    case laLeft:
      if (mResizeChart) plot.Left = box.Right;
      plot.Left = Clamp32(plot.Left + horizMargin);
      break;
    case laRight:
      if (mResizeChart) plot.Right = box.Left;
      plot.Right = Clamp32(plot.Right - horizMargin);
      break;
    case laTop:
      if (mResizeChart) plot.Top = Clamp32(int64_t{box.Bottom} + mShadowSize);
      plot.Top = Clamp32(plot.Top + vertMargin);
      break;
    case laBottom:
      if (mResizeChart) plot.Bottom = box.Top;
      plot.Bottom = Clamp32(plot.Bottom - vertMargin);
      break;
  }
  mChart->SetPlotRect(plot);
}

void TCustomChartLegend::PaintLegend() {
  if (!mChart) return;
  TChartCanvas3D& canvas = mChart->Canvas();
  ResolveStyle();
  mChart->SelectFont(Font());
  mItemHeight = canvas.CharacterHeight();

  // Without a text handler each item's text is formatted once in this frame. A handler is asked
  // every time the layout or the drawing needs an item's text, as it may answer differently.
  struct TCacheScope {
    bool& Cached;
    ~TCacheScope() { Cached = false; }
  } scope{mTextsCached};
  TItemLayout layout;
  layout.Total = TotalItems();
  if (!mChart->OnGetLegendText) CacheItemTexts(layout.Total);

  layout.TextColumnWidth = Clamp32(int64_t{WidestItemText(-1)} + 4);
  mSymbolWidth = Percent(layout.TextColumnWidth, mColorWidth);
  PlaceVertically(layout);
  PlaceHorizontally(layout);
  if (mChart->OnGetLegendRect) mChart->OnGetLegendRect(mChart, mLegendBounds);
  if (layout.ItemsToDraw < 1) return;

  PaintBox();
  SelectSymbolPen();
  canvas.SetTextAlignment(fw::TA_LEFT | fw::TA_TOP);

  const int64_t shown = std::min<int64_t>(layout.Total, layout.ItemsToDraw);
  const int32_t first = mFirstValue;
  const int32_t last = Clamp32(shown + first - 1);
  for (int32_t k = 0; k < shown; ++k) {
    const int32_t index = mInverted ? last - k : first + k;
    PaintItem(layout, index, k);
  }
  ShrinkPlotRect();
}

// ---- hit testing -------------------------------------------------------------------------------

int32_t TCustomChartLegend::RowAt(int32_t y, int32_t rowHeight) const {
  const int64_t h = rowHeight;
  for (int64_t r = 0; r < mRowCount; ++r) {
    const int64_t rowTop = int64_t{mLegendBounds.Top} + 1 + r * h;
    if (rowTop > y) break;
    if (y <= rowTop + h) return static_cast<int32_t>(r);
    if (h <= 0) break;
  }
  return -1;
}

int32_t TCustomChartLegend::LegendItemAt(int32_t x, int32_t y) const {
  const fw::TRect& b = mLegendBounds;
  if (!b.Contains(x, y)) return -1;
  if (IsVertical()) {
    if (mRowCount <= 0) return -1;
    return RowAt(y, Clamp32((int64_t{b.Bottom} - b.Top) / mRowCount));
  }
  if (mColumnCount <= 0) return -1;
  const int64_t cw = (int64_t{b.Right} - b.Left) / mColumnCount;
  int32_t result = -1;
  for (int64_t k = 0; k < mColumnCount; ++k) {
    const int64_t columnLeft = int64_t{b.Left} + 1 + k * cw;
    if (columnLeft > x) break;
    if (x > columnLeft + cw) continue;
    const int32_t row = RowAt(y, mItemHeight);
    if (row != -1) result = Clamp32(k + int64_t{row} * mColumnCount);
  }
  return result;
}

}  // namespace chart
