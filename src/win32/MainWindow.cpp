#include "win32/MainWindow.h"

#include <commctrl.h>

#include "resource.h"
#include "win32/Abandoned.h"
#include "win32/BrowserEmulation.h"
#include "win32/BrowserHost.h"
#include "win32/Dpi.h"
#include "win32/ViewBinding.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

// No WS_CLIPCHILDREN: the frame paints only its border, and the window paints its inside.
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kWindowExStyle = 0;

int DpiOf(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi != 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

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
    if (!RegisterMainClass(instance_, WindowProc) || !RegisterBrowserHostClass(instance_)) {
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
    try {
        if (browser_.TranslateKey(message) || keys_.Translate(message)) {
            return true;
        }
        // The browser's windows take their plain keys as they come: the dialog manager,
        // which knows only the window's own controls, would take Enter and the arrows
        // from them. Access keys (Alt and a letter) still reach it.
        const bool browserKey = message.message >= WM_KEYDOWN && message.message <= WM_DEADCHAR &&
                                browser_.Contains(GetFocus());
        return !browserKey && IsDialogMessageW(window_, &message) != FALSE;
    } catch (...) {
        // A key whose handler fails (out of memory, say) is abandoned; the next one works.
        TraceAbandoned("a key", message.message);
        return true;
    }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    MainWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        OnTaskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        // As a dialog box does, the window keeps the control that has the focus while
        // it is away, and gives the focus back to it. Hiding the window deactivates it
        // too.
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                keys_.KeepFocus();
            } else if (HIWORD(wParam) == 0 && keys_.RestoreFocus()) {
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (keys_.RestoreFocus()) {
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
            return OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
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
        // Until the controls are made there are no panels to lay out (they take the
        // window's size when made), and a click on an icon could show a window without
        // its controls.
        case WM_SIZE:
            if (controls_.Made()) {
                app_.OnResize();
            }
            return 0;
        case kTrayMouseMessage:
            if (controls_.Made()) {
                app_.OnTrayMouse(*reinterpret_cast<const TrayNotification*>(lParam));
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
// made when the date asks for them. The menu and the taskbar's message come along, as
// they cost next to nothing.
bool MainWindow::OnCreate() {
    messages_.SetOwner(window_);
    if (!holders_.Create(window_, instance_, DpiOf(window_))) {
        return false;
    }
    (void)FollowTrayScaling();  // no icon loaded yet to give back
    menu_.reset(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_POPMENU)));
    popup_ = menu_ ? GetSubMenu(menu_.get(), 0) : nullptr;
    if (popup_ == nullptr) {
        return false;
    }
    // 0 when the system has no message numbers left: the icons then do not come back
    // after Explorer restarts, and HandleMessage never takes 0 for this message.
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // Lets Explorer's broadcast through even when the program runs with higher rights
    // than Explorer. Without it the icons would stay away after Explorer restarts;
    // a failure changes nothing for a program running as the user.
    ChangeWindowMessageFilterEx(window_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    SetCreationSize();
    return true;
}

// The rest of the window, made while start-up runs, after the date is in the tray and
// before any setting reaches a control. Common Controls 6, OLE and the browser control
// load here: they were most of the time before the icons appeared.
bool MainWindow::MakeControls() {
    // Should this fail, the notes box's tooltip is the one control that may be missing,
    // and the window is made without it; the other controls are the system's own.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    // Without OLE the browser control cannot be embedded; the panel then stays empty.
    ole_.emplace();
    // Without the value the browser panel renders as an old browser would; it still
    // works. It must be set before the control is made.
    (void)SetBrowserEmulation();
    if (!controls_.Create(window_, instance_, DpiOf(window_)) || !holders_.CreateAll()) {
        return false;
    }
    AttachPlatform();
    BindViews(app_.form(), controls_, window_, popup_);
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
    keys_.Attach(window_);
}

void MainWindow::SetCreationSize() {
    const int dpi = DpiOf(window_);
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    // Sizes only: should either call fail, the window starts at another size, and
    // start-up places and sizes it again.
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, static_cast<UINT>(dpi));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnCommand(int id, int code) {
    Form& form = app_.form();
    switch (id) {
        case IDM_SETTINGS:
            form.MnuSettings.Click();
            return;
        case IDM_OPEN_FILE_IN_BROWSER:
            form.mnuOpenFileInBrowser.Click();
            return;
        case IDM_AUTO_APP:
            form.mnuAutoApp.Click();
            return;
        case IDM_COPY_CLIP_LONG:
            form.MnuCopyClipLong.Click();
            return;
        case IDM_COPY_CLIP_SHORT:
            form.MnuCopyClipShort.Click();
            return;
        case IDM_EXIT:
            form.mnuExit.Click();
            return;
        // What the dialog manager sends for Enter, and for Esc (which never reaches it).
        case IDOK:
            PressFocusedButton();
            return;
        case IDCANCEL:
            return;
        default:
            break;
    }
    if (id == static_cast<int>(ControlId::Label1)) {
        if (code == STN_DBLCLK) {
            app_.OnLabel1DoubleClick();
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    const auto control = static_cast<ControlId>(id);
    if (CheckBox* box = form.CheckBoxFor(control)) {
        box->UserClick();
    } else if (CommandButton* button = form.ButtonFor(control)) {
        button->Press();
    }
}

// Enter: the window has no default button, so the dialog manager asks for IDOK; the
// push button with the focus is pressed instead, as a click presses it. Enter on any
// other control does nothing.
void MainWindow::PressFocusedButton() {
    const HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != window_ || !IsWindowEnabled(focus)) {
        return;
    }
    if (CommandButton* button =
            app_.form().ButtonFor(static_cast<ControlId>(GetDlgCtrlID(focus)))) {
        button->Press();
    }
}

void MainWindow::OnTimer(UINT_PTR id) {
    Form& form = app_.form();
    switch (id) {
        case kTimer1:
            form.Timer1.Tick();
            break;
        case kTimer2:
            form.Timer2.Tick();
            break;
        case kTimer3:
            form.Timer3.Tick();
            break;
        case kNewDayTimer:
            form.NewDayTimer.Tick();
            break;
        default:
            break;
    }
}

// Explorer announces a new taskbar when it restarts and also when the scaling changes
// (while our icons are still there): the icons may want another size either way.
void MainWindow::OnTaskbarCreated() {
    // The old icons stay alive until the tray shows the new ones.
    const auto previousIcons = FollowTrayScaling();
    app_.OnTaskbarCreated();
}

std::vector<UniqueIcon> MainWindow::FollowTrayScaling() {
    return holders_.LoadIconsFor(TrayDpi());
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    controls_.ApplyDpi(dpi);
    holders_.Place(dpi);
    // The taskbar may have changed its scaling with the window's monitor; if it has not
    // yet, its announcement of a new taskbar brings the new size.
    const auto previousIcons = FollowTrayScaling();
    if (!previousIcons.empty()) {
        app_.OnIconsReloaded();
    }
    // A window the system will not move keeps its place; the layout below follows it.
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The controls went back to their design sizes; the panels follow the window again
    // even when the suggested size gave no resize event.
    if (controls_.Made()) {
        app_.OnResize();
    }
}

LRESULT MainWindow::OnColourStatic(HDC dc, HWND control) {
    if (control == controls_.Get(ControlId::Label1)) {
        // Colours only: a failure paints the label in the default ones.
        SetTextColor(dc, RGB((kLabel1Colour >> 16) & 0xFF, (kLabel1Colour >> 8) & 0xFF,
                             kLabel1Colour & 0xFF));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

}  // namespace datrelle::win32
