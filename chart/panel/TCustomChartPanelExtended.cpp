#include "chart/panel/TCustomChartPanelExtended.h"

#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPicture.h"

namespace chart {

TCustomChartPanelExtended::TCustomChartPanelExtended(fw::TComponent* owner)
    : TCustomChartPanel(owner),
      mBackImage(std::make_unique<fw::TPicture>()),
      mGradient(std::make_unique<TChartGradient>(this)) {
  mBackImage->OnChange = [this] { NotifyChange(); };
}

TCustomChartPanelExtended::~TCustomChartPanelExtended() = default;

void TCustomChartPanelExtended::SetAllowPanning(TPanningMode value) {
  if (mAllowPanning == value) return;
  mAllowPanning = value;
  Invalidate();
}

void TCustomChartPanelExtended::SetBackImage(const fw::TPicture& value) { mBackImage->Assign(value); }

void TCustomChartPanelExtended::SetBackImageMode(TChartBackImageMode value) {
  if (mBackImageMode == value) return;
  mBackImageMode = value;
  Invalidate();
}

void TCustomChartPanelExtended::SetGradient(const TCustomChartGradient& value) {
  mGradient->Assign(value);
  Invalidate();
}

void TCustomChartPanelExtended::Assign(const TCustomChartPanel& source) {
  if (auto* other = dynamic_cast<const TCustomChartPanelExtended*>(&source)) {
    mBackImage->Assign(*other->mBackImage);
    mBackImageMode = other->mBackImageMode;
    mGradient->Assign(*other->mGradient);
    mAllowPanning = other->mAllowPanning;
    mAllowZoom = other->mAllowZoom;
    mAnimatedZoom = other->mAnimatedZoom;
    mAnimatedZoomSteps = other->mAnimatedZoomSteps;
  }
  TCustomChartPanel::Assign(source);
}

// ---- background --------------------------------------------------------------------------------

void TCustomChartPanelExtended::PaintPanelBackground(const fw::TRect& rect) {
  FillPanelBackground(rect);
  DrawBackgroundImage(rect);
  if (!Canvas().PrefersDepthDrawing()) DrawPanelBorder(rect);
}

void TCustomChartPanelExtended::FillPanelBackground(const fw::TRect& rect) {
  TChartCanvas3D& canvas = Canvas();
  if (mGradient->Visible()) {
    const TGradientDirection direction = mGradient->Direction();
    // The canvas swaps the colours back for every direction but these two, so its bands
    // always start from StartColor.
    if (direction == gdTopBottom || direction == gdLeftRight)
      canvas.FillGradient(rect, mGradient->StartColor(), mGradient->EndColor(), direction);
    else
      canvas.FillGradient(rect, mGradient->EndColor(), mGradient->StartColor(), direction);
    return;
  }
  if (PrintingActive() && !ChartSettings::PrintPanelFrame) return;
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(fw::bsSolid);
  canvas.EraseArea(rect);
}

void TCustomChartPanelExtended::DrawBackgroundImage(const fw::TRect& rect) { DrawBackImageAt(rect, 0); }

void TCustomChartPanelExtended::DrawBackImageAt(const fw::TRect& rect, int32_t z) {
  const fw::TGraphic* graphic = mBackImage->Graphic();
  if (graphic == nullptr || graphic->Empty()) return;
  if (z != 0 && View3D() && !View3DOptions().Orthogonal()) return;

  TChartCanvas3D& canvas = Canvas();
  fw::TRect r = rect;
  auto project = [&] {
    if (z <= 0) return;
    const fw::TPoint a = canvas.ProjectToPoint(r.Left, r.Top, z);
    const fw::TPoint b = canvas.ProjectToPoint(r.Right, r.Bottom, z);
    r = fw::TRect{a.X, a.Y, b.X, b.Y};
  };

  if (mBackImageMode == pbmStretch) {
    project();
    canvas.StretchGraphic(r, graphic);
    return;
  }

  const bool clip = ClippingAllowed();
  if (clip) {
    if (z != 0)
      canvas.ClipToBox(r, 0, DepthWidth());
    else
      canvas.ClipToRectangle(r);
  }
  project();
  const int32_t w = graphic->Width();
  const int32_t h = graphic->Height();
  if (mBackImageMode == pbmTile) {
    DrawTiled(r, w, h);
  } else {
    FillPanelBackground(r);
    canvas.DrawGraphic(r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2, graphic);
  }
  if (clip) canvas.RemoveClipping();
}

void TCustomChartPanelExtended::DrawTiled(const fw::TRect& rect, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return;
  const fw::TGraphic* graphic = mBackImage->Graphic();
  // 64-bit offsets: a rectangle near the edge of the coordinate range must not overflow.
  for (int64_t y = 0; y < rect.Height(); y += height)
    for (int64_t x = 0; x < rect.Width(); x += width)
      Canvas().DrawGraphic(static_cast<int32_t>(rect.Left + x), static_cast<int32_t>(rect.Top + y), graphic);
}

}  // namespace chart
