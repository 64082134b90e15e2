#pragma once
#include <cstdint>
#include <string>

#include "framework/runtime/TFormatSettings.h"

namespace fw {

/// Decimal text to a number. Grammar (the decimal point is always '.'): leading blanks,
/// optional '+' or '-', digits, optionally '.' and digits, optionally 'E' or 'e' with an optional
/// sign and at least one digit, end of text. A '.' without digits parses as 0. Empty text,
/// blanks only, a sign alone, a trailing blank or any other character fail.
/// The text is read into extended precision and then rounded to double; a value beyond the
/// double range fails (a value below it becomes 0 or a denormal).
bool TryStrToFloat(const std::string& text, double& value);
/// As TryStrToFloat, keeping the extended-precision value.
bool TryStrToFloat(const std::string& text, long double& value);
/// TryStrToFloat or EConvertError "'TEXT' is not a valid floating point value".
double StrToFloat(const std::string& text);

/// Integer text: leading blanks, optional sign, decimal digits, or '$' / "0x" followed by hex
/// digits (hex up to FFFFFFFF, taken as the 32-bit pattern). Decimal values must fit in 32 bits.
bool TryStrToInt(const std::string& text, int32_t& value);
/// TryStrToInt or EConvertError "'TEXT' is not a valid integer value".
int32_t StrToInt(const std::string& text);
/// Decimal text of an integer, '-' for negatives, no separators.
std::string IntToStr(int64_t value);

/// General format with 15 significant digits: trailing zeros and an unneeded decimal separator
/// dropped; fixed notation when the value has at most 15 integer digits and |value| >= 1E-5,
/// otherwise "dE[-]x" (1E20, 1.5E-7). Zero (also -0) gives "0"; NaN, infinities give
/// "NAN", "INF", "-INF".
std::string FloatToStr(double value);
std::string FloatToStr(double value, const TFormatSettings& settings);

}  // namespace fw
