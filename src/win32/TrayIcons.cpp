#include "win32/TrayIcons.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>

#include "form/Inventory.h"
#include "resource.h"
#include "win32/Abandoned.h"
#include "win32/Dpi.h"
#include "win32/WideText.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {

// Name(1) to Name(count) hold the icons of the resources base + 1 to base + count, and
// each box's number among the main window's children is its icon's.
struct BoxSet {
    IconKind kind;
    int count;
    int resourceBase;
    const char* name;
    TwipsRect (*place)(int index);  // in the main window's client area
};

namespace {

// The sets of boxes, the days first: another set of icons is one more row.
constexpr BoxSet kBoxSets[] = {
    {IconKind::Day, kDayHolders, IDI_DAY_BASE, "Picture1", DayHolderPlace},
    {IconKind::Month, kMonthHolders, IDI_MONTH_BASE, "Picture2", MonthHolderPlace},
    {IconKind::Week, kWeekHolders, IDI_WEEK_BASE, "Picture3", WeekHolderPlace},
};

constexpr std::size_t kBoxCount = [] {
    std::size_t count = 0;
    for (const BoxSet& set : kBoxSets) {
        count += static_cast<std::size_t>(set.count);
    }
    return count;
}();

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

// The scaling at which the tray shows its icons: the taskbar's own, whatever monitor the
// program's window is on. Without a taskbar (Explorer not started yet) the system's
// scaling; the taskbar's creation, when it comes, asks again.
int TaskbarDpi() {
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    const UINT dpi = taskbar != nullptr ? GetDpiForWindow(taskbar) : 0;
    return static_cast<int>(dpi != 0 ? dpi : GetDpiForSystem());
}

}  // namespace

void TrayIcons::BoxIcon::Replace(UniqueIcon icon) {
    // Replaced twice before the shell took the first: the shell still shows the oldest.
    if (inShell_ && !shownBefore_) {
        shownBefore_ = std::move(current_);
    }
    current_ = std::move(icon);
}

void TrayIcons::BoxIcon::ShellHas(bool icon) {
    inShell_ = icon;
    shownBefore_.reset();
}

TrayIcons::Box::~Box() {
    if (icon.InShell()) {
        // Nothing is left to do when the shell refuses: the program is going.
        (void)CarryOut(TrayCommand::Delete, window, NotifyRecord{.uID = kTrayIconId});
    }
}

TrayIcons::TrayIcons() : boxes_(kBoxCount) {
    auto box = boxes_.begin();
    for (const BoxSet& set : kBoxSets) {
        for (int index = 1; index <= set.count; ++index, ++box) {
            box->set = &set;
            box->index = index;
        }
    }
}

bool TrayIcons::Create(HWND parent, HINSTANCE instance, int windowDpi) {
    parent_ = parent;
    instance_ = instance;
    windowDpi_ = windowDpi;
    if (!RegisterWindowClass(instance, {.name = kPictureBoxClass, .procedure = BoxProc})) {
        return false;
    }
    (void)LoadIconsFor(TaskbarDpi());  // no icon loaded yet to replace
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
    return std::ranges::all_of(
        boxes_, [this](Box& box) { return box.window != nullptr || MakeWindow(box); });
}

bool TrayIcons::MakeWindow(Box& box) {
    // The box's name, Picture1(6) say, is what the window tree shows.
    const std::string name = std::string(box.set->name) + "(" + std::to_string(box.index) + ")";
    const RECT place = ChildPixels(box.set->place(box.index), windowDpi_);
    const int id = box.set->resourceBase + box.index;
    box.window =
        CreateWindowExW(0, kPictureBoxClass, WideFromUtf8(name).c_str(), WS_CHILD, place.left,
                        place.top, place.right - place.left, place.bottom - place.top, parent_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
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
                                          .icon = reinterpret_cast<WindowHandle>(window),
                                          .kind = box->set->kind};
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
    (void)LoadIconsFor(TaskbarDpi());  // a new taskbar gets the icons either way
    if (onIconsLost) {
        onIconsLost();
    }
    return true;
}

void TrayIcons::OnWindowDpiChanged(int windowDpi) {
    windowDpi_ = windowDpi;
    for (const Box& box : boxes_) {
        if (box.window != nullptr) {
            MoveChild(box.window, ChildPixels(box.set->place(box.index), windowDpi));
        }
    }
    // The taskbar may have changed its scaling with the window's monitor; if it has not
    // yet, its announcement of a new taskbar brings the new size.
    if (LoadIconsFor(TaskbarDpi()) && onIconsLost) {
        onIconsLost();
    }
}

bool TrayIcons::LoadIconsFor(int taskbarDpi) {
    // Should the metric be unknown (0), the icons load at their own first size.
    const int size = GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(taskbarDpi));
    if (size == iconSize_) {
        return false;
    }
    iconSize_ = size;
    bool replaced = false;
    for (Box& box : boxes_) {
        if (!box.icon) {
            continue;  // loaded at the new size when first asked for
        }
        // A box whose icon cannot be loaded at the new size keeps the one it has.
        if (UniqueIcon icon = LoadBoxIcon(box)) {
            box.icon.Replace(std::move(icon));
            replaced = true;
        }
    }
    return replaced;
}

UniqueIcon TrayIcons::LoadBoxIcon(const Box& box) const {
    const int id = box.set->resourceBase + box.index;
    return UniqueIcon{static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_ICON, iconSize_, iconSize_, 0))};
}

TrayIcons::Box* TrayIcons::BoxOf(HWND window) {
    const auto found = std::ranges::find(boxes_, window, &Box::window);
    return window != nullptr && found != boxes_.end() ? &*found : nullptr;
}

TrayIcons::Box* TrayIcons::Find(IconKind kind, int index) {
    const auto found = std::ranges::find_if(
        boxes_, [&](const Box& box) { return box.set->kind == kind && box.index == index; });
    return found != boxes_.end() ? &*found : nullptr;
}

std::optional<IconHolder> TrayIcons::Holder(IconKind kind, int index) {
    Box* box = Find(kind, index);
    if (box == nullptr || parent_ == nullptr || (box->window == nullptr && !MakeWindow(*box))) {
        return std::nullopt;
    }
    if (!box->icon) {
        box->icon.Replace(LoadBoxIcon(*box));
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
    // Refused, an icon added may be there already (added twice) or not (no taskbar):
    // either way what was known stays. After a deletion the shell has none, whatever
    // it answered.
    if (command == TrayCommand::Add && done) {
        box->icon.ShellHas(true);
    } else if (command == TrayCommand::Delete) {
        box->icon.ShellHas(false);
    }
    return done;
}

}  // namespace datrelle::win32
