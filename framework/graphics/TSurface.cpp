#include "framework/graphics/TSurface.h"

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

#include "framework/graphics/DeviceMapping.h"
#include "framework/graphics/DevicePixels.h"
#include "framework/graphics/FontPixels.h"
#include "framework/graphics/PixelOps.h"
#include "framework/graphics/PolygonRegion.h"
#include "framework/graphics/ShapeRows.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TGraphic.h"
#include "framework/graphics/TLineRaster.h"
#include "framework/graphics/TPixelTarget.h"
#include "framework/graphics/TPolygonRaster.h"
#include "framework/graphics/TShapeRaster.h"
#include "framework/graphics/TStampColumn.h"
#include "framework/graphics/TTextCache.h"
#include "framework/graphics/TTextPictures.h"

namespace fw {

namespace {

// Shapes that Qt strokes or fills are kept inside this range: far larger than any image, small
// enough for Qt's fixed-point rasterizer.
constexpr int32_t ShapeLimit = 1 << 16;
// A clip polygon's region is built for the image and RegionMargin around it.
constexpr int32_t RegionMargin = 1 << 9;
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

// Solid fills by the surface's own rasterizers (tests turn them off to compare with the painter).
bool gDirectFill = true;
// Boxes of at most this many pixels are filled directly.
constexpr int64_t DirectBoxArea = 4096;

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

/// Cuts a polygon to a rectangle (Sutherland-Hodgman): the part inside is unchanged, and every
/// point inside keeps its winding number, so both fill rules give the same inside there.
QPolygonF CutPolygon(QPolygonF poly, const QRectF& window) {
  for (int edge = 0; edge < 4 && !poly.isEmpty(); ++edge) {
    const double bound = edge == 0 ? window.left() : edge == 1 ? window.right() : edge == 2 ? window.top() : window.bottom();
    auto in = [edge, bound](const QPointF& p) {
      switch (edge) {
        case 0: return p.x() >= bound;
        case 1: return p.x() <= bound;
        case 2: return p.y() >= bound;
        default: return p.y() <= bound;
      }
    };
    auto cut = [edge, bound](const QPointF& a, const QPointF& b) {
      const bool vertical = edge < 2;
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

/// Cuts a polygon to a square far outside any image, so that Qt never sees coordinates its
/// fixed-point rasterizer cannot hold. Edges inside the square are unchanged.
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
  return CutPolygon(std::move(poly), QRectF(-ShapeLimit, -ShapeLimit, 2.0 * ShapeLimit, 2.0 * ShapeLimit));
}

/// The box a clip polygon's region is built in: the image and RegionMargin around it. No pixel
/// outside it is ever drawn, and its rows bound the work however far the polygon reaches.
QRect RegionBox(int32_t width, int32_t height) {
  return QRect(-RegionMargin, -RegionMargin, width + 2 * RegionMargin, height + 2 * RegionMargin);
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
  std::vector<uint32_t> slantRgb;  // Slant's colours in the image's form
  TStampColumn stampColumn;

  // Device context state.
  TColor bkColor = clWhite;  // plain RGB
  int32_t bkMode = OPAQUE;
  int32_t textAlign = TA_LEFT | TA_TOP;
  TColor textColor = clBlack;  // plain RGB

  // Selected pen.
  TPixelPen pen;

  // Selected brush.
  bool brushClear = false;
  bool brushHatched = false;
  QBrush brush{QColor(255, 255, 255)};
  // Whether the brush is one opaque colour (no hatch, pattern or transform), and that colour:
  // worked out when the brush is selected, read by every box and polygon filled directly.
  bool brushSolidOpaque = true;
  uint32_t brushRgb = 0xFFFFFFFFu;

  // Selected font.
  QFont font;
  std::optional<QFontMetrics> metrics;
  int32_t orientation = 0;

  // Clip region in device pixels.
  bool clipped = false;
  QRegion clip;
  std::vector<QRect> clipRects;  // banded: sorted by top, rectangles of one band share top and bottom
  QRect drawable;                // image intersected with the clip region's bounds

  // Device pixel ratio: at 1 every operation takes the plain path; otherwise the public
  // operations map their logical arguments to device pixels (DeviceMapping.h) and draw with
  // the device forms of pen, brush and font below.
  double ratio = 1.0;
  int32_t logicalWidth = 0, logicalHeight = 0;  // of the target; its pixel size at ratio 1
  QRegion logicalClip;                          // the clip region as given, for ClipBounds
  TPixelPen devicePen;                          // the selected pen in device pixels
  TPixelPen shapePen;                           // devicePen for outlines inside a box
  QFont deviceFont;                             // the selected font at the device pixel size
  std::optional<QFontMetrics> deviceMetrics;
  uint64_t deviceFontId = 0;

  TLineRaster lines;    // cosmetic lines, with their held-back runs
  TShapeRaster shapes;  // rounded boxes, ellipses, arcs and pies
  TPolygonRaster polygons;  // polygons filled with a solid colour
  TPixelTarget pixels;  // bits and drawable area as the rasterizers see them

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
    lines.Flush();
    if (painter.isActive()) painter.end();
    bits = nullptr;
    stride = 0;
    width = 0;
    height = 0;
    drawable = QRect();
    SyncPixels();
  }

  /// Hands the bits and the drawable area to the rasterizers.
  void SyncPixels() {
    pixels = {bits, static_cast<int64_t>(stride), width, height, drawable,
              clipped && clipRects.size() != 1 ? &clipRects : nullptr};
    lines.SetTarget(pixels);
  }

  void FlushLines() { lines.Flush(); }
  bool OpaqueGaps() const { return bkMode == OPAQUE; }
  uint32_t GapRgb() const { return ToQRgb(bkColor); }

  void ApplyClip() {
    drawable = QRect(0, 0, width, height);
    if (clipped) drawable &= clip.boundingRect();
    SyncPixels();
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

  /// Cosmetic line with the selected pen.
  void RasterLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    lines.Line(x1, y1, x2, y2, pen, OpaqueGaps(), GapRgb());
  }

  RowShape OuterShape(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t cornerW, int64_t cornerH) const {
    return TShapeRaster::OuterShape(x1, y1, x2, y2, cornerW, cornerH, pen);
  }

  void DrawRowShape(const RowShape& outer, bool fill, const Sweep* sweep) {
    if (!Painting()) return;
    const QPainter::CompositionMode mode = CompositionFor(pen.Mode);
    shapes.Draw(pixels, outer, fill, sweep, pen, OpaqueGaps(), GapRgb(),
                [this, mode](const QRect& run) { FillRectWithBrush(run, mode); });
  }

  bool PenVisible() const { return pen.Visible(); }

  QPen QtPen(uint32_t rgb, bool styled) const {
    QPen qpen{QColor::fromRgb(rgb)};
    if (pen.Width > 1) {
      qpen.setWidth(std::min(pen.Width, MaxDeviceLineWidth));
      qpen.setCapStyle(Qt::RoundCap);
      qpen.setJoinStyle(Qt::RoundJoin);
      return qpen;
    }
    qpen.setWidth(0);
    qpen.setCosmetic(true);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    if (styled && pen.Period != 0) {
      const std::vector<int> dashes = DashPattern(pen.Style);
      QList<qreal> pattern;
      for (int d : dashes) pattern.append(d);
      qpen.setDashPattern(pattern);
    }
    return qpen;
  }

  /// Line with the selected pen (cosmetic pens by the rasterizer above, wide ones by Qt).
  void Segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!Painting() || !PenVisible()) return;
    if (pen.Width <= 1) {
      RasterLine(x1, y1, x2, y2);
      return;
    }
    lines.Flush();
    painter.setCompositionMode(CompositionFor(pen.Mode));
    painter.setPen(QtPen(pen.Rgb, false));
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

  /// Fills a polygon as FillWithBrush fills its path, when the rasterizer gives the painter's
  /// pixels: a solid opaque brush copied, on an unscaled image. False when it did not fill.
  /// `inside`: the clip region holds the corners' bounds, so the rows need no cutting to it.
  bool FillPolygonDirectly(std::span<const TPoint> points, bool inside) {
    if (pen.Mode != pmCopy || !SolidOpaqueBrushUnscaled() || !TPolygonRaster::Handles(points)) return false;
    return polygons.Fill(inside ? pixels.WithoutRegion() : pixels, points, brushRgb);
  }

  /// The brush is one opaque colour (no hatch, pattern or transform) and the image unscaled:
  /// the rasterizers then give the painter's pixels.
  bool SolidOpaqueBrushUnscaled() const {
    return brushSolidOpaque && !Scaled();
  }

  void FillRectWithBrush(const QRect& rect, QPainter::CompositionMode mode) {
    if (brushClear || rect.isEmpty()) return;
    // Small boxes (markers, thin bars) directly: the painter's call costs more than their
    // pixels. Large ones go to the painter, whose fill of long rows is the faster.
    if (gDirectFill && int64_t{rect.width()} * rect.height() <= DirectBoxArea && mode == CompositionFor(pmCopy) &&
        SolidOpaqueBrushUnscaled()) {
      polygons.FillRect(pixels, rect.left(), rect.top(), int64_t{rect.right()} + 1, int64_t{rect.bottom()} + 1,
                        brushRgb);
      return;
    }
    painter.setCompositionMode(mode);
    if (brushHatched && bkMode == OPAQUE) painter.fillRect(rect, QColor::fromRgb(ToQRgb(bkColor)));
    painter.fillRect(rect, brush);
  }

  /// A box l..r-1 x t..b-1 (of at least one pixel) outlined with a solid one-pixel pen, copied,
  /// and filled inside as FillRectWithBrush fills small boxes directly: drawn in one pass.
  /// False, with nothing drawn, when the outline or the inside is not drawn that way.
  bool FramedBoxDirectly(int64_t l, int64_t t, int64_t r, int64_t b) {
    if (!gDirectFill || pen.Period != 0 || pen.Mode != pmCopy || Scaled()) return false;
    const int64_t inside = std::max<int64_t>(0, r - l - 2) * std::max<int64_t>(0, b - t - 2);
    std::optional<uint32_t> fill;
    if (!brushClear && inside > 0) {
      if (inside > DirectBoxArea || !SolidOpaqueBrushUnscaled()) return false;
      fill = brushRgb;
    }
    polygons.FillFramedRect(pixels, l, t, r, b, pen.Rgb, fill);
    return true;
  }

  /// A polygon of four corners round an upright box, outlined with a solid one-pixel pen: its
  /// fill covers columns left..right-1 and rows top..bottom-1 and its outline the border of
  /// left..right x top..bottom, which FramedBoxDirectly draws in one pass. False, with nothing
  /// drawn, for any other polygon or when the box is not drawn that way.
  bool FramedQuadDirectly(std::span<const TPoint> points) {
    if (points.size() != 4 || pen.Width > 1 || !PenVisible() || !TPolygonRaster::Handles(points)) return false;
    const TPoint &a = points[0], &b = points[1], &c = points[2], &e = points[3];
    const bool across = a.Y == b.Y && b.X == c.X && c.Y == e.Y && e.X == a.X;
    const bool down = a.X == b.X && b.Y == c.Y && c.X == e.X && e.Y == a.Y;
    if (!across && !down) return false;
    const int64_t l = std::min(a.X, c.X), r = std::max(a.X, c.X), t = std::min(a.Y, c.Y), bottom = std::max(a.Y, c.Y);
    return FramedBoxDirectly(l, t, r + 1, bottom + 1);
  }

  /// Strokes a path with the selected pen (dash gaps in the background colour when opaque).
  void StrokeWithPen(const QPainterPath& path) {
    if (!PenVisible()) return;
    painter.setCompositionMode(CompositionFor(pen.Mode));
    painter.setBrush(Qt::NoBrush);
    if (pen.Width <= 1 && pen.Period != 0 && bkMode == OPAQUE) {
      painter.setPen(QtPen(ToQRgb(bkColor), false));
      painter.drawPath(path);
    }
    painter.setPen(QtPen(pen.Rgb, true));
    painter.drawPath(path);
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
    QFont DeviceFont;  // at a ratio other than 1: the font at the device pixel size
    std::optional<QFontMetrics> DeviceMetrics;
    uint64_t DeviceId;
  };
  std::vector<TFontCacheEntry> fontCache;
  static constexpr size_t FontCacheSize = 16;
  // Every font built gets a new id, so a cached text can never be taken for another font's.
  uint64_t fontId = 0;
  uint64_t nextFontId = 1;
  int32_t cellHeight = 0;  // of the selected font

  /// Laid-out texts: the advance widths and the pixels of texts drawn before, so that a frame
  /// that draws the same labels again shapes none of them. The pictures hold every label of an
  /// axis at its 2,000-tick limit (a logarithmic axis over hundreds of decades) with the rest of
  /// the frame's texts: about a megabyte when full, each picture built when its text is first
  /// drawn.
  bool textCacheEnabled = true;
  TTextCache<int32_t> textWidths{512};
  TTextPictures textPictures{2500};

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
        if (ratio != 1.0) {
          deviceFont = e.DeviceFont;
          deviceMetrics = e.DeviceMetrics;
          deviceFontId = e.DeviceId;
        }
        return;
      }
    }
    BuildFont(f);
    fontId = nextFontId++;
    cellHeight = metrics->ascent() + metrics->descent();
    if (ratio != 1.0) BuildDeviceFont();
    if (fontCache.size() == FontCacheSize) fontCache.erase(fontCache.begin());
    fontCache.push_back({f.Name(), static_cast<uint32_t>(f.Style()), f.Height(), font, *metrics, fontId, cellHeight,
                         deviceFont, deviceMetrics, deviceFontId});
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
      const TextPicture& picture =
          textPictures.Get(key, font, *metrics, target->dotsPerMeterX(), target->dotsPerMeterY());
      if (picture.cached) {
        const uint32_t cellRgb = ToQRgb(bkColor);
        TTextPictures::Draw(picture, pixels, x, y, bkMode == OPAQUE ? &cellRgb : nullptr, ToQRgb(textColor));
        return;
      }
    }
    const QString s = ToQString(text);
    const QColor cellColor = QColor::fromRgb(ToQRgb(bkColor)), inkColor = QColor::fromRgb(ToQRgb(textColor));
    PaintText(painter, ClampTo(x, RectLimit), ClampTo(y, RectLimit), orientation, PlaceText(*metrics, s, align), font,
              s, bkMode == OPAQUE ? &cellColor : nullptr, &inkColor);
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
      // The pattern's pixels are its own device pixels: scaled to this surface's.
      const double scale = ratio / b.Bitmap()->DevicePixelRatio();
      if (pattern != nullptr && scale != 1.0) brush.setTransform(QTransform::fromScale(scale, scale));
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
      if (brushHatched && ratio != 1.0) brush = ScaledHatchBrush(brush.style(), color, ratio);
    }
    brushSolidOpaque = !brushClear && !brushHatched && brush.style() == Qt::SolidPattern &&
                       brush.transform().isIdentity() && brush.color().alpha() == 255;
    brushRgb = brush.color().rgba();
    if (b.Style() == bsSolid) {
      bkMode = OPAQUE;
      bkColor = rgb;
    } else {
      bkMode = TRANSPARENT;
      bkColor = ~rgb & 0xFFFFFF;
    }
  }

  void SelectPen(const TPen& p) {
    pen.Rgb = ToQRgb(p.Color());
    pen.Width = std::max(p.Width(), 1);
    pen.Style = p.Style();
    pen.Mode = p.Mode();
    pen.Period = 0;
    if (pen.Width > 1) return;  // wide pens draw solid
    const std::vector<int> dashes = DashPattern(pen.Style);
    if (dashes.empty()) return;
    int pos = 0;
    for (size_t k = 0; k < dashes.size(); ++k)
      for (int j = 0; j < dashes[k]; ++j) pen.Mask[static_cast<size_t>(pos++)] = (k % 2 == 0) ? 1 : 0;
    pen.Period = pos;
  }

  /// The device forms of the selected pen: widths in device pixels, dashes scaled.
  void MakeDevicePens() {
    devicePen = pen;
    devicePen.Width = DeviceLineWidth(pen.Width, ratio);
    devicePen.Period = 0;
    if (pen.Width <= 1) {
      int pos = 0;
      const std::vector<int> dashes = ScaledDashes(DashPattern(pen.Style), ratio);
      for (size_t k = 0; k < dashes.size(); ++k)
        for (int j = 0; j < dashes[k] && pos < MaxPenPeriod; ++j)
          devicePen.Mask[static_cast<size_t>(pos++)] = (k % 2 == 0) ? 1 : 0;
      devicePen.Period = pos;
    }
    // A one-pixel outline is the box's border pixels: wider in device pixels, it stays inside.
    shapePen = devicePen;
    if (pen.Width <= 1 && devicePen.Width > 1) shapePen.Style = psInsideFrame;
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

  // ---- drawing at a device pixel ratio other than 1 (logical arguments) ----------------------

  bool Scaled() const { return ratio != 1.0; }

  /// A new ratio (false when it is the current one): the fonts are built again for it and the
  /// clip, made for the old image, is gone; the caller has pen, brush and font selected again.
  bool SetRatio(double value) {
    if (ratio == value) return false;
    ratio = value;
    fontCache.clear();
    logicalClip = QRegion();
    clipped = false;
    clip = QRegion();
    clipRects.clear();
    return true;
  }

  int64_t Dev(int64_t v) const { return DeviceEdge(v, ratio); }
  QRect DeviceRect(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
    const TDeviceBox b = DeviceBox(left, top, right, bottom, ratio);
    return ToQRect(b.Left, b.Top, b.Right, b.Bottom);
  }
  QRect DeviceRect(const TRect& r) const { return DeviceRect(r.Left, r.Top, r.Right, r.Bottom); }
  /// A device coordinate for the 32-bit shape code: far beyond any image either way.
  static int32_t DeviceCoord(int64_t v) { return ClampTo(v, 1 << 30); }

  /// The font at the device pixel size, for drawing; measuring keeps the logical one.
  void BuildDeviceFont() {
    deviceFont = font;
    const double size = std::floor(static_cast<double>(font.pixelSize()) * ratio + 0.5);
    deviceFont.setPixelSize(static_cast<int>(std::clamp(size, 1.0, 16384.0)));
    deviceMetrics.emplace(deviceFont);
    deviceFontId = nextFontId++;
  }

  /// A one-pixel line in device pixels, drawn as its copies.
  void DrawThickLine(TThickLine line) {
    if (!LimitDeviceLine(line)) return;
    for (int32_t k = 0; k < line.Width; ++k) {
      const int64_t sx = line.ShiftX ? k : 0, sy = line.ShiftX ? 0 : k;
      lines.Line(static_cast<int32_t>(line.X1 + sx), static_cast<int32_t>(line.Y1 + sy),
                 static_cast<int32_t>(line.X2 + sx), static_cast<int32_t>(line.Y2 + sy), devicePen, OpaqueGaps(),
                 GapRgb());
    }
  }

  QPen DeviceWidePen() const {
    QPen qpen{QColor::fromRgb(pen.Rgb)};
    qpen.setWidth(devicePen.Width);
    qpen.setCapStyle(Qt::RoundCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    return qpen;
  }

  /// A wide line between device points (real coordinates), by Qt's stroker.
  void DrawWideLine(double x1, double y1, double x2, double y2) {
    lines.Flush();
    painter.setCompositionMode(CompositionFor(pen.Mode));
    painter.setPen(DeviceWidePen());
    QLineF line(x1, y1, x2, y2);
    if (LimitLine(line)) painter.drawLine(line);
  }

  /// Segment with logical end points.
  void ScaledSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!Painting() || !PenVisible()) return;
    if (pen.Width <= 1) {
      DrawThickLine(MapCosmeticLine(x1, y1, x2, y2, ratio, devicePen.Width));
      return;
    }
    DrawWideLine(x1 * ratio, y1 * ratio, x2 * ratio, y2 * ratio);
  }

  /// Segment with device end points (the radii of pies, computed on the device shape).
  void DeviceSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!Painting() || !PenVisible()) return;
    if (pen.Width <= 1) {
      DrawThickLine(ThickDeviceLine(x1, y1, x2, y2, devicePen.Width));
      return;
    }
    DrawWideLine(x1, y1, x2, y2);
  }

  void ScaledPolygon(std::span<const TPoint> points) {
    if (!Painting() || pen.Mode == pmNop) return;
    std::vector<TPoint> device(points.size());
    for (size_t i = 0; i < points.size(); ++i)
      device[i] = {DeviceCoord(Dev(points[i].X)), DeviceCoord(Dev(points[i].Y))};
    if (points.size() >= 3) {
      QPainterPath path;
      path.setFillRule(Qt::OddEvenFill);
      path.addPolygon(LimitPolygon(device));
      path.closeSubpath();
      FillWithBrush(path, CompositionFor(pen.Mode));
    }
    if (pen.Width <= 1) {
      for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        ScaledSegment(a.X, a.Y, b.X, b.Y);
      }
      return;
    }
    if (!PenVisible()) return;
    QPainterPath outline;
    outline.addPolygon(LimitPolygon(device));
    outline.closeSubpath();
    lines.Flush();
    painter.setCompositionMode(CompositionFor(pen.Mode));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(DeviceWidePen());
    painter.drawPath(outline);
  }

  /// Rectangle of a normalised logical box (right > left, bottom > top): the outline a ring
  /// of the pen's device width, each pixel drawn once.
  void ScaledRectangle(int64_t l, int64_t t, int64_t r, int64_t b) {
    const QPainter::CompositionMode mode = CompositionFor(pen.Mode);
    const TDeviceBox box = DeviceBox(l, t, r, b, ratio);
    if (!PenVisible()) {
      FillRectWithBrush(ToQRect(box.Left, box.Top, box.Right, box.Bottom), mode);
      return;
    }
    if (pen.Width <= 1) {
      const TOutlineBands bands = OutlineBands(box, devicePen.Width);
      if (!bands.Filled) FillRectWithBrush(ToQRect(bands.Inside.Left, bands.Inside.Top, bands.Inside.Right,
                                                   bands.Inside.Bottom), mode);
      for (int i = 0; i < bands.Count; ++i) DrawThickLine(bands.Sides[static_cast<size_t>(i)]);
      return;
    }
    const int64_t w = devicePen.Width;
    const int64_t e = pen.Style == psInsideFrame ? 0 : Dev((pen.Width - 1) / 2);
    const int64_t ol = box.Left - e, ot = box.Top - e, orr = box.Right + e, ob = box.Bottom + e;
    const int64_t il = ol + w, it = ot + w, ir = orr - w, ib = ob - w;
    FillRectWithBrush(ToQRect(il, it, ir, ib), mode);
    painter.setCompositionMode(mode);
    const QColor color = QColor::fromRgb(pen.Rgb);
    if (ir <= il || ib <= it) {
      painter.fillRect(ToQRect(ol, ot, orr, ob), color);
    } else {
      painter.fillRect(ToQRect(ol, ot, orr, it), color);
      painter.fillRect(ToQRect(ol, ib, orr, ob), color);
      painter.fillRect(ToQRect(ol, it, il, ib), color);
      painter.fillRect(ToQRect(ir, it, orr, ib), color);
    }
  }

  /// The device shape of a logical box with corner ellipses (INT32_MAX: a whole ellipse).
  RowShape ScaledOuterShape(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t cornerW, int64_t cornerH) const {
    const TDeviceBox b = DeviceBox(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), ratio);
    auto corner = [this](int64_t c) { return c == INT32_MAX ? c : std::min<int64_t>(Dev(std::llabs(c)), INT32_MAX - 1); };
    return TShapeRaster::OuterShape(DeviceCoord(b.Left), DeviceCoord(b.Top), DeviceCoord(b.Right),
                                    DeviceCoord(b.Bottom), corner(cornerW), corner(cornerH), shapePen);
  }

  void ScaledRowShape(const RowShape& outer, bool fill, const Sweep* sweep) {
    if (!Painting()) return;
    const QPainter::CompositionMode mode = CompositionFor(pen.Mode);
    shapes.Draw(pixels, outer, fill, sweep, shapePen, OpaqueGaps(), GapRgb(),
                [this, mode](const QRect& run) { FillRectWithBrush(run, mode); });
  }

  void ScaledSetPixel(int32_t x, int32_t y, uint32_t rgb) {
    const QRect block = DeviceRect(x, y, int64_t{x} + 1, int64_t{y} + 1) & DrawableBox();
    for (int dy = block.top(); dy <= block.bottom(); ++dy)
      for (int dx = block.left(); dx <= block.right(); ++dx)
        if (pixels.Allows(dx, dy)) pixels.Plot(dx, dy, rgb, pmCopy);
  }

  /// Text at a logical anchor, drawn with the device font.
  void ScaledDrawText(int32_t x, int32_t y, const std::string& text) {
    if (!deviceMetrics) return;
    const int32_t align = textAlign & (TA_CENTER | TA_BASELINE);
    const int64_t dx = Dev(x), dy = Dev(y);
    if (textCacheEnabled) {
      const TTextKey key{deviceFontId, orientation, align, text};
      const TextPicture& picture =
          textPictures.Get(key, deviceFont, *deviceMetrics, target->dotsPerMeterX(), target->dotsPerMeterY());
      if (picture.cached) {
        const uint32_t cellRgb = ToQRgb(bkColor);
        TTextPictures::Draw(picture, pixels, dx, dy, bkMode == OPAQUE ? &cellRgb : nullptr, ToQRgb(textColor));
        return;
      }
    }
    const QString s = ToQString(text);
    const QColor cellColor = QColor::fromRgb(ToQRgb(bkColor)), inkColor = QColor::fromRgb(ToQRgb(textColor));
    PaintText(painter, ClampTo(dx, RectLimit), ClampTo(dy, RectLimit), orientation,
              PlaceText(*deviceMetrics, s, align), deviceFont, s, bkMode == OPAQUE ? &cellColor : nullptr, &inkColor);
  }

  /// Copies the logical rectangle of the source image (at its ratio) to the logical position
  /// here: one to one when the device sizes agree, else stretched.
  void ScaledCopy(int64_t x, int64_t y, int64_t width, int64_t height, const QImage& image, double sourceRatio,
                  int32_t sourceWidth, int32_t sourceHeight, int64_t sourceX, int64_t sourceY) {
    const QRect wanted = ToQRect(sourceX, sourceY, sourceX + width, sourceY + height);
    const QRect from = wanted & QRect(0, 0, sourceWidth, sourceHeight);
    if (from.isEmpty()) return;
    const int64_t toX = x + (from.left() - sourceX), toY = y + (from.top() - sourceY);
    const QRect to = DeviceRect(toX, toY, toX + from.width(), toY + from.height());
    const TDeviceBox s = DeviceBox(from.left(), from.top(), int64_t{from.left()} + from.width(),
                                   int64_t{from.top()} + from.height(), sourceRatio);
    const QRect fromDevice = ToQRect(s.Left, s.Top, s.Right, s.Bottom) & image.rect();
    if (to.isEmpty() || fromDevice.isEmpty()) return;
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (&image == target) {
      const QImage part = image.copy(fromDevice);
      painter.drawImage(to, part);
    } else if (to.size() == fromDevice.size()) {
      painter.drawImage(to.topLeft(), image, fromDevice);
    } else {
      painter.drawImage(to, image, fromDevice);
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
  from.FlushLines();
  to.FlushLines();
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
  if (d.ratio != s.ratio || d.logicalWidth != s.logicalWidth || d.logicalHeight != s.logicalHeight) return false;
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

int32_t TSurface::Width() const { return mImpl->target != nullptr ? mImpl->logicalWidth : 0; }
int32_t TSurface::Height() const { return mImpl->target != nullptr ? mImpl->logicalHeight : 0; }
double TSurface::DevicePixelRatio() const { return mImpl->ratio; }
bool TSurface::Monochrome() const { return mImpl->monochrome; }

void TSurface::RequireState() {
  if (mOwedBy != nullptr) SettleLoan(false);
  if (mImpl->lines.Pending()) mImpl->FlushLines();
  if (mDirty != 0) SelectObjects();
}

void TSurface::SelectObjects() {
  // Font first, brush next: the order matches the device, where the last selection wins.
  if (mDirty & dirtyFont) mImpl->SelectFont(*mFont);
  if (mDirty & dirtyPen) {
    mImpl->SelectPen(*mPen);
    if (mImpl->ratio != 1.0) mImpl->MakeDevicePens();
  }
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
  if (mImpl->Scaled())
    mImpl->ScaledSegment(mPenPos.X, mPenPos.Y, x, y);
  else
    mImpl->Segment(mPenPos.X, mPenPos.Y, x, y);
  mPenPos = {x, y};
  Changed();
}

void TSurface::Polyline(std::span<const TPoint> points) {
  Changing();
  RequireSelection();
  if (mImpl->Scaled()) {
    for (size_t i = 1; i < points.size(); ++i)
      mImpl->ScaledSegment(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
  } else {
    for (size_t i = 1; i < points.size(); ++i)
      mImpl->Segment(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
  }
  Changed();
}

bool TSurface::LinesFormPixelUnion() {
  if (typeid(*this) != typeid(TSurface)) return false;  // derived surfaces may watch every call
  RequireSelection();
  const Impl& d = *mImpl;
  return d.Painting() && d.pen.Width <= 1 && d.pen.Period == 0 && d.pen.Visible() && d.pen.Mode == pmCopy;
}

bool TSurface::DrawsOnImage() const { return typeid(*this) == typeid(TSurface) && mImpl->Painting(); }

bool TSurface::PenFormsPixelUnion(const TPen& pen) const {
  return DrawsOnImage() && pen.Width() <= 1 && DashPattern(pen.Style()).empty() && pen.Style() != psClear &&
         pen.Mode() == pmCopy;
}

static_assert(TSurface::DirectFillReach == TPolygonRaster::MaxCoordinate);

bool TSurface::DirectFill() { return gDirectFill; }
void TSurface::SetDirectFill(bool value) { gDirectFill = value; }

void TSurface::Polygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  Changing();
  RequireState();
  Impl& d = *mImpl;
  if (d.Scaled()) {
    d.ScaledPolygon(points);
  } else if (d.Painting() && d.pen.Mode != pmNop && d.FramedQuadDirectly(points)) {
    // A box with a one-pixel outline (3D front faces): filled and outlined in one pass.
  } else if (d.Painting() && d.pen.Mode != pmNop) {
    // A polygon inside the clip region is filled and outlined without cutting rows and runs to
    // it: every pixel of both lies within the corners' bounds.
    const bool inside = d.pixels.Region != nullptr && d.pixels.HoldsCornersOf(points);
    if (points.size() >= 3 && !(gDirectFill && d.FillPolygonDirectly(points, inside))) {
      QPainterPath path;
      path.setFillRule(Qt::OddEvenFill);
      path.addPolygon(LimitPolygon(points));
      path.closeSubpath();
      d.FillWithBrush(path, CompositionFor(d.pen.Mode));
    }
    if (d.pen.Width <= 1) {
      d.lines.SetInsideRegion(inside);
      for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        d.Segment(a.X, a.Y, b.X, b.Y);
      }
      d.lines.SetInsideRegion(false);
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
  if (d.Painting() && d.pen.Mode != pmNop && r > l && b > t && d.Scaled()) {
    d.ScaledRectangle(l, t, r, b);
  } else if (d.Painting() && d.pen.Mode != pmNop && r > l && b > t) {
    const QPainter::CompositionMode mode = CompositionFor(d.pen.Mode);
    if (!d.PenVisible()) {
      d.FillRectWithBrush(ToQRect(l, t, r, b), mode);
    } else if (d.pen.Width <= 1 && d.FramedBoxDirectly(l, t, r, b)) {
      // Filled and outlined in one pass.
    } else if (d.pen.Width <= 1) {
      d.FillRectWithBrush(ToQRect(l + 1, t + 1, r - 1, b - 1), mode);
      const int32_t L = static_cast<int32_t>(l), T = static_cast<int32_t>(t);
      const int32_t R = static_cast<int32_t>(r - 1), B = static_cast<int32_t>(b - 1);
      if (gDirectFill && d.pen.Period == 0 && d.pen.Mode == pmCopy) {
        // A solid copied outline is the box's border pixels: filled as rows and columns.
        d.polygons.FillRect(d.pixels, L, T, int64_t{R} + 1, int64_t{T} + 1, d.pen.Rgb);
        if (B > T) d.polygons.FillRect(d.pixels, L, B, int64_t{R} + 1, int64_t{B} + 1, d.pen.Rgb);
        if (B > T + 1) {
          d.polygons.FillRect(d.pixels, L, int64_t{T} + 1, int64_t{L} + 1, B, d.pen.Rgb);
          if (R > L) d.polygons.FillRect(d.pixels, R, int64_t{T} + 1, int64_t{R} + 1, B, d.pen.Rgb);
        }
      } else if (R == L || B == T) {
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
      const int64_t w = d.pen.Width;
      const int64_t e = d.pen.Style == psInsideFrame ? 0 : (w - 1) / 2;
      const int64_t ol = l - e, ot = t - e, orr = r + e, ob = b + e;
      const int64_t il = ol + w, it = ot + w, ir = orr - w, ib = ob - w;
      d.FillRectWithBrush(ToQRect(il, it, ir, ib), mode);
      d.painter.setCompositionMode(mode);
      const QColor color = QColor::fromRgb(d.pen.Rgb);
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
  if (mImpl->Scaled())
    mImpl->ScaledRowShape(mImpl->ScaledOuterShape(x1, y1, x2, y2, cornerWidth, cornerHeight), true, nullptr);
  else
    mImpl->DrawRowShape(mImpl->OuterShape(x1, y1, x2, y2, cornerWidth, cornerHeight), true, nullptr);
  Changed();
}

void TSurface::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Changing();
  RequireState();
  if (mImpl->Scaled())
    mImpl->ScaledRowShape(mImpl->ScaledOuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX), true, nullptr);
  else
    mImpl->DrawRowShape(mImpl->OuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX), true, nullptr);
  Changed();
}

void TSurface::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequireState();
  Impl& d = *mImpl;
  if (d.Scaled()) {
    const RowShape shape = d.ScaledOuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX);
    const Sweep sweep = ArcSweep(shape, Impl::DeviceCoord(d.Dev(x3)), Impl::DeviceCoord(d.Dev(y3)),
                                 Impl::DeviceCoord(d.Dev(x4)), Impl::DeviceCoord(d.Dev(y4)));
    d.ScaledRowShape(shape, false, &sweep);
  } else {
    const RowShape shape = d.OuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX);
    const Sweep sweep = ArcSweep(shape, x3, y3, x4, y4);
    d.DrawRowShape(shape, false, &sweep);
  }
  Changed();
}

void TSurface::Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequireState();
  Impl& d = *mImpl;
  const bool scaled = d.Scaled();
  const RowShape shape = scaled ? d.ScaledOuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX)
                                : d.OuterShape(x1, y1, x2, y2, INT32_MAX, INT32_MAX);
  const Sweep sweep = scaled ? ArcSweep(shape, Impl::DeviceCoord(d.Dev(x3)), Impl::DeviceCoord(d.Dev(y3)),
                                        Impl::DeviceCoord(d.Dev(x4)), Impl::DeviceCoord(d.Dev(y4)))
                             : ArcSweep(shape, x3, y3, x4, y4);
  if (scaled)
    d.ScaledRowShape(shape, true, &sweep);
  else
    d.DrawRowShape(shape, true, &sweep);
  if (d.Painting() && d.PenVisible() && !shape.Empty() && sweep.span < 2 * std::numbers::pi - 1e-9) {
    // The two radii, from the centre to where the arc ends.
    const int32_t cx = ClampTo(std::llround(sweep.cx), RectLimit), cy = ClampTo(std::llround(sweep.cy), RectLimit);
    for (const double angle : {sweep.start, sweep.start + sweep.span}) {
      const TPoint rim = RimPoint(shape, sweep, angle);
      if (scaled)
        d.DeviceSegment(cx, cy, rim.X, rim.Y);
      else
        d.Segment(cx, cy, rim.X, rim.Y);
    }
  }
  Changed();
}

