#pragma once
// Rows of an image that later shapes of one pixel column paint, for leaving out earlier shapes
// that cannot show.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace chart {

/// A set of rows 0..height-1, one bit each. Rows outside count as covered: nothing is drawn
/// there. Clear forgets only the words that were touched.
class TCoveredRows {
public:
  void Reset(int32_t height) {
    mHeight = std::max(height, 0);
    // One word past the last, so that a stretch of up to 64 rows always lies in two words.
    mWords.assign((static_cast<size_t>(mHeight) + 63) / 64 + 1, 0);
    mTouchedLow = SIZE_MAX;
    mTouchedHigh = 0;
  }

  /// Covers top..bottom, and tells whether those rows were all covered before.
  bool CoverAndTell(int64_t top, int64_t bottom) {
    if (!Clip(top, bottom)) return true;
    if (bottom - top < 64) {
      const size_t w = static_cast<size_t>(top) / 64;
      const auto [low, high] = Window(top, bottom);
      const bool covered = (mWords[w] & low) == low && (mWords[w + 1] & high) == high;
      mWords[w] |= low;
      mWords[w + 1] |= high;
      mTouchedLow = std::min(mTouchedLow, w);
      mTouchedHigh = std::max(mTouchedHigh, w + 1);
      return covered;
    }
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
    if (bottom - top < 64) {
      const size_t w = static_cast<size_t>(top) / 64;
      const auto [low, high] = Window(top, bottom);
      return (mWords[w] & low) == low && (mWords[w + 1] & high) == high;
    }
    const size_t first = static_cast<size_t>(top) / 64, last = static_cast<size_t>(bottom) / 64;
    for (size_t w = first; w <= last; ++w) {
      const uint64_t mask = Mask(w, top, bottom);
      if ((mWords[w] & mask) != mask) return false;
    }
    return true;
  }

  /// The lowest r >= floor with rows r..from all covered; from + 1 when row from is not covered
  /// (or floor is past from).
  int64_t CoveredDownTo(int64_t from, int64_t floor) const {
    if (floor > from) return from + 1;
    int64_t r = std::min<int64_t>(from, int64_t{mHeight} - 1);
    while (r >= floor && r >= 0) {
      const size_t w = static_cast<size_t>(r) / 64;
      const int bit = static_cast<int>(r % 64);
      const uint64_t open = ~mWords[w] & (bit == 63 ? ~uint64_t{0} : (uint64_t{1} << (bit + 1)) - 1);
      if (open != 0) return std::max<int64_t>(static_cast<int64_t>(w) * 64 + (63 - std::countl_zero(open)) + 1, floor);
      r = static_cast<int64_t>(w) * 64 - 1;
    }
    return floor;
  }

  /// The highest r <= ceiling with rows from..r all covered; from - 1 when row from is not
  /// covered (or ceiling is short of from).
  int64_t CoveredUpTo(int64_t from, int64_t ceiling) const {
    if (ceiling < from) return from - 1;
    int64_t r = std::max<int64_t>(from, 0);
    while (r <= ceiling && r < mHeight) {
      const size_t w = static_cast<size_t>(r) / 64;
      uint64_t open = ~mWords[w] & (~uint64_t{0} << (r % 64));
      const int64_t past = int64_t{mHeight} - static_cast<int64_t>(w) * 64;  // rows past the image are covered
      if (past < 64) open &= (uint64_t{1} << past) - 1;
      if (open != 0) return std::min<int64_t>(static_cast<int64_t>(w) * 64 + std::countr_zero(open) - 1, ceiling);
      r = static_cast<int64_t>(w) * 64 + 64;
    }
    return ceiling;
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
  /// The bits of rows top..bottom (fewer than 64 apart, clipped) in the word of top and the next.
  static std::pair<uint64_t, uint64_t> Window(int64_t top, int64_t bottom) {
    const int64_t shift = top % 64, count = bottom - top + 1;
    const uint64_t bits = count == 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
    // bits >> (64 - shift), which is no shift at all when shift is 0, in two steps.
    return {bits << shift, (bits >> 1) >> (63 - shift)};
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
