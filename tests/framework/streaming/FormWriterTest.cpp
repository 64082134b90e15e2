#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/streaming/FormException.h"
#include "framework/streaming/TFormParser.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"
#include "tests/framework/streaming/FakeComponents.h"

using namespace fake;
using fw::FormException;
using fw::TFormReader;
using fw::TFormWriter;

namespace {

class FormWriterTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterFakeClasses();
    Log().clear();
  }
};

std::string ParsedString(const std::string& quoted) {
  return fw::TFormParser::Parse("object A: TA\n P = " + quoted + "\nend").Properties.at(0).Value.Text;
}

}  // namespace

TEST(FormWriterValues, StringsAreQuotedWithCharacterCodes) {
  EXPECT_EQ(TFormWriter::QuoteString(""), "''");
  EXPECT_EQ(TFormWriter::QuoteString("It's"), "'It''s'");
  EXPECT_EQ(TFormWriter::QuoteString("Velocity (\xC3\x9F)"), "'Velocity ('#223')'");
  EXPECT_EQ(TFormWriter::QuoteString("\r\n"), "#13#10");
  EXPECT_EQ(TFormWriter::QuoteString("\xE2\x82\xAC"), "#8364");

  for (const std::string s : {"plain", "a''b", "\xC3\x9F\xC3\xA4x", "tab\there", "\xC2\x85 (NEL)", "\xF0\x9F\x98\x80"})
    EXPECT_EQ(ParsedString(TFormWriter::QuoteString(s)), s) << s;
  // A stray byte is taken as Windows-1252, the same way the reader takes it.
  EXPECT_EQ(ParsedString(TFormWriter::QuoteString("\xDF")), "\xC3\x9F");
}

TEST(FormWriterValues, RealsReadBackExactly) {
  for (double v : {0.999, 0.1, -1000.0, 1e-300, 5e-324, 1.7976931348623157e308, 123456789.125, -2.5e21}) {
    const std::string text = TFormWriter::FormatReal(v);
    const auto value = fw::TFormParser::Parse("object A: TA\n P = " + text + "\nend").Properties.at(0).Value;
    const double back = value.Kind == fw::TFormValue::vkReal ? value.Real : static_cast<double>(value.Integer);
    EXPECT_EQ(back, v) << text;
  }
}

TEST_F(FormWriterTest, DefaultsAreNotWrittenAndSubObjectsUseDottedNames) {
  TFakeForm form(nullptr);
  form.SetName("Form1");
  auto* button = new TFakeControl(&form);
  button->SetName("Button1");
  button->SetParent(&form);
  button->SetLeft(8);
  button->SetCaption("Start");
  button->Title().Font.Color = fw::clBlue;
  button->Title().Font.Style = 1;
  auto* timer = new TFakeTimer(&form);
  timer->SetName("Timer1");

  EXPECT_EQ(TFormWriter::Write(form),
            "object Form1: TFakeForm\n"
            "  Left = 0\n"
            "  Top = 0\n"
            "  Font.Name = 'Arial'\n"
            "  Font.Height = -11\n"
            "  Font.Color = clWindowText\n"
            "  Font.Charset = DEFAULT_CHARSET\n"
            "  object Button1: TFakeControl\n"
            "    Left = 8\n"
            "    Top = 0\n"
            "    Caption = 'Start'\n"
            "    Font.Name = 'Arial'\n"
            "    Font.Height = -11\n"
            "    Font.Color = clWindowText\n"
            "    Font.Charset = DEFAULT_CHARSET\n"
            "    Title.Font.Name = 'Arial'\n"
            "    Title.Font.Height = -11\n"
            "    Title.Font.Color = clBlue\n"
            "    Title.Font.Style = [fsBold]\n"
            "    Title.Font.Charset = DEFAULT_CHARSET\n"
            "  end\n"
            "  object Timer1: TFakeTimer\n"
            "  end\n"
            "end\n");
}

