// The chart's background picture in the stored layout: written as binary picture data, read
// back pixel for pixel, and corrupt data refused with the line and the reason.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chart/ChartClasses.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TForm.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TPicture.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"

using namespace chart;

namespace {

class TImageForm : public fw::TForm {
public:
  using fw::TForm::TForm;
  std::string ClassName() const override { return "TImageForm"; }
  TChart* Chart1 = nullptr;
};

void RegisterImageForm() {
  RegisterChartClasses();
  fw::RegisterClass<TImageForm>("TImageForm").Inherits<fw::TForm>().Field("Chart1", &TImageForm::Chart1);
}

// A 3 x 2 picture with six different colours.
std::unique_ptr<fw::TBitmap> SmallPicture() {
  auto bitmap = std::make_unique<fw::TBitmap>(3, 2);
  const fw::TColor colours[6] = {fw::clRed, fw::clBlue, 0x123456, fw::clWhite, 0, 0x00FF80};
  for (int i = 0; i < 6; ++i) bitmap->Canvas().SetPixel(i % 3, i / 3, colours[i]);
  return bitmap;
}

std::string LayoutWithData(const std::string& hex) {
  return "object Form1: TImageForm\n"
         "  object Chart1: TChart\n"
         "    Width = 400\n"
         "    BackImage.Data = {\n"
         "      " +
         hex +
         "}\n"
         "  end\n"
         "end\n";
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (char c : bytes) {
    out += digits[static_cast<uint8_t>(c) >> 4];
    out += digits[static_cast<uint8_t>(c) & 15];
  }
  return out;
}

// The reader's error for a layout, or "" when it reads.
fw::FormException ReadError(const std::string& layout) {
  TImageForm form;
  try {
    fw::TFormReader::ReadRoot(form, layout);
  } catch (const fw::FormException& e) {
    return e;
  }
  return fw::FormException(0, "");
}

}  // namespace

TEST(BackImageLayout, APictureIsWrittenAsBinaryDataAndReadBackPixelForPixel) {
  RegisterImageForm();
  TImageForm first;
  first.SetName("Form1");
  first.Chart1 = new TChart(&first);
  first.Chart1->SetName("Chart1");
  first.Chart1->SetParent(&first);
  EXPECT_EQ(fw::TFormWriter::Write(first).find("BackImage"), std::string::npos);  // no picture: nothing

  first.Chart1->BackImage().SetGraphic(SmallPicture());
  const std::string written = fw::TFormWriter::Write(first);
  EXPECT_NE(written.find("    BackImage.Data = {\n      07544269746D6170"), std::string::npos) << written;

  TImageForm second;
  fw::TFormReader::ReadRoot(second, written);
  ASSERT_NE(second.Chart1, nullptr);
  auto* read = dynamic_cast<fw::TBitmap*>(second.Chart1->BackImage().Graphic());
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->Width(), 3);
  ASSERT_EQ(read->Height(), 2);
  auto expected = SmallPicture();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(read->Canvas().GetPixel(x, y), expected->Canvas().GetPixel(x, y)) << x << y;
  EXPECT_EQ(fw::TFormWriter::Write(second), written);
}

TEST(BackImageLayout, CorruptPictureDataIsRefusedWithTheLineAndTheReason) {
  RegisterImageForm();
  fw::TPicture picture;
  picture.SetGraphic(SmallPicture());
  const std::string good = picture.Data();
  ASSERT_EQ(ReadError(LayoutWithData(Hex(good))).Line(), 0);  // the good data reads

  struct TCase {
    std::string Bytes;
    std::string Reason;
  };
  std::string badSize = good;
  badSize[8] = static_cast<char>(badSize[8] + 1);  // the bitmap's size field, low byte
  std::string badImage = good;
  badImage[12] = 'X';  // the BMP signature
  const TCase cases[] = {
      {std::string("\x07TBit", 5), "ends inside its graphic class name"},
      {std::string("\x07TBitmax", 8) + good.substr(8), "Unknown graphic class 'TBitmax'"},
      {good.substr(0, 10), "ends before its size"},
      {badSize, "its size says"},
      {good.substr(0, good.size() - 1), "its size says"},
      {badImage, "not a valid BMP image"},
  };
  for (const TCase& c : cases) {
    const fw::FormException e = ReadError(LayoutWithData(Hex(c.Bytes)));
    EXPECT_EQ(e.Line(), 4) << c.Reason;
    EXPECT_NE(std::string(e.what()).find("Chart1.BackImage.Data"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(c.Reason), std::string::npos) << e.what();
  }
  // Broken hex digits are refused by the parser, also with the line.
  EXPECT_EQ(ReadError(LayoutWithData("07544")).Line(), 5);
  EXPECT_EQ(ReadError(LayoutWithData("0754ZZ")).Line(), 5);
  // Binary data is only for binary properties, and a picture takes nothing else.
  EXPECT_NE(std::string(ReadError("object Form1: TImageForm\n  object Chart1: TChart\n    Width = { 01 }\n"
                                  "  end\nend\n")
                            .what())
                .find("binary data"),
            std::string::npos);
  EXPECT_EQ(ReadError("object Form1: TImageForm\n  object Chart1: TChart\n    BackImage.Data = 3\n  end\nend\n").Line(),
            3);
}

TEST(BackImageLayout, ARefusedPictureKeepsTheOldOne) {
  fw::TPicture picture;
  picture.SetGraphic(SmallPicture());
  const std::string good = picture.Data();
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  EXPECT_THROW(picture.SetData(good.substr(0, 20)), fw::Exception);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(changes, 0);
  picture.SetData("");
  EXPECT_EQ(picture.Graphic(), nullptr);
  picture.SetData(good);
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_EQ(picture.Data(), good);
}
