#include "framework/streaming/TFormReader.h"

#include <limits>

#include "framework/controls/TComponent.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/StreamIdents.h"
#include "framework/streaming/TClassRegistry.h"

namespace fw {

namespace {

std::vector<std::string> SplitDotted(const std::string& name) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t dot = name.find('.', start);
    parts.push_back(name.substr(start, dot - start));
    if (dot == std::string::npos) return parts;
    start = dot + 1;
  }
}

const char* KindName(TFormValue::TKind kind) {
  switch (kind) {
    case TFormValue::vkInteger: return "an integer";
    case TFormValue::vkReal: return "a real number";
    case TFormValue::vkString: return "a string";
    case TFormValue::vkIdent: return "an identifier";
    case TFormValue::vkSet: return "a set";
    case TFormValue::vkList: return "a list";
    case TFormValue::vkBinary: return "binary data";
    case TFormValue::vkCollection: return "a collection";
  }
  return "a value";
}

// Errors that already name their line pass unchanged; others get the line and the context.
[[noreturn]] void Rethrow(const std::exception& e, int line, const std::string& context) {
  if (const auto* fe = dynamic_cast<const FormException*>(&e); fe && fe->Line() > 0) throw *fe;
  throw FormException(line, context + ": " + e.what());
}

[[noreturn]] void WrongValue(const std::string& path, const TFormValue& value, const char* expected) {
  throw FormException(value.Line, "Invalid value for " + path + ": " + expected + " expected, found " +
                                      KindName(value.Kind) +
                                      (value.Kind == TFormValue::vkIdent ? " '" + value.Text + "'" : std::string()));
}

}  // namespace

void TFormReader::ReadRoot(TComponent& root, const std::string& text) {
  RegisterFrameworkClasses();
  const TFormObject tree = TFormParser::Parse(text);
  const TClassInfo* info = TClassRegistry::Instance().FindByName(root.ClassName());
  if (!info) throw FormException(0, "Class " + root.ClassName() + " is not registered");
  if (!SameName(tree.ClassName, root.ClassName()))
    throw FormException(tree.Line, "The form description is for " + tree.ClassName + ", not " + root.ClassName());
  void* self = info->FromComponent(&root);
  if (!self) throw FormException(0, "Class " + root.ClassName() + " is registered for another type");
  TFormReader reader(root, *info, self);
  reader.Read(tree);
}

void TFormReader::Read(const TFormObject& tree) {
  mRoot.SetLoading();
  try {
    if (!tree.Name.empty() && mRoot.Name() != tree.Name) mRoot.SetName(tree.Name);
    ReadProperties(mRootInfo, mRootSelf, tree.Properties, tree.Name.empty() ? mRoot.ClassName() : tree.Name);
    for (const TFormObject& child : tree.Children) ReadChild(child, &mRoot);
    ResolveFixups();
    mRoot.Loaded();
    // A component that refuses what it was given once everything is read (a link that makes
    // a cycle, say) is reported at its own declaration.
    for (size_t i = 0; i < mCreated.size(); ++i) {
      try {
        mCreated[i]->Loaded();
      } catch (const std::exception& e) {
        const std::string name = mCreated[i]->Name().empty() ? mCreated[i]->ClassName() : mCreated[i]->Name();
        Rethrow(e, mCreatedLines[i], "Error loading " + name);
      }
    }
  } catch (...) {
    Undo();
    throw;
  }
}

void TFormReader::Undo() {
  for (const TAssignedField& f : mFields) {
    try {
      f.Field->Assign(f.Self, nullptr);
    } catch (...) {
    }
  }
  for (auto it = mCreated.rbegin(); it != mCreated.rend(); ++it) delete *it;
  mCreated.clear();
  mCreatedLines.clear();
  if (mRoot.IsLoading()) {
    try {
      mRoot.Loaded();
    } catch (...) {
    }
  }
}

