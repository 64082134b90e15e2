#pragma once
#include <cstdint>
#include <functional>

namespace chart {

/// The 3D view settings of a chart panel: how the canvas projects depth (orthogonal or
/// rotated), the offsets and the zoom of the 3D picture. Owned by the panel.
///
/// The owner hook: the panel passes a repaint request (`TRepaintRequest`) at construction
/// (or later with SetOwnerRepaint). Every setter that changes a value calls it; nothing is
/// drawn here. The canvas also calls RequestOwnerRepaint when its monochrome setting changes.
/// A new value takes effect at the next frame.
class TView3DOptions {
public:
  using TRepaintRequest = std::function<void()>;
  /// Scroll notification: true when HorizOffset changed, false when VertOffset changed.
  using TScrollNotification = std::function<void(bool horizontal)>;
  /// Zoom notification: receives the new Zoom value before it is stored.
  using TZoomNotification = std::function<void(int32_t zoom)>;

  explicit TView3DOptions(TRepaintRequest ownerRepaint = {});

  int32_t Elevation() const { return mElevation; }      ///< degrees about the horizontal axis; default 345
  int32_t HorizOffset() const { return mHorizOffset; }  ///< pixels added to the centre's screen x; default 0
  bool Orthogonal() const { return mOrthogonal; }       ///< oblique projection instead of rotation; default true
  int32_t Perspective() const { return mPerspective; }  ///< perspective strength, <= 0 none; default 15
  int32_t Rotation() const { return mRotation; }        ///< degrees about the vertical axis; default 345
  int32_t Tilt() const { return mTilt; }                ///< degrees about the viewing axis; default 0
  int32_t VertOffset() const { return mVertOffset; }    ///< pixels added to the centre's screen y; default 0
  int32_t Zoom() const { return mZoom; }                ///< percent scale about the projection centre; default 100
  bool ZoomText() const { return mZoomText; }           ///< text at depth scales with Zoom; default true

  // Any integer is accepted; an equal value does nothing, a different one is stored and
  // the owner asked to repaint.
  void SetElevation(int32_t value);
  void SetOrthogonal(bool value);
  void SetPerspective(int32_t value);
  void SetRotation(int32_t value);
  void SetTilt(int32_t value);
  void SetZoomText(bool value);
  /// Stores, asks for a repaint, then calls the scroll notification (true).
  void SetHorizOffset(int32_t value);
  /// Stores, asks for a repaint, then calls the scroll notification (false).
  void SetVertOffset(int32_t value);
  /// Calls the zoom notification with the new value first, then stores and asks for a repaint.
  void SetZoom(int32_t value);

  /// Copies all nine settings; no repaint request and no notification.
  void Assign(const TView3DOptions& source);

  void SetOwnerRepaint(TRepaintRequest ownerRepaint) { mOwnerRepaint = std::move(ownerRepaint); }
  /// Asks the owning panel to repaint (nothing when no owner hook is set).
  void RequestOwnerRepaint() const;

  TScrollNotification OnScrolled;  ///< not published; empty by default
  TZoomNotification OnZoomed;      ///< not published; empty by default

private:
  template <typename T>
  void Change(T& field, T value);

  int32_t mElevation = 345;
  int32_t mHorizOffset = 0;
  bool mOrthogonal = true;
  int32_t mPerspective = 15;
  int32_t mRotation = 345;
  int32_t mTilt = 0;
  int32_t mVertOffset = 0;
  int32_t mZoom = 100;
  bool mZoomText = true;
  TRepaintRequest mOwnerRepaint;
};

}  // namespace chart
