#pragma once
#include <string>

#include "framework/runtime/Exception.h"

namespace chart {

/// Raised by the chart engine for a rejected setting; carries one fixed message of ChartConst.
class ChartException : public fw::Exception {
public:
  explicit ChartException(const std::string& message) : fw::Exception(message) {}
};

/// Raised for a rejected axis setting (a sibling of ChartException, not a kind of it).
class AxisException : public fw::Exception {
public:
  explicit AxisException(const std::string& message) : fw::Exception(message) {}
};

/// Raised for a rejected legend setting.
class LegendException : public fw::Exception {
public:
  explicit LegendException(const std::string& message) : fw::Exception(message) {}
};

}  // namespace chart
