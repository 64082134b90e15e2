#pragma once
// The pixels of the 3D bars of a frame, measured once for each size and colour.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "chart/series/TScratchPaint.h"
#include "framework/graphics/TPixelStamp.h"
#include "framework/runtime/TColor.h"

namespace chart {

class TCanvas3D;

/// In a 3D view that moves every depth by whole pixels, an opaque bar of a given size paints the
/// same pixels wherever it lies, moved by its position. The bars cut short on a crowded pixel
/// column come in a few sizes, so their pixels are measured once on scratch images
/// (TScratchPaint) and put down with TSurface::Stamp after that.
class TBarStamps {
public:
  /// How far past the bar's box its drawing may paint on each side (its depth and its pen).
  struct TReach {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  };

  /// Forgets every size: the view, the depth, the pen or the shape may have changed.
  void Clear() { mSizes.clear(); }
  /// The pixels draw(x, y) paints for a bar whose box is `width` x `height` from (x, y), in
  /// `color`, growing towards the axis minimum or not, at their offsets from the box's top left
  /// corner. The first time a size, colour and direction is asked for, null (drawing it is cheaper than measuring a size that may not come again);
  /// the second time it is measured. Null as well for sizes past MaxSide, past MaxSizes sizes,
  /// or a drawing that reaches past `reach`.
  const fw::TPixelStamp* Stamp(TCanvas3D& canvas, int32_t width, int32_t height, fw::TColor color, bool towardsMinimum,
                               const TReach& reach, const std::function<void(int32_t, int32_t)>& draw);

  static constexpr int32_t MaxSide = 64;
  static constexpr size_t MaxSizes = 64;

private:
  struct TSize {
    int32_t Width, Height;
    fw::TColor Colour;
    bool TowardsMinimum;
    bool Measured;
    std::unique_ptr<fw::TPixelStamp> Pixels;  // null when measured and refused
  };
  std::vector<TSize> mSizes;
  TScratchPaint mScratch;
};

}  // namespace chart
