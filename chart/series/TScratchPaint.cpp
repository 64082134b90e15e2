#include "chart/series/TScratchPaint.h"

#include "chart/canvas/TCanvas3D.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TPixelStamp.h"
#include "framework/graphics/TSurface.h"

namespace chart {

TScratchPaint::TScratchPaint() = default;
TScratchPaint::~TScratchPaint() = default;

bool TScratchPaint::Paint(TCanvas3D& canvas, int32_t width, int32_t height, const std::function<void()>& draw) {
  fw::TSurface* surface = canvas.Surface();
  if (!surface || width < 1 || height < 1 || width > MaxSide || height > MaxSide) return false;
  for (int k = 0; k < 2; ++k) {
    if (!mImages[k]) mImages[k] = std::make_unique<fw::TBitmap>();
    fw::TBitmap& image = *mImages[k];
    if (image.Width() != width || image.Height() != height) image.SetSize(width, height);
    fw::TSurface& target = image.Canvas();
    target.Brush().SetStyle(fw::bsSolid);
    target.Brush().SetColor(k == 0 ? fw::clWhite : fw::clBlack);
    target.FillRect({0, 0, width, height});
    target.Pen().Assign(surface->Pen());
    target.Brush().Assign(surface->Brush());
    struct TReattach {
      TCanvas3D& Canvas;
      fw::TSurface* Surface;
      ~TReattach() { Canvas.AttachSurface(Surface); }
    } reattach{canvas, surface};
    canvas.AttachSurface(&target);
    draw();
  }
  mWidth = width;
  mHeight = height;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  mWhite.resize(count);
  mBlack.resize(count);
  mImages[0]->Canvas().GetPixels({0, 0, width, height}, mWhite);
  mImages[1]->Canvas().GetPixels({0, 0, width, height}, mBlack);
  mMask.resize(count);
  for (size_t k = 0; k < count; ++k) mMask[k] = mWhite[k] == mBlack[k];
  return true;
}

void TScratchPaint::ReadStamp(int32_t originX, int32_t originY, fw::TPixelStamp& stamp) {
  stamp.Clear();
  if (!mImages[0] || mMask.empty()) return;
  mImages[0]->Canvas().ReadStamp({0, 0, mWidth, mHeight}, originX, originY,
                                 [this](int32_t x, int32_t y) { return Painted(x, y); }, stamp);
}

fw::TColor TScratchPaint::Colour(int32_t x, int32_t y) const {
  return mImages[0] ? mImages[0]->Canvas().GetPixel(x, y) : fw::clNone;
}

}  // namespace chart