TEST_F(FormWriterTest, NonDefaultValuesOfEveryKind) {
  TFakeForm form(nullptr);
  form.SetName("Form1");
  auto* edit = new TFakeControl(&form);
  edit->SetName("Edit1");
  auto* b = new TFakeControl(&form);
  b->SetName("B");
  b->SetParent(edit);  // nested in Edit1's block
  b->SetColor(0x123456);
  b->SetEnabled(false);
  b->SetAlignment(faCenter);
  b->SetAnchors(0b1010);
  b->SetRatio(-0.25);
  b->SetLines({"one", "it's"});
  b->SetBuddy(edit);
  form.Button1 = b;
  // A handler bound in code has no name and is not written.
  edit->OnClick = [](fw::TComponent*) {};

  const std::string text = TFormWriter::Write(form);
  EXPECT_NE(text.find("  object Edit1: TFakeControl\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    object B: TFakeControl\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      Color = 1193046\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      Enabled = False\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      Alignment = faCenter\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      Anchors = [akTop, akBottom]\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      Ratio = -0.25\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      Lines = (\n        'one'\n        'it''s')\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      Buddy = Edit1\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("OnClick"), std::string::npos) << text;
}

TEST_F(FormWriterTest, ReadWriteReadGivesTheSameObjects) {
  const char* const layout =
      "object Form1: TFakeForm\n"
      "  Left = 192\n"
      "  Caption = 'Standing wave'\n"
      "  Font.Name = 'MS Sans Serif'\n"
      "  Font.Charset = EASTEUROPE_CHARSET\n"
      "  object Panel1: TFakeControl\n"
      "    Color = clTeal\n"
      "    object Edit1: TFakeControl\n"
      "      Caption = 'Velocity ('#223')'\n"
      "      OnKeyPress = EditKeyPress\n"
      "    end\n"
      "    object Button1: TFakeControl\n"
      "      Anchors = []\n"
      "      Ratio = 0.999\n"
      "      Buddy = Edit1\n"
      "      Lines = ('a' 'b')\n"
      "      Title.Visible = False\n"
      "      Title.Text = ('Standing wave moving relativistically')\n"
      "      Title.Font.Color = clBlue\n"
      "      OnClick = Button1Click\n"
      "    end\n"
      "    object Range1: TFakeRange\n"
      "      Min = 50\n"
      "      Max = 100\n"
      "    end\n"
      "  end\n"
      "  object Timer1: TFakeTimer\n"
      "    Interval = 40\n"
      "    OnTimer = Timer1Timer\n"
      "  end\n"
      "end\n";
  TFakeForm first(nullptr);
  TFormReader::ReadRoot(first, layout);
  const std::string written = TFormWriter::Write(first);

  TFakeForm second(nullptr);
  TFormReader::ReadRoot(second, written);
  EXPECT_EQ(TFormWriter::Write(second), written);

  ASSERT_EQ(second.ComponentCount(), first.ComponentCount());
  for (int i = 0; i < first.ComponentCount(); ++i) {
    EXPECT_EQ(second.Components(i)->Name(), first.Components(i)->Name());
    EXPECT_EQ(second.Components(i)->ClassName(), first.Components(i)->ClassName());
  }
  auto* button = dynamic_cast<TFakeControl*>(second.FindComponent("Button1"));
  ASSERT_TRUE(button);
  EXPECT_EQ(button->Parent(), second.FindComponent("Panel1"));
  EXPECT_EQ(button->Buddy(), second.FindComponent("Edit1"));
  EXPECT_EQ(button->Ratio(), 0.999);
  EXPECT_FALSE(button->Title().Visible);
  EXPECT_EQ(button->Title().Font.Color, fw::clBlue);
  EXPECT_EQ(button->Title().Text, std::vector<std::string>{"Standing wave moving relativistically"});
  EXPECT_EQ(second.Font().Charset, 238);
  auto* range = dynamic_cast<TFakeRange*>(second.FindComponent("Range1"));
  EXPECT_EQ(range->Min(), 50);
  EXPECT_EQ(range->Max(), 100);
  Log().clear();
  button->OnClick(button);
  EXPECT_EQ(Log(), std::vector<std::string>{"Button1Click Button1"});
}

TEST_F(FormWriterTest, UnrepresentableValuesThrow) {
  TFakeForm form(nullptr);
  form.SetName("Form1");
  auto* b = new TFakeControl(&form);
  b->SetName("B");
  b->SetRatio(std::numeric_limits<double>::quiet_NaN());
  EXPECT_THROW(TFormWriter::Write(form), FormException);
  b->SetRatio(0);
  b->SetAlignment(static_cast<TFakeAlignment>(3));  // in the type's range, without a name
  EXPECT_THROW(TFormWriter::Write(form), FormException);
  b->SetAlignment(faLeft);
  b->SetAnchors(1u << 6);
  EXPECT_THROW(TFormWriter::Write(form), FormException);
  b->SetAnchors(0);
  TFakeControl outsider(nullptr);
  outsider.SetName("Outsider");
  b->SetBuddy(&outsider);
  EXPECT_THROW(TFormWriter::Write(form), FormException);
  b->SetBuddy(&form);
  form.SetName("");  // an unnamed form cannot be referred to
  EXPECT_THROW(TFormWriter::Write(form), FormException);
  form.SetName("Form1");
  EXPECT_NE(TFormWriter::Write(form).find("Buddy = Form1"), std::string::npos);
  b->SetBuddy(nullptr);
  EXPECT_NO_THROW(TFormWriter::Write(form));
  // A component whose class has no table cannot be written.
  class TUnregistered : public fw::TComponent {
  public:
    using fw::TComponent::TComponent;
    std::string ClassName() const override { return "TUnregistered"; }
  };
  new TUnregistered(&form);
  EXPECT_THROW(TFormWriter::Write(form), FormException);
}
