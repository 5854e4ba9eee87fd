#pragma once

#include <windows.h>

// The window classes the program registers, every one with the wide functions, so that
// captions and texts reach its windows whole. The names are part of what tests and
// other programs see.

namespace datrelle::win32 {

inline constexpr const wchar_t* kMainWindowClass = L"DatrelleForm";
inline constexpr const wchar_t* kPictureBoxClass = L"DatrellePictureBox";
inline constexpr const wchar_t* kBrowserHostClass = L"DatrelleBrowserHost";
inline constexpr const wchar_t* kCalendarWindowClass = L"DatrelleCalendar";

// What sets one class apart from the others; they all have the arrow cursor.
struct WindowClass {
    const wchar_t* name;
    WNDPROC procedure;
    UINT style = 0;
    HBRUSH background = nullptr;  // none: the window paints all of itself
    // The program's icon, in the title bar and the task switcher, for a top-level window.
    bool programIcon = false;
};

// Registers the class in this module; true also when it was registered before.
[[nodiscard]] bool RegisterWindowClass(HINSTANCE instance, const WindowClass& windowClass);

}  // namespace datrelle::win32
