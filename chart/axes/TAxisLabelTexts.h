#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

namespace chart {

/// Number label texts formatted before. Formatting a number by a mask depends only on the
/// number, the mask and the process-wide decimal and thousands separators, so a frame that
/// shows the same labels again formats none of them.
class TAxisLabelTexts {
public:
  /// fw::FormatFloat(mask, value) with the process-wide separators; the reference is valid
  /// until the next call.
  const std::string& Format(const std::string& mask, double value);

  /// Most texts kept for one mask: enough for every label of the longest label pass (an axis
  /// stops at 2,000 ticks); more distinct values start afresh.
  static constexpr size_t Capacity = 2500;

  size_t Size() const { return mEntries.size(); }

private:
  std::string mMask;
  char mDecimalSeparator = 0;
  char mThousandSeparator = 0;
  // Keyed by the value's bit pattern: -0 and 0, or two NaNs, never share a text.
  std::unordered_map<uint64_t, std::string> mEntries;
};

}  // namespace chart
