#pragma once

// The window classes the program registers, every one with the wide functions, so that
// captions and texts reach its windows whole. The names are part of what tests and
// other programs see.

namespace datrelle::win32 {

inline constexpr const wchar_t* kMainWindowClass = L"DatrelleForm";
inline constexpr const wchar_t* kPictureBoxClass = L"DatrellePictureBox";
inline constexpr const wchar_t* kBrowserHostClass = L"DatrelleBrowserHost";
inline constexpr const wchar_t* kCalendarWindowClass = L"DatrelleCalendar";

}  // namespace datrelle::win32
