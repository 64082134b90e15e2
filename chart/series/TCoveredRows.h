#pragma once
// Rows of an image that later shapes of one pixel column paint, for leaving out earlier shapes
// that cannot show.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace chart {

/// A set of rows 0..height-1, one bit each. Rows outside count as covered: nothing is drawn
/// there. Clear forgets only the words that were touched.
class TCoveredRows {
public:
  void Reset(int32_t height) {
    mHeight = std::max(height, 0);
    mWords.assign((static_cast<size_t>(mHeight) + 63) / 64, 0);
    mTouchedLow = SIZE_MAX;
    mTouchedHigh = 0;
  }

  /// Covers top..bottom, and tells whether those rows were all covered before.
  bool CoverAndTell(int64_t top, int64_t bottom) {
    if (!Clip(top, bottom)) return true;
    const size_t first = static_cast<size_t>(top) / 64, last = static_cast<size_t>(bottom) / 64;
    bool covered = true;
    for (size_t w = first; w <= last; ++w) {
      const uint64_t mask = Mask(w, top, bottom);
      covered = covered && (mWords[w] & mask) == mask;
      mWords[w] |= mask;
    }
    mTouchedLow = std::min(mTouchedLow, first);
    mTouchedHigh = std::max(mTouchedHigh, last);
    return covered;
  }

  /// Whether top..bottom are all covered.
  bool Covers(int64_t top, int64_t bottom) const {
    if (!Clip(top, bottom)) return true;
    const size_t first = static_cast<size_t>(top) / 64, last = static_cast<size_t>(bottom) / 64;
    for (size_t w = first; w <= last; ++w) {
      const uint64_t mask = Mask(w, top, bottom);
      if ((mWords[w] & mask) != mask) return false;
    }
    return true;
  }

  void Clear() {
    if (mTouchedLow > mTouchedHigh) return;
    std::fill(mWords.begin() + static_cast<std::ptrdiff_t>(mTouchedLow),
              mWords.begin() + static_cast<std::ptrdiff_t>(mTouchedHigh) + 1, 0);
    mTouchedLow = SIZE_MAX;
    mTouchedHigh = 0;
  }

private:
  bool Clip(int64_t& top, int64_t& bottom) const {
    top = std::max<int64_t>(top, 0);
    bottom = std::min<int64_t>(bottom, int64_t{mHeight} - 1);
    return top <= bottom;
  }
  /// The bits of word w that lie in top..bottom.
  static uint64_t Mask(size_t w, int64_t top, int64_t bottom) {
    const int64_t base = static_cast<int64_t>(w) * 64;
    const int64_t lo = std::max<int64_t>(top - base, 0), hi = std::min<int64_t>(bottom - base, 63);
    const uint64_t upTo = hi == 63 ? ~uint64_t{0} : (uint64_t{1} << (hi + 1)) - 1;
    return upTo & ~((uint64_t{1} << lo) - 1);
  }

  int32_t mHeight = 0;
  std::vector<uint64_t> mWords;
  size_t mTouchedLow = SIZE_MAX, mTouchedHigh = 0;
};

}  // namespace chart
