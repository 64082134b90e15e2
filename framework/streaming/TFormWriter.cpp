#include "framework/streaming/TFormWriter.h"

#include <charconv>
#include <cmath>

#include "framework/controls/TComponent.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/StreamIdents.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TFormParser.h"

namespace fw {

namespace {

const TClassInfo& ClassOf(TComponent& component) {
  const TClassInfo* info = TClassRegistry::Instance().FindByName(component.ClassName());
  if (!info) throw FormException(0, "Class " + component.ClassName() + " is not registered");
  return *info;
}

void* SelfOf(const TClassInfo& info, TComponent& component) {
  void* self = info.FromComponent(&component);
  if (!self) throw FormException(0, "Class " + info.ClassName() + " is registered for another type");
  return self;
}

}  // namespace

std::string TFormWriter::QuoteString(const std::string& text) {
  std::string out;
  bool quoted = false;
  auto openQuote = [&] {
    if (!quoted) out += '\'';
    quoted = true;
  };
  auto closeQuote = [&] {
    if (quoted) out += '\'';
    quoted = false;
  };
  auto code = [&](uint32_t cp) {
    closeQuote();
    out += '#';
    out += std::to_string(cp);
  };
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<uint8_t>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      openQuote();
      out += static_cast<char>(c);
      if (c == '\'') out += '\'';
      ++i;
    } else if (c < 0x80) {
      code(c);
      ++i;
    } else {
      uint32_t cp = 0;
      if (const size_t len = DecodeUtf8(text, i, cp)) {
        // #128..#159 read back as Windows-1252 characters, so C1 controls stay literal.
        if (cp >= 0x80 && cp <= 0x9F) {
          openQuote();
          out.append(text, i, len);
        } else {
          code(cp);
        }
        i += len;
      } else {
        code(Windows1252ToUnicode(c));
        ++i;
      }
    }
  }
  if (out.empty()) return "''";
  closeQuote();
  return out;
}

std::string TFormWriter::FormatBinary(const std::string& bytes, const std::string& pad) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  static constexpr size_t BytesPerLine = 32;
  std::string out = "{";
  out.reserve(bytes.size() * 2 + (bytes.size() / BytesPerLine + 1) * (pad.size() + 3) + 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % BytesPerLine == 0) out += "\n" + pad + "  ";
    const auto b = static_cast<uint8_t>(bytes[i]);
    out += Digits[b >> 4];
    out += Digits[b & 15];
  }
  out += "}";
  return out;
}

std::string TFormWriter::FormatReal(double value) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

std::string TFormWriter::Write(TComponent& root) {
  RegisterFrameworkClasses();
  const TClassInfo& info = ClassOf(root);
  TFormWriter writer(root);
  for (int i = 0; i < root.ComponentCount(); ++i) {
    TComponent* component = root.Components(i);
    const TClassInfo& ci = ClassOf(*component);
    TComponent* enclosing = ci.GetParentComponent(SelfOf(ci, *component));
    if (!enclosing || enclosing->Owner() != &root) enclosing = &root;
    writer.mNesting.emplace_back(component, enclosing);
  }
  writer.WriteObject(root, info, 0);
  if (writer.mWritten != writer.mNesting.size())
    throw FormException(0, "The parents of the components of " + root.Name() + " form a cycle");
  return writer.mOut;
}

void TFormWriter::WriteObject(TComponent& component, const TClassInfo& info, int indent) {
  const std::string pad(static_cast<size_t>(indent), ' ');
  mOut += pad + "object ";
  if (!component.Name().empty()) mOut += component.Name() + ": ";
  mOut += info.ClassName() + "\n";
  WriteProperties(info, SelfOf(info, component), "", indent + 2);
  for (const auto& [child, enclosing] : mNesting) {
    if (enclosing != &component) continue;
    ++mWritten;
    WriteObject(*child, ClassOf(*child), indent + 2);
  }
  mOut += pad + "end\n";
}

std::string TFormWriter::ComponentName(TComponent* component, const std::string& path) const {
  if (component->Name().empty() || (component != &mRoot && component->Owner() != &mRoot))
    throw FormException(0, path + " refers to a component outside the form");
  return component->Name();
}

