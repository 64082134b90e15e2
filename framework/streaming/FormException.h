#pragma once
#include <string>

#include "framework/runtime/Exception.h"

namespace fw {

/// Raised when a form description cannot be parsed, read or written. The message names the
/// line ("Line 12: ...") when the fault has one; Line() is 0 otherwise.
class FormException : public Exception {
public:
  FormException(int line, const std::string& message)
      : Exception(line > 0 ? "Line " + std::to_string(line) + ": " + message : message), mLine(line) {}
  int Line() const { return mLine; }

private:
  int mLine = 0;
};

}  // namespace fw
