// The bounded cache of laid-out texts: keys, recency and eviction.
#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/TTextCache.h"

using fw::TTextCache;
using fw::TTextKey;

TEST(TextCache, EveryPartOfTheKeyTellsEntriesApart) {
  TTextCache<int> cache(16);
  const std::string text = "1000";
  cache.Insert({1, 0, 0, text}, 1);
  cache.Insert({2, 0, 0, text}, 2);
  cache.Insert({1, 900, 0, text}, 3);
  cache.Insert({1, 0, 6, text}, 4);
  cache.Insert({1, 0, 0, "100"}, 5);
  EXPECT_EQ(*cache.Find({1, 0, 0, "1000"}), 1);
  EXPECT_EQ(*cache.Find({2, 0, 0, "1000"}), 2);
  EXPECT_EQ(*cache.Find({1, 900, 0, "1000"}), 3);
  EXPECT_EQ(*cache.Find({1, 0, 6, "1000"}), 4);
  EXPECT_EQ(*cache.Find({1, 0, 0, "100"}), 5);
  EXPECT_EQ(cache.Find({1, 0, 0, "10000"}), nullptr);
  EXPECT_EQ(cache.Find({3, 0, 0, "1000"}), nullptr);
}

TEST(TextCache, KeysOwnTheirTexts) {
  TTextCache<int> cache(4);
  {
    std::string temporary = "label";
    cache.Insert({1, 0, 0, temporary}, 7);
    temporary = "other";
  }
  ASSERT_NE(cache.Find({1, 0, 0, "label"}), nullptr);
  EXPECT_EQ(cache.Find({1, 0, 0, "other"}), nullptr);
}

TEST(TextCache, TheLeastRecentlyUsedEntryGoesFirst) {
  TTextCache<int> cache(3);
  cache.Insert({1, 0, 0, "a"}, 1);
  cache.Insert({1, 0, 0, "b"}, 2);
  cache.Insert({1, 0, 0, "c"}, 3);
  ASSERT_NE(cache.Find({1, 0, 0, "a"}), nullptr);  // "b" is now the oldest
  cache.Insert({1, 0, 0, "d"}, 4);
  EXPECT_EQ(cache.Size(), 3u);
  EXPECT_EQ(cache.Find({1, 0, 0, "b"}), nullptr);
  EXPECT_NE(cache.Find({1, 0, 0, "a"}), nullptr);
  EXPECT_NE(cache.Find({1, 0, 0, "c"}), nullptr);
  EXPECT_NE(cache.Find({1, 0, 0, "d"}), nullptr);
}

TEST(TextCache, StaysWithinItsCapacityAndClears) {
  TTextCache<std::string> cache(8);
  for (int i = 0; i < 1000; ++i) {
    const std::string text = std::to_string(i);
    cache.Insert({static_cast<uint64_t>(i % 3), 0, 0, text}, text);
    ASSERT_LE(cache.Size(), 8u);
  }
  for (int i = 992; i < 1000; ++i) {
    const std::string* v = cache.Find({static_cast<uint64_t>(i % 3), 0, 0, std::to_string(i)});
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(*v, std::to_string(i));
  }
  cache.Clear();
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_EQ(cache.Find({2, 0, 0, "998"}), nullptr);
  TTextCache<int> one(0);  // a capacity below one keeps one entry
  one.Insert({1, 0, 0, "x"}, 1);
  one.Insert({1, 0, 0, "y"}, 2);
  EXPECT_EQ(one.Size(), 1u);
  EXPECT_NE(one.Find({1, 0, 0, "y"}), nullptr);
}
