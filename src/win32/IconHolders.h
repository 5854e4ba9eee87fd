#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <vector>

#include "platform/Tray.h"
#include "win32/Unique.h"

// The 43 picture boxes Picture1(1..31) and Picture2(1..12): hidden child windows of the
// main window, each holding its day or month icon and owning the tray icon made from
// it. The shell's notifications for an icon arrive at its box, which passes them to
// the main window.

namespace datrelle::win32 {

// Sent by a picture box to the main window for every tray notification it receives;
// lParam is the notification's lParam.
inline constexpr UINT kTrayMouseMessage = WM_APP + 1;

class IconHolders {
  public:
    // Creates the boxes at their places for this DPI. Their icons are loaded when first
    // asked for: start-up shows only today's two, and loading all 43 icons was a good
    // part of the time before they reached the tray.
    [[nodiscard]] bool Create(HWND parent, HINSTANCE instance, int dpi);

    // Places the boxes for a new DPI and reloads the icons loaded so far at the size
    // the tray wants there; the others load at that size when first asked for.
    // Returns the icons the boxes held before: the caller releases them once the
    // tray no longer shows them.
    std::vector<UniqueIcon> ApplyDpi(int dpi);

    // The box and its icon, which is loaded now if it was not before. The icon handle
    // is null when the icon cannot be loaded.
    std::optional<IconHolder> Holder(IconKind kind, int index) const;

  private:
    struct Box {
        HWND window = nullptr;  // a child of the main window, destroyed with it
        // Loading on demand fills it in from the const Holder().
        mutable UniqueIcon icon;
    };
    Box* Find(IconKind kind, int index);
    const Box* Find(IconKind kind, int index) const;
    UniqueIcon LoadBoxIcon(IconKind kind, int index) const;

    HINSTANCE instance_ = nullptr;
    int iconSize_ = 0;
    std::array<Box, 31> days_;
    std::array<Box, 12> months_;
};

}  // namespace datrelle::win32
