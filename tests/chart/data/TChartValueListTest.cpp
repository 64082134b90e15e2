#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "chart/data/TChartSeries.h"
#include "chart/data/TChartValueList.h"
#include "framework/runtime/Exception.h"

using chart::TChartValueList;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

std::vector<double> Values(const TChartValueList& list) {
  std::vector<double> out;
  for (int32_t i = 0; i < list.ValueCount(); ++i) out.push_back(list.ValueAt(i));
  return out;
}


// Numbers 0..n-1 drawn from a small linear congruential sequence, the same on every platform.
struct TDraws {
  uint32_t Seed;
  uint32_t operator()(uint32_t n) {
    Seed = Seed * 1103515245u + 12345u;
    return (Seed >> 8) % n;
  }
};

struct ListFixture : ::testing::Test {
  TChartValueList List{nullptr, "X"};
  void Fill(chart::TChartListOrder order, std::initializer_list<double> values) {
    List.SetOrder(chart::loNone);
    for (double v : values) List.AddInOrder(v);
    List.SetOrder(order);
  }
};

void ExpectListIndexError(const std::function<void()>& call, const std::string& message) {
  try {
    call();
    FAIL() << "no error for " << message;
  } catch (const fw::EListError& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

}  // namespace

// ---------------------------------------------------------------- ordered insertion

TEST_F(ListFixture, AscendingTiesGoAfterEqualValues) {
  Fill(chart::loAscending, {1, 2, 3});
  EXPECT_EQ(List.AddInOrder(2), 2);
  EXPECT_EQ(Values(List), (std::vector<double>{1, 2, 2, 3}));
  EXPECT_EQ(List.AddInOrder(0), 0);
  EXPECT_EQ(List.AddInOrder(3), 5);  // after the existing 3: appended
  EXPECT_EQ(Values(List), (std::vector<double>{0, 1, 2, 2, 3, 3}));
}

TEST_F(ListFixture, EqualValuesKeepTheOrderTheyWereAddedIn) {
  // The raw value is the same; the multiplier is 1; tell equal values apart by adding them to a
  // series whose Y list records the order.
  chart::TChartSeries series;
  for (double y : {10.0, 11.0, 12.0}) series.AppendPoint(5, y, "", fw::clDefault);
  series.AppendPoint(4, 1, "", fw::clDefault);
  series.AppendPoint(5, 13, "", fw::clDefault);
  series.AppendPoint(6, 2, "", fw::clDefault);
  series.AppendPoint(5, 14, "", fw::clDefault);
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{4, 5, 5, 5, 5, 5, 6}));
  EXPECT_EQ(Values(series.YValues()), (std::vector<double>{1, 10, 11, 12, 13, 14, 2}));
}

TEST_F(ListFixture, DescendingTiesAndFront) {
  Fill(chart::loDescending, {3, 2, 1});
  EXPECT_EQ(List.AddInOrder(2), 2);
  EXPECT_EQ(Values(List), (std::vector<double>{3, 2, 2, 1}));
  EXPECT_EQ(List.AddInOrder(5), 0);
  EXPECT_EQ(List.AddInOrder(-7), 5);
  EXPECT_EQ(Values(List), (std::vector<double>{5, 3, 2, 2, 1, -7}));
}

TEST_F(ListFixture, NoOrderAlwaysAppends) {
  int32_t expected = 0;
  for (double v : {5.0, 1.0, 9.0, -3.0}) {
    const int32_t index = List.AddInOrder(v);
    EXPECT_EQ(index, expected++);
  }
  EXPECT_EQ(Values(List), (std::vector<double>{5, 1, 9, -3}));
}

TEST_F(ListFixture, WrappedSequenceLandsInOrder) {
  // The animation's pattern: ascending X that wraps back to 0 half-way.
  List.SetOrder(chart::loAscending);
  std::vector<int32_t> positions;
  for (int i = 0; i <= 20; ++i) positions.push_back(List.AddInOrder(i % 10));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(positions[static_cast<size_t>(i)], i);
  // The second 0 goes after the first 0 (index 1); each next value after its equal.
  EXPECT_EQ(positions[10], 1);
  EXPECT_EQ(positions[11], 3);
  EXPECT_EQ(positions[19], 19);
  EXPECT_EQ(positions[20], 2);  // the third 0
  for (int32_t i = 1; i < List.ValueCount(); ++i) EXPECT_LE(List.ValueAt(i - 1), List.ValueAt(i));
}

