// The value lists and the series' colour and label lists keep their data in compact forms
// (a gap buffer, colours counted while they are all clDefault). These tests drive them with
// long mixed sequences of changes and reads and compare every observable result with a plain
// model: vectors, a backwards scan for the ordered position, a stable sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "chart/data/TChartSeries.h"
#include "chart/data/TChartValueList.h"
#include "chart/panel/ChartPalette.h"
#include "framework/runtime/Exception.h"
#include "tests/chart/data/FakeSeriesHost.h"

using chart::TChartListOrder;
using chart::TChartSeries;
using chart::TChartValueList;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

bool Same(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

// ---- the model ----

bool Precedes(TChartListOrder order, double a, double b) {
  if (std::isnan(a)) return false;
  if (std::isnan(b)) return true;
  return order == chart::loDescending ? a > b : a < b;
}

// A value list as plain vectors: ordered position by the backwards scan from the end.
struct ListModel {
  std::vector<double> V;
  TChartListOrder Order = chart::loNone;
  double Multiplier = 1;
  // Statistics as cached: recomputed at the first query after a change of the values or the
  // multiplier; moving values around (exchange, rotation, sorting) keeps them.
  bool Dirty = true;
  double Min = 0, Max = 0, Sum = 0, AbsSum = 0;

  void Stats() {
    if (!Dirty) return;
    Min = Max = Sum = AbsSum = 0;
    bool any = false;
    for (double raw : V) {
      const double v = raw * Multiplier;
      if (std::isnan(v)) continue;
      if (!any) {
        Min = Max = v;
        any = true;
      } else if (v < Min) {
        Min = v;
      } else if (v > Max) {
        Max = v;
      }
      Sum += v;
      AbsSum += std::fabs(v);
    }
    Dirty = false;
  }

  int32_t OrderedPosition(double value) const {
    if (Order == chart::loNone) return static_cast<int32_t>(V.size());
    int64_t k = static_cast<int64_t>(V.size()) - 1;
    while (k >= 0 && Precedes(Order, value, V[static_cast<size_t>(k)])) --k;
    return static_cast<int32_t>(k + 1);
  }
  int32_t AddInOrder(double value) {
    const int32_t at = OrderedPosition(value);
    V.insert(V.begin() + at, value);
    Dirty = true;
    return at;
  }
  // Stable sort permutation on the multiplied values.
  std::vector<size_t> SortPermutation() const {
    std::vector<size_t> p(V.size());
    std::iota(p.begin(), p.end(), 0);
    std::stable_sort(p.begin(), p.end(),
                     [&](size_t a, size_t b) { return Precedes(Order, V[a] * Multiplier, V[b] * Multiplier); });
    return p;
  }
};

void ExpectListMatches(const TChartValueList& list, ListModel& model, const std::string& where) {
  ASSERT_EQ(list.ValueCount(), static_cast<int32_t>(model.V.size())) << where;
  for (size_t i = 0; i < model.V.size(); ++i) {
    const int32_t index = static_cast<int32_t>(i);
    ASSERT_TRUE(Same(list.RawValueAt(index), model.V[i])) << where << " index " << i;
    ASSERT_TRUE(Same(list.ValueAt(index), model.V[i] * model.Multiplier)) << where << " index " << i;
  }
  if (!model.V.empty()) {
    EXPECT_TRUE(Same(list.LastValue(), model.V.back() * model.Multiplier)) << where;
  }
  model.Stats();
  EXPECT_TRUE(Same(list.MinimumValue(), model.Min)) << where;
  EXPECT_TRUE(Same(list.MaximumValue(), model.Max)) << where;
  EXPECT_TRUE(Same(list.TotalValue(), model.Sum)) << where;
  EXPECT_TRUE(Same(list.TotalAbsValue(), model.AbsSum)) << where;
}

// Values with many ties, some NaN, signed zeros and a few far apart.
double DrawValue(std::mt19937& rng) {
  const int pick = static_cast<int>(rng() % 40);
  if (pick == 0) return NaN;
  if (pick == 1) return -0.0;
  if (pick == 2) return 1e308;
  if (pick == 3) return -1e308;
  return static_cast<double>(static_cast<int>(rng() % 12) - 4);
}

// ---- a lone value list against the model ----

void RunListScenario(TChartListOrder order, uint32_t seed) {
  std::mt19937 rng(seed);
  TChartValueList list{nullptr, "X"};
  list.SetOrder(order);
  ListModel model;
  model.Order = order;
  for (int step = 0; step < 3000; ++step) {
    const int count = static_cast<int>(model.V.size());
    const int op = static_cast<int>(rng() % 100);
    const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
    if (op < 45) {
      const double v = DrawValue(rng);
      ASSERT_EQ(list.AddInOrder(v), model.AddInOrder(v)) << where;
    } else if (op < 60) {
      const int32_t at = static_cast<int32_t>(rng() % static_cast<uint32_t>(count + 1));
      const double v = DrawValue(rng);
      list.InsertAt(at, v);
      model.V.insert(model.V.begin() + at, v);
      model.Dirty = true;
    } else if (op < 72 && count > 0) {
      const int32_t at = static_cast<int32_t>(rng() % static_cast<uint32_t>(count));
      list.RemoveAt(at);
      model.V.erase(model.V.begin() + at);
      model.Dirty = true;
    } else if (op < 78 && count > 0) {
      const int32_t at = static_cast<int32_t>(rng() % static_cast<uint32_t>(count));
      const double v = DrawValue(rng);
      list.SetValueAt(at, v);
      model.V[static_cast<size_t>(at)] = v;
      model.Dirty = true;
    } else if (op < 83 && count > 1) {
      const int32_t a = static_cast<int32_t>(rng() % static_cast<uint32_t>(count));
      const int32_t b = static_cast<int32_t>(rng() % static_cast<uint32_t>(count));
      list.ExchangeValues(a, b);
      std::swap(model.V[static_cast<size_t>(a)], model.V[static_cast<size_t>(b)]);
    } else if (op < 86) {
      list.RotateFirstToLast();
      if (!model.V.empty()) std::rotate(model.V.begin(), model.V.begin() + 1, model.V.end());
    } else if (op < 89) {
      const std::vector<size_t> p = model.SortPermutation();
      list.SortByOrder();
      if (order != chart::loNone) {
        std::vector<double> sorted;
        for (size_t k : p) sorted.push_back(model.V[k]);
        model.V = sorted;
      }
    } else if (op < 92) {
      const double m = (rng() % 2) ? 1.0 : -2.0;
      list.SetMultiplier(m);
      if (m != model.Multiplier) model.Dirty = true;
      model.Multiplier = m;
    } else if (op < 96 && count > 0) {
      const double v = DrawValue(rng) * model.Multiplier;
      const auto it = std::find_if(model.V.begin(), model.V.end(),
                                   [&](double raw) { return raw * model.Multiplier == v; });
      const int32_t expected = it == model.V.end() ? -1 : static_cast<int32_t>(it - model.V.begin());
      ASSERT_EQ(list.FindValue(v), expected) << where;
    } else if (op < 97) {
      list.RemoveAllValues();
      model.V.clear();
      model.Dirty = true;
    } else {
      ExpectListMatches(list, model, where);
    }
    if (step % 97 == 0) ExpectListMatches(list, model, where);
  }
  ExpectListMatches(list, model, "end of seed " + std::to_string(seed));
}

}  // namespace

