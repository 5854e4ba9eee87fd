#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <vector>

#include "platform/Tray.h"
#include "win32/TrayIcon.h"
#include "win32/Unique.h"

// The 43 picture boxes Picture1(1..31) and Picture2(1..12): hidden child windows of the
// main window, each holding its day or month icon and owning the tray icon made from
// it, which leaves the tray with the box. The shell's notifications for an icon arrive
// at its box, which passes them to the main window.

namespace datrelle::win32 {

// Sent by a picture box to the main window for every tray notification it receives;
// lParam points to the notification as a TrayNotification (tray/TrayMouse.h).
inline constexpr UINT kTrayMouseMessage = WM_APP + 1;

class IconHolders {
  public:
    // Readies the boxes, placed for the window's DPI; LoadIconsFor gives the size of
    // their icons. Each box, and its icon, is made when first asked for: start-up shows
    // only today's two, and the other 41 boxes with their icons were a good part of the
    // time before the date reached the tray.
    [[nodiscard]] bool Create(HWND parent, HINSTANCE instance, int windowDpi);
    // Makes every box not made yet; false when one cannot be made.
    [[nodiscard]] bool CreateAll();

    // Places the boxes made so far for the window's new DPI.
    void Place(int windowDpi);
    // Reloads the icons loaded so far when the tray's DPI asks for another size; the
    // others are loaded at that size when first asked for. Returns the icons the boxes
    // held before, none when the size stays: the caller releases them once the tray no
    // longer shows them.
    std::vector<UniqueIcon> LoadIconsFor(int trayDpi);

    // The box and its icon, both made now if they were not before. The icon handle
    // is null when the icon cannot be loaded; nullopt when there is no such box or it
    // cannot be made.
    std::optional<IconHolder> Holder(IconKind kind, int index) const;
    // The tray icon of the box with this window; nullptr when no box has it.
    TrayIcon* TrayIconOf(WindowHandle window);

  private:
    // Making a box or its icon on demand fills them in from the const Holder().
    struct Box {
        mutable HWND window = nullptr;  // a child of the main window, destroyed with it
        mutable UniqueIcon icon;
        // Made with the window; gone before the picture it shows.
        mutable std::optional<TrayIcon> trayIcon;
    };
    Box* Find(IconKind kind, int index);
    const Box* Find(IconKind kind, int index) const;
    bool MakeWindow(IconKind kind, int index, const Box& box) const;
    UniqueIcon LoadBoxIcon(IconKind kind, int index) const;
    // Runs action(kind, index) for every box, the days first.
    template <typename Action>
    static void ForEach(Action action);

    HWND parent_ = nullptr;
    HINSTANCE instance_ = nullptr;
    int windowDpi_ = USER_DEFAULT_SCREEN_DPI;
    int iconSize_ = 0;
    std::array<Box, 31> days_;
    std::array<Box, 12> months_;
};

}  // namespace datrelle::win32
