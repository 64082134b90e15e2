#include "framework/controls/ControlTypes.h"

#include <array>
#include <utility>

namespace fw {

namespace {
constexpr std::array<std::pair<TCursor, const char*>, 22> kCursorNames{{
    {crDefault, "crDefault"},   {crNone, "crNone"},         {crArrow, "crArrow"},
    {crCross, "crCross"},       {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},     {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"}, {crNo, "crNo"},
    {crAppStart, "crAppStart"}, {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
}};
}  // namespace

bool IdentToCursor(const std::string& ident, TCursor& cursor) {
  for (const auto& [value, name] : kCursorNames) {
    if (ident == name) {
      cursor = value;
      return true;
    }
  }
  if (ident == "crSize") {
    cursor = crSize;
    return true;
  }
  return false;
}

std::string CursorToIdent(TCursor cursor) {
  for (const auto& [value, name] : kCursorNames)
    if (value == cursor) return name;
  return std::to_string(cursor);
}

}  // namespace fw
