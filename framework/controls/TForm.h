#pragma once
#include <string>

#include "framework/controls/TWinControl.h"

namespace fw {

class TFormWidget;

/// A top-level window. Left, Top, Width and Height are its outer bounds on the screen (frame
/// included); the client area, where the children lie, is that minus a fixed frame of
/// FrameSide pixels left, right and bottom and FrameTop pixels at the top (none for bsNone).
/// A new form is hidden (Show shows it), 320 x 240, Color clBtnFace, sizeable, with all
/// border icons.
class TForm : public TWinControl {
public:
  static constexpr int32_t FrameSide = 4;
  static constexpr int32_t FrameTop = 30;

  explicit TForm(TComponent* owner = nullptr);
  ~TForm() override;

  std::string ClassName() const override { return "TForm"; }

  /// Window title.
  const std::string& Caption() const { return mCaption; }
  void SetCaption(const std::string& value);

  /// Title-bar buttons; without biSystemMenu there is no close button either.
  TBorderIcons BorderIcons() const { return mBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  /// bsSizeable and bsSizeToolWin can be resized by the user; bsNone has no frame at all.
  TFormBorderStyle BorderStyle() const { return mBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);

  /// Resolution the layout was made for; the font converts point sizes with it. Throws
  /// fw::Exception when not positive. Default 96.
  int32_t PixelsPerInch() const { return mPixelsPerInch; }
  void SetPixelsPerInch(int32_t value);

  /// A form has no parent: throws fw::Exception for any but nullptr.
  void SetParent(TWinControl* parent) override;

  int32_t ClientWidth() const override;
  int32_t ClientHeight() const override;

  /// Whether the form is the active window.
  bool Active() const;
  /// Hides the form; closing the application's main form ends Application()->Run().
  void Close();

  /// Runs OnCreate, once: called after the constructor has loaded the layout (TApplication's
  /// CreateForm does this).
  void AfterConstruction();

  void Loaded() override;

  /// After the layout has been loaded.
  TNotifyEvent OnCreate;
  /// When the form first becomes the active window.
  TNotifyEvent OnActivate;
  /// When the form has been closed.
  TNotifyEvent OnClose;

protected:
  void UpdateWidgetGeometry() override;
  /// A form read from a stored layout shows once loading has finished.
  bool WidgetShown() const override { return Visible() && !IsLoading(); }
  void ApplyColor() override;

private:
  friend class TFormWidget;

  int32_t FrameWidth() const;
  int32_t FrameHeight() const;
  void UpdateWindowFlags();
  /// The window system moved or resized the window.
  void WindowGeometryChanged();
  void WindowActivated();
  void WindowClosed();

  std::string mCaption;
  TBorderIcons mBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormBorderStyle mBorderStyle = bsSizeable;
  int32_t mPixelsPerInch = 96;
  bool mCreated = false;
  bool mActivatedOnce = false;
  bool mSyncingGeometry = false;
};

}  // namespace fw
