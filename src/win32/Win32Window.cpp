#include "win32/Win32Window.h"

#include <algorithm>
#include <string>

#include "form/Inventory.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Where a minimised window returns to, in screen coordinates.
std::optional<RECT> RestoredRect(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) {
        return std::nullopt;
    }
    RECT rect = placement.rcNormalPosition;
    // The placement is relative to the work area, which a taskbar at the top or left
    // moves away from the screen's corner.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                   monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return rect;
}

struct MonitorSearch {
    RECT rect;
    bool found = false;
};

BOOL CALLBACK TouchesWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
    auto& search = *reinterpret_cast<MonitorSearch*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT common;
    if (GetMonitorInfoW(monitor, &info) && IntersectRect(&common, &search.rect, &info.rcWork)) {
        search.found = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void Win32Window::Attach(HWND window) {
    window_ = window;
    known_.reset();
    hiddenState_ = kWindowNormal;
}

void Win32Window::AttachPanels(HWND notes, HWND browser) {
    notes_ = notes;
    browser_ = browser;
}

bool Win32Window::LoadPopupMenu(HINSTANCE instance) {
    menu_.reset(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_POPMENU)));
    popup_ = menu_ ? GetSubMenu(menu_.get(), 0) : nullptr;
    // The week rules are one choice of three: their marks are round. The resource form
    // of a menu cannot say so. Should it fail, the marks are ticks; the choice is the same.
    for (const UINT rule : {IDM_WEEK_REGIONAL, IDM_WEEK_ISO, IDM_WEEK_SUNDAY}) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        if (GetMenuItemInfoW(popup_, rule, FALSE, &item)) {
            item.fType |= MFT_RADIOCHECK;
            (void)SetMenuItemInfoW(popup_, rule, FALSE, &item);
        }
    }
    return popup_ != nullptr;
}

