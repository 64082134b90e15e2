#include <gtest/gtest.h>

#include "framework/controls/TBoundLabel.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TCheckBox.h"
#include "framework/controls/TEdit.h"
#include "framework/controls/TForm.h"
#include "framework/controls/TLabeledEdit.h"
#include "framework/controls/TPanel.h"
#include "framework/controls/TTimer.h"
#include "framework/controls/TUpDown.h"
#include "framework/graphics/TFont.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"

namespace {

std::vector<std::string> gCalls;

// A window class of the kind an application declares: component fields and handlers.
class TControlsForm : public fw::TForm {
public:
  using fw::TForm::TForm;
  std::string ClassName() const override { return "TControlsForm"; }

  fw::TTimer* Timer1 = nullptr;
  fw::TPanel* Panel2 = nullptr;
  fw::TLabeledEdit* LabeledEdit1 = nullptr;
  fw::TLabeledEdit* LabeledEdit3 = nullptr;
  fw::TCheckBox* CheckBox1 = nullptr;
  fw::TButton* Button1 = nullptr;
  fw::TButton* Button2 = nullptr;
  fw::TUpDown* UpDown1 = nullptr;
  fw::TEdit* Edit1 = nullptr;

  void FormCreate(fw::TComponent*) { gCalls.push_back("FormCreate"); }
  void Button1Click(fw::TComponent* sender) { gCalls.push_back("Button1Click " + sender->Name()); }
  void LabeledEdit1Exit(fw::TComponent* sender) { gCalls.push_back("Exit " + sender->Name()); }
  void LabeledEdit1KeyPress(fw::TComponent* sender, char& key) {
    gCalls.push_back("KeyPress " + sender->Name() + " " + std::to_string(key));
  }
  void UpDown1Changing(fw::TComponent*, bool&) { gCalls.push_back("UpDown1Changing"); }
  void Edit1Change(fw::TComponent*) { gCalls.push_back("Edit1Change"); }
  void Timer1Timer(fw::TComponent*) { gCalls.push_back("Timer1Timer"); }
};

void RegisterControlsForm() {
  fw::RegisterClass<TControlsForm>("TControlsForm")
      .Inherits<fw::TForm>()
      .Field("Timer1", &TControlsForm::Timer1)
      .Field("Panel2", &TControlsForm::Panel2)
      .Field("LabeledEdit1", &TControlsForm::LabeledEdit1)
      .Field("LabeledEdit3", &TControlsForm::LabeledEdit3)
      .Field("CheckBox1", &TControlsForm::CheckBox1)
      .Field("Button1", &TControlsForm::Button1)
      .Field("Button2", &TControlsForm::Button2)
      .Field("UpDown1", &TControlsForm::UpDown1)
      .Field("Edit1", &TControlsForm::Edit1)
      .Method("FormCreate", &TControlsForm::FormCreate)
      .Method("Button1Click", &TControlsForm::Button1Click)
      .Method("LabeledEdit1Exit", &TControlsForm::LabeledEdit1Exit)
      .Method("LabeledEdit1KeyPress", &TControlsForm::LabeledEdit1KeyPress)
      .Method("UpDown1Changing", &TControlsForm::UpDown1Changing)
      .Method("Edit1Change", &TControlsForm::Edit1Change)
      .Method("Timer1Timer", &TControlsForm::Timer1Timer);
}

const char* const kWindow =
    "object Form1: TControlsForm\n"
    "  Left = 192\n"
    "  Top = 125\n"
    "  Width = 1055\n"
    "  Height = 674\n"
    "  BorderIcons = [biSystemMenu]\n"
    "  Caption = 'Standing wave moving relativistically'\n"
    "  Color = clBtnFace\n"
    "  Font.Charset = DEFAULT_CHARSET\n"
    "  Font.Color = clWindowText\n"
    "  Font.Height = -11\n"
    "  Font.Name = 'MS Sans Serif'\n"
    "  Font.Style = []\n"
    "  OnCreate = FormCreate\n"
    "  PixelsPerInch = 96\n"
    "  TextHeight = 13\n"
    "  object Panel2: TPanel\n"
    "    Left = 24\n"
    "    Top = 16\n"
    "    Width = 1001\n"
    "    Height = 601\n"
    "    Color = clTeal\n"
    "    TabOrder = 0\n"
    "    object Edit1: TEdit\n"
    "      Left = 168\n"
    "      Top = 32\n"
    "      Width = 121\n"
    "      Height = 21\n"
    "      TabOrder = 7\n"
    "      Text = '0'\n"
    "      OnChange = Edit1Change\n"
    "    end\n"
    "    object LabeledEdit1: TLabeledEdit\n"
    "      Left = 19\n"
    "      Top = 31\n"
    "      Width = 121\n"
    "      Height = 21\n"
    "      EditLabel.Width = 64\n"
    "      EditLabel.Height = 16\n"
    "      EditLabel.Caption = 'Length (L)'\n"
    "      EditLabel.Font.Charset = EASTEUROPE_CHARSET\n"
    "      EditLabel.Font.Color = clWhite\n"
    "      EditLabel.Font.Height = -13\n"
    "      EditLabel.Font.Name = 'Arial'\n"
    "      EditLabel.Font.Style = [fsBold]\n"
    "      EditLabel.ParentFont = False\n"
    "      Hint = 'Min: 100,  Max:2000'\n"
    "      LabelSpacing = 3\n"
    "      ParentShowHint = False\n"
    "      ShowHint = True\n"
    "      TabOrder = 1\n"
    "      Text = '500'\n"
    "      OnClick = Button1Click\n"
    "      OnExit = LabeledEdit1Exit\n"
    "      OnKeyPress = LabeledEdit1KeyPress\n"
    "    end\n"
    "    object LabeledEdit3: TLabeledEdit\n"
    "      Left = 166\n"
    "      Top = 31\n"
    "      Width = 121\n"
    "      Height = 21\n"
    "      EditLabel.Caption = 'Velocity ('#223')'\n"
    "      TabOrder = 2\n"
    "      Text = '0'\n"
    "    end\n"
    "    object CheckBox1: TCheckBox\n"
    "      Left = 326\n"
    "      Top = 34\n"
    "      Width = 211\n"
    "      Height = 17\n"
    "      Caption = 'Stop horizontal movement!'\n"
    "      Checked = True\n"
    "      Font.Charset = EASTEUROPE_CHARSET\n"
    "      Font.Color = clWhite\n"
    "      Font.Height = -13\n"
    "      Font.Name = 'Arial'\n"
    "      Font.Style = [fsBold]\n"
    "      ParentFont = False\n"
    "      State = cbChecked\n"
    "      TabOrder = 3\n"
    "    end\n"
    "    object Button1: TButton\n"
    "      Left = 665\n"
    "      Top = 24\n"
    "      Width = 75\n"
    "      Height = 25\n"
    "      Caption = 'Start'\n"
    "      TabOrder = 4\n"
    "      OnClick = Button1Click\n"
    "    end\n"
    "    object Button2: TButton\n"
    "      Left = 752\n"
    "      Top = 24\n"
    "      Width = 75\n"
    "      Height = 25\n"
    "      Caption = 'Stop'\n"
    "      TabOrder = 5\n"
    "    end\n"
    "    object UpDown1: TUpDown\n"
    "      Left = 289\n"
    "      Top = 32\n"
    "      Width = 16\n"
    "      Height = 21\n"
    "      Associate = Edit1\n"
    "      Max = 99\n"
    "      TabOrder = 6\n"
    "      OnChanging = UpDown1Changing\n"
    "    end\n"
    "  end\n"
    "  object Timer1: TTimer\n"
    "    Enabled = False\n"
    "    Interval = 40\n"
    "    OnTimer = Timer1Timer\n"
    "  end\n"
    "end\n";

class ControlPropertiesTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterControlsForm();
    gCalls.clear();
  }
};

