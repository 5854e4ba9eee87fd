#include "win32/MainWindow.h"

#include <string_view>

#include "win32/Abandoned.h"
#include "win32/Dpi.h"
#include "win32/ViewBinding.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {

bool MainWindow::Start() {
    const bool started = app_.Start({.makeWindow = [this] { return MakeWindow(); },
                                     .makeControls = [this] { return MakeControls(); },
                                     .show = [this] { ShowWindow(window_, SW_SHOW); }});
    if (!started && window_ != nullptr) {
        DestroyWindow(window_);  // its own thread's window: cannot fail
    }
    return started;
}

bool MainWindow::PreTranslate(MSG& message) noexcept {
    // A posted message reaches the program's windows only here, and any program of the
    // desktop may post one. Windows sends WM_DPICHANGED, never posts it, and the program's
    // timers have no callback for DispatchMessage to call: posted, either could only
    // carry an address that another program made up.
    if (message.message == WM_DPICHANGED || (message.message == WM_TIMER && message.lParam != 0)) {
        return true;
    }
    return keys_.PreTranslate(message);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // The object comes with the window's creation, once: a WM_NCCREATE that another
    // program sends later is no creation.
    if (message == WM_NCCREATE && self == nullptr) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // A handler that fails (out of memory, say) abandons only that event; the
        // program goes on with the next one. A window whose creation failed half-way
        // is not made at all.
        TraceAbandoned("a window message", message);
        return message == WM_CREATE ? -1 : 0;
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (platform_.tray().OnTaskbarMessage(message) || keys_.OnMessage(message, wParam)) {
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_TIMER:
            (void)Route(bindings_, static_cast<int>(wParam), ControlEvent::Ticked);
            return 0;
        case WM_CTLCOLORSTATIC:
            if (const HBRUSH brush = controls_.ColourStatic(reinterpret_cast<HDC>(wParam),
                                                            reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_SIZE:
            app_.OnResize();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(lParam);
            return 0;
        case WM_TIMECHANGE:
        case WM_SETTINGCHANGE:
        case WM_POWERBROADCAST:
            OnSystemChange(message, wParam, lParam);
            break;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The process may end as soon as this returns, without WM_DESTROY: the settings
            // are written now, or they would be lost at every log-off, and the program ends
            // as for every other way of closing, not running on without its icons.
            if (!wParam) {
                return 0;
            }
            [[fallthrough]];
        case WM_CLOSE:
            // Every way of closing comes here; nothing can cancel it.
            app_.Unload();
            DestroyWindow(window_);  // cannot fail for this thread's own window
            return 0;
        case WM_DESTROY:
            app_.Unload();  // runs once: here only when the window was destroyed directly
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool MainWindow::MakeWindow() {
    if (!RegisterWindowClass(instance_, {.name = kMainWindowClass,
                                         .procedure = WindowProc,
                                         .style = CS_DBLCLKS,
                                         .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                         .programIcon = true})) {
        return false;
    }
    // The window procedure keeps the handle from WM_NCCREATE on and forgets it again at
    // WM_NCDESTROY, so it tells whether the window was made.
    CreateWindowExW(kMainWindowExStyle, kMainWindowClass, kProgramTitle, kMainWindowStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                    instance_, this);
    return window_ != nullptr;
}

bool MainWindow::OnCreate() {
    TrayIcons& tray = platform_.tray();
    tray.onNotification = [this](const TrayNotification& event) { app_.OnTrayMouse(event); };
    tray.onIconsLost = [this] { app_.OnTrayIconsLost(); };
    platform_.browser().onTitleChange = [this](const std::string& title) {
        app_.OnBrowserTitleChange(title);
    };
    return platform_.AttachWindow(window_, instance_);
}

bool MainWindow::MakeControls() {
    Win32Window& window = platform_.window();
    window.SetDesignSize();
    if (!window.LoadPopupMenu(instance_) || !RegisterBrowserHostClass(instance_)) {
        return false;
    }
    if (!controls_.Create(window_, instance_, DpiOf(window_)) || !platform_.tray().MakeTheRest()) {
        return false;
    }
    platform_.AttachControls(controls_);
    // The controls' events that are not in the binding table, and the table's views.
    // Without the double click the notes box is still an ordinary text box.
    (void)text1DoubleClicks_.Attach(controls_.Get(ControlId::Text1),
                                    [this] { app_.OnText1DoubleClick(); });
    keys_.onEscape = [this] { app_.OnEscape(); };
    // Enter presses the focused button as a click would, and nothing else.
    keys_.onEnter = [this](int id) { (void)Route(bindings_, id, ControlEvent::Pressed); };
    keys_.Attach(window_, platform_.browser());
    BindViews(bindings_, controls_, window_, window.popup());
    return true;
}

void MainWindow::OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    // The title label tells of its double clicks (SS_NOTIFY); the buttons, the check
    // boxes and the menu tell of their clicks, all three with the code 0.
    if (id == static_cast<int>(ControlId::Label1) && HIWORD(wParam) == STN_DBLCLK) {
        app_.OnLabel1DoubleClick();
    } else if (HIWORD(wParam) == BN_CLICKED) {
        (void)Route(bindings_, id, ControlEvent::Clicked);
    }
}

void MainWindow::OnDpiChanged(LPARAM lParam) {
    const int dpi = DpiOf(window_);
    controls_.ApplyDpi(dpi);
    platform_.tray().OnWindowDpiChanged(dpi);
    platform_.window().FollowDpiChange(lParam);
    // The controls went back to their design sizes; the panels follow the window again
    // even when the suggested size gave no resize event.
    app_.OnResize();
}

void MainWindow::OnSystemChange(UINT message, WPARAM wParam, LPARAM lParam) {
    // The system hands a Unicode window the area's name in UTF-16 (it never lets
    // WM_SETTINGCHANGE be posted, so the text is the sender's, copied).
    if (message == WM_SETTINGCHANGE && lParam != 0 &&
        std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) == L"intl") {
        app_.OnRegionalFormatChanged();
    } else if (message != WM_POWERBROADCAST || wParam == PBT_APMRESUMEAUTOMATIC ||
               wParam == PBT_APMRESUMESUSPEND) {
        // Any other setting may be the time zone.
        app_.OnDateMayHaveChanged();
    }
}

}  // namespace datrelle::win32