void TFormReader::ReadChild(const TFormObject& object, TComponent* enclosing) {
  const TClassInfo* info = TClassRegistry::Instance().FindByName(object.ClassName);
  if (!info) throw FormException(object.Line, "Class " + object.ClassName + " not found");
  if (!info->IsComponentClass()) throw FormException(object.Line, object.ClassName + " is not a component class");
  if (!info->CanCreate()) throw FormException(object.Line, "Class " + object.ClassName + " cannot be created");
  if (!object.Name.empty() && (SameName(object.Name, mRoot.Name()) || mRoot.FindComponent(object.Name)))
    throw FormException(object.Line, "A component named " + object.Name + " already exists");

  TComponent* component = nullptr;
  try {
    component = info->Create(&mRoot);
  } catch (const std::exception& e) {
    Rethrow(e, object.Line, "Error creating " + (object.Name.empty() ? object.ClassName : object.Name));
  }
  mCreated.push_back(component);
  mCreatedLines.push_back(object.Line);
  component->SetLoading();
  if (!object.Name.empty()) component->SetName(object.Name);
  void* self = info->FromComponent(component);
  if (!self) throw FormException(object.Line, "Class " + object.ClassName + " is registered for another type");
  const std::string owner = object.Name.empty() ? object.ClassName : object.Name;

  try {
    if (!object.Name.empty()) {
      void* rootSelf = mRootSelf;
      if (const TFieldInfo* field = mRootInfo.FindField(object.Name, rootSelf)) {
        field->Assign(rootSelf, component);
        mFields.push_back({field, rootSelf});
      }
    }
    info->SetParentComponent(self, enclosing);
  } catch (const std::exception& e) {
    Rethrow(e, object.Line, "Error creating " + owner);
  }

  ReadProperties(*info, self, object.Properties, owner);
  for (const TFormObject& child : object.Children) ReadChild(child, component);
}

void TFormReader::ReadProperties(const TClassInfo& info, void* self, const std::vector<TFormProperty>& properties,
                                 const std::string& owner) {
  for (const TFormProperty& p : properties) ReadProperty(info, self, p, owner);
}

void TFormReader::ReadProperty(const TClassInfo& info, void* self, const TFormProperty& property,
                               const std::string& owner) {
  const std::string path = owner + "." + property.Name;
  const std::vector<std::string> parts = SplitDotted(property.Name);
  const TClassInfo* cls = &info;
  for (size_t i = 0; i < parts.size(); ++i) {
    const TPropInfo* prop = cls->FindProperty(parts[i], self);
    if (!prop) throw FormException(property.Line, "Unknown property " + path + " (class " + cls->ClassName() + ")");
    const bool last = i + 1 == parts.size();
    // A string list may also be written as List.Strings = ( ... ).
    const bool listStrings = i + 2 == parts.size() && prop->Kind == pkStringList && SameName(parts[i + 1], "Strings");
    if (last || listStrings) {
      try {
        SetValue(*prop, self, property.Value, path);
      } catch (const std::exception& e) {
        Rethrow(e, property.Line, "Error reading " + path);
      }
      return;
    }
    if (prop->Kind != pkSubObject)
      throw FormException(property.Line, "Property " + parts[i] + " of " + path + " has no sub-properties");
    void* object = prop->GetObject(self);
    if (!object) throw FormException(property.Line, "Object " + parts[i] + " of " + path + " does not exist");
    const TClassInfo* nested = TClassRegistry::Instance().FindByType(prop->ObjectType);
    if (!nested) throw FormException(property.Line, "The class of " + parts[i] + " in " + path + " is not registered");
    cls = nested;
    self = object;
  }
}

int64_t TFormReader::OrdinalValue(const TPropInfo& prop, const TFormValue& value, const std::string& path) const {
  int64_t v = 0;
  switch (prop.Kind) {
    case pkBoolean:
      if (value.Kind == TFormValue::vkIdent && SameName(value.Text, "True")) return 1;
      if (value.Kind == TFormValue::vkIdent && SameName(value.Text, "False")) return 0;
      WrongValue(path, value, "True or False");
    case pkEnumeration:
      if (value.Kind == TFormValue::vkIdent)
        for (size_t i = 0; i < prop.ValueNames.size(); ++i)
          if (SameName(prop.ValueNames[i], value.Text)) return static_cast<int64_t>(i);
      WrongValue(path, value, "an enumeration value");
    case pkSet:
      if (value.Kind != TFormValue::vkSet) WrongValue(path, value, "a set");
      for (const std::string& element : value.Elements) {
        size_t i = 0;
        while (i < prop.ValueNames.size() && !SameName(prop.ValueNames[i], element)) ++i;
        if (i == prop.ValueNames.size())
          throw FormException(value.Line, "Invalid set element " + element + " for " + path);
        v |= int64_t{1} << i;
      }
      return v;
    case pkColor:
      if (value.Kind == TFormValue::vkIdent) {
        if (prop.IdentToValue && prop.IdentToValue(value.Text, v)) return v;
        WrongValue(path, value, "a colour");
      }
      if (value.Kind != TFormValue::vkInteger) WrongValue(path, value, "a colour");
      // Colours may be written as unsigned 32-bit numbers ($80000005).
      if (value.Integer < std::numeric_limits<int32_t>::min() || value.Integer > std::numeric_limits<uint32_t>::max())
        throw FormException(value.Line, "Colour value out of range for " + path);
      return static_cast<int32_t>(static_cast<uint32_t>(value.Integer));
    default:
      break;
  }
  if (value.Kind == TFormValue::vkIdent) {
    if (prop.IdentToValue && prop.IdentToValue(value.Text, v)) {
      if (v < prop.MinValue || v > prop.MaxValue)
        throw FormException(value.Line, value.Text + " is out of range for " + path);
      return v;
    }
    WrongValue(path, value, "an integer");
  }
  if (value.Kind != TFormValue::vkInteger) WrongValue(path, value, "an integer");
  if (value.Integer < prop.MinValue || value.Integer > prop.MaxValue)
    throw FormException(value.Line, "Value " + std::to_string(value.Integer) + " out of range for " + path);
  return value.Integer;
}

