#pragma once
#include <cstdint>
#include <functional>

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

}  // namespace fw
