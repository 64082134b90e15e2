#pragma once
#include <functional>

#include "framework/runtime/TColor.h"

namespace fw {

class TBitmap;

/// Fill style: solid, none, or an 8x8 hatch in the brush colour aligned to the surface origin.
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

/// A brush: colour (default white), style (bsSolid) and an optional pattern bitmap that,
/// when set, fills instead of colour and style. Changes raise OnChange.
class TBrush {
public:
  TBrush() = default;
  /// Copies the values only; the copy has no OnChange.
  TBrush(const TBrush& other);
  /// Same as Assign.
  TBrush& operator=(const TBrush& other);
  virtual ~TBrush() = default;

  TColor Color() const { return mColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return mStyle; }
  void SetStyle(TBrushStyle value);
  /// Pattern bitmap, not owned: it must outlive its use by this brush (set nullptr to drop it).
  TBitmap* Bitmap() const { return mBitmap; }
  void SetBitmap(TBitmap* value);

  /// Copies colour, style and pattern bitmap; raises OnChange once when anything differed.
  virtual void Assign(const TBrush& source);

  std::function<void()> OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange();
  }

private:
  TColor mColor = clWhite;
  TBrushStyle mStyle = bsSolid;
  TBitmap* mBitmap = nullptr;
};

}  // namespace fw