TEST_F(ListFixture, OrderOnUnsortedValuesScansBackFromTheEnd) {
  // Setting Order does not sort: an insertion scans back from the end past larger values only.
  Fill(chart::loAscending, {5, 1, 3});
  EXPECT_EQ(Values(List), (std::vector<double>{5, 1, 3}));
  EXPECT_EQ(List.AddInOrder(2), 2);
  EXPECT_EQ(Values(List), (std::vector<double>{5, 1, 2, 3}));
  EXPECT_EQ(List.AddInOrder(0), 0);
  EXPECT_EQ(List.AddInOrder(9), 5);
}

TEST_F(ListFixture, InsertAtKeepsSearchHonest) {
  // A direct insertion that breaks the order must not let a later search skip values.
  Fill(chart::loAscending, {1, 2, 3, 4});
  List.InsertAt(1, 10);  // 1 10 2 3 4
  EXPECT_EQ(List.AddInOrder(2.5), 3);
  EXPECT_EQ(Values(List), (std::vector<double>{1, 10, 2, 2.5, 3, 4}));
  List.SetValueAt(1, 1.5);  // in order again
  EXPECT_EQ(List.AddInOrder(2), 3);
}

TEST_F(ListFixture, NaNGathersAtTheEndOfOrderedLists) {
  List.SetOrder(chart::loAscending);
  for (double v : {3.0, NaN, 1.0, 2.0, NaN, 0.5, 4.0}) List.AddInOrder(v);
  ASSERT_EQ(List.ValueCount(), 7);
  EXPECT_EQ(List.ValueAt(0), 0.5);
  EXPECT_EQ(List.ValueAt(1), 1);
  EXPECT_EQ(List.ValueAt(2), 2);
  EXPECT_EQ(List.ValueAt(3), 3);
  EXPECT_EQ(List.ValueAt(4), 4);
  EXPECT_TRUE(std::isnan(List.ValueAt(5)));
  EXPECT_TRUE(std::isnan(List.ValueAt(6)));

  TChartValueList desc(nullptr, "Y");
  desc.SetOrder(chart::loDescending);
  for (double v : {NaN, 1.0, 3.0, 2.0}) desc.AddInOrder(v);
  EXPECT_EQ(desc.ValueAt(0), 3);
  EXPECT_EQ(desc.ValueAt(2), 1);
  EXPECT_TRUE(std::isnan(desc.ValueAt(3)));
  EXPECT_EQ(desc.FindValue(NaN), -1);
}

TEST_F(ListFixture, ExtremeValuesAreOrderedToo) {
  List.SetOrder(chart::loAscending);
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {1e308, -inf, -1e308, inf, 0.0, -0.0}) List.AddInOrder(v);
  EXPECT_EQ(Values(List), (std::vector<double>{-inf, -1e308, 0.0, -0.0, 1e308, inf}));
}

// ---------------------------------------------------------------- editing

TEST_F(ListFixture, RotateFirstToLast) {
  Fill(chart::loNone, {1, 2, 3});
  List.UpdateStats();
  List.RotateFirstToLast();
  EXPECT_EQ(Values(List), (std::vector<double>{2, 3, 1}));
  EXPECT_FALSE(List.StatsDirty());  // the set of values did not change
  TChartValueList empty(nullptr, "E");
  empty.RotateFirstToLast();
  EXPECT_EQ(empty.ValueCount(), 0);
}

TEST_F(ListFixture, InsertRemoveAndFind) {
  Fill(chart::loNone, {1, 2, 3});
  List.InsertAt(3, 7);
  List.InsertAt(0, -1);
  EXPECT_EQ(Values(List), (std::vector<double>{-1, 1, 2, 3, 7}));
  List.RemoveAt(2);
  EXPECT_EQ(Values(List), (std::vector<double>{-1, 1, 3, 7}));
  EXPECT_EQ(List.FindValue(3), 2);
  EXPECT_EQ(List.FindValue(4), -1);
  List.SetMultiplier(2);
  EXPECT_EQ(List.FindValue(6), 2);  // compared as read, multiplied
  EXPECT_EQ(List.LastValue(), 14);
  List.FillIndexSequence();
  EXPECT_EQ(Values(List), (std::vector<double>{0, 2, 4, 6}));
  List.RemoveAllValues();
  EXPECT_EQ(List.ValueCount(), 0);
}

