#pragma once

#include <windows.h>

#include <functional>

// The main window by keyboard, kept to the ways of a dialog box although the window is
// none: Tab and Shift+Tab visit its controls in their order, the browser panel last,
// and wrap; Esc runs a handler instead of closing anything; the control that had the
// focus has it again when the window comes back; focus rectangles and access-key
// underlines show once the keyboard is used; Enter presses the focused button. The
// message loop offers each message here; the browser takes its own keys first, and the
// dialog manager does the rest (the arrows, the access keys).

namespace datrelle::win32 {

class BrowserHost;

class KeyboardNavigation {
  public:
    // The window, once its controls are made, and its browser panel; the cues are hidden
    // from then on until a key is used.
    void Attach(HWND window, BrowserHost& browser);

    // The message loop's first look at every message, before it is dispatched: the
    // browser's own keys, then the window's, then the dialog manager's. True when the
    // message was used.
    bool PreTranslate(MSG& message) noexcept;

    // The window's messages that are the keyboard's business: its activation and focus,
    // and what the dialog manager sends for Enter and Esc. True when taken; the window
    // procedure then returns 0.
    bool OnMessage(UINT message, WPARAM wParam);

    // Esc pressed anywhere in the window.
    std::function<void()> onEscape;
    // Enter on the focused control, a button or not: its number.
    std::function<void(int id)> onEnter;

  private:
    bool Translate(const MSG& message);
    // The focus when the window is deactivated, and back when it is active again; the
    // first tab stop when none was kept. Nothing before Attach.
    void KeepFocus();
    bool RestoreFocus();
    void ShowCues();
    // The window's own child that holds this window, nullptr for none.
    HWND ControlOf(HWND window) const;

    HWND window_ = nullptr;
    BrowserHost* browser_ = nullptr;
    HWND kept_ = nullptr;
};

}  // namespace datrelle::win32
