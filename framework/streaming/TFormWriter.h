#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class TComponent;
class TClassInfo;

/// Writes a root component and every component it owns as a text form description that
/// TFormReader reads back to the same objects. Properties follow the published rules: one
/// equal to its stored default is not written, sub-objects are written with dotted names
/// (Font.Color), references by component name, events by the root's method name (handlers
/// not bound by name are not written). A component's block is nested in the block of the
/// component its class's parent hook names, otherwise in the root's.
/// Throws FormException for unregistered classes, unrepresentable values (NaN, unnamed
/// enumeration or set values) and references to components outside the form.
class TFormWriter {
public:
  static std::string Write(TComponent& root);

  /// Quoted form of a UTF-8 string: 'Velocity ('#223')'.
  static std::string QuoteString(const std::string& text);
  /// Binary data as `{` then lines of 64 hex digits indented two past `pad`, then `}`.
  static std::string FormatBinary(const std::string& bytes, const std::string& pad);
  /// Shortest text that reads back to exactly the same double.
  static std::string FormatReal(double value);

private:
  explicit TFormWriter(TComponent& root) : mRoot(root) {}

  void WriteObject(TComponent& component, const TClassInfo& info, int indent);
  void WriteProperties(const TClassInfo& info, void* self, const std::string& prefix, int indent);
  std::string ComponentName(TComponent* component, const std::string& path) const;

  TComponent& mRoot;
  std::string mOut;
  std::vector<std::pair<TComponent*, TComponent*>> mNesting;  // (component, enclosing)
  size_t mWritten = 0;
};

}  // namespace fw
