#include "framework/streaming/StreamIdents.h"

#include <cctype>

#include "framework/runtime/TColor.h"

namespace fw {

const TIdentMap& ColorIdents() {
  static const TIdentMap map = {
      {"clBlack", clBlack},
      {"clMaroon", clMaroon},
      {"clGreen", clGreen},
      {"clOlive", clOlive},
      {"clNavy", clNavy},
      {"clPurple", clPurple},
      {"clTeal", clTeal},
      {"clGray", clGray},
      {"clSilver", clSilver},
      {"clRed", clRed},
      {"clLime", clLime},
      {"clYellow", clYellow},
      {"clBlue", clBlue},
      {"clFuchsia", clFuchsia},
      {"clAqua", clAqua},
      {"clWhite", clWhite},
      {"clMoneyGreen", clMoneyGreen},
      {"clSkyBlue", clSkyBlue},
      {"clCream", clCream},
      {"clMedGray", clMedGray},
      // Aliases after the primary names, so that writing picks clSilver and clGray.
      {"clLtGray", clLtGray},
      {"clDkGray", clDkGray},
      {"clScrollBar", clScrollBar},
      {"clBackground", clBackground},
      {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption},
      {"clMenu", clMenu},
      {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame},
      {"clMenuText", clMenuText},
      {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText},
      {"clActiveBorder", clActiveBorder},
      {"clInactiveBorder", clInactiveBorder},
      {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText},
      {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow},
      {"clGrayText", clGrayText},
      {"clBtnText", clBtnText},
      {"clInactiveCaptionText", clInactiveCaptionText},
      {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow},
      {"cl3DLight", cl3DLight},
      {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
      {"clNone", clNone},
      {"clDefault", clDefault},
  };
  return map;
}

const TIdentMap& CharsetIdents() {
  static const TIdentMap map = {
      {"ANSI_CHARSET", 0},       {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
      {"MAC_CHARSET", 77},       {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
      {"JOHAB_CHARSET", 130},    {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
      {"GREEK_CHARSET", 161},    {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
      {"HEBREW_CHARSET", 177},   {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
      {"RUSSIAN_CHARSET", 204},  {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
      {"OEM_CHARSET", 255},
  };
  return map;
}

const char* IdentOf(const TIdentMap& map, int64_t value) {
  for (const TIdentEntry& e : map)
    if (e.Value == value) return e.Name;
  return nullptr;
}

bool ValueOfIdent(const TIdentMap& map, const std::string& name, int64_t& value) {
  for (const TIdentEntry& e : map) {
    if (SameName(e.Name, name)) {
      value = e.Value;
      return true;
    }
  }
  return false;
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace fw
