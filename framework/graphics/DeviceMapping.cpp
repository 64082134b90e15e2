#include "framework/graphics/DeviceMapping.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace fw {

TDeviceBox DeviceBox(int64_t left, int64_t top, int64_t right, int64_t bottom, double ratio) {
  return {DeviceEdge(left, ratio), DeviceEdge(top, ratio), DeviceEdge(right, ratio), DeviceEdge(bottom, ratio)};
}

TThickLine ThickDeviceLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int32_t width) {
  TThickLine line{x1, y1, x2, y2, std::max<int32_t>(width, 1), false};
  // The rasterizer steps along the longer axis (x on ties): copies shift across it.
  line.ShiftX = std::llabs(y2 - y1) > std::llabs(x2 - x1);
  return line;
}

TThickLine MapCosmeticLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, double ratio, int32_t width) {
  const int64_t dx = int64_t{x2} - x1, dy = int64_t{y2} - y1;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  // Along the major axis: the near device edge of the logical pixel on the side the line
  // comes from, so that start-in / end-out covers whole logical pixels.
  auto along = [ratio](int64_t p, int64_t step) { return step >= 0 ? DeviceEdge(p, ratio) : DeviceEdge(p + 1, ratio) - 1; };
  int64_t X1, Y1, X2, Y2;
  if (xMajor) {
    X1 = along(x1, dx);
    X2 = along(x2, dx);
    Y1 = DeviceEdge(y1, ratio);
    Y2 = DeviceEdge(y2, ratio);
  } else {
    Y1 = along(y1, dy);
    Y2 = along(y2, dy);
    X1 = DeviceEdge(x1, ratio);
    X2 = DeviceEdge(x2, ratio);
  }
  return ThickDeviceLine(X1, Y1, X2, Y2, width);
}

bool LimitDeviceLine(TThickLine& line) {
  constexpr int64_t Limit = int64_t{1} << 30;
  auto inside = [](int64_t v) { return v >= -Limit && v <= Limit; };
  if (inside(line.X1) && inside(line.Y1) && inside(line.X2) && inside(line.Y2)) return true;
  const double x0 = static_cast<double>(line.X1), y0 = static_cast<double>(line.Y1);
  const double dx = static_cast<double>(line.X2 - line.X1), dy = static_cast<double>(line.Y2 - line.Y1);
  const double lim = static_cast<double>(Limit);
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 + lim, lim - x0, y0 + lim, lim - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  auto cut = [lim](double v) { return static_cast<int64_t>(std::clamp(std::round(v), -lim, lim)); };
  const bool shiftX = line.ShiftX;
  line.X1 = cut(x0 + t0 * dx);
  line.Y1 = cut(y0 + t0 * dy);
  line.X2 = cut(x0 + t1 * dx);
  line.Y2 = cut(y0 + t1 * dy);
  line.ShiftX = shiftX;
  return true;
}

TOutlineBands OutlineBands(const TDeviceBox& box, int32_t width) {
  TOutlineBands bands;
  if (box.Empty()) return bands;
  const int64_t w = std::max<int32_t>(width, 1);
  const int64_t x0 = box.Left, y0 = box.Top, x1 = box.Right, y1 = box.Bottom;
  if (x1 - x0 <= 2 * w || y1 - y0 <= 2 * w) {
    // No inside: the whole box is outline, drawn as one band of rows or of columns, whichever
    // needs fewer lines (at most 2 * width).
    bands.Filled = true;
    if (y1 - y0 <= x1 - x0)
      bands.Sides[0] = {x0, y0, x1, y0, static_cast<int32_t>(y1 - y0), false};
    else
      bands.Sides[0] = {x0, y0, x0, y1, static_cast<int32_t>(x1 - x0), true};
    bands.Count = 1;
    return bands;
  }
  const int32_t n = static_cast<int32_t>(w);
  bands.Sides[0] = {x0, y0, x1 - w, y0, n, false};              // top, to the right
  bands.Sides[1] = {x1 - w, y0, x1 - w, y1 - w, n, true};       // right, down
  bands.Sides[2] = {x1 - 1, y1 - w, x0 + w - 1, y1 - w, n, false};  // bottom, to the left
  bands.Sides[3] = {x0, y1 - 1, x0, y0 + w - 1, n, true};       // left, up
  bands.Count = 4;
  bands.Inside = {x0 + w, y0 + w, x1 - w, y1 - w};
  return bands;
}

std::vector<int> ScaledDashes(const std::vector<int>& dashes, double ratio) {
  std::vector<int> scaled;
  scaled.reserve(dashes.size());
  for (int d : dashes) scaled.push_back(static_cast<int>(std::max<int64_t>(1, DeviceEdge(d, ratio))));
  return scaled;
}

QBrush ScaledHatchBrush(Qt::BrushStyle style, const QColor& color, double ratio) {
  constexpr int Size = 8;
  // The pattern as Qt draws it at ratio 1, read back pixel by pixel.
  QImage pattern(Size, Size, QImage::Format_ARGB32_Premultiplied);
  pattern.fill(Qt::transparent);
  {
    QPainter p(&pattern);
    p.fillRect(pattern.rect(), QBrush(Qt::black, style));
  }
  const int64_t device = std::max<int64_t>(1, DeviceSize(Size, ratio));
  QImage texture(static_cast<int>(device), static_cast<int>(device), QImage::Format_ARGB32_Premultiplied);
  texture.fill(Qt::transparent);
  QPainter p(&texture);
  for (int j = 0; j < Size; ++j)
    for (int i = 0; i < Size; ++i)
      if (qAlpha(pattern.pixel(i, j)) != 0) {
        const TDeviceBox b = DeviceBox(i, j, i + 1, j + 1, ratio);
        if (!b.Empty())
          p.fillRect(QRect(static_cast<int>(b.Left), static_cast<int>(b.Top), static_cast<int>(b.Right - b.Left),
                           static_cast<int>(b.Bottom - b.Top)),
                     color);
      }
  p.end();
  return QBrush(texture);
}

}  // namespace fw
