#pragma once
#include <algorithm>
#include <any>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "framework/controls/TComponent.h"
#include "framework/runtime/TColor.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/StreamIdents.h"
#include "framework/streaming/TClassInfo.h"

namespace fw {

/// Fills the table of class T. Getters and setters are member function pointers or callables
/// taking T& (`&TControl::Left`, `[](TChart& c) { return c.View3D(); }`); setters get the value
/// in the getter's own type. Modifiers (Default, Stored, Idents) apply to the property added last.
template <class T>
class TClassBuilder {
public:
  explicit TClassBuilder(TClassInfo& info) : mInfo(info) {
    if constexpr (std::is_base_of_v<TComponent, T>)
      mInfo.mFromComponent = [](TComponent* c) -> void* { return dynamic_cast<T*>(c); };
  }

  /// The table extends the table registered for B (looked up when used, so order is free).
  template <class B>
  TClassBuilder& Inherits() {
    static_assert(std::is_base_of_v<B, T>, "Inherits<B>: B must be a base of T");
    mInfo.mBaseType = typeid(B);
    mInfo.mToBase = [](void* p) -> void* { return static_cast<B*>(static_cast<T*>(p)); };
    return *this;
  }

  /// The reader may create the class by name: new T(owner).
  TClassBuilder& Creatable() {
    static_assert(std::is_constructible_v<T, TComponent*>, "Creatable: T needs T(TComponent* owner)");
    mInfo.mFactory = [](TComponent* owner) -> TComponent* { return new T(owner); };
    return *this;
  }

  /// Enclosing-block parent hooks: set is called with the component whose block encloses this
  /// one; get tells the writer which component's block to put it in (nullptr: the root's).
  template <class S, class G>
  TClassBuilder& Parent(S set, G get) {
    mInfo.mSetParent = [set](void* self, TComponent* parent) { std::invoke(set, Obj(self), parent); };
    mInfo.mGetParent = [get](void* self) -> TComponent* { return std::invoke(get, Obj(self)); };
    return *this;
  }

