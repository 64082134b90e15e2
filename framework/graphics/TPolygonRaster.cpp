#include "framework/graphics/TPolygonRaster.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <cstdlib>

namespace fw {

namespace {

constexpr int64_t One = 1 << 16;  // 1.0 in 16.16 fixed point

/// First column whose centre lies strictly right of the 16.16 crossing x: one past
/// floor(x − ½), the arithmetic shift rounding toward minus infinity.
int64_t FirstRightOf(int64_t x) { return ((x - One / 2) >> 16) + 1; }

// Rows with more crossings than this on average are gathered in a toggle grid instead of sorted
// lists, when the grid stays below GridCells.
constexpr int64_t CrossingsForGrid = 16;
constexpr int64_t GridCells = int64_t{1} << 22;
// Crossings gathered in lists at most (their offsets are 32-bit).
constexpr int64_t MaxListedCrossings = int64_t{1} << 24;

}  // namespace

bool TPolygonRaster::Handles(std::span<const TPoint> points) {
  if (points.size() < 3) return false;
  for (const TPoint& p : points)
    if (std::abs(int64_t{p.X}) > MaxCoordinate || std::abs(int64_t{p.Y}) > MaxCoordinate) return false;
  return true;
}

void TPolygonRaster::Span(const TPixelTarget& target, int64_t y, int64_t from, int64_t to, uint32_t rgb) {
  if (target.Region == nullptr) {
    uint32_t* const row = target.Bits + y * target.Stride;
    if (from < to) std::fill(row + from, row + to, rgb);
    return;
  }
  size_t first = 0, last = 0;
  mBands.Find(target, y, first, last);
  target.FillRowInBand(y, from, to, rgb, first, last);
}

void TPolygonRaster::FillRect(const TPixelTarget& target, int64_t left, int64_t top, int64_t right, int64_t bottom,
                              uint32_t rgb) {
  if (target.Bits == nullptr || target.Box.isEmpty()) return;
  const QRect& box = target.Box;
  const int64_t l = std::max<int64_t>(left, box.left()), r = std::min<int64_t>(right, int64_t{box.right()} + 1);
  const int64_t t = std::max<int64_t>(top, box.top()), b = std::min<int64_t>(bottom, int64_t{box.bottom()} + 1);
  if (l >= r || t >= b) return;
  if (target.Region == nullptr || target.Holds(l, t, r, b)) {
    uint32_t* row = target.Bits + t * target.Stride + l;
    for (int64_t y = t; y < b; ++y, row += target.Stride)
      for (int64_t k = 0; k < r - l; ++k) row[k] = rgb;
    return;
  }
  mBands.Reset();
  for (int64_t y = t; y < b; ++y) Span(target, y, l, r, rgb);
}

void TPolygonRaster::FillFramedRect(const TPixelTarget& target, int64_t left, int64_t top, int64_t right,
                                    int64_t bottom, uint32_t frame, std::optional<uint32_t> fill) {
  if (left >= right || top >= bottom || target.Bits == nullptr || target.Box.isEmpty()) return;
  if (target.Region != nullptr && target.Holds(left, top, right, bottom)) {
    FillFramedRect(target.WithoutRegion(), left, top, right, bottom, frame, fill);
    return;
  }
  if (target.Region != nullptr) {
    if (fill) FillRect(target, left + 1, top + 1, right - 1, bottom - 1, *fill);
    FillRect(target, left, top, right, top + 1, frame);
    if (bottom - 1 > top) FillRect(target, left, bottom - 1, right, bottom, frame);
    if (bottom - 1 > top + 1) {
      FillRect(target, left, top + 1, left + 1, bottom - 1, frame);
      if (right - 1 > left) FillRect(target, right - 1, top + 1, right, bottom - 1, frame);
    }
    return;
  }
  const QRect& box = target.Box;
  const int64_t l = std::max<int64_t>(left, box.left()), r = std::min<int64_t>(right, int64_t{box.right()} + 1);
  const int64_t t = std::max<int64_t>(top, box.top()), b = std::min<int64_t>(bottom, int64_t{box.bottom()} + 1);
  if (l >= r || t >= b) return;
  // The frame's columns when they lie in the drawable box, and the inside between them.
  const bool leftColumn = left >= l;
  const bool rightColumn = right - 1 > left && right == r;
  const int64_t insideFrom = std::max(l, left + 1), insideTo = std::min(r, right - 1);
  const auto rowAt = [&](int64_t y) { return target.Bits + y * target.Stride; };
  // The top and bottom rows are frame across; the rows between, frame at the columns and the
  // fill between them.
  if (top >= t) std::fill(rowAt(top) + l, rowAt(top) + r, frame);
  if (bottom - 1 > top && bottom - 1 < b) std::fill(rowAt(bottom - 1) + l, rowAt(bottom - 1) + r, frame);
  const int64_t from = std::max(t, top + 1), to = std::min(b, bottom - 1);
  const int64_t width = std::max<int64_t>(insideTo - insideFrom, 0);
  uint32_t* row = rowAt(from);
  if (fill && width > 0) {
    for (int64_t y = from; y < to; ++y, row += target.Stride) {
      if (leftColumn) row[left] = frame;
      std::fill_n(row + insideFrom, width, *fill);
      if (rightColumn) row[right - 1] = frame;
    }
    return;
  }
  // Nothing between the frame's columns (thin boxes, or no fill): the columns alone, down the
  // rows.
  const auto column = [&](int64_t x) {
    uint32_t* pixel = row + x;
    for (int64_t y = from; y < to; ++y, pixel += target.Stride) *pixel = frame;
  };
  if (leftColumn) column(left);
  if (rightColumn) column(right - 1);
}

bool TPolygonRaster::FillMonotone(const TPixelTarget& target, std::span<const TPoint> points, int64_t rowLo,
                                  int64_t rowHi, int64_t colLo, int64_t colHi, uint32_t rgb) {
  // Y-monotone: going round, Y turns from rising to falling and back once each (horizontal
  // edges aside). Then every row's centre line crosses exactly one edge of each of the two
  // chains from the top corner to the bottom one, and the row is filled between them.
  const size_t n = points.size();
  size_t topIndex = 0, turns = 0;
  int first = 0, previous = 0;
  for (size_t k = 0; k < n; ++k) {
    const TPoint& a = points[k];
    const TPoint& b = points[(k + 1) % n];
    if (a.Y < points[topIndex].Y) topIndex = k;
    const int sign = b.Y > a.Y ? 1 : b.Y < a.Y ? -1 : 0;
    if (sign == 0) continue;
    if (previous == 0)
      first = sign;
    else if (sign != previous)
      ++turns;
    previous = sign;
  }
  if (previous != 0 && first != previous) ++turns;  // round from the last edge to the first
  if (turns != 2) return false;
  // Each chain as a cursor over its edges, walked downwards from the top corner.
  struct TChain {
    std::span<const TPoint> Points;
    size_t At;        // upper corner of the current edge
    int Direction;    // +1 forward round the polygon, -1 backward
    int64_t First = 0, Last = INT64_MIN, X = 0, Step = 0;
    const TPoint& Corner(size_t k) const { return Points[k]; }
    size_t Next(size_t k) const { return Direction > 0 ? (k + 1) % Points.size() : (k + Points.size() - 1) % Points.size(); }
    /// Moves to the edge that crosses row y; false past the bottom corner.
    bool Reach(int64_t y) {
      while (y > Last) {
        const TPoint& a = Corner(At);
        const size_t nextIndex = Next(At);
        const TPoint& b = Corner(nextIndex);
        if (b.Y < a.Y) return false;  // the chain turned upwards: past the bottom
        At = nextIndex;
        if (a.Y == b.Y) continue;
        First = a.Y;
        Last = int64_t{b.Y} - 1;
        Step = (int64_t{b.X} - a.X) * One / (int64_t{b.Y} - a.Y);  // truncated toward zero
        X = int64_t{a.X} * One + Step / 2;
      }
      return true;
    }
    int64_t CrossingAt(int64_t y) const { return X + (y - First) * Step; }
  };
  TChain left{points, topIndex, 1}, right{points, topIndex, -1};
  const bool boxOnly = target.Region == nullptr;
  uint32_t* row = target.Bits + rowLo * target.Stride;
  int64_t y = rowLo;
  while (y <= rowHi) {
    if (!left.Reach(y) || !right.Reach(y)) break;
    // The rows on which neither chain changes edge: each crossing moves by its edge's step.
    const int64_t last = std::min({left.Last, right.Last, rowHi});
    int64_t leftX = left.CrossingAt(y), rightX = right.CrossingAt(y);
    for (; y <= last; ++y, row += target.Stride, leftX += left.Step, rightX += right.Step) {
      int64_t a = std::clamp(FirstRightOf(leftX), colLo, colHi);
      int64_t b = std::clamp(FirstRightOf(rightX), colLo, colHi);
      if (a > b) std::swap(a, b);
      if (a >= b) continue;
      if (boxOnly)
        std::fill(row + a, row + b, rgb);  // Span without a region, here in the loop
      else
        Span(target, y, a, b, rgb);
    }
  }
  return true;
}

bool TPolygonRaster::Fill(const TPixelTarget& target, std::span<const TPoint> points, uint32_t rgb) {
  if (target.Bits == nullptr || target.Box.isEmpty() || points.size() < 3) return true;
  const QRect& box = target.Box;
  int64_t top = INT64_MAX, bottom = INT64_MIN;
  for (const TPoint& p : points) {
    top = std::min<int64_t>(top, p.Y);
    bottom = std::max<int64_t>(bottom, p.Y);
  }
  // Rows whose centre line lies inside the polygon's height, inside the box.
  const int64_t rowLo = std::max<int64_t>(top, box.top()), rowHi = std::min<int64_t>(bottom - 1, box.bottom());
  if (rowLo > rowHi) return true;
  const int64_t colLo = box.left(), colHi = int64_t{box.right()} + 1;  // columns colLo..colHi-1

  mBands.Reset();
  if (FillMonotone(target, points, rowLo, rowHi, colLo, colHi, rgb)) return true;

  mEdges.clear();
  int64_t total = 0;
  for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    TPoint a = points[j], b = points[i];
    if (a.Y == b.Y) continue;
    if (a.Y > b.Y) std::swap(a, b);
    const int64_t dy = int64_t{b.Y} - a.Y, dx = int64_t{b.X} - a.X;
    const int64_t first = std::max<int64_t>(a.Y, rowLo), last = std::min<int64_t>(int64_t{b.Y} - 1, rowHi);
    if (first > last) continue;
    const int64_t step = dx * One / dy;  // truncated toward zero
    const int64_t x = int64_t{a.X} * One + step / 2 + (first - a.Y) * step;
    mEdges.push_back({first, last, x, step});
    total += last - first + 1;
  }
  if (mEdges.empty()) return true;
  const int64_t rows = rowHi - rowLo + 1;
  const int64_t width = colHi - colLo + 1;  // one more column for crossings right of the box

