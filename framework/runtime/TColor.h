#pragma once
#include <cstdint>
#include <string>

namespace fw {

/// A colour value: red in the low byte, then green, then blue. Negative values name
/// system colours (0x80000000 | index); clDefault and clNone are markers, not colours.
using TColor = int32_t;

constexpr TColor SystemColorBase = static_cast<TColor>(0x80000000u);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clScrollBar = SystemColorBase | 0;
constexpr TColor clBackground = SystemColorBase | 1;
constexpr TColor clActiveCaption = SystemColorBase | 2;
constexpr TColor clInactiveCaption = SystemColorBase | 3;
constexpr TColor clMenu = SystemColorBase | 4;
constexpr TColor clWindow = SystemColorBase | 5;
constexpr TColor clWindowFrame = SystemColorBase | 6;
constexpr TColor clMenuText = SystemColorBase | 7;
constexpr TColor clWindowText = SystemColorBase | 8;
constexpr TColor clCaptionText = SystemColorBase | 9;
constexpr TColor clActiveBorder = SystemColorBase | 10;
constexpr TColor clInactiveBorder = SystemColorBase | 11;
constexpr TColor clAppWorkSpace = SystemColorBase | 12;
constexpr TColor clHighlight = SystemColorBase | 13;
constexpr TColor clHighlightText = SystemColorBase | 14;
constexpr TColor clBtnFace = SystemColorBase | 15;
constexpr TColor clBtnShadow = SystemColorBase | 16;
constexpr TColor clGrayText = SystemColorBase | 17;
constexpr TColor clBtnText = SystemColorBase | 18;
constexpr TColor clInactiveCaptionText = SystemColorBase | 19;
constexpr TColor clBtnHighlight = SystemColorBase | 20;
constexpr TColor cl3DDkShadow = SystemColorBase | 21;
constexpr TColor cl3DLight = SystemColorBase | 22;
constexpr TColor clInfoText = SystemColorBase | 23;
constexpr TColor clInfoBk = SystemColorBase | 24;

constexpr TColor clNone = 0x1FFFFFFF;     ///< marks a null point of a series
constexpr TColor clDefault = 0x20000000;  ///< "no colour of its own": the default applies

/// Plain RGB value of a colour: system colours resolved (from the platform palette when a
/// GUI application exists, fixed fallbacks otherwise); other values masked to 24 bits.
TColor ColorToRGB(TColor color);

constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }
constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

/// Name of a named colour ("clRed" for 255, "clBtnFace" for the button face system colour,
/// also "clNone" and "clDefault"); false for any other value. Aliases (clLtGray, clDkGray) are
/// never produced: the main name (clSilver, clGray) is.
bool ColorToIdent(TColor color, std::string& name);
/// Value of a colour name, case-insensitive (aliases accepted); false for an unknown name.
bool IdentToColor(const std::string& name, TColor& color);
/// The colour's name when it has one, otherwise its decimal value ("-2147483633", "8421504").
std::string ColorToString(TColor color);
/// Inverse of ColorToString; also accepts hex ("$00FF8000", "0x808080").
/// Throws EConvertError "'TEXT' is not a valid integer value" for an unknown name or bad number.
TColor StringToColor(const std::string& text);

}  // namespace fw