  template <class G, class S>
  TClassBuilder& Integer(const std::string& name, G get, S set) {
    AddOrdinal(name, pkInteger, get, set);
    return *this;
  }
  template <class G, class S>
  TClassBuilder& Boolean(const std::string& name, G get, S set) {
    TPropInfo& p = AddOrdinal(name, pkBoolean, get, set);
    p.MinValue = 0;
    p.MaxValue = 1;
    return *this;
  }
  /// `names` lists the enumeration's values by ordinal (0, 1, ...).
  template <class G, class S>
  TClassBuilder& Enumeration(const std::string& name, G get, S set, std::vector<std::string> names) {
    TPropInfo& p = AddOrdinal(name, pkEnumeration, get, set);
    p.MinValue = 0;
    p.MaxValue = static_cast<int64_t>(names.size()) - 1;
    p.ValueNames = std::move(names);
    return *this;
  }
  /// A set stored as bit flags: names[i] is the element of bit i; the empty set is 0.
  template <class G, class S>
  TClassBuilder& Set(const std::string& name, G get, S set, std::vector<std::string> names) {
    if (names.size() > 63) throw FormException(0, "Set property " + name + " has too many elements");
    TPropInfo& p = AddOrdinal(name, pkSet, get, set);
    p.MinValue = 0;
    p.MaxValue = (int64_t{1} << names.size()) - 1;
    p.ValueNames = std::move(names);
    return *this;
  }
  /// A colour, read and written by its name (clRed, clBtnFace) when it has one.
  template <class G, class S>
  TClassBuilder& Color(const std::string& name, G get, S set) {
    TPropInfo& p = AddOrdinal(name, pkColor, get, set);
    p.IdentToValue = [](const std::string& ident, int64_t& value) {
      TColor color = 0;
      if (!IdentToColor(ident, color)) return false;
      value = color;
      return true;
    };
    p.ValueToIdent = [](int64_t value, std::string& ident) {
      return value >= INT32_MIN && value <= INT32_MAX && ColorToIdent(static_cast<TColor>(value), ident);
    };
    return *this;
  }
  template <class G, class S>
  TClassBuilder& Real(const std::string& name, G get, S set) {
    TPropInfo& p = Add(name, pkReal);
    p.GetReal = [get](void* self) -> double { return static_cast<double>(std::invoke(get, Obj(self))); };
    p.SetReal = [set](void* self, double v) { std::invoke(set, Obj(self), v); };
    return *this;
  }
  template <class G, class S>
  TClassBuilder& String(const std::string& name, G get, S set) {
    TPropInfo& p = Add(name, pkString);
    p.GetString = [get](void* self) -> std::string { return std::string(std::invoke(get, Obj(self))); };
    p.SetString = [set](void* self, const std::string& v) { std::invoke(set, Obj(self), v); };
    return *this;
  }
  /// Getter returns something convertible to std::vector<std::string>; setter takes one.
  template <class G, class S>
  TClassBuilder& StringList(const std::string& name, G get, S set) {
    TPropInfo& p = Add(name, pkStringList);
    p.GetStrings = [get](void* self) -> std::vector<std::string> {
      return std::vector<std::string>(std::invoke(get, Obj(self)));
    };
    p.SetStrings = [set](void* self, const std::vector<std::string>& v) { std::invoke(set, Obj(self), v); };
    return *this;
  }
  /// Bytes the object stores by itself; getter returns std::string bytes (empty: not written),
  /// setter takes them and throws when they are not valid.
  template <class G, class S>
  TClassBuilder& Binary(const std::string& name, G get, S set) {
    TPropInfo& p = Add(name, pkBinary);
    p.GetBytes = [get](void* self) -> std::string { return std::string(std::invoke(get, Obj(self))); };
    p.SetBytes = [set](void* self, const std::string& v) { std::invoke(set, Obj(self), v); };
    return *this;
  }
  /// An owned object (returned by reference or pointer) described by the table registered for
  /// its C++ type; its properties are reached by dotted names.
  template <class G>
  TClassBuilder& Object(const std::string& name, G get) {
    using R = std::invoke_result_t<G&, T&>;
    using S = std::remove_cv_t<std::remove_pointer_t<std::remove_reference_t<R>>>;
    TPropInfo& p = Add(name, pkSubObject);
    p.ObjectType = typeid(S);
    p.GetObject = [get](void* self) -> void* {
      if constexpr (std::is_pointer_v<R>)
        return const_cast<S*>(std::invoke(get, Obj(self)));
      else
        return const_cast<S*>(&std::invoke(get, Obj(self)));
    };
    return *this;
  }
  /// A reference to another component of class C (getter returns C*, setter takes C*).
  template <class G, class S>
  TClassBuilder& Component(const std::string& name, G get, S set) {
    using C = std::remove_cv_t<std::remove_pointer_t<std::invoke_result_t<G&, T&>>>;
    static_assert(std::is_base_of_v<TComponent, C>, "Component: the getter must return a component pointer");
    TPropInfo& p = Add(name, pkComponent);
    p.GetComponent = [get](void* self) -> TComponent* { return std::invoke(get, Obj(self)); };
    p.SetComponent = [set, name](void* self, TComponent* c) {
      C* typed = nullptr;
      if (c) {
        typed = dynamic_cast<C*>(c);
        if (!typed) throw FormException(0, c->Name() + " (" + c->ClassName() + ") cannot be assigned to " + name);
      }
      std::invoke(set, Obj(self), typed);
    };
    return *this;
  }
  /// An event stored in a std::function member (or reached by a callable returning F&).
  template <class A>
  TClassBuilder& Event(const std::string& name, A access) {
    using F = std::remove_reference_t<std::invoke_result_t<A&, T&>>;
    return Event(
        name, [access](T& t) -> const F& { return std::invoke(access, t); },
        [access](T& t, const F& f) { std::invoke(access, t) = f; });
  }
  /// An event with separate getter (returning the std::function) and setter.
  template <class G, class S>
  TClassBuilder& Event(const std::string& name, G get, S set) {
    using F = std::remove_cvref_t<std::invoke_result_t<G&, T&>>;
    TPropInfo& p = Add(name, pkEvent);
    p.GetHandlerName = [get](void* self) -> std::string {
      const F& f = std::invoke(get, Obj(self));
      if (const auto* m = f.template target<TNamedMethod<F>>()) return m->Name;
      return {};
    };
    p.SetHandler = [set, name](void* self, const std::any& handler) {
      if (!handler.has_value()) {
        std::invoke(set, Obj(self), F{});
        return;
      }
      const F* f = std::any_cast<F>(&handler);
      if (!f) throw FormException(0, "The handler's parameters do not fit the event " + name);
      std::invoke(set, Obj(self), *f);
    };
    return *this;
  }

  /// Stored default of the last property: not written when equal to it.
  template <class V>
  TClassBuilder& Default(const V& value) {
    TPropInfo& p = Last();
    if constexpr (std::is_convertible_v<const V&, std::string>) {
      if (p.Kind != pkString) throw FormException(0, "Text default for non-text property " + p.Name);
      p.DefaultString = std::string(value);
    } else {
      static_assert(std::is_arithmetic_v<V> || std::is_enum_v<V>, "Default: unsupported value type");
      if (p.Kind == pkReal) {
        p.DefaultReal = static_cast<double>(value);
      } else if (IsOrdinal(p.Kind)) {
        p.DefaultOrdinal = static_cast<int64_t>(value);
      } else {
        throw FormException(0, "Property " + p.Name + " cannot have a numeric default");
      }
    }
    p.HasDefault = true;
    return *this;
  }
  /// Narrows the values the reader takes for the last (integer) property: a stored value
  /// outside [minimum, maximum] is refused with its line.
  TClassBuilder& Range(int64_t minimum, int64_t maximum) {
    TPropInfo& p = Last();
    if (!IsOrdinal(p.Kind) || minimum > maximum) throw FormException(0, "Bad range for property " + p.Name);
    p.MinValue = std::max(p.MinValue, minimum);
    p.MaxValue = std::min(p.MaxValue, maximum);
    return *this;
  }
  /// The last property is written only while `stored(object)` is true (and it differs from its
  /// default, if it has one).
  template <class P>
  TClassBuilder& Stored(P stored) {
    Last().Stored = [stored](void* self) -> bool { return std::invoke(stored, Obj(self)); };
    return *this;
  }
  /// Names for particular values of the last (integer) property, e.g. CharsetIdents().
  TClassBuilder& Idents(const TIdentMap& idents) {
    const TIdentMap* map = &idents;
    return Idents([map](const std::string& name, int64_t& value) { return ValueOfIdent(*map, name, value); },
                  [map](int64_t value, std::string& name) {
                    const char* ident = IdentOf(*map, value);
                    if (ident) name = ident;
                    return ident != nullptr;
                  });
  }
  /// Names for particular values through conversion functions (name -> value, value -> name).
  TClassBuilder& Idents(std::function<bool(const std::string&, int64_t&)> toValue,
                        std::function<bool(int64_t, std::string&)> toIdent) {
    Last().IdentToValue = std::move(toValue);
    Last().ValueToIdent = std::move(toIdent);
    return *this;
  }

