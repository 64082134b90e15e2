#pragma once
#include <memory>

#include "app/ParamRange.h"
#include "framework/controls/TForm.h"

namespace fw {
class TButton;
class TCheckBox;
class TEdit;
class TLabeledEdit;
class TPanel;
class TTimer;
class TUpDown;
}  // namespace fw

namespace chart {
class TChart;
class TFastLineSeries;
}  // namespace chart

namespace app {

/// The program's one window. Its whole layout (controls, chart settings, the series) comes from
/// the stored form description embedded in the program; the constructor reads it, the
/// application then runs FormCreate.
class TForm1 : public fw::TForm {
public:
  /// Reads the window's stored layout.
  explicit TForm1(fw::TComponent* owner = nullptr);
  /// Reads the given layout instead (a layout written back by the layout writer, for example).
  TForm1(fw::TComponent* owner, const std::string& layout);
  ~TForm1() override;
  std::string ClassName() const override { return "TForm1"; }

  // Components of the layout, in declaration order (set by the layout reader).
  fw::TTimer* Timer1 = nullptr;
  fw::TPanel* Panel2 = nullptr;
  chart::TChart* Chart1 = nullptr;
  chart::TFastLineSeries* Series1 = nullptr;
  fw::TLabeledEdit* LabeledEdit1 = nullptr;
  fw::TLabeledEdit* LabeledEdit3 = nullptr;
  fw::TCheckBox* CheckBox1 = nullptr;
  fw::TButton* Button1 = nullptr;
  fw::TButton* Button2 = nullptr;
  fw::TUpDown* UpDown1 = nullptr;
  fw::TEdit* Edit1 = nullptr;

  // Event handlers, wired by name from the layout.
  /// Creates the two range records, resets the time, makes '.' the decimal separator.
  void FormCreate(fw::TComponent* sender);
  /// Validates the length field, then the velocity field.
  void FormActivate(fw::TComponent* sender);
  /// One animation tick: a frame, then the time advances by the time step.
  void Timer1Timer(fw::TComponent* sender);
  /// Start: time back to 0, timer on.
  void Button1Click(fw::TComponent* sender);
  /// Stop: timer off; the last frame stays.
  void Button2Click(fw::TComponent* sender);
  /// Validates a parameter field: an accepted value goes to its target (and the spinner, for
  /// the velocity) and enables Start; a rejected one stops the animation, disables Start and
  /// reports "Bad data".
  void LabeledEdit1Exit(fw::TComponent* sender);
  /// Enter validates the field without leaving it; the key goes on to the field unchanged.
  void LabeledEdit1KeyPress(fw::TComponent* sender, char& key);
  void LabeledEdit1Click(fw::TComponent* sender);
  void LabeledEdit3Click(fw::TComponent* sender);
  /// Before the spinner moves: the velocity field shows the old position / 100.
  void UpDown1Changing(fw::TComponent* sender, bool& allowChange);
  /// The spinner's buddy changed: the velocity field takes position / 100 and is validated.
  /// A text that is not an integer raises the runtime's conversion error.
  void Edit1Change(fw::TComponent* sender);

  /// Rebuilds the chart's first series from the wave model at the current time, then lets
  /// pending messages (the chart's repaint among them) run.
  void ComputeFrame();

  /// Range records (present after FormCreate).
  const ParamRange* LengthRange() const { return mLengthRange.get(); }
  const ParamRange* VelocityRange() const { return mVelocityRange.get(); }

private:
  void RejectInput(fw::TLabeledEdit& field);

  std::unique_ptr<ParamRange> mLengthRange;
  std::unique_ptr<ParamRange> mVelocityRange;
};

/// Registers the window's class (fields and handlers) and every class its layout names with
/// the layout reader. Safe to call more than once.
void RegisterMainFormClasses();

}  // namespace app
