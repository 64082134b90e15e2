#include "framework/graphics/TSurface.h"

#include <cstring>
#include <typeinfo>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <typeinfo>
#include <vector>

#include "framework/graphics/FontPixels.h"
#include "framework/graphics/PixelOps.h"
#include "framework/graphics/ShapeRows.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TGraphic.h"
#include "framework/graphics/TTextCache.h"

namespace fw {

namespace {

// Shapes that Qt strokes or fills are kept inside this range: far larger than any image, small
// enough for Qt's fixed-point rasterizer.
constexpr int32_t ShapeLimit = 1 << 16;
// Rectangles (fills, clip boxes, copies) only need their edges kept free of overflow.
constexpr int32_t RectLimit = 1 << 28;

int32_t ClampTo(int64_t v, int32_t limit) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, -static_cast<int64_t>(limit), limit));
}

/// TColor (red in the low byte) to an opaque QRgb.
uint32_t ToQRgb(TColor color) {
  const uint32_t c = static_cast<uint32_t>(ColorToRGB(color));
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

TColor FromQRgb(uint32_t rgb) {
  return static_cast<TColor>(((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16));
}

QPainter::CompositionMode CompositionFor(TPenMode mode) {
  switch (mode) {
    case pmBlack: return QPainter::CompositionMode_Clear;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

/// Dash patterns of cosmetic pens in pixels: on, off, on, off...
std::vector<int> DashPattern(TPenStyle style) {
  switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    case psAlternate: return {1, 1};
    default: return {};
  }
}

QRect ToQRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  const int32_t l = ClampTo(left, RectLimit), t = ClampTo(top, RectLimit);
  const int32_t r = ClampTo(right, RectLimit), b = ClampTo(bottom, RectLimit);
  if (r <= l || b <= t) return QRect();
  return QRect(l, t, r - l, b - t);
}

QRect ToQRect(const TRect& r) { return ToQRect(r.Left, r.Top, r.Right, r.Bottom); }

/// Cuts a polygon to a square far outside any image (Sutherland-Hodgman), so that Qt never sees
/// coordinates its fixed-point rasterizer cannot hold. Edges inside the square are unchanged.
QPolygonF LimitPolygon(std::span<const TPoint> points) {
  QPolygonF poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  bool inside = true;
  for (const TPoint& p : points) {
    poly.append(QPointF(p.X, p.Y));
    if (std::abs(static_cast<int64_t>(p.X)) > ShapeLimit || std::abs(static_cast<int64_t>(p.Y)) > ShapeLimit)
      inside = false;
  }
  if (inside) return poly;
  const double lim = ShapeLimit;
  for (int edge = 0; edge < 4 && !poly.isEmpty(); ++edge) {
    auto in = [edge, lim](const QPointF& p) {
      switch (edge) {
        case 0: return p.x() >= -lim;
        case 1: return p.x() <= lim;
        case 2: return p.y() >= -lim;
        default: return p.y() <= lim;
      }
    };
    auto cut = [edge, lim](const QPointF& a, const QPointF& b) {
      const bool vertical = edge < 2;
      const double bound = (edge == 0 || edge == 2) ? -lim : lim;
      const double t = vertical ? (bound - a.x()) / (b.x() - a.x()) : (bound - a.y()) / (b.y() - a.y());
      return QPointF(a.x() + t * (b.x() - a.x()), a.y() + t * (b.y() - a.y()));
    };
    QPolygonF out;
    for (qsizetype i = 0; i < poly.size(); ++i) {
      const QPointF& cur = poly[i];
      const QPointF& prev = poly[(i + poly.size() - 1) % poly.size()];
      if (in(cur)) {
        if (!in(prev)) out.append(cut(prev, cur));
        out.append(cur);
      } else if (in(prev)) {
        out.append(cut(prev, cur));
      }
    }
    poly = out;
  }
  return poly;
}

/// Cuts a line to the square that Qt can rasterize (Liang-Barsky), keeping its direction, so
/// that the visible part of a line with far-away ends is drawn where it belongs. False when
/// nothing of it lies inside.
bool LimitLine(QLineF& line) {
  const double lim = ShapeLimit;
  const double x0 = line.x1(), y0 = line.y1(), dx = line.dx(), dy = line.dy();
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
  line = QLineF(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
  return true;
}

bool HaveGuiApplication() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

/// Where a text lies relative to its anchor, in the text's own (unrotated) frame: the cell's
/// top-left corner by the alignment flags, the advance width, the ascent and the cell height.
struct TextPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int ascent = 0;
  int cell = 0;
};

TextPlacement PlaceText(const QFontMetrics& fm, const QString& s, int32_t align) {
  TextPlacement t;
  t.width = fm.horizontalAdvance(s);
  t.ascent = fm.ascent();
  t.cell = fm.ascent() + fm.descent();
  if ((align & TA_CENTER) == TA_CENTER)
    t.left = -t.width / 2;
  else if ((align & TA_CENTER) == TA_RIGHT)
    t.left = -t.width;
  if ((align & TA_BASELINE) == TA_BASELINE)
    t.top = -t.ascent;
  else if ((align & TA_BASELINE) == TA_BOTTOM)
    t.top = -t.cell;
  return t;
}

/// The one place where text reaches pixels through the painter: the surface draws with it and
/// the text cache renders its pictures with it, so both agree pixel for pixel. The cell is
/// filled when a cell colour is given, the text drawn when a text colour is given.
void PaintText(QPainter& p, int x, int y, int32_t orientation, const TextPlacement& t, const QFont& font,
               const QString& s, const QColor* cellColor, const QColor* textColor) {
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.translate(x, y);
  if (orientation % 3600 != 0) p.rotate(-orientation / 10.0);
  if (cellColor != nullptr) p.fillRect(QRect(t.left, t.top, t.width, t.cell), *cellColor);
  if (textColor != nullptr) {
    p.setFont(font);
    p.setPen(*textColor);
    p.drawText(QPoint(t.left, t.top + t.ascent), s);
  }
  p.restore();
}

/// Rotations whose transform has exact sines and cosines (Qt builds the quarter turns other
/// than -180 degrees from exact values): a text drawn with one of them at any whole-pixel
/// anchor is the same picture shifted. Other angles are drawn by the painter every time.
bool ExactTextRotation(int32_t orientation) {
  if (orientation % 3600 == 0) return true;
  const double a = -orientation / 10.0;
  return a == 90 || a == -90 || a == 180 || a == 270 || a == -270;
}

/// A horizontal run of pixels relative to a text's anchor.
struct TextRun {
  int32_t x = 0;
  int32_t y = 0;
  int32_t length = 0;
};

/// The pixels of one text drawn with one font, rotation and alignment. Text is drawn without
/// antialiasing, so every pixel is either the text colour or untouched.
struct TextPicture {
  bool cached = false;        // false: this text is drawn by the painter every time
  std::vector<TextRun> ink;   // pixels in the text colour
  std::vector<TextRun> cell;  // the cell, filled first in opaque background mode
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // bounds of ink and cell, exclusive
};

// A text picture larger than this is not kept (huge fonts, long texts).
constexpr int64_t MaxTextPicturePixels = 1 << 20;
// Nor one of more runs than this, so that the cache stays small whatever it holds.
constexpr size_t MaxTextPictureRuns = 1 << 14;

}  // namespace

struct TSurface::Impl {
  // Target.
  QImage own;
  QImage* target = nullptr;
  QPainter painter;
  uint32_t* bits = nullptr;
  qsizetype stride = 0;  // in pixels
  int width = 0;
  int height = 0;
  bool monochrome = false;

  // Device context state.
  TColor bkColor = clWhite;  // plain RGB
  int32_t bkMode = OPAQUE;
  int32_t textAlign = TA_LEFT | TA_TOP;
  TColor textColor = clBlack;  // plain RGB

  // Selected pen.
  uint32_t penRgb = 0xFF000000u;
  int32_t penWidth = 1;
  TPenStyle penStyle = psSolid;
  TPenMode penMode = pmCopy;
  std::array<uint8_t, 24> penMask{};  // 1 where the pattern sets the pixel
  int penPeriod = 0;                  // 0: solid

  // Selected brush.
  bool brushClear = false;
  bool brushHatched = false;
  QBrush brush{QColor(255, 255, 255)};

  // Selected font.
  QFont font;
  std::optional<QFontMetrics> metrics;
  int32_t orientation = 0;

  // Clip region in device pixels.
  bool clipped = false;
  QRegion clip;
  std::vector<QRect> clipRects;  // banded: sorted by top, rectangles of one band share top and bottom
  QRect drawable;                // image intersected with the clip region's bounds

  std::vector<std::pair<double, QPoint>> styledOutline;  // scratch of DrawRowShape, capacity kept

  /// Vertical runs of solid copy-mode line pixels not yet written, one run per column, all in
  /// one colour. Consecutive steep lines of a dense curve cover much of the same columns again
  /// and again: their runs are merged here, and written once, a row of up to eight columns at
  /// a time where neighbouring columns overlap. The pixels are the same as drawn at once (one
  /// colour copied: the order does not matter). Any other drawing or reading writes them first.
  struct TColumnRuns {
    bool Active = false;
    uint32_t Rgb = 0;
    int32_t Left = 0, Right = 0;       // columns that may hold a run
    std::vector<int32_t> Top, Bottom;  // per image column: rows Top to Bottom - 1; empty when equal
  } columnRun;

  void WriteColumn(int64_t x, int64_t top, int64_t bottom, uint32_t rgb) {
    uint32_t* p = bits + top * static_cast<int64_t>(stride) + x;
    for (int64_t y = top; y < bottom; ++y, p += stride) *p = rgb;
  }

  void FlushColumnRun() {
    TColumnRuns& runs = columnRun;
    if (!runs.Active) return;
    runs.Active = false;
    constexpr int32_t Group = 8;
    const uint32_t rgb = runs.Rgb;
    for (int32_t x0 = runs.Left; x0 <= runs.Right; x0 += Group) {
      const int32_t n = std::min(Group, runs.Right + 1 - x0);
      int32_t commonTop = 0, commonBottom = INT32_MAX;
      for (int32_t x = x0; x < x0 + n; ++x) {
        commonTop = std::max(commonTop, runs.Top[static_cast<size_t>(x)]);
        commonBottom = std::min(commonBottom, runs.Bottom[static_cast<size_t>(x)]);
      }
      if (commonTop >= commonBottom) commonTop = commonBottom = 0;  // no row is shared by all
      for (int64_t y = commonTop; y < commonBottom; ++y) {
        uint32_t* row = bits + y * static_cast<int64_t>(stride) + x0;
        if (n == Group) {
          for (int32_t k = 0; k < Group; ++k) row[k] = rgb;
        } else {
          std::fill_n(row, n, rgb);
        }
      }
      for (int32_t x = x0; x < x0 + n; ++x) {
        int32_t& top = runs.Top[static_cast<size_t>(x)];
        int32_t& bottom = runs.Bottom[static_cast<size_t>(x)];
        if (top < bottom) {
          if (commonTop < commonBottom) {
            WriteColumn(x, top, commonTop, rgb);
            WriteColumn(x, commonBottom, bottom, rgb);
          } else {
            WriteColumn(x, top, bottom, rgb);
          }
        }
        top = bottom = 0;
      }
    }
  }

  /// Adds rows top to bottom - 1 of column x (inside the image) to the pending runs.
  void AddColumnRun(int64_t x, int64_t top, int64_t bottom, uint32_t rgb) {
    TColumnRuns& runs = columnRun;
    if (runs.Active && runs.Rgb != rgb) FlushColumnRun();
    if (!runs.Active) {
      if (runs.Top.size() != static_cast<size_t>(width)) {
        runs.Top.assign(static_cast<size_t>(width), 0);
        runs.Bottom.assign(static_cast<size_t>(width), 0);
      }
      runs.Active = true;
      runs.Rgb = rgb;
      runs.Left = runs.Right = static_cast<int32_t>(x);
    }
    int32_t& t = runs.Top[static_cast<size_t>(x)];
    int32_t& b = runs.Bottom[static_cast<size_t>(x)];
    if (t >= b) {
      t = static_cast<int32_t>(top);
      b = static_cast<int32_t>(bottom);
    } else if (top <= b && bottom >= t) {
      t = std::min(t, static_cast<int32_t>(top));
      b = std::max(b, static_cast<int32_t>(bottom));
    } else {
      // A second, separate run in this column: the first one is written now.
      WriteColumn(x, t, b, rgb);
      t = static_cast<int32_t>(top);
      b = static_cast<int32_t>(bottom);
    }
    runs.Left = std::min(runs.Left, static_cast<int32_t>(x));
    runs.Right = std::max(runs.Right, static_cast<int32_t>(x));
  }

  bool Painting() const { return bits != nullptr; }

  void Begin() {
    if (target == nullptr || target->isNull()) return;
    const QImage::Format f = target->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied) return;
    target->bits();  // detach first: the painter and the direct pixel access must share one buffer
    if (!painter.begin(target)) return;
    bits = reinterpret_cast<uint32_t*>(const_cast<uchar*>(target->constBits()));
    stride = target->bytesPerLine() / 4;
    width = target->width();
    height = target->height();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    ApplyClip();
  }

  void End() {
    if (Painting()) FlushColumnRun();
    if (painter.isActive()) painter.end();
    bits = nullptr;
    stride = 0;
    width = 0;
    height = 0;
    drawable = QRect();
  }

  void ApplyClip() {
    drawable = QRect(0, 0, width, height);
    if (clipped) drawable &= clip.boundingRect();
    if (!painter.isActive()) return;
    if (clipped) {
      // A region set while clipping is switched off does not take effect for fills.
      painter.setClipping(true);
      painter.setClipRegion(clip);
    } else {
      painter.setClipping(false);
    }
  }

  void SetClip(const QRegion& region) {
    clipped = true;
    clip = region;
    clipRects.assign(clip.begin(), clip.end());
    ApplyClip();
  }

  const QRect& DrawableBox() const { return drawable; }

  /// Whether a pixel inside the drawable box lies in the clip region.
  bool ClipAllows(int x, int y) const {
    if (!clipped || clipRects.size() == 1) return true;  // one rectangle: the box test suffices
    auto it = std::partition_point(clipRects.begin(), clipRects.end(), [y](const QRect& r) { return r.bottom() < y; });
    for (; it != clipRects.end() && it->top() <= y; ++it)
      if (it->contains(x, y)) return true;
    return false;
  }

  void Plot(int x, int y, uint32_t rgb, TPenMode mode) {
    uint32_t* p = bits + static_cast<qsizetype>(y) * stride + x;
    *p = mode == pmCopy ? rgb : ApplyRop(mode, rgb, *p);
  }

  /// Cosmetic line from (x1, y1) to (x2, y2): start pixel set, end pixel excluded, one pixel
  /// per step of the major axis, the minor coordinate rounded (halves towards the end point).
  /// Only the steps inside the drawable box are visited, so any coordinates are cheap.
  void RasterLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int64_t dx = static_cast<int64_t>(x2) - x1, dy = static_cast<int64_t>(y2) - y1;
    if (dx == 0 && dy == 0) return;
    const QRect& box = DrawableBox();
    if (box.isEmpty()) return;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t a = xMajor ? std::abs(dx) : std::abs(dy);  // steps
    const int64_t b = xMajor ? std::abs(dy) : std::abs(dx);
    const int64_t m1 = xMajor ? x1 : y1, n1 = xMajor ? y1 : x1;
    const int sm = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int sn = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const int64_t lo = xMajor ? box.left() : box.top(), hi = (xMajor ? box.right() : box.bottom()) + 1;
    const int64_t nlo = xMajor ? box.top() : box.left(), nhi = (xMajor ? box.bottom() : box.right()) + 1;
    int64_t iLo = sm > 0 ? lo - m1 : m1 - hi + 1;
    int64_t iHi = sm > 0 ? hi - m1 : m1 - lo + 1;
    iLo = std::max<int64_t>(iLo, 0);
    iHi = std::min<int64_t>(iHi, a);
    if (iLo >= iHi) return;
    // Minor offset at step i: floor((2 i b + a) / 2a), kept incrementally as quotient and rest.
    int64_t q = 0, r = a;
    if (iLo > 0) {
      const __int128 num = static_cast<__int128>(2) * iLo * b + a;
      q = static_cast<int64_t>(num / (2 * a));
      r = static_cast<int64_t>(num % (2 * a));
    }
    const bool boxClip = !clipped || clipRects.size() == 1;
    if (penPeriod == 0 && penMode == pmCopy && boxClip) {
      SolidCopyRuns(xMajor, m1, n1, sm, sn, a, b, iLo, iHi, q, r, nlo, nhi);
      return;
    }
    FlushColumnRun();  // the pixels below may be read or overwritten in another colour
    const bool opaqueGaps = penPeriod != 0 && bkMode == OPAQUE;
    const uint32_t gapRgb = ToQRgb(bkColor);
    const uint32_t rgb = penRgb;
    const TPenMode mode = penMode;
    int phase = penPeriod != 0 ? static_cast<int>(iLo % penPeriod) : 0;
    if (boxClip && mode == pmCopy) {
      // Patterned copy lines (grids): step an index into the image, as the solid runs do.
      const int64_t rowStride = stride;
      const int64_t stepM = xMajor ? sm : sm * rowStride, stepN = xMajor ? sn * rowStride : sn;
      int64_t n = n1 + sn * q;
      const int64_t m = m1 + sm * iLo;
      int64_t index = xMajor ? n * rowStride + m : m * rowStride + n;
      if (b == 0) {
        // Along a row or a column: one clip test for the whole line, then one pass per place
        // in the pattern (each pixel is written once, so the order does not matter).
        if (n < nlo || n >= nhi) return;
        uint32_t* const first = bits + index;
        const int64_t period = penPeriod;
        for (int64_t place = 0; place < period; ++place) {
          const bool on = penMask[static_cast<size_t>((phase + place) % period)] != 0;
          if (!on && !opaqueGaps) continue;
          const uint32_t colour = on ? rgb : gapRgb;
          const int64_t step = stepM * period;
          uint32_t* p = first + place * stepM;
          for (int64_t i = iLo + place; i < iHi; i += period, p += step) *p = colour;
        }
        return;
      }
      for (int64_t i = iLo; i < iHi; ++i) {
        if (n >= nlo && n < nhi) {
          if (penMask[static_cast<size_t>(phase)])
            bits[index] = rgb;
          else if (opaqueGaps)
            bits[index] = gapRgb;
        }
        if (++phase == penPeriod) phase = 0;
        index += stepM;
        r += 2 * b;
        if (r >= 2 * a) {
          r -= 2 * a;
          n += sn;
          index += stepN;
        }
      }
      return;
    }
    for (int64_t i = iLo; i < iHi; ++i) {
      const int64_t m = m1 + sm * i, n = n1 + sn * q;
      if (n >= nlo && n < nhi) {
        const int x = static_cast<int>(xMajor ? m : n), y = static_cast<int>(xMajor ? n : m);
        if (boxClip || ClipAllows(x, y)) {
          if (penPeriod == 0 || penMask[static_cast<size_t>(phase)])
            Plot(x, y, rgb, mode);
          else if (opaqueGaps)
            Plot(x, y, gapRgb, mode);
        }
      }
      if (penPeriod != 0 && ++phase == penPeriod) phase = 0;
      r += 2 * b;
      if (r >= 2 * a) {
        r -= 2 * a;
        ++q;
      }
    }
  }

  /// ceil(num / den) for 0 < num and 0 < den: the division in 32 bits when it fits, which
  /// costs far less than a 64-bit one; steep lines one pixel wide (den 2) shift.
  static int64_t CeilSteps(int64_t num, int64_t den) {
    if (den == 2) return (num + 1) >> 1;
    if (num <= INT32_MAX && den <= INT32_MAX)
      return static_cast<int64_t>((static_cast<uint32_t>(num) + static_cast<uint32_t>(den) - 1) / static_cast<uint32_t>(den));
    return (num + den - 1) / den;
  }

  /// The common case of RasterLine (solid pen, copy mode, the drawable box as the only clip),
  /// drawn as runs of steps that share one minor coordinate: the same pixels as stepping one
  /// pixel at a time, with the minor clip test and the rounding done once per run.
  void SolidCopyRuns(bool xMajor, int64_t m1, int64_t n1, int sm, int sn, int64_t a, int64_t b, int64_t iLo,
                     int64_t iHi, int64_t q, int64_t r, int64_t nlo, int64_t nhi) {
    const int64_t rowStride = stride;
    const uint32_t rgb = penRgb;
    int64_t n = n1 + sn * q;
    int64_t i = iLo;
    while (i < iHi) {
      // Steps until the minor coordinate moves: the least k >= 1 with r + 2bk >= 2a (r < 2a).
      const int64_t k = b == 0 ? iHi - i : CeilSteps(2 * a - r, 2 * b);
      const int64_t end = std::min(i + k, iHi);
      if (n >= nlo && n < nhi) {
        const int64_t mFirst = m1 + sm * i, mLast = m1 + sm * (end - 1);
        const int64_t mLo = std::min(mFirst, mLast), count = end - i;
        if (xMajor) {
          if (columnRun.Rgb != rgb) FlushColumnRun();  // same colour: the order does not matter
          std::fill_n(bits + n * rowStride + mLo, count, rgb);
        } else {
          AddColumnRun(n, mLo, mLo + count, rgb);
        }
      }
      if (end == i + k) {
        r += 2 * b * k - 2 * a;
        n += sn;
        // Past the minor clip in the direction of travel: nothing further can be drawn.
        if ((sn > 0 && n >= nhi) || (sn < 0 && n < nlo)) return;
      }
      i = end;
    }
  }

  bool PenVisible() const { return penStyle != psClear && penMode != pmNop; }

  QPen QtPen(uint32_t rgb, bool styled) const {
    QPen pen{QColor::fromRgb(rgb)};
    if (penWidth > 1) {
      pen.setWidth(penWidth);
      pen.setCapStyle(Qt::RoundCap);
      pen.setJoinStyle(Qt::RoundJoin);
      return pen;
    }
    pen.setWidth(0);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (styled && penPeriod != 0) {
      const std::vector<int> dashes = DashPattern(penStyle);
      QList<qreal> pattern;
      for (int d : dashes) pattern.append(d);
      pen.setDashPattern(pattern);
    }
    return pen;
  }

  /// Line with the selected pen (cosmetic pens by the rasterizer above, wide ones by Qt).
  void Segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!Painting() || !PenVisible()) return;
    if (penWidth <= 1) {
      RasterLine(x1, y1, x2, y2);
      return;
    }
    FlushColumnRun();
    painter.setCompositionMode(CompositionFor(penMode));
    painter.setPen(QtPen(penRgb, false));
    QLineF line(x1, y1, x2, y2);
    if (LimitLine(line)) painter.drawLine(line);
  }

  /// Fills a path with the selected brush (hatch gaps in the background colour when opaque).
  void FillWithBrush(const QPainterPath& path, QPainter::CompositionMode mode) {
    if (brushClear) return;
    painter.setCompositionMode(mode);
    if (brushHatched && bkMode == OPAQUE) painter.fillPath(path, QColor::fromRgb(ToQRgb(bkColor)));
    painter.fillPath(path, brush);
  }

  void FillRectWithBrush(const QRect& rect, QPainter::CompositionMode mode) {
    if (brushClear || rect.isEmpty()) return;
    painter.setCompositionMode(mode);
    if (brushHatched && bkMode == OPAQUE) painter.fillRect(rect, QColor::fromRgb(ToQRgb(bkColor)));
    painter.fillRect(rect, brush);
  }

  /// Strokes a path with the selected pen (dash gaps in the background colour when opaque).
  void StrokeWithPen(const QPainterPath& path) {
    if (!PenVisible()) return;
    painter.setCompositionMode(CompositionFor(penMode));
    painter.setBrush(Qt::NoBrush);
    if (penWidth <= 1 && penPeriod != 0 && bkMode == OPAQUE) {
      painter.setPen(QtPen(ToQRgb(bkColor), false));
      painter.drawPath(path);
    }
    painter.setPen(QtPen(penRgb, true));
    painter.drawPath(path);
  }

  /// Shape of a box given by its corners (any order) with corner ellipses of the given size
  /// (clamped to the box). Wide pens are centred on the one-pixel outline, or kept inside the
  /// box by psInsideFrame.
  RowShape OuterShape(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t cornerW, int64_t cornerH) const {
    RowShape s;
    s.left = std::min(x1, x2);
    s.right = std::max(x1, x2);
    s.top = std::min(y1, y2);
    s.bottom = std::max(y1, y2);
    const int64_t w = PenVisible() ? penWidth : 0;
    const int64_t e = (w > 1 && penStyle != psInsideFrame) ? (w - 1) / 2 : 0;
    s.left -= e;
    s.top -= e;
    s.right += e;
    s.bottom += e;
    const int64_t cw = std::abs(cornerW), ch = std::abs(cornerH);
    if (cw > 0 && ch > 0) {
      s.ew = static_cast<double>(std::min(cw + 2 * e, s.right - s.left));
      s.eh = static_cast<double>(std::min(ch + 2 * e, s.bottom - s.top));
    }
    return s;
  }

  void PlotRun(int64_t y, int64_t l, int64_t r, const QRect& box, const Sweep* sweep) {
    l = std::max<int64_t>(l, box.left());
    r = std::min<int64_t>(r, box.right());
    for (int64_t x = l; x <= r; ++x) {
      if ((sweep != nullptr && !sweep->Contains(x, y)) || !ClipAllows(static_cast<int>(x), static_cast<int>(y)))
        continue;
      if (penPeriod != 0)
        styledOutline.push_back({0.0, QPoint(static_cast<int>(x), static_cast<int>(y))});
      else
        Plot(static_cast<int>(x), static_cast<int>(y), penRgb, penMode);
    }
  }

  /// Styled outlines of curves: the collected pixels take the pen's pattern in counter-clockwise
  /// order around the centre, starting at the given angle.
  void PlotStyledOutline(double cx, double cy, double start) {
    for (auto& [angle, p] : styledOutline) {
      double d = std::atan2(cy - p.y(), p.x() - cx) - start;
      while (d < 0) d += 2 * std::numbers::pi;
      angle = d;
    }
    std::sort(styledOutline.begin(), styledOutline.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    const bool opaqueGaps = bkMode == OPAQUE;
    const uint32_t gapRgb = ToQRgb(bkColor);
    for (size_t k = 0; k < styledOutline.size(); ++k) {
      const QPoint& p = styledOutline[k].second;
      if (penMask[k % static_cast<size_t>(penPeriod)])
        Plot(p.x(), p.y(), penRgb, penMode);
      else if (opaqueGaps)
        Plot(p.x(), p.y(), gapRgb, penMode);
    }
    styledOutline.clear();
  }

  void BrushRun(int64_t y, int64_t l, int64_t r, const QRect& box, const Sweep* sweep,
                QPainter::CompositionMode mode) {
    l = std::max<int64_t>(l, box.left());
    r = std::min<int64_t>(r, box.right());
    int64_t runStart = -1;
    for (int64_t x = l; x <= r + 1; ++x) {
      const bool in = x <= r && (sweep == nullptr || sweep->Contains(x, y));
      if (in && runStart < 0) runStart = x;
      if (!in && runStart >= 0) {
        FillRectWithBrush(QRect(static_cast<int>(runStart), static_cast<int>(y), static_cast<int>(x - runStart), 1),
                          mode);
        runStart = -1;
      }
      if (sweep == nullptr && in) {
        FillRectWithBrush(QRect(static_cast<int>(l), static_cast<int>(y), static_cast<int>(r - l + 1), 1), mode);
        return;
      }
    }
  }

  /// Draws a row shape: the interior with the brush (when fill), the outline with the pen, both
  /// limited to the sweep when one is given (arcs and pies). Every pixel is drawn once.
  void DrawRowShape(const RowShape& outer, bool fill, const Sweep* sweep) {
    if (!Painting() || penMode == pmNop || outer.Empty()) return;
    const QRect box = DrawableBox();
    if (box.isEmpty()) return;
    const QPainter::CompositionMode mode = CompositionFor(penMode);
    const bool pen = PenVisible();
    const RowShape inner = penWidth > 1 ? outer.Shrunk(penWidth) : outer;
    const int64_t yFrom = std::max<int64_t>(outer.top, box.top());
    const int64_t yTo = std::min<int64_t>(outer.bottom - 1, box.bottom());
    for (int64_t y = yFrom; y <= yTo; ++y) {
      int64_t l, r;
      if (!outer.Span(y, l, r)) continue;
      if (!pen) {
        if (fill) BrushRun(y, l, r, box, sweep, mode);
        continue;
      }
      // Interior of this row: inside the inner shape (wide pens) or off the one-pixel boundary.
      int64_t il = 0, ir = -1;
      if (penWidth > 1) {
        if (!inner.Span(y, il, ir)) ir = il - 1;
      } else {
        int64_t ul, ur, dl, dr;
        if (outer.Span(y - 1, ul, ur) && outer.Span(y + 1, dl, dr)) {
          il = std::max({l + 1, ul, dl});
          ir = std::min({r - 1, ur, dr});
        }
      }
      if (il > ir) {
        PlotRun(y, l, r, box, sweep);
        continue;
      }
      if (fill) BrushRun(y, il, ir, box, sweep, mode);
      PlotRun(y, l, il - 1, box, sweep);
      PlotRun(y, ir + 1, r, box, sweep);
    }
    if (!styledOutline.empty()) {
      PlotStyledOutline(static_cast<double>(outer.left + outer.right - 1) / 2.0,
                        static_cast<double>(outer.top + outer.bottom - 1) / 2.0, sweep != nullptr ? sweep->start : 0.0);
    }
  }

  /// Fonts built before, with their metrics: building a font and its metrics costs far more
  /// than drawing a short text, and a chart frame selects the same few fonts again and again.
  struct TFontCacheEntry {
    std::string Name;
    uint32_t Style;
    int32_t Height;
    QFont Font;
    QFontMetrics Metrics;
    uint64_t Id;
    int32_t Cell;  // ascent + descent
  };
  std::vector<TFontCacheEntry> fontCache;
  static constexpr size_t FontCacheSize = 16;
  // Every font built gets a new id, so a cached text can never be taken for another font's.
  uint64_t fontId = 0;
  uint64_t nextFontId = 1;
  int32_t cellHeight = 0;  // of the selected font

  /// Laid-out texts: the advance widths and the pixels of texts drawn before, so that a frame
  /// that draws the same labels again shapes none of them.
  bool textCacheEnabled = true;
  TTextCache<int32_t> textWidths{512};
  TTextCache<TextPicture> textPictures{256};

  void SelectFont(const TFont& f) {
    orientation = f.Orientation();
    textColor = ColorToRGB(f.Color());
    metrics.reset();
    if (!HaveGuiApplication()) return;  // fonts need the GUI application: text draws and measures nothing
    for (const TFontCacheEntry& e : fontCache) {
      if (e.Height == f.Height() && e.Style == static_cast<uint32_t>(f.Style()) && e.Name == f.Name()) {
        font = e.Font;
        metrics.emplace(e.Metrics);
        fontId = e.Id;
        cellHeight = e.Cell;
        return;
      }
    }
    BuildFont(f);
    fontId = nextFontId++;
    cellHeight = metrics->ascent() + metrics->descent();
    if (fontCache.size() == FontCacheSize) fontCache.erase(fontCache.begin());
    fontCache.push_back({f.Name(), static_cast<uint32_t>(f.Style()), f.Height(), font, *metrics, fontId, cellHeight});
  }

  static QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }

  /// Advance width of a text in the selected font (metrics present).
  int32_t TextWidthOf(const std::string& text) {
    if (!textCacheEnabled) return metrics->horizontalAdvance(ToQString(text));
    const TTextKey key{fontId, 0, 0, text};
    if (const int32_t* width = textWidths.Find(key)) return *width;
    return textWidths.Insert(key, metrics->horizontalAdvance(ToQString(text)));
  }

  /// Text with the selected font, alignment, colours and background mode (metrics present).
  void DrawText(int32_t x, int32_t y, const std::string& text) {
    const int32_t align = textAlign & (TA_CENTER | TA_BASELINE);
    if (textCacheEnabled && target->devicePixelRatio() == 1.0) {
      const TTextKey key{fontId, orientation, align, text};
      const TextPicture* picture = textPictures.Find(key);
      if (picture == nullptr) picture = &textPictures.Insert(key, RenderTextPicture(ToQString(text), align));
      if (picture->cached) {
        DrawPicture(*picture, x, y);
        return;
      }
    }
    const QString s = ToQString(text);
    const QColor cellColor = QColor::fromRgb(ToQRgb(bkColor)), inkColor = QColor::fromRgb(ToQRgb(textColor));
    PaintText(painter, ClampTo(x, RectLimit), ClampTo(y, RectLimit), orientation, PlaceText(*metrics, s, align), font,
              s, bkMode == OPAQUE ? &cellColor : nullptr, &inkColor);
  }

  void DrawPicture(const TextPicture& picture, int64_t x, int64_t y) {
    if (picture.left >= picture.right) return;  // nothing to draw (a blank)
    const QRect& box = DrawableBox();
    const bool inside = !(clipped && clipRects.size() > 1) && x + picture.left >= box.left() &&
                        y + picture.top >= box.top() && x + picture.right <= int64_t{box.right()} + 1 &&
                        y + picture.bottom <= int64_t{box.bottom()} + 1;
    if (inside) {
      // Wholly drawable: no run needs cutting.
      const int64_t anchor = y * stride + x;  // may lie outside the image; every run lies inside
      if (bkMode == OPAQUE) FillRunsInside(picture.cell, anchor, ToQRgb(bkColor));
      FillRunsInside(picture.ink, anchor, ToQRgb(textColor));
      return;
    }
    if (bkMode == OPAQUE) FillRuns(picture.cell, x, y, ToQRgb(bkColor));
    FillRuns(picture.ink, x, y, ToQRgb(textColor));
  }

  void FillRunsInside(const std::vector<TextRun>& runs, int64_t anchor, uint32_t rgb) const {
    for (const TextRun& run : runs) {
      uint32_t* p = bits + (anchor + int64_t{run.y} * stride + run.x);
      for (int32_t i = 0; i < run.length; ++i) p[i] = rgb;
    }
  }

  /// Sets the runs, placed at the anchor, to the colour inside the clip region.
  void FillRuns(const std::vector<TextRun>& runs, int64_t x, int64_t y, uint32_t rgb) {
    const QRect& box = DrawableBox();
    const bool regionClip = clipped && clipRects.size() > 1;
    for (const TextRun& run : runs) {
      const int64_t py = y + run.y;
      if (py < box.top() || py > box.bottom()) continue;
      const int64_t l = std::max<int64_t>(x + run.x, box.left());
      const int64_t r = std::min<int64_t>(x + run.x + run.length - 1, box.right());
      if (l > r) continue;
      uint32_t* row = bits + static_cast<qsizetype>(py) * stride;
      if (!regionClip) {
        std::fill(row + l, row + r + 1, rgb);
        continue;
      }
      for (int64_t px = l; px <= r; ++px)
        if (ClipAllows(static_cast<int>(px), static_cast<int>(py))) row[px] = rgb;
    }
  }

  /// Draws the text once into a scratch image, exactly as the painter draws it on the surface,
  /// and keeps its cell and its ink as runs. The picture stays uncached for rotations that are
  /// not exact, for very large texts, and whenever the scratch shows anything but whole pixels
  /// of one colour well inside its border.
  TextPicture RenderTextPicture(const QString& s, int32_t align) {
    TextPicture picture;
    if (!ExactTextRotation(orientation)) return picture;
    const TextPlacement t = PlaceText(*metrics, s, align);
    QTransform rotation;
    if (orientation % 3600 != 0) rotation.rotate(-orientation / 10.0);
    int minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
    for (const QPoint corner : {QPoint(t.left, t.top), QPoint(t.left + t.width, t.top), QPoint(t.left, t.top + t.cell),
                                QPoint(t.left + t.width, t.top + t.cell)}) {
      const QPoint p = rotation.map(corner);
      minX = std::min(minX, p.x());
      minY = std::min(minY, p.y());
      maxX = std::max(maxX, p.x());
      maxY = std::max(maxY, p.y());
    }
    // Glyphs may overhang their cell (italics, bearings); a margin of a cell height holds them.
    const int64_t margin = int64_t{t.cell} + 8;
    const int64_t w = int64_t{maxX} - minX + 2 * margin, h = int64_t{maxY} - minY + 2 * margin;
    if (w * h > MaxTextPicturePixels) return picture;
    const int ox = static_cast<int>(margin - minX), oy = static_cast<int>(margin - minY);
    QImage scratch(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    if (scratch.isNull()) return picture;
    scratch.setDotsPerMeterX(target->dotsPerMeterX());
    scratch.setDotsPerMeterY(target->dotsPerMeterY());
    const QColor mark(Qt::black);
    if (!RenderRuns(scratch, [&](QPainter& p) { PaintText(p, ox, oy, orientation, t, font, s, &mark, nullptr); }, ox,
                    oy, picture.cell))
      return picture;
    if (!RenderRuns(scratch, [&](QPainter& p) { PaintText(p, ox, oy, orientation, t, font, s, nullptr, &mark); }, ox,
                    oy, picture.ink))
      return picture;
    picture.left = INT32_MAX;
    picture.top = INT32_MAX;
    picture.right = INT32_MIN;
    picture.bottom = INT32_MIN;
    for (const std::vector<TextRun>* runs : {&picture.cell, &picture.ink}) {
      for (const TextRun& run : *runs) {
        picture.left = std::min(picture.left, run.x);
        picture.top = std::min(picture.top, run.y);
        picture.right = std::max(picture.right, run.x + run.length);
        picture.bottom = std::max(picture.bottom, run.y + 1);
      }
    }
    if (picture.left > picture.right) picture.left = picture.top = picture.right = picture.bottom = 0;
    picture.cached = true;
    return picture;
  }

  /// Paints into the scratch (white first, painter set up as the surface's) and collects the
  /// black pixels as runs relative to (ox, oy). False when a pixel is neither white nor black or
  /// ink reaches the border, where it might have been cut off.
  template <class Paint>
  static bool RenderRuns(QImage& scratch, const Paint& paint, int ox, int oy, std::vector<TextRun>& runs) {
    constexpr uint32_t White = 0xFFFFFFFFu, Black = 0xFF000000u;
    scratch.fill(White);
    {
      QPainter p(&scratch);
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setRenderHint(QPainter::TextAntialiasing, false);
      p.setRenderHint(QPainter::SmoothPixmapTransform, false);
      paint(p);
    }
    const int w = scratch.width(), h = scratch.height();
    for (int y = 0; y < h; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(scratch.constScanLine(y));
      for (int x = 0; x < w;) {
        if (row[x] == White) {
          ++x;
          continue;
        }
        const int start = x;
        while (x < w && row[x] == Black) ++x;
        if (x == start || (x < w && row[x] != White)) return false;
        if (y == 0 || y == h - 1 || start == 0 || x == w) return false;
        if (runs.size() >= MaxTextPictureRuns) return false;
        runs.push_back({start - ox, y - oy, x - start});
      }
    }
    return true;
  }

  void BuildFont(const TFont& f) {
    QString family = QString::fromStdString(f.Name());
    if (family.compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) == 0) family = QStringLiteral("Sans Serif");
    QFont qf(family);
    qf.setStyleHint(QFont::SansSerif);
    qf.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    qf.setBold((f.Style() & fsBold) != 0);
    qf.setItalic((f.Style() & fsItalic) != 0);
    qf.setUnderline((f.Style() & fsUnderline) != 0);
    qf.setStrikeOut((f.Style() & fsStrikeOut) != 0);
    const int32_t h = f.Height();
    int pixels = FontPixelHeight(h);
    if (h == 0) pixels = 11;
    qf.setPixelSize(std::max(pixels, 1));
    if (h > 0) {
      // A positive height is the cell height: scale the em size so that ascent + descent fits.
      const QFontMetrics probe(qf);
      const int cell = probe.ascent() + probe.descent();
      if (cell > 0) qf.setPixelSize(std::max(1, static_cast<int>(std::lround(double(pixels) * pixels / cell))));
    }
    metrics.emplace(qf);
    font = qf;
  }

  void SelectBrush(const TBrush& b) {
    const TColor rgb = ColorToRGB(b.Color());
    const QColor color = QColor::fromRgb(ToQRgb(rgb));
    brushClear = false;
    brushHatched = false;
    if (b.Bitmap() != nullptr && !b.Bitmap()->Empty()) {
      const QImage* pattern = SurfaceAccess::Image(b.Bitmap()->Canvas());
      brush = pattern != nullptr ? QBrush(pattern->copy()) : QBrush(color);
    } else {
      switch (b.Style()) {
        case bsSolid: brush = QBrush(color); break;
        case bsClear: brushClear = true; break;
        case bsHorizontal: brush = QBrush(color, Qt::HorPattern); break;
        case bsVertical: brush = QBrush(color, Qt::VerPattern); break;
        case bsFDiagonal: brush = QBrush(color, Qt::FDiagPattern); break;
        case bsBDiagonal: brush = QBrush(color, Qt::BDiagPattern); break;
        case bsCross: brush = QBrush(color, Qt::CrossPattern); break;
        case bsDiagCross: brush = QBrush(color, Qt::DiagCrossPattern); break;
      }
      brushHatched = b.Style() >= bsHorizontal;
    }
    if (b.Style() == bsSolid) {
      bkMode = OPAQUE;
      bkColor = rgb;
    } else {
      bkMode = TRANSPARENT;
      bkColor = ~rgb & 0xFFFFFF;
    }
  }

  void SelectPen(const TPen& p) {
    penRgb = ToQRgb(p.Color());
    penWidth = std::max(p.Width(), 1);
    penStyle = p.Style();
    penMode = p.Mode();
    penPeriod = 0;
    if (penWidth > 1) return;  // wide pens draw solid
    const std::vector<int> dashes = DashPattern(penStyle);
    if (dashes.empty()) return;
    int pos = 0;
    for (size_t k = 0; k < dashes.size(); ++k)
      for (int j = 0; j < dashes[k]; ++j) penMask[static_cast<size_t>(pos++)] = (k % 2 == 0) ? 1 : 0;
    penPeriod = pos;
  }

  /// Makes a monochrome target black and white in place before it is read.
  void PrepareForReading() {
    if (!monochrome || !Painting()) return;
    for (int y = 0; y < height; ++y) {
      uint32_t* row = bits + static_cast<qsizetype>(y) * stride;
      for (int x = 0; x < width; ++x) row[x] = Threshold(row[x]);
    }
  }

  /// Draws an image stretched into a rectangle (monochrome: black in the text colour, white in
  /// the background colour).
  void StretchImage(const QRect& dest, const QImage& image, bool mono) {
    if (!Painting() || dest.isEmpty() || image.isNull()) return;
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (mono) {
      QImage mapped = image.convertToFormat(QImage::Format_RGB32);
      const uint32_t fore = ToQRgb(textColor), back = ToQRgb(bkColor);
      for (int y = 0; y < mapped.height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(mapped.scanLine(y));
        for (int x = 0; x < mapped.width(); ++x) row[x] = Threshold(row[x]) == 0xFFFFFFFFu ? back : fore;
      }
      painter.drawImage(dest, mapped);
    } else if (&image == target) {
      painter.drawImage(dest, image.copy());
    } else {
      painter.drawImage(dest, image);
    }
  }
};