TEST_F(ListFixture, IndexErrorsNameTheIndexAndChangeNothing) {
  Fill(chart::loNone, {1, 2});
  ExpectListIndexError([&] { List.ValueAt(2); }, "List index out of bounds (2)");
  ExpectListIndexError([&] { List.ValueAt(-1); }, "List index out of bounds (-1)");
  ExpectListIndexError([&] { List.SetValueAt(5, 0); }, "List index out of bounds (5)");
  ExpectListIndexError([&] { List.InsertAt(3, 0); }, "List index out of bounds (3)");
  ExpectListIndexError([&] { List.RemoveAt(INT32_MAX); }, "List index out of bounds (2147483647)");
  ExpectListIndexError([&] { List.InsertAt(INT32_MIN, 0); }, "List index out of bounds (-2147483648)");
  EXPECT_EQ(Values(List), (std::vector<double>{1, 2}));
  TChartValueList empty(nullptr, "E");
  ExpectListIndexError([&] { empty.LastValue(); }, "List index out of bounds (-1)");
}

// The raw reads of runs are held to the values the list has: a list shortened on its own (the
// lists of a series are public) must not hand out the values it removed, which stay in its
// storage, or read past the storage's end. A range past the end names its first index outside.
TEST_F(ListFixture, RawReadsOfRunsOutsideTheListNameTheirFirstIndexOutside) {
  std::vector<double> values(40);
  for (size_t k = 0; k < values.size(); ++k) values[k] = static_cast<double>(k);
  List.AppendRun(values);
  List.RemoveAt(10);  // a gap in the storage, then the last value popped off its end
  List.RemoveAt(38);
  ASSERT_EQ(List.ValueCount(), 38);
  double lo, hi, lows[8], highs[8], out[40];
  bool nan;
  const auto reads = [&](int32_t from, int32_t to) {
    return std::vector<std::function<void()>>{
        [&, from, to] { List.RawExtremes(from, to, lo, hi, nan); },
        [&, from, to] { List.RawBlockExtremes(from, to, 8, lows, highs); },
        [&, from, to] { List.LastOutside(from, to, 0, 1); },
        [&, from, to] { List.RawRun(from, to); },
        [&, from, to] { List.CopyValues(from, to, out); }};
  };
  for (const auto& read : reads(30, 40)) ExpectListIndexError(read, "List index out of bounds (38)");
  for (const auto& read : reads(39, 40)) ExpectListIndexError(read, "List index out of bounds (39)");
  for (const auto& read : reads(-2, 5)) ExpectListIndexError(read, "List index out of bounds (-2)");
  for (const auto& read : reads(30, 38)) EXPECT_NO_THROW(read());
  for (const auto& read : reads(45, 45)) EXPECT_NO_THROW(read());  // empty: nothing is read
  List.RawExtremes(0, 38, lo, hi, nan);
  EXPECT_EQ(hi, 38);  // value 39 was removed: index 37 holds 38
  List.Prefetch(30, 400);  // clamps: only a hint
  EXPECT_EQ(List.ValueCount(), 38);
}

// ---------------------------------------------------------------- statistics

TEST_F(ListFixture, EmptyStatisticsAreZero) {
  EXPECT_EQ(List.MinimumValue(), 0);
  EXPECT_EQ(List.MaximumValue(), 0);
  EXPECT_EQ(List.TotalValue(), 0);
  EXPECT_EQ(List.TotalAbsValue(), 0);
}

TEST_F(ListFixture, StatisticsUseTheMultiplierAndAreRecomputedOnlyWhenDirty) {
  Fill(chart::loNone, {-3, 1, 2});
  List.SetMultiplier(2);
  EXPECT_TRUE(List.StatsDirty());
  EXPECT_EQ(List.MinimumValue(), -6);
  EXPECT_FALSE(List.StatsDirty());
  EXPECT_EQ(List.MaximumValue(), 4);
  EXPECT_EQ(List.TotalValue(), 0);
  EXPECT_EQ(List.TotalAbsValue(), 12);
  List.SetMultiplier(2);  // no change, stays clean
  EXPECT_FALSE(List.StatsDirty());
  List.SetMultiplier(1);
  EXPECT_TRUE(List.StatsDirty());
  EXPECT_EQ(List.MinimumValue(), -3);
  EXPECT_EQ(List.MaximumValue(), 2);
  EXPECT_EQ(List.TotalValue(), 0);
  EXPECT_EQ(List.TotalAbsValue(), 6);
}

