#include "app/Main.h"

#include "app/Simulation.h"
#include "chart/ChartClasses.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/MessageBox.h"
#include "framework/controls/TApplication.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TCheckBox.h"
#include "framework/controls/TEdit.h"
#include "framework/controls/TLabeledEdit.h"
#include "framework/controls/TPanel.h"
#include "framework/controls/TTimer.h"
#include "framework/controls/TUpDown.h"
#include "framework/runtime/Conversions.h"
#include "framework/runtime/Rounding.h"
#include "framework/runtime/TFormatSettings.h"
#include "framework/streaming/EmbeddedForms.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TFormReader.h"

namespace app {

namespace {
constexpr const char* BadDataText = "Bad data";
constexpr const char* BadDataCaption = "*** ERROR ***";
constexpr char EnterKey = 13;
}  // namespace

TForm1::TForm1(fw::TComponent* owner) : TForm1(owner, fw::EmbeddedMainForm()) {}

TForm1::TForm1(fw::TComponent* owner, const std::string& layout) : fw::TForm(owner) {
  RegisterMainFormClasses();
  fw::TFormReader::ReadRoot(*this, layout);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(fw::TComponent*) {
  TSimulation& sim = Simulation();
  mLengthRange = std::make_unique<ParamRange>(ParamRange{100, 2000, &sim.StringLength});
  mVelocityRange = std::make_unique<ParamRange>(ParamRange{0, 0.999, &sim.Velocity});
  LabeledEdit1->SetTag(reinterpret_cast<intptr_t>(mLengthRange.get()));
  LabeledEdit3->SetTag(reinterpret_cast<intptr_t>(mVelocityRange.get()));
  sim.SimTime = 0;
  fw::FormatSettings.DecimalSeparator = '.';
}

void TForm1::FormActivate(fw::TComponent*) {
  LabeledEdit1Exit(LabeledEdit1);
  LabeledEdit1Exit(LabeledEdit3);
}

void TForm1::Timer1Timer(fw::TComponent*) {
  ComputeFrame();
  TSimulation& sim = Simulation();
  sim.SimTime = AdvanceTime(sim.SimTime);
}

void TForm1::ComputeFrame() {
  chart::TChartSeries* series = Chart1->SeriesCount() > 0 ? &Chart1->SeriesAt(0) : nullptr;
  if (series) {
    series->RemoveAllPoints();
    Simulation().ComputeFramePoints(CheckBox1->Checked(), [series](double x, double y) {
      series->AppendPoint(x, y, std::string(), fw::clDefault);
    });
  }
  fw::Application()->ProcessMessages();
}

void TForm1::Button1Click(fw::TComponent*) {
  Simulation().SimTime = 0;
  Timer1->SetEnabled(true);
}

void TForm1::Button2Click(fw::TComponent*) { Timer1->SetEnabled(false); }

void TForm1::LabeledEdit1Exit(fw::TComponent* sender) {
  auto* field = dynamic_cast<fw::TLabeledEdit*>(sender);
  if (!field) return;
  double value = 0;
  if (!fw::TryStrToFloat(field->Text(), value)) {
    RejectInput(*field);
    return;
  }
  auto* range = reinterpret_cast<ParamRange*>(field->Tag());
  if (!range) return;
  if (value < range->Min || value > range->Max) {
    RejectInput(*field);
    return;
  }
  *range->Target = value;
  if (field == LabeledEdit3)
    UpDown1->SetPosition(fw::RoundHalfEven(static_cast<long double>(value) * 100));
  Button1->SetEnabled(true);
}

void TForm1::RejectInput(fw::TLabeledEdit& field) {
  Timer1->SetEnabled(false);
  Button1->SetEnabled(false);
  fw::MessageBox(BadDataText, BadDataCaption, fw::MB_OK);
  field.SelectAll();
  field.SetFocus();
}

void TForm1::LabeledEdit1KeyPress(fw::TComponent* sender, char& key) {
  if (key == EnterKey) LabeledEdit1Exit(sender);
}

void TForm1::LabeledEdit1Click(fw::TComponent*) { LabeledEdit1->SelectAll(); }

void TForm1::LabeledEdit3Click(fw::TComponent*) { LabeledEdit3->SelectAll(); }

void TForm1::UpDown1Changing(fw::TComponent*, bool&) {
  LabeledEdit3->SetText(fw::FloatToStr(UpDown1->Position() / 100.0));
}

void TForm1::Edit1Change(fw::TComponent*) {
  const int32_t position = fw::StrToInt(Edit1->Text());
  LabeledEdit3->SetText(fw::FloatToStr(position * 0.01));
  LabeledEdit1Exit(LabeledEdit3);
}

}  // namespace app

namespace app {

void RegisterMainFormClasses() {
  chart::RegisterChartClasses();
  fw::RegisterClass<TForm1>("TForm1")
      .Inherits<fw::TForm>()
      .Field("Timer1", &TForm1::Timer1)
      .Field("Panel2", &TForm1::Panel2)
      .Field("Chart1", &TForm1::Chart1)
      .Field("Series1", &TForm1::Series1)
      .Field("LabeledEdit1", &TForm1::LabeledEdit1)
      .Field("LabeledEdit3", &TForm1::LabeledEdit3)
      .Field("CheckBox1", &TForm1::CheckBox1)
      .Field("Button1", &TForm1::Button1)
      .Field("Button2", &TForm1::Button2)
      .Field("UpDown1", &TForm1::UpDown1)
      .Field("Edit1", &TForm1::Edit1)
      .Method("FormCreate", &TForm1::FormCreate)
      .Method("FormActivate", &TForm1::FormActivate)
      .Method("Timer1Timer", &TForm1::Timer1Timer)
      .Method("Button1Click", &TForm1::Button1Click)
      .Method("Button2Click", &TForm1::Button2Click)
      .Method("LabeledEdit1Exit", &TForm1::LabeledEdit1Exit)
      .Method("LabeledEdit1KeyPress", &TForm1::LabeledEdit1KeyPress)
      .Method("LabeledEdit1Click", &TForm1::LabeledEdit1Click)
      .Method("LabeledEdit3Click", &TForm1::LabeledEdit3Click)
      .Method("UpDown1Changing", &TForm1::UpDown1Changing)
      .Method("Edit1Change", &TForm1::Edit1Change);
}

}  // namespace app