TEST(ValueListStorage, MixedChangesAndReadsMatchThePlainModelInEveryOrder) {
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    RunListScenario(chart::loAscending, seed);
    RunListScenario(chart::loDescending, seed + 100);
    RunListScenario(chart::loNone, seed + 200);
  }
}

TEST(ValueListStorage, TheAnimationsFoldedSweepGivesTheModelsOrderAndIndices) {
  // X = i mod 1000 for 2001 points: the second thousand lands after its equal values, the last
  // point after both earlier zeros. Reads in between see the list as it stands.
  TChartValueList list{nullptr, "X"};
  list.SetOrder(chart::loAscending);
  ListModel model;
  model.Order = chart::loAscending;
  for (int frame = 0; frame < 3; ++frame) {
    list.RemoveAllValues();
    model.V.clear();
    for (int i = 0; i < 2001; ++i) {
      const double x = static_cast<double>(i % 1000);
      ASSERT_EQ(list.AddInOrder(x), model.AddInOrder(x)) << "point " << i;
      if (i % 250 == 7) {
        ExpectListMatches(list, model, "frame " + std::to_string(frame) + " point " + std::to_string(i));
        EXPECT_EQ(list.FindValue(x), static_cast<int32_t>(std::find(model.V.begin(), model.V.end(), x) - model.V.begin()));
      }
    }
    ExpectListMatches(list, model, "frame " + std::to_string(frame));
  }
  EXPECT_EQ(list.ValueAt(0), 0);
  EXPECT_EQ(list.ValueAt(1), 0);
  EXPECT_EQ(list.ValueAt(2), 0);
  EXPECT_EQ(list.ValueAt(3), 1);
  EXPECT_EQ(list.LastValue(), 999);
}

