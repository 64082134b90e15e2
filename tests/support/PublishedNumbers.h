#pragma once
// The published integer and real properties of an object and of its sub-objects, found through
// the class tables: what the tests that set every number to the ends of its range walk over.
#include <string>
#include <vector>

#include "framework/streaming/TClassInfo.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TPropInfo.h"

namespace testsupport {

struct TPublishedNumber {
  std::string Path;  // "Chart1.LeftAxis.Axis.Width"
  const fw::TPropInfo* Info;
  void* Self;
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

}  // namespace testsupport
