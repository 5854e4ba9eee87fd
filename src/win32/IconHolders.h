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
    [[nodiscard]] bool Create(HWND parent, HINSTANCE instance, int dpi);

    // Places the boxes and loads the icons at the size the tray wants at this DPI.
    // Returns the icons the boxes held before: the caller releases them once the
    // tray no longer shows them.
    std::vector<UniqueIcon> ApplyDpi(int dpi);

    std::optional<IconHolder> Holder(IconKind kind, int index) const;

  private:
    struct Box {
        HWND window = nullptr;  // a child of the main window, destroyed with it
        UniqueIcon icon;
    };
    Box* Find(IconKind kind, int index);
    const Box* Find(IconKind kind, int index) const;

    HINSTANCE instance_ = nullptr;
    std::array<Box, 31> days_;
    std::array<Box, 12> months_;
};

}  // namespace datrelle::win32
