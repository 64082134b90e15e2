#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics/TGraphic.h"

class QImage;

namespace fw {

class TSurface;

/// An off-screen RGB image with a surface to draw into it. A new bitmap is empty (0 x 0);
/// resizing keeps the old content at the top-left and fills new pixels white. Drawing through
/// Canvas() raises Canvas().OnChanging / OnChange, which the bitmap wires to its own OnChange
/// (set them to nullptr to draw many primitives without notifications).
class TBitmap : public TGraphic {
public:
  TBitmap();
  TBitmap(int32_t width, int32_t height);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int32_t Width() const override;
  int32_t Height() const override;
  bool Empty() const override;
  /// Throws fw::Exception for a negative size or one that cannot be allocated; the old size
  /// and content stay.
  void SetWidth(int32_t value);
  void SetHeight(int32_t value);
  void SetSize(int32_t width, int32_t height);

  /// Drawn in colour, presented and read in black and white: a pixel becomes white when its
  /// luminance (0.299 R + 0.587 G + 0.114 B) exceeds 128, black otherwise.
  bool Monochrome() const { return mMonochrome; }
  void SetMonochrome(bool value);

  TSurface& Canvas() { return *mCanvas; }

  void Draw(TSurface& surface, const TRect& rect) const override;
  std::unique_ptr<TGraphic> Clone() const override;

  const char* GraphicClassName() const override { return "TBitmap"; }
  /// A 32-bit little-endian byte count, then that many bytes of a BMP file (none for an empty
  /// bitmap).
  std::string SaveToData() const override;
  /// Reads what SaveToData writes. Throws fw::Exception with the reason when the data is not
  /// that (size field missing or not matching, or an undecodable image); the old content stays.
  void LoadFromData(const std::string& data);

  /// PNG. Throws fw::Exception when the file cannot be written.
  void SaveToFile(const std::string& fileName) const;
  /// Any image format Qt reads (PNG at least). Throws fw::Exception when the file cannot be
  /// read; the old content stays.
  void LoadFromFile(const std::string& fileName);

private:
  /// Takes the loaded image's pixels (converted to RGB32); throws when too large.
  void AssignImage(QImage& loaded);

  std::unique_ptr<TSurface> mCanvas;
  bool mMonochrome = false;
};

}  // namespace fw
