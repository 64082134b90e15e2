#include "framework/runtime/ExtendedSine.h"

#include <bit>
#include <cstdint>

// Like the whole project, this file is compiled without contraction of a * b + c into one
// fused operation (see CMakeLists.txt): every step below relies on its own rounding.

namespace fw::detail {
namespace {

struct TSineEntry {
  double High, Low;   // High + Low: the value to about 2^-106
  double Head, Tail;  // Head + Tail: the same value, with 26 significant bits in Head
};

#include "framework/runtime/SineTable.inc"

// The core below is written once for one double and for a pair of doubles (two arguments in
// the two lanes of a vector register); every operation rounds lane by lane exactly as the
// scalar one does, so a sine computed in a pair has the same bits as one computed alone.
using TPair = double __attribute__((vector_size(16)));
using TPairBits = int64_t __attribute__((vector_size(16)));

constexpr int64_t Head26Mask = ~((int64_t{1} << 27) - 1);

/// x cut to its leading 26 significant bits, so that the product of two such values is exact.
inline double Head26(double x) { return std::bit_cast<double>(std::bit_cast<int64_t>(x) & Head26Mask); }
inline TPair Head26(TPair x) { return reinterpret_cast<TPair>(reinterpret_cast<TPairBits>(x) & Head26Mask); }

/// The table values that the sine of k steps needs: S = sin(k pi/128) and C = cos(k pi/128).
template <class V>
struct TStepValues {
  V SinHigh, SinLow, CosHead, CosTail, CosHigh;
};

inline unsigned StepIndex(double k) { return static_cast<unsigned>(static_cast<int64_t>(k)) & 255u; }

inline TStepValues<double> StepValues(double k) {
  const unsigned j = StepIndex(k);
  const TSineEntry& s = SineTable[j];
  const TSineEntry& c = SineTable[(j + 64) & 255u];
  return {s.High, s.Low, c.Head, c.Tail, c.High};
}

inline TStepValues<TPair> StepValues(TPair k) {
  const TStepValues<double> a = StepValues(k[0]), b = StepValues(k[1]);
  return {TPair{a.SinHigh, b.SinHigh}, TPair{a.SinLow, b.SinLow}, TPair{a.CosHead, b.CosHead},
          TPair{a.CosTail, b.CosTail}, TPair{a.CosHigh, b.CosHigh}};
}

/// The rounding error of s = a + b, so that a + b = s + error exactly.
template <class V>
inline V SumError(V a, V b, V s) {
  const V bPart = s - a;
  return (a - (s - bPart)) + (b - bPart);
}

/// sin(high + low) as sum + small.
template <class V>
[[gnu::always_inline]] inline void TableSineCore(V high, V low, V& sum, V& small) {
  // k, the nearest whole number of steps of pi/128 (adding and removing 1.5 * 2^52 rounds a
  // double of magnitude below 2^51 to a whole number); below 2^21, |k| < 2^27, so k times each
  // of the first three pieces of the step is exact. Then r = x - k pi/128 as r + rLow, where
  // rLow stays within a few units of r's last place (the terms of second order in rLow are
  // left out below).
  // Constants as values of V.
  const V shift = V{} + 0x1.8p52, stepsPerRadian = V{} + StepsPerRadian;
  const V step1 = V{} + StepPiece1, step2 = V{} + StepPiece2, step3 = V{} + StepPiece3, step4 = V{} + StepPiece4;
  const V k = (high * stepsPerRadian + shift) - shift;
  const V reduced = high - k * step1;  // exact: near high
  const V piece2 = k * step2, piece3 = k * step3;
  const V r1 = reduced - piece2;
  const V r2 = r1 - piece3;
  const V r = r2 + low;
  const V rLow = ((SumError(reduced, -piece2, r1) + SumError(r1, -piece3, r2)) + SumError(r2, low, r)) - k * step4;

  // sin(r) - r and cos(r) - 1 for |r| <= pi/256 (Taylor; the next terms are below 2^-66).
  const V s3 = V{} - 1.0 / 6, s5 = V{} + 1.0 / 120, s7 = V{} - 1.0 / 5040;
  const V c2 = V{} - 0.5, c4 = V{} + 1.0 / 24, c6 = V{} - 1.0 / 720;
  const V rr = r * r;
  const V sinTail = r * rr * (s3 + rr * (s5 + rr * s7));
  const V cosTail = rr * (c2 + rr * (c4 + rr * c6));

  // sin(x) = S + C (r + rLow + sinTail) + S cosTail with S, C the sine and cosine of k pi/128.
  // S + C r, the large part, is kept exactly as sum + error terms (the product of the two
  // 26-bit heads is exact); everything else is small against the result, so the order in which
  // it is added up (a tree, for a short chain of dependent additions) hardly matters.
  const TStepValues<V> t = StepValues(k);
  const V rHead = Head26(r);
  const V product = t.CosHead * rHead;
  sum = t.SinHigh + product;
  small = ((SumError(t.SinHigh, product, sum) + t.SinLow) + (t.CosHead * (r - rHead) + t.CosTail * r)) +
          (t.CosHigh * rLow + (t.CosHigh * sinTail + t.SinHigh * cosTail));
}

}  // namespace

TDoubleDouble TableSine(TDoubleDouble x) {
  TDoubleDouble sine;
  TableSineCore(x.High, x.Low, sine.High, sine.Low);
  return sine;
}

TDoubleDoublePair TableSines(TDoubleDouble x, TDoubleDouble y) {
  TPair sum, small;
  TableSineCore(TPair{x.High, y.High}, TPair{x.Low, y.Low}, sum, small);
  return {{sum[0], small[0]}, {sum[1], small[1]}};
}

long double ProcessorSine(long double x) {
#if defined(__x86_64__) || defined(__i386__)
  long double result;
  __asm__("fsin" : "=t"(result) : "0"(x));
  return result;
#else
  return std::sin(x);
#endif
}

}  // namespace fw::detail