void TFormWriter::WriteProperties(const TClassInfo& info, void* self, const std::string& prefix, int indent) {
  const std::string pad(static_cast<size_t>(indent), ' ');
  // Events come after the other properties, which keeps each block's settings together.
  const std::vector<TClassInfo::TBoundProperty> all = info.AllProperties(self);
  std::vector<TClassInfo::TBoundProperty> ordered;
  ordered.reserve(all.size());
  for (const auto& bound : all)
    if (bound.Info->Kind != pkEvent) ordered.push_back(bound);
  for (const auto& bound : all)
    if (bound.Info->Kind == pkEvent) ordered.push_back(bound);
  for (const TClassInfo::TBoundProperty& bound : ordered) {
    const TPropInfo& p = *bound.Info;
    void* obj = bound.Self;
    const std::string name = prefix + p.Name;
    if (p.Stored && !p.Stored(obj)) continue;
    std::string text;
    switch (p.Kind) {
      case pkInteger:
      case pkColor: {
        const int64_t v = p.GetOrdinal(obj);
        if (p.HasDefault && v == p.DefaultOrdinal) continue;
        if (!p.ValueToIdent || !p.ValueToIdent(v, text)) text = std::to_string(v);
        break;
      }
      case pkBoolean: {
        const int64_t v = p.GetOrdinal(obj);
        if (p.HasDefault && v == p.DefaultOrdinal) continue;
        text = v ? "True" : "False";
        break;
      }
      case pkEnumeration: {
        const int64_t v = p.GetOrdinal(obj);
        if (p.HasDefault && v == p.DefaultOrdinal) continue;
        if (v < 0 || v >= static_cast<int64_t>(p.ValueNames.size()))
          throw FormException(0, "Value " + std::to_string(v) + " of " + name + " has no name");
        text = p.ValueNames[static_cast<size_t>(v)];
        break;
      }
      case pkSet: {
        const int64_t v = p.GetOrdinal(obj);
        if (p.HasDefault && v == p.DefaultOrdinal) continue;
        if (v < 0 || v > p.MaxValue) throw FormException(0, "Set value of " + name + " has elements without names");
        text = "[";
        for (size_t i = 0; i < p.ValueNames.size(); ++i) {
          if (!(v & (int64_t{1} << i))) continue;
          if (text.size() > 1) text += ", ";
          text += p.ValueNames[i];
        }
        text += "]";
        break;
      }
      case pkReal: {
        const double v = p.GetReal(obj);
        if (!std::isfinite(v)) throw FormException(0, "Value of " + name + " is not a finite number");
        if (v == p.DefaultReal) continue;
        text = FormatReal(v);
        break;
      }
      case pkString: {
        const std::string v = p.GetString(obj);
        if (v == p.DefaultString) continue;
        text = QuoteString(v);
        break;
      }
      case pkStringList: {
        const std::vector<std::string> lines = p.GetStrings(obj);
        if (lines.empty()) continue;
        text = "(";
        for (const std::string& line : lines) text += "\n" + pad + "  " + QuoteString(line);
        text += ")";
        break;
      }
      case pkSubObject: {
        void* nested = p.GetObject(obj);
        if (!nested) continue;
        const TClassInfo* cls = TClassRegistry::Instance().FindByType(p.ObjectType);
        if (!cls) throw FormException(0, "The class of " + name + " is not registered");
        WriteProperties(*cls, nested, name + ".", indent);
        continue;
      }
      case pkComponent: {
        TComponent* c = p.GetComponent(obj);
        if (!c) continue;
        text = ComponentName(c, name);
        break;
      }
      case pkEvent: {
        text = p.GetHandlerName(obj);
        if (text.empty()) continue;
        break;
      }
      case pkBinary: {
        const std::string bytes = p.GetBytes(obj);
        if (bytes.empty()) continue;
        text = FormatBinary(bytes, pad);
        break;
      }
    }
    mOut += pad + name + " = " + text + "\n";
  }
}

}  // namespace fw
