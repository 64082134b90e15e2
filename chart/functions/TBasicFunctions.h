#pragma once
#include <memory>
#include <string>

#include "chart/functions/TChartFunction.h"

// The seven basic series functions: each is the operation over the values of one index (several
// sources) or of one group of a period (one source). Values come in source order.
namespace chart {

/// The sum.
class TAddFunction : public TChartFunction {
public:
  std::string ClassName() const override { return "TAddFunction"; }
  std::unique_ptr<TChartFunction> Clone() const override;
  bool Calculate(const double* values, size_t count, double& result) const override;
  /// Several groups at a time, each summed in source order.
  void CalculateGroups(const double* values, size_t size, size_t groups, double* results,
                       bool* has) const override;
};

/// The first value minus the others.
class TSubtractFunction : public TChartFunction {
public:
  std::string ClassName() const override { return "TSubtractFunction"; }
  std::unique_ptr<TChartFunction> Clone() const override;
  bool Calculate(const double* values, size_t count, double& result) const override;
};

/// The product.
class TMultiplyFunction : public TChartFunction {
public:
  std::string ClassName() const override { return "TMultiplyFunction"; }
  std::unique_ptr<TChartFunction> Clone() const override;
  bool Calculate(const double* values, size_t count, double& result) const override;
};

/// The first value divided by the others; no result when a divisor is zero.
class TDivideFunction : public TChartFunction {
public:
  std::string ClassName() const override { return "TDivideFunction"; }
  std::unique_ptr<TChartFunction> Clone() const override;
  bool Calculate(const double* values, size_t count, double& result) const override;
};

/// The largest value.
class THighFunction : public TChartFunction {
public:
  std::string ClassName() const override { return "THighFunction"; }
  std::unique_ptr<TChartFunction> Clone() const override;
  bool Calculate(const double* values, size_t count, double& result) const override;
};

/// The smallest value.
class TLowFunction : public TChartFunction {
public:
  std::string ClassName() const override { return "TLowFunction"; }
  std::unique_ptr<TChartFunction> Clone() const override;
  bool Calculate(const double* values, size_t count, double& result) const override;
};

/// The mean: the sum divided by the number of values.
class TAverageFunction : public TChartFunction {
public:
  std::string ClassName() const override { return "TAverageFunction"; }
  std::unique_ptr<TChartFunction> Clone() const override;
  bool Calculate(const double* values, size_t count, double& result) const override;
  /// Several groups at a time, each summed in source order.
  void CalculateGroups(const double* values, size_t size, size_t groups, double* results,
                       bool* has) const override;
};

}  // namespace chart