void Win32Window::SetDesignSize() {
    const int dpi = DpiOf(window_);
    RECT frame = WindowPixels({0, 0, kClientWidthTwips, kClientHeightTwips}, dpi);
    // Sizes only: should either call fail, the window starts at another size, and
    // start-up places and sizes it again.
    AdjustWindowRectExForDpi(&frame, kMainWindowStyle, FALSE, kMainWindowExStyle,
                             static_cast<UINT>(dpi));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Windows sends WM_DPICHANGED from the window's own thread when the window comes to a
// monitor of another scaling, with the place it suggests. Sent by another thread, the
// message is another program's, and so is the address: the window then keeps its place.
// (Posted, the message loop has dropped it.)
void Win32Window::FollowDpiChange(LPARAM suggested) {
    if (suggested == 0 || (InSendMessageEx(nullptr) & ISMEX_SEND) != 0) {
        return;
    }
    const RECT place = *reinterpret_cast<const RECT*>(suggested);
    // A window the system will not move keeps its place; the layout follows it.
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowRect Win32Window::Rect() const {
    if (IsIconic(window_)) {
        // A minimised window's rectangle is its icon's; the logic means the place it
        // returns to.
        if (known_) {
            return known_->twips;
        }
        const auto restored = RestoredRect(window_);
        return restored ? WindowTwips(*restored, DpiOf(window_)) : WindowRect{};
    }
    RECT pixels;
    if (!GetWindowRect(window_, &pixels)) {
        return known_ ? known_->twips : WindowRect{};
    }
    const int dpi = DpiOf(window_);
    if (known_ && known_->dpi == dpi && SameRect(WindowPixels(known_->twips, dpi), pixels)) {
        return known_->twips;
    }
    const WindowRect twips = WindowTwips(pixels, dpi);
    // A maximised window is put back at once, to the rectangle the logic knows.
    if (!IsZoomed(window_)) {
        known_ = KnownRect{twips, dpi};
    }
    return twips;
}

void Win32Window::Place(const WindowRect& twips) {
    const int dpi = DpiOf(window_);
    const RECT target = WindowPixels(twips, dpi);
    RECT current{};
    const bool unchanged = GetWindowRect(window_, &current) && SameRect(current, target);
    // Known before the move: the move's WM_SIZE runs the layout, which reads it back.
    known_ = KnownRect{twips, dpi};
    if (unchanged) {
        return;  // the same pixels: no move, and no resize event
    }
    // A size the system refuses (beyond its limits) shows in the next Rect(), which
    // then reads the window's own pixels.
    SetWindowPos(window_, nullptr, target.left, target.top, target.right - target.left,
                 target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetLeft(float twips) {
    WindowRect rect = Rect();
    rect.left = twips;
    Place(rect);
}

void Win32Window::SetTop(float twips) {
    WindowRect rect = Rect();
    rect.top = twips;
    Place(rect);
}

void Win32Window::SetWidth(float twips) {
    WindowRect rect = Rect();
    rect.width = twips;
    Place(rect);
}

void Win32Window::SetHeight(float twips) {
    WindowRect rect = Rect();
    rect.height = twips;
    Place(rect);
}

bool Win32Window::Visible() const {
    return IsWindowVisible(window_) != FALSE;
}

void Win32Window::SetVisible(bool visible) {
    if (visible == Visible()) {
        return;
    }
    // ShowWindow's result is the previous visibility, not a success.
    if (!visible) {
        hiddenState_ = IsIconic(window_) ? kWindowMinimized : kWindowNormal;
        ShowWindow(window_, SW_HIDE);
        return;
    }
    if (hiddenState_ == kWindowMinimized) {
        ShowWindow(window_, SW_SHOWMINIMIZED);
    } else {
        ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    }
}

int Win32Window::State() const {
    if (!Visible()) {
        return hiddenState_;
    }
    return IsIconic(window_) ? kWindowMinimized : kWindowNormal;
}

void Win32Window::SetState(int state) {
    const int wanted = state == kWindowMinimized ? kWindowMinimized : kWindowNormal;
    if (!Visible()) {
        // Every way of minimising or restoring a window shows it; the state waits
        // until the window is shown.
        hiddenState_ = wanted;
        return;
    }
    if (wanted == kWindowMinimized) {
        if (!IsIconic(window_)) {
            ShowWindow(window_, SW_MINIMIZE);
        }
    } else if (IsIconic(window_) || IsZoomed(window_)) {
        // The system's maximise lasts no longer than its minimise: back to normal.
        ShowWindow(window_, SW_RESTORE);
    }
}

void Win32Window::SetCaption(std::string_view caption) {
    // A caption that cannot be set leaves the old one; nothing depends on it.
    SetWindowTextW(window_, WideFromUtf8(caption).c_str());
}

ScreenSize Win32Window::Screen() const {
    const WindowRect screen = WindowTwips(
        RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, DpiOf(window_));
    return {screen.width, screen.height};
}

bool Win32Window::OnSomeMonitor(const WindowRect& rect) const {
    MonitorSearch search{WindowPixels(rect, DpiOf(window_))};
    // A failed enumeration finds no monitor: the logic then puts the window in its
    // default place, which is always on the screen.
    EnumDisplayMonitors(nullptr, nullptr, TouchesWorkArea, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A panel that cannot be resized keeps its old size until the next resize event.
void Win32Window::SetNotesWidth(float twips) {
    const TwipsRect place = ClientPlace(Entry(ControlId::Text1));
    MoveChild(notes_, ChildPixels(place.left, place.top, twips, place.height, DpiOf(window_)));
}

void Win32Window::SetBrowserSize(float width, float height) {
    const TwipsRect place = ClientPlace(Entry(ControlId::WebBrowser1));
    MoveChild(browser_, ChildPixels(place.left, place.top, width, height, DpiOf(window_)));
}

bool Win32Window::ShowPopupMenu(std::optional<ScreenPoint> place) {
    if (popup_ == nullptr) {
        return false;
    }
    POINT at{};
    if (place) {
        at = {place->x, place->y};
    } else if (!GetCursorPos(&at)) {
        return false;
    }
    // A menu of a window that is not in the foreground does not close when the user
    // clicks elsewhere. Refused when another program keeps the foreground; the menu
    // still opens.
    SetForegroundWindow(window_);
    const auto command = static_cast<UINT>(TrackPopupMenu(
        popup_, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, window_, nullptr));
    // The menu's loop needs one more message to end cleanly after a click elsewhere.
    PostMessageW(window_, WM_NULL, 0, 0);
    // The chosen item reaches the window as every menu command does, but before this
    // returns, so its click has been handled when the menu is gone. 0: nothing was
    // chosen, or the menu could not be shown, which comes to the same.
    if (command == 0) {
        return false;
    }
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

void Win32Window::Close() {
    // Posted: the unload handler must not run inside the handler that asked for it.
    // Posting fails only with a full message queue; the user can then close again.
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace datrelle::win32
