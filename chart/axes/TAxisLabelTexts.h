#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace chart {

/// Number label texts formatted before. Formatting a number by a mask depends only on the
/// number, the mask and the process-wide decimal and thousands separators, so a frame that
/// shows the same labels again formats none of them.
class TAxisLabelTexts {
public:
  /// fw::FormatFloat(mask, value) with the process-wide separators; the reference is valid
  /// until the next call.
  const std::string& Format(const std::string& mask, double value);

  /// Most texts kept for one mask; more distinct values start the list afresh.
  static constexpr size_t Capacity = 64;

private:
  struct TEntry {
    uint64_t Bits;  // the value's bit pattern: -0 and 0, or two NaNs, never share a text
    std::string Text;
  };

  std::string mMask;
  char mDecimalSeparator = 0;
  char mThousandSeparator = 0;
  std::vector<TEntry> mEntries;
};

}  // namespace chart
