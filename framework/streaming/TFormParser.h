#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

struct TFormObject;
struct TFormProperty;

/// One value of a form description, as written.
struct TFormValue {
  enum TKind {
    vkInteger,     ///< 12, -11, $FF
    vkReal,        ///< 1.5, -1E-5
    vkString,      ///< 'a''b' + #223, in UTF-8
    vkIdent,       ///< True, clRed, Button1Click, Form1.Edit1
    vkSet,         ///< [fsBold, fsItalic]
    vkList,        ///< ( 'line 1' 'line 2' )
    vkBinary,      ///< { 0A1B... }: the bytes, not interpreted further
    vkCollection,  ///< < item ... end item ... end >
  };
  TKind Kind = vkInteger;
  int Line = 0;
  int64_t Integer = 0;
  double Real = 0;
  std::string Text;                    ///< string, identifier, or the bytes of binary data
  std::vector<std::string> Elements;   ///< set elements
  std::vector<TFormValue> Items;       ///< list items
  std::vector<TFormObject> Collection; ///< collection items (name and class empty)
};

struct TFormProperty {
  std::string Name;  ///< possibly dotted: Title.Font.Color
  TFormValue Value;
  int Line = 0;
};

/// One `object Name: TClass ... end` block.
struct TFormObject {
  std::string Name;  ///< empty for an unnamed object
  std::string ClassName;
  int Line = 0;
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
};

/// Parses the text form description. #nnn character codes are Unicode code points, except
/// 128-159, which take the Windows-1252 meaning the layout was written in; bytes inside quotes
/// that are not valid UTF-8 are read as Windows-1252 too. Throws FormException naming the line.
class TFormParser {
public:
  static TFormObject Parse(const std::string& text);

private:
  explicit TFormParser(const std::string& text) : mText(text) {}

  TFormObject ParseObject(int depth);
  TFormProperty ParseProperty(int depth);
  TFormValue ParseValue(int depth);
  TFormValue ParseNumber();
  TFormValue ParseStringExpression();
  void ParseStringPiece(std::string& out);
  void ParseCharCode(std::string& out);
  void ParseQuoted(std::string& out);
  TFormValue ParseSet();
  TFormValue ParseList(int depth);
  TFormValue ParseBinary();
  TFormValue ParseCollection(int depth);
  std::string ParseIdent(bool dotted);

  void SkipBlanks();
  bool AtEnd() const { return mPos >= mText.size(); }
  char Peek() const { return AtEnd() ? '\0' : mText[mPos]; }
  bool PeekIdent(const char* word);
  void Expect(char c);
  [[noreturn]] void Fail(const std::string& message) const;

  const std::string& mText;
  size_t mPos = 0;
  int mLine = 1;
};

/// Decodes the UTF-8 sequence at s[i] into codePoint; returns its length, 0 when invalid
/// (overlong forms and surrogates included).
size_t DecodeUtf8(const std::string& s, size_t i, uint32_t& codePoint);
/// Appends the code point in UTF-8.
void AppendUtf8(std::string& out, uint32_t codePoint);
/// Unicode code point of a Windows-1252 byte.
uint32_t Windows1252ToUnicode(uint8_t byte);

}  // namespace fw
