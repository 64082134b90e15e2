#pragma once
#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <typeindex>
#include <vector>

namespace fw {

class TComponent;

enum TPropertyKind {
  pkInteger,      ///< whole number, optionally with names for some values (character sets, cursors)
  pkReal,         ///< double
  pkBoolean,      ///< True / False
  pkString,       ///< UTF-8 text
  pkEnumeration,  ///< one of ValueNames, by ordinal
  pkSet,          ///< bit i set = ValueNames[i] present
  pkColor,        ///< TColor, by name (clRed, clBtnFace) when it has one, else by number
  pkStringList,   ///< list of lines
  pkSubObject,    ///< owned object reached by a dotted name (Font.Color); not assigned itself
  pkComponent,    ///< reference to another component, by name
  pkEvent,        ///< handler of the root, by method name
  pkBinary,       ///< bytes a class stores by itself (a picture's graphic), written as { hex }
};

/// A name for one integer value (clRed, DEFAULT_CHARSET); matched without regard to case.
struct TIdentEntry {
  const char* Name;
  int64_t Value;
};
using TIdentMap = std::vector<TIdentEntry>;

/// One published property. Accessors take a pointer to an object of exactly the C++ type the
/// owning class table was registered for (TClassInfo adjusts pointers along the base chain).
/// Only the accessors of the property's kind are set.
struct TPropInfo {
  std::string Name;
  TPropertyKind Kind = pkInteger;

  // Ordinal kinds (integer, boolean, enumeration, set, colour); a set is its bit mask.
  std::function<int64_t(void*)> GetOrdinal;
  std::function<void(void*, int64_t)> SetOrdinal;
  int64_t MinValue = INT64_MIN;  ///< range of the C++ type; the reader rejects values outside
  int64_t MaxValue = INT64_MAX;
  std::vector<std::string> ValueNames;  ///< enumeration values by ordinal, set elements by bit
  /// Names of particular values (colour names, character sets, cursors); either may be empty.
  std::function<bool(const std::string& name, int64_t& value)> IdentToValue;
  std::function<bool(int64_t value, std::string& name)> ValueToIdent;

  std::function<double(void*)> GetReal;
  std::function<void(void*, double)> SetReal;

  std::function<std::string(void*)> GetString;
  std::function<void(void*, const std::string&)> SetString;

  /// Binary: the bytes (empty: nothing to store); the setter throws fw::Exception with the reason
  /// when the bytes are not valid for the property, and then changes nothing.
  std::function<std::string(void*)> GetBytes;
  std::function<void(void*, const std::string&)> SetBytes;

  std::function<std::vector<std::string>(void*)> GetStrings;
  std::function<void(void*, const std::vector<std::string>&)> SetStrings;

  /// Sub-object: the nested object, of the C++ type ObjectType (whose table describes it).
  std::function<void*(void*)> GetObject;
  std::type_index ObjectType = typeid(void);

  std::function<TComponent*(void*)> GetComponent;
  std::function<void(void*, TComponent*)> SetComponent;  ///< throws when the class does not fit

  /// Event: name of the assigned method ("" when none or not a named method of the root).
  std::function<std::string(void*)> GetHandlerName;
  /// Event: assigns a handler made by a method table (std::any of the method's std::function);
  /// an empty std::any clears it. Throws when the method's parameters do not fit the event.
  std::function<void(void*, const std::any&)> SetHandler;

  // Stored default: a property equal to it is not written. Ordinal properties without a
  // declared default are always written; reals default to 0, strings to "", lists to empty,
  // references and events to none.
  bool HasDefault = false;
  int64_t DefaultOrdinal = 0;
  double DefaultReal = 0;
  std::string DefaultString;
  /// When set and false, the property is not written whatever its value (a font that follows
  /// its parent's); when true, the default still decides.
  std::function<bool(void*)> Stored;
};

/// A component field of a root class (TForm1::Chart1): set when a component of that name is read.
struct TFieldInfo {
  std::string Name;
  /// Stores the component (nullptr clears); throws when its class does not fit the field.
  std::function<void(void* root, TComponent* component)> Assign;
};

/// An event handler of a root class (TForm1::Button1Click).
struct TMethodInfo {
  std::string Name;
  /// Makes the handler bound to the root: a std::any holding std::function<void(Args...)>.
  std::function<std::any(void* root)> Bind;
};

/// Callable stored in an event bound by name, so that the writer can tell the handler's name.
template <class F>
struct TNamedMethod {
  std::string Name;
  F Call;
  template <class... A>
  decltype(auto) operator()(A&&... args) const {
    return Call(std::forward<A>(args)...);
  }
};

}  // namespace fw