// The window layout without the one line a check box does not publish.
std::string WindowLayout() {
  std::string text = kWindow;
  text.erase(text.find("      State = cbChecked\n"), std::string("      State = cbChecked\n").size());
  return text;
}

}  // namespace

TEST_F(ControlPropertiesTest, UnpublishedPropertyOfARealControlIsAnError) {
  TControlsForm form;
  try {
    fw::TFormReader::ReadRoot(form, kWindow);
    FAIL() << "State accepted";
  } catch (const fw::FormException& e) {
    EXPECT_NE(std::string(e.what()).find("CheckBox1.State"), std::string::npos) << e.what();
  }
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(form.CheckBox1, nullptr);
}

TEST_F(ControlPropertiesTest, WindowLayoutSetsEveryControl) {
  TControlsForm form;
  fw::TFormReader::ReadRoot(form, WindowLayout());

  EXPECT_EQ(form.Width(), 1055);
  EXPECT_EQ(form.Height(), 674);
  EXPECT_EQ(form.Caption(), "Standing wave moving relativistically");
  EXPECT_EQ(form.BorderIcons(), fw::biSystemMenu);
  EXPECT_EQ(form.Color(), fw::clBtnFace);
  EXPECT_EQ(form.Font().Name(), "MS Sans Serif");
  EXPECT_EQ(form.Font().Height(), -11);
  EXPECT_EQ(form.PixelsPerInch(), 96);

  ASSERT_TRUE(form.Panel2 && form.Edit1 && form.LabeledEdit1 && form.LabeledEdit3 && form.CheckBox1 &&
              form.Button1 && form.Button2 && form.UpDown1 && form.Timer1);
  EXPECT_EQ(form.Panel2->Parent(), &form);
  EXPECT_EQ(form.Panel2->Color(), fw::clTeal);
  EXPECT_EQ(form.Panel2->Width(), 1001);

  fw::TLabeledEdit& length = *form.LabeledEdit1;
  EXPECT_EQ(length.Parent(), form.Panel2);
  EXPECT_EQ(length.Left(), 19);
  EXPECT_EQ(length.Text(), "500");
  EXPECT_EQ(length.Hint(), "Min: 100,  Max:2000");
  EXPECT_TRUE(length.ShowHint());
  EXPECT_FALSE(length.ParentShowHint());
  EXPECT_EQ(length.EditLabel().Caption(), "Length (L)");
  EXPECT_EQ(length.EditLabel().Width(), 64);
  EXPECT_EQ(length.EditLabel().Height(), 16);
  EXPECT_EQ(length.EditLabel().Font().Name(), "Arial");
  EXPECT_EQ(length.EditLabel().Font().Height(), -13);
  EXPECT_EQ(length.EditLabel().Font().Style(), fw::fsBold);
  EXPECT_EQ(length.EditLabel().Font().Color(), fw::clWhite);
  EXPECT_EQ(length.EditLabel().Font().Charset(), 238);
  EXPECT_EQ(form.LabeledEdit3->EditLabel().Caption(), "Velocity (\xC3\x9F)");

  EXPECT_TRUE(form.CheckBox1->Checked());
  EXPECT_EQ(form.CheckBox1->Font().Name(), "Arial");
  EXPECT_EQ(form.Button2->Caption(), "Stop");
  EXPECT_EQ(form.UpDown1->Associate(), form.Edit1);
  EXPECT_EQ(form.UpDown1->Min(), 0);
  EXPECT_EQ(form.UpDown1->Max(), 99);
  EXPECT_EQ(form.UpDown1->Position(), 0);
  EXPECT_FALSE(form.UpDown1->Wrap());
  EXPECT_EQ(form.Edit1->Text(), "0");
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 40);

  // Tab order within the panel follows the stored TabOrder, not the creation order.
  const auto& tabs = form.Panel2->TabList();
  std::vector<fw::TWinControl*> expected = {form.LabeledEdit1, form.LabeledEdit3, form.CheckBox1, form.Button1,
                                            form.Button2,      form.UpDown1,      form.Edit1};
  EXPECT_EQ(tabs, expected);
  // Nothing ran while loading: the check box raised no click, the edits no change.
  EXPECT_TRUE(gCalls.empty());
}

