#include <gtest/gtest.h>

#include "framework/streaming/FormException.h"
#include "framework/streaming/TFormReader.h"
#include "tests/framework/streaming/FakeComponents.h"

using namespace fake;
using fw::FormException;
using fw::TFormReader;

namespace {

class FormReaderTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterFakeClasses();
    Log().clear();
  }

  // The message of the FormException that reading `text` into a fresh form raises.
  std::string ReadError(const std::string& text) {
    TFakeForm form(nullptr);
    try {
      TFormReader::ReadRoot(form, text);
    } catch (const FormException& e) {
      return e.what();
    }
    return "no exception";
  }

  TFakeControl* Find(TFakeForm& form, const std::string& name) {
    return dynamic_cast<TFakeControl*>(form.FindComponent(name));
  }
};

const char* const kLayout =
    "object Form1: TFakeForm\n"
    "  Left = 192\n"
    "  Top = -5\n"
    "  Caption = 'Standing wave'\n"
    "  Color = clBtnFace\n"
    "  Font.Name = 'MS Sans Serif'\n"
    "  Font.Style = [fsBold, fsItalic]\n"
    "  Font.Charset = EASTEUROPE_CHARSET\n"
    "  object Panel1: TFakeControl\n"
    "    Left = 24\n"
    "    Color = 8421376\n"
    "    object Edit1: TFakeControl\n"
    "      Caption = 'Velocity ('#223')'\n"
    "      OnKeyPress = EditKeyPress\n"
    "    end\n"
    "    object Button1: TFakeControl\n"
    "      Alignment = faRight\n"
    "      Anchors = []\n"
    "      Enabled = False\n"
    "      Ratio = 0.999\n"
    "      Buddy = Edit1\n"
    "      Title.Text = (\n"
    "        'Standing wave moving relativistically')\n"
    "      Title.Font.Color = clBlue\n"
    "      Title.Font.Height = -13\n"
    "      OnClick = Button1Click\n"
    "    end\n"
    "  end\n"
    "  object Timer1: TFakeTimer\n"
    "    Interval = 40\n"
    "    OnTimer = Timer1Timer\n"
    "  end\n"
    "end\n";

}  // namespace

TEST_F(FormReaderTest, CreatesNamedComponentsWithTheirValues) {
  TFakeForm form(nullptr);
  TFormReader::ReadRoot(form, kLayout);

  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.Left(), 192);
  EXPECT_EQ(form.Top(), -5);
  EXPECT_EQ(form.Caption(), "Standing wave");
  EXPECT_EQ(form.Font().Name, "MS Sans Serif");
  EXPECT_EQ(form.Font().Style, 3u);
  EXPECT_EQ(form.Font().Charset, 238);
  ASSERT_EQ(form.ComponentCount(), 4);

  TFakeControl* panel = Find(form, "Panel1");
  TFakeControl* edit = Find(form, "Edit1");
  TFakeControl* button = Find(form, "Button1");
  ASSERT_TRUE(panel && edit && button);
  EXPECT_EQ(panel->Color(), fw::clTeal);
  EXPECT_EQ(edit->Caption(), "Velocity (\xC3\x9F)");
  EXPECT_EQ(button->Alignment(), faRight);
  EXPECT_EQ(button->Anchors(), 0u);
  EXPECT_FALSE(button->Enabled());
  EXPECT_EQ(button->Ratio(), 0.999);
  EXPECT_EQ(button->Title().Text, std::vector<std::string>{"Standing wave moving relativistically"});
  EXPECT_EQ(button->Title().Font.Color, fw::clBlue);
  EXPECT_EQ(button->Title().Font.Height, -13);
  EXPECT_EQ(button->Font().Color, fw::clWindowText);  // untouched sub-object keeps its defaults
}

TEST_F(FormReaderTest, OwnershipParentsAndFields) {
  TFakeForm form(nullptr);
  TFormReader::ReadRoot(form, kLayout);
  TFakeControl* panel = Find(form, "Panel1");
  for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_EQ(form.Components(i)->Owner(), &form);
  // Creation order is the order of the blocks.
  EXPECT_EQ(form.Components(0)->Name(), "Panel1");
  EXPECT_EQ(form.Components(1)->Name(), "Edit1");
  EXPECT_EQ(form.Components(3)->Name(), "Timer1");
  // The enclosing block's component becomes the parent; the form for top-level blocks.
  EXPECT_EQ(panel->Parent(), &form);
  EXPECT_EQ(Find(form, "Edit1")->Parent(), panel);
  EXPECT_EQ(Find(form, "Button1")->Parent(), panel);
  // Fields are filled for the names the root's table lists, with the right class.
  EXPECT_EQ(form.Panel1, panel);
  EXPECT_EQ(form.Button1, Find(form, "Button1"));
  EXPECT_EQ(form.Timer1, form.FindComponent("Timer1"));
}

