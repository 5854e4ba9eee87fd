#include "win32/IconHolders.h"

#include <string>
#include <utility>

#include <windowsx.h>

#include "form/Inventory.h"
#include "resource.h"
#include "tray/SysTray.h"
#include "tray/TrayMouse.h"
#include "win32/Dpi.h"
#include "win32/WideText.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case kTrayCallbackMessage: {
            // The tray's callback message is the mouse-move number; the boxes are never
            // shown, so it only ever comes from the shell. The event is in lParam's low
            // word in both layouts; the fourth behaviour's has the icon's number in the
            // high word and the icon's place in wParam, where the older has the number.
            TrayNotification notification{.event = LOWORD(lParam),
                                          .icon = reinterpret_cast<WindowHandle>(window)};
            if (HIWORD(lParam) != 0) {
                notification.anchor = ScreenPoint{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
            }
            SendMessageW(GetParent(window), kTrayMouseMessage, 0,
                         reinterpret_cast<LPARAM>(&notification));
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            const auto icon = reinterpret_cast<HICON>(GetWindowLongPtrW(window, 0));
            // Never seen by the user (the boxes are hidden): a failed drawing is harmless.
            if (dc != nullptr && icon != nullptr) {
                DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
            }
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterPictureBoxClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PictureBoxProc;
    windowClass.cbWndExtra = sizeof(HICON);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = kPictureBoxClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int ResourceId(IconKind kind, int index) {
    return (kind == IconKind::Day ? IDI_DAY_BASE : IDI_MONTH_BASE) + index;
}

TwipsRect PlaceOf(IconKind kind, int index) {
    return kind == IconKind::Day ? DayHolderPlace(index) : MonthHolderPlace(index);
}

// Should the metric be unknown (0), the icons load at their own first size.
int TrayIconSize(int dpi) {
    return GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi));
}

}  // namespace

template <typename Action>
void IconHolders::ForEach(Action action) {
    for (int day = 1; day <= kDayHolders; ++day) {
        action(IconKind::Day, day);
    }
    for (int month = 1; month <= kMonthHolders; ++month) {
        action(IconKind::Month, month);
    }
}

bool IconHolders::Create(HWND parent, HINSTANCE instance, int windowDpi) {
    parent_ = parent;
    instance_ = instance;
    windowDpi_ = windowDpi;
    return RegisterPictureBoxClass(instance);
}

bool IconHolders::CreateAll() {
    bool made = true;
    ForEach([&](IconKind kind, int index) {
        const Box& box = *Find(kind, index);
        made = made && (box.window != nullptr || MakeWindow(kind, index, box));
    });
    return made;
}

bool IconHolders::MakeWindow(IconKind kind, int index, const Box& box) const {
    // The name helps whoever looks at the window tree; nothing relies on it.
    const std::string name = std::string(kind == IconKind::Day ? "Picture1" : "Picture2") + "(" +
                             std::to_string(index) + ")";
    const RECT place = ToPixels(PlaceOf(kind, index), windowDpi_);
    box.window = CreateWindowExW(0, kPictureBoxClass, WideFromUtf8(name).c_str(), WS_CHILD,
                                 place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, parent_, nullptr, instance_, nullptr);
    if (box.window != nullptr) {
        box.trayIcon.emplace(box.window);
    }
    return box.window != nullptr;
}

void IconHolders::Place(int windowDpi) {
    windowDpi_ = windowDpi;
    ForEach([&](IconKind kind, int index) {
        if (const HWND window = Find(kind, index)->window) {
            MoveTo(window, ToPixels(PlaceOf(kind, index), windowDpi));
        }
    });
}

std::vector<UniqueIcon> IconHolders::LoadIconsFor(int trayDpi) {
    std::vector<UniqueIcon> previous;
    const int size = TrayIconSize(trayDpi);
    if (size == iconSize_) {
        return previous;
    }
    iconSize_ = size;
    ForEach([&](IconKind kind, int index) {
        Box& box = *Find(kind, index);
        if (!box.icon) {
            return;
        }
        // A box whose icon cannot be loaded at the new size keeps the one it has.
        if (UniqueIcon icon = LoadBoxIcon(kind, index)) {
            SetWindowLongPtrW(box.window, 0, reinterpret_cast<LONG_PTR>(icon.get()));
            previous.push_back(std::exchange(box.icon, std::move(icon)));
        }
    });
    return previous;
}

UniqueIcon IconHolders::LoadBoxIcon(IconKind kind, int index) const {
    return UniqueIcon{
        static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(ResourceId(kind, index)),
                                      IMAGE_ICON, iconSize_, iconSize_, 0))};
}

IconHolders::Box* IconHolders::Find(IconKind kind, int index) {
    return const_cast<Box*>(static_cast<const IconHolders*>(this)->Find(kind, index));
}

const IconHolders::Box* IconHolders::Find(IconKind kind, int index) const {
    if (kind == IconKind::Day && index >= 1 && index <= kDayHolders) {
        return &days_[index - 1];
    }
    if (kind == IconKind::Month && index >= 1 && index <= kMonthHolders) {
        return &months_[index - 1];
    }
    return nullptr;
}

TrayIcon* IconHolders::TrayIconOf(WindowHandle window) {
    TrayIcon* found = nullptr;
    ForEach([&](IconKind kind, int index) {
        const Box& box = *Find(kind, index);
        if (box.trayIcon && reinterpret_cast<WindowHandle>(box.window) == window) {
            found = &*box.trayIcon;
        }
    });
    return found;
}

std::optional<IconHolder> IconHolders::Holder(IconKind kind, int index) const {
    const Box* box = Find(kind, index);
    if (box == nullptr || parent_ == nullptr ||
        (box->window == nullptr && !MakeWindow(kind, index, *box))) {
        return std::nullopt;
    }
    if (!box->icon) {
        // An icon that cannot be loaded leaves a blank tray icon that still answers the
        // mouse. The box paints the icon it holds; until then it has none to paint.
        box->icon = LoadBoxIcon(kind, index);
        SetWindowLongPtrW(box->window, 0, reinterpret_cast<LONG_PTR>(box->icon.get()));
    }
    return IconHolder{reinterpret_cast<WindowHandle>(box->window),
                      reinterpret_cast<IconHandle>(box->icon.get())};
}

}  // namespace datrelle::win32