TSurface::TSurface()
    : mPen(std::make_unique<TPen>()),
      mBrush(std::make_unique<TBrush>()),
      mFont(std::make_unique<TFont>()),
      mImpl(std::make_unique<Impl>()) {
  mPen->OnChange = [this] { mDirty |= dirtyPen; };
  mBrush->OnChange = [this] { mDirty |= dirtyBrush; };
  mFont->OnChange = [this] { mDirty |= dirtyFont; };
}

TSurface::~TSurface() {
  if (mOwes != nullptr || mOwedBy != nullptr) SettleLoan(true);
  mImpl->End();
}

void TSurface::SettleLoan(bool modifying) {
  // A surface is in one loan at most: BlockCopy settles both sides before it makes one.
  TSurface* holder = mOwedBy != nullptr ? mOwedBy : this;
  TSurface* owed = mOwedBy != nullptr ? this : mOwes;
  if (owed == nullptr || (holder == this && !modifying)) return;
  holder->mOwes = nullptr;
  owed->mOwedBy = nullptr;
  Impl& from = *holder->mImpl;
  Impl& to = *owed->mImpl;
  if (!from.Painting() || !to.Painting()) return;
  from.FlushColumnRun();
  to.FlushColumnRun();
  // The loan is only made between images of one size and format.
  std::memcpy(to.bits, from.bits, static_cast<size_t>(from.target->sizeInBytes()));
}

