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
  if (const auto it = mEntries.find(bits); it != mEntries.end()) return it->second;
  std::string text = fw::FormatFloat(mask, value);
  if (mEntries.size() >= Capacity) mEntries.clear();
  return mEntries.emplace(bits, std::move(text)).first->second;
}

}  // namespace chart