  if (total > rows * CrossingsForGrid && rows * width <= GridCells) {
    // Many crossings a row: each toggles the parity from its column on; one pass a row, eight
    // columns at a time (rows are padded to whole words, the padding never toggled).
    const int64_t stride = (width + 7) & ~int64_t{7};
    mToggles.assign(static_cast<size_t>(rows * stride), 0);
    for (const TEdge& e : mEdges) {
      int64_t x = e.X;
      for (int64_t y = e.FirstRow; y <= e.LastRow; ++y, x += e.Step) {
        const int64_t column = std::clamp(FirstRightOf(x), colLo, colHi);
        mToggles[static_cast<size_t>((y - rowLo) * stride + (column - colLo))] ^= 1;
      }
    }
    for (int64_t r = 0; r < rows; ++r) {
      const uint8_t* toggles = mToggles.data() + r * stride;
      bool inside = false;
      int64_t start = 0;
      for (int64_t word = 0; word < stride; word += 8) {
        uint64_t bits;
        std::memcpy(&bits, toggles + word, sizeof bits);
        while (bits != 0) {
          const int byte = std::countr_zero(bits) / 8;
          bits &= ~(uint64_t{0xFF} << (8 * byte));
          const int64_t c = word + byte;
          inside = !inside;
          if (inside)
            start = c;
          else
            Span(target, rowLo + r, colLo + start, colLo + c, rgb);
        }
      }
    }
    return true;
  }
  if (total > MaxListedCrossings) return false;

