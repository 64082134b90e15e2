#include "framework/graphics/TBitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"

namespace fw {

TBitmap::TBitmap() : mCanvas(std::make_unique<TSurface>()) {
  mCanvas->OnChange = [this] { Changed(); };
}

TBitmap::TBitmap(int32_t width, int32_t height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() = default;

int32_t TBitmap::Width() const { return mCanvas->Width(); }
int32_t TBitmap::Height() const { return mCanvas->Height(); }
bool TBitmap::Empty() const { return Width() == 0 || Height() == 0; }

void TBitmap::SetWidth(int32_t value) { SetSize(value, Height()); }
void TBitmap::SetHeight(int32_t value) { SetSize(Width(), value); }

void TBitmap::SetSize(int32_t width, int32_t height) {
  if (width < 0 || height < 0) throw Exception("Bitmap size must not be negative");
  if (width == Width() && height == Height()) return;
  // A zero side leaves an empty bitmap; keep the requested non-zero side out of it.
  if (width == 0 || height == 0) {
    SurfaceAccess::CreateImage(*mCanvas, 0, 0);
  } else if (!SurfaceAccess::CreateImage(*mCanvas, width, height)) {
    throw Exception("Bitmap too large");
  }
  Changed();
}

void TBitmap::SetMonochrome(bool value) {
  if (mMonochrome == value) return;
  mMonochrome = value;
  SurfaceAccess::SetMonochrome(*mCanvas, value);
  Changed();
}

void TBitmap::Draw(TSurface& surface, const TRect& rect) const {
  const QImage* image = SurfaceAccess::Image(*mCanvas);
  if (image == nullptr) return;
  SurfaceAccess::StretchImage(surface, rect, *image, mMonochrome);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->SetMonochrome(mMonochrome);
  const QImage* image = SurfaceAccess::Image(*mCanvas);
  if (image != nullptr) {
    copy->SetSize(image->width(), image->height());
    copy->Canvas().BlockCopy(0, 0, image->width(), image->height(), *mCanvas, 0, 0);
  }
  return copy;
}

void TBitmap::SaveToFile(const std::string& fileName) const {
  const QImage* image = SurfaceAccess::Image(*mCanvas);
  const QImage toSave = image != nullptr ? image->copy() : QImage();
  if (toSave.isNull() || !toSave.save(QString::fromStdString(fileName), "PNG"))
    throw Exception("Cannot write the image file " + fileName);
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  QImage loaded;
  if (!loaded.load(QString::fromStdString(fileName)) || loaded.isNull())
    throw Exception("Cannot read the image file " + fileName);
  AssignImage(loaded);
}

std::string TBitmap::SaveToData() const {
  QByteArray bmp;
  if (!Empty()) {
    const QImage* image = SurfaceAccess::Image(*mCanvas);
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    if (image == nullptr || !image->save(&buffer, "BMP")) throw Exception("Cannot store the bitmap");
  }
  const auto size = static_cast<uint32_t>(bmp.size());
  std::string data;
  data.reserve(4 + static_cast<size_t>(bmp.size()));
  for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>((size >> shift) & 0xFF);
  data.append(bmp.constData(), static_cast<size_t>(bmp.size()));
  return data;
}

void TBitmap::LoadFromData(const std::string& data) {
  if (data.size() < 4) throw Exception("Bitmap data ends before its size");
  uint32_t size = 0;
  for (int i = 3; i >= 0; --i) size = (size << 8) | static_cast<uint8_t>(data[static_cast<size_t>(i)]);
  if (size != data.size() - 4)
    throw Exception("Bitmap data holds " + std::to_string(data.size() - 4) + " bytes, its size says " +
                    std::to_string(size));
  if (size == 0) {
    SetSize(0, 0);
    return;
  }
  QImage loaded;
  if (!loaded.loadFromData(reinterpret_cast<const uchar*>(data.data()) + 4, static_cast<int>(size), "BMP") ||
      loaded.isNull())
    throw Exception("Bitmap data is not a valid BMP image");
  AssignImage(loaded);
}

void TBitmap::AssignImage(QImage& loaded) {
  loaded = loaded.convertToFormat(QImage::Format_RGB32);
  if (!SurfaceAccess::CreateImage(*mCanvas, loaded.width(), loaded.height())) throw Exception("Bitmap too large");
  QImage* target = SurfaceAccess::Image(*mCanvas);
  if (target != nullptr) {
    // Copy through a surface over the loaded image so that the painter keeps the target.
    TSurface from;
    SurfaceAccess::Attach(from, &loaded);
    auto onChange = std::move(mCanvas->OnChange);
    mCanvas->OnChange = nullptr;
    mCanvas->BlockCopy(0, 0, loaded.width(), loaded.height(), from, 0, 0);
    mCanvas->OnChange = std::move(onChange);
    SurfaceAccess::Attach(from, nullptr);
  }
  Changed();
}

}  // namespace fw
