#include "win32/TrayIcons.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>

#include "form/Inventory.h"
#include "resource.h"
#include "tray/SysTray.h"
#include "win32/Abandoned.h"
#include "win32/Dpi.h"
#include "win32/WideText.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

// The logic's own statement of the shell's numbers, against the shell's.
static_assert(kTrayIconId == 1 && kTrayCallbackMessage == WM_MOUSEMOVE &&
              kTrayIconFlags == (NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP) &&
              kTrayVersion == NOTIFYICON_VERSION_4 && kTrayInfoFlag == NIF_INFO &&
              kInfoIconInformation == NIIF_INFO);
static_assert(kMouseLeftButtonDown == WM_LBUTTONDOWN && kMouseLeftButtonUp == WM_LBUTTONUP &&
              kMouseLeftButtonDoubleClick == WM_LBUTTONDBLCLK &&
              kMouseRightButtonDown == WM_RBUTTONDOWN && kContextMenu == WM_CONTEXTMENU &&
              kKeySelect == NIN_KEYSELECT);
static_assert(static_cast<DWORD>(TrayCommand::Add) == NIM_ADD &&
              static_cast<DWORD>(TrayCommand::Modify) == NIM_MODIFY &&
              static_cast<DWORD>(TrayCommand::Delete) == NIM_DELETE &&
              static_cast<DWORD>(TrayCommand::SetFocus) == NIM_SETFOCUS &&
              static_cast<DWORD>(TrayCommand::SetVersion) == NIM_SETVERSION);

// Every command goes with the record of Windows XP's shell (the third form): the smallest
// one with which the shell takes the fourth behaviour (the first form is accepted for it
// but changes nothing) and the notification's fields. Windows 10 and 11 accept every form.
// The wide record: the tooltip and the notification keep every character of the user's
// regional format.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;

// The text into a field of the record, cut where the field would leave no room for its
// NUL (the logic cuts its texts to fit, never within a character).
template <std::size_t kSize>
void CopyText(WCHAR (&field)[kSize], std::string_view text) {
    const std::wstring wide = WideFromUtf8(text);
    const std::size_t length = std::min(wide.size(), kSize - 1);
    std::copy_n(wide.begin(), length, field);
    field[length] = L'\0';
}

bool CarryOut(TrayCommand command, HWND owner, const NotifyRecord& record) {
    NOTIFYICONDATAW data{};
    data.cbSize = kRecordSize;
    data.hWnd = owner;
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    static_assert(kTipUnits <= std::size(data.szTip) && kInfoUnits == std::size(data.szInfo) &&
                  kInfoTitleUnits == std::size(data.szInfoTitle));
    CopyText(data.szTip, record.szTip);
    CopyText(data.szInfo, record.szInfo);
    CopyText(data.szInfoTitle, record.szInfoTitle);
    data.dwInfoFlags = record.dwInfoFlags;
    // One field with the notification's time-out, which no command here uses.
    data.uVersion = record.uVersion;
    return Shell_NotifyIconW(static_cast<DWORD>(command), &data) != FALSE;
}

// A box's number among the main window's children: its icon's resource number.
int BoxId(IconKind kind, int index) {
    return (kind == IconKind::Day ? IDI_DAY_BASE : IDI_MONTH_BASE) + index;
}

// The scaling at which the tray shows its icons: the taskbar's own, whatever monitor the
// program's window is on. Without a taskbar (Explorer not started yet) the system's
// scaling; the taskbar's creation, when it comes, asks again.
int TaskbarDpi() {
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    const UINT dpi = taskbar != nullptr ? GetDpiForWindow(taskbar) : 0;
    return static_cast<int>(dpi != 0 ? dpi : GetDpiForSystem());
}

TwipsRect PlaceOf(IconKind kind, int index) {
    return kind == IconKind::Day ? DayHolderPlace(index) : MonthHolderPlace(index);
}

}  // namespace

