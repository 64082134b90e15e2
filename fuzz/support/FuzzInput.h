#pragma once
// The bytes of one fuzz input, taken from the front as choices and values; past the end every
// read gives zeros, so any input is a complete recipe.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace fuzz {

/// Stops the run with a message: a result the target checks is wrong (libFuzzer keeps the input).
[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
  std::abort();
}

inline void Check(bool ok, const std::string& what) {
  if (!ok) Fail(what);
}

class TFuzzInput {
public:
  TFuzzInput(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

  bool Empty() const { return mPos >= mSize; }
  size_t Remaining() const { return mPos < mSize ? mSize - mPos : 0; }

  uint8_t Byte() { return mPos < mSize ? mData[mPos++] : 0; }
  bool Bool() { return (Byte() & 1) != 0; }
  /// 0 .. n-1 (n > 0).
  uint32_t Below(uint32_t n) { return n <= 256 ? Byte() % n : Raw<uint32_t>() % n; }

  template <class T>
  T Raw() {
    T value{};
    uint8_t bytes[sizeof(T)] = {};
    for (uint8_t& b : bytes) b = Byte();
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

  /// A whole number: most often one of the values at the edges of the range, else any.
  int32_t Int() {
    static constexpr int32_t Edges[] = {0,     1,      -1,     2,          10,         100,        255,
                                        1000,  -1000,  65535,  100000,     -100000,    1 << 24,    -(1 << 24),
                                        INT32_MAX, INT32_MIN, INT32_MAX - 1, INT32_MIN + 1};
    const uint8_t pick = Byte();
    if (pick < 2 * sizeof(Edges) / sizeof(Edges[0])) return Edges[pick / 2];
    return Raw<int32_t>();
  }

  /// A real: most often NaN, an infinity, the ends of the double range or a plain value.
  double Real() {
    static const double Edges[] = {0.0,  -0.0, 1.0,  -1.0,  0.5,    10.0,   1000.0, -1000.0, 1e-300, 1e300,
                                   1e308, -1e308, std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                                   std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                                   36526.0, 36526.5, 2958465.0, -693593.0, 1e15, 2147483647.5, -2147483648.5};
    const uint8_t pick = Byte();
    if (pick < 2 * sizeof(Edges) / sizeof(Edges[0])) return Edges[pick / 2];
    if (pick < 200) return static_cast<double>(Raw<int16_t>()) / (1 + Byte());
    return Raw<double>();
  }

  /// Up to `maxLength` bytes, ending early at a zero byte.
  std::string Text(size_t maxLength) {
    std::string s;
    while (s.size() < maxLength && !Empty()) {
      const char c = static_cast<char>(Byte());
      if (c == 0) break;
      s.push_back(c);
    }
    return s;
  }

private:
  const uint8_t* mData;
  size_t mSize;
  size_t mPos = 0;
};

/// Same value, NaN equal to NaN and 0 distinct from -0.
inline bool SameReal(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

}  // namespace fuzz
