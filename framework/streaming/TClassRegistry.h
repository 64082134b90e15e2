#pragma once
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "framework/streaming/TClassInfo.h"

namespace fw {

template <class T>
class TClassBuilder;

/// Every class known to the form reader and writer, by name and by C++ type. Registering a
/// name again refills the same entry (pointers to it stay valid).
class TClassRegistry {
public:
  static TClassRegistry& Instance();

  /// Entry for the name, created or emptied; the type must match an earlier registration.
  TClassInfo& Add(const std::string& name, std::type_index type);
  /// Entry by class name, without regard to case; nullptr when unknown.
  const TClassInfo* FindByName(const std::string& name) const;
  /// Entry registered for exactly this C++ type; nullptr when unknown.
  const TClassInfo* FindByType(std::type_index type) const;

private:
  TClassRegistry() = default;
  std::vector<std::unique_ptr<TClassInfo>> mClasses;
};

/// Starts (or restarts) the description of class T under `name`:
///   fw::RegisterClass<TButton>("TButton").Inherits<TWinControl>().Creatable()
///       .String("Caption", &TButton::Caption, &TButton::SetCaption).Default("");
/// A root class (a window) lists its component fields and its event handlers as well:
///   fw::RegisterClass<TForm1>("TForm1").Inherits<fw::TForm>()
///       .Field("Chart1", &TForm1::Chart1)
///       .Method("Button1Click", &TForm1::Button1Click);
/// Call from an explicit registration function (static initialisers in static libraries are
/// not linked in).
template <class T>
TClassBuilder<T> RegisterClass(const std::string& name);

}  // namespace fw

#include "framework/streaming/TClassBuilder.h"

namespace fw {

template <class T>
TClassBuilder<T> RegisterClass(const std::string& name) {
  return TClassBuilder<T>(TClassRegistry::Instance().Add(name, typeid(T)));
}

}  // namespace fw
