#include "framework/streaming/StreamIdents.h"

#include <cctype>

namespace fw {

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
