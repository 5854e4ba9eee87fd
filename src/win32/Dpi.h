#pragma once

#include <windows.h>

#include "form/Inventory.h"
#include "form/Twips.h"

namespace datrelle::win32 {

inline RECT ToPixels(const TwipsRect& place, int dpi) {
    const int left = TwipsToPixels(place.left, dpi);
    const int top = TwipsToPixels(place.top, dpi);
    // Edges are converted, not sizes, so neighbouring controls never gain or lose a
    // pixel between them through rounding.
    return {left, top, TwipsToPixels(place.left + place.width, dpi),
            TwipsToPixels(place.top + place.height, dpi)};
}

// The scaling at which the tray shows its icons: the taskbar's own, whatever monitor the
// program's window is on. Without a taskbar (Explorer not started yet) the system's
// scaling; the taskbar's creation, when it comes, asks again.
inline int TrayDpi() {
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    const UINT dpi = taskbar != nullptr ? GetDpiForWindow(taskbar) : 0;
    return static_cast<int>(dpi != 0 ? dpi : GetDpiForSystem());
}

// A control that cannot be moved keeps its place: only the look suffers.
inline void MoveTo(HWND window, const RECT& r) {
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

}  // namespace datrelle::win32
