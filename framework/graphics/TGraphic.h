#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/graphics/TRect.h"

namespace fw {

class TSurface;

/// Something that can draw itself onto a surface: a bitmap, a picture's content.
class TGraphic {
public:
  virtual ~TGraphic() = default;

  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual bool Empty() const = 0;
  /// Draws the graphic stretched into rect (right and bottom exclusive) of the surface.
  virtual void Draw(TSurface& surface, const TRect& rect) const = 0;
  /// A deep copy (no OnChange).
  virtual std::unique_ptr<TGraphic> Clone() const = 0;
  /// Class name recorded with the graphic in stored picture data ("TBitmap").
  virtual const char* GraphicClassName() const = 0;
  /// The graphic's own stored form, which LoadFromData of the same class reads back.
  virtual std::string SaveToData() const = 0;

  /// Raised when the graphic's content or size changed.
  std::function<void()> OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange();
  }
};

}  // namespace fw