TEST(ValueListStorage, RemovalsAroundTheInsertPointKeepIndicesAndErrors) {
  TChartValueList list{nullptr, "X"};
  list.SetOrder(chart::loAscending);
  ListModel model;
  model.Order = chart::loAscending;
  for (int i = 0; i < 200; ++i) model.AddInOrder(static_cast<double>(i)), list.AddInOrder(static_cast<double>(i));
  for (int i = 0; i < 100; ++i) {
    const double v = i + 0.5;
    ASSERT_EQ(list.AddInOrder(v), model.AddInOrder(v));
    // Remove just behind, at and just ahead of the insert position in turn.
    const int32_t at = static_cast<int32_t>(2 * i + (i % 3)) % list.ValueCount();
    list.RemoveAt(at);
    model.V.erase(model.V.begin() + at);
  }
  model.Dirty = true;
  ExpectListMatches(list, model, "after removals");
  const int32_t count = list.ValueCount();
  EXPECT_THROW(list.ValueAt(count), fw::EListError);
  EXPECT_THROW(list.RemoveAt(count), fw::EListError);
  EXPECT_THROW(list.InsertAt(count + 1, 0), fw::EListError);
  EXPECT_THROW(list.ValueAt(-1), fw::EListError);
  ExpectListMatches(list, model, "after rejected calls");
  while (list.ValueCount() > 0) {
    list.RemoveAt(list.ValueCount() - 1);
    model.V.pop_back();
  }
  model.Dirty = true;
  ExpectListMatches(list, model, "emptied");
  EXPECT_THROW(list.LastValue(), fw::EListError);
}

// ---- a whole series: values, colours and labels stay aligned ----

namespace {

struct SeriesModel {
  ListModel X, Y;
  std::vector<fw::TColor> Colors;   // one per point: every change through the series keeps it so
  std::vector<std::string> Labels;  // up to the last labelled point at least (longer reads alike)

  SeriesModel() { X.Order = chart::loAscending; }