void TSurface::FillRect(const TRect& rect) {
  Changing();
  RequireState();
  if (mImpl->Painting())
    mImpl->FillRectWithBrush(mImpl->Scaled() ? mImpl->DeviceRect(rect) : ToQRect(rect),
                             QPainter::CompositionMode_SourceOver);
  Changed();
}

void TSurface::PatBlt(const TRect& rect, TColor color) {
  Changing();
  RequireState();
  const QRect r = mImpl->Scaled() ? mImpl->DeviceRect(rect) : ToQRect(rect);
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
  if (d.Painting() && d.Scaled())
    d.ScaledSetPixel(x, y, ToQRgb(color));
  else if (d.Painting() && d.DrawableBox().contains(x, y) && d.pixels.Allows(x, y))
    d.pixels.Plot(x, y, ToQRgb(color), pmCopy);
  Changed();
}

void TSurface::ReadStamp(const TRect& area, int32_t originX, int32_t originY,
                         const std::function<bool(int32_t, int32_t)>& take, TPixelStamp& stamp) {
  stamp.Clear();
  RequireState();
  const Impl& d = *mImpl;
  if (!DrawsOnImage() || d.Scaled()) return;
  const int32_t left = std::max(area.Left, 0), top = std::max(area.Top, 0);
  const int32_t right = std::min(area.Right, d.width), bottom = std::min(area.Bottom, d.height);
  for (int32_t y = top; y < bottom; ++y)
    for (int32_t x = left; x < right; ++x)
      if (take(x, y))
        stamp.Add(static_cast<int32_t>(int64_t{x} - originX), static_cast<int32_t>(int64_t{y} - originY),
                  d.bits[static_cast<qsizetype>(y) * d.stride + x]);
}

