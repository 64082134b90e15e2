#include "chart/functions/FunctionTypes.h"

#include <algorithm>
#include <cctype>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/functions/TBasicFunctions.h"

namespace chart {

namespace {

template <class F>
std::unique_ptr<TChartFunction> Make() {
  return std::make_unique<F>();
}

bool SameText(const std::string& a, const char* b) {
  const std::string other = b;
  return a.size() == other.size() &&
         std::equal(a.begin(), a.end(), other.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

const std::vector<TFunctionType>& FunctionTypes() {
  static const std::vector<TFunctionType> types = {
      {"TAddFunction", ChartConst::FunctionTitleAdd, &Make<TAddFunction>},
      {"TSubtractFunction", ChartConst::FunctionTitleSubtract, &Make<TSubtractFunction>},
      {"TMultiplyFunction", ChartConst::FunctionTitleMultiply, &Make<TMultiplyFunction>},
      {"TDivideFunction", ChartConst::FunctionTitleDivide, &Make<TDivideFunction>},
      {"THighFunction", ChartConst::FunctionTitleHigh, &Make<THighFunction>},
      {"TLowFunction", ChartConst::FunctionTitleLow, &Make<TLowFunction>},
      {"TAverageFunction", ChartConst::FunctionTitleAverage, &Make<TAverageFunction>},
  };
  return types;
}

std::unique_ptr<TChartFunction> CreateFunction(const std::string& className) {
  for (const TFunctionType& type : FunctionTypes())
    if (SameText(className, type.ClassName)) return type.Create();
  std::string message = ChartConst::UnknownFunctionType;
  const auto at = message.find("%s");
  if (at != std::string::npos) message = message.substr(0, at) + className + message.substr(at + 2);
  throw ChartException(message);
}

}  // namespace chart