void TSurface::DiscardContent() {
  if (mOwedBy == nullptr) return;
  mOwedBy->mOwes = nullptr;
  mOwedBy = nullptr;
}

bool TSurface::TakeImage(TSurface& source) {
  Impl& d = *mImpl;
  Impl& s = *source.mImpl;
  // Derived surfaces may watch their copies; monochrome images are thresholded when read.
  if (typeid(*this) != typeid(TSurface) || typeid(source) != typeid(TSurface) || &source == this) return false;
  if (!d.Painting() || !s.Painting() || d.clipped || d.monochrome || s.monochrome) return false;
  if (d.target != &d.own || s.target != &s.own) return false;
  if (d.own.size() != s.own.size() || d.own.format() != s.own.format()) return false;
  if (d.own.bytesPerLine() != s.own.bytesPerLine()) return false;
  // Both pictures must be their own before one of them moves (BlockCopy's Changing() has
  // settled this surface already).
  source.SettleLoan(true);
  d.End();
  s.End();
  d.own.swap(s.own);
  d.Begin();
  s.Begin();
  mOwes = &source;
  source.mOwedBy = this;
  return true;
}

int32_t TSurface::Width() const { return mImpl->target != nullptr ? mImpl->target->width() : 0; }
int32_t TSurface::Height() const { return mImpl->target != nullptr ? mImpl->target->height() : 0; }
bool TSurface::Monochrome() const { return mImpl->monochrome; }

