#pragma once

#include <windows.h>

#include <functional>

// The main window by keyboard, kept to the ways of a dialog box although the window is
// none: Tab and Shift+Tab visit its controls in their order, the browser panel last,
// and wrap; Esc runs a handler instead of closing anything; the control that had the
// focus has it again when the window comes back; focus rectangles and access-key
// underlines show once the keyboard is used. The message loop offers each message here
// after the browser took its own keys and before the dialog manager, which does the
// rest (Enter, the arrows, the access keys).

namespace datrelle::win32 {

class KeyboardNavigation {
  public:
    // The window, once its controls are made; the cues are hidden from then on until a
    // key is used.
    void Attach(HWND window);

    // Key messages to the window and its controls; true when the message was used.
    bool Translate(const MSG& message);

    // The focus when the window is deactivated, and back when it is active again; the
    // first tab stop when none was kept. Nothing before Attach.
    void KeepFocus();
    [[nodiscard]] bool RestoreFocus();

    // Esc pressed anywhere in the window.
    std::function<void()> onEscape;

  private:
    void ShowCues();
    // The window's own child that holds this window, nullptr for none.
    HWND ControlOf(HWND window) const;

    HWND window_ = nullptr;
    HWND kept_ = nullptr;
};

}  // namespace datrelle::win32
