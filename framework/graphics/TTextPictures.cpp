#include "framework/graphics/TTextPictures.h"

#include <algorithm>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include "framework/graphics/TSurface.h"

namespace fw {

namespace {

// A text picture larger than this is not kept (huge fonts, long texts).
constexpr int64_t MaxTextPicturePixels = 1 << 20;
// Nor one of more runs than this, so that the cache stays small whatever it holds.
constexpr size_t MaxTextPictureRuns = 1 << 14;

/// Paints into the scratch (white first, painter set up as the surface's) and collects the
/// black pixels as runs relative to (ox, oy). False when a pixel is neither white nor black or
/// ink reaches the border, where it might have been cut off.
template <class Paint>
bool RenderRuns(QImage& scratch, const Paint& paint, int ox, int oy, std::vector<TextRun>& runs) {
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

/// Runs placed at the anchor (an offset into the image that may lie outside it) when every run
/// lies inside the drawable box.
void FillRunsInside(const std::vector<TextRun>& runs, const TPixelTarget& target, int64_t anchor, uint32_t rgb) {
  for (const TextRun& run : runs) {
    uint32_t* p = target.Bits + (anchor + int64_t{run.y} * target.Stride + run.x);
    for (int32_t i = 0; i < run.length; ++i) p[i] = rgb;
  }
}

/// Sets the ink runs of row `row` (in the runs' own coordinates, rows given by `rows`) placed
/// at (x, y) to the colour inside the clip region, passing over the runs that end left of the
/// box by bisection and stopping at its right edge.
void FillRow(const TextRun* begin, const TextRun* end, const TPixelTarget& target, int64_t x, int64_t y,
             uint32_t rgb) {
  const QRect& box = target.Box;
  const int64_t left = box.left() - x, right = box.right() - x;
  const TextRun* run =
      std::lower_bound(begin, end, left, [](const TextRun& r, int64_t v) { return int64_t{r.x} + r.length - 1 < v; });
  if (run == end) return;
  const int64_t py = y + run->y;
  uint32_t* row = target.Bits + py * target.Stride;
  // With a clip region: the rectangles of the row's band, each run cut to each of them.
  size_t bandFirst = 0, bandLast = 0;
  if (target.Region != nullptr) target.BandOf(static_cast<int>(py), bandFirst, bandLast);
  for (; run != end && run->x <= right; ++run) {
    const int64_t l = std::max<int64_t>(x + run->x, box.left());
    const int64_t r = std::min<int64_t>(x + run->x + run->length - 1, box.right());
    if (l > r) continue;
    if (target.Region == nullptr) {
      std::fill(row + l, row + r + 1, rgb);
      continue;
    }
    for (size_t k = bandFirst; k < bandLast; ++k) {
      const QRect& rect = (*target.Region)[k];
      const int64_t a = std::max<int64_t>(l, rect.left()), b = std::min<int64_t>(r, rect.right());
      if (a <= b) std::fill(row + a, row + b + 1, rgb);
    }
  }
}

/// Sets the runs (row by row from the top, left to right within a row), placed at the anchor,
/// to the colour inside the clip region. `rows` indexes the first run of each row from `top`
/// (see TextPicture::inkRows); without it the rows are found by bisection.
void FillRuns(const std::vector<TextRun>& runs, const std::vector<uint32_t>* rows, int32_t top,
              const TPixelTarget& target, int64_t x, int64_t y, uint32_t rgb) {
  const QRect& box = target.Box;
  // The rows of the box, in the runs' own coordinates.
  const int64_t first = box.top() - y, last = box.bottom() - y;
  if (rows != nullptr && !rows->empty()) {
    const int64_t count = static_cast<int64_t>(rows->size()) - 1;
    const int64_t from = std::max<int64_t>(first - top, 0), to = std::min<int64_t>(last - top, count - 1);
    for (int64_t k = from; k <= to; ++k) {
      const uint32_t a = (*rows)[static_cast<size_t>(k)], b = (*rows)[static_cast<size_t>(k) + 1];
      if (a < b) FillRow(runs.data() + a, runs.data() + b, target, x, y, rgb);
    }
    return;
  }
  auto it = std::lower_bound(runs.begin(), runs.end(), first, [](const TextRun& r, int64_t v) { return r.y < v; });
  while (it != runs.end() && it->y <= last) {
    const int32_t rowY = it->y;
    const auto rowEnd = std::upper_bound(it, runs.end(), rowY, [](int32_t v, const TextRun& r) { return v < r.y; });
    FillRow(&*it, &*it + (rowEnd - it), target, x, y, rgb);
    it = rowEnd;
  }
}

}  // namespace

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

bool ExactTextRotation(int32_t orientation) {
  // Qt builds the quarter turns other than -180 degrees from exact values.
  if (orientation % 3600 == 0) return true;
  const double a = -orientation / 10.0;
  return a == 90 || a == -90 || a == 180 || a == 270 || a == -270;
}

TextPicture RenderTextPicture(const QString& s, int32_t align, int32_t orientation, const QFont& font,
                              const QFontMetrics& metrics, int dotsPerMeterX, int dotsPerMeterY) {
  TextPicture picture;
  if (!ExactTextRotation(orientation)) return picture;
  const TextPlacement t = PlaceText(metrics, s, align);
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
  scratch.setDotsPerMeterX(dotsPerMeterX);
  scratch.setDotsPerMeterY(dotsPerMeterY);
  const QColor mark(Qt::black);
  if (!RenderRuns(scratch, [&](QPainter& p) { PaintText(p, ox, oy, orientation, t, font, s, &mark, nullptr); }, ox, oy,
                  picture.cell))
    return picture;
  if (!RenderRuns(scratch, [&](QPainter& p) { PaintText(p, ox, oy, orientation, t, font, s, nullptr, &mark); }, ox, oy,
                  picture.ink))
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
  if (picture.top < picture.bottom) {
    // The runs come row by row from the top.
    picture.inkRows.assign(static_cast<size_t>(picture.bottom - picture.top) + 1, 0);
    size_t k = 0;
    for (int32_t row = picture.top; row <= picture.bottom; ++row) {
      while (k < picture.ink.size() && picture.ink[k].y < row) ++k;
      picture.inkRows[static_cast<size_t>(row - picture.top)] = static_cast<uint32_t>(k);
    }
  }
  picture.cached = true;
  return picture;
}

const TextPicture& TTextPictures::Get(const TTextKey& key, const QFont& font, const QFontMetrics& metrics,
                                      int dotsPerMeterX, int dotsPerMeterY) {
  if (const TextPicture* picture = mCache.Find(key)) return *picture;
  const QString s = QString::fromUtf8(key.Text.data(), static_cast<qsizetype>(key.Text.size()));
  return mCache.Insert(key,
                       RenderTextPicture(s, key.Align, key.Orientation, font, metrics, dotsPerMeterX, dotsPerMeterY));
}

void TTextPictures::Draw(const TextPicture& picture, const TPixelTarget& target, int64_t x, int64_t y,
                         const uint32_t* cellRgb, uint32_t inkRgb) {
  if (picture.left >= picture.right || target.Bits == nullptr) return;  // nothing to draw (a blank)
  const QRect& box = target.Box;
  // Wholly outside the drawable box: no run can show.
  if (x + picture.right <= box.left() || y + picture.bottom <= box.top() || x + picture.left > box.right() ||
      y + picture.top > box.bottom())
    return;
  const bool inside = target.Region == nullptr && x + picture.left >= box.left() && y + picture.top >= box.top() &&
                      x + picture.right <= int64_t{box.right()} + 1 && y + picture.bottom <= int64_t{box.bottom()} + 1;
  if (inside) {
    // Wholly drawable: no run needs cutting.
    const int64_t anchor = y * target.Stride + x;  // may lie outside the image; every run lies inside
    if (cellRgb != nullptr) FillRunsInside(picture.cell, target, anchor, *cellRgb);
    FillRunsInside(picture.ink, target, anchor, inkRgb);
    return;
  }
  if (cellRgb != nullptr) FillRuns(picture.cell, nullptr, 0, target, x, y, *cellRgb);
  FillRuns(picture.ink, &picture.inkRows, picture.top, target, x, y, inkRgb);
}

}  // namespace fw