bool TSurface::Stamp(int32_t x, int32_t y, const TPixelStamp& stamp) {
  if (stamp.Empty() || !DrawsOnImage() || mImpl->Scaled()) return false;
  Changing();
  RequireState();
  Impl& d = *mImpl;
  const int64_t left = int64_t{x} + stamp.Left(), top = int64_t{y} + stamp.Top();
  if (!d.pixels.Holds(left, top, int64_t{x} + stamp.Right(), int64_t{y} + stamp.Bottom())) {
    Changed();
    return false;
  }
  const uint32_t* pixels = stamp.Pixels().data();
  for (const TPixelStamp::TRun& run : stamp.Runs()) {
    uint32_t* row = d.pixels.Bits + (int64_t{y} + run.Dy) * d.pixels.Stride + (int64_t{x} + run.Dx);
    std::copy_n(pixels + run.First, run.Length, row);
  }
  Changed();
  return true;
}

bool TSurface::StampColumn(int32_t x, std::span<const int32_t> ys, const TPixelStamp& stamp) {
  if (stamp.Empty() || !DrawsOnImage() || mImpl->Scaled()) return false;
  if (ys.empty()) return true;
  Changing();
  RequireState();
  Impl& d = *mImpl;
  const auto [lowest, highest] = std::minmax_element(ys.begin(), ys.end());
  if (!d.pixels.Holds(int64_t{x} + stamp.Left(), int64_t{*lowest} + stamp.Top(), int64_t{x} + stamp.Right(),
                      int64_t{*highest} + stamp.Bottom())) {
    Changed();
    return false;
  }
  d.stampColumn.Put(d.pixels.Bits, d.pixels.Stride, x, ys, stamp);
  Changed();
  return true;
}

