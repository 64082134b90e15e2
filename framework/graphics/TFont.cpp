#include "framework/graphics/TFont.h"

#include <cmath>

#include "framework/runtime/Exception.h"

namespace fw {

namespace {

// a * b / c with a 64-bit intermediate, rounded to nearest (halves away from zero).
int32_t ScaleRounded(int32_t a, int32_t b, int32_t c) {
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t half = c / 2;
  const int64_t q = product >= 0 ? (product + half) / c : (product - half) / c;
  if (q > INT32_MAX) return INT32_MAX;
  if (q < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(q);
}

}  // namespace

TFont::TFont(const TFont& other)
    : mName(other.mName),
      mHeight(other.mHeight),
      mPixelsPerInch(other.mPixelsPerInch),
      mStyle(other.mStyle),
      mColor(other.mColor),
      mCharset(other.mCharset),
      mOrientation(other.mOrientation) {}

TFont& TFont::operator=(const TFont& other) {
  if (this != &other) Assign(other);
  return *this;
}

void TFont::SetName(const std::string& value) {
  if (mName == value) return;
  mName = value;
  Changed();
}

void TFont::SetHeight(int32_t value) {
  if (mHeight == value) return;
  mHeight = value;
  Changed();
}

int32_t TFont::Size() const { return -ScaleRounded(mHeight, 72, mPixelsPerInch); }

void TFont::SetSize(int32_t value) { SetHeight(-ScaleRounded(value, mPixelsPerInch, 72)); }

void TFont::SetPixelsPerInch(int32_t value) {
  if (value <= 0) throw Exception("Pixels per inch must be positive");
  if (mPixelsPerInch == value) return;
  mPixelsPerInch = value;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (mStyle == value) return;
  mStyle = value;
  Changed();
}

void TFont::SetColor(TColor value) {
  if (mColor == value) return;
  mColor = value;
  Changed();
}

void TFont::SetCharset(TFontCharset value) {
  if (mCharset == value) return;
  mCharset = value;
  Changed();
}

void TFont::SetOrientation(int32_t value) {
  if (mOrientation == value) return;
  mOrientation = value;
  Changed();
}

void TFont::Assign(const TFont& source) {
  if (mName == source.mName && mHeight == source.mHeight && mPixelsPerInch == source.mPixelsPerInch &&
      mStyle == source.mStyle && mColor == source.mColor && mCharset == source.mCharset &&
      mOrientation == source.mOrientation)
    return;
  mName = source.mName;
  mHeight = source.mHeight;
  mPixelsPerInch = source.mPixelsPerInch;
  mStyle = source.mStyle;
  mColor = source.mColor;
  mCharset = source.mCharset;
  mOrientation = source.mOrientation;
  Changed();
}

}  // namespace fw
