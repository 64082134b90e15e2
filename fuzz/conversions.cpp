// Text to number and number to text: the conversions a typed entry goes through, and the format
// masks of axis labels and marks.
//
// Checks: an accepted number is finite; the throwing and the non-throwing conversions agree (same
// value, or the fixed error message); the double and the extended reading agree; a number's
// own text reads back (exactly for integers, to 15 digits for reals); a format mask gives the
// same text twice and the fixed texts for NaN and the infinities.
#include <cmath>
#include <cstdint>
#include <string>

#include "framework/runtime/Conversions.h"
#include "framework/runtime/DateTime.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/FormatFloat.h"
#include "framework/runtime/TFormatSettings.h"
#include "fuzz/support/FuzzInput.h"

using fuzz::Check;

namespace {

void CheckFloatText(const std::string& text) {
  double value = 0;
  const bool accepted = fw::TryStrToFloat(text, value);
  long double extended = 0;
  const bool extendedAccepted = fw::TryStrToFloat(text, extended);
  // The extended reading also takes values beyond the double range, which the double one refuses.
  if (accepted) Check(extendedAccepted, "the extended reading refuses '" + text + "'");
  else if (extendedAccepted) Check(std::isinf(static_cast<double>(extended)), "the double reading refuses '" + text + "'");
  if (!accepted) {
    try {
      fw::StrToFloat(text);
      fuzz::Fail("StrToFloat accepted '" + text + "' that TryStrToFloat refused");
    } catch (const fw::EConvertError& e) {
      Check(std::string(e.what()) == "'" + text + "' is not a valid floating point value", "message: " + std::string(e.what()));
    }
    return;
  }
  Check(std::isfinite(value), "accepted '" + text + "' as a value that is not finite");
  Check(fuzz::SameReal(static_cast<double>(extended), value), "extended reading of '" + text + "' rounds elsewhere");
  double thrown = 0;
  try {
    thrown = fw::StrToFloat(text);
  } catch (const fw::EConvertError&) {
    fuzz::Fail("StrToFloat refused '" + text + "' that TryStrToFloat accepted");
  }
  Check(fuzz::SameReal(thrown, value), "StrToFloat and TryStrToFloat read '" + text + "' differently");

  // The number's own text (15 significant digits) reads back to within its rounding.
  const std::string shown = fw::FloatToStr(value);
  double again = 0;
  Check(fw::TryStrToFloat(shown, again), "FloatToStr gave '" + shown + "', which does not read back");
  Check(std::fabs(again - value) <= std::fabs(value) * 1e-14 || std::fabs(value) < 1e-300,
        "'" + shown + "' reads back far from the value of '" + text + "'");
}

void CheckIntText(const std::string& text) {
  int32_t value = 0;
  const bool accepted = fw::TryStrToInt(text, value);
  if (!accepted) {
    try {
      fw::StrToInt(text);
      fuzz::Fail("StrToInt accepted '" + text + "' that TryStrToInt refused");
    } catch (const fw::EConvertError& e) {
      Check(std::string(e.what()) == "'" + text + "' is not a valid integer value", "message: " + std::string(e.what()));
    }
    return;
  }
  try {
    Check(fw::StrToInt(text) == value, "StrToInt and TryStrToInt read '" + text + "' differently");
  } catch (const fw::EConvertError&) {
    fuzz::Fail("StrToInt refused '" + text + "' that TryStrToInt accepted");
  }
  int32_t again = 0;
  Check(fw::TryStrToInt(fw::IntToStr(value), again) && again == value, "IntToStr does not read back for '" + text + "'");
}

void CheckMask(const std::string& mask, double value, const fw::TFormatSettings& settings) {
  const std::string once = fw::FormatFloat(mask, value, settings);
  Check(once == fw::FormatFloat(mask, value, settings), "mask '" + mask + "' formats the same value twice differently");
  Check(once.size() <= 4 * mask.size() + 400, "mask '" + mask + "' gives a text of " + std::to_string(once.size()) + " bytes");
  if (std::isnan(value)) Check(once == "NAN", "NaN by mask '" + mask + "' gives '" + once + "'");
  if (std::isinf(value)) Check(once == (value > 0 ? "INF" : "-INF"), "infinity by mask '" + mask + "' gives '" + once + "'");
  if (mask.empty()) Check(once == fw::FloatToStr(value, settings), "an empty mask differs from FloatToStr");
  // Date-time masks over the same value: any text, never a fault.
  if (fw::IsValidDateTime(value)) (void)fw::FormatDateTime(mask, value, settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::TFuzzInput in(data, size);
  fw::TFormatSettings settings = fw::TFormatSettings::Invariant();
  const uint8_t mode = in.Byte();
  if (mode & 1) settings.DecimalSeparator = ',';
  if (mode & 2) settings.ThousandSeparator = '.';
  const std::string mask = in.Text(64);
  const double value = in.Real();
  const std::string text = in.Text(400);
  CheckFloatText(text);
  CheckIntText(text);
  CheckFloatText(mask);
  CheckMask(mask, value, settings);
  double typed = 0;
  if (fw::TryStrToFloat(text, typed)) CheckMask(mask, typed, settings);
  return 0;
}
