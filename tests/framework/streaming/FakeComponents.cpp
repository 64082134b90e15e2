#include "tests/framework/streaming/FakeComponents.h"

#include "framework/runtime/Exception.h"
#include "framework/streaming/StreamIdents.h"
#include "framework/streaming/TClassRegistry.h"

namespace fake {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

void TFakeControl::Loaded() {
  fw::TComponent::Loaded();
  Log().push_back("Loaded " + Name());
}

void TFakeControl::SetCaption(const std::string& v) {
  CaptionSetWhileLoading = IsLoading();
  mCaption = v;
}

void TFakeRange::SetMin(int32_t v) {
  if (!IsLoading() && v > mMax) throw fw::Exception("Min above Max");
  mMin = v;
}

void TFakeRange::SetMax(int32_t v) {
  if (!IsLoading() && v < mMin) throw fw::Exception("Max below Min");
  mMax = v;
}

void TFakeTimer::Loaded() {
  fw::TComponent::Loaded();
  Log().push_back("Loaded " + Name());
}

void TFakeForm::Button1Click(fw::TComponent* sender) { Log().push_back("Button1Click " + sender->Name()); }

void TFakeForm::EditKeyPress(fw::TComponent* sender, char& key) {
  Log().push_back("EditKeyPress " + sender->Name() + " " + key);
  key = 'x';
}

void TFakeForm::Timer1Timer(fw::TComponent* sender) { Log().push_back("Timer1Timer " + sender->Name()); }

void RegisterFakeClasses() {
  using namespace fw;
  RegisterClass<TFakeFont>("TFakeFont")
      .String("Name", [](TFakeFont& f) { return f.Name; }, [](TFakeFont& f, const std::string& v) { f.Name = v; })
      .Integer("Height", [](TFakeFont& f) { return f.Height; }, [](TFakeFont& f, int32_t v) { f.Height = v; })
      .Color("Color", [](TFakeFont& f) { return f.Color; }, [](TFakeFont& f, TColor v) { f.Color = v; })
      .Set("Style", [](TFakeFont& f) { return f.Style; }, [](TFakeFont& f, uint32_t v) { f.Style = v; },
           {"fsBold", "fsItalic"})
      .Default(0)
      .Integer("Charset", [](TFakeFont& f) { return f.Charset; }, [](TFakeFont& f, int32_t v) { f.Charset = v; })
      .Idents(CharsetIdents());

  RegisterClass<TFakeTitle>("TFakeTitle")
      .StringList("Text", [](TFakeTitle& t) { return t.Text; },
                  [](TFakeTitle& t, const std::vector<std::string>& v) { t.Text = v; })
      .Boolean("Visible", [](TFakeTitle& t) { return t.Visible; }, [](TFakeTitle& t, bool v) { t.Visible = v; })
      .Default(true)
      .Object("Font", [](TFakeTitle& t) -> TFakeFont& { return t.Font; })
      .Stored([](TFakeTitle& t) { return t.Font.Name != "Arial" || t.Font.Color != clWindowText; });

  RegisterClass<TFakeControl>("TFakeControl")
      .Creatable()
      .Parent([](TFakeControl& c, TComponent* p) { c.SetParent(dynamic_cast<TFakeControl*>(p)); },
              [](TFakeControl& c) -> TComponent* { return c.Parent(); })
      .Integer("Left", &TFakeControl::Left, &TFakeControl::SetLeft)
      .Integer("Top", &TFakeControl::Top, &TFakeControl::SetTop)
      .String("Caption", &TFakeControl::Caption, &TFakeControl::SetCaption)
      .Color("Color", &TFakeControl::Color, &TFakeControl::SetColor)
      .Default(clBtnFace)
      .Boolean("Enabled", &TFakeControl::Enabled, &TFakeControl::SetEnabled)
      .Default(true)
      .Enumeration("Alignment", &TFakeControl::Alignment, &TFakeControl::SetAlignment,
                   {"faLeft", "faCenter", "faRight"})
      .Default(faLeft)
      .Set("Anchors", &TFakeControl::Anchors, &TFakeControl::SetAnchors, {"akLeft", "akTop", "akRight", "akBottom"})
      .Default(3)
      .Real("Ratio", &TFakeControl::Ratio, &TFakeControl::SetRatio)
      .StringList("Lines", &TFakeControl::Lines, &TFakeControl::SetLines)
      .Object("Font", &TFakeControl::Font)
      .Object("Title", &TFakeControl::Title)
      .Object("GdiFont", &TFakeControl::GdiFont)
      .Stored([](TFakeControl& c) { return c.GdiFont().Name() != "MS Sans Serif"; })
      .Object("Pen", &TFakeControl::Pen)
      .Object("Brush", &TFakeControl::Brush)
      .Component("Buddy", &TFakeControl::Buddy, &TFakeControl::SetBuddy)
      .Event("OnClick", &TFakeControl::OnClick)
      .Event("OnKeyPress", &TFakeControl::OnKeyPress);

  RegisterClass<TFakeRange>("TFakeRange")
      .Inherits<TFakeControl>()
      .Creatable()
      .Integer("Min", &TFakeRange::Min, &TFakeRange::SetMin)
      .Default(0)
      .Integer("Max", &TFakeRange::Max, &TFakeRange::SetMax)
      .Default(10);

  RegisterClass<TFakeTimer>("TFakeTimer")
      .Creatable()
      .Integer("Interval", &TFakeTimer::Interval, &TFakeTimer::SetInterval)
      .Default(1000)
      .Event("OnTimer", &TFakeTimer::OnTimer);

  RegisterClass<TFakeForm>("TFakeForm")
      .Inherits<TFakeControl>()
      .Field("Button1", &TFakeForm::Button1)
      .Field("Panel1", &TFakeForm::Panel1)
      .Field("Timer1", &TFakeForm::Timer1)
      .Method("Button1Click", &TFakeForm::Button1Click)
      .Method("EditKeyPress", &TFakeForm::EditKeyPress)
      .Method<void(TComponent*)>("Timer1Timer", [](TFakeForm& f, TComponent* s) { f.Timer1Timer(s); });
}

}  // namespace fake
