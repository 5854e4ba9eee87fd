#pragma once

#include <windows.h>

#include <algorithm>

#include "form/Inventory.h"
#include "form/Twips.h"
#include "platform/Window.h"

// Twips become pixels here, for every rectangle the program places. A control's edges are
// converted, so neighbouring controls never gain or lose a pixel between them through
// rounding; the window's place and size are converted apart, so moving the window never
// changes its size in pixels.

namespace datrelle::win32 {

// A control's rectangle in its parent's pixels; a negative size is an empty one.
inline RECT ChildPixels(double left, double top, double width, double height, int dpi) {
    const int x = TwipsToPixels(left, dpi);
    const int y = TwipsToPixels(top, dpi);
    return {x, y, std::max(x, TwipsToPixels(left + width, dpi)),
            std::max(y, TwipsToPixels(top + height, dpi))};
}
inline RECT ChildPixels(const TwipsRect& place, int dpi) {
    return ChildPixels(place.left, place.top, place.width, place.height, dpi);
}

inline RECT WindowPixels(const WindowRect& twips, int dpi) {
    const int left = TwipsToPixels(twips.left, dpi);
    const int top = TwipsToPixels(twips.top, dpi);
    return {left, top, left + TwipsToPixels(twips.width, dpi),
            top + TwipsToPixels(twips.height, dpi)};
}

inline WindowRect WindowTwips(const RECT& pixels, int dpi) {
    const auto twips = [dpi](LONG value) { return static_cast<float>(PixelsToTwips(value, dpi)); };
    return {twips(pixels.left), twips(pixels.top), twips(pixels.right - pixels.left),
            twips(pixels.bottom - pixels.top)};
}

// A window's DPI; the system's default where it cannot say.
inline int DpiOf(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi != 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// A control that cannot be moved keeps its place: only the look suffers.
inline void MoveChild(HWND child, const RECT& place) {
    SetWindowPos(child, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace datrelle::win32
