#pragma once
// The published integer and real properties of components and of their sub-objects, found
// through the class tables, and the walk that sets each to given values: what the tests that
// put every number at the ends of its range share.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/controls/TComponent.h"
#include "framework/streaming/TClassInfo.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TPropInfo.h"

namespace testsupport {

struct TPublishedNumber {
  std::string Path;  // "Chart1.LeftAxis.Axis.Width"
  const fw::TPropInfo* Info;
  void* Self;

  bool Real() const { return Info->Kind == fw::pkReal; }
  double Get() const { return Real() ? Info->GetReal(Self) : static_cast<double>(Info->GetOrdinal(Self)); }
  /// Throws what the property's setter throws.
  void Set(double value) const {
    if (Real())
      Info->SetReal(Self, value);
    else
      Info->SetOrdinal(Self, static_cast<int64_t>(value));
  }
};

/// Every integer and real property with a setter reachable from `self` (of class `cls`)
/// through sub-objects, each named by its dotted path after `path`.
inline void CollectPublishedNumbers(const fw::TClassInfo& cls, void* self, const std::string& path,
                                    std::vector<TPublishedNumber>& out, int depth = 0) {
  if (depth > 6) return;
  for (const fw::TClassInfo::TBoundProperty& p : cls.AllProperties(self)) {
    const std::string name = path + p.Info->Name;
    if (p.Info->Kind == fw::pkSubObject) {
      void* child = p.Info->GetObject(p.Self);
      const fw::TClassInfo* childClass = fw::TClassRegistry::Instance().FindByType(p.Info->ObjectType);
      if (child && childClass) CollectPublishedNumbers(*childClass, child, name + ".", out, depth + 1);
    } else if ((p.Info->Kind == fw::pkInteger && p.Info->SetOrdinal) || (p.Info->Kind == fw::pkReal && p.Info->SetReal)) {
      out.push_back({name, p.Info, p.Self});
    }
  }
}

/// The published numbers of each registered component (others are passed over), named after
/// it by `nameOf`.
inline std::vector<TPublishedNumber> PublishedNumbersOf(const std::vector<fw::TComponent*>& components,
                                                        const std::function<std::string(fw::TComponent&)>& nameOf) {
  std::vector<TPublishedNumber> out;
  for (fw::TComponent* c : components) {
    const fw::TClassInfo* cls = fw::TClassRegistry::Instance().FindByName(c->ClassName());
    if (cls == nullptr) continue;
    CollectPublishedNumbers(*cls, cls->FromComponent(c), nameOf(*c) + ".", out);
  }
  return out;
}

/// Sets each number to each of valuesOf(number) in turn. A rejected value must leave the old
/// one; after an accepted one `draw` runs and the old value is set back. Returns how many values
/// were accepted. SW_TRACE_SETTINGS in the environment prints each value before it is set.
inline int SetEachValueAndDraw(const std::vector<TPublishedNumber>& numbers,
                               const std::function<std::vector<double>(const fw::TPropInfo&)>& valuesOf,
                               const std::function<void(const TPublishedNumber&, double)>& draw) {
  const bool trace = std::getenv("SW_TRACE_SETTINGS") != nullptr;
  int accepted = 0;
  for (const TPublishedNumber& n : numbers) {
    const double old = n.Get();
    for (const double value : valuesOf(*n.Info)) {
      if (trace) std::fprintf(stderr, "%s = %g\n", n.Path.c_str(), value);
      try {
        n.Set(value);
      } catch (const std::exception&) {
        const double now = n.Get();
        EXPECT_TRUE(now == old || (std::isnan(now) && std::isnan(old))) << n.Path << " changed by a rejected " << value;
        continue;
      }
      ++accepted;
      draw(n, value);
      try {
        n.Set(old);
      } catch (const std::exception& e) {
        ADD_FAILURE() << n.Path << " does not take back its old value " << old << ": " << e.what();
      }
    }
  }
  return accepted;
}

}  // namespace testsupport