TEST_F(ListFixture, StatisticsFollowEveryChange) {
  Fill(chart::loNone, {5, -9, 7});
  EXPECT_EQ(List.MaximumValue(), 7);
  List.RemoveAt(2);
  EXPECT_TRUE(List.StatsDirty());
  EXPECT_EQ(List.MaximumValue(), 5);
  EXPECT_EQ(List.MinimumValue(), -9);
  List.SetValueAt(1, 0);
  EXPECT_EQ(List.MinimumValue(), 0);
  List.InsertAt(0, -1);
  EXPECT_EQ(List.MinimumValue(), -1);
  EXPECT_EQ(List.TotalValue(), 4);
  List.AddInOrder(100);
  EXPECT_EQ(List.MaximumValue(), 100);
  List.RemoveAllValues();
  EXPECT_EQ(List.MaximumValue(), 0);
}

// The smallest step of an ascending list is kept between reads: after every kind of change (at
// the storage's gap or away from it, by exchange, rotation or a new multiplier) it is what a
// plain walk over the values as read gives, over lengths that end the four-wide loop anywhere.
TEST_F(ListFixture, SmallestAscendingStepFollowsEveryChange) {
  const double inf = std::numeric_limits<double>::infinity();
  const auto expected = [](const TChartValueList& list) {
    double least = 0;
    for (int32_t i = 1; i < list.ValueCount(); ++i) {
      const double d = list.ValueAt(i) - list.ValueAt(i - 1);
      if (d > 0 && std::isfinite(d) && (least == 0 || d < least)) least = d;
    }
    return least;
  };
  TDraws next{7};
  for (int round = 0; round < 300; ++round) {
    TChartValueList list{nullptr, "X"};
    list.SetOrder(chart::loAscending);
    const uint32_t n = next(14);
    double v = -1e6 * next(3);
    for (uint32_t i = 0; i < n; ++i) list.AddInOrder(v += 0.25 * next(9));
    if (next(4) == 0) list.AddInOrder(NaN);
    if (next(5) == 0) list.AddInOrder(inf);
    if (next(5) == 0) list.InsertAt(0, -inf);
    for (int change = 0; change < 8; ++change) {
      const std::string what = "round " + std::to_string(round) + " change " + std::to_string(change);
      // Read in any order too: a step kept from values out of order must not outlive them.
      const double step = list.SmallestAscendingStep();
      if (list.AscendsAsRead()) {
        EXPECT_EQ(step, expected(list)) << what;
      }
      const int32_t count = list.ValueCount();
      switch (next(7)) {
        case 0: list.AddInOrder(0.125 * next(4000) - 200); break;  // often inside: the gap opens there
        case 1: if (count > 0) list.RemoveAt(static_cast<int32_t>(next(count))); break;
        case 2: if (count > 0) list.SetValueAt(static_cast<int32_t>(next(count)), list.ValueAt(0) - next(3)); break;
        case 3: if (count > 1) list.ExchangeValues(0, count - 1); break;
        case 4: list.RotateFirstToLast(); break;
        case 5: list.SetMultiplier(0.5 * (1 + next(4))); break;
        default: list.SortByOrder(); break;
      }
    }
  }
}

// n values, a sixth of them NaN, infinite, zeros of either sign, ±1e308 or the least denormal,
// and a third inserted in the middle, which leaves the store's gap among them.
void FillAcrossTheGap(TChartValueList& list, TDraws& next, uint32_t n) {
  const double inf = std::numeric_limits<double>::infinity();
  const double picks[] = {NaN, inf, -inf, 0.0, -0.0, 1e308, -1e308, 5e-324};
  for (uint32_t i = 0; i < n; ++i) {
    const double v = next(6) == 0 ? picks[next(8)] : static_cast<double>(next(2001)) - 1000;
    if (i > 2 && next(3) == 0)
      list.InsertAt(static_cast<int32_t>(next(i)), v);
    else
      list.AddInOrder(v);
  }
}

