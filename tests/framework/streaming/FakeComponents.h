// Small component classes with published properties of every kind, registered for the
// streaming tests only (the real controls have their own tables).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/TComponent.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TPen.h"
#include "framework/runtime/TColor.h"

namespace fake {

/// Events and Loaded calls in the order they happened.
std::vector<std::string>& Log();

/// A font-like sub-object: not a component.
struct TFakeFont {
  std::string Name = "Arial";
  int32_t Height = -11;
  fw::TColor Color = fw::clWindowText;
  uint32_t Style = 0;  // bit 0 fsBold, bit 1 fsItalic
  int32_t Charset = 1;
};

/// A sub-object holding another sub-object (Title.Font.Color).
struct TFakeTitle {
  std::vector<std::string> Text;
  bool Visible = true;
  TFakeFont Font;
};

enum TFakeAlignment { faLeft, faCenter, faRight };

class TFakeControl : public fw::TComponent {
public:
  using fw::TComponent::TComponent;
  std::string ClassName() const override { return "TFakeControl"; }
  void Loaded() override;

  int32_t Left() const { return mLeft; }
  void SetLeft(int32_t v) { mLeft = v; }
  int16_t Top() const { return mTop; }
  void SetTop(int16_t v) { mTop = v; }
  const std::string& Caption() const { return mCaption; }
  void SetCaption(const std::string& v);
  fw::TColor Color() const { return mColor; }
  void SetColor(fw::TColor v) { mColor = v; }
  bool Enabled() const { return mEnabled; }
  void SetEnabled(bool v) { mEnabled = v; }
  TFakeAlignment Alignment() const { return mAlignment; }
  void SetAlignment(TFakeAlignment v) { mAlignment = v; }
  uint32_t Anchors() const { return mAnchors; }
  void SetAnchors(uint32_t v) { mAnchors = v; }
  double Ratio() const { return mRatio; }
  void SetRatio(double v) { mRatio = v; }
  const std::vector<std::string>& Lines() const { return mLines; }
  void SetLines(const std::vector<std::string>& v) { mLines = v; }
  TFakeFont& Font() { return mFont; }
  TFakeTitle& Title() { return mTitle; }
  fw::TFont& GdiFont() { return mGdiFont; }
  fw::TPen& Pen() { return mPen; }
  fw::TBrush& Brush() { return mBrush; }
  TFakeControl* Buddy() const { return mBuddy; }
  void SetBuddy(TFakeControl* v) { mBuddy = v; }
  TFakeControl* Parent() const { return mParent; }
  void SetParent(TFakeControl* v) { mParent = v; }

  fw::TNotifyEvent OnClick;
  std::function<void(fw::TComponent*, char&)> OnKeyPress;

  bool CaptionSetWhileLoading = false;

private:
  int32_t mLeft = 0;
  int16_t mTop = 0;
  std::string mCaption;
  fw::TColor mColor = fw::clBtnFace;
  bool mEnabled = true;
  TFakeAlignment mAlignment = faLeft;
  uint32_t mAnchors = 3;  // akLeft, akTop
  double mRatio = 0;
  std::vector<std::string> mLines;
  TFakeFont mFont;
  TFakeTitle mTitle;
  fw::TFont mGdiFont;
  fw::TPen mPen;
  fw::TBrush mBrush;
  TFakeControl* mBuddy = nullptr;
  TFakeControl* mParent = nullptr;
};

/// Min and Max must keep Min <= Max, except while the layout is read.
class TFakeRange : public TFakeControl {
public:
  using TFakeControl::TFakeControl;
  std::string ClassName() const override { return "TFakeRange"; }
  int32_t Min() const { return mMin; }
  void SetMin(int32_t v);
  int32_t Max() const { return mMax; }
  void SetMax(int32_t v);

private:
  int32_t mMin = 0;
  int32_t mMax = 10;
};

/// Non-visual: never gets a parent.
class TFakeTimer : public fw::TComponent {
public:
  using fw::TComponent::TComponent;
  std::string ClassName() const override { return "TFakeTimer"; }
  void Loaded() override;
  int32_t Interval() const { return mInterval; }
  void SetInterval(int32_t v) { mInterval = v; }
  fw::TNotifyEvent OnTimer;

private:
  int32_t mInterval = 1000;
};

/// A root with component fields and handlers.
class TFakeForm : public TFakeControl {
public:
  using TFakeControl::TFakeControl;
  std::string ClassName() const override { return "TFakeForm"; }

  TFakeControl* Button1 = nullptr;
  TFakeControl* Panel1 = nullptr;
  TFakeTimer* Timer1 = nullptr;

  void Button1Click(fw::TComponent* sender);
  void EditKeyPress(fw::TComponent* sender, char& key);
  void Timer1Timer(fw::TComponent* sender);
};

/// Registers the fake classes (again: registration refills the tables).
void RegisterFakeClasses();

}  // namespace fake