  // Few crossings a row: gathered row by row, sorted, filled between pairs.
  mStarts.assign(static_cast<size_t>(rows + 1), 0);
  for (const TEdge& e : mEdges) {
    ++mStarts[static_cast<size_t>(e.FirstRow - rowLo)];
    --mStarts[static_cast<size_t>(e.LastRow - rowLo + 1)];
  }
  // Counts per row, then the offset of each row's first crossing.
  int32_t running = 0, offset = 0;
  for (int64_t r = 0; r < rows; ++r) {
    running += mStarts[static_cast<size_t>(r)];
    mStarts[static_cast<size_t>(r)] = offset;
    offset += running;
  }
  mStarts[static_cast<size_t>(rows)] = offset;
  mCrossings.resize(static_cast<size_t>(offset));
  std::vector<int32_t>& cursor = mCursor;
  cursor.assign(mStarts.begin(), mStarts.end() - 1);
  for (const TEdge& e : mEdges) {
    int64_t x = e.X;
    for (int64_t y = e.FirstRow; y <= e.LastRow; ++y, x += e.Step) {
      const int64_t column = std::clamp(FirstRightOf(x), colLo, colHi);
      mCrossings[static_cast<size_t>(cursor[static_cast<size_t>(y - rowLo)]++)] = static_cast<int32_t>(column);
    }
  }
  for (int64_t r = 0; r < rows; ++r) {
    int32_t* const from = mCrossings.data() + mStarts[static_cast<size_t>(r)];
    int32_t* const to = mCrossings.data() + mStarts[static_cast<size_t>(r + 1)];
    if (to - from > 8) {
      std::sort(from, to);
    } else {
      for (int32_t* c = from + 1; c < to; ++c)  // a few crossings: insertion
        for (int32_t* d = c; d > from && d[-1] > d[0]; --d) std::swap(d[-1], d[0]);
    }
    for (int32_t* c = from; c + 1 < to; c += 2) Span(target, rowLo + r, c[0], c[1], rgb);
  }
  return true;
}

}  // namespace fw