TrayIcons::Box::~Box() {
    if (inTray) {
        // Nothing is left to do when the shell refuses: the program is going.
        (void)CarryOut(TrayCommand::Delete, window, NotifyRecord{.uID = kTrayIconId});
    }
}

template <typename Action>
void TrayIcons::ForEach(Action action) {
    for (int day = 1; day <= kDayHolders; ++day) {
        action(IconKind::Day, day);
    }
    for (int month = 1; month <= kMonthHolders; ++month) {
        action(IconKind::Month, month);
    }
}

bool TrayIcons::Create(HWND parent, HINSTANCE instance, int windowDpi) {
    parent_ = parent;
    instance_ = instance;
    windowDpi_ = windowDpi;
    WNDCLASSEXW boxClass{};
    boxClass.cbSize = sizeof boxClass;
    boxClass.lpfnWndProc = BoxProc;
    boxClass.hInstance = instance;
    boxClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    boxClass.lpszClassName = kPictureBoxClass;
    if (RegisterClassExW(&boxClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    (void)LoadIconsFor(TaskbarDpi());  // no icon loaded yet to give back
    return true;
}

bool TrayIcons::MakeTheRest() {
    // 0 when the system has no message numbers left: the icons then do not come back
    // after Explorer restarts, and OnTaskbarMessage never takes 0 for it.
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // Lets Explorer's broadcast through even when the program runs with higher rights
    // than Explorer. Without it the icons would stay away after Explorer restarts; a
    // failure changes nothing for a program running as the user.
    ChangeWindowMessageFilterEx(parent_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    bool made = true;
    ForEach([&](IconKind kind, int index) {
        const Box& box = *Find(kind, index);
        made = made && (box.window != nullptr || MakeWindow(kind, index, box));
    });
    return made;
}

bool TrayIcons::MakeWindow(IconKind kind, int index, const Box& box) const {
    // The name helps whoever looks at the window tree; nothing relies on it.
    const std::string name = std::string(kind == IconKind::Day ? "Picture1" : "Picture2") + "(" +
                             std::to_string(index) + ")";
    const RECT place = ChildPixels(PlaceOf(kind, index), windowDpi_);
    box.window = CreateWindowExW(
        0, kPictureBoxClass, WideFromUtf8(name).c_str(), WS_CHILD, place.left, place.top,
        place.right - place.left, place.bottom - place.top, parent_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(BoxId(kind, index))), instance_, nullptr);
    if (box.window != nullptr) {
        SetWindowLongPtrW(box.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return box.window != nullptr;
}

LRESULT CALLBACK TrayIcons::BoxProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<TrayIcons*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    Box* box = self != nullptr ? self->BoxOf(window) : nullptr;
    if (box == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case kTrayCallbackMessage: {
            // The boxes are never shown, so this comes only from the shell, or from a
            // program that sends numbers: nothing here is read through the parameters.
            // The event is in lParam's low word in both layouts; the fourth behaviour's
            // has the icon's number in the high word and the icon's place in wParam,
            // where the older has the number.
            TrayNotification notification{.event = LOWORD(lParam),
                                          .icon = reinterpret_cast<WindowHandle>(window)};
            if (HIWORD(lParam) != 0) {
                notification.anchor = ScreenPoint{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
            }
            try {
                if (self->onNotification) {
                    self->onNotification(notification);
                }
            } catch (...) {
                TraceAbandoned("a tray notification", notification.event);
            }
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            // Never seen by the user (the boxes are hidden): a failed drawing is harmless.
            if (dc != nullptr && box->icon) {
                DrawIconEx(dc, 0, 0, box->icon.get(), 0, 0, 0, nullptr, DI_NORMAL);
            }
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool TrayIcons::OnTaskbarMessage(UINT message) {
    if (message != taskbarCreated_ || taskbarCreated_ == 0) {
        return false;
    }
    // The icons they replace stay alive until the tray shows the new ones.
    const auto previous = LoadIconsFor(TaskbarDpi());
    if (onIconsLost) {
        onIconsLost();
    }
    return true;
}

void TrayIcons::OnWindowDpiChanged(int windowDpi) {
    windowDpi_ = windowDpi;
    ForEach([&](IconKind kind, int index) {
        if (const HWND window = Find(kind, index)->window) {
            MoveChild(window, ChildPixels(PlaceOf(kind, index), windowDpi));
        }
    });
    // The taskbar may have changed its scaling with the window's monitor; if it has not
    // yet, its announcement of a new taskbar brings the new size.
    const auto previous = LoadIconsFor(TaskbarDpi());
    if (!previous.empty() && onIconsLost) {
        onIconsLost();
    }
}

std::vector<UniqueIcon> TrayIcons::LoadIconsFor(int taskbarDpi) {
    std::vector<UniqueIcon> previous;
    // Should the metric be unknown (0), the icons load at their own first size.
    const int size = GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(taskbarDpi));
    if (size == iconSize_) {
        return previous;
    }
    iconSize_ = size;
    ForEach([&](IconKind kind, int index) {
        Box& box = *Find(kind, index);
        if (!box.icon) {
            return;  // loaded at the new size when first asked for
        }
        // A box whose icon cannot be loaded at the new size keeps the one it has.
        if (UniqueIcon icon = LoadBoxIcon(kind, index)) {
            previous.push_back(std::exchange(box.icon, std::move(icon)));
        }
    });
    return previous;
}

UniqueIcon TrayIcons::LoadBoxIcon(IconKind kind, int index) const {
    return UniqueIcon{static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(BoxId(kind, index)),
                                                    IMAGE_ICON, iconSize_, iconSize_, 0))};
}

TrayIcons::Box* TrayIcons::BoxOf(HWND window) {
    if (window == nullptr || GetParent(window) != parent_) {
        return nullptr;
    }
    const int id = GetDlgCtrlID(window);
    Box* box = id > IDI_MONTH_BASE ? Find(IconKind::Month, id - IDI_MONTH_BASE)
                                   : Find(IconKind::Day, id - IDI_DAY_BASE);
    return box != nullptr && box->window == window ? box : nullptr;
}

TrayIcons::Box* TrayIcons::Find(IconKind kind, int index) {
    return const_cast<Box*>(static_cast<const TrayIcons*>(this)->Find(kind, index));
}

const TrayIcons::Box* TrayIcons::Find(IconKind kind, int index) const {
    if (kind == IconKind::Day && index >= 1 && index <= kDayHolders) {
        return &days_[index - 1];
    }
    if (kind == IconKind::Month && index >= 1 && index <= kMonthHolders) {
        return &months_[index - 1];
    }
    return nullptr;
}

std::optional<IconHolder> TrayIcons::Holder(IconKind kind, int index) const {
    const Box* box = Find(kind, index);
    if (box == nullptr || parent_ == nullptr ||
        (box->window == nullptr && !MakeWindow(kind, index, *box))) {
        return std::nullopt;
    }
    if (!box->icon) {
        box->icon = LoadBoxIcon(kind, index);
    }
    return IconHolder{reinterpret_cast<WindowHandle>(box->window),
                      reinterpret_cast<IconHandle>(box->icon.get())};
}

bool TrayIcons::Notify(TrayCommand command, const NotifyRecord& record) {
    Box* box = BoxOf(reinterpret_cast<HWND>(record.hWnd));
    if (box == nullptr) {
        return false;
    }
    const bool done = CarryOut(command, box->window, record);
    if (command == TrayCommand::Add) {
        // Refused, the icon may be there already (added twice) or not (no taskbar):
        // either way what was known stays.
        box->inTray = box->inTray || done;
    } else if (command == TrayCommand::Delete) {
        box->inTray = false;
    }
    return done;
}

}  // namespace datrelle::win32
