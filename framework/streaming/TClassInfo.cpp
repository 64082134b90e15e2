#include "framework/streaming/TClassInfo.h"

#include "framework/controls/TComponent.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/StreamIdents.h"
#include "framework/streaming/TClassRegistry.h"

namespace fw {

const TClassInfo* TClassInfo::Base() const {
  if (mBaseType == typeid(void)) return nullptr;
  return TClassRegistry::Instance().FindByType(mBaseType);
}

bool TClassInfo::InheritsFrom(const TClassInfo* other) const {
  for (const TClassInfo* c = this; c; c = c->Base())
    if (c == other) return true;
  return false;
}

void* TClassInfo::FromComponent(TComponent* component) const {
  if (!component || !mFromComponent) return nullptr;
  return mFromComponent(component);
}

TComponent* TClassInfo::Create(TComponent* owner) const {
  if (!mFactory) throw FormException(0, "Class " + mName + " cannot be created");
  return mFactory(owner);
}

std::vector<TClassInfo::TBoundProperty> TClassInfo::AllProperties(void* self) const {
  // Collect the chain from this class up, then emit base-first.
  std::vector<std::pair<const TClassInfo*, void*>> chain;
  for (const TClassInfo* c = this; c; c = c->Base()) {
    chain.emplace_back(c, self);
    self = c->ToBase(self);
  }
  std::vector<TBoundProperty> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const TPropInfo& p : it->first->mProperties) {
      bool redeclared = false;
      for (TBoundProperty& existing : result) {
        if (SameName(existing.Info->Name, p.Name)) {
          existing = {&p, it->second};
          redeclared = true;
          break;
        }
      }
      if (!redeclared) result.push_back({&p, it->second});
    }
  }
  return result;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name, void*& self) const {
  void* current = self;
  for (const TClassInfo* c = this; c; c = c->Base()) {
    for (const TPropInfo& p : c->mProperties) {
      if (SameName(p.Name, name)) {
        self = current;
        return &p;
      }
    }
    current = c->ToBase(current);
  }
  return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const std::string& name, void*& self) const {
  void* current = self;
  for (const TClassInfo* c = this; c; c = c->Base()) {
    for (const TFieldInfo& f : c->mFields) {
      if (SameName(f.Name, name)) {
        self = current;
        return &f;
      }
    }
    current = c->ToBase(current);
  }
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name, void*& self) const {
  void* current = self;
  for (const TClassInfo* c = this; c; c = c->Base()) {
    for (const TMethodInfo& m : c->mMethods) {
      if (SameName(m.Name, name)) {
        self = current;
        return &m;
      }
    }
    current = c->ToBase(current);
  }
  return nullptr;
}

void TClassInfo::SetParentComponent(void* self, TComponent* parent) const {
  for (const TClassInfo* c = this; c; c = c->Base()) {
    if (c->mSetParent) {
      c->mSetParent(self, parent);
      return;
    }
    self = c->ToBase(self);
  }
}

TComponent* TClassInfo::GetParentComponent(void* self) const {
  for (const TClassInfo* c = this; c; c = c->Base()) {
    if (c->mGetParent) return c->mGetParent(self);
    self = c->ToBase(self);
  }
  return nullptr;
}

void TClassInfo::Clear() {
  mBaseType = typeid(void);
  mToBase = nullptr;
  mFromComponent = nullptr;
  mFactory = nullptr;
  mSetParent = nullptr;
  mGetParent = nullptr;
  mProperties.clear();
  mFields.clear();
  mMethods.clear();
}

}  // namespace fw
