#pragma once
#include <functional>
#include <string>
#include <typeindex>
#include <vector>

#include "framework/streaming/TPropInfo.h"

namespace fw {

class TComponent;

/// The published description of one class: its own properties in declaration order, its base
/// (whose table it extends), and for component classes the factory, the parent hooks and, for
/// root classes, the component fields and event handlers. Filled by TClassBuilder.
class TClassInfo {
public:
  TClassInfo(std::string name, std::type_index type) : mName(std::move(name)), mType(type) {}

  const std::string& ClassName() const { return mName; }
  std::type_index Type() const { return mType; }
  /// Table of the base class, or nullptr (also when the base is not registered yet).
  const TClassInfo* Base() const;
  /// Converts a pointer to this class's object into a pointer to its base's object.
  void* ToBase(void* self) const { return mToBase ? mToBase(self) : self; }
  bool InheritsFrom(const TClassInfo* other) const;

  /// Pointer to the object as this class, or nullptr when the component is not one.
  void* FromComponent(TComponent* component) const;
  bool IsComponentClass() const { return static_cast<bool>(mFromComponent); }
  bool CanCreate() const { return static_cast<bool>(mFactory); }
  /// Creates a component of this class owned by `owner`; throws when the class is abstract.
  TComponent* Create(TComponent* owner) const;

  /// Own properties in declaration order (without the base's).
  const std::vector<TPropInfo>& OwnProperties() const { return mProperties; }
  /// Every property, the base's first; a property redeclared by a descendant appears once,
  /// at its first position, with the descendant's description. Pointers adjusted per entry.
  struct TBoundProperty {
    const TPropInfo* Info;
    void* Self;
  };
  std::vector<TBoundProperty> AllProperties(void* self) const;

  /// Property by name (without regard to case), searched from this class up the base chain;
  /// `self` is adjusted to the class that declares it. nullptr when unknown.
  const TPropInfo* FindProperty(const std::string& name, void*& self) const;
  const TFieldInfo* FindField(const std::string& name, void*& self) const;
  const TMethodInfo* FindMethod(const std::string& name, void*& self) const;

  /// Makes `parent` (the component whose block encloses this one in a form description) the
  /// parent of the object; does nothing for classes without a parent (timers, series).
  void SetParentComponent(void* self, TComponent* parent) const;
  /// The component whose block should enclose this one when written, or nullptr.
  TComponent* GetParentComponent(void* self) const;

private:
  template <class T>
  friend class TClassBuilder;
  friend class TClassRegistry;

  void Clear();

  std::string mName;
  std::type_index mType;
  std::type_index mBaseType = typeid(void);
  std::function<void*(void*)> mToBase;
  std::function<void*(TComponent*)> mFromComponent;
  std::function<TComponent*(TComponent*)> mFactory;
  std::function<void(void*, TComponent*)> mSetParent;
  std::function<TComponent*(void*)> mGetParent;
  std::vector<TPropInfo> mProperties;
  std::vector<TFieldInfo> mFields;
  std::vector<TMethodInfo> mMethods;
};

}  // namespace fw