void TFormReader::SetValue(const TPropInfo& prop, void* self, const TFormValue& value, const std::string& path) {
  switch (prop.Kind) {
    case pkInteger:
    case pkBoolean:
    case pkEnumeration:
    case pkSet:
    case pkColor:
      prop.SetOrdinal(self, OrdinalValue(prop, value, path));
      return;
    case pkReal:
      if (value.Kind == TFormValue::vkReal) {
        prop.SetReal(self, value.Real);
      } else if (value.Kind == TFormValue::vkInteger) {
        prop.SetReal(self, static_cast<double>(value.Integer));
      } else {
        WrongValue(path, value, "a number");
      }
      return;
    case pkString:
      if (value.Kind != TFormValue::vkString) WrongValue(path, value, "a string");
      prop.SetString(self, value.Text);
      return;
    case pkStringList: {
      if (value.Kind != TFormValue::vkList) WrongValue(path, value, "a list of strings");
      std::vector<std::string> lines;
      lines.reserve(value.Items.size());
      for (const TFormValue& item : value.Items) {
        if (item.Kind != TFormValue::vkString) WrongValue(path, item, "a string");
        lines.push_back(item.Text);
      }
      prop.SetStrings(self, lines);
      return;
    }
    case pkBinary:
      if (value.Kind != TFormValue::vkBinary) WrongValue(path, value, "binary data");
      prop.SetBytes(self, value.Text);
      return;
    case pkSubObject:
      throw FormException(value.Line, path + " is an object: set its properties with dotted names");
    case pkComponent:
      if (value.Kind != TFormValue::vkIdent) WrongValue(path, value, "a component name");
      if (SameName(value.Text, "nil")) {
        prop.SetComponent(self, nullptr);
      } else {
        mFixups.push_back({self, &prop, value.Text, path, value.Line});
      }
      return;
    case pkEvent: {
      if (value.Kind != TFormValue::vkIdent) WrongValue(path, value, "a method name");
      if (SameName(value.Text, "nil")) {
        prop.SetHandler(self, std::any());
        return;
      }
      void* rootSelf = mRootSelf;
      const TMethodInfo* method = mRootInfo.FindMethod(value.Text, rootSelf);
      if (!method)
        throw FormException(value.Line, "Method " + value.Text + " of " + mRootInfo.ClassName() + " not found (" +
                                            path + ")");
      try {
        prop.SetHandler(self, method->Bind(rootSelf));
      } catch (const std::exception& e) {
        throw FormException(value.Line, "Error reading " + path + " = " + value.Text + ": " + e.what());
      }
      return;
    }
  }
}

void TFormReader::ResolveFixups() {
  for (const TFixup& f : mFixups) {
    std::string target = f.Target;
    // A reference may name the form as well: Form1.Edit1.
    const size_t dot = target.find('.');
    if (dot != std::string::npos && SameName(target.substr(0, dot), mRoot.Name())) target = target.substr(dot + 1);
    TComponent* component = SameName(target, mRoot.Name()) ? &mRoot : mRoot.FindComponent(target);
    if (!component || target.find('.') != std::string::npos)
      throw FormException(f.Line, "Component " + f.Target + " referenced by " + f.Path + " not found");
    try {
      f.Property->SetComponent(f.Self, component);
    } catch (const std::exception& e) {
      throw FormException(f.Line, "Error reading " + f.Path + ": " + e.what());
    }
  }
}

}  // namespace fw
