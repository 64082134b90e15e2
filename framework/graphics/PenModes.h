#pragma once
#include "framework/graphics/TPen.h"

namespace fw {

/// Whether drawing a line again right after itself with pens of this mode leaves the pixels of
/// drawing it once, also when a run of lines is drawn again as a whole: true for the modes that
/// write a fixed value (black, white, the pen, its inverse), leave the pixel (nop), or OR or AND
/// it with a fixed value. The others (not, xor, not xor and the mixed ones) change the pixel
/// again each time.
constexpr bool RepeatsChangeNothing(TPenMode mode) {
  switch (mode) {
    case pmBlack:
    case pmWhite:
    case pmNop:
    case pmCopy:
    case pmNotCopy:
    case pmMergeNotPen:
    case pmMaskNotPen:
    case pmMerge:
    case pmMask: return true;
    default: return false;
  }
}

}  // namespace fw
