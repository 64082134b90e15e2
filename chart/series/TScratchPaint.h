#pragma once
// Which pixels a drawing paints, found on two scratch images.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/runtime/TColor.h"

namespace fw {
class TBitmap;
class TPixelStamp;
}

namespace chart {

class TCanvas3D;

/// Draws through a canvas on two scratch images, one white and one black, and keeps which pixels
/// the drawing painted: those that show the same colour on both. The canvas draws on its own
/// surface again afterwards, its pen and brush as they were; the scratch images start with the
/// canvas's pen and brush and have no clipping.
class TScratchPaint {
public:
  TScratchPaint();
  ~TScratchPaint();
  TScratchPaint(const TScratchPaint&) = delete;
  TScratchPaint& operator=(const TScratchPaint&) = delete;

  /// Paints with `draw` on images `width` x `height` (both 1..MaxSide); false, having drawn
  /// nothing, when the canvas has no surface or the size is outside that range.
  bool Paint(TCanvas3D& canvas, int32_t width, int32_t height, const std::function<void()>& draw);
  /// Whether the last Paint painted pixel (x, y) of its images (false outside them).
  bool Painted(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return false;
    return mMask[static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x)] != 0;
  }

  /// The colour the last Paint left at (x, y) of its white image.
  fw::TColor Colour(int32_t x, int32_t y) const;
  /// The pixels the last Paint painted, as they are on its images, at their offsets from
  /// (originX, originY); empty before any Paint.
  void ReadStamp(int32_t originX, int32_t originY, fw::TPixelStamp& stamp);

  static constexpr int32_t MaxSide = 512;

private:
  std::unique_ptr<fw::TBitmap> mImages[2];
  std::vector<uint8_t> mMask;
  std::vector<fw::TColor> mWhite, mBlack;  // the pixels of both images, kept for the next Paint
  int32_t mWidth = 0, mHeight = 0;
};

}  // namespace chart