bool TSurface::Slant(int32_t x, int32_t y, int32_t steps, std::span<const TColor> colours, TColor ends) {
  if (colours.empty() || steps < 0 || !DrawsOnImage() || mImpl->Scaled()) return false;
  const auto count = static_cast<int64_t>(colours.size());
  Changing();
  RequireState();
  Impl& d = *mImpl;
  if (!d.pixels.Holds(x, int64_t{y} - steps, int64_t{x} + steps + 1, int64_t{y} + count)) {
    Changed();
    return false;
  }
  // Screen row by screen row: row y + i - t holds colours[i] at x + t, so along the row the
  // colours follow one another as they stand in the list.
  std::vector<uint32_t>& rgb = d.slantRgb;
  rgb.resize(colours.size());
  std::transform(colours.begin(), colours.end(), rgb.begin(), ToQRgb);
  const uint32_t endRgb = ToQRgb(ends);
  for (int64_t row = int64_t{y} - steps; row < int64_t{y} + count; ++row) {
    // The steps t of this row: those whose colour index row - y + t lies in the list.
    const int64_t first = std::max<int64_t>(0, int64_t{y} - row), last = std::min<int64_t>(steps, int64_t{y} + count - 1 - row);
    if (first > last) continue;
    uint32_t* line = d.pixels.Bits + row * d.pixels.Stride + x;
    std::copy_n(rgb.data() + (row - y + first), last - first + 1, line + first);
    if (first == 0) line[0] = endRgb;
    if (last == steps) line[steps] = endRgb;
  }
  Changed();
  return true;
}

