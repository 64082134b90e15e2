#pragma once
#include <string>

namespace fw {

/// Light base for objects with published settings that are not components (fonts, pens,
/// axes, titles). Streaming does not require it: property tables work on any registered type.
class TPersistent {
public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = default;
  TPersistent& operator=(const TPersistent&) = default;
  virtual ~TPersistent() = default;

  /// Class name as the stored layout and the property tables name it.
  virtual std::string ClassName() const { return "TPersistent"; }
};

}  // namespace fw
