#pragma once
// The walk that draws a dense polyline's points on one pixel column with at most four lines.
#include <cstdint>

namespace chart {

/// Draws points i..j (i <= j) of a polyline that all lie on pixel column x, for lines that leave
/// the union of their pixels. rowOf(k) is point k's row; extremes(i, t, lo, hi) gives the lowest
/// and highest row of points i..t-1; to(x, y) draws a line to (x, y), or moves there for the
/// first point, skipping a point on the last one's pixel.
///
/// The points i..j, with rows y_i .. y_j, cover every row between the extremes lo..hi of the
/// points before the trailing ones on row y_j, and the rows from the last of those towards y_j
/// (y_j excluded). The walk y_i, e1, e2, y_j with {e1, e2} = {lo, hi} and e2 != y_j covers
/// lo..hi except perhaps e2, then e2 towards y_j: the same rows. The lines entering and leaving
/// the column join the same points as drawing every segment does.
template <class Index, class RowOf, class Extremes, class To>
void WalkColumn(int32_t x, Index i, Index j, const RowOf& rowOf, const Extremes& extremes, const To& to) {
  to(x, rowOf(i));
  if (j == i) return;
  const int32_t last = rowOf(j);
  Index t = j;  // first of the trailing points on row `last`
  while (t > i && rowOf(t - 1) == last) --t;
  if (t > i) {
    int32_t lo, hi;
    extremes(i, t, lo, hi);
    if (hi == last) {
      to(x, hi);
      to(x, lo);
    } else {
      to(x, lo);
      to(x, hi);
    }
  }
  to(x, last);
}

/// Last index of the run of points from `from` (at most `last`) on pixel column `column`, for
/// columns columnOf(k) that move monotonically with the index. `length` is the expected length
/// of the run (that of the previous column): the search starts at its predicted end.
template <class ColumnOf>
int32_t ColumnEnd(int32_t from, int32_t last, int32_t column, int32_t length, const ColumnOf& columnOf) {
  // Probe the predicted end; gallop from it, forward while on the column or backward while past
  // it, then bisect between the last index known on the column and the first known past it.
  // Dense data of even spacing ends each column within a probe or two of the prediction.
  int32_t on = from;
  int32_t past = last + 1;
  const int32_t hint = length > 1 && last - from >= length - 1 ? from + length - 1 : from;
  if (hint > from && columnOf(hint) != column) {
    past = hint;
    for (int32_t step = 1; past - on > 1;) {
      const int32_t probe = past - on > step ? past - step : on;
      if (probe == on) break;
      if (columnOf(probe) == column) {
        on = probe;
        break;
      }
      past = probe;
      step = step < (1 << 29) ? step * 2 : step;
    }
  } else {
    on = hint;
    for (int32_t step = 1; on < last;) {
      const int32_t probe = last - on > step ? on + step : last;
      if (columnOf(probe) != column) {
        past = probe;
        break;
      }
      on = probe;
      step = step < (1 << 29) ? step * 2 : step;
    }
  }
  while (past - on > 1) {
    const int32_t mid = on + (past - on) / 2;
    if (columnOf(mid) == column)
      on = mid;
    else
      past = mid;
  }
  return on;
}

}  // namespace chart
