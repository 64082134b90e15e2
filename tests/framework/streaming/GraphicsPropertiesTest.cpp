#include <gtest/gtest.h>

#include "framework/streaming/FormException.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"
#include "tests/framework/streaming/FakeComponents.h"

using namespace fake;

namespace {

class GraphicsPropertiesTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterFakeClasses(); }
};

}  // namespace

TEST_F(GraphicsPropertiesTest, FontPenAndBrushAreReadByName) {
  TFakeForm form(nullptr);
  fw::TFormReader::ReadRoot(form,
                            "object Form1: TFakeForm\n"
                            "  GdiFont.Charset = EASTEUROPE_CHARSET\n"
                            "  GdiFont.Color = clWhite\n"
                            "  GdiFont.Height = -13\n"
                            "  GdiFont.Name = 'Arial'\n"
                            "  GdiFont.Style = [fsBold]\n"
                            "  Pen.Color = clRed\n"
                            "  Pen.Width = 2\n"
                            "  Pen.Style = psDot\n"
                            "  Pen.Mode = pmNotXor\n"
                            "  Brush.Color = clWhite\n"
                            "  Brush.Style = bsClear\n"
                            "end\n");
  EXPECT_EQ(form.GdiFont().Charset(), 238);
  EXPECT_EQ(form.GdiFont().Color(), fw::clWhite);
  EXPECT_EQ(form.GdiFont().Height(), -13);
  EXPECT_EQ(form.GdiFont().Name(), "Arial");
  EXPECT_EQ(form.GdiFont().Style(), fw::fsBold);
  EXPECT_EQ(form.Pen().Color(), fw::clRed);
  EXPECT_EQ(form.Pen().Width(), 2);
  EXPECT_EQ(form.Pen().Style(), fw::psDot);
  EXPECT_EQ(form.Pen().Mode(), fw::pmNotXor);
  EXPECT_EQ(form.Brush().Style(), fw::bsClear);
}

TEST_F(GraphicsPropertiesTest, ASetterRejectionNamesLineAndProperty) {
  TFakeForm form(nullptr);
  try {
    fw::TFormReader::ReadRoot(form, "object Form1: TFakeForm\n  Pen.Width = -1\nend\n");
    FAIL() << "negative pen width accepted";
  } catch (const fw::FormException& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_NE(std::string(e.what()).find("Form1.Pen.Width"), std::string::npos) << e.what();
  }
  EXPECT_EQ(form.Pen().Width(), 1);
  // Character sets are 8-bit.
  EXPECT_THROW(fw::TFormReader::ReadRoot(form, "object Form1: TFakeForm\n  GdiFont.Charset = 256\nend\n"),
               fw::FormException);
}

TEST_F(GraphicsPropertiesTest, FontsAreWrittenWholePensAndBrushesAgainstDefaults) {
  TFakeForm form(nullptr);
  form.SetName("Form1");
  // Default pen and brush: nothing; a font the owner stores: all of it, empty style included.
  std::string text = fw::TFormWriter::Write(form);
  EXPECT_EQ(text.find("Pen."), std::string::npos) << text;
  EXPECT_EQ(text.find("Brush."), std::string::npos) << text;
  EXPECT_EQ(text.find("GdiFont."), std::string::npos) << text;

  form.GdiFont().SetName("Arial");
  form.Pen().SetWidth(3);
  form.Brush().SetStyle(fw::bsClear);
  text = fw::TFormWriter::Write(form);
  EXPECT_NE(text.find("  GdiFont.Charset = DEFAULT_CHARSET\n"
                      "  GdiFont.Color = clWindowText\n"
                      "  GdiFont.Height = -11\n"
                      "  GdiFont.Name = 'Arial'\n"
                      "  GdiFont.Style = []\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("  Pen.Width = 3\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Pen.Color"), std::string::npos) << text;
  EXPECT_NE(text.find("  Brush.Style = bsClear\n"), std::string::npos) << text;
}
