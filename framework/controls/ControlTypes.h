#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace fw {

class TComponent;

/// An event with only its sender; an empty one is skipped.
using TNotifyEvent = std::function<void(TComponent* sender)>;

/// Keyboard and mouse-button state of an input event (a set: bit flags, empty set 0).
enum TShiftStateFlag : uint32_t {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};
using TShiftState = uint32_t;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

/// Mouse cursor shape; 0 and negative values are the standard shapes below.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;     ///< the parent's cursor (the arrow on a window)
constexpr TCursor crNone = -1;       ///< no visible cursor
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;

/// Cursor of a stored name ("crCross"); false when the name is unknown.
bool IdentToCursor(const std::string& ident, TCursor& cursor);
/// Stored name of a cursor, or its number as text when it has no name.
std::string CursorToIdent(TCursor cursor);

/// Edge of a panel bevel.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

/// Buttons in a window's title bar (a set: bit flags, empty set 0).
enum TBorderIconFlag : uint32_t {
  biSystemMenu = 1u << 0,
  biMinimize = 1u << 1,
  biMaximize = 1u << 2,
  biHelp = 1u << 3,
};
using TBorderIcons = uint32_t;

/// Border of a top-level window.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

/// Orientation of an up-down control's arrows.
enum TUDOrientation { udHorizontal, udVertical };

/// Mouse press or release: the button, the keys and buttons held, client coordinates.
using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y)>;
/// Mouse movement in client coordinates.
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int32_t x, int32_t y)>;
/// Wheel turn: delta in 1/120 notches (positive away from the user); set handled to stop further handling.
using TMouseWheelEvent = std::function<void(TComponent* sender, TShiftState shift, int32_t wheelDelta, int32_t x,
                                            int32_t y, bool& handled)>;
/// Wheel turned one way; set handled to stop further handling.
using TMouseWheelUpDownEvent =
    std::function<void(TComponent* sender, TShiftState shift, int32_t x, int32_t y, bool& handled)>;
/// A typed character (Enter is 13, Backspace 8); setting key to 0 swallows it, another value replaces it.
using TKeyPressEvent = std::function<void(TComponent* sender, char& key)>;
/// Asked before a value changes; clearing allowChange keeps the old value.
using TUDChangingEvent = std::function<void(TComponent* sender, bool& allowChange)>;

}  // namespace fw
