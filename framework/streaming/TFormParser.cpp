#include "framework/streaming/TFormParser.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

#include "framework/streaming/FormException.h"
#include "framework/streaming/StreamIdents.h"

namespace fw {

namespace {

// Deep enough for any real layout; keeps hostile input from exhausting the stack.
constexpr int MaxDepth = 200;

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

uint32_t Windows1252ToUnicode(uint8_t byte) {
  static const uint16_t high[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
  };
  if (byte >= 0x80 && byte <= 0x9F) return high[byte - 0x80];
  return byte;
}

size_t DecodeUtf8(const std::string& s, size_t i, uint32_t& cp) {
  const auto b0 = static_cast<uint8_t>(s[i]);
  size_t len = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<uint8_t>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return len;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

TFormObject TFormParser::Parse(const std::string& text) {
  TFormParser parser(text);
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) parser.mPos = 3;
  parser.SkipBlanks();
  if (parser.AtEnd()) parser.Fail("The form description is empty");
  TFormObject root = parser.ParseObject(0);
  parser.SkipBlanks();
  if (!parser.AtEnd()) parser.Fail("Unexpected text after the end of the form description");
  return root;
}

void TFormParser::Fail(const std::string& message) const { throw FormException(mLine, message); }

void TFormParser::SkipBlanks() {
  while (!AtEnd()) {
    const char c = mText[mPos];
    if (c == '\n') {
      ++mLine;
    } else if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v') {
      return;
    }
    ++mPos;
  }
}

bool TFormParser::PeekIdent(const char* word) {
  SkipBlanks();
  size_t i = mPos;
  const size_t n = std::char_traits<char>::length(word);
  if (i + n > mText.size()) return false;
  for (size_t k = 0; k < n; ++k)
    if (std::tolower(static_cast<unsigned char>(mText[i + k])) != word[k]) return false;
  return i + n == mText.size() || !IsIdentChar(mText[i + n]);
}

void TFormParser::Expect(char c) {
  SkipBlanks();
  if (Peek() != c) Fail(std::string("'") + c + "' expected");
  ++mPos;
}

std::string TFormParser::ParseIdent(bool dotted) {
  SkipBlanks();
  if (!IsIdentStart(Peek())) Fail("Identifier expected");
  const size_t start = mPos;
  for (;;) {
    while (!AtEnd() && IsIdentChar(mText[mPos])) ++mPos;
    if (dotted && Peek() == '.' && mPos + 1 < mText.size() && IsIdentStart(mText[mPos + 1])) {
      ++mPos;
      continue;
    }
    break;
  }
  return mText.substr(start, mPos - start);
}

TFormObject TFormParser::ParseObject(int depth) {
  if (depth > MaxDepth) Fail("Objects are nested too deeply");
  SkipBlanks();
  TFormObject object;
  object.Line = mLine;
  if (PeekIdent("inherited") || PeekIdent("inline"))
    Fail("Inherited forms are not supported");
  if (!PeekIdent("object")) Fail("'object' expected");
  mPos += 6;
  std::string first = ParseIdent(false);
  SkipBlanks();
  if (Peek() == ':') {
    ++mPos;
    object.Name = std::move(first);
    object.ClassName = ParseIdent(false);
  } else {
    object.ClassName = std::move(first);
  }
  SkipBlanks();
  if (Peek() == '[') {  // creation index of inherited forms; it has no meaning here
    ++mPos;
    SkipBlanks();
    while (IsDigit(Peek())) ++mPos;
    Expect(']');
  }
  for (;;) {
    SkipBlanks();
    if (AtEnd()) Fail("'end' expected for object " + (object.Name.empty() ? object.ClassName : object.Name));
    if (PeekIdent("end")) {
      mPos += 3;
      return object;
    }
    if (PeekIdent("object") || PeekIdent("inherited") || PeekIdent("inline")) {
      object.Children.push_back(ParseObject(depth + 1));
    } else {
      object.Properties.push_back(ParseProperty(depth));
    }
  }
}

TFormProperty TFormParser::ParseProperty(int depth) {
  SkipBlanks();
  TFormProperty property;
  property.Line = mLine;
  if (!IsIdentStart(Peek())) Fail("Property name expected");
  property.Name = ParseIdent(true);
  SkipBlanks();
  if (Peek() != '=') Fail("'=' expected after " + property.Name);
  ++mPos;
  property.Value = ParseValue(depth + 1);
  return property;
}

TFormValue TFormParser::ParseValue(int depth) {
  if (depth > MaxDepth) Fail("Values are nested too deeply");
  SkipBlanks();
  const char c = Peek();
  if (c == '\'' || c == '#') return ParseStringExpression();
  if (c == '-' || c == '+' || c == '$' || IsDigit(c)) return ParseNumber();
  if (c == '[') return ParseSet();
  if (c == '(') return ParseList(depth);
  if (c == '{') return ParseBinary();
  if (c == '<') return ParseCollection(depth);
  if (IsIdentStart(c)) {
    TFormValue v;
    v.Kind = TFormValue::vkIdent;
    v.Line = mLine;
    v.Text = ParseIdent(true);
    return v;
  }
  if (AtEnd()) Fail("Value expected at the end of the text");
  Fail(std::string("Invalid value starting with '") + c + "'");
}

TFormValue TFormParser::ParseNumber() {
  TFormValue v;
  v.Line = mLine;
  const size_t start = mPos;
  bool negative = false;
  if (Peek() == '-' || Peek() == '+') {
    negative = Peek() == '-';
    ++mPos;
  }
  if (Peek() == '$') {
    ++mPos;
    const size_t digits = mPos;
    while (IsHexDigit(Peek())) ++mPos;
    if (mPos == digits) Fail("Hexadecimal digits expected");
    uint64_t value = 0;
    const auto r = std::from_chars(mText.data() + digits, mText.data() + mPos, value, 16);
    if (r.ec != std::errc() || value > static_cast<uint64_t>(INT64_MAX)) Fail("Number out of range");
    if (IsIdentChar(Peek())) Fail("Invalid number");
    v.Kind = TFormValue::vkInteger;
    v.Integer = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    return v;
  }
  const size_t digits = mPos;
  while (IsDigit(Peek())) ++mPos;
  bool real = false;
  if (Peek() == '.' && mPos + 1 < mText.size() && IsDigit(mText[mPos + 1])) {
    real = true;
    ++mPos;
    while (IsDigit(Peek())) ++mPos;
  }
  if (mPos == digits) Fail("Number expected");
  if (Peek() == 'e' || Peek() == 'E') {
    size_t e = mPos + 1;
    if (e < mText.size() && (mText[e] == '+' || mText[e] == '-')) ++e;
    if (e >= mText.size() || !IsDigit(mText[e])) Fail("Invalid exponent");
    real = true;
    mPos = e;
    while (IsDigit(Peek())) ++mPos;
  }
  if (IsIdentChar(Peek())) Fail("Invalid number");
  // from_chars accepts a leading '-' but not '+'.
  const char* first = mText.data() + (mText[start] == '+' ? start + 1 : start);
  const char* last = mText.data() + mPos;
  if (real) {
    v.Kind = TFormValue::vkReal;
    const auto r = std::from_chars(first, last, v.Real);
    if (r.ec != std::errc() || !std::isfinite(v.Real)) Fail("Real number out of range");
  } else {
    v.Kind = TFormValue::vkInteger;
    const auto r = std::from_chars(first, last, v.Integer);
    if (r.ec != std::errc()) Fail("Integer out of range");
  }
  return v;
}

TFormValue TFormParser::ParseStringExpression() {
  TFormValue v;
  v.Kind = TFormValue::vkString;
  v.Line = mLine;
  for (;;) {
    ParseStringPiece(v.Text);
    SkipBlanks();
    if (Peek() != '+') return v;
    ++mPos;
    SkipBlanks();
    if (Peek() != '\'' && Peek() != '#') Fail("String expected after '+'");
  }
}

// Quoted parts and character codes written next to each other form one string.
void TFormParser::ParseStringPiece(std::string& out) {
  bool any = false;
  for (;;) {
    if (Peek() == '\'') {
      ParseQuoted(out);
    } else if (Peek() == '#') {
      ParseCharCode(out);
    } else {
      if (!any) Fail("String expected");
      return;
    }
    any = true;
  }
}

void TFormParser::ParseQuoted(std::string& out) {
  ++mPos;  // opening quote
  for (;;) {
    if (AtEnd() || Peek() == '\n' || Peek() == '\r') Fail("Unterminated string");
    const char c = mText[mPos];
    if (c == '\'') {
      if (mPos + 1 < mText.size() && mText[mPos + 1] == '\'') {
        out += '\'';
        mPos += 2;
        continue;
      }
      ++mPos;
      return;
    }
    if (static_cast<uint8_t>(c) < 0x80) {
      out += c;
      ++mPos;
      continue;
    }
    uint32_t cp = 0;
    if (const size_t len = DecodeUtf8(mText, mPos, cp)) {
      out.append(mText, mPos, len);
      mPos += len;
    } else {
      AppendUtf8(out, Windows1252ToUnicode(static_cast<uint8_t>(c)));
      ++mPos;
    }
  }
}

void TFormParser::ParseCharCode(std::string& out) {
  ++mPos;  // '#'
  uint64_t code = 0;
  const bool hex = Peek() == '$';
  if (hex) ++mPos;
  const size_t start = mPos;
  while (hex ? IsHexDigit(Peek()) : IsDigit(Peek())) ++mPos;
  if (mPos == start) Fail("Character code expected after '#'");
  const auto r = std::from_chars(mText.data() + start, mText.data() + mPos, code, hex ? 16 : 10);
  if (r.ec != std::errc() || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    Fail("Invalid character code");
  AppendUtf8(out, code <= 0xFF ? Windows1252ToUnicode(static_cast<uint8_t>(code)) : static_cast<uint32_t>(code));
}

TFormValue TFormParser::ParseSet() {
  TFormValue v;
  v.Kind = TFormValue::vkSet;
  v.Line = mLine;
  ++mPos;  // '['
  SkipBlanks();
  if (Peek() == ']') {
    ++mPos;
    return v;
  }
  for (;;) {
    v.Elements.push_back(ParseIdent(false));
    SkipBlanks();
    if (Peek() == ']') {
      ++mPos;
      return v;
    }
    if (Peek() != ',') Fail("',' or ']' expected in set");
    ++mPos;
  }
}

TFormValue TFormParser::ParseList(int depth) {
  TFormValue v;
  v.Kind = TFormValue::vkList;
  v.Line = mLine;
  ++mPos;  // '('
  for (;;) {
    SkipBlanks();
    if (AtEnd()) Fail("')' expected");
    if (Peek() == ')') {
      ++mPos;
      return v;
    }
    v.Items.push_back(ParseValue(depth + 1));
  }
}

TFormValue TFormParser::ParseBinary() {
  TFormValue v;
  v.Kind = TFormValue::vkBinary;
  v.Line = mLine;
  ++mPos;  // '{'
  int high = -1;
  for (;;) {
    SkipBlanks();
    if (AtEnd()) Fail("'}' expected");
    const char c = Peek();
    if (c == '}') break;
    if (!IsHexDigit(c)) Fail("Invalid binary data");
    const int digit = IsDigit(c) ? c - '0' : (std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    if (high < 0) {
      high = digit;
    } else {
      v.Text += static_cast<char>((high << 4) | digit);
      high = -1;
    }
    ++mPos;
  }
  if (high >= 0) Fail("Odd number of digits in binary data");
  ++mPos;
  return v;
}

TFormValue TFormParser::ParseCollection(int depth) {
  TFormValue v;
  v.Kind = TFormValue::vkCollection;
  v.Line = mLine;
  ++mPos;  // '<'
  for (;;) {
    SkipBlanks();
    if (AtEnd()) Fail("'>' expected");
    if (Peek() == '>') {
      ++mPos;
      return v;
    }
    if (!PeekIdent("item")) Fail("'item' expected in collection");
    TFormObject item;
    item.Line = mLine;
    mPos += 4;
    SkipBlanks();
    if (Peek() == '[') {
      ++mPos;
      SkipBlanks();
      while (IsDigit(Peek())) ++mPos;
      Expect(']');
    }
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("'end' expected for collection item");
      if (PeekIdent("end")) {
        mPos += 3;
        break;
      }
      item.Properties.push_back(ParseProperty(depth + 1));
    }
    v.Collection.push_back(std::move(item));
  }
}

}  // namespace fw
