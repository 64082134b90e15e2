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
