#pragma once

// The window classes the program registers. The names are part of what tests and
// other programs see.

namespace datrelle::win32 {

inline constexpr const char* kMainWindowClass = "DatrelleForm";
inline constexpr const char* kPictureBoxClass = "DatrellePictureBox";
inline constexpr const char* kBrowserHostClass = "DatrelleBrowserHost";

}  // namespace datrelle::win32
