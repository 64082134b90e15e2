#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/runtime/TColor.h"

namespace fw {

/// Font style set: bit flags, the empty set is 0.
enum TFontStyle : uint32_t { fsBold = 1u << 0, fsItalic = 1u << 1, fsUnderline = 1u << 2, fsStrikeOut = 1u << 3 };
using TFontStyles = uint32_t;

using TFontCharset = uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;

/// A font description. Height in pixels: negative = character height (em size), positive = cell
/// height (ascent + descent), 0 = default. Size is in points: Size = -Height * 72 / PixelsPerInch
/// (rounded), and setting Size sets Height = -Size * PixelsPerInch / 72 (rounded).
/// Orientation (tenths of a degree, counter-clockwise) rotates the baseline and the characters.
/// Defaults: "MS Sans Serif", Height -11 (8 points at 96 pixels per inch), clWindowText,
/// no style, DEFAULT_CHARSET, Orientation 0. Every changed property raises OnChange.
class TFont {
public:
  TFont() = default;
  /// Copies the values only; the copy has no OnChange.
  TFont(const TFont& other);
  /// Same as Assign.
  TFont& operator=(const TFont& other);
  virtual ~TFont() = default;

  const std::string& Name() const { return mName; }
  void SetName(const std::string& value);
  int32_t Height() const { return mHeight; }
  void SetHeight(int32_t value);
  int32_t Size() const;
  void SetSize(int32_t value);
  /// Throws fw::Exception when not positive; the old value stays. Height is kept.
  int32_t PixelsPerInch() const { return mPixelsPerInch; }
  void SetPixelsPerInch(int32_t value);
  TFontStyles Style() const { return mStyle; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return mColor; }
  void SetColor(TColor value);
  TFontCharset Charset() const { return mCharset; }
  void SetCharset(TFontCharset value);
  int32_t Orientation() const { return mOrientation; }
  void SetOrientation(int32_t value);

  /// Copies every property (pixels per inch included); raises OnChange once when anything differed.
  virtual void Assign(const TFont& source);

  std::function<void()> OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange();
  }

private:
  std::string mName = "MS Sans Serif";
  int32_t mHeight = -11;
  int32_t mPixelsPerInch = 96;
  TFontStyles mStyle = 0;
  TColor mColor = clWindowText;
  TFontCharset mCharset = DEFAULT_CHARSET;
  int32_t mOrientation = 0;
};

}  // namespace fw
