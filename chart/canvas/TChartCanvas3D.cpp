// The chart canvas: 2D primitives over the attached surface, text, clipping, gradients and the
// off-screen frame bitmap. Projection is in TChartCanvas3DProjection.cpp, drawing at depth and
// the 3D shapes in TChartCanvas3DShapes.cpp.
#include "chart/canvas/TChartCanvas3D.h"

#include <algorithm>
#include <array>

#include "framework/runtime/Rounding.h"
#include "chart/canvas/GradientBands.h"
#include "chart/canvas/PixelMath.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TGraphic.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"

namespace chart {

using fw::MulDiv;
using fw::RoundHalfEven;

namespace {

// Puts the surface font back as it was when the scope ends.
class FontRestore {
public:
  explicit FontRestore(fw::TFont& font) : mFont(font), mSaved(font) {}
  ~FontRestore() { mFont.Assign(mSaved); }
  FontRestore(const FontRestore&) = delete;
  FontRestore& operator=(const FontRestore&) = delete;

private:
  fw::TFont& mFont;
  fw::TFont mSaved;
};

// Gradient rectangles larger than this per side are cut to the drawable area first, so that
// the per-pixel band loops stay bounded whatever rectangle is passed.
constexpr int64_t MaxGradientSide = 1 << 15;

}  // namespace

TChartCanvas3D::TChartCanvas3D() = default;

TChartCanvas3D::~TChartCanvas3D() = default;

// ---------------------------------------------------------------------------- device state

fw::TColor TChartCanvas3D::GetBackgroundColor() { return mSurface ? mSurface->GetBkColor() : fw::clWhite; }

int32_t TChartCanvas3D::GetBackgroundMode() { return mSurface ? mSurface->GetBkMode() : fw::OPAQUE; }

fw::TSurface* TChartCanvas3D::GetSurfaceHandle() { return mSurface; }

int32_t TChartCanvas3D::GetTextAlignment() { return mSurface ? mSurface->GetTextAlign() : fw::TA_LEFT; }

void TChartCanvas3D::SetBackgroundColor(fw::TColor color) {
  if (mSurface) mSurface->SetBkColor(fw::ColorToRGB(color));
}

void TChartCanvas3D::SetBackgroundMode(int32_t mode) {
  if (mSurface) mSurface->SetBkMode(mode);
}

void TChartCanvas3D::SetTextAlignment(int32_t flags) {
  if (mSurface) mSurface->SetTextAlign(flags);
}

// ---------------------------------------------------------------------------- buffer settings

void TChartCanvas3D::SetMonochrome(bool value) {
  if (mMonochrome == value) return;
  mMonochrome = value;
  ReleaseBitmap();
  mDirty = true;
  if (mView3DOptions) mView3DOptions->RequestOwnerRepaint();
}

void TChartCanvas3D::SetBuffered(bool value) {
  mBuffered = value;
  if (!value && mBitmap) {
    ReleaseBitmap();
    mDirty = true;
  }
}

void TChartCanvas3D::ReleaseBitmap() {
  // The bitmap's surface may be the attached one (a release in the middle of a frame).
  if (mBitmap && mSurface == &mBitmap->Canvas()) AttachSurface(nullptr);
  mBitmap.reset();
}

// ---------------------------------------------------------------------------- frame

fw::TRect TChartCanvas3D::PrepareSurface(fw::TSurface* target, TView3DOptions* options, fw::TColor /*backgroundColor*/,
                                         bool view3D, const fw::TRect& rect) {
  mRequestedRect = rect;
  mView3DOptions = options;
  mIs3D = view3D;
  mIsOrthogonal = false;
  mZoomFactor = 1.0;
  if (mIs3D && mView3DOptions) {
    mIsOrthogonal = mView3DOptions->Orthogonal();
    mZoomFactor = mView3DOptions->Zoom() * 0.01;
    mZoomText = mView3DOptions->ZoomText();
  }
  if (mIs3D) ComputeRotation();

  if (!mBuffered) {
    AttachSurface(target);
    return rect;
  }
  // Sizes are clamped at 0: an inverted rectangle gives an empty frame, not a failed allocation.
  const int32_t w = static_cast<int32_t>(std::max<int64_t>(0, static_cast<int64_t>(rect.Right) - rect.Left));
  const int32_t h = static_cast<int32_t>(std::max<int64_t>(0, static_cast<int64_t>(rect.Bottom) - rect.Top));
  // The frame is drawn at the target's pixel density, so that it goes on to it one to one.
  const double ratio = target != nullptr ? target->DevicePixelRatio() : 1.0;
  if (mBitmap && (mBitmap->Width() != w || mBitmap->Height() != h || mBitmap->DevicePixelRatio() != ratio))
    ReleaseBitmap();
  if (!mBitmap) {
    auto bitmap = std::make_unique<fw::TBitmap>();
    bitmap->SetMonochrome(mMonochrome);
    try {
      bitmap->SetDevicePixelRatio(ratio);
      bitmap->SetSize(w, h);
    } catch (const fw::Exception&) {
      // No memory for the frame bitmap: draw this frame directly instead of failing the paint.
      AttachSurface(target);
      return rect;
    }
    mBitmap = std::move(bitmap);
  }
  // Thousands of primitives per frame must not notify the bitmap one by one.
  mBitmap->Canvas().OnChange = nullptr;
  mBitmap->Canvas().OnChanging = nullptr;
  AttachSurface(&mBitmap->Canvas());
  return {0, 0, w, h};
}

void TChartCanvas3D::CopyBitmapTo(fw::TSurface& destination, int32_t x, int32_t y) {
  destination.BlockCopy(x, y, mBitmap->Width(), mBitmap->Height(), mBitmap->Canvas(), 0, 0);
}

void TChartCanvas3D::PresentBuffer(fw::TSurface* destination, fw::TSurface* defaultSurface, const fw::TRect& rect) {
  if (mBuffered && mBitmap) {
    if (destination) CopyBitmapTo(*destination, rect.Left, rect.Top);
    mDirty = false;
  }
  AttachSurface(defaultSurface);
}

void TChartCanvas3D::DiscardBufferContent() {
  if (mBitmap) mBitmap->Canvas().DiscardContent();
}

bool TChartCanvas3D::RepaintFromBuffer() {
  if (mDirty || !mBitmap) return false;
  // A window at another pixel density (moved to another screen) needs a new frame.
  if (mSurface && mSurface->DevicePixelRatio() != mBitmap->DevicePixelRatio()) return false;
  if (mSurface && mSurface != &mBitmap->Canvas()) CopyBitmapTo(*mSurface, 0, 0);
  return true;
}

// ---------------------------------------------------------------------------- primitives

void TChartCanvas3D::PlotPixel(int32_t x, int32_t y, fw::TColor color) {
  if (mSurface) mSurface->SetPixel(x, y, fw::ColorToRGB(color));
}

void TChartCanvas3D::DrawArc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                             int32_t y4) {
  if (mSurface) mSurface->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TChartCanvas3D::DrawGraphic(int32_t x, int32_t y, const fw::TGraphic* graphic) {
  if (!mSurface || !graphic || graphic->Empty()) return;
  mSurface->SetBkColor(fw::ColorToRGB(mBrush->Color()));
  mSurface->SetTextColor(fw::ColorToRGB(mFont->Color()));
  mSurface->Draw(x, y, graphic);
}

void TChartCanvas3D::DrawEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (mSurface) mSurface->Ellipse(x1, y1, x2, y2);
}