  int32_t Append(double x, double y, const std::string& label, fw::TColor color) {
    const int32_t at = X.AddInOrder(x);
    Y.V.insert(Y.V.begin() + at, y);
    Y.Dirty = true;
    const size_t i = static_cast<size_t>(at);
    if (Colors.size() < i) Colors.resize(i, fw::clDefault);
    Colors.insert(Colors.begin() + at, color);
    if (Labels.size() < i) Labels.resize(i);
    Labels.insert(Labels.begin() + at, label);
    return at;
  }
  void Delete(int32_t at) {
    const size_t i = static_cast<size_t>(at);
    X.V.erase(X.V.begin() + at);
    Y.V.erase(Y.V.begin() + at);
    X.Dirty = Y.Dirty = true;
    if (i < Colors.size()) Colors.erase(Colors.begin() + at);
    if (i < Labels.size()) Labels.erase(Labels.begin() + at);
  }
  void Exchange(size_t a, size_t b) {
    std::swap(X.V[a], X.V[b]);
    std::swap(Y.V[a], Y.V[b]);
    const size_t needed = std::max(a, b) + 1;
    if (Colors.size() > std::min(a, b)) {
      if (Colors.size() < needed) Colors.resize(needed, fw::clDefault);
      std::swap(Colors[a], Colors[b]);
    }
    if (Labels.size() > std::min(a, b)) {
      if (Labels.size() < needed) Labels.resize(needed);
      std::swap(Labels[a], Labels[b]);
    }
  }
  fw::TColor ColorOf(size_t i, fw::TColor seriesColor, bool eachPoint) const {
    if (i >= Colors.size()) return seriesColor;
    if (Colors[i] != fw::clDefault) return Colors[i];
    return eachPoint ? chart::PaletteColor(static_cast<int32_t>(i)) : seriesColor;
  }
};

void ExpectSeriesMatches(const TChartSeries& s, SeriesModel& m, const std::string& where) {
  ExpectListMatches(s.XValues(), m.X, where + " X");
  ExpectListMatches(s.YValues(), m.Y, where + " Y");
  for (size_t i = 0; i < m.X.V.size(); ++i) {
    const int32_t index = static_cast<int32_t>(i);
    ASSERT_EQ(s.ColorOfPoint(index), m.ColorOf(i, s.SeriesColor(), s.ColorEachPoint())) << where << " point " << i;
    ASSERT_EQ(s.StoredColorOf(index), i < m.Colors.size() ? m.Colors[i] : fw::clDefault) << where << " point " << i;
    ASSERT_EQ(s.IsNullPoint(index), i < m.Colors.size() && m.Colors[i] == fw::clNone) << where;
    ASSERT_EQ(s.LabelOfPoint(index), i < m.Labels.size() ? m.Labels[i] : "") << where << " point " << i;
  }
  // Beyond the points: the series colour, and no label.
  EXPECT_EQ(s.ColorOfPoint(static_cast<int32_t>(m.X.V.size())), s.SeriesColor()) << where;
  EXPECT_EQ(s.LabelOfPoint(static_cast<int32_t>(m.X.V.size())), "") << where;
  EXPECT_EQ(s.HasLabels(), std::any_of(m.Labels.begin(), m.Labels.end(), [](auto& l) { return !l.empty(); }))
      << where;
}

void RunSeriesScenario(uint32_t seed, bool withColors) {
  std::mt19937 rng(seed);
  chart::test::FakeSeriesHost chart;
  TChartSeries s;
  s.SetParentChart(&chart);
  s.SetSeriesColor(fw::clTeal);
  SeriesModel m;
  const auto color = [&]() -> fw::TColor {
    if (!withColors) return fw::clDefault;
    const int pick = static_cast<int>(rng() % 8);
    return pick == 0 ? fw::clNone : pick == 1 ? fw::clRed : fw::clDefault;
  };
  for (int step = 0; step < 2500; ++step) {
    const int count = static_cast<int>(m.X.V.size());
    const int op = static_cast<int>(rng() % 100);
    const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
    if (op < 60) {
      const double x = DrawValue(rng);
      const double y = static_cast<double>(step);
      const std::string label = (rng() % 13 == 0) ? "p" + std::to_string(step) : "";
      const fw::TColor c = color();
      const int before = chart.Invalidations;
      ASSERT_EQ(s.AppendPoint(x, y, label, c), m.Append(x, y, label, c)) << where;
      EXPECT_EQ(chart.Invalidations, before + 1) << where;
    } else if (op < 70 && count > 0) {
      const int32_t at = static_cast<int32_t>(rng() % static_cast<uint32_t>(count));
      s.DeletePoint(at);
      m.Delete(at);
    } else if (op < 75 && count > 1) {
      const size_t a = rng() % static_cast<size_t>(count), b = rng() % static_cast<size_t>(count);
      s.ExchangePoints(static_cast<int32_t>(a), static_cast<int32_t>(b));
      if (a != b) m.Exchange(a, b);
    } else if (op < 80 && count > 0) {
      const size_t at = rng() % static_cast<size_t>(count);
      const fw::TColor c = (rng() % 2) ? fw::clDefault : fw::clBlue;
      s.SetColorOfPoint(static_cast<int32_t>(at), c);
      if (m.Colors.size() <= at) m.Colors.resize(at + 1, fw::clDefault);
      m.Colors[at] = c;
    } else if (op < 83) {
      const bool each = !s.ColorEachPoint();
      const int before = chart.Invalidations;
      s.SetColorEachPoint(each);
      if (!each) {
        // Every stored colour goes back to clDefault, each with a repaint request.
        EXPECT_EQ(chart.Invalidations, before + 1 + static_cast<int>(m.Colors.size())) << where;
        std::fill(m.Colors.begin(), m.Colors.end(), fw::clDefault);
      }
    } else if (op < 86) {
      // The sort moves whole points: values, colour and label together.
      const std::vector<size_t> p = m.X.SortPermutation();
      s.XValues().SortByOrder();
      m.Labels.resize(m.X.V.size());
      SeriesModel sorted = m;  // keeps the cached statistics: the values only moved
      sorted.X.V.clear();
      sorted.Y.V.clear();
      sorted.Colors.clear();
      sorted.Labels.clear();
      for (size_t k : p) {
        sorted.X.V.push_back(m.X.V[k]);
        sorted.Y.V.push_back(m.Y.V[k]);
        sorted.Colors.push_back(m.Colors[k]);
        sorted.Labels.push_back(m.Labels[k]);
      }
      m = sorted;
    } else if (op < 88) {
      s.RemoveAllPoints();
      m = SeriesModel();
    } else {
      ExpectSeriesMatches(s, m, where);
    }
  }
  ExpectSeriesMatches(s, m, "end of seed " + std::to_string(seed));
  s.SetParentChart(nullptr);
}

}  // namespace