void TSurface::RequireState() {
  if (mOwedBy != nullptr) SettleLoan(false);
  if (mImpl->columnRun.Active) mImpl->FlushColumnRun();
  if (mDirty != 0) SelectObjects();
}

void TSurface::SelectObjects() {
  // Font first, brush next: the order matches the device, where the last selection wins.
  if (mDirty & dirtyFont) mImpl->SelectFont(*mFont);
  if (mDirty & dirtyPen) mImpl->SelectPen(*mPen);
  if (mDirty & dirtyBrush) mImpl->SelectBrush(*mBrush);
  mDirty = 0;
}

TColor TSurface::GetBkColor() {
  RequireState();
  return mImpl->bkColor;
}

TColor TSurface::SetBkColor(TColor color) {
  RequireState();
  const TColor old = mImpl->bkColor;
  mImpl->bkColor = ColorToRGB(color);
  return old;
}

int32_t TSurface::GetBkMode() {
  RequireState();
  return mImpl->bkMode;
}

int32_t TSurface::SetBkMode(int32_t mode) {
  RequireState();
  const int32_t old = mImpl->bkMode;
  if (mode == TRANSPARENT || mode == OPAQUE) mImpl->bkMode = mode;
  return old;
}

int32_t TSurface::GetTextAlign() {
  RequireState();
  return mImpl->textAlign;
}

