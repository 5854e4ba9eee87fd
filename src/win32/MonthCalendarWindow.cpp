#include "win32/MonthCalendarWindow.h"

#include <shellapi.h>

#include <utility>

#include "calendar/PopupPlacement.h"
#include "win32/Abandoned.h"
#include "win32/Dpi.h"
#include "win32/WideText.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

// A thin frame and no caption; a tool window has no taskbar button.
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

PixelRect PixelsOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Beside the icon where the shell says where it is (it cannot under Wine), else beside
// the pointer, else nothing: opened by a key, the corner next to the tray.
PopupAnchor AnchorOf(const MonthViewOpening& opening) {
    if (opening.icon != 0) {
        NOTIFYICONIDENTIFIER icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = reinterpret_cast<HWND>(opening.icon);
        icon.uID = 1;
        RECT place{};
        if (SUCCEEDED(Shell_NotifyIconGetRect(&icon, &place))) {
            return PixelsOf(place);
        }
    }
    if (opening.pointer) {
        return *opening.pointer;
    }
    POINT pointer{};
    if (!opening.fromKeyboard && GetCursorPos(&pointer)) {
        return ScreenPoint{pointer.x, pointer.y};
    }
    return std::monostate{};
}

// The anchor's monitor; with no anchor, the taskbar's, whose corner holds the tray.
MONITORINFO MonitorOf(const PopupAnchor& anchor) {
    HMONITOR monitor = nullptr;
    if (const auto* rect = std::get_if<PixelRect>(&anchor)) {
        const RECT place{rect->left, rect->top, rect->right, rect->bottom};
        monitor = MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST);
    } else if (const auto* point = std::get_if<ScreenPoint>(&anchor)) {
        monitor = MonitorFromPoint({point->x, point->y}, MONITOR_DEFAULTTONEAREST);
    } else if (const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr); taskbar != nullptr) {
        monitor = MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY);
    } else {
        monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) {
        // No monitor to ask: the primary screen as a whole.
        info.rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        info.rcWork = info.rcMonitor;
    }
    return info;
}

}  // namespace

MonthCalendarWindow::~MonthCalendarWindow() {
    Close();
}

void MonthCalendarWindow::Open(const MonthViewOpening& opening) {
    if (window_ != nullptr) {
        BringForward();
        return;
    }
    if (!RegisterWindowClass(instance_, {.name = kCalendarWindowClass,
                                         .procedure = WindowProc,
                                         .style = CS_DBLCLKS | CS_DROPSHADOW})) {
        return;
    }
    model_.emplace(opening.today, opening.rule);
    pressed_.reset();
    wheel_ = 0;
    anchor_ = AnchorOf(opening);
    // Made hidden on the anchor's monitor, so that it has that monitor's DPI from the
    // start; sized and placed for it, then shown.
    const RECT work = MonitorOf(anchor_).rcWork;
    const std::wstring text = WideFromUtf8(calendar_.LongDate(model_->Selected()));
    if (CreateWindowExW(kExStyle, kCalendarWindowClass, text.c_str(), kStyle, work.left, work.top,
                        1, 1, owner_, nullptr, instance_, this) == nullptr) {
        return;
    }
    dpi_ = DpiOf(window_);
    painter_.MakeFonts(dpi_);
    Place();
    ShowWindow(window_, SW_SHOW);
    BringForward();
}

void MonthCalendarWindow::Close() {
    // Forgotten first: destroying the active window deactivates it, which closes it again.
    if (const HWND window = std::exchange(window_, nullptr); window != nullptr) {
        DestroyWindow(window);
    }
}

void MonthCalendarWindow::SetToday(const CivilDate& today) {
    if (model_) {
        model_->SetToday(today);
        Changed();
    }
}

void MonthCalendarWindow::SetRule(const WeekRule& rule) {
    if (model_) {
        model_->SetRule(rule);
        Changed();
    }
}

LRESULT CALLBACK MonthCalendarWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<MonthCalendarWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // The object comes with the window's creation, once.
    if (message == WM_NCCREATE && self == nullptr) {
        self = static_cast<MonthCalendarWindow*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self != nullptr && self->window_ == window) {
            self->window_ = nullptr;  // destroyed with its owner
        }
    }
    // A window being closed has nothing left to do but go.
    if (self == nullptr || self->window_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // A message whose handler fails (out of memory, say) is abandoned; the calendar
        // stays as it was.
        TraceAbandoned("a calendar message", message);
        return 0;
    }
}

