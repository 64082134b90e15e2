#pragma once
#include <cstdint>
#include <functional>

#include "framework/runtime/TColor.h"

namespace fw {

/// Line style. Dashed and dotted styles apply to width 1 only (wider pens draw solid);
/// psAlternate sets every other pixel (a cosmetic pen finer than psDot).
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psAlternate };

/// Raster operation of the pen (and of brush fills of outlined shapes), destination D, pen P.
enum TPenMode {
  pmBlack,        ///< 0
  pmWhite,        ///< 1
  pmNop,          ///< D
  pmNot,          ///< ~D
  pmCopy,         ///< P
  pmNotCopy,      ///< ~P
  pmMergePenNot,  ///< P | ~D
  pmMaskPenNot,   ///< P & ~D
  pmMergeNotPen,  ///< ~P | D
  pmMaskNotPen,   ///< ~P & D
  pmMerge,        ///< P | D
  pmNotMerge,     ///< ~(P | D)
  pmMask,         ///< P & D
  pmNotMask,      ///< ~(P & D)
  pmXor,          ///< P ^ D
  pmNotXor        ///< ~(P ^ D)
};

/// A pen: colour (default black), width in pixels (default 1; 0 draws like 1), style (psSolid),
/// mode (pmCopy). Every setter that changes a value raises OnChange; equal values raise nothing.
class TPen {
public:
  TPen() = default;
  /// Copies the values only; the copy has no OnChange.
  TPen(const TPen& other);
  /// Same as Assign: the values change, this pen keeps its own OnChange.
  TPen& operator=(const TPen& other);
  virtual ~TPen() = default;

  TColor Color() const { return mColor; }
  void SetColor(TColor value);
  int32_t Width() const { return mWidth; }
  /// Throws fw::Exception for a negative width; the old width stays.
  void SetWidth(int32_t value);
  TPenStyle Style() const { return mStyle; }
  void SetStyle(TPenStyle value);
  TPenMode Mode() const { return mMode; }
  void SetMode(TPenMode value);

  /// Copies colour, width, style and mode; raises OnChange once when anything differed.
  virtual void Assign(const TPen& source);

  std::function<void()> OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange();
  }

private:
  TColor mColor = clBlack;
  int32_t mWidth = 1;
  TPenStyle mStyle = psSolid;
  TPenMode mMode = pmCopy;
};

}  // namespace fw
