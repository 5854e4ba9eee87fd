#pragma once

#include <windows.h>

#include "platform/Clipboard.h"

namespace datrelle::win32 {

// The system clipboard, owned by the main window while the program puts text on it.
class Win32Clipboard : public Clipboard {
  public:
    Win32Clipboard() = default;
    explicit Win32Clipboard(HWND owner) : owner_(owner) {}

    // The window that owns what the program puts on the clipboard. Without one,
    // emptying the clipboard leaves it ownerless and setting data fails.
    void SetOwner(HWND owner) { owner_ = owner; }

    // Another program may hold the clipboard open for a moment: a few tries within
    // about 200 ms, then false.
    bool SetText(std::string_view text) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace datrelle::win32