LRESULT MonthCalendarWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Any program may send any of these: the keys, points and wheel turns they carry
    // are numbers only, and no address in them is read.
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the painting covers every pixel
        case WM_KEYDOWN:
            OnKey(wParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnClick(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)),
                    message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                lostActivationAt_ = calendar_.Now();
                Close();  // a click elsewhere
            }
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged();
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void MonthCalendarWindow::Place() {
    const PixelSize client = CalendarLayout(dpi_).Size();
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, static_cast<UINT>(dpi_));
    const PixelSize size{frame.right - frame.left, frame.bottom - frame.top};
    const MONITORINFO monitor = MonitorOf(anchor_);
    const ScreenPoint at =
        PlacePopup(size, PixelsOf(monitor.rcWork), PixelsOf(monitor.rcMonitor), anchor_);
    SetWindowPos(window_, HWND_TOPMOST, at.x, at.y, size.width, size.height, SWP_NOACTIVATE);
}

void MonthCalendarWindow::BringForward() {
    // Keys reach it only with the focus. Opened from a tray icon the program may take
    // the foreground; where Windows refuses, a click on the calendar gives it.
    SetForegroundWindow(window_);
    SetFocus(window_);
}

void MonthCalendarWindow::OnKey(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    CalendarKey move;
    switch (key) {
        case VK_LEFT:
            move = CalendarKey::Left;
            break;
        case VK_RIGHT:
            move = CalendarKey::Right;
            break;
        case VK_UP:
            move = CalendarKey::Up;
            break;
        case VK_DOWN:
            move = CalendarKey::Down;
            break;
        case VK_PRIOR:
            move = control ? CalendarKey::CtrlPageUp : CalendarKey::PageUp;
            break;
        case VK_NEXT:
            move = control ? CalendarKey::CtrlPageDown : CalendarKey::PageDown;
            break;
        case VK_HOME:
            move = CalendarKey::Home;
            break;
        case VK_RETURN:
            Choose();
            return;
        case VK_ESCAPE:
            Close();
            return;
        default:
            return;
    }
    model_->OnKey(move);
    Changed();
}

void MonthCalendarWindow::OnClick(int x, int y, bool twice) {
    const CalendarHit hit = CalendarLayout(dpi_).HitTest(x, y);
    switch (hit.part) {
        case CalendarPart::Previous:
        case CalendarPart::Next:
            // Each click of a quick pair moves a month.
            model_->MoveMonths(hit.part == CalendarPart::Next ? 1 : -1);
            pressed_.reset();
            Changed();
            return;
        case CalendarPart::Day: {
            const bool same = twice && pressed_ && pressed_->first == hit;
            const CivilDate day =
                same ? pressed_->second : model_->Grid().cells[hit.row][hit.column];
            pressed_.emplace(hit, day);
            model_->Select(day);
            Changed();
            if (twice) {
                Choose();
            }
            return;
        }
        default:
            return;
    }
}

void MonthCalendarWindow::OnWheel(int delta) {
    // A wheel of finer steps turns a month once a whole notch has come together; up
    // (away from the user) goes back.
    wheel_ += delta;
    const int months = wheel_ / WHEEL_DELTA;
    wheel_ -= months * WHEEL_DELTA;
    if (months != 0) {
        model_->MoveMonths(-months);
        Changed();
    }
}

void MonthCalendarWindow::OnPaint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    if (dc != nullptr) {
        painter_.Paint(dc, CalendarLayout(dpi_), *model_);
        EndPaint(window_, &paint);
    }
}

// Windows sends this when the scaling of the calendar's monitor changes while it is
// open. The place it suggests (an address in lParam) is not read: the calendar takes
// its size for the new DPI and its place beside its anchor again, as when it opened.
void MonthCalendarWindow::OnDpiChanged() {
    dpi_ = DpiOf(window_);
    painter_.MakeFonts(dpi_);
    Place();
    InvalidateRect(window_, nullptr, FALSE);
}

void MonthCalendarWindow::Changed() {
    if (window_ == nullptr) {
        return;
    }
    SetWindowTextW(window_, WideFromUtf8(calendar_.LongDate(model_->Selected())).c_str());
    InvalidateRect(window_, nullptr, FALSE);
}

void MonthCalendarWindow::Choose() {
    const CivilDate day = model_->Selected();
    if (onChosen) {
        onChosen(day);
    }
    Close();
}

}  // namespace datrelle::win32