TEST_F(ControlPropertiesTest, HandlersAreWiredByName) {
  TControlsForm form;
  fw::TFormReader::ReadRoot(form, WindowLayout());
  form.Button1->Click();
  char enter = 13;
  form.LabeledEdit1->KeyPress(enter);
  form.Timer1->Timer();
  form.OnCreate(&form);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"Button1Click Button1", "KeyPress LabeledEdit1 13", "Timer1Timer",
                                              "FormCreate"}));
  gCalls.clear();
  form.UpDown1->SetPosition(5);  // asks OnChanging first, then writes the buddy's text
  EXPECT_EQ(gCalls, (std::vector<std::string>{"UpDown1Changing", "Edit1Change"}));
  EXPECT_EQ(form.Edit1->Text(), "5");
}

TEST_F(ControlPropertiesTest, WindowRoundTripsThroughTheWriter) {
  TControlsForm first;
  fw::TFormReader::ReadRoot(first, WindowLayout());
  const std::string written = fw::TFormWriter::Write(first);
  // Defaults stay out: no bevels, no tab stops, no cursor, no enabled flags.
  EXPECT_EQ(written.find("BevelOuter"), std::string::npos) << written;
  EXPECT_EQ(written.find("TabStop"), std::string::npos) << written;
  EXPECT_EQ(written.find("Cursor"), std::string::npos) << written;
  EXPECT_EQ(written.find("TextHeight"), std::string::npos) << written;
  EXPECT_NE(written.find("    object UpDown1: TUpDown\n"), std::string::npos) << written;
  EXPECT_NE(written.find("      Associate = Edit1\n"), std::string::npos) << written;
  EXPECT_NE(written.find("  object Timer1: TTimer\n    Enabled = False\n"), std::string::npos) << written;

  TControlsForm second;
  fw::TFormReader::ReadRoot(second, written);
  EXPECT_EQ(fw::TFormWriter::Write(second), written);
  EXPECT_EQ(second.LabeledEdit1->EditLabel().Font().Name(), "Arial");
  EXPECT_EQ(second.Panel2->TabList(), (std::vector<fw::TWinControl*>{second.LabeledEdit1, second.LabeledEdit3,
                                                                     second.CheckBox1, second.Button1, second.Button2,
                                                                     second.UpDown1, second.Edit1}));
}

TEST_F(ControlPropertiesTest, ControlsNeedAWindowedParent) {
  TControlsForm form;
  EXPECT_THROW(fw::TFormReader::ReadRoot(form,
                                         "object Form1: TControlsForm\n"
                                         "  object Timer1: TTimer\n"
                                         "    object Button1: TButton\n"
                                         "    end\n"
                                         "  end\n"
                                         "end\n"),
               fw::FormException);
  EXPECT_EQ(form.ComponentCount(), 0);
}
