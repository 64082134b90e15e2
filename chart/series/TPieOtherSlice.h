#pragma once
#include <functional>
#include <string>

#include "framework/runtime/TColor.h"

namespace chart {

/// Which slices of a pie are grouped into one "other" slice: none, those below a percentage of
/// the total, or those below a value.
enum TPieOtherStyle { poNone, poBelowPercent, poBelowValue };

/// Settings of a pie's "other" slice: the slices whose magnitude lies below Value (a percent of
/// the total for poBelowPercent, a value for poBelowValue) are drawn as one slice in Color,
/// with Text as its mark.
class TPieOtherSlice {
public:
  explicit TPieOtherSlice(std::function<void()> onChange = {});

  TPieOtherStyle Style() const { return mStyle; }
  void SetStyle(TPieOtherStyle value);
  /// The limit; 0 (default) or more. ChartException "Pie Other Slice value must be >= 0" for a
  /// negative value or one that is not a number; the old value stays.
  double Value() const { return mValue; }
  void SetValue(double value);
  /// Mark text of the grouped slice; "Other" by default.
  const std::string& Text() const { return mText; }
  void SetText(const std::string& value);
  /// Colour of the grouped slice; silver by default.
  fw::TColor Color() const { return mColor; }
  void SetColor(fw::TColor value);

  void Assign(const TPieOtherSlice& source);

private:
  void Changed() {
    if (mOnChange) mOnChange();
  }

  TPieOtherStyle mStyle = poNone;
  double mValue = 0;
  std::string mText;
  fw::TColor mColor = fw::clSilver;
  std::function<void()> mOnChange;
};

}  // namespace chart
