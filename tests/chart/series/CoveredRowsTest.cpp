// The rows that later markers of a pixel column cover, against a plain row-by-row model.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "chart/series/TCoveredRows.h"

using chart::TCoveredRows;

namespace {

TEST(CoveredRows, TellsWhetherRowsWereAllCoveredAcrossWordEdges) {
  std::mt19937 rng(5);
  TCoveredRows rows;
  for (int round = 0; round < 300; ++round) {
    const int32_t height = static_cast<int32_t>(rng() % 300);
    rows.Reset(height);
    for (int column = 0; column < 4; ++column) {
      std::vector<bool> model(static_cast<size_t>(height), false);
      for (int k = 0; k < 60; ++k) {
        const int64_t top = static_cast<int64_t>(rng() % 340) - 20;
        const int64_t bottom = top + static_cast<int64_t>(rng() % 70) - 2;  // sometimes empty
        bool expected = true;
        for (int64_t y = std::max<int64_t>(top, 0); y <= std::min<int64_t>(bottom, height - 1); ++y)
          expected = expected && model[static_cast<size_t>(y)];
        ASSERT_EQ(rows.CoverAndTell(top, bottom), expected) << round << ": " << top << ".." << bottom;
        for (int64_t y = std::max<int64_t>(top, 0); y <= std::min<int64_t>(bottom, height - 1); ++y)
          model[static_cast<size_t>(y)] = true;
        const int64_t a = static_cast<int64_t>(rng() % 340) - 20, b = a + static_cast<int64_t>(rng() % 90) - 2;
        bool all = true;
        for (int64_t y = std::max<int64_t>(a, 0); y <= std::min<int64_t>(b, height - 1); ++y)
          all = all && model[static_cast<size_t>(y)];
        ASSERT_EQ(rows.Covers(a, b), all) << round << ": " << a << ".." << b;
      }
      rows.Clear();  // the next column starts with nothing covered
    }
  }
  // Rows outside the image count as covered; far-off ends do not overflow.
  rows.Reset(100);
  EXPECT_TRUE(rows.CoverAndTell(-50, -1));
  EXPECT_TRUE(rows.CoverAndTell(100, INT64_MAX));
  EXPECT_FALSE(rows.CoverAndTell(INT64_MIN, INT64_MAX));
  EXPECT_TRUE(rows.CoverAndTell(0, 99));
  EXPECT_TRUE(rows.Covers(INT64_MIN, INT64_MAX));
  rows.Clear();
  EXPECT_FALSE(rows.Covers(INT64_MIN, INT64_MAX));
  EXPECT_TRUE(rows.Covers(INT64_MIN, -1));
}

// Stretches of up to a word are read and written through two neighbouring words: every offset
// within a word, every count up to one past a word, at the image's last rows too.
TEST(CoveredRows, StretchesOfAboutAWordAtEveryOffsetMatchRowByRow) {
  for (const int32_t height : {64, 128, 130}) {
    TCoveredRows rows;
    rows.Reset(height);
    for (int64_t top = -2; top < height + 2; ++top)
      for (int64_t count = 1; count <= 66; ++count) {
        // Two covered stretches around the tested one, so that a bit read from the wrong word shows.
        std::vector<bool> model(static_cast<size_t>(height), false);
        const auto cover = [&](int64_t a, int64_t b) {
          const bool tell = rows.CoverAndTell(a, b);
          bool all = true;
          for (int64_t y = std::max<int64_t>(a, 0); y <= std::min<int64_t>(b, height - 1); ++y) {
            all = all && model[static_cast<size_t>(y)];
            model[static_cast<size_t>(y)] = true;
          }
          return tell == all;
        };
        const auto covers = [&](int64_t a, int64_t b) {
          bool all = true;
          for (int64_t y = std::max<int64_t>(a, 0); y <= std::min<int64_t>(b, height - 1); ++y)
            all = all && model[static_cast<size_t>(y)];
          return rows.Covers(a, b) == all;
        };
        const int64_t bottom = top + count - 1;
        ASSERT_TRUE(cover(top - 70, top - 1 - count % 3)) << height << ": " << top << " " << count;
        ASSERT_TRUE(cover(bottom + 1 + count % 2, bottom + 64)) << height << ": " << top << " " << count;
        for (int64_t a = top - 1; a <= top + 1; ++a)
          for (int64_t b = bottom - 1; b <= bottom + 1; ++b) ASSERT_TRUE(covers(a, b)) << top << " " << count;
        ASSERT_TRUE(cover(top, bottom)) << height << ": " << top << " " << count;
        ASSERT_TRUE(covers(top - 70, bottom + 64)) << height << ": " << top << " " << count;
        rows.Clear();
        ASSERT_FALSE(rows.Covers(0, height - 1)) << "cleared: " << height << ": " << top << " " << count;
      }
  }
}

// How far a run of covered rows reaches down or up from a row, within a floor or a ceiling,
// across words, past the image's ends (covered there) and from rows that are not covered.
TEST(CoveredRows, RunsReachAsFarAsTheRowsAreCovered) {
  std::mt19937 rng(11);
  for (int round = 0; round < 400; ++round) {
    const int32_t height = round < 8 ? 64 * (round % 4) + round / 4 : static_cast<int32_t>(rng() % 300);
    TCoveredRows rows;
    rows.Reset(height);
    std::vector<bool> model(static_cast<size_t>(height), false);
    for (int k = 0; k < 1 + round % 12; ++k) {
      const int64_t top = static_cast<int64_t>(rng() % 320) - 10, bottom = top + static_cast<int64_t>(rng() % 140);
      rows.CoverAndTell(top, bottom);
      for (int64_t y = std::max<int64_t>(top, 0); y <= std::min<int64_t>(bottom, height - 1); ++y)
        model[static_cast<size_t>(y)] = true;
    }
    const auto at = [&](int64_t y) { return y < 0 || y >= height || model[static_cast<size_t>(y)]; };
    for (int k = 0; k < 60; ++k) {
      const int64_t from = static_cast<int64_t>(rng() % 340) - 20;
      const int64_t floor = from - static_cast<int64_t>(rng() % 150) + 2, ceiling = from + static_cast<int64_t>(rng() % 150) - 2;
      int64_t down = from + 1, up = from - 1;
      while (down > floor && at(down - 1)) --down;
      while (up < ceiling && at(up + 1)) ++up;
      ASSERT_EQ(rows.CoveredDownTo(from, floor), down) << round << ": " << from << " down to " << floor;
      ASSERT_EQ(rows.CoveredUpTo(from, ceiling), up) << round << ": " << from << " up to " << ceiling;
    }
  }
}

}  // namespace
