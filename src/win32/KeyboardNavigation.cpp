#include "win32/KeyboardNavigation.h"

#include "win32/Abandoned.h"
#include "win32/BrowserHost.h"

namespace datrelle::win32 {
namespace {

constexpr WORD kCues = UISF_HIDEFOCUS | UISF_HIDEACCEL;

bool KeyDown(int key) {
    return GetKeyState(key) < 0;
}

// Keys that move, press or leave: once one is used, the user is at the keyboard.
bool IsNavigationKey(const MSG& message) {
    if (message.message == WM_SYSKEYDOWN) {
        return true;  // Alt, alone or with an access key, and F10
    }
    switch (message.wParam) {
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return message.message == WM_KEYDOWN;
        default:
            return false;
    }
}

}  // namespace

void KeyboardNavigation::Attach(HWND window, BrowserHost& browser) {
    window_ = window;
    browser_ = &browser;
    // As Windows starts a window opened with the mouse, unless the user asked for the
    // access keys to be underlined always. A top-level window passes the change down
    // to every control.
    BOOL alwaysShown = FALSE;
    if (!SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0) || !alwaysShown) {
        SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, kCues), 0);
    }
}

bool KeyboardNavigation::PreTranslate(MSG& message) noexcept {
    if (window_ == nullptr) {
        return false;
    }
    try {
        if (browser_->TranslateKey(message) || Translate(message)) {
            return true;
        }
        // The browser's windows take their plain keys as they come: the dialog manager,
        // which knows only the window's own controls, would take Enter and the arrows
        // from them. Access keys (Alt and a letter) still reach it.
        const bool browserKey = message.message >= WM_KEYDOWN && message.message <= WM_DEADCHAR &&
                                browser_->Contains(GetFocus());
        return !browserKey && IsDialogMessageW(window_, &message) != FALSE;
    } catch (...) {
        // A key whose handler fails (out of memory, say) is abandoned; the next one works.
        TraceAbandoned("a key", message.message);
        return true;
    }
}

bool KeyboardNavigation::OnMessage(UINT message, WPARAM wParam) {
    switch (message) {
        // As a dialog box does, the window keeps the control that has the focus while it
        // is away, and gives the focus back to it. Hiding the window deactivates it too.
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                KeepFocus();
                return false;
            }
            return HIWORD(wParam) == 0 && RestoreFocus();
        case WM_SETFOCUS:
            return RestoreFocus();
        // What the dialog manager sends for Enter, and for Esc (which never reaches it,
        // see Translate). The window has no default button: the focused control is asked.
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const HWND focus = GetFocus();
                if (onEnter && focus != nullptr && GetParent(focus) == window_ &&
                    IsWindowEnabled(focus)) {
                    onEnter(GetDlgCtrlID(focus));
                }
            }
            return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
        default:
            return false;
    }
}

bool KeyboardNavigation::Translate(const MSG& message) {
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    if (IsNavigationKey(message)) {
        ShowCues();
    }
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    if (message.wParam == VK_ESCAPE) {
        // Never to the dialog manager or the notes box: both would close the window,
        // and with it the program.
        if (onEscape) {
            onEscape();
        }
        return true;
    }
    if (message.wParam == VK_TAB && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU)) {
        // Also from the notes box, which takes Tab for itself when the dialog manager
        // asks, and from the browser's windows, which it does not know. Like the dialog
        // manager, this skips hidden and disabled controls; unlike it, it leaves the
        // notes' text unselected, so the next key typed replaces nothing.
        const HWND next = GetNextDlgTabItem(window_, ControlOf(GetFocus()), KeyDown(VK_SHIFT));
        if (next != nullptr) {
            SetFocus(next);
        }
        return true;
    }
    return false;
}

void KeyboardNavigation::KeepFocus() {
    const HWND focus = GetFocus();
    if (window_ != nullptr && focus != nullptr && IsChild(window_, focus)) {
        kept_ = focus;
    }
}

bool KeyboardNavigation::RestoreFocus() {
    if (window_ == nullptr) {
        return false;
    }
    // A kept control may have been hidden, disabled or destroyed since.
    const HWND control = ControlOf(kept_);
    // Its own style: the window itself may not show yet while it is being activated.
    const bool usable = control != nullptr && IsWindowEnabled(control) &&
                        (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    const HWND target = usable ? kept_ : GetNextDlgTabItem(window_, nullptr, FALSE);
    if (target == nullptr) {
        return false;
    }
    SetFocus(target);
    return true;
}

void KeyboardNavigation::ShowCues() {
    if ((SendMessageW(window_, WM_QUERYUISTATE, 0, 0) & kCues) != 0) {
        SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, kCues), 0);
    }
}

HWND KeyboardNavigation::ControlOf(HWND window) const {
    if (window == nullptr || !IsChild(window_, window)) {
        return nullptr;
    }
    while (GetParent(window) != window_) {
        window = GetParent(window);
    }
    return window;
}

}  // namespace datrelle::win32