TColor TSurface::GetPixel(int32_t x, int32_t y) {
  RequireState();
  return PixelAt(x, y);
}

void TSurface::GetPixels(const TRect& area, std::span<TColor> pixels) {
  RequireState();
  size_t k = 0;
  for (int64_t y = area.Top; y < area.Bottom && k < pixels.size(); ++y)
    for (int64_t x = area.Left; x < area.Right && k < pixels.size(); ++x)
      pixels[k++] = PixelAt(static_cast<int32_t>(x), static_cast<int32_t>(y));
}

TColor TSurface::PixelAt(int32_t x, int32_t y) const {
  const Impl& d = *mImpl;
  if (d.Scaled()) {
    // The first device pixel of the logical one.
    if (x < 0 || y < 0 || x >= d.logicalWidth || y >= d.logicalHeight) return clNone;
    const int64_t dx = d.Dev(x), dy = d.Dev(y);
    if (!d.Painting() || dx >= d.width || dy >= d.height) return clNone;
    x = static_cast<int32_t>(dx);
    y = static_cast<int32_t>(dy);
  }
  if (!d.Painting() || x < 0 || y < 0 || x >= d.width || y >= d.height) return clNone;
  uint32_t rgb = d.bits[static_cast<qsizetype>(y) * d.stride + x];
  if (d.monochrome) rgb = Threshold(rgb);
  return FromQRgb(rgb);
}