int32_t TSurface::SetTextAlign(int32_t flags) {
  RequireState();
  const int32_t old = mImpl->textAlign;
  mImpl->textAlign = flags;
  return old;
}

TColor TSurface::GetTextColor() {
  RequireState();
  return mImpl->textColor;
}

TColor TSurface::SetTextColor(TColor color) {
  RequireState();
  const TColor old = mImpl->textColor;
  mImpl->textColor = ColorToRGB(color);
  return old;
}

void TSurface::MoveTo(int32_t x, int32_t y) { mPenPos = {x, y}; }

void TSurface::LineTo(int32_t x, int32_t y) {
  if (x == mPenPos.X && y == mPenPos.Y) return;  // nothing to draw: the end pixel is excluded
  Changing();
  RequireSelection();
  mImpl->Segment(mPenPos.X, mPenPos.Y, x, y);
  mPenPos = {x, y};
  Changed();
}

void TSurface::Polyline(std::span<const TPoint> points) {
  Changing();
  RequireSelection();
  for (size_t i = 1; i < points.size(); ++i)
    mImpl->Segment(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
  Changed();
}

void TSurface::Polygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  Changing();
  RequireState();
  Impl& d = *mImpl;
  if (d.Painting() && d.penMode != pmNop) {
    if (points.size() >= 3) {
      QPainterPath path;
      path.setFillRule(Qt::OddEvenFill);
      path.addPolygon(LimitPolygon(points));
      path.closeSubpath();
      d.FillWithBrush(path, CompositionFor(d.penMode));
    }
    if (d.penWidth <= 1) {
      for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        d.Segment(a.X, a.Y, b.X, b.Y);
      }
    } else {
      QPainterPath outline;
      outline.addPolygon(LimitPolygon(points));
      outline.closeSubpath();
      d.StrokeWithPen(outline);
    }
  }
  Changed();
}