void TChartCanvas3D::FillRectangle(const fw::TRect& rect) {
  if (mSurface) mSurface->FillRect(rect);
}

void TChartCanvas3D::DrawBevel(const fw::TRect& rect, fw::TColor topColor, fw::TColor bottomColor, int32_t width) {
  if (!mSurface) return;
  mPen->SetWidth(1);
  fw::TRect r{rect.Left, rect.Top, pixel::Add(rect.Right, -1), pixel::Add(rect.Bottom, -1)};
  // Rings past the middle are not drawn: they would only cross the rings already there.
  for (int32_t i = 0; i < width && r.Left <= r.Right && r.Top <= r.Bottom; ++i) {
    mPen->SetColor(topColor);
    const std::array<fw::TPoint, 3> topLeft{{{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}}};
    mSurface->Polyline(topLeft);
    mPen->SetColor(bottomColor);
    const std::array<fw::TPoint, 3> bottomRight{{{r.Right, r.Top}, {r.Right, r.Bottom}, {pixel::Add(r.Left, -1), r.Bottom}}};
    mSurface->Polyline(bottomRight);
    r = {pixel::Add(r.Left, 1), pixel::Add(r.Top, 1), pixel::Add(r.Right, -1), pixel::Add(r.Bottom, -1)};
  }
}

