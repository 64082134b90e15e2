#include "chart/panel/TCustomChartPanel.h"

#include <algorithm>
#include <cstdio>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/ClampInt.h"
#include "framework/runtime/Rounding.h"

namespace chart {

namespace {

std::string FormatPercentRangeMessage() {
  char text[128];
  std::snprintf(text, sizeof text, ChartConst::Chart3DPercentRange, MinChart3DPercent, MaxChart3DPercent);
  return text;
}

}  // namespace

TCustomChartPanel::TCustomChartPanel(fw::TComponent* owner)
    : fw::TCustomPanel(owner),
      mPanDrag(std::make_unique<TZoomPanningRecord>()),
      mView3DOptions(std::make_unique<TView3DOptions>([this] { Invalidate(); })),
      mZoomDrag(std::make_unique<TZoomPanningRecord>()),
      mCanvas(std::make_unique<TChartCanvas3D>()) {
  SetBounds(Left(), Top(), 400, 250);
  mCanvas->AttachSurface(&WindowSurface());
  mRestingCursor = Cursor();
  mRepaintEnabled = true;
}

TCustomChartPanel::~TCustomChartPanel() = default;

fw::TSurface& TCustomChartPanel::WindowSurface() { return fw::TCustomPanel::Canvas(); }

// ---- invalidation ------------------------------------------------------------------------------

void TCustomChartPanel::Invalidate() {
  if (!mRepaintEnabled) return;
  if (mCanvas) mCanvas->MarkDirty();
  fw::TCustomPanel::Invalidate();
}

void TCustomChartPanel::NotifyChange() { Invalidate(); }

bool TCustomChartPanel::ChangeProperty(int32_t& field, int32_t value) {
  if (field == value) return false;
  field = value;
  Invalidate();
  return true;
}

bool TCustomChartPanel::ChangeProperty(bool& field, bool value) {
  if (field == value) return false;
  field = value;
  Invalidate();
  return true;
}

bool TCustomChartPanel::ChangeProperty(double& field, double value) {
  // Bitwise-different NaNs and +0/-0 compare as the IEEE comparison says; a NaN is always stored.
  if (field == value) return false;
  field = value;
  Invalidate();
  return true;
}

bool TCustomChartPanel::ChangeProperty(std::string& field, const std::string& value) {
  if (field == value) return false;
  field = value;
  Invalidate();
  return true;
}

// ---- settings ----------------------------------------------------------------------------------

void TCustomChartPanel::SetChart3DPercent(int32_t value) {
  if (value < MinChart3DPercent || value > MaxChart3DPercent) throw ChartException(FormatPercentRangeMessage());
  ChangeProperty(mChart3DPercent, value);
}

void TCustomChartPanel::SetMargin(TMarginSide side, int32_t value) { ChangeProperty(mMargins[side], value); }

void TCustomChartPanel::SetView3D(bool value) { ChangeProperty(mView3D, value); }

void TCustomChartPanel::SetView3DOptions(const TView3DOptions& value) {
  mView3DOptions->Assign(value);
  Invalidate();
}

bool TCustomChartPanel::Monochrome() const { return mCanvas->Monochrome(); }

void TCustomChartPanel::SetMonochrome(bool value) { mCanvas->SetMonochrome(value); }

bool TCustomChartPanel::BufferedDisplay() const { return mCanvas->GetBuffered(); }

void TCustomChartPanel::SetBufferedDisplay(bool value) { mCanvas->SetBuffered(value); }

void TCustomChartPanel::Loaded() {
  fw::TCustomPanel::Loaded();
  mRestingCursor = Cursor();
}

void TCustomChartPanel::Assign(const TCustomChartPanel& source) {
  SetBufferedDisplay(source.BufferedDisplay());
  mPrintProportional = source.mPrintProportional;
  mPrintResolution = source.mPrintResolution;
  for (int side = msLeft; side <= msBottom; ++side) mMargins[side] = source.mMargins[side];
  SetMonochrome(source.Monochrome());
  mView3D = source.mView3D;
  mView3DOptions->Assign(*source.mView3DOptions);
  mChart3DPercent = source.mChart3DPercent;
  SetColor(source.Color());
  Invalidate();
}

// ---- plot rectangle ----------------------------------------------------------------------------

fw::TRect TCustomChartPanel::MarginPlotRect(const fw::TRect& bounds) const {
  const int32_t w = bounds.Width();
  const int32_t h = bounds.Height();
  const int32_t b = BorderWidth();
  // 64-bit sums, clamped: a border or margin as wide as the 32-bit range leaves no plot.
  fw::TRect r;
  r.Left = fw::ClampToInt32(int64_t{bounds.Left} + b + fw::MulDiv(mMargins[msLeft], w, 100));
  r.Top = fw::ClampToInt32(int64_t{bounds.Top} + b + fw::MulDiv(mMargins[msTop], h, 100));
  r.Right = fw::ClampToInt32(int64_t{bounds.Right} - b - fw::MulDiv(mMargins[msRight], w, 100));
  r.Bottom = fw::ClampToInt32(int64_t{bounds.Bottom} - b - fw::MulDiv(mMargins[msBottom], h, 100));
  return r;
}

void TCustomChartPanel::SetPlotRect(const fw::TRect& rect) {
  mPlotRect = rect;
  NormalizePlotRect();
}

void TCustomChartPanel::NormalizePlotRect() {
  fw::TRect& r = mPlotRect;
  r.Left = std::max(r.Left, mPanelBounds.Left);
  r.Top = std::max(r.Top, mPanelBounds.Top);
  // 64-bit sums: a huge control size or margin must not overflow the widened edge.
  if (r.Left > r.Right)
    r.Right = static_cast<int32_t>(std::min<int64_t>(int64_t{r.Left} + 1, INT32_MAX));
  else if (r.Left == r.Right)
    r.Right = static_cast<int32_t>(std::clamp<int64_t>(int64_t{r.Left} + Width(), INT32_MIN, INT32_MAX));
  if (r.Top > r.Bottom)
    r.Bottom = static_cast<int32_t>(std::min<int64_t>(int64_t{r.Top} + 1, INT32_MAX));
  else if (r.Top == r.Bottom)
    r.Bottom = static_cast<int32_t>(std::clamp<int64_t>(int64_t{r.Top} + Height(), INT32_MIN, INT32_MAX));
  mPlotWidth = static_cast<int32_t>(int64_t{r.Right} - r.Left);
  mPlotHeight = static_cast<int32_t>(int64_t{r.Bottom} - r.Top);
  mPlotCenterX = static_cast<int32_t>((int64_t{r.Left} + r.Right) / 2);
  mPlotCenterY = static_cast<int32_t>((int64_t{r.Top} + r.Bottom) / 2);
}

// ---- painting ----------------------------------------------------------------------------------

fw::TRect TCustomChartPanel::GetPaintArea() const { return ClientRect(); }

void TCustomChartPanel::Paint() {
  if (mPrintingActive) return;
  if (mCanvas->RepaintFromBuffer()) return;
  // A window frame starts with the panel background over the whole area.
  mCanvas->DiscardBufferContent();
  DrawToCanvas(WindowSurface(), GetPaintArea());
}

void TCustomChartPanel::DrawToCanvas(fw::TSurface& surface, const fw::TRect& rect) {
  mPanelBounds = mCanvas->PrepareSurface(&surface, mView3DOptions.get(), Color(), mView3D, rect);
  mPlotRect = MarginPlotRect(mPanelBounds);
  NormalizePlotRect();
  DrawContent(mPanelBounds);
  mCanvas->PresentBuffer(&surface, &WindowSurface(), rect);
}

namespace {

// Moves every edge inward by n (64-bit sums, clamped).
void Inset(fw::TRect& r, int32_t n) {
  r.Left = fw::ClampToInt32(int64_t{r.Left} + n);
  r.Top = fw::ClampToInt32(int64_t{r.Top} + n);
  r.Right = fw::ClampToInt32(int64_t{r.Right} - n);
  r.Bottom = fw::ClampToInt32(int64_t{r.Bottom} - n);
}

}  // namespace

void TCustomChartPanel::DrawPanelBorder(const fw::TRect& rect) {
  if (mPrintingActive && !ChartSettings::PrintPanelFrame) return;
  fw::TPen& pen = mCanvas->Pen();
  pen.SetStyle(fw::psSolid);
  pen.SetWidth(1);
  pen.SetMode(fw::pmCopy);
  mCanvas->Brush().SetStyle(fw::bsClear);

  fw::TRect r = rect;
  auto bevel = [&](fw::TBevelCut cut) {
    if (cut == fw::bvNone) return;
    const fw::TColor top = cut == fw::bvLowered ? fw::clBtnShadow : fw::clBtnHighlight;
    const fw::TColor bottom = cut == fw::bvRaised ? fw::clBtnShadow : fw::clBtnHighlight;
    mCanvas->DrawBevel(r, top, bottom, BevelWidth());
    Inset(r, BevelWidth());
  };
  bevel(BevelOuter());
  if (BorderWidth() > 0) {
    mCanvas->DrawBevel(r, Color(), Color(), BorderWidth());
    Inset(r, BorderWidth());
  }
  bevel(BevelInner());
}

void TCustomChartPanel::SelectFont(const fw::TFont& font) const {
  fw::TFont& target = mCanvas->Font();
  const int32_t ppi = target.PixelsPerInch();
  fw::TFont copy(font);
  copy.SetPixelsPerInch(ppi);
  target.Assign(copy);
}

// ---- services ----------------------------------------------------------------------------------

bool TCustomChartPanel::ClippingAllowed() const {
  if (mCanvas->PrefersDepthDrawing()) return false;
  const bool metafile = mCanvas->Metafile();
  if (!mPrintingActive && !metafile) return true;
  if (mPrintingActive && ChartSettings::ClipPrinted) return true;
  return metafile && ChartSettings::ClipMetafile;
}

int32_t TCustomChartPanel::MeasureMultiLineText(const std::string& text, int32_t& lineCount) const {
  size_t start = 0;
  size_t brk = text.find(ChartSettings::LineBreakChar);
  if (brk == std::string::npos) {
    lineCount = 1;
    return mCanvas->MeasureTextWidth(text);
  }
  lineCount = 0;
  int32_t width = 0;
  while (brk != std::string::npos) {
    width = std::max(width, mCanvas->MeasureTextWidth(text.substr(start, brk - start)));
    ++lineCount;
    start = brk + 1;
    brk = text.find(ChartSettings::LineBreakChar, start);
  }
  if (start < text.size()) {
    width = std::max(width, mCanvas->MeasureTextWidth(text.substr(start)));
    ++lineCount;
  }
  return width;
}

void TCustomChartPanel::ApplyFillBrush(fw::TColor color, fw::TBrushStyle style, fw::TColor backColor) {
  fw::TBrush& brush = mCanvas->Brush();
  if (style != fw::bsSolid && color == backColor)
    brush.SetColor(backColor == fw::clBlack ? fw::clWhite : fw::clBlack);
  else
    brush.SetColor(color);
  brush.SetStyle(style);
  mCanvas->GetBackgroundMode();  // any query selects the changed brush into the surface now
  if (style == fw::bsSolid) {
    mCanvas->SetBackgroundMode(1);
  } else {
    mCanvas->SetBackgroundMode(2);
    mCanvas->SetBackgroundColor(fw::ColorToRGB(backColor));
  }
}

void TCustomChartPanel::ToggleZoomFrame() {
  fw::TColor color = fw::ColorToRGB(Color());
  if (color == fw::clWhite) color = fw::clBlack;
  fw::TPen& pen = mCanvas->Pen();
  pen.SetColor(color);
  pen.SetMode(fw::pmNotXor);
  pen.SetStyle(fw::psSolid);
  pen.SetWidth(1);
  mCanvas->Brush().SetStyle(fw::bsClear);
  const TZoomPanningRecord& z = *mZoomDrag;
  mCanvas->DrawRectangle(z.DragStartX, z.DragStartY, z.DragEndX, z.DragEndY);
}

// ---- messages ----------------------------------------------------------------------------------

void TCustomChartPanel::MouseLeave() {
  fw::TCustomPanel::MouseLeave();
  SetCursor(mRestingCursor);
  mPanDrag->InProgress = false;
}

}  // namespace chart