// 200 random lists filled across the store's gap, and `runs` random runs from..to-1 of each
// (one value at least): check(list, next, what, from, to).
template <class Check>
void ForRandomRuns(uint32_t seed, int runs, const Check& check) {
  TDraws next{seed};
  for (int round = 0; round < 200; ++round) {
    TChartValueList list{nullptr, "X"};
    const uint32_t n = 1 + next(300);
    FillAcrossTheGap(list, next, n);
    for (int run = 0; run < runs; ++run) {
      const int32_t from = static_cast<int32_t>(next(n)), to = from + 1 + static_cast<int32_t>(next(n - from));
      const std::string what = "round " + std::to_string(round) + " run " + std::to_string(from) + ".." +
                               std::to_string(to);
      check(list, next, what, from, to);
    }
  }
}

// The passes four values to a register, or two, for the rest of the scope.
struct TWideScansScope {
  explicit TWideScansScope(bool wide) { TChartValueList::SetWideScans(wide); }
  ~TWideScansScope() { TChartValueList::SetWideScans(true); }
  TWideScansScope(const TWideScansScope&) = delete;
  TWideScansScope& operator=(const TWideScansScope&) = delete;
};

TEST_F(ListFixture, RawExtremesOfAnyRunSkipNaNAndReachAcrossTheGap) {
  // Runs of every length, before, after and across the gap; four values to a register or two,
  // to the same bits (the sign of a zero extreme included).
  const double inf = std::numeric_limits<double>::infinity();
  ForRandomRuns(11, 20, [&](const TChartValueList& list, TDraws&, const std::string& what, int32_t from, int32_t to) {
    double lo = 0, hi = 0, narrowLo = 0, narrowHi = 0;
    bool nan = false, narrowNaN = false;
    {
      const TWideScansScope narrow(false);
      list.RawExtremes(from, to, narrowLo, narrowHi, narrowNaN);
    }
    list.RawExtremes(from, to, lo, hi, nan);
    EXPECT_EQ(std::bit_cast<uint64_t>(lo), std::bit_cast<uint64_t>(narrowLo)) << what;
    EXPECT_EQ(std::bit_cast<uint64_t>(hi), std::bit_cast<uint64_t>(narrowHi)) << what;
    EXPECT_EQ(nan, narrowNaN) << what;
    double least = inf, most = -inf;
    bool anyNaN = false;
    for (int32_t k = from; k < to; ++k) {
      const double v = list.ValueAt(k);
      anyNaN |= std::isnan(v);
      if (v < least) least = v;
      if (v > most) most = v;
    }
    EXPECT_EQ(lo, least) << what;
    EXPECT_EQ(hi, most) << what;
    EXPECT_EQ(nan, anyNaN) << what;
  });
}

TEST_F(ListFixture, RawBlockExtremesAreTheExtremesOfEachBlockWalkedBack) {
  // Blocks of every size over runs before, after and across the gap: each block's extremes are
  // those RawExtremes gives it, and a block of NaN alone holds no number.
  ForRandomRuns(31, 10, [&](const TChartValueList& list, TDraws& next, const std::string& what, int32_t from,
                            int32_t to) {
    const int32_t block = next(3) == 0 ? 16 : 1 + static_cast<int32_t>(next(40));
    const size_t blocks = static_cast<size_t>((to - from + block - 1) / block);
    std::vector<double> lows(blocks + 1, 7), highs(blocks + 1, 7);  // one more, left alone
    list.RawBlockExtremes(from, to, block, lows.data(), highs.data());
    for (size_t q = 0; q < blocks; ++q) {
      const int32_t end = to - static_cast<int32_t>(q) * block, begin = std::max(from, end - block);
      double lo = 0, hi = 0;
      bool nan = false;
      list.RawExtremes(begin, end, lo, hi, nan);
      EXPECT_EQ(lows[q], lo) << what << " block " << begin << ".." << end;
      EXPECT_EQ(highs[q], hi) << what << " block " << begin << ".." << end;
    }
    EXPECT_EQ(lows[blocks], 7);
    EXPECT_EQ(highs[blocks], 7);
  });
}

