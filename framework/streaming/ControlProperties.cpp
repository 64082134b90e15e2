// Published properties of the framework's controls, as a stored window layout names them.
#include "framework/controls/TBoundLabel.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TCheckBox.h"
#include "framework/controls/TCustomPanel.h"
#include "framework/controls/TEdit.h"
#include "framework/controls/TForm.h"
#include "framework/controls/TLabeledEdit.h"
#include "framework/controls/TPanel.h"
#include "framework/controls/TTimer.h"
#include "framework/controls/TUpDown.h"
#include "framework/controls/TWinControl.h"
#include "framework/graphics/TFont.h"
#include "framework/runtime/Exception.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/TClassRegistry.h"

namespace fw {

namespace {

bool CursorValue(const std::string& name, int64_t& value) {
  TCursor cursor = crDefault;
  if (!IdentToCursor(name, cursor)) return false;
  value = cursor;
  return true;
}

bool CursorName(int64_t value, std::string& name) {
  if (value < INT16_MIN || value > INT16_MAX) return false;
  std::string ident = CursorToIdent(static_cast<TCursor>(value));
  if (ident.empty() || (ident[0] != 'c' && ident[0] != 'C')) return false;  // a number, not a name
  name = std::move(ident);
  return true;
}

// A class whose constructor gives it a colour of its own: Color and ParentColor with its defaults.
template <class T>
void OwnColor(TClassBuilder<T>& b, TColor color) {
  b.Color("Color", &TControl::Color, &TControl::SetColor)
      .Default(color)
      .Stored([](T& c) { return !c.ParentColor(); })
      .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
      .Default(false);
}

template <class T>
void TabStopByDefault(TClassBuilder<T>& b) {
  b.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
}

void RegisterControl() {
  RegisterClass<TControl>("TControl")
      .Parent(
          [](TControl& c, TComponent* parent) {
            auto* window = dynamic_cast<TWinControl*>(parent);
            if (!window) throw Exception(parent->Name() + " (" + parent->ClassName() + ") cannot hold controls");
            c.SetParent(window);
          },
          [](TControl& c) -> TComponent* { return c.Parent(); })
      .Integer("Left", &TControl::Left, &TControl::SetLeft)
      .Integer("Top", &TControl::Top, &TControl::SetTop)
      .Integer("Width", &TControl::Width, &TControl::SetWidth)
      .Integer("Height", &TControl::Height, &TControl::SetHeight)
      .Integer("Cursor", &TControl::Cursor, &TControl::SetCursor)
      .Default(crDefault)
      .Idents(CursorValue, CursorName)
      .String("Hint", &TControl::Hint, &TControl::SetHint)
      .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
      .Default(true)
      .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
      .Stored([](TControl& c) { return !c.ParentShowHint(); })
      .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
      .Default(true)
      .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
      .Default(true)
      .Color("Color", &TControl::Color, &TControl::SetColor)
      .Stored([](TControl& c) { return !c.ParentColor(); })
      .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
      .Default(true)
      .Object("Font", &TControl::Font)
      .Stored([](TControl& c) { return !c.ParentFont(); })
      .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
      .Default(true)
      .Event("OnClick", &TControl::OnClick)
      .Event("OnDblClick", &TControl::OnDblClick)
      .Event("OnMouseDown", &TControl::OnMouseDown)
      .Event("OnMouseMove", &TControl::OnMouseMove)
      .Event("OnMouseUp", &TControl::OnMouseUp)
      .Event("OnMouseWheel", &TControl::OnMouseWheel)
      .Event("OnMouseWheelDown", &TControl::OnMouseWheelDown)
      .Event("OnMouseWheelUp", &TControl::OnMouseWheelUp)
      .Event("OnMouseEnter", &TControl::OnMouseEnter)
      .Event("OnMouseLeave", &TControl::OnMouseLeave);

  RegisterClass<TWinControl>("TWinControl")
      .Inherits<TControl>()
      .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
      .Default(-1)
      .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
      .Default(false)
      .Event("OnEnter", &TWinControl::OnEnter)
      .Event("OnExit", &TWinControl::OnExit);
}

void RegisterForm() {
  auto form = RegisterClass<TForm>("TForm");
  form.Inherits<TWinControl>()
      .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
      .Default(false)
      .String("Caption", &TForm::Caption, &TForm::SetCaption)
      .Set("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons,
           {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"})
      .Default(biSystemMenu | biMinimize | biMaximize)
      .Enumeration("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle,
                   {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})
      .Default(bsSizeable)
      // The client size is another way of giving Width and Height: read, never written.
      .Integer("ClientWidth", [](TForm& f) { return f.ClientWidth(); }, [](TForm& f, int32_t v) { f.SetClientWidth(v); })
      .Stored([](TForm&) { return false; })
      .Integer("ClientHeight", [](TForm& f) { return f.ClientHeight(); },
               [](TForm& f, int32_t v) { f.SetClientHeight(v); })
      .Stored([](TForm&) { return false; })
      .Integer("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch)
      // The text height a layout was designed with only matters for rescaling at another
      // resolution, which this framework does not do: accepted and not kept.
      .Integer("TextHeight", [](TForm&) { return 0; }, [](TForm&, int32_t) {})
      .Stored([](TForm&) { return false; })
      .Event("OnCreate", &TForm::OnCreate)
      .Event("OnActivate", &TForm::OnActivate)
      .Event("OnClose", &TForm::OnClose);
  OwnColor(form, clBtnFace);
}

void RegisterPanels() {
  auto panel = RegisterClass<TCustomPanel>("TCustomPanel");
  panel.Inherits<TWinControl>()
      .Enumeration("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner,
                   {"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvNone)
      .Enumeration("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter,
                   {"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvRaised)
      .Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
      .Default(1)
      .Integer("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth)
      .Default(0)
      .String("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption);
  OwnColor(panel, clBtnFace);

  RegisterClass<TPanel>("TPanel").Inherits<TCustomPanel>().Creatable();
}

void RegisterEdits() {
  auto edit = RegisterClass<TEdit>("TEdit");
  edit.Inherits<TWinControl>()
      .Creatable()
      .Integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)
      .Default(0)
      .Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
      .Default(false)
      .String("Text", &TEdit::Text, &TEdit::SetText)
      .Event("OnChange", &TEdit::OnChange)
      .Event("OnKeyPress", &TEdit::OnKeyPress);
  OwnColor(edit, clWindow);
  TabStopByDefault(edit);

  // The label of a labelled edit: only what it keeps of its own (its place follows the edit).
  RegisterClass<TBoundLabel>("TBoundLabel")
      .String("Caption", &TBoundLabel::Caption, &TBoundLabel::SetCaption)
      .Integer("Width", &TControl::Width, &TControl::SetWidth)
      .Integer("Height", &TControl::Height, &TControl::SetHeight)
      .Object("Font", &TControl::Font)
      .Stored([](TBoundLabel& l) { return !l.ParentFont(); })
      .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
      .Default(true);

  RegisterClass<TLabeledEdit>("TLabeledEdit")
      .Inherits<TEdit>()
      .Creatable()
      .Object("EditLabel", &TLabeledEdit::EditLabel)
      .Enumeration("LabelPosition", &TLabeledEdit::LabelPosition, &TLabeledEdit::SetLabelPosition,
                   {"lpAbove", "lpBelow", "lpLeft", "lpRight"})
      .Default(lpAbove)
      .Integer("LabelSpacing", &TLabeledEdit::LabelSpacing, &TLabeledEdit::SetLabelSpacing)
      .Default(3);
}

void RegisterButtons() {
  auto check = RegisterClass<TCheckBox>("TCheckBox");
  check.Inherits<TWinControl>()
      .Creatable()
      .String("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption)
      .Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
      .Default(false);
  TabStopByDefault(check);

  auto button = RegisterClass<TButton>("TButton");
  button.Inherits<TWinControl>().Creatable().String("Caption", &TButton::Caption, &TButton::SetCaption);
  TabStopByDefault(button);

  RegisterClass<TUpDown>("TUpDown")
      .Inherits<TWinControl>()
      .Creatable()
      .Component("Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
      .Integer("Increment", &TUpDown::Increment, &TUpDown::SetIncrement)
      .Default(1)
      .Integer("Min", &TUpDown::Min, &TUpDown::SetMin)
      .Default(0)
      .Integer("Max", &TUpDown::Max, &TUpDown::SetMax)
      .Default(100)
      .Enumeration("Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation, {"udHorizontal", "udVertical"})
      .Default(udVertical)
      .Integer("Position", &TUpDown::Position, &TUpDown::SetPosition)
      .Default(0)
      .Boolean("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap)
      .Default(false)
      .Event("OnChanging", &TUpDown::OnChanging);
}

void RegisterTimer() {
  RegisterClass<TTimer>("TTimer")
      .Creatable()
      .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
      .Default(true)
      .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval)
      .Default(1000)
      .Event("OnTimer", &TTimer::OnTimer);
}

}  // namespace

void RegisterControlClasses() {
  RegisterControl();
  RegisterForm();
  RegisterPanels();
  RegisterEdits();
  RegisterButtons();
  RegisterTimer();
}

}  // namespace fw
