#include "framework/graphics/TPicture.h"

#include "framework/graphics/TBitmap.h"
#include "framework/runtime/Exception.h"

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

std::string TPicture::Data() const {
  if (!mGraphic) return {};
  const std::string name = mGraphic->GraphicClassName();
  std::string data(1, static_cast<char>(name.size()));
  data += name;
  data += mGraphic->SaveToData();
  return data;
}

void TPicture::SetData(const std::string& data) {
  if (data.empty()) {
    SetGraphic(nullptr);
    return;
  }
  const size_t nameLength = static_cast<uint8_t>(data[0]);
  if (data.size() < 1 + nameLength) throw Exception("Picture data ends inside its graphic class name");
  const std::string name = data.substr(1, nameLength);
  if (name != "TBitmap") throw Exception("Unknown graphic class '" + name + "' in picture data");
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromData(data.substr(1 + nameLength));  // throws before anything here changes
  SetGraphic(std::move(bitmap));
}

}  // namespace fw