void TSurface::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Changing();
  RequireState();
  Impl& d = *mImpl;
  const int64_t l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
  if (d.Painting() && d.penMode != pmNop && r > l && b > t) {
    const QPainter::CompositionMode mode = CompositionFor(d.penMode);
    if (!d.PenVisible()) {
      d.FillRectWithBrush(ToQRect(l, t, r, b), mode);
    } else if (d.penWidth <= 1) {
      d.FillRectWithBrush(ToQRect(l + 1, t + 1, r - 1, b - 1), mode);
      const int32_t L = static_cast<int32_t>(l), T = static_cast<int32_t>(t);
      const int32_t R = static_cast<int32_t>(r - 1), B = static_cast<int32_t>(b - 1);
      if (R == L || B == T) {
        // One row or column: a single line covers it once.
        if (B == T)
          d.RasterLine(L, T, R + 1, T);
        else
          d.RasterLine(L, T, L, B + 1);
      } else {
        d.RasterLine(L, T, R, T);
        d.RasterLine(R, T, R, B);
        d.RasterLine(R, B, L, B);
        d.RasterLine(L, B, L, T);
      }
    } else {
      // Wide outlines: a frame of the pen's width centred on the one-pixel outline, or inside
      // the box for psInsideFrame.
      const int64_t w = d.penWidth;
      const int64_t e = d.penStyle == psInsideFrame ? 0 : (w - 1) / 2;
      const int64_t ol = l - e, ot = t - e, orr = r + e, ob = b + e;
      const int64_t il = ol + w, it = ot + w, ir = orr - w, ib = ob - w;
      d.FillRectWithBrush(ToQRect(il, it, ir, ib), mode);
      d.painter.setCompositionMode(mode);
      const QColor color = QColor::fromRgb(d.penRgb);
      if (ir <= il || ib <= it) {
        d.painter.fillRect(ToQRect(ol, ot, orr, ob), color);
      } else {
        d.painter.fillRect(ToQRect(ol, ot, orr, it), color);
        d.painter.fillRect(ToQRect(ol, ib, orr, ob), color);
        d.painter.fillRect(ToQRect(ol, it, il, ib), color);
        d.painter.fillRect(ToQRect(ir, it, orr, ib), color);
      }
    }
  }
  Changed();
}

