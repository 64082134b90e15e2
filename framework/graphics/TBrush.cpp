#include "framework/graphics/TBrush.h"

namespace fw {

TBrush::TBrush(const TBrush& other) : mColor(other.mColor), mStyle(other.mStyle), mBitmap(other.mBitmap) {}

TBrush& TBrush::operator=(const TBrush& other) {
  if (this != &other) Assign(other);
  return *this;
}

void TBrush::SetColor(TColor value) {
  if (mColor == value) return;
  mColor = value;
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (mStyle == value) return;
  mStyle = value;
  Changed();
}

void TBrush::SetBitmap(TBitmap* value) {
  if (mBitmap == value) return;
  mBitmap = value;
  Changed();
}

void TBrush::Assign(const TBrush& source) {
  if (mColor == source.mColor && mStyle == source.mStyle && mBitmap == source.mBitmap) return;
  mColor = source.mColor;
  mStyle = source.mStyle;
  mBitmap = source.mBitmap;
  Changed();
}

}  // namespace fw