void TChartCanvas3D::DrawLineTo(int32_t x, int32_t y) {
  if (mSurface) mSurface->LineTo(x, y);
}

void TChartCanvas3D::MovePenTo(int32_t x, int32_t y) {
  if (mSurface) mSurface->MoveTo(x, y);
}

void TChartCanvas3D::DrawPieSlice(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                                  int32_t y4) {
  if (mSurface) mSurface->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TChartCanvas3D::DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (mSurface) mSurface->Rectangle(x1, y1, x2, y2);
}

void TChartCanvas3D::DrawRoundedRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth,
                                          int32_t cornerHeight) {
  if (mSurface) mSurface->RoundRect(x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void TChartCanvas3D::StretchGraphic(const fw::TRect& rect, const fw::TGraphic* graphic) {
  if (mSurface && graphic) mSurface->StretchDraw(rect, graphic);
}

void TChartCanvas3D::WriteText(int32_t x, int32_t y, const std::string& text) {
  if (!mSurface) return;
  mSurface->SetTextColor(fw::ColorToRGB(mFont->Color()));
  mSurface->TextOut(x, y, text);
}

void TChartCanvas3D::ClipToRectangle(const fw::TRect& rect) {
  if (mSurface) mSurface->IntersectClipRect(rect);
}

void TChartCanvas3D::DrawHorizontalLine(int32_t x1, int32_t x2, int32_t y) { DrawSegment(x1, y, x2, y); }

void TChartCanvas3D::DrawRect(const fw::TRect& rect) { DrawRectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }

void TChartCanvas3D::DrawVerticalLine(int32_t x, int32_t y1, int32_t y2) { DrawSegment(x, y1, x, y2); }

void TChartCanvas3D::EraseArea(const fw::TRect& rect) { FillRectangle(rect); }

void TChartCanvas3D::DrawSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!mSurface) return;
  mSurface->MoveTo(x1, y1);
  mSurface->LineTo(x2, y2);
}

void TChartCanvas3D::DrawPolygon(std::span<const fw::TPoint> points) {
  if (mSurface && !points.empty()) mSurface->Polygon(points);
}

void TChartCanvas3D::RemoveClipping() {
  if (mSurface) mSurface->RemoveClipping();
}

// ---------------------------------------------------------------------------- gradient

void TChartCanvas3D::FillGradient(const fw::TRect& rect, fw::TColor startColor, fw::TColor endColor,
                                  TGradientDirection direction) {
  if (!mSurface) return;
  if (direction != gdTopBottom && direction != gdLeftRight) std::swap(startColor, endColor);
  fw::TRect r = rect;
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  if (static_cast<int64_t>(r.Right) - r.Left > MaxGradientSide ||
      static_cast<int64_t>(r.Bottom) - r.Top > MaxGradientSide) {
    const fw::TRect visible = mSurface->ClipBounds();
    r = {std::max(r.Left, visible.Left), std::max(r.Top, visible.Top), std::min(r.Right, visible.Right),
         std::min(r.Bottom, visible.Bottom)};
  }
  fw::TSurface& surface = *mSurface;
  ComputeGradientBands(r, startColor, endColor, direction,
                       [&surface](const fw::TRect& band, fw::TColor rgb) { surface.PatBlt(band, rgb); });
}

// ---------------------------------------------------------------------------- text

void TChartCanvas3D::WriteTextWithFontSize(int32_t x, int32_t y, const std::string& text, int32_t size) {
  FontRestore restore(*mFont);
  mFont->SetHeight(-MulDiv(size, mFont->PixelsPerInch(), 72));
  WriteText(x, y, text);
}

void TChartCanvas3D::WriteRotatedText(int32_t x, int32_t y, int32_t angle, const std::string& text) {
  if (!mSurface) return;
  if (angle > 360) angle -= 360;
  mBrush->SetStyle(fw::bsClear);
  FontRestore restore(*mFont);
  // Tenths of a degree; the product is taken in 64 bits so that no angle overflows.
  mFont->SetOrientation(static_cast<int32_t>(static_cast<int64_t>(angle) * 10 % 3600));
  if (mZoomText && mZoomFactor != 1.0) {
    const int32_t size = std::max(1, RoundHalfEven(mFont->Size() * mZoomFactor));
    mFont->SetHeight(-MulDiv(size, mFont->PixelsPerInch(), 72));
  }
  WriteText(x, y, text);
}

}  // namespace chart