TEST(SeriesStorage, PointsWithDefaultColoursAndNoLabelsMatchThePlainModel) {
  for (uint32_t seed = 11; seed <= 14; ++seed) RunSeriesScenario(seed, false);
}

TEST(SeriesStorage, PointsWithOwnColoursNullPointsAndLabelsMatchThePlainModel) {
  for (uint32_t seed = 21; seed <= 24; ++seed) RunSeriesScenario(seed, true);
}

TEST(SeriesStorage, ColourListLengthDecidesBetweenSeriesAndPaletteColour) {
  // Points added with clDefault have an entry each: with ColorEachPoint they take the palette.
  // A point past the colour list (values added to the lists directly) keeps the series colour.
  TChartSeries s;
  s.SetSeriesColor(fw::clTeal);
  for (int i = 0; i < 20; ++i) s.AppendPoint(i, i, "", fw::clDefault);
  s.XValues().AddInOrder(20);
  s.YValues().InsertAt(20, 20);
  s.SetColorEachPoint(true);
  EXPECT_EQ(s.ColorOfPoint(16), chart::PaletteColor(16));
  EXPECT_EQ(s.ColorOfPoint(19), chart::PaletteColor(19));
  EXPECT_EQ(s.ColorOfPoint(20), fw::clTeal);
  // A point inserted in front shifts the entries: the last point is still without one.
  s.AppendPoint(-1, 0, "", fw::clDefault);
  EXPECT_EQ(s.ColorOfPoint(0), chart::PaletteColor(0));
  EXPECT_EQ(s.ColorOfPoint(20), chart::PaletteColor(20));
  EXPECT_EQ(s.ColorOfPoint(21), fw::clTeal);
  // Deleting a point with an entry shortens the list with it.
  s.DeletePoint(0);
  EXPECT_EQ(s.ColorOfPoint(19), chart::PaletteColor(19));
  EXPECT_EQ(s.ColorOfPoint(20), fw::clTeal);
  // Setting a colour past the list pads it with clDefault entries.
  s.SetColorOfPoint(20, fw::clRed);
  EXPECT_EQ(s.ColorOfPoint(20), fw::clRed);
  s.SetColorOfPoint(20, fw::clDefault);
  EXPECT_EQ(s.ColorOfPoint(20), chart::PaletteColor(20));
  s.SetColorEachPoint(false);
  EXPECT_EQ(s.ColorOfPoint(5), fw::clTeal);
  EXPECT_EQ(s.StoredColorOf(20), fw::clDefault);
}
