#pragma once
// Per-pixel operations of the surface on 0xAARRGGBB values (framework-internal).
#include <cstdint>

#include "framework/graphics/TPen.h"

namespace fw {

/// Black or white by luminance (0.299 R + 0.587 G + 0.114 B): above 128 white, else black.
inline uint32_t Threshold(uint32_t rgb) {
  const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r * 299 + g * 587 + b * 114 > 128000 ? 0xFFFFFFFFu : 0xFF000000u;
}

/// The pen's raster operation on one pixel; the result is opaque.
inline uint32_t ApplyRop(TPenMode mode, uint32_t pen, uint32_t dest) {
  uint32_t v;
  switch (mode) {
    case pmBlack: v = 0; break;
    case pmWhite: v = 0xFFFFFF; break;
    case pmNop: v = dest; break;
    case pmNot: v = ~dest; break;
    case pmNotCopy: v = ~pen; break;
    case pmMergePenNot: v = pen | ~dest; break;
    case pmMaskPenNot: v = pen & ~dest; break;
    case pmMergeNotPen: v = ~pen | dest; break;
    case pmMaskNotPen: v = ~pen & dest; break;
    case pmMerge: v = pen | dest; break;
    case pmNotMerge: v = ~(pen | dest); break;
    case pmMask: v = pen & dest; break;
    case pmNotMask: v = ~(pen & dest); break;
    case pmXor: v = pen ^ dest; break;
    case pmNotXor: v = ~(pen ^ dest); break;
    default: v = pen; break;
  }
  return 0xFF000000u | (v & 0xFFFFFFu);
}

}  // namespace fw
