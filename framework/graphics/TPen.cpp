#include "framework/graphics/TPen.h"

#include "framework/runtime/Exception.h"

namespace fw {

TPen::TPen(const TPen& other)
    : mColor(other.mColor), mWidth(other.mWidth), mStyle(other.mStyle), mMode(other.mMode) {}

TPen& TPen::operator=(const TPen& other) {
  if (this != &other) Assign(other);
  return *this;
}

void TPen::SetColor(TColor value) {
  if (mColor == value) return;
  mColor = value;
  Changed();
}

void TPen::SetWidth(int32_t value) {
  if (value < 0) throw Exception("Pen width must not be negative");
  if (mWidth == value) return;
  mWidth = value;
  Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (mStyle == value) return;
  mStyle = value;
  Changed();
}

void TPen::SetMode(TPenMode value) {
  if (mMode == value) return;
  mMode = value;
  Changed();
}

void TPen::Assign(const TPen& source) {
  if (mColor == source.mColor && mWidth == source.mWidth && mStyle == source.mStyle && mMode == source.mMode) return;
  mColor = source.mColor;
  mWidth = source.mWidth;
  mStyle = source.mStyle;
  mMode = source.mMode;
  Changed();
}

}  // namespace fw
