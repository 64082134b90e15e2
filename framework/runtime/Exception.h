#pragma once
#include <stdexcept>
#include <string>

namespace fw {

/// Base of every exception the runtime, the framework and the chart engine raise.
/// Carries one message text; the application shows it in a message box when a handler lets it escape.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

}  // namespace fw

namespace fw {

/// A text that is not a valid number, or a value that has no text or date form.
class EConvertError : public Exception {
public:
  explicit EConvertError(const std::string& message) : Exception(message) {}
  /// "'TEXT' is not a valid integer value"
  static EConvertError InvalidInteger(const std::string& text) {
    return EConvertError("'" + text + "' is not a valid integer value");
  }
  /// "'TEXT' is not a valid floating point value"
  static EConvertError InvalidFloat(const std::string& text) {
    return EConvertError("'" + text + "' is not a valid floating point value");
  }
};

/// An index outside a list.
class EListError : public Exception {
public:
  explicit EListError(const std::string& message) : Exception(message) {}
  /// "List index out of bounds (N)"
  static EListError IndexOutOfBounds(long long index) {
    return EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
};

/// Floating-point division by zero: raised instead of producing an infinity.
class EZeroDivide : public Exception {
public:
  EZeroDivide() : Exception("Floating point division by zero") {}
};

/// Floating-point overflow: raised instead of producing an infinity.
class EOverflow : public Exception {
public:
  EOverflow() : Exception("Floating point overflow") {}
};

/// Invalid floating-point operation (square root of a negative, 0/0, ...): raised instead of a NaN.
class EInvalidOp : public Exception {
public:
  EInvalidOp() : Exception("Invalid floating point operation") {}
};

}  // namespace fw