TEST_F(FormReaderTest, PropertiesAreSetWhileLoadingAndLoadedFollowsInCreationOrder) {
  TFakeForm form(nullptr);
  TFormReader::ReadRoot(form, kLayout);
  EXPECT_TRUE(form.CaptionSetWhileLoading);
  EXPECT_TRUE(Find(form, "Edit1")->CaptionSetWhileLoading);
  EXPECT_EQ(Log(), (std::vector<std::string>{"Loaded Form1", "Loaded Panel1", "Loaded Edit1", "Loaded Button1",
                                             "Loaded Timer1"}));
  for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_FALSE(form.Components(i)->IsLoading());
  EXPECT_FALSE(form.IsLoading());
}

TEST_F(FormReaderTest, PairedRangeChecksAreSkippedWhileLoading) {
  // Min = 50 comes before Max = 100 while Max is still 10: legal only while loading.
  TFakeForm form(nullptr);
  TFormReader::ReadRoot(form,
                        "object Form1: TFakeForm\n"
                        "  object Range1: TFakeRange\n"
                        "    Min = 50\n"
                        "    Max = 100\n"
                        "    Left = 3\n"
                        "  end\n"
                        "end\n");
  auto* range = dynamic_cast<TFakeRange*>(form.FindComponent("Range1"));
  ASSERT_TRUE(range);
  EXPECT_EQ(range->Min(), 50);
  EXPECT_EQ(range->Max(), 100);
  EXPECT_EQ(range->Left(), 3);  // inherited property
  // After loading the check is back.
  EXPECT_THROW(range->SetMin(200), fw::Exception);
  EXPECT_EQ(range->Min(), 50);
}

TEST_F(FormReaderTest, ComponentReferencesResolveInAnyOrder) {
  TFakeForm form(nullptr);
  TFormReader::ReadRoot(form,
                        "object Form1: TFakeForm\n"
                        "  object A: TFakeControl\n"
                        "    Buddy = B\n"  // B does not exist yet
                        "  end\n"
                        "  object B: TFakeControl\n"
                        "    Buddy = Form1.A\n"
                        "  end\n"
                        "  object C: TFakeControl\n"
                        "    Buddy = Form1\n"
                        "  end\n"
                        "end\n");
  EXPECT_EQ(Find(form, "A")->Buddy(), Find(form, "B"));
  EXPECT_EQ(Find(form, "B")->Buddy(), Find(form, "A"));
  EXPECT_EQ(Find(form, "C")->Buddy(), &form);
}

TEST_F(FormReaderTest, EventsAreBoundToTheRootsMethodsByName) {
  TFakeForm form(nullptr);
  TFormReader::ReadRoot(form, kLayout);
  Log().clear();
  TFakeControl* button = Find(form, "Button1");
  ASSERT_TRUE(button->OnClick);
  button->OnClick(button);
  char key = 'a';
  TFakeControl* edit = Find(form, "Edit1");
  ASSERT_TRUE(edit->OnKeyPress);
  edit->OnKeyPress(edit, key);
  EXPECT_EQ(key, 'x');  // reference parameters reach the handler
  auto* timer = dynamic_cast<TFakeTimer*>(form.FindComponent("Timer1"));
  timer->OnTimer(timer);
  EXPECT_EQ(Log(), (std::vector<std::string>{"Button1Click Button1", "EditKeyPress Edit1 a", "Timer1Timer Timer1"}));
  EXPECT_FALSE(Find(form, "Panel1")->OnClick);
}

TEST_F(FormReaderTest, UnknownNamesAreErrorsNamingLineAndProperty) {
  const std::string unknownProperty = ReadError("object Form1: TFakeForm\n  Left = 1\n  Colour = clRed\nend\n");
  EXPECT_NE(unknownProperty.find("Line 3"), std::string::npos) << unknownProperty;
  EXPECT_NE(unknownProperty.find("Form1.Colour"), std::string::npos) << unknownProperty;

  const std::string unknownNested = ReadError(
      "object Form1: TFakeForm\n  object B: TFakeControl\n    Title.Font.Colour = clRed\n  end\nend\n");
  EXPECT_NE(unknownNested.find("Line 3"), std::string::npos) << unknownNested;
  EXPECT_NE(unknownNested.find("B.Title.Font.Colour"), std::string::npos) << unknownNested;

  const std::string unknownClass = ReadError("object Form1: TFakeForm\n\n  object B: TNoSuchThing\n  end\nend\n");
  EXPECT_NE(unknownClass.find("Line 3"), std::string::npos) << unknownClass;
  EXPECT_NE(unknownClass.find("TNoSuchThing"), std::string::npos) << unknownClass;

  const std::string unknownMethod =
      ReadError("object Form1: TFakeForm\n  object B: TFakeControl\n    OnClick = Nowhere\n  end\nend\n");
  EXPECT_NE(unknownMethod.find("Line 3"), std::string::npos) << unknownMethod;
  EXPECT_NE(unknownMethod.find("Nowhere"), std::string::npos) << unknownMethod;

  const std::string unknownReference =
      ReadError("object Form1: TFakeForm\n  object B: TFakeControl\n    Buddy = Nobody\n  end\nend\n");
  EXPECT_NE(unknownReference.find("Line 3"), std::string::npos) << unknownReference;
  EXPECT_NE(unknownReference.find("Nobody"), std::string::npos) << unknownReference;

  EXPECT_NE(ReadError("object Form1: TFakeControl\nend\n").find("TFakeControl"), std::string::npos);
}