void TSurface::TextOut(int32_t x, int32_t y, const std::string& text) {
  Changing();
  RequireState();
  Impl& d = *mImpl;
  if (d.Painting() && !text.empty() && d.metrics) {
    if (d.Scaled())
      d.ScaledDrawText(x, y, text);
    else
      d.DrawText(x, y, text);
  }
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
  Impl& d = *mImpl;
  if (d.Scaled()) {
    d.logicalClip = d.clipped ? d.logicalClip.intersected(r) : r;
    const QRegion device(d.DeviceRect(rect));
    d.SetClip(d.clipped ? d.clip.intersected(device) : device);
    return;
  }
  mImpl->SetClip(mImpl->clipped ? mImpl->clip.intersected(r) : r);
}

void TSurface::IntersectClipPolygon(std::span<const TPoint> points) {
  RequireState();
  QRegion r;
  Impl& d = *mImpl;
  if (points.size() >= 3) r = PolygonRegion(points, RegionBox(d.logicalWidth, d.logicalHeight));
  if (d.Scaled()) {
    QRegion device;
    if (points.size() >= 3) {
      std::vector<TPoint> mapped(points.size());
      for (size_t i = 0; i < points.size(); ++i)
        mapped[i] = {Impl::DeviceCoord(d.Dev(points[i].X)), Impl::DeviceCoord(d.Dev(points[i].Y))};
      const QImage* image = d.target;
      device = PolygonRegion(mapped, RegionBox(image ? image->width() : 0, image ? image->height() : 0));
    }
    d.logicalClip = d.clipped ? d.logicalClip.intersected(r) : r;
    d.SetClip(d.clipped ? d.clip.intersected(device) : device);
    return;
  }
  mImpl->SetClip(mImpl->clipped ? mImpl->clip.intersected(r) : r);
}

