#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Tray.h"
#include "tray/TrayMouse.h"
#include "win32/Unique.h"

// The tray as the program owns it: the 43 picture boxes Picture1(1..31) and Picture2(1..12),
// hidden child windows of the main window, each holding its day or month icon and owning
// the tray icon made from it, which leaves the tray with the box. The shell sends an icon's
// notifications to its box, which hands them on by a direct call: nothing passes between
// the program's own windows as a message that another program could send as well. The
// icons follow the taskbar's scaling and come back when Explorer makes a new taskbar.

namespace datrelle::win32 {

class TrayIcons : public Tray {
  public:
    TrayIcons() = default;
    TrayIcons(const TrayIcons&) = delete;
    TrayIcons& operator=(const TrayIcons&) = delete;

    // Readies the boxes, placed for the window's DPI, with their icons at the size the
    // taskbar's scaling asks for. Each box, and its icon, is made when first asked for:
    // start-up shows only today's two, and the other 41 were a good part of the time
    // before the date reached the tray.
    [[nodiscard]] bool Create(HWND parent, HINSTANCE instance, int windowDpi);
    // The rest, once the date is in the tray: makes every box not made yet, and listens
    // for a new taskbar. False when a box cannot be made.
    [[nodiscard]] bool MakeTheRest();

    // Every message of the main window comes here first: true when it was Explorer's
    // announcement of a new taskbar, after a restart or a change of its scaling. The
    // icons then take the taskbar's size and are added again.
    bool OnTaskbarMessage(UINT message);
    // The window is at another DPI: the boxes move, and the icons take a new size should
    // the taskbar have changed its scaling with it.
    void OnWindowDpiChanged(int windowDpi);

    // Every notification of every icon.
    std::function<void(const TrayNotification&)> onNotification;
    // The icons must be added to the tray again: into a new taskbar, or with new images.
    std::function<void()> onIconsLost;

    // Tray: the box and its icon, both made now if they were not before; nullopt when
    // there is no such box or it cannot be made. The icon handle is null when the icon
    // cannot be loaded: the tray icon is then blank but still answers the mouse.
    std::optional<IconHolder> Holder(IconKind kind, int index) const override;
    // The shell's command for the icon of the box with the record's window, in the
    // shell's own record; false when no box has that window or the shell refused.
    bool Notify(TrayCommand command, const NotifyRecord& record) override;

    // Loads the icons loaded so far again at the size a taskbar of this scaling asks
    // for; the others load at that size when first asked for. Returns the icons the
    // boxes held before, none when the size stays: they are to be released once the tray
    // no longer shows them.
    std::vector<UniqueIcon> LoadIconsFor(int taskbarDpi);

  private:
    // Making a box or its icon on demand fills them in from the const Holder().
    struct Box {
        Box() = default;
        Box(const Box&) = delete;
        Box& operator=(const Box&) = delete;
        ~Box();

        mutable HWND window = nullptr;  // a child of the main window, destroyed with it
        mutable UniqueIcon icon;
        bool inTray = false;  // so that the icon leaves with the program, however it ends
    };

    static LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
    // The box whose window this is, without a search: nullptr for any other window.
    Box* BoxOf(HWND window);
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
    UINT taskbarCreated_ = 0;
    std::array<Box, 31> days_;
    std::array<Box, 12> months_;
};

}  // namespace datrelle::win32
