#pragma once
#include <string>

#include "framework/runtime/TFormatSettings.h"

namespace fw {

/// Formats a number by a mask. Mask characters:
///   0        digit, always shown (leading/trailing zeros padded)
///   #        digit, shown only when significant
///   .        position of the decimal separator (the first one counts); omitted when no
///            fraction digit follows it in the result
///   ,        thousands separators in the integer part (anywhere before the '.')
///   E+ E- e+ e-  scientific notation; the 0s after it give the minimum exponent digits (max 4);
///            '+' shows the sign always, '-' only for negative exponents
///   'xx' "xx"  literal text;  any other character is copied as it is
///   ;        separates sections: positive;negative;zero. The negative section is written
///            with the absolute value (no '-' added); with one section, or an empty negative
///            section, '-' is prepended to the result.
/// The value is taken to 15 significant digits, then rounded half away from zero to the digits
/// the mask shows. A negative value that rounds to zero is shown without '-' (and with the zero
/// section when there is one). An empty mask, or a fixed mask for a value with more than 18
/// integer digits, falls back to FloatToStr. NaN and infinities give "NAN", "INF", "-INF".
std::string FormatFloat(const std::string& mask, double value);
std::string FormatFloat(const std::string& mask, double value, const TFormatSettings& settings);

}  // namespace fw
