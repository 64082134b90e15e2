#include "framework/graphics/TPicture.h"

#include "framework/graphics/TBitmap.h"

namespace fw {

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  mGraphic = std::move(graphic);
  if (mGraphic) mGraphic->OnChange = [this] { Changed(); };
  Changed();
}

int32_t TPicture::Width() const { return mGraphic ? mGraphic->Width() : 0; }
int32_t TPicture::Height() const { return mGraphic ? mGraphic->Height() : 0; }

void TPicture::Assign(const TPicture& source) {
  if (&source == this) return;
  SetGraphic(source.mGraphic ? source.mGraphic->Clone() : nullptr);
}

void TPicture::LoadFromFile(const std::string& fileName) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromFile(fileName);  // throws before anything here changes
  SetGraphic(std::move(bitmap));
}

}  // namespace fw