TEST_F(ListFixture, LastOutsideFindsTheLastValueOffTheRangeOfAnyRun) {
  // Runs of every length, before, after and across the gap, with multipliers of either sign; the
  // ranges reach from none of the values to all of them, and NaN lies within none.
  const double inf = std::numeric_limits<double>::infinity();
  const double multipliers[] = {1, -1, 0.5, 3, -2.5, 1e300};
  const double ends[] = {-inf, -1e308, -1000, -1, -0.0, 0.0, 1, 1000, 1e308, inf, NaN};
  TDraws next{23};
  for (int round = 0; round < 400; ++round) {
    const TWideScansScope width(round % 2 == 0);  // four values to a register, or two
    TChartValueList list{nullptr, "X"};
    const uint32_t n = 1 + next(300);
    FillAcrossTheGap(list, next, n);
    list.SetMultiplier(multipliers[round % 6]);
    for (int run = 0; run < 20; ++run) {
      const int32_t from = static_cast<int32_t>(next(n)), to = from + static_cast<int32_t>(next(n - from + 1));
      double low = next(3) == 0 ? ends[next(11)] : list.ValueAt(from + static_cast<int32_t>(next(n - from)));
      double high = next(3) == 0 ? ends[next(11)] : list.ValueAt(from + static_cast<int32_t>(next(n - from)));
      if (next(4) != 0 && low > high) std::swap(low, high);
      int32_t expected = from - 1;
      for (int32_t k = to - 1; k >= from; --k) {
        const double v = list.ValueAt(k);
        if (!(v >= low && v <= high)) {
          expected = k;
          break;
        }
      }
      EXPECT_EQ(list.LastOutside(from, to, low, high), expected)
          << "round " << round << " run " << from << ".." << to << " within " << low << ".." << high;
    }
  }
}

TEST_F(ListFixture, StatisticsSkipNaN) {
  Fill(chart::loNone, {NaN, 2, -1, NaN});
  EXPECT_EQ(List.MinimumValue(), -1);
  EXPECT_EQ(List.MaximumValue(), 2);
  EXPECT_EQ(List.TotalValue(), 1);
  EXPECT_EQ(List.TotalAbsValue(), 3);
  TChartValueList onlyNaN(nullptr, "N");
  onlyNaN.AddInOrder(NaN);
  EXPECT_EQ(onlyNaN.MinimumValue(), 0);
  EXPECT_EQ(onlyNaN.MaximumValue(), 0);
}

// ---------------------------------------------------------------- sorting and settings

TEST_F(ListFixture, SortByOrderLeavesNoOrderAlone) {
  Fill(chart::loNone, {3, 1, 2});
  List.SortByOrder();
  EXPECT_EQ(Values(List), (std::vector<double>{3, 1, 2}));
  List.SetOrder(chart::loAscending);
  EXPECT_EQ(Values(List), (std::vector<double>{3, 1, 2}));  // Order alone does not sort
  List.SortByOrder();
  EXPECT_EQ(Values(List), (std::vector<double>{1, 2, 3}));
  List.SetOrder(chart::loDescending);
  List.SortByOrder();
  EXPECT_EQ(Values(List), (std::vector<double>{3, 2, 1}));
}

TEST_F(ListFixture, SortByOrderComparesMultipliedValues) {
  Fill(chart::loAscending, {1, 3, 2});
  List.SetMultiplier(-1);
  List.SortByOrder();
  EXPECT_EQ(Values(List), (std::vector<double>{-3, -2, -1}));
}

TEST_F(ListFixture, AssignCopiesSettingsOnly) {
  Fill(chart::loNone, {1, 2});
  TChartValueList other(nullptr, "Other");
  other.SetOrder(chart::loDescending);
  other.SetDateTime(true);
  other.SetMultiplier(3);
  other.SetValueSource("Field");
  other.AddInOrder(42);
  List.Assign(other);
  EXPECT_EQ(List.Order(), chart::loDescending);
  EXPECT_TRUE(List.DateTime());
  EXPECT_EQ(List.Multiplier(), 3);
  EXPECT_EQ(List.ValueSource(), "Field");
  EXPECT_EQ(List.Name(), "X");
  EXPECT_EQ(Values(List), (std::vector<double>{3, 6}));
}
