#pragma once
#include <array>
#include <cstdint>

namespace chart {

/// Screen coordinates along an axis collected by one label pass, in the order the labels are
/// produced. Holds at most Capacity entries; further positions are refused, never written.
class TTickPositions {
public:
  static constexpr int Capacity = 2000;

  void Clear() { mCount = 0; }
  /// Appends p; false (and nothing stored) when the list is full.
  bool Add(int32_t p) {
    if (mCount >= Capacity) return false;
    mItems[mCount++] = p;
    return true;
  }
  bool Full() const { return mCount >= Capacity; }
  bool Empty() const { return mCount == 0; }
  int Count() const { return mCount; }
  int32_t operator[](int i) const { return mItems[i]; }
  const int32_t* begin() const { return mItems.data(); }
  const int32_t* end() const { return mItems.data() + mCount; }

private:
  std::array<int32_t, Capacity> mItems{};
  int mCount = 0;
};

}  // namespace chart
