#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace fw {

/// Buttons and icon of a message box (or-ed together).
inline constexpr uint32_t MB_OK = 0x0;
inline constexpr uint32_t MB_OKCANCEL = 0x1;
inline constexpr uint32_t MB_YESNOCANCEL = 0x3;
inline constexpr uint32_t MB_YESNO = 0x4;
inline constexpr uint32_t MB_ICONERROR = 0x10;
inline constexpr uint32_t MB_ICONQUESTION = 0x20;
inline constexpr uint32_t MB_ICONWARNING = 0x30;
inline constexpr uint32_t MB_ICONINFORMATION = 0x40;

/// The button that closed a message box.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

/// Shows a modal message box with the text, the caption (window title) and the buttons and
/// icon of flags, and waits until it is closed. Returns the button pressed (IDCANCEL or IDNO
/// when closed otherwise, as the buttons allow).
int MessageBox(const std::string& text, const std::string& caption, uint32_t flags = MB_OK);

/// Replaces the real box (for tests): the hook receives every message box and returns the
/// button. An empty hook restores the real box. Returns the previous hook.
using TMessageBoxHook = std::function<int(const std::string& text, const std::string& caption, uint32_t flags)>;
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook);

}  // namespace fw