void TSurface::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth, int32_t cornerHeight) {
  Changing();
  RequireState();
  mImpl->DrawRowShape(mImpl->OuterShape(x1, y1, x2, y2, cornerWidth, cornerHeight), true, nullptr);
  Changed();
}

void TSurface::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Changing();
  RequireState();
  mImpl->DrawRowShape(mImpl->OuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX), true, nullptr);
  Changed();
}

void TSurface::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequireState();
  const RowShape shape = mImpl->OuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX);
  const Sweep sweep = ArcSweep(shape, x3, y3, x4, y4);
  mImpl->DrawRowShape(shape, false, &sweep);
  Changed();
}

void TSurface::Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequireState();
  Impl& d = *mImpl;
  const RowShape shape = d.OuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX);
  const Sweep sweep = ArcSweep(shape, x3, y3, x4, y4);
  d.DrawRowShape(shape, true, &sweep);
  if (d.Painting() && d.PenVisible() && !shape.Empty() && sweep.span < 2 * std::numbers::pi - 1e-9) {
    // The two radii, from the centre to where the arc ends.
    const int32_t cx = ClampTo(std::llround(sweep.cx), RectLimit), cy = ClampTo(std::llround(sweep.cy), RectLimit);
    for (const double angle : {sweep.start, sweep.start + sweep.span}) {
      const TPoint rim = RimPoint(shape, sweep, angle);
      d.Segment(cx, cy, rim.X, rim.Y);
    }
  }
  Changed();
}

