#include "win32/DoubleClickWatch.h"

#include <commctrl.h>

#include "win32/Abandoned.h"

namespace datrelle::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

bool DoubleClickWatch::Attach(HWND control, std::function<void()> onDoubleClick) {
    if (control_ != nullptr || control == nullptr ||
        !SetWindowSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    control_ = control;
    onDoubleClick_ = std::move(onDoubleClick);
    return true;
}

void DoubleClickWatch::Detach() noexcept {
    if (control_ != nullptr) {
        // Fails only when the subclass is already gone, which is what is wanted.
        RemoveWindowSubclass(control_, SubclassProc, kSubclassId);
        control_ = nullptr;
    }
}

LRESULT CALLBACK DoubleClickWatch::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<DoubleClickWatch*>(data);
    switch (message) {
        case WM_LBUTTONDBLCLK: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            self->OnDoubleClick(window);
            return result;
        }
        case WM_NCDESTROY:
            self->Detach();
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void DoubleClickWatch::OnDoubleClick(HWND window) noexcept {
    // An edit control captures the mouse on a double click to extend the selection by
    // words until the button comes up. The handler may open a modal dialog, which
    // could not be used with the mouse while the box held it.
    if (GetCapture() == window) {
        ReleaseCapture();
    }
    try {
        // A copy: the handler may stop the watch, which would destroy the one running.
        const std::function<void()> handler = onDoubleClick_;
        if (handler) {
            handler();
        }
    } catch (...) {
        // A failed handler abandons only this double click.
        TraceAbandoned("a double click");
    }
}

}  // namespace datrelle::win32
