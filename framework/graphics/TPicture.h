#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/graphics/TGraphic.h"

namespace fw {

/// Holds at most one graphic (owned). Width and Height are 0 without one.
class TPicture {
public:
  TPicture();
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  TGraphic* Graphic() const { return mGraphic.get(); }
  /// Takes ownership; nullptr clears the picture. Raises OnChange.
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  int32_t Width() const;
  int32_t Height() const;

  /// Copies the other picture's graphic (a deep copy). Raises OnChange.
  void Assign(const TPicture& source);
  /// Loads an image file (PNG) as a bitmap. Throws fw::Exception when the file cannot be
  /// read; the old graphic stays.
  void LoadFromFile(const std::string& fileName);

  /// Stored form of the picture: empty without a graphic; otherwise one byte with the length of
  /// the graphic's class name, the name, then the graphic's own data (TGraphic::SaveToData).
  std::string Data() const;
  /// Reads what Data writes (empty data clears the picture). Throws fw::Exception naming what is
  /// wrong (data ending inside the class name, an unknown graphic class, invalid graphic data);
  /// the old graphic then stays.
  void SetData(const std::string& data);

  std::function<void()> OnChange;

private:
  void Changed() {
    if (OnChange) OnChange();
  }

  std::unique_ptr<TGraphic> mGraphic;
};

}  // namespace fw
