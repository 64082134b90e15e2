#include "framework/runtime/TColor.h"

#include <QGuiApplication>
#include <QPalette>

#include <cctype>

#include "framework/runtime/Conversions.h"
#include "framework/runtime/Exception.h"

namespace fw {

namespace {

constexpr int SystemColorCount = 25;

// Classic desktop colours, used when no GUI application (and so no palette) exists.
constexpr TColor FallbackSystemColors[SystemColorCount] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF};

struct TPaletteRole {
  QPalette::ColorGroup Group;
  QPalette::ColorRole Role;
  bool FromPalette;  // false: the desktop colour has no palette counterpart
};

// System colour index -> palette entry.
constexpr TPaletteRole PaletteRoles[SystemColorCount] = {
    {QPalette::Active, QPalette::Button, true},             // clScrollBar
    {QPalette::Active, QPalette::Window, false},            // clBackground (desktop)
    {QPalette::Active, QPalette::Highlight, true},          // clActiveCaption
    {QPalette::Inactive, QPalette::Mid, true},              // clInactiveCaption
    {QPalette::Active, QPalette::Window, true},             // clMenu
    {QPalette::Active, QPalette::Base, true},               // clWindow
    {QPalette::Active, QPalette::Dark, true},               // clWindowFrame
    {QPalette::Active, QPalette::WindowText, true},         // clMenuText
    {QPalette::Active, QPalette::WindowText, true},         // clWindowText
    {QPalette::Active, QPalette::HighlightedText, true},    // clCaptionText
    {QPalette::Active, QPalette::Window, true},             // clActiveBorder
    {QPalette::Inactive, QPalette::Window, true},           // clInactiveBorder
    {QPalette::Active, QPalette::Mid, true},                // clAppWorkSpace
    {QPalette::Active, QPalette::Highlight, true},          // clHighlight
    {QPalette::Active, QPalette::HighlightedText, true},    // clHighlightText
    {QPalette::Active, QPalette::Button, true},             // clBtnFace
    {QPalette::Active, QPalette::Dark, true},               // clBtnShadow
    {QPalette::Disabled, QPalette::Text, true},             // clGrayText
    {QPalette::Active, QPalette::ButtonText, true},         // clBtnText
    {QPalette::Inactive, QPalette::HighlightedText, true},  // clInactiveCaptionText
    {QPalette::Active, QPalette::Light, true},              // clBtnHighlight
    {QPalette::Active, QPalette::Shadow, true},             // cl3DDkShadow
    {QPalette::Active, QPalette::Midlight, true},           // cl3DLight
    {QPalette::Active, QPalette::ToolTipText, true},        // clInfoText
    {QPalette::Active, QPalette::ToolTipBase, true},        // clInfoBk
};

struct TColorName {
  TColor Value;
  const char* Name;
};

// Main names first: ColorToIdent returns the first match, so aliases come after their main name.
constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"}, {clDefault, "clDefault"},
    {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
};

bool SameTextNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && b[i] == 0;
}

}  // namespace

TColor ColorToRGB(TColor color) {
  if (color >= 0) return color & 0xFFFFFF;
  const int index = color & 0xFF;
  if (index >= SystemColorCount) return 0;
  const TPaletteRole& entry = PaletteRoles[index];
  if (entry.FromPalette && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    const QColor c = QGuiApplication::palette().color(entry.Group, entry.Role);
    return RGB(c.red(), c.green(), c.blue());
  }
  return FallbackSystemColors[index];
}

bool ColorToIdent(TColor color, std::string& name) {
  for (const TColorName& entry : ColorNames) {
    if (entry.Value == color) {
      name = entry.Name;
      return true;
    }
  }
  return false;
}

bool IdentToColor(const std::string& name, TColor& color) {
  for (const TColorName& entry : ColorNames) {
    if (SameTextNoCase(name, entry.Name)) {
      color = entry.Value;
      return true;
    }
  }
  return false;
}

std::string ColorToString(TColor color) {
  std::string name;
  if (ColorToIdent(color, name)) return name;
  return IntToStr(color);
}

TColor StringToColor(const std::string& text) {
  TColor color = 0;
  if (IdentToColor(text, color)) return color;
  return StrToInt(text);
}

}  // namespace fw
