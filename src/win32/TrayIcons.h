#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "platform/Tray.h"
#include "win32/Unique.h"

// The tray as the program owns it: the picture boxes Picture1(1..31) and Picture2(1..12),
// hidden child windows of the main window, each holding its day or month icon and owning
// the tray icon made from it, which leaves the tray with the box. The sets of boxes are
// the rows of one table (TrayIcons.cpp). The shell sends an icon's notifications to its
// box, which hands them on by a direct call: nothing passes between the program's own
// windows as a message that another program could send as well. The icons follow the
// taskbar's scaling and come back when Explorer makes a new taskbar.

namespace datrelle::win32 {

// One set of boxes, a row of the table.
struct BoxSet;

class TrayIcons : public Tray {
  public:
    TrayIcons();
    TrayIcons(const TrayIcons&) = delete;
    TrayIcons& operator=(const TrayIcons&) = delete;

    // Readies the boxes, placed for the window's DPI, with their icons at the size the
    // taskbar's scaling asks for. Each box, and its icon, is made when first asked for:
    // start-up shows only today's two, and the other 41 were a good part of the time
    // before the date reached the tray.
    [[nodiscard]] bool Create(HWND parent, HINSTANCE instance, int windowDpi);
    // Makes every box not made yet, and listens for a new taskbar. False when a box
    // cannot be made.
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
    std::optional<IconHolder> Holder(IconKind kind, int index) override;
    // The shell's command for the icon of the box with the record's window, in the
    // shell's own record; false when no box has that window or the shell refused.
    bool Notify(TrayCommand command, const NotifyRecord& record) override;

    // Loads the icons loaded so far again at the size a taskbar of this scaling asks
    // for; the others load at that size when first asked for. True when an icon was
    // replaced: the shell is to be given the new ones.
    bool LoadIconsFor(int taskbarDpi);

  private:
    // A box's icon and what the shell has of it. The shell draws the icon it was given
    // for as long as it shows it, so a new icon takes its place beside the old one, and
    // the old one is destroyed only when the shell has been given the new one, or none.
    class BoxIcon {
      public:
        HICON get() const { return current_.get(); }
        explicit operator bool() const { return static_cast<bool>(current_); }
        bool InShell() const { return inShell_; }

        void Replace(UniqueIcon icon);
        // The shell took the icon held (true), or has none of this box now (false).
        void ShellHas(bool icon);

      private:
        UniqueIcon current_;
        UniqueIcon shownBefore_;  // replaced while the shell showed it
        bool inShell_ = false;
    };

    struct Box {
        Box() = default;
        Box(const Box&) = delete;
        Box& operator=(const Box&) = delete;
        // The tray icon leaves with the box, however the program ends; its icon is
        // destroyed after that.
        ~Box();

        const BoxSet* set = nullptr;
        int index = 0;
        HWND window = nullptr;  // a child of the main window, destroyed with it
        BoxIcon icon;
    };

    static LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
    // The box whose window this is: nullptr for any other window.
    Box* BoxOf(HWND window);
    Box* Find(IconKind kind, int index);
    bool MakeWindow(Box& box);
    UniqueIcon LoadBoxIcon(const Box& box) const;

    HWND parent_ = nullptr;
    HINSTANCE instance_ = nullptr;
    int windowDpi_ = USER_DEFAULT_SCREEN_DPI;
    int iconSize_ = 0;
    UINT taskbarCreated_ = 0;
    std::vector<Box> boxes_;
};

}  // namespace datrelle::win32
