#include "chart/axes/TAxisLabelTexts.h"

#include <bit>

#include "framework/runtime/FormatFloat.h"

namespace chart {

const std::string& TAxisLabelTexts::Format(const std::string& mask, double value) {
  const fw::TFormatSettings& settings = fw::FormatSettings;
  if (mask != mMask || settings.DecimalSeparator != mDecimalSeparator ||
      settings.ThousandSeparator != mThousandSeparator) {
    mEntries.clear();
    mMask = mask;
    mDecimalSeparator = settings.DecimalSeparator;
    mThousandSeparator = settings.ThousandSeparator;
  }
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  for (const TEntry& e : mEntries)
    if (e.Bits == bits) return e.Text;
  if (mEntries.size() >= Capacity) mEntries.clear();
  mEntries.push_back({bits, fw::FormatFloat(mask, value)});
  return mEntries.back().Text;
}

}  // namespace chart