void TSurface::FillRect(const TRect& rect) {
  Changing();
  RequireState();
  if (mImpl->Painting()) mImpl->FillRectWithBrush(ToQRect(rect), QPainter::CompositionMode_SourceOver);
  Changed();
}

void TSurface::PatBlt(const TRect& rect, TColor color) {
  Changing();
  RequireState();
  const QRect r = ToQRect(rect);
  if (mImpl->Painting() && !r.isEmpty()) {
    mImpl->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    mImpl->painter.fillRect(r, QColor::fromRgb(ToQRgb(color)));
  }
  Changed();
}

void TSurface::SetPixel(int32_t x, int32_t y, TColor color) {
  Changing();
  RequireState();
  Impl& d = *mImpl;
  if (d.Painting() && d.DrawableBox().contains(x, y) && d.ClipAllows(x, y)) d.Plot(x, y, ToQRgb(color), pmCopy);
  Changed();
}

TColor TSurface::GetPixel(int32_t x, int32_t y) {
  RequireState();
  const Impl& d = *mImpl;
  if (!d.Painting() || x < 0 || y < 0 || x >= d.width || y >= d.height) return clNone;
  uint32_t rgb = d.bits[static_cast<qsizetype>(y) * d.stride + x];
  if (d.monochrome) rgb = Threshold(rgb);
  return FromQRgb(rgb);
}

void TSurface::TextOut(int32_t x, int32_t y, const std::string& text) {
  Changing();
  RequireState();
  Impl& d = *mImpl;
  if (d.Painting() && !text.empty() && d.metrics) d.DrawText(x, y, text);
  Changed();
}

TSize TSurface::TextExtent(const std::string& text) {
  RequireState();
  if (text.empty() || !mImpl->metrics) return {};
  return {mImpl->TextWidthOf(text), mImpl->cellHeight};
}

int32_t TSurface::TextWidth(const std::string& text) { return TSurface::TextExtent(text).cx; }

int32_t TSurface::TextHeight(const std::string& text) {
  // The height of a line does not depend on its characters: no need to lay the text out.
  RequireState();
  if (text.empty() || !mImpl->metrics) return 0;
  return mImpl->cellHeight;
}

void TSurface::IntersectClipRect(const TRect& rect) {
  RequireState();
  const QRegion r(ToQRect(rect));
  mImpl->SetClip(mImpl->clipped ? mImpl->clip.intersected(r) : r);
}

void TSurface::IntersectClipPolygon(std::span<const TPoint> points) {
  RequireState();
  QRegion r;
  if (points.size() >= 3) r = QRegion(LimitPolygon(points).toPolygon(), Qt::OddEvenFill);
  mImpl->SetClip(mImpl->clipped ? mImpl->clip.intersected(r) : r);
}

void TSurface::RemoveClipping() {
  RequireState();
  mImpl->clipped = false;
  mImpl->clip = QRegion();
  mImpl->clipRects.clear();
  mImpl->ApplyClip();
}

TRect TSurface::ClipBounds() {
  RequireState();
  QRect box(0, 0, Width(), Height());
  if (mImpl->clipped) box = mImpl->target != nullptr ? box & mImpl->clip.boundingRect() : mImpl->clip.boundingRect();
  if (box.isEmpty()) return {};
  return {box.left(), box.top(), box.right() + 1, box.bottom() + 1};
}

bool TSurface::HasClipping() {
  RequireState();
  return mImpl->clipped;
}

void TSurface::BlockCopy(int32_t x, int32_t y, int32_t width, int32_t height, TSurface& source, int32_t sourceX,
                         int32_t sourceY) {
  const bool whole = x == 0 && y == 0 && sourceX == 0 && sourceY == 0 && width == source.Width() &&
                     height == source.Height() && width == Width() && height == Height();
  if (whole && source.mOwedBy == this && mOwes == &source && !mImpl->clipped) {
    // This surface already holds the source's picture: the copy changes no pixel, and the
    // source stays owed it.
    if (OnChanging) OnChanging();
    Changed();
    return;
  }
  Changing();
  RequireState();
  if (whole && TakeImage(source)) {
    Changed();
    return;
  }
  Impl& d = *mImpl;
  const QImage* image = SurfaceAccess::Image(source);
  if (d.Painting() && image != nullptr && width > 0 && height > 0) {
    // Keep only the part of the source rectangle that lies inside the source image.
    const QRect wanted = ToQRect(sourceX, sourceY, static_cast<int64_t>(sourceX) + width,
                                 static_cast<int64_t>(sourceY) + height);
    const QRect from = wanted & image->rect();
    if (!from.isEmpty()) {
      const QPoint to(ClampTo(static_cast<int64_t>(x) + (from.left() - sourceX), RectLimit),
                      ClampTo(static_cast<int64_t>(y) + (from.top() - sourceY), RectLimit));
      d.painter.setCompositionMode(QPainter::CompositionMode_Source);
      if (image == d.target)
        d.painter.drawImage(to, image->copy(from));
      else
        d.painter.drawImage(to, *image, from);
    }
  }
  Changed();
}

void TSurface::Draw(int32_t x, int32_t y, const TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  graphic->Draw(*this, {x, y, x + graphic->Width(), y + graphic->Height()});
}

void TSurface::StretchDraw(const TRect& rect, const TGraphic* graphic) {
  if (graphic == nullptr) return;
  graphic->Draw(*this, rect);
}

// ---- framework-internal access ----

void SurfaceAccess::Attach(TSurface& surface, QImage* image) {
  surface.SettleLoan(true);
  TSurface::Impl& d = *surface.mImpl;
  d.End();
  d.own = QImage();
  d.target = image;
  d.Begin();
}

bool SurfaceAccess::CreateImage(TSurface& surface, int32_t width, int32_t height) {
  surface.SettleLoan(true);
  TSurface::Impl& d = *surface.mImpl;
  if (width < 0 || height < 0) return false;
  QImage next;
  if (width > 0 && height > 0) {
    next = QImage(width, height, QImage::Format_RGB32);
    if (next.isNull()) return false;
    next.fill(0xFFFFFFFFu);
  }
  d.End();
  if (d.target == &d.own && !d.own.isNull() && !next.isNull()) {
    QPainter copy(&next);
    copy.setCompositionMode(QPainter::CompositionMode_Source);
    copy.drawImage(0, 0, d.own);
  }
  d.own = std::move(next);
  d.target = d.own.isNull() ? nullptr : &d.own;
  d.Begin();
  return true;
}

QImage* SurfaceAccess::Image(TSurface& surface) {
  surface.SettleLoan(false);
  TSurface::Impl& d = *surface.mImpl;
  if (!d.Painting()) return nullptr;
  d.FlushColumnRun();
  d.PrepareForReading();
  return d.target;
}

void SurfaceAccess::SetMonochrome(TSurface& surface, bool value) {
  surface.SettleLoan(true);
  surface.mImpl->monochrome = value;
}

void SurfaceAccess::SetTextCache(TSurface& surface, bool enabled) { surface.mImpl->textCacheEnabled = enabled; }

void SurfaceAccess::StretchImage(TSurface& surface, const TRect& rect, const QImage& image, bool monochrome) {
  surface.RequireState();
  surface.Changing();
  surface.mImpl->StretchImage(ToQRect(rect), image, monochrome);
  surface.Changed();
}

}  // namespace fw