void TSurface::RemoveClipping() {
  RequireState();
  mImpl->clipped = false;
  mImpl->logicalClip = QRegion();
  mImpl->clip = QRegion();
  mImpl->clipRects.clear();
  mImpl->ApplyClip();
}

TRect TSurface::ClipBounds() {
  RequireState();
  QRect box(0, 0, Width(), Height());
  const QRegion& clip = mImpl->Scaled() ? mImpl->logicalClip : mImpl->clip;
  if (mImpl->clipped) box = mImpl->target != nullptr ? box & clip.boundingRect() : clip.boundingRect();
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
  if (d.Painting() && image != nullptr && width > 0 && height > 0 && (d.Scaled() || source.mImpl->Scaled())) {
    d.ScaledCopy(x, y, width, height, *image, source.mImpl->ratio, source.Width(), source.Height(), sourceX, sourceY);
  } else if (d.Painting() && image != nullptr && width > 0 && height > 0) {
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
  if (d.SetRatio(1.0)) surface.mDirty |= TSurface::dirtyPen | TSurface::dirtyBrush | TSurface::dirtyFont;
  d.logicalWidth = image != nullptr ? image->width() : 0;
  d.logicalHeight = image != nullptr ? image->height() : 0;
  d.Begin();
}

bool SurfaceAccess::CreateImage(TSurface& surface, int32_t width, int32_t height, double ratio, bool keepContent) {
  surface.SettleLoan(true);
  TSurface::Impl& d = *surface.mImpl;
  if (width < 0 || height < 0 || !ValidDevicePixelRatio(ratio)) return false;
  QImage next;
  if (width > 0 && height > 0) {
    // At least one device pixel for each side that has a logical one (ratios below 1).
    const int64_t w = std::max<int64_t>(1, DeviceSize(width, ratio)), h = std::max<int64_t>(1, DeviceSize(height, ratio));
    // An image of more than 2 GiB is refused before it is asked for: such a size comes from a
    // runaway setting, and the allocator may not fail gracefully.
    if (w > INT32_MAX || h > INT32_MAX || w * h > MaxImagePixels) return false;
    next = QImage(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    if (next.isNull()) return false;
    next.fill(0xFFFFFFFFu);
  }
  d.End();
  if (keepContent && ratio == d.ratio && d.target == &d.own && !d.own.isNull() && !next.isNull()) {
    QPainter copy(&next);
    copy.setCompositionMode(QPainter::CompositionMode_Source);
    copy.drawImage(0, 0, d.own);
  }
  d.own = std::move(next);
  d.target = d.own.isNull() ? nullptr : &d.own;
  if (d.SetRatio(ratio)) surface.mDirty |= TSurface::dirtyPen | TSurface::dirtyBrush | TSurface::dirtyFont;
  d.logicalWidth = d.target != nullptr ? width : 0;
  d.logicalHeight = d.target != nullptr ? height : 0;
  d.Begin();
  return true;
}

QImage* SurfaceAccess::Image(TSurface& surface) {
  surface.SettleLoan(false);
  TSurface::Impl& d = *surface.mImpl;
  if (!d.Painting()) return nullptr;
  d.FlushLines();
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
  TSurface::Impl& d = *surface.mImpl;
  d.StretchImage(d.Scaled() ? d.DeviceRect(rect) : ToQRect(rect), image, monochrome);
  surface.Changed();
}

}  // namespace fw
