#include "framework/streaming/TClassRegistry.h"

#include "framework/streaming/FormException.h"
#include "framework/streaming/StreamIdents.h"

namespace fw {

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry registry;
  return registry;
}

TClassInfo& TClassRegistry::Add(const std::string& name, std::type_index type) {
  for (auto& c : mClasses) {
    if (SameName(c->ClassName(), name)) {
      if (c->Type() != type) throw FormException(0, "Class name " + name + " is already registered for another type");
      c->Clear();
      return *c;
    }
    if (c->Type() == type) throw FormException(0, "Type of " + name + " is already registered as " + c->ClassName());
  }
  mClasses.push_back(std::make_unique<TClassInfo>(name, type));
  return *mClasses.back();
}

const TClassInfo* TClassRegistry::FindByName(const std::string& name) const {
  for (const auto& c : mClasses)
    if (SameName(c->ClassName(), name)) return c.get();
  return nullptr;
}

const TClassInfo* TClassRegistry::FindByType(std::type_index type) const {
  for (const auto& c : mClasses)
    if (c->Type() == type) return c.get();
  return nullptr;
}

}  // namespace fw
