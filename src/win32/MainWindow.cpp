#include "win32/MainWindow.h"

#include <commctrl.h>

#include "resource.h"
#include "win32/Abandoned.h"
#include "win32/BrowserEmulation.h"
#include "win32/Dpi.h"
#include "win32/ViewBinding.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

// No WS_CLIPCHILDREN: the frame paints only its border, and the window paints its inside.
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kWindowExStyle = 0;

bool RegisterMainClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    // Shared icons belong to the system and are never destroyed by the program. A
    // missing icon or cursor leaves the system's default in its place.
    windowClass.hIcon = static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

bool MainWindow::Create() {
    if (!RegisterMainClass(instance_, WindowProc)) {
        return false;
    }
    // Placed where the system puts new windows; start-up moves it afterwards. The window
    // procedure keeps the handle from WM_NCCREATE on and forgets it again at
    // WM_NCDESTROY, so it tells whether the window was made.
    CreateWindowExW(kWindowExStyle, kMainWindowClass, kProgramTitle, kWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    return window_ != nullptr;
}

bool MainWindow::Start() {
    if (!app_.Load([this] { return MakeControls(); })) {
        DestroyWindow(window_);  // its own thread's window: cannot fail
        return false;
    }
    ShowWindow(window_, SW_SHOW);
    return true;
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
    if (tray_.OnTaskbarMessage(message) || keys_.OnMessage(message, wParam)) {
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
        case WM_DPICHANGED:
            OnDpiChanged(lParam);
            return 0;
        case WM_TIMECHANGE:
            app_.OnDateMayHaveChanged();
            return 0;
        case WM_SETTINGCHANGE:
            // The system hands a Unicode window the area's name in UTF-16 (it never lets
            // this message be posted, so the text is the sender's, copied).
            if (lParam != 0 &&
                std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) == L"intl") {
                app_.OnRegionalFormatChanged();
            } else {
                // The time zone, among others, may have changed.
                app_.OnDateMayHaveChanged();
            }
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
                app_.OnDateMayHaveChanged();
            }
            return TRUE;
        // Until the controls are made there are no panels to lay out: they take the
        // window's size when made.
        case WM_SIZE:
            if (controls_.Made()) {
                app_.OnResize();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns, without WM_DESTROY:
            // the settings are written now, or they would be lost at every log-off.
            if (wParam) {
                app_.Unload();
                // And the program ends as for every other way of closing, rather than
                // running on without its icons until the system stops it.
                DestroyWindow(window_);
            }
            return 0;
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

// Only what the date in the tray needs: the window, and the picture boxes ready to be
// made when the date asks for them.
bool MainWindow::OnCreate() {
    messages_.SetOwner(window_);
    // Until the controls are made, a click on an icon could show a window without them.
    tray_.onNotification = [this](const TrayNotification& notification) {
        if (controls_.Made()) {
            app_.OnTrayMouse(notification);
        }
    };
    tray_.onIconsLost = [this] { app_.OnTrayIconsLost(); };
    return tray_.Create(window_, instance_, DpiOf(window_));
}

// The rest of the window, made while start-up runs, after the date is in the tray and
// before any setting reaches a control: its size, its menu, the controls, the other
// picture boxes. Common Controls 6, OLE and the browser control load here: they were
// most of the time before the icons appeared.
bool MainWindow::MakeControls() {
    SetCreationSize();
    menu_.reset(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_POPMENU)));
    popup_ = menu_ ? GetSubMenu(menu_.get(), 0) : nullptr;
    if (popup_ == nullptr || !RegisterBrowserHostClass(instance_)) {
        return false;
    }
    // Should this fail, the notes box's tooltip is the one control that may be missing,
    // and the window is made without it; the other controls are the system's own.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    // Without OLE the browser control cannot be embedded; the panel then stays empty.
    ole_.emplace();
    // Without the value the browser panel renders as an old browser would; it still
    // works. It must be set before the control is made.
    (void)SetBrowserEmulation();
    if (!controls_.Create(window_, instance_, DpiOf(window_)) || !tray_.MakeTheRest()) {
        return false;
    }
    AttachPlatform();
    BindViews(bindings_, controls_, window_, popup_);
    // The panels take the window's size, as every resize event gives them.
    app_.OnResize();
    return true;
}

void MainWindow::AttachPlatform() {
    const HWND text1 = controls_.Get(ControlId::Text1);
    mainWindow_.Attach(window_, text1, controls_.Get(ControlId::WebBrowser1), popup_);
    notes_.Attach(text1);
    clipboard_.SetOwner(window_);
    fileDialog_.SetOwner(window_);
    browser_.onTitleChange = [this](const std::string& title) { app_.OnBrowserTitleChange(title); };
    // Without a browser control the panel stays empty and its commands do nothing.
    (void)browser_.Attach(controls_.Get(ControlId::WebBrowser1));
    // Without the double click the notes box is still an ordinary text box.
    (void)text1DoubleClicks_.Attach(text1, [this] { app_.OnText1DoubleClick(); });
    keys_.onEscape = [this] { app_.OnEscape(); };
    // Enter presses the focused button as a click would; on any other control it does
    // nothing.
    keys_.onEnter = [this](int id) { (void)Route(bindings_, id, ControlEvent::Pressed); };
    keys_.Attach(window_, browser_);
}

void MainWindow::SetCreationSize() {
    const int dpi = DpiOf(window_);
    RECT frame = WindowPixels({0, 0, kClientWidthTwips, kClientHeightTwips}, dpi);
    // Sizes only: should either call fail, the window starts at another size, and
    // start-up places and sizes it again.
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, static_cast<UINT>(dpi));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

// Windows sends WM_DPICHANGED from the window's own thread when the window comes to a
// monitor of another scaling, with the place it suggests in lParam. Sent by another
// thread, the message is another program's, and so is the address: the window then keeps
// its place. (Posted, the message loop has dropped it.)
void MainWindow::OnDpiChanged(LPARAM lParam) {
    const int dpi = DpiOf(window_);
    controls_.ApplyDpi(dpi);
    tray_.OnWindowDpiChanged(dpi);
    if (lParam != 0 && (InSendMessageEx(nullptr) & ISMEX_SEND) == 0) {
        const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
        // A window the system will not move keeps its place; the layout below follows it.
        SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The controls went back to their design sizes; the panels follow the window again
    // even when the suggested size gave no resize event.
    if (controls_.Made()) {
        app_.OnResize();
    }
}

}  // namespace datrelle::win32
