#include "chart/canvas/TChartCanvas.h"

#include "chart/canvas/TChartPen.h"
#include "framework/graphics/TSurface.h"

namespace chart {

int32_t TChartCanvas::MeasureTextWidth(const std::string& text) {
  if (!mSurface || text.empty()) return 0;
  return mSurface->TextWidth(text);
}

int32_t TChartCanvas::MeasureTextHeight(const std::string& text) {
  if (!mSurface || text.empty()) return 0;
  return mSurface->TextHeight(text);
}

void TChartCanvas::AttachSurface(fw::TSurface* surface) {
  mSurface = surface;
  mPen = surface ? &surface->Pen() : nullptr;
  mBrush = surface ? &surface->Brush() : nullptr;
  mFont = surface ? &surface->Font() : nullptr;
}

void TChartCanvas::ResetDrawingState() {
  if (!mSurface) return;
  mPen->SetColor(fw::clBlack);
  mPen->SetWidth(1);
  mPen->SetStyle(fw::psSolid);
  mBrush->SetColor(fw::clWhite);
  mBrush->SetStyle(fw::bsSolid);
  mFont->SetColor(fw::clBlack);
  mFont->SetSize(10);
  SetBackgroundColor(fw::clWhite);
  SetBackgroundMode(fw::TRANSPARENT);
}

void TChartCanvas::ApplyChartPen(const TChartPen& pen) {
  if (mSurface) ApplyChartPenTo(*mPen, pen);
}

void TChartCanvas::ApplyChartPenTo(fw::TPen& target, const TChartPen& pen) {
  if (!pen.Visible()) {
    target.SetStyle(fw::psClear);
    return;
  }
  if (pen.SmallDots() && pen.Width() == 1) {
    // A cosmetic every-other-pixel pen in the pen's colour; the raster operation stays.
    target.SetColor(fw::ColorToRGB(pen.Color()));
    target.SetWidth(1);
    target.SetStyle(fw::psAlternate);
    return;
  }
  target.Assign(pen);
}

int32_t TChartCanvas::CharacterHeight() { return MeasureTextHeight("W"); }

}  // namespace chart
