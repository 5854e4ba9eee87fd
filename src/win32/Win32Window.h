#pragma once

#include <windows.h>

#include <optional>

#include "platform/Window.h"
#include "win32/Unique.h"

// The main window as the logic sees it, in twips. The logic's measures are exact
// twips; the window's are whole pixels. To keep a size that the logic set (or read)
// from drifting through rounding, the twips are kept and given back for as long as
// the window's pixels are still exactly what they convert to. A change from outside
// (the user's drag, a new DPI) replaces them with the window's own pixels.
//
// Changing the size or the state makes the system send WM_SIZE before the setter
// returns; the main window's procedure turns it into the resize event.

namespace datrelle::win32 {

// The main window's style, by which its frame is sized. No WS_CLIPCHILDREN: the frame
// paints only its border, and the window paints its inside.
inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW;
inline constexpr DWORD kMainWindowExStyle = 0;

class Win32Window : public Window {
  public:
    // The main window, as soon as it exists.
    void Attach(HWND window);
    // The notes box Text1 and the browser panel WebBrowser1, once they exist.
    void AttachPanels(HWND notes, HWND browser);
    // The popup menu mnuPop, from the program's resources; false when it cannot be loaded.
    [[nodiscard]] bool LoadPopupMenu(HINSTANCE instance);
    HMENU popup() const { return popup_; }

    // The size the window is designed with, at its DPI: the inventory's client area in
    // the frame of the main window's style.
    void SetDesignSize();
    // The window's share of a new DPI (WM_DPICHANGED): the place and size the system
    // suggests, in lParam, when the system is who suggests it.
    void FollowDpiChange(LPARAM suggested);

    WindowRect Rect() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;

    bool Visible() const override;
    void SetVisible(bool visible) override;
    int State() const override;
    void SetState(int state) override;

    void SetCaption(std::string_view caption) override;

    ScreenSize Screen() const override;
    bool OnSomeMonitor(const WindowRect& rect) const override;

    void SetNotesWidth(float twips) override;
    void SetBrowserSize(float width, float height) override;

    bool ShowPopupMenu(std::optional<ScreenPoint> place) override;
    void Close() override;

  private:
    struct KnownRect {
        WindowRect twips;
        int dpi = 0;
    };

    // Moves and sizes the window to the twips, and keeps them.
    void Place(const WindowRect& twips);

    HWND window_ = nullptr;
    HWND notes_ = nullptr;
    HWND browser_ = nullptr;
    UniqueMenu menu_;
    HMENU popup_ = nullptr;  // the submenu mnuPop; owned by menu_
    // The twips last set or read, and the DPI they were converted at.
    mutable std::optional<KnownRect> known_;
    // The state a hidden window has for the logic: showing a window is the only way
    // to minimise or restore it, and a hidden one must stay hidden.
    int hiddenState_ = kWindowNormal;
};

}  // namespace datrelle::win32
