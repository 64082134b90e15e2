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

}  // namespace
