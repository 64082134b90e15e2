#pragma once
#include <cstdint>
#include <functional>

#include "framework/runtime/TColor.h"

namespace chart {

/// The shadow a pie casts: the pie's outline filled in Color, moved by HorizSize and VertSize
/// pixels (right and down; negative sizes move it left and up). Both sizes 0 (the default):
/// no shadow.
class TPieShadow {
public:
  explicit TPieShadow(std::function<void()> onChange = {}) : mOnChange(std::move(onChange)) {}

  /// Largest shadow offset either way, in pixels.
  static constexpr int32_t MaxSize = 1000;

  fw::TColor Color() const { return mColor; }
  void SetColor(fw::TColor value);
  /// -MaxSize..MaxSize; ChartException "Pie Shadow size must be between -1000 and 1000"
  /// otherwise, the old value stays.
  int32_t HorizSize() const { return mHorizSize; }
  void SetHorizSize(int32_t value);
  int32_t VertSize() const { return mVertSize; }
  void SetVertSize(int32_t value);
  bool Visible() const { return mHorizSize != 0 || mVertSize != 0; }

  void Assign(const TPieShadow& source);

private:
  void Changed() {
    if (mOnChange) mOnChange();
  }

  fw::TColor mColor = fw::clGray;
  int32_t mHorizSize = 0;
  int32_t mVertSize = 0;
  std::function<void()> mOnChange;
};

}  // namespace chart
