#pragma once
#include <string>

#include "framework/controls/TCustomControl.h"

namespace fw {

/// A self-drawing container with a background colour, an outer and an inner bevel and a
/// border between them. Descendants that draw something else override Paint().
/// Defaults: 185 x 41, Color clBtnFace (not the parent's), BevelOuter bvRaised, BevelInner
/// bvNone, BevelWidth 1, BorderWidth 0, empty Caption.
class TCustomPanel : public TCustomControl {
public:
  explicit TCustomPanel(TComponent* owner = nullptr);

  std::string ClassName() const override { return "TCustomPanel"; }

  TBevelCut BevelOuter() const { return mBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return mBevelInner; }
  void SetBevelInner(TBevelCut value);
  /// Width of each bevel in pixels; throws fw::Exception below 1 (the old value stays).
  int32_t BevelWidth() const { return mBevelWidth; }
  void SetBevelWidth(int32_t value);
  /// Width of the frame in Color between the bevels; throws fw::Exception when negative.
  int32_t BorderWidth() const { return mBorderWidth; }
  void SetBorderWidth(int32_t value);
  /// Text centred in the panel.
  const std::string& Caption() const { return mCaption; }
  void SetCaption(const std::string& value);

protected:
  /// Outer bevel, border, inner bevel, background, caption.
  void Paint() override;

private:
  TBevelCut mBevelOuter = bvRaised;
  TBevelCut mBevelInner = bvNone;
  int32_t mBevelWidth = 1;
  int32_t mBorderWidth = 0;
  std::string mCaption;
};

}  // namespace fw
