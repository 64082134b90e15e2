// Corners of a polygon gathered one by one, and runs of them on one vertical line gathered at once.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "chart/series/TPolygonCorners.h"

using chart::TPolygonCorners;

namespace {

std::vector<fw::TPoint> Gathered(const std::vector<fw::TPoint>& points, bool merge) {
  TPolygonCorners corners;
  for (const fw::TPoint p : points) corners.Add(p, merge);
  return corners.Points();
}

}  // namespace

TEST(PolygonCorners, MergingLeavesOutRepeatsAndTheMiddleOfThreeOnALine) {
  const std::vector<fw::TPoint> points{{0, 0}, {0, 0}, {0, 5}, {0, 9}, {4, 9}, {7, 9}, {7, 9}, {8, 3}, {0, 3}};
  const std::vector<fw::TPoint> merged{{0, 0}, {0, 9}, {7, 9}, {8, 3}, {0, 3}};
  EXPECT_EQ(Gathered(points, true), merged);
  EXPECT_EQ(Gathered(points, false), points);
  // Coming back along a line keeps the turn's corner twice.
  EXPECT_EQ(Gathered({{2, 1}, {2, 6}, {2, 1}, {5, 4}}, true), (std::vector<fw::TPoint>{{2, 1}, {2, 1}, {5, 4}}));
}

// Random streams of corners, most of them in runs on one vertical line, some runs coming back
// to their first corner, repeats, horizontal lines and corners far apart: gathered a vertical
// run at a time, they give exactly the corners of gathering them one by one, merged or not.
TEST(PolygonCorners, AVerticalRunAtOnceGivesTheCornersOfOneByOne) {
  std::mt19937 rng(41);
  for (int round = 0; round < 3000; ++round) {
    const bool merge = round % 5 != 0;
    std::vector<std::vector<fw::TPoint>> runs;
    int32_t x = static_cast<int32_t>(rng() % 7) - 3;
    const size_t count = 1 + rng() % 8;
    for (size_t r = 0; r < count; ++r) {
      // A run's X: a new one, mostly; at times the last run's again (a run split in two).
      if (r > 0 && rng() % 5 != 0) x += rng() % 2 ? 1 + static_cast<int32_t>(rng() % 3) : -1;
      std::vector<fw::TPoint>& run = runs.emplace_back();
      const size_t length = 1 + rng() % (rng() % 3 == 0 ? 12 : 4);
      const int32_t spread = 1 + static_cast<int32_t>(rng() % 4);  // few rows: repeats and returns
      for (size_t t = 0; t < length; ++t) {
        int32_t y = static_cast<int32_t>(rng() % static_cast<uint32_t>(spread));
        if (t > 0 && rng() % 6 == 0) y = run.front().Y;  // back to the run's first corner
        if (rng() % 40 == 0) y = rng() % 2 ? 2000000000 : -2000000000;
        run.push_back({x, y});
      }
    }
    TPolygonCorners oneByOne, byRuns;
    for (const auto& run : runs) {
      for (const fw::TPoint p : run) oneByOne.Add(p, merge);
      size_t asked = 0;
      byRuns.AddVertical(run.size(), [&](size_t t) { ++asked; return run.at(t); }, merge);
      // Past a first corner that is not repeated, three at most are asked for.
      if (merge && run.size() > 1 && !(run[1] == run[0])) {
        EXPECT_LE(asked, 3u);
      }
    }
    ASSERT_EQ(byRuns.Points(), oneByOne.Points()) << "round " << round;
  }
}