TEST_F(FormReaderTest, ValuesOfTheWrongKindAreRejected) {
  auto bad = [&](const std::string& property) {
    return ReadError("object Form1: TFakeForm\n  object B: TFakeControl\n    " + property + "\n  end\nend\n");
  };
  EXPECT_NE(bad("Left = 'x'").find("Line 3"), std::string::npos);
  EXPECT_NE(bad("Left = 1.5").find("B.Left"), std::string::npos);
  EXPECT_NE(bad("Top = 40000").find("out of range"), std::string::npos);  // Top is 16-bit
  EXPECT_NE(bad("Left = 2147483648").find("out of range"), std::string::npos);
  EXPECT_NE(bad("Enabled = Yes").find("True or False"), std::string::npos);
  EXPECT_NE(bad("Alignment = faMiddle").find("faMiddle"), std::string::npos);
  EXPECT_NE(bad("Anchors = [akLeft, akNowhere]").find("akNowhere"), std::string::npos);
  EXPECT_NE(bad("Color = clPink").find("clPink"), std::string::npos);
  EXPECT_NE(bad("Color = 8589934592").find("out of range"), std::string::npos);
  EXPECT_NE(bad("Caption = Hello").find("string"), std::string::npos);
  EXPECT_NE(bad("Lines = ( 1 2 )").find("string"), std::string::npos);
  EXPECT_NE(bad("Font = 3").find("dotted"), std::string::npos);
  EXPECT_NE(bad("Left.X = 3").find("sub-properties"), std::string::npos);
  EXPECT_NE(bad("OnClick = EditKeyPress").find("parameters"), std::string::npos);
  EXPECT_NE(bad("Buddy = Timer1\n  end\n  object Timer1: TFakeTimer").find("cannot be assigned"), std::string::npos);
}

TEST_F(FormReaderTest, OtherValueForms) {
  TFakeForm form(nullptr);
  TFormReader::ReadRoot(form,
                        "object Form1: TFakeForm\n"
                        "  object B: TFakeControl\n"
                        "    color = $80000005\n"  // unsigned system colour, names without case
                        "    ENABLED = true\n"
                        "    Ratio = 3\n"
                        "    Lines.Strings = (\n"
                        "      'one'\n"
                        "      'two')\n"
                        "    Font.Charset = 0\n"
                        "    Buddy = nil\n"
                        "    OnClick = nil\n"
                        "  end\n"
                        "end\n");
  TFakeControl* b = Find(form, "B");
  EXPECT_EQ(b->Color(), fw::clWindow);
  EXPECT_TRUE(b->Enabled());
  EXPECT_EQ(b->Ratio(), 3.0);
  EXPECT_EQ(b->Lines(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(b->Font().Charset, 0);
}

TEST_F(FormReaderTest, AFailedReadFreesWhatItCreated) {
  TFakeForm form(nullptr);
  EXPECT_THROW(TFormReader::ReadRoot(form,
                                     "object Form1: TFakeForm\n"
                                     "  object Button1: TFakeControl\n"
                                     "  end\n"
                                     "  object Timer1: TFakeTimer\n"
                                     "    Interval = 'slow'\n"
                                     "  end\n"
                                     "end\n"),
               FormException);
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(form.Button1, nullptr);
  EXPECT_EQ(form.Timer1, nullptr);
  EXPECT_FALSE(form.IsLoading());
}

TEST_F(FormReaderTest, DuplicateNamesAndUncreatableClassesAreRejected) {
  EXPECT_NE(ReadError("object Form1: TFakeForm\n  object A: TFakeControl\n  end\n  object a: TFakeControl\n  end\nend\n")
                .find("already exists"),
            std::string::npos);
  EXPECT_NE(ReadError("object Form1: TFakeForm\n  object Form1: TFakeControl\n  end\nend\n").find("already exists"),
            std::string::npos);
  EXPECT_NE(ReadError("object Form1: TFakeForm\n  object F: TFakeForm\n  end\nend\n").find("cannot be created"),
            std::string::npos);
  EXPECT_NE(ReadError("object Form1: TFakeForm\n  object F: TFakeFont\n  end\nend\n").find("not a component"),
            std::string::npos);
  // A field of the root holds one class only.
  EXPECT_NE(ReadError("object Form1: TFakeForm\n  object Timer1: TFakeControl\n  end\nend\n").find("field"),
            std::string::npos);
}
