#pragma once
#include <string>

#include "framework/controls/TWinControl.h"

namespace fw {

class TEditWidget;

/// A single-line edit field. Defaults: 121 x 21, TabStop, Color clWindow, empty text.
/// OnChange follows every change of the text, typed or assigned (none while loading);
/// OnKeyPress sees each typed character first (Enter is 13); OnClick follows a left click;
/// OnExit fires when the focus moves to another control of the same window. An exception
/// escaping OnChange is reported by the application (a message box), also when the change
/// came from SetText: the caller of SetText goes on.
class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* owner = nullptr);

  std::string ClassName() const override { return "TEdit"; }

  std::string Text() const;
  /// Replaces the text; an equal text changes nothing (no OnChange).
  void SetText(const std::string& value);

  /// Selects the whole text.
  void SelectAll();
  /// Start of the selection (the caret position without one), in characters.
  int32_t SelStart() const;
  /// Places the caret there, without selection.
  void SetSelStart(int32_t value);
  int32_t SelLength() const;
  /// Selects that many characters from SelStart.
  void SetSelLength(int32_t value);
  std::string SelText() const;

  bool ReadOnly() const;
  void SetReadOnly(bool value);
  /// Longest text that can be typed; 0 is unlimited.
  int32_t MaxLength() const { return mMaxLength; }
  void SetMaxLength(int32_t value);

  TNotifyEvent OnChange;
  /// A typed ASCII character or control key (Enter 13, Backspace 8, Escape 27) before the field
  /// takes it: setting key to 0 swallows it, another value replaces it.
  TKeyPressEvent OnKeyPress;

  /// Raise OnChange / OnKeyPress.
  virtual void Change();
  virtual void KeyPress(char& key);

protected:
  bool AcceptsFocus() const override { return true; }
  void ApplyColor() override;

private:
  friend class TEditWidget;

  int32_t mMaxLength = 0;
};

}  // namespace fw