  /// A component field of a root class: `Field("Chart1", &TForm1::Chart1)`.
  template <class C, class U>
  TClassBuilder& Field(const std::string& name, C* U::*member) {
    return Field<C>(name, [member](T& t, C* c) { t.*member = c; });
  }
  /// A component field set through a callable (t, C*).
  template <class C, class S>
  TClassBuilder& Field(const std::string& name, S set) {
    static_assert(std::is_base_of_v<TComponent, C>, "Field: C must be a component class");
    mInfo.mFields.push_back({name, [set, name](void* root, TComponent* c) {
                               C* typed = nullptr;
                               if (c) {
                                 typed = dynamic_cast<C*>(c);
                                 if (!typed)
                                   throw FormException(0, "Component " + c->Name() + " (" + c->ClassName() +
                                                              ") does not fit the field " + name);
                               }
                               std::invoke(set, Obj(root), typed);
                             }});
    return *this;
  }

  /// An event handler of a root class: `Method("Button1Click", &TForm1::Button1Click)`.
  template <class R, class U, class... A>
  TClassBuilder& Method(const std::string& name, R (U::*fn)(A...)) {
    return Method<R(A...)>(name, [fn](T& t, A... args) -> R { return (t.*fn)(std::forward<A>(args)...); });
  }
  /// An event handler given as a callable (T&, args...) with the event's signature Sig.
  template <class Sig, class Fn>
  TClassBuilder& Method(const std::string& name, Fn fn) {
    mInfo.mMethods.push_back({name, MethodBinder<Sig>::Make(name, std::move(fn))});
    return *this;
  }

private:
  static T& Obj(void* self) { return *static_cast<T*>(self); }
  static bool IsOrdinal(TPropertyKind k) {
    return k == pkInteger || k == pkBoolean || k == pkEnumeration || k == pkSet || k == pkColor;
  }

  template <class Sig>
  struct MethodBinder;
  template <class R, class... A>
  struct MethodBinder<R(A...)> {
    template <class Fn>
    static std::function<std::any(void*)> Make(const std::string& name, Fn fn) {
      return [name, fn](void* root) -> std::any {
        using F = std::function<R(A...)>;
        T* self = static_cast<T*>(root);
        F call = [self, fn](A... args) -> R { return fn(*self, std::forward<A>(args)...); };
        return F(TNamedMethod<F>{name, std::move(call)});
      };
    }
  };

  TPropInfo& Add(const std::string& name, TPropertyKind kind) {
    for (const TPropInfo& p : mInfo.mProperties)
      if (p.Name == name) throw FormException(0, "Property " + name + " registered twice for " + mInfo.ClassName());
    mInfo.mProperties.emplace_back();
    TPropInfo& p = mInfo.mProperties.back();
    p.Name = name;
    p.Kind = kind;
    return p;
  }
  TPropInfo& Last() {
    if (mInfo.mProperties.empty()) throw FormException(0, "No property to modify in " + mInfo.ClassName());
    return mInfo.mProperties.back();
  }

  template <class G, class S>
  TPropInfo& AddOrdinal(const std::string& name, TPropertyKind kind, G get, S set) {
    using V = std::remove_cvref_t<std::invoke_result_t<G&, T&>>;
    static_assert(std::is_integral_v<V> || std::is_enum_v<V>, "ordinal property: getter must return an integer or enum");
    TPropInfo& p = Add(name, kind);
    p.GetOrdinal = [get](void* self) -> int64_t { return static_cast<int64_t>(std::invoke(get, Obj(self))); };
    p.SetOrdinal = [set](void* self, int64_t v) { std::invoke(set, Obj(self), static_cast<V>(v)); };
    if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool>) {
      p.MinValue = static_cast<int64_t>(std::numeric_limits<V>::min());
      p.MaxValue = sizeof(V) >= sizeof(int64_t) && std::is_unsigned_v<V>
                       ? std::numeric_limits<int64_t>::max()
                       : static_cast<int64_t>(std::numeric_limits<V>::max());
    }
    return p;
  }

  TClassInfo& mInfo;
};

}  // namespace fw
